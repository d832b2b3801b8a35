#pragma once
#include <QString>

#include <functional>

class QWidget;

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// What the balance load needs from the main window: the tree rebuild (with or without the
// progress splash) and the loaded-balance consultation offered at the end ("CT0076"). Either may
// be left empty: without a rebuild the tree is left alone, without a consultation the question
// is not asked.
struct TServicosCargaSaldo {
    std::function<void(bool comProgresso)> RecarregarArvore;
    std::function<void()> ConsultarSaldos;
};

// Loads the balance file `arquivo` with the progress window (run kind 2), then, on this thread,
// offers the accounts of closed links for confirmation and ends as the user expects: "CT0253"
// as information when balances were stored with pendencies, "CT" and the load's code as an error
// when it failed, else the consultation question. True when the file was loaded without a finding.
bool ExecutarCargaSaldo(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const QString& arquivo,
                        const TServicosCargaSaldo& servicos = {});

// The main window's command: asks for the balance file in "Arquivos/Saldo Rescisorio" (filter
// "Arquivo de Saldo Rescisório (*.KVD)") and loads it. False when no file was chosen or the load
// did not succeed.
bool CarregarArquivoSaldo(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens,
                          const TServicosCargaSaldo& servicos = {});

} // namespace drav
