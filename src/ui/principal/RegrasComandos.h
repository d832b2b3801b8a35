#pragma once

namespace drav {

// What the main window's commands depend on: the tab, the selected node and the participation
// states around it. Filled from the tree's register; no widget is involved.
struct TSelecaoArvore {
    int Aba = 0;     // 0 "Cadastro", 1 "Movimento"
    int Nivel = -1;  // -1 nothing selected; 0 root, 1 employer, 2 link, 3 pending name change
    int Estado = 0;  // link: its state; employer: its derived state (2 = every link closed)
    // Links of the selected employer, or of the whole tree for the root, in each state.
    int Vinculos = 0;
    bool ComEstado0 = false;
    bool ComEstado1 = false;
    bool ComEstado2ou3 = false;
};

// The tree's context menus.
enum class MenuContexto {
    Nenhum,
    CadastroRaiz,    // Novo > Empresa, Alterar, Excluir, Localizar
    CadastroEmpresa, // Novo > Trabalhador, Alterar, Excluir, Localizar
    CadastroVinculo, // Novo (disabled), Alterar, Excluir, Imprimir Guia Processada, Localizar
    Participacao,    // Marcar, Desmarcar (all), Retirar Fechamento, Simulação, Localizar
    Remocao,         // Desmarcar, Retirar Fechamento, Simulação, Localizar
};

// Which commands the selection allows. Commands whose module is not installed yet are disabled by
// the window on top of this.
struct THabilitacao {
    // "Arquivo"; the toolbar's "Novo", "Alterar" and "Excluir" follow these.
    bool Novo = false;
    bool NovoEmpresa = false;
    bool NovoTrabalhador = false;
    bool Alterar = false;
    bool Excluir = false;
    // "Editar"
    bool ParticipacaoVisivel = false;
    bool Marcar = false;
    bool Desmarcar = false;
    bool RetirarFechamento = false;
    bool Localizar = false;
    // the context menu of the selected node
    MenuContexto Menu = MenuContexto::Nenhum;
    bool CtxNovo = false;
    bool CtxMarcar = false;
    bool CtxDesmarcar = false;
    bool CtxRetirar = false;
    bool CtxSimulacao = false;
    bool CtxLocalizar = false;
    bool CtxImprimirGuia = false;
    // the frames
    bool FrameAlterar = false;          // "Al&terar" of the entity frame
    bool OcorrenciaSaldo = false;       // "&Ocorrência Saldo" of the worker frame
    bool ComplementosEditaveis = false; // balance complements of a link in "Movimento"
};

// The enabling rules of the main window: a pure function of the selection.
THabilitacao RegrasComandos(const TSelecaoArvore& s);

} // namespace drav
