#pragma once
// The inconsistency listings: what a file load (payroll, balance, guides, processed guides) or a
// closing left in the inconsistency register.
#include "core/Datas.h"
#include "reports/MotorRelatorio.h"

#include <memory>
#include <string>

namespace drav {

class TDBUtils;
class TInconsistencia;

// Title line under the listing's title for each file number; empty for the others.
std::string TipoArquivoInconsistencia(int numeroArquivo);

// The description of a load inconsistency: "number - text" with the message's placeholders
// filled (201: the pro-rata window; 372: the competence read from the content and the edital).
std::string DescricaoInconsistenciaCarga(int mensagem, const std::string& texto, const std::string& conteudo,
                                         TDateTime dataEdital);
// The same for a closing: the long pro-rata window for 201, nothing else filled.
std::string DescricaoInconsistenciaFechamento(int mensagem, const std::string& texto, TDateTime dataEdital);

// Listing of a file load (file numbers 1, 2, 4 and 5).
class TRelInconsistencia {
public:
    TRelInconsistencia(TDBUtils& sessao, TDateTime dataEdital);
    ~TRelInconsistencia();

    // Lays the listing out. False when the load left no rows (nothing to show). Any other file
    // number is a misuse (ENegocio).
    bool Preparar(int numeroArquivo);
    const DocumentoRelatorio& Documento() const { return documento_; }

private:
    TDBUtils& sessao_;
    TDateTime dataEdital_;
    DocumentoRelatorio documento_;
};

// Listing of a closing (file number 3). Closing checks the database, not a file, so there is no
// record type nor line to show, and the responsible is the one registered now.
class TRelInconsistenciaFechamento {
public:
    TRelInconsistenciaFechamento(TDBUtils& sessao, TDateTime dataEdital);
    ~TRelInconsistenciaFechamento();

    // Loads the rows once; true when the last closing left any.
    bool ExistemInconsistencias();
    // Lays the listing out (loading the rows when ExistemInconsistencias has not). False when
    // there are none.
    bool Preparar();
    const DocumentoRelatorio& Documento() const { return documento_; }

private:
    TDBUtils& sessao_;
    TDateTime dataEdital_;
    std::unique_ptr<TInconsistencia> linhas_;
    DocumentoRelatorio documento_;
};

} // namespace drav
