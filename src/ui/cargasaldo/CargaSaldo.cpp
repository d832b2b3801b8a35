#include "ui/cargasaldo/CargaSaldo.h"

#include "calc/Indices.h"
#include "core/Datas.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "files/CargaSaldo.h"
#include "files/Execucao.h"
#include "ui/cargasaldo/TfrmConfirmaSaldo.h"
#include "ui/progresso/TfrmProgImporta.h"

#include <QFileDialog>

namespace drav {

bool ExecutarCargaSaldo(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const QString& arquivo,
                        const TServicosCargaSaldo& servicos)
{
    TDBUtils& sessao = *ctx.sessao;
    // The object outlives the worker: the confirmation reads what the load left.
    TArqCargaSaldo carga(sessao);
    carga.Caminho = arquivo.toStdString();
    carga.DataCarga = Agora();
    TResultadoProcesso r;
    {
        TfrmProgImporta janela(pai);
        janela.PrepararProgresso(ProcessoSaldo);
        janela.DefinirTrabalho([&carga](IProgresso& p) { return ProcessarCargaSaldo(carga, p); });
        janela.exec();
        r = janela.Resultado();
    }
    if (r.Cancelado)
        return false;
    // Stored accounts and name changes show in the tree.
    if ((carga.AlgoGravado || carga.AtualizarArvore) && servicos.RecarregarArvore)
        servicos.RecarregarArvore(true);

    std::string codigo = r.MensagemResultado;
    bool sucesso = r.Sucesso;
    if (carga.Pendente && r.Erro.empty() && codigo != "0396") {
        const TTabelasIndicesBanco tabelas(sessao);
        TfrmConfirmaSaldo confirma(sessao, mensagens, tabelas, ctx.DataEdital,
                                   AgruparPendentes(sessao, carga.Pendentes), pai);
        confirma.exec();
        const TfrmConfirmaSaldo::Desfecho d = confirma.Resultado();
        const bool gravou = d == TfrmConfirmaSaldo::Desfecho::Gravado ||
                            d == TfrmConfirmaSaldo::Desfecho::GravadoComPendencia;
        if (!carga.AlgoGravado)
            MarcarSolicitacaoSaldo(sessao, carga.IdentificadorSolicitacao,
                                   gravou || d == TfrmConfirmaSaldo::Desfecho::Cancelado);
        if (d != TfrmConfirmaSaldo::Desfecho::Cancelado && servicos.RecarregarArvore)
            servicos.RecarregarArvore(false);
        if (d == TfrmConfirmaSaldo::Desfecho::Cancelado)
            return false;
        if (d == TfrmConfirmaSaldo::Desfecho::Falhou)
            mensagens.MensagemParametros("CT0144", mtError, Botoes::OK, {}, mbOK);
        if (d == TfrmConfirmaSaldo::Desfecho::GravadoComPendencia) {
            codigo = "0253";
            sucesso = false;
        }
        // Balances were stored after all: "not loaded" would no longer be true.
        if (gravou && codigo == "0402")
            codigo = "0253";
    }
    if (!sucesso) {
        if (codigo == "0253")
            mensagens.Mensagem("CT0253", mtInformation, Botoes::OK);
        else if (!codigo.empty())
            mensagens.Mensagem("CT" + codigo, mtError, Botoes::OK);
        return false;
    }
    if (servicos.ConsultarSaldos &&
        mensagens.Mensagem("CT0076", mtConfirmation, Botoes::SimNao, mbYes) == mrYes)
        servicos.ConsultarSaldos();
    return true;
}

bool CarregarArquivoSaldo(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens,
                          const TServicosCargaSaldo& servicos)
{
    QFileDialog dlg(pai, QString::fromUtf8("Selecione o arquivo de saldo rescisório"),
                    QString::fromStdString((ctx.pasta / "Arquivos" / "Saldo Rescisorio").string()));
    dlg.setNameFilter(QString::fromUtf8("Arquivo de Saldo Rescisório (*.KVD)"));
    dlg.setFileMode(QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontUseNativeDialog);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    const QString arquivo = dlg.selectedFiles().first();
    if (arquivo.trimmed().isEmpty())
        return false;
    return ExecutarCargaSaldo(pai, ctx, mensagens, arquivo, servicos);
}

} // namespace drav
