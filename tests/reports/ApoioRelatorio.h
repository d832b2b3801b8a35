#pragma once
#include "reports/MotorRelatorio.h"

#include <QGuiApplication>

#include <string>

namespace drav::teste {

// Painting needs fonts, hence an application; the tests run without a display.
inline void GarantirAplicacao()
{
    if (QGuiApplication::instance())
        return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char nome[] = "test_reports";
    static char* argv[] = {nome, nullptr};
    new QGuiApplication(argc, argv); // lives until the process ends
}

// How many text items of the laid-out pages read exactly `texto`.
inline int Ocorrencias(const DocumentoRelatorio& doc, const std::string& texto)
{
    int n = 0;
    for (const auto& p : doc.paginas)
        for (const auto& t : p.Textos())
            n += t == texto;
    return n;
}

} // namespace drav::teste
