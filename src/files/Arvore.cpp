#include "files/Arvore.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"

#include <algorithm>

namespace drav {

namespace {

// The tree in one query: one row per employer without links and one per link and joined account.
// The link key comes before the account situation in the order, so the rows of one link stay
// together even when two links share the worker's name.
const char* const kSqlArvore =
    "SELECT EMP.NU_TIPO_INSO_EMPRA, EMP.NU_INSCRICAO, TRIM(EMP.NO_RAZAO_SOCIAL) AS NO_RAZAO_SOCIAL, "
    "COALESCE(VINC.NU_PIS, 0) AS PIS, TRIM(TRAB.NO_EMPREGADO) AS NO_EMPREGADO, "
    "COALESCE(VINC.IC_ESTADO_MOVIMENTO, 0) AS IC_ESTADO_MOVIMENTO, EMP.IC_ESTADO_EMPRESA, VINC.NU_CATEGORIA, "
    "VINC.DT_ADMISSAO_VINCULO, VINC.IC_VALIDACAO_VINCULO, CONEMP.NO_EMPREGADO AS NO_EMPREGADO_ALT_CAD, "
    "CONEMP.NU_SITUACAO_CONTA_EMPRESA, CONEMP.NU_SITUACAO_CONTA_EMPREGADO, "
    "COALESCE((SELECT ALT.IC_CONFIRMACAO FROM SFGTBG05_ALTERACAO_CADASTRAL ALT "
    "WHERE ALT.NU_TIPO_INSO_EMPRA = VINC.NU_TIPO_INSO_EMPRA AND ALT.NU_INSCRICAO = VINC.NU_INSCRICAO "
    "AND ALT.NU_PIS = VINC.NU_PIS AND ALT.NU_CATEGORIA = VINC.NU_CATEGORIA "
    "AND ALT.DT_ADMISSAO_VINCULO = VINC.DT_ADMISSAO_VINCULO AND ALT.IC_CONFIRMACAO = 'N' "
    "AND ALT.NU_TIPO_ALTERACAO = 406 AND ALT.NU_EMPREGADO_QUELD_ALT_CDSTL = CONEMP.NU_EMPREGADO_QUELD), 'S') "
    "AS IC_CONFIRMACAO "
    "FROM SFGTBG02_EMPRESA EMP "
    "LEFT OUTER JOIN SFGTBG04_VINCULO_EMPREGATICIO VINC ON VINC.NU_TIPO_INSO_EMPRA = EMP.NU_TIPO_INSO_EMPRA "
    "AND VINC.NU_INSCRICAO = EMP.NU_INSCRICAO "
    "LEFT OUTER JOIN SFGTBG03_EMPREGADO TRAB ON VINC.NU_PIS = TRAB.NU_PIS "
    "LEFT JOIN SFGTBG10_CONTA_EMPREGADO_FGTS CONEMP ON CONEMP.NU_TIPO_INSO_EMPRA = VINC.NU_TIPO_INSO_EMPRA "
    "AND CONEMP.NU_INSCRICAO = VINC.NU_INSCRICAO AND CONEMP.NU_PIS = VINC.NU_PIS "
    "AND CONEMP.NU_CATEGORIA = VINC.NU_CATEGORIA AND CONEMP.DT_ADMISSAO_VINCULO = VINC.DT_ADMISSAO_VINCULO "
    "ORDER BY 3, 1, 2, 5, 4, 8, 9, 13, CONEMP.NU_EMPREGADO_QUELD";

// Base letter of the Latin-1 letters U+00C0 to U+00FF, upper-cased; 0 where there is none.
const char kBaseLatin1[64 + 1] = "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTSAAAAAAACEEEEIIIIDNOOOOO/OUUUUYTY";

// The caption as the order compares it: letters upper-cased and stripped of accents.
std::string ChaveOrdem(const std::string& t)
{
    std::string k;
    k.reserve(t.size());
    for (size_t i = 0; i < t.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(t[i]);
        if (c < 0x80) {
            k += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : static_cast<char>(c);
        } else if ((c == 0xC3) && i + 1 < t.size()) {
            const unsigned char d = static_cast<unsigned char>(t[i + 1]);
            const int cp = 0xC0 + (d & 0x3F);
            const char base = (d >= 0x80 && d <= 0xBF) ? kBaseLatin1[cp - 0xC0] : 0;
            if (base && base != 'x' && base != '/') {
                k += base;
                ++i;
            } else {
                k += static_cast<char>(c);
            }
        } else {
            k += static_cast<char>(c);
        }
    }
    return k;
}

int16_t Curto(const TCampo& c) { return c.IsNull() ? 0 : static_cast<int16_t>(c.AsInteger()); }

} // namespace

int ImagemVinculo(int estado)
{
    switch (estado) {
    case 1: return imgVinculoMarcado;
    case 2: return imgVinculoFechado;
    case 3: return imgVinculoProcessado;
    default: return imgVinculo;
    }
}

int ImagemEmpresa(int estado)
{
    switch (estado) {
    case 1: return imgEmpresaMarcada;
    case 2: return imgEmpresaFechada;
    default: return imgEmpresa;
    }
}

bool TextoAntes(const std::string& a, const std::string& b)
{
    const std::string ka = ChaveOrdem(a), kb = ChaveOrdem(b);
    if (ka != kb)
        return ka < kb;
    return a < b;
}

TConjuntoEstados::TConjuntoEstados(std::initializer_list<int> estados)
{
    for (int e : estados)
        if (e >= 0 && e < 8)
            bits_ |= 1u << e;
}

std::string TConjuntoEstados::Lista() const
{
    std::string s;
    for (int e = 0; e < 8; ++e)
        if (Contem(e))
            s += (s.empty() ? "" : ",") + std::to_string(e);
    return s;
}

// --- construction and load ----------------------------------------------------------------------

TArvore::TArvore(TDBUtils& sessao, TDateTime& dataPagamento) : TNegocio(sessao), dataPagamento_(dataPagamento) {}

TArvore::~TArvore() = default;

void TArvore::Esvaziar()
{
    base_ += static_cast<int>(nos_.size());
    nos_.clear();
    registro_.clear();
    raiz_ = -1;
    indiceValido_ = false;
    InvalidarOrdem();
}

int TArvore::NovoNo(int pai, int nivel, const std::string& texto, int imagem)
{
    const int id = base_ + static_cast<int>(nos_.size());
    TNoArvore n;
    n.Pai = pai;
    n.Nivel = nivel;
    n.Texto = texto;
    n.Imagem = imagem;
    nos_.push_back(std::move(n));
    if (pai >= 0)
        NoMutavel(pai).Filhos.push_back(id);
    return id;
}

bool TArvore::CarregarArvore(const std::function<void(long, long)>& progresso)
{
    // The view lets go of the old nodes first: a progress report may repaint it during the load.
    Esvaziar();
    if (visao_)
        visao_->ArvoreRecarregada();
    struct Aviso {
        TArvore& a;
        ~Aviso()
        {
            // Orders and indices a repaint computed from a half-built tree are dropped.
            a.indiceValido_ = false;
            a.InvalidarOrdem();
            if (a.visao_)
                a.visao_->ArvoreRecarregada();
        }
    } aviso{*this};

    std::unique_ptr<TResultado> r = Sessao().AbrirConsulta(kSqlArvore);
    if (r->IsEmpty())
        return false;

    const int cTipo = r->IndiceColuna("NU_TIPO_INSO_EMPRA"), cInsc = r->IndiceColuna("NU_INSCRICAO"),
              cRazao = r->IndiceColuna("NO_RAZAO_SOCIAL"), cPis = r->IndiceColuna("PIS"),
              cNome = r->IndiceColuna("NO_EMPREGADO"), cEstado = r->IndiceColuna("IC_ESTADO_MOVIMENTO"),
              cPapel = r->IndiceColuna("IC_ESTADO_EMPRESA"), cCat = r->IndiceColuna("NU_CATEGORIA"),
              cAdm = r->IndiceColuna("DT_ADMISSAO_VINCULO"), cValid = r->IndiceColuna("IC_VALIDACAO_VINCULO"),
              cNomeAlt = r->IndiceColuna("NO_EMPREGADO_ALT_CAD"),
              cSitEmpresa = r->IndiceColuna("NU_SITUACAO_CONTA_EMPRESA"),
              cSitEmpregado = r->IndiceColuna("NU_SITUACAO_CONTA_EMPREGADO"),
              cConf = r->IndiceColuna("IC_CONFIRMACAO");

    auto situacaoEmpresa = [&]() -> int16_t {
        const TCampo c = r->Field(cSitEmpresa);
        return c.IsNull() ? int16_t(-1) : static_cast<int16_t>(c.AsInteger());
    };
    auto situacaoVinculo = [&]() -> int16_t {
        const TCampo e = r->Field(cSitEmpregado);
        if (!e.IsNull())
            return static_cast<int16_t>(e.AsInteger());
        return situacaoEmpresa();
    };

    // The root: the responsible only ("R"), else the employer that is also the responsible.
    int linhaRaiz = -1;
    for (const char* papel : {NoResponsavel, NoResponsavelEmpresa}) {
        for (r->First(); !r->Eof() && linhaRaiz < 0; r->Next())
            if (Aparar(r->Field(cPapel).AsString()) == papel)
                linhaRaiz = r->RecNo();
        if (linhaRaiz >= 0)
            break;
    }
    if (linhaRaiz < 0)
        return false;

    r->GotoBookmark(linhaRaiz);
    {
        TRecArvore rec;
        rec.TipoInscricao = Curto(r->Field(cTipo));
        rec.Inscricao = r->Field(cInsc).AsInt64();
        rec.Tipo = Aparar(r->Field(cPapel).AsString());
        rec.SituacaoConta = situacaoEmpresa();
        raiz_ = NovoNo(-1, 0, r->Field(cRazao).AsString(), imgRaiz);
        rec.No = raiz_;
        registro_.push_back(rec);
    }

    const long total = r->RecordCount();
    registro_.reserve(static_cast<size_t>(total) + 1);
    nos_.reserve(static_cast<size_t>(total) + 1);
    bool temEmpresa = false;
    int16_t ultTipo = 0;
    int64_t ultInsc = 0;
    int noEmpresa = -1, noVinculo = -1;
    struct Chave {
        int64_t pis = 0;
        int categoria = 0;
        TDateTime admissao = NullDate;
    } ultVinculo;
    std::vector<int> empresas;

    auto adicionarVinculo = [&](const Chave& k) {
        TRecArvore rec;
        rec.TipoInscricao = ultTipo;
        rec.Inscricao = ultInsc;
        rec.Pis = k.pis;
        rec.Categoria = static_cast<int16_t>(k.categoria);
        rec.DataAdmissao = k.admissao;
        rec.Estado = Curto(r->Field(cEstado));
        rec.SituacaoConta = situacaoVinculo();
        rec.Tipo = NoVinculo;
        rec.Inconsistente = Aparar(r->Field(cValid).AsString()) == "S";
        noVinculo = NovoNo(noEmpresa, 2, r->Field(cNome).AsString(), ImagemVinculo(rec.Estado));
        rec.No = noVinculo;
        registro_.push_back(rec);
    };
    auto adicionarAlteracao = [&](const Chave& k) {
        if (Aparar(r->Field(cConf).AsString()) != "N")
            return;
        TRecArvore rec;
        rec.TipoInscricao = ultTipo;
        rec.Inscricao = ultInsc;
        rec.Pis = k.pis;
        rec.Categoria = static_cast<int16_t>(k.categoria);
        rec.DataAdmissao = k.admissao;
        rec.SituacaoConta = situacaoVinculo();
        rec.Tipo = NoAlteracao;
        rec.Inconsistente = Aparar(r->Field(cValid).AsString()) == "S";
        rec.No = NovoNo(noVinculo, 3, r->Field(cNomeAlt).AsString(), imgAlteracaoNome);
        registro_.push_back(rec);
    };

    long linha = 0;
    for (r->First(); !r->Eof(); r->Next()) {
        const int16_t tipo = Curto(r->Field(cTipo));
        const int64_t insc = r->Field(cInsc).AsInt64();
        const std::string papel = Aparar(r->Field(cPapel).AsString());
        Chave k;
        k.pis = r->Field(cPis).AsInt64();
        if (k.pis > 0) {
            k.categoria = r->Field(cCat).AsInteger();
            k.admissao = r->Field(cAdm).AsDateTime();
        }
        if (!temEmpresa || tipo != ultTipo || insc != ultInsc) {
            if (papel == NoEmpresa || papel == NoResponsavelEmpresa) {
                TRecArvore rec;
                rec.TipoInscricao = tipo;
                rec.Inscricao = insc;
                rec.Tipo = papel;
                rec.SituacaoConta = situacaoEmpresa();
                noEmpresa = NovoNo(raiz_, 1, r->Field(cRazao).AsString(), imgEmpresa);
                rec.No = noEmpresa;
                empresas.push_back(static_cast<int>(registro_.size()));
                registro_.push_back(rec);
                temEmpresa = true;
                ultTipo = tipo;
                ultInsc = insc;
                ultVinculo = k;
                noVinculo = -1;
                if (k.pis > 0) {
                    adicionarVinculo(k);
                    adicionarAlteracao(k);
                }
            }
        } else if (k.pis > 0) {
            if (noVinculo >= 0 && k.pis == ultVinculo.pis && k.categoria == ultVinculo.categoria &&
                k.admissao == ultVinculo.admissao) {
                adicionarAlteracao(k); // another account of the same link
            } else {
                ultVinculo = k;
                adicionarVinculo(k);
                adicionarAlteracao(k);
            }
        }
        if (progresso)
            progresso(++linha, total);
    }
    if (progresso)
        progresso(total, total);

    // The employers' states follow from their links, already in the register: no query per node.
    for (int e : empresas) {
        int estado = 0;
        bool algum = false, aberto = false, marcado = false;
        for (int i = e + 1; i < TotalNos() && !registro_[i].EhEmpresa(); ++i) {
            if (!registro_[i].EhVinculo())
                continue;
            algum = true;
            marcado = marcado || registro_[i].Estado == 1;
            aberto = aberto || registro_[i].Estado == 0;
        }
        estado = marcado ? 1 : (algum && !aberto) ? 2 : 0;
        registro_[e].Estado = static_cast<int16_t>(estado);
        nos_[registro_[e].No - base_].Imagem = ImagemEmpresa(estado);
    }
    indiceValido_ = false;
    return true;
}

bool TArvore::RecarregarArvore(const std::function<void(long, long)>& progresso)
{
    dataPagamento_ = NullDate;
    auto r = Sessao().AbrirConsulta("SELECT DT_PAGAMENTO FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
    if (!r->IsEmpty())
        dataPagamento_ = r->FieldByName("DT_PAGAMENTO").AsDateTime();
    return CarregarArvore(progresso);
}

// --- register and nodes -------------------------------------------------------------------------

const TRecArvore& TArvore::Registro(int indice) const
{
    if (indice < 0 || indice >= TotalNos())
        throw ENegocio("Árvore vazia.");
    return registro_[indice];
}

void TArvore::IndexarRegistro() const
{
    if (indiceValido_ && indiceDoNo_.size() == nos_.size())
        return;
    indiceDoNo_.assign(nos_.size(), -1);
    for (int i = 0; i < TotalNos(); ++i)
        indiceDoNo_[registro_[i].No - base_] = i;
    indiceValido_ = true;
}

int TArvore::LocalizarNo(int no) const
{
    if (!ExisteNo(no))
        return -1;
    IndexarRegistro();
    return indiceDoNo_[no - base_];
}

int TArvore::LocalizarEmpresa(int64_t inscricao) const
{
    for (int i = 1; i < TotalNos(); ++i)
        if (registro_[i].Inscricao == inscricao && registro_[i].EhEmpresa())
            return i;
    return -1;
}

int TArvore::LocalizarEmpresa(int tipo, int64_t inscricao) const
{
    for (int i = 1; i < TotalNos(); ++i)
        if (registro_[i].TipoInscricao == tipo && registro_[i].Inscricao == inscricao && registro_[i].EhEmpresa())
            return i;
    return -1;
}

int TArvore::LocalizarPrimeiroVinculo(int tipo, int64_t inscricao) const
{
    for (int i = 1; i < TotalNos(); ++i) {
        const TRecArvore& e = registro_[i];
        if (e.TipoInscricao == tipo && e.Inscricao == inscricao && e.Pis != 0 && (e.EhVinculo() || e.EhAlteracao()))
            return i;
    }
    return -1;
}

int TArvore::LocalizarVinculo(int tipo, int categoria, const std::string& tipoNo, TDateTime admissao, int64_t pis,
                              int64_t inscricao) const
{
    for (int i = 1; i < TotalNos(); ++i) {
        const TRecArvore& e = registro_[i];
        if (e.Pis == pis && e.Inscricao == inscricao && e.TipoInscricao == tipo && e.Categoria == categoria &&
            e.Tipo == tipoNo && SomenteData(e.DataAdmissao) == SomenteData(admissao))
            return i;
    }
    return -1;
}

int TArvore::EmpresaDoRegistro(int indice) const
{
    if (indice <= 0 || indice >= TotalNos())
        return -1;
    for (int i = indice; i >= 1; --i)
        if (registro_[i].EhEmpresa())
            return i;
    return -1;
}

int TArvore::Nivel(int indice) const { return NoDoRegistro(indice).Nivel; }

bool TArvore::ExisteNo(int no) const
{
    return no >= base_ && no < base_ + static_cast<int>(nos_.size()) && !nos_[no - base_].Removido;
}

const TNoArvore& TArvore::No(int no) const
{
    if (!ExisteNo(no))
        throw ENegocio("Nó inexistente na árvore.");
    return nos_[no - base_];
}

TNoArvore& TArvore::NoMutavel(int no)
{
    if (!ExisteNo(no))
        throw ENegocio("Nó inexistente na árvore.");
    return nos_[no - base_];
}

void TArvore::InvalidarOrdem() const
{
    ordenados_.clear();
    ordenadoValido_.clear();
    posicao_.clear();
}

const std::vector<int>& TArvore::FilhosOrdenados(int no) const
{
    const TNoArvore& n = No(no);
    const size_t i = static_cast<size_t>(no - base_);
    if (ordenados_.size() != nos_.size()) {
        ordenados_.assign(nos_.size(), {});
        ordenadoValido_.assign(nos_.size(), 0);
        posicao_.assign(nos_.size(), 0);
    }
    if (!ordenadoValido_[i]) {
        std::vector<std::pair<std::string, int>> chaves;
        chaves.reserve(n.Filhos.size());
        for (int f : n.Filhos)
            chaves.emplace_back(ChaveOrdem(nos_[f - base_].Texto), f);
        std::stable_sort(chaves.begin(), chaves.end(), [this](const auto& a, const auto& b) {
            if (a.first != b.first)
                return a.first < b.first;
            return nos_[a.second - base_].Texto < nos_[b.second - base_].Texto;
        });
        std::vector<int>& saida = ordenados_[i];
        saida.clear();
        saida.reserve(chaves.size());
        for (size_t k = 0; k < chaves.size(); ++k) {
            saida.push_back(chaves[k].second);
            posicao_[chaves[k].second - base_] = static_cast<int>(k);
        }
        ordenadoValido_[i] = 1;
    }
    return ordenados_[i];
}

int TArvore::PosicaoNoPai(int no) const
{
    const TNoArvore& n = No(no);
    if (n.Pai < 0)
        return 0;
    FilhosOrdenados(n.Pai);
    return posicao_[no - base_];
}

// --- counts --------------------------------------------------------------------------------------

int TArvore::ContarPorEstado(TConjuntoEstados estados, bool pararNoPrimeiro) const
{
    int n = 0;
    for (const TRecArvore& e : registro_) {
        if (e.EhVinculo() && estados.Contem(e.Estado)) {
            ++n;
            if (pararNoPrimeiro)
                return 1;
        }
    }
    return n;
}

int TArvore::ContarVinculosPorEstado(int indiceEmpresa, TConjuntoEstados estados) const
{
    int n = 0;
    for (int i = indiceEmpresa + 1; i < TotalNos() && !registro_[i].EhEmpresa(); ++i)
        if (registro_[i].EhVinculo() && estados.Contem(registro_[i].Estado))
            ++n;
    return n;
}

int TArvore::ContarFilhos(int indiceEmpresa) const
{
    int n = 0;
    for (int i = indiceEmpresa + 1; i < TotalNos() && !registro_[i].EhEmpresa(); ++i)
        ++n;
    return n;
}

int TArvore::ContarParticipantes() const
{
    return static_cast<int>(
        std::count_if(registro_.begin(), registro_.end(), [](const TRecArvore& e) { return e.Estado == 1; }));
}

std::string TArvore::NomeEmpresa(int indice) const
{
    const TRecArvore& e = Registro(indice);
    if (e.TipoInscricao <= 0 || e.Inscricao <= 0)
        return {};
    auto r = Sessao().AbrirConsulta("SELECT NO_RAZAO_SOCIAL FROM SFGTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = " +
                                    std::to_string(e.TipoInscricao) + " AND NU_INSCRICAO = " +
                                    std::to_string(e.Inscricao));
    return r->IsEmpty() ? std::string() : MaiusculasAscii(Aparar(r->FieldByName("NO_RAZAO_SOCIAL").AsString()));
}

std::string TArvore::NomeTrabalhador(int indice) const
{
    const TRecArvore& e = Registro(indice);
    if (e.Pis <= 0)
        return {};
    auto r = Sessao().AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " +
                                    std::to_string(e.Pis));
    return r->IsEmpty() ? std::string() : MaiusculasAscii(Aparar(r->FieldByName("NO_EMPREGADO").AsString()));
}

int TArvore::EstadoParticipacaoEmpresa(int tipo, int64_t inscricao) const
{
    auto r = Sessao().AbrirConsulta(
        "SELECT COALESCE(IC_ESTADO_MOVIMENTO, 0) AS ESTADO FROM SFGTBG04_VINCULO_EMPREGATICIO "
        "WHERE NU_TIPO_INSO_EMPRA = " + std::to_string(tipo) + " AND NU_INSCRICAO = " + std::to_string(inscricao) +
        " AND COALESCE(IC_ESTADO_MOVIMENTO, 0) IN (0, 1, 2, 3)");
    if (r->IsEmpty())
        return 0;
    bool aberto = false;
    for (r->First(); !r->Eof(); r->Next()) {
        const int e = r->Field(0).AsInteger();
        if (e == 1)
            return 1;
        aberto = aberto || e == 0;
    }
    return aberto ? 0 : 2;
}

// --- editing -------------------------------------------------------------------------------------

void TArvore::AvisarEstrutura()
{
    indiceValido_ = false;
    InvalidarOrdem();
    if (visao_)
        visao_->EstruturaAlterada();
}

void TArvore::InserirRegistro(int posicao, TRecArvore rec)
{
    registro_.insert(registro_.begin() + posicao, std::move(rec));
    indiceValido_ = false;
}

void TArvore::RemoverRegistros(int inicio, int quantidade)
{
    registro_.erase(registro_.begin() + inicio, registro_.begin() + inicio + quantidade);
    indiceValido_ = false;
}

int TArvore::AdicionarNo(const TDadosNovoNo& d, int pai)
{
    TRecArvore rec;
    rec.Tipo = d.Tipo;
    rec.TipoInscricao = d.TipoInscricao;
    rec.Inscricao = d.Inscricao;
    rec.Estado = d.Estado;
    rec.SituacaoConta = d.SituacaoConta;
    int id = -1;
    if (pai < 0) {
        if (raiz_ >= 0)
            throw ENegocio("A árvore já tem raiz.");
        id = raiz_ = NovoNo(-1, 0, d.NomeEmpresa, imgRaiz);
        rec.No = id;
        rec.Estado = 0;
        InserirRegistro(0, rec);
    } else if (No(pai).Nivel == 0 && (d.Tipo == NoEmpresa || d.Tipo == NoResponsavelEmpresa)) {
        id = NovoNo(pai, 1, d.NomeEmpresa, ImagemEmpresa(d.Estado));
        rec.No = id;
        InserirRegistro(TotalNos(), rec);
    } else if (No(pai).Nivel == 1 && d.Tipo == NoVinculo) {
        const int empresa = LocalizarNo(pai);
        rec.TipoInscricao = registro_[empresa].TipoInscricao;
        rec.Inscricao = registro_[empresa].Inscricao;
        rec.Pis = d.Pis;
        rec.Categoria = d.Categoria;
        rec.DataAdmissao = d.DataAdmissao;
        rec.Inconsistente = d.Inconsistente;
        id = NovoNo(pai, 2, d.NomeTrabalhador, ImagemVinculo(d.Estado));
        rec.No = id;
        int fim = empresa + 1;
        while (fim < TotalNos() && !registro_[fim].EhEmpresa())
            ++fim;
        InserirRegistro(fim, rec);
        for (TRecArvore& e : registro_)
            if (e.EhVinculo() && e.Pis == d.Pis)
                nos_[e.No - base_].Texto = d.NomeTrabalhador;
        AtualizarImagemEmpresa(empresa);
    } else {
        throw ENegocio("Nó incompatível com o nível do pai na árvore.");
    }
    AvisarEstrutura();
    return id;
}

void TArvore::RenomearNo(const std::string& texto, const std::string& tipo, int no)
{
    TNoArvore& n = NoMutavel(no);
    n.Texto = texto;
    const int indice = LocalizarNo(no);
    if (indice >= 0 && tipo == NoResponsavelEmpresa) {
        const TRecArvore& e = registro_[indice];
        const int outro = n.Nivel == 0 ? LocalizarEmpresa(e.TipoInscricao, e.Inscricao) : 0;
        if (outro >= 0 && registro_[outro].No != no)
            nos_[registro_[outro].No - base_].Texto = texto;
    }
    if (indice >= 0 && tipo == NoVinculo) {
        const int64_t pis = registro_[indice].Pis;
        for (const TRecArvore& e : registro_)
            if (e.EhVinculo() && e.Pis == pis)
                nos_[e.No - base_].Texto = texto;
    }
    AvisarEstrutura();
}

void TArvore::ExcluirNo(int no)
{
    const int indice = LocalizarNo(no);
    if (indice < 0)
        return;
    if (indice == 0)
        throw ENegocio("A raiz da árvore não pode ser excluída.");
    const TNoArvore& n = No(no);
    int fim = indice + 1;
    if (n.Nivel == 1) {
        while (fim < TotalNos() && !registro_[fim].EhEmpresa())
            ++fim;
    } else if (n.Nivel == 2) {
        while (fim < TotalNos() && registro_[fim].EhAlteracao())
            ++fim;
    }
    const int empresa = n.Nivel >= 2 ? EmpresaDoRegistro(indice) : -1;
    for (int i = indice; i < fim; ++i)
        nos_[registro_[i].No - base_].Removido = true;
    if (n.Pai >= 0) {
        auto& irmaos = nos_[n.Pai - base_].Filhos;
        irmaos.erase(std::remove(irmaos.begin(), irmaos.end(), no), irmaos.end());
    }
    RemoverRegistros(indice, fim - indice);
    if (empresa >= 0 && n.Nivel == 2)
        AtualizarImagemEmpresa(empresa);
    AvisarEstrutura();
}

void TArvore::ExcluirAlteracoes(int indiceVinculo)
{
    bool mudou = false;
    for (int i = TotalNos() - 1; i >= 1; --i) {
        if (!registro_[i].EhAlteracao())
            continue;
        if (indiceVinculo >= 0) {
            const TRecArvore& v = Registro(indiceVinculo);
            const TRecArvore& c = registro_[i];
            if (c.Pis != v.Pis || c.Inscricao != v.Inscricao || c.TipoInscricao != v.TipoInscricao ||
                c.Categoria != v.Categoria || c.DataAdmissao != v.DataAdmissao)
                continue;
        }
        const int no = registro_[i].No;
        TNoArvore& n = nos_[no - base_];
        n.Removido = true;
        auto& irmaos = nos_[n.Pai - base_].Filhos;
        irmaos.erase(std::remove(irmaos.begin(), irmaos.end(), no), irmaos.end());
        RemoverRegistros(i, 1);
        if (indiceVinculo > i)
            --indiceVinculo;
        mudou = true;
    }
    if (mudou)
        AvisarEstrutura();
}

} // namespace drav
