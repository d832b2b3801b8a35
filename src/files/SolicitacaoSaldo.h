#pragma once
#include "core/Datas.h"
#include "files/Arquivo.h"
#include "files/Protocolo.h"
#include "model/RegRegistro.h"
#include "model/Responsavel.h"

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace drav {

// The 30-character identifier of an interchange file: the server's moment as
// yyyymmddhhnnsszzz, then the sum of the character codes of the header text written before it,
// modulo 65536, in 13 zero-filled digits.
std::string IdentificadorArquivo(TDateTime momentoServidor, const std::string& cabecalho);

// Asks where to save a file: (filter "Description|*.EXT", initial folder, proposed name) -> the
// chosen path, or empty when the user cancelled. The window layer passes its save dialog.
using EscolherArquivoSalvar = std::function<std::string(const std::string& filtro, const std::string& pastaInicial,
                                                        const std::string& nomeProposto)>;

// The request for the balances of rescission purposes that the bank holds for a list of links:
// 67-character lines (a header, per employer one employer record and its link records, a
// trailer), registered as file type 7 with its employers and links, then sealed into an envelope
// the user names.
class TSolicitacaoSaldoRecisorio : public TArquivo {
public:
    // Loads the responsible.
    explicit TSolicitacaoSaldoRecisorio(TDBUtils& sessao);
    ~TSolicitacaoSaldoRecisorio() override;

    static constexpr const char* NomeArquivoInterno = "SolicitacaoIS.GR";
    static constexpr const char* NomeEnvelopeProposto = "SolicitacaoIS.KVD";
    static constexpr const char* FiltroEnvelope = "Arquivo de Solicitação de Saldo Rescisório|*.KVD";

    EscolherArquivoSalvar EscolherArquivo;
    // The data folder; the dialog starts in its "Arquivos/Solicitacao de Saldo".
    std::filesystem::path PastaDados;

    TProtocolo& Protocolo() { return *protocolo_; }
    TResponsavel& Responsavel() { return *responsavel_; }

    // Asks for the envelope, builds the lines of the "40" entries, registers and seals them. True
    // when the envelope was written. A cancelled dialog writes and registers nothing. An entry
    // whose inscription, PIS or category does not fit its field raises ENegocio before anything
    // is written.
    bool GerarSolicitacao(const TArrRegRegistro& registros);
    // The protocol row and the sending rows of every employer and link, in one transaction: all
    // of them or none.
    bool RegistrarSolicitacao(const std::string& identificador, const std::string& caminhoEnvelope,
                              const TArrRegRegistro& registros);
    // Writes the lines as pasta/nomeArquivo and seals that file into pasta/nomeEnvelope; the
    // lines are cleared and the text file deleted whatever the outcome. A failure leaves the
    // seal's code in CodigoMensagem.
    bool SelarSolicitacao(const std::string& pasta, const std::string& nomeEnvelope,
                          const std::string& identificador, std::vector<std::string>& linhas,
                          const std::string& nomeArquivo);

    // Only written, never read back, and written through GerarSolicitacao with its entries.
    bool Processar() override { return false; }
    bool Gerar() override { return false; }

private:
    // Header, employer, link and trailer lines of the "40" entries, each numbered.
    std::string MontarLinhas(const TArrRegRegistro& registros, TDateTime agora);

    std::unique_ptr<TProtocolo> protocolo_;
    std::unique_ptr<TResponsavel> responsavel_;
};

} // namespace drav
