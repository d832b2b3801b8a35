#include "ui/progresso/ImportacaoFolha.h"

#include "calc/Inconsistencia.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "files/Execucao.h"
#include "files/Folha.h"
#include "ui/progresso/TfrmProgImporta.h"
#include "ui/relatorios/Relatorios.h"
#include "ui/solicitacao/SolicitarSaldos.h"

namespace drav {

bool ExecutarImportacaoFolha(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const QString& arquivo)
{
    TfrmProgImporta janela(pai);
    janela.PrepararProgresso(ProcessoFolha);
    const std::string caminho = arquivo.toStdString();
    janela.DefinirTrabalho([&ctx, caminho](IProgresso& p) { return ImportarFolha(*ctx.sessao, caminho, p); });
    janela.exec();
    const TResultadoProcesso& r = janela.Resultado();
    CarregarDataPagamento(ctx);
    CarregarDataEdital(ctx);
    if (r.Sucesso) {
        mensagens.Mensagem("990074", mtInformation, Botoes::OK, mbOK);
        if (mensagens.Mensagem("990075", mtConfirmation, Botoes::SimNao, mbYes) == mrYes)
            SolicitarSaldos(pai, ctx, mensagens, r.Registros);
        return true;
    }
    if (r.Cancelado)
        return false;
    if (r.MensagemResultado == "0396")
        mensagens.Mensagem("990396", mtError, Botoes::OK, mbOK);
    else if (!r.Erro.empty())
        mensagens.MensagemParametros("990250", mtError, Botoes::OK, {}, mbOK);
    else if (mensagens.Mensagem("990209", mtConfirmation, Botoes::SimNao, mbYes) == mrYes)
        VisualizarInconsistencias(pai, *ctx.sessao, mensagens, InconsistenciaFolha, ctx.DataEdital);
    else
        mensagens.Mensagem("990476", mtInformation, Botoes::OK, mbOK);
    return false;
}

} // namespace drav
