#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"

#include <memory>
#include <string>
#include <vector>

namespace drav {

class TResultado;

// File type numbers of the protocol register (SFGTBT12_TIPO_ARQUIVO).
inline constexpr int ArquivoRescisorio = 3;
inline constexpr int ArquivoReenvioGuias = 6;
inline constexpr int ArquivoSolicitacaoSaldo = 7;

// Register of the interchange files written for the bank (SFGTBG13_ARQUIVO) with the lines of each
// file (SFGTBG14), the employers (SFGTBG15) and the workers (SFGTBG16) it carried.
// Every statement joins the caller's transaction when one is open. Writes report a database error
// by returning false; only TotalizarEnvioEmpresas lets it propagate.
class TProtocolo : public TNegocio {
public:
    explicit TProtocolo(TDBUtils& sessao);

    std::string Identificador;    // NU_IDENTIFICADOR_ARQUIVO, 30 digits
    std::string CodigoProtocolo;  // given by the bank's channel when the file is sent
    TDateTime DataEnvio;          // sending date with its time
    int NumeroArquivo;            // file type
    std::string NomeArquivo;      // full path of the envelope written
    std::string DescricaoArquivo; // description of the file type
    std::string ArquivoValido;    // "S"/"N" once a returned file was loaded, else empty
    std::string ArquivoAtendido;  // "S" once the bank answered the file, else empty
    TDateTime DataGeracao;        // when the file was generated

    // With NumeroArquivo <= 0 the type is looked up by DescricaoArquivo; an unknown description
    // is a failure. An empty CodigoProtocolo is stored as an empty text.
    bool Incluir();
    // Writes every field back to the row of Identificador, the sending date with its time.
    bool Alterar();
    // True when the row existed and was deleted.
    bool Excluir();
    bool ConsultarPorIdentificador();
    // Rows of the given file types ordered by the type description, positioned on the first.
    void ListarPorTipo(const std::vector<int>& tipos);

    bool GravarLinha(const std::string& identificador, int numeroLinha, const std::string& linha);
    // Record order of the stored lines of a rescission file; a read error also means invalid.
    bool ValidarOrdemRegistros(const std::string& identificador);

    // The name, total, code and date are written only when given (non-empty, non-zero, a date).
    bool IncluirEnvioEmpresa(const std::string& identificador, int tipoInscricao, TDateTime dataRecolhimento,
                             const std::string& codigoBarras, double valorTotal, const std::string& razaoSocial,
                             const std::string& inscricao);
    // Updates only the values given; with none given nothing is written and the result is false.
    bool AlterarEnvioEmpresa(const std::string& identificador, int tipoInscricao, TDateTime dataRecolhimento,
                             const std::string& codigoBarras, double valorTotal, const std::string& razaoSocial,
                             const std::string& inscricao);
    bool IncluirEnvioEmpregado(const std::string& identificador, int tipoInscricao, double valorTotal,
                               const std::string& codigoMovimentacao, TDateTime dataMovimentacao,
                               const std::string& nomeEmpregado, const std::string& pis,
                               const std::string& inscricao, int categoria, TDateTime dataAdmissao);
    // Sets the total of each employer row of Identificador from its worker rows; true when at least
    // one row was updated. Database errors propagate.
    bool TotalizarEnvioEmpresas();

    std::unique_ptr<TResultado> ListarEnvioEmpresas(const std::string& identificador);
    std::unique_ptr<TResultado> ListarEnvioEmpregados(const std::string& identificador, const std::string& inscricao);

    // A returned file answered the file of Identificador: marks it answered and valid or not.
    // The generation date stays as it was. False when there is no such row.
    bool MarcarValidade(bool valido);
    // Processing date of every employer row of Identificador.
    bool GravarDataProcessamento(TDateTime data);

protected:
    void Inicializar() override;
    void CarregarCampos() override;
};

} // namespace drav
