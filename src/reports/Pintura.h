#pragma once
// Draws laid-out pages on a printer (preview or paper) or a PDF file.
#include "reports/MotorRelatorio.h"

#include <QImage>
#include <QPageLayout>

#include <string>

class QPagedPaintDevice;

namespace drav {

// The page of the paper with 10 mm margins on every side.
QPageLayout LayoutPagina(Papel papel);

// Sets the device's page layout and draws every page. False when the device refused to start
// painting (a printer that is not ready, a file that cannot be written).
bool PintarRelatorio(const DocumentoRelatorio& documento, QPagedPaintDevice& dispositivo);

// One page as a picture of the whole sheet (margins included) at that resolution, on white.
// Needs a QGuiApplication (fonts).
QImage ImagemPagina(const DocumentoRelatorio& documento, int pagina, int dpi);

// Writes the report as a PDF file. Needs a QGuiApplication (fonts). False with the reason in
// `erro` when the file could not be written.
bool GravarPdf(const DocumentoRelatorio& documento, const std::string& caminho, std::string& erro);

} // namespace drav
