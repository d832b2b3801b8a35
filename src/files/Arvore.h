#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"
#include "model/OuvinteArvore.h"

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace drav {

// Pictures of the tree's nodes. Other windows read them as states: a node with
// imgVinculoFechado, imgVinculoProcessado or imgEmpresaFechada cannot be marked or unmarked.
enum ImagemNo : int {
    imgRaiz = 0,
    imgEmpresa = 1,          // no link marked
    imgVinculo = 3,          // link in state 0
    imgEmpresaMarcada = 9,   // at least one link marked
    imgVinculoMarcado = 11,  // link in state 1
    imgAlteracaoNome = 16,   // pending change of the worker's name
    imgVinculoFechado = 23,  // link in state 2
    imgEmpresaFechada = 24,  // every link closed or processed
    imgVinculoProcessado = 25,
};
int ImagemVinculo(int estado);
int ImagemEmpresa(int estado);

// Kinds of register entry (TRecArvore::Tipo).
inline constexpr const char* NoResponsavel = "R";       // responsible only (root)
inline constexpr const char* NoResponsavelEmpresa = "A"; // employer that is also the responsible
inline constexpr const char* NoEmpresa = "E";
inline constexpr const char* NoVinculo = "F";
inline constexpr const char* NoAlteracao = "C";          // pending name change of a link's account

// A small set of movement states (0 to 3).
class TConjuntoEstados {
public:
    TConjuntoEstados(std::initializer_list<int> estados);
    bool Contem(int estado) const { return estado >= 0 && estado < 8 && (bits_ >> estado) & 1u; }
    // "2,3"
    std::string Lista() const;

private:
    unsigned bits_ = 0;
};

// One register entry per tree node, in tree order: the root first, each employer followed by its
// links, each link by its pending name changes. The entry carries the keys of the node's object
// and its participation state, so nobody needs the database to go from a node to its object.
struct TRecArvore {
    int16_t TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;             // 0 on the root and the employers
    int16_t Categoria = 0;
    TDateTime DataAdmissao = NullDate;
    int16_t Estado = 0;          // link: IC_ESTADO_MOVIMENTO; employer: derived 0/1/2; others 0
    int No = -1;                 // id of the node this entry describes
    int16_t SituacaoConta = -1;  // of the account row the node was built from; -1 without one
    std::string Tipo;            // NoResponsavel ... NoAlteracao
    bool Inconsistente = false;  // IC_VALIDACAO_VINCULO = 'S'

    bool EhEmpresa() const { return (Tipo == NoEmpresa || Tipo == NoResponsavelEmpresa) && Pis == 0; }
    bool EhVinculo() const { return Tipo == NoVinculo; }
    bool EhAlteracao() const { return Tipo == NoAlteracao; }
};

// A node as a view draws it. Ids are never reused while the program runs, so a view that holds
// an id of a node that went away finds nothing instead of another node.
struct TNoArvore {
    int Pai = -1;       // -1: the root
    int Nivel = 0;      // 0 root, 1 employer, 2 link, 3 name change
    std::string Texto;
    int Imagem = imgRaiz;
    std::vector<int> Filhos; // in the order they were added
    bool Removido = false;
};

// What a view of the tree is told. Every call comes from the thread that changed the tree.
class IVisaoArvore {
public:
    virtual ~IVisaoArvore() = default;
    // Every node may have changed: the tree was rebuilt or emptied.
    virtual void ArvoreRecarregada() = 0;
    // Nodes were added, removed or renamed (the order of siblings may have changed).
    virtual void EstruturaAlterada() = 0;
    // The node's picture changed.
    virtual void NoAlterado(int no) = 0;
};

// Data of a node added after the load (a new employer or link typed by the user).
struct TDadosNovoNo {
    std::string Tipo;  // NoEmpresa, NoResponsavelEmpresa or NoVinculo
    int16_t TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int16_t Categoria = 0;
    TDateTime DataAdmissao = NullDate;
    bool Inconsistente = false;
    int16_t Estado = 0;
    int16_t SituacaoConta = -1;
    std::string NomeEmpresa;
    std::string NomeTrabalhador;
};

// The navigation tree: the responsible at the root, its employers, their links and the links'
// pending name changes, with the register that maps every node to its keys and state.
//
// It is plain data: a view reads it through node ids and is told of changes through IVisaoArvore.
// Look-ups return register indices and never move a shared cursor, so any caller may loop over
// the register with its own index while it validates, looks up or changes entries.
//
// The state changes write IC_ESTADO_MOVIMENTO through the session and keep the register and the
// pictures in step; they join the caller's transaction when one is open.
class TArvore : public TNegocio, public IOuvinteArvore {
public:
    // `dataPagamento` is the process-wide payment date of the open collection, which a reload
    // reads again and RetirarAbertura empties.
    TArvore(TDBUtils& sessao, TDateTime& dataPagamento);
    ~TArvore() override;

    void DefinirVisao(IVisaoArvore* visao) { visao_ = visao; }
    TDateTime DataPagamento() const { return dataPagamento_; }
    void DefinirDataPagamento(TDateTime data) { dataPagamento_ = data; }

    // --- building ----------------------------------------------------------------------------------
    // Builds the tree and register from one query. False, with an empty tree, when the database
    // holds no responsible (no row "R" or "A"). A database failure is passed on, and the tree is
    // left empty: it must never look like an empty database. `progresso` is told (row, rows) as
    // the rows are walked.
    bool CarregarArvore(const std::function<void(long, long)>& progresso = {});
    // Reads the payment date of the open collection again, then CarregarArvore.
    bool RecarregarArvore(const std::function<void(long, long)>& progresso = {});
    // Empties tree and register.
    void Esvaziar();

    // --- register ----------------------------------------------------------------------------------
    int TotalNos() const { return static_cast<int>(registro_.size()); }
    const TRecArvore& Registro(int indice) const;
    // -1 when not found: for every look-up below.
    int LocalizarNo(int no) const;
    // The first employer entry (from entry 1) with that inscription; with a type, also that type.
    int LocalizarEmpresa(int64_t inscricao) const;
    int LocalizarEmpresa(int tipo, int64_t inscricao) const;
    int LocalizarPrimeiroVinculo(int tipo, int64_t inscricao) const;
    // tipoNo NoVinculo finds the link, NoAlteracao its first pending name change.
    int LocalizarVinculo(int tipo, int categoria, const std::string& tipoNo, TDateTime admissao, int64_t pis,
                         int64_t inscricao) const;
    // The employer entry a link or name-change entry belongs to.
    int EmpresaDoRegistro(int indice) const;
    // 0 root, 1 employer, 2 link, 3 name change.
    int Nivel(int indice) const;

    // --- nodes ---------------------------------------------------------------------------------
    // -1 while the tree is empty.
    int Raiz() const { return raiz_; }
    bool ExisteNo(int no) const;
    const TNoArvore& No(int no) const;
    const TNoArvore& NoDoRegistro(int indice) const { return No(Registro(indice).No); }
    // Children sorted by caption, as the view shows them.
    const std::vector<int>& FilhosOrdenados(int no) const;
    // Position of the node among its parent's sorted children (0 for the root).
    int PosicaoNoPai(int no) const;

    // --- counts ----------------------------------------------------------------------------------
    // Links (entries "F") whose state is in the set; with pararNoPrimeiro, 0 or 1.
    int ContarPorEstado(TConjuntoEstados estados, bool pararNoPrimeiro) const;
    // The same over one employer's links.
    int ContarVinculosPorEstado(int indiceEmpresa, TConjuntoEstados estados) const;
    // Link and name-change entries that follow the employer.
    int ContarFilhos(int indiceEmpresa) const;
    // Entries of any kind in state 1: marked links and employers with a marked link.
    int ContarParticipantes() const;
    // From the database, upper-cased and trimmed; empty when the entry has no such key.
    std::string NomeEmpresa(int indice) const;
    std::string NomeTrabalhador(int indice) const;
    // The employer's derived state from the database: 0 none marked, 1 some marked, 2 every link
    // closed or processed (an employer without links is 0).
    int EstadoParticipacaoEmpresa(int tipo, int64_t inscricao) const;

    // --- editing ---------------------------------------------------------------------------------
    // Adds a node under `pai` (-1: a new root) and its entry, in its employer's group for a link.
    // Returns the new node's id.
    int AdicionarNo(const TDadosNovoNo& dados, int pai);
    // Sets the caption; an "A" row's other node follows, an employer's entries take its key
    // again, and every link node of the same PIS takes a worker's new name.
    void RenomearNo(const std::string& texto, const std::string& tipo, int no);
    // Removes the node with its children and entries; an employer's state follows a removed link.
    void ExcluirNo(int no);
    // Removes the name-change nodes under one link (-1: under every link).
    void ExcluirAlteracoes(int indiceVinculo);

    // --- states ------------------------------------------------------------------------------------
    void GravarEstadoVinculo(int tipo, int estado, TDateTime admissao, int categoria, int64_t pis, int64_t inscricao);
    void GravarEstadoEmpresa(int tipo, int estado, TConjuntoEstados estados, int64_t inscricao);
    // State 1 in the register and picture, with the employer following; the caller wrote the row.
    void MarcarRegistro(int indiceVinculo);
    // Link state 0 in database and register; the employer's state follows.
    void DesmarcarVinculo(int indiceVinculo);
    // State 0 for the employer's links in the given states.
    void DesmarcarEmpresa(int indiceEmpresa, TConjuntoEstados estados);
    // DesmarcarEmpresa or DesmarcarVinculo over the whole register.
    void DesmarcarTodos(TConjuntoEstados estados);
    // State 2 for one link (closing).
    void FecharVinculo(int indiceVinculo);
    // Register and picture only, for a state the caller already stored (a processed guide).
    void DefinirEstadoRegistro(int indiceVinculo, int estado);
    // The employer's derived state from its link entries.
    void AtualizarImagemEmpresa(int indiceEmpresa);
    // Withdraws the open collection: its row is deleted and the payment date emptied.
    void RetirarAbertura();
    // Reads every link's state from the database again (one query) and puts it into the register,
    // after a rolled-back change left the register ahead of the database.
    void RelerEstados();

    // IOuvinteArvore: the responsible's row became "A" or "R".
    void EstadoResponsavelAlterado(const std::string& estado) override;

private:
    int NovoNo(int pai, int nivel, const std::string& texto, int imagem);
    void AlterarImagem(int indice, int imagem);
    void InserirRegistro(int posicao, TRecArvore rec);
    void RemoverRegistros(int inicio, int quantidade);
    void IndexarRegistro() const;
    TNoArvore& NoMutavel(int no);
    void InvalidarOrdem() const;
    void AvisarEstrutura();

    TDateTime& dataPagamento_;
    IVisaoArvore* visao_ = nullptr;
    std::vector<TRecArvore> registro_;
    std::vector<TNoArvore> nos_; // node id = base_ + position
    int base_ = 0;
    int raiz_ = -1;
    // Register index of each node, rebuilt after entries move.
    mutable std::vector<int> indiceDoNo_;
    mutable bool indiceValido_ = false;
    // Sorted children and positions, built on demand.
    mutable std::vector<std::vector<int>> ordenados_;
    mutable std::vector<char> ordenadoValido_;
    mutable std::vector<int> posicao_;
};

// Orders captions as the tree shows them: letters compared without case and accents, then the
// text as it is, so the order never depends on the machine's locale.
bool TextoAntes(const std::string& a, const std::string& b);

} // namespace drav
