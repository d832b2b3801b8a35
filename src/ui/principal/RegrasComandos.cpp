#include "ui/principal/RegrasComandos.h"

namespace drav {

namespace {

bool Fechado(const TSelecaoArvore& s)
{
    return (s.Nivel == 2 && (s.Estado == 2 || s.Estado == 3)) || (s.Nivel == 1 && s.Estado == 2);
}

void RegrasCadastro(const TSelecaoArvore& s, THabilitacao& h)
{
    h.NovoEmpresa = s.Nivel == 0;
    h.NovoTrabalhador = s.Nivel == 1;
    h.Novo = true;
    h.Alterar = s.Nivel >= 0 && s.Nivel <= 2 && !Fechado(s);
    h.Excluir = s.Nivel == 1 || s.Nivel == 2;
    h.Localizar = true;
    h.FrameAlterar = h.Alterar;
    h.OcorrenciaSaldo = s.Nivel == 2 && !Fechado(s);
    switch (s.Nivel) {
    case 0: h.Menu = MenuContexto::CadastroRaiz; break;
    case 1: h.Menu = MenuContexto::CadastroEmpresa; break;
    case 2: h.Menu = MenuContexto::CadastroVinculo; break;
    default: h.Menu = MenuContexto::Nenhum; break;
    }
    h.CtxNovo = s.Nivel == 0 || s.Nivel == 1;
    h.CtxLocalizar = true;
    h.CtxImprimirGuia = s.Nivel == 2 && s.Estado == 3;
}

void RegrasMovimento(const TSelecaoArvore& s, THabilitacao& h)
{
    h.ParticipacaoVisivel = true;
    h.Localizar = s.Nivel != 3;
    h.CtxLocalizar = s.Nivel >= 0 && s.Nivel != 3;
    h.ComplementosEditaveis = s.Nivel == 2 && !Fechado(s);
    switch (s.Nivel) {
    case 0:
        h.Marcar = s.ComEstado0;
        h.Desmarcar = s.ComEstado1;
        h.RetirarFechamento = s.ComEstado2ou3;
        h.Menu = MenuContexto::Participacao;
        h.CtxMarcar = s.ComEstado0;
        h.CtxDesmarcar = s.ComEstado1;
        h.CtxRetirar = s.ComEstado2ou3;
        h.CtxSimulacao = s.ComEstado1;
        break;
    case 1:
        h.RetirarFechamento = s.ComEstado2ou3;
        h.Marcar = !h.RetirarFechamento && s.Vinculos > 0;
        h.Desmarcar = s.Estado == 1;
        h.Menu = s.Estado == 1 ? MenuContexto::Remocao : MenuContexto::Participacao;
        h.CtxMarcar = s.Vinculos > 0 && s.Estado != 2;
        h.CtxDesmarcar = s.Estado == 1;
        h.CtxRetirar = s.ComEstado2ou3;
        h.CtxSimulacao = s.Estado == 1;
        break;
    case 2:
        h.RetirarFechamento = s.Estado == 2;
        // A link whose guide came back processed is never marked (and closed) again.
        h.Marcar = !h.RetirarFechamento && s.Estado != 3;
        h.Desmarcar = s.Estado == 1;
        h.Menu = s.Estado == 1 ? MenuContexto::Remocao : MenuContexto::Participacao;
        h.CtxMarcar = !Fechado(s);
        h.CtxDesmarcar = s.Estado == 1;
        h.CtxRetirar = Fechado(s);
        h.CtxSimulacao = s.Estado == 1;
        break;
    case 3:
        h.Menu = MenuContexto::Participacao;
        break;
    default:
        h.Menu = MenuContexto::Nenhum;
        break;
    }
}

} // namespace

THabilitacao RegrasComandos(const TSelecaoArvore& s)
{
    THabilitacao h;
    if (s.Aba == 0)
        RegrasCadastro(s, h);
    else
        RegrasMovimento(s, h);
    return h;
}

} // namespace drav
