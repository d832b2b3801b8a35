// The main window's enabling rules as a table: selection in, enabled commands out.
#include "ui/principal/RegrasComandos.h"

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>

namespace drav {
namespace {

// The commands a selection enables, by name, in a fixed order.
std::string Habilitados(const THabilitacao& h)
{
    const std::pair<const char*, bool> todos[] = {
        {"Novo", h.Novo},
        {"NovoEmpresa", h.NovoEmpresa},
        {"NovoTrabalhador", h.NovoTrabalhador},
        {"Alterar", h.Alterar},
        {"Excluir", h.Excluir},
        {"Marcar", h.Marcar},
        {"Desmarcar", h.Desmarcar},
        {"Retirar", h.RetirarFechamento},
        {"Localizar", h.Localizar},
        {"ctxNovo", h.CtxNovo},
        {"ctxMarcar", h.CtxMarcar},
        {"ctxDesmarcar", h.CtxDesmarcar},
        {"ctxRetirar", h.CtxRetirar},
        {"ctxSimulacao", h.CtxSimulacao},
        {"ctxLocalizar", h.CtxLocalizar},
        {"ctxGuia", h.CtxImprimirGuia},
        {"FrameAlterar", h.FrameAlterar},
        {"Ocorrencia", h.OcorrenciaSaldo},
        {"Complementos", h.ComplementosEditaveis},
    };
    std::ostringstream s;
    for (const auto& [nome, ligado] : todos)
        if (ligado)
            s << (s.tellp() > 0 ? " " : "") << nome;
    return s.str();
}

const char* NomeMenu(MenuContexto m)
{
    switch (m) {
    case MenuContexto::Nenhum: return "-";
    case MenuContexto::CadastroRaiz: return "CadRaiz";
    case MenuContexto::CadastroEmpresa: return "CadEmpresa";
    case MenuContexto::CadastroVinculo: return "CadVinculo";
    case MenuContexto::Participacao: return "Participacao";
    case MenuContexto::Remocao: return "Remocao";
    }
    return "?";
}

struct Caso {
    int aba, nivel, estado, vinculos;
    bool c0, c1, c23;
    const char* menu;
    const char* habilitados;
};

// Cadastro = 0, Movimento = 1; levels: 0 root, 1 employer, 2 link, 3 name change.
const Caso kCasos[] = {
    // Cadastro: new employer only on the root, new worker only on an employer; nothing closed edits.
    {0, -1, 0, 0, false, false, false, "-", "Novo Localizar ctxLocalizar"},
    {0, 0, 0, 5, true, true, true, "CadRaiz", "Novo NovoEmpresa Alterar Localizar ctxNovo ctxLocalizar FrameAlterar"},
    {0, 1, 0, 2, true, false, false, "CadEmpresa",
     "Novo NovoTrabalhador Alterar Excluir Localizar ctxNovo ctxLocalizar FrameAlterar"},
    {0, 1, 1, 2, true, true, false, "CadEmpresa",
     "Novo NovoTrabalhador Alterar Excluir Localizar ctxNovo ctxLocalizar FrameAlterar"},
    {0, 1, 2, 2, false, false, true, "CadEmpresa", "Novo NovoTrabalhador Excluir Localizar ctxNovo ctxLocalizar"},
    {0, 2, 0, 0, false, false, false, "CadVinculo", "Novo Alterar Excluir Localizar ctxLocalizar FrameAlterar Ocorrencia"},
    {0, 2, 1, 0, false, false, false, "CadVinculo", "Novo Alterar Excluir Localizar ctxLocalizar FrameAlterar Ocorrencia"},
    {0, 2, 2, 0, false, false, false, "CadVinculo", "Novo Excluir Localizar ctxLocalizar"},
    {0, 2, 3, 0, false, false, false, "CadVinculo", "Novo Excluir Localizar ctxLocalizar ctxGuia"},
    {0, 3, 0, 0, false, false, false, "-", "Novo Localizar ctxLocalizar"},
    // Movimento, root: each command when some link is in its state.
    {1, 0, 0, 0, false, false, false, "Participacao", "Localizar ctxLocalizar"},
    {1, 0, 0, 3, true, false, false, "Participacao", "Marcar Localizar ctxMarcar ctxLocalizar"},
    {1, 0, 0, 3, false, true, false, "Participacao", "Desmarcar Localizar ctxDesmarcar ctxSimulacao ctxLocalizar"},
    {1, 0, 0, 3, false, false, true, "Participacao", "Retirar Localizar ctxRetirar ctxLocalizar"},
    {1, 0, 0, 3, true, true, true, "Participacao",
     "Marcar Desmarcar Retirar Localizar ctxMarcar ctxDesmarcar ctxRetirar ctxSimulacao ctxLocalizar"},
    // Movimento, employer: "Marcar" in Editar exactly when "Retirar" is not (and it has links).
    {1, 1, 0, 0, false, false, false, "Participacao", "Localizar ctxLocalizar"},
    {1, 1, 0, 2, true, false, false, "Participacao", "Marcar Localizar ctxMarcar ctxLocalizar"},
    {1, 1, 1, 2, true, true, false, "Remocao", "Marcar Desmarcar Localizar ctxMarcar ctxDesmarcar ctxSimulacao ctxLocalizar"},
    {1, 1, 0, 3, true, false, true, "Participacao", "Retirar Localizar ctxMarcar ctxRetirar ctxLocalizar"},
    {1, 1, 2, 2, false, false, true, "Participacao", "Retirar Localizar ctxRetirar ctxLocalizar"},
    // Movimento, link: a processed link (3) is never marked again; "Retirar" in Editar only in 2.
    {1, 2, 0, 0, false, false, false, "Participacao", "Marcar Localizar ctxMarcar ctxLocalizar Complementos"},
    {1, 2, 1, 0, false, false, false, "Remocao",
     "Marcar Desmarcar Localizar ctxMarcar ctxDesmarcar ctxSimulacao ctxLocalizar Complementos"},
    {1, 2, 2, 0, false, false, false, "Participacao", "Retirar Localizar ctxRetirar ctxLocalizar"},
    {1, 2, 3, 0, false, false, false, "Participacao", "Localizar ctxRetirar ctxLocalizar"},
    // A pending name change can be neither marked nor searched from.
    {1, 3, 0, 0, false, false, false, "Participacao", ""},
};

TEST(RegrasComandos, Tabela)
{
    for (const Caso& c : kCasos) {
        TSelecaoArvore s;
        s.Aba = c.aba;
        s.Nivel = c.nivel;
        s.Estado = c.estado;
        s.Vinculos = c.vinculos;
        s.ComEstado0 = c.c0;
        s.ComEstado1 = c.c1;
        s.ComEstado2ou3 = c.c23;
        const THabilitacao h = RegrasComandos(s);
        SCOPED_TRACE(::testing::Message() << "aba " << c.aba << " nivel " << c.nivel << " estado " << c.estado
                                          << " vinculos " << c.vinculos);
        EXPECT_EQ(Habilitados(h), c.habilitados);
        EXPECT_STREQ(NomeMenu(h.Menu), c.menu);
        EXPECT_EQ(h.ParticipacaoVisivel, c.aba == 1);
    }
}

} // namespace
} // namespace drav
