#include "ui/relatorios/TfrmSelecaoEmpresa.h"

#include "model/Empresa.h"
#include "ui/relatorios/TfrmRelEmpregados.h"

#include <QTableWidget>

namespace drav {

TfrmSelecaoEmpresa::TfrmSelecaoEmpresa(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai)
    : TfrmModeloSelecaoEmpresaTrabalhador(pai), sessao_(sessao), mensagens_(mensagens)
{
    setObjectName("frmSelecaoEmpresa");
    setWindowTitle("Selecionar Empresas");
}

bool TfrmSelecaoEmpresa::Carregar()
{
    TEmpresa e(sessao_);
    e.CarregaRelacionados = false;
    e.ListarEmpresas();
    std::vector<TEmpresaSelecao> linhas;
    if (e.TemDataSet())
        for (e.Primeiro(); !e.Vazio() && !e.Eof(); e.Proximo())
            linhas.push_back(TEmpresaSelecao{e.TipoInscricao, e.Inscricao, e.RazaoSocial});
    DefinirEmpresas(linhas);
    return !linhas.empty();
}

void TfrmSelecaoEmpresa::Imprimir()
{
    if (grdEmpresas()->rowCount() == 0)
        return;
    const bool todas = Todas();
    TfrmRelEmpregados ordem(sessao_, mensagens_, OrdemEmpresas(), todas,
                            todas ? std::vector<int64_t>{} : InscricoesMarcadas(), this);
    ordem.exec();
}

} // namespace drav
