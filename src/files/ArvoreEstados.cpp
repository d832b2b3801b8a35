// The participation states of the tree's links and employers, kept in step with the database.
#include "files/Arvore.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"

#include <map>
#include <tuple>

namespace drav {

// --- states ---------------------------------------------------------------------------------------

void TArvore::GravarEstadoVinculo(int tipo, int estado, TDateTime admissao, int categoria, int64_t pis,
                                  int64_t inscricao)
{
    Sessao().ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = " + std::to_string(estado) +
                         " WHERE NU_TIPO_INSO_EMPRA = " + std::to_string(tipo) + " AND NU_INSCRICAO = " +
                         std::to_string(inscricao) + " AND NU_PIS = " + std::to_string(pis) +
                         " AND NU_CATEGORIA = " + std::to_string(categoria) +
                         " AND DT_ADMISSAO_VINCULO = " + SqlData(admissao));
}

void TArvore::GravarEstadoEmpresa(int tipo, int estado, TConjuntoEstados estados, int64_t inscricao)
{
    Sessao().ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = " + std::to_string(estado) +
                         " WHERE NU_TIPO_INSO_EMPRA = " + std::to_string(tipo) + " AND NU_INSCRICAO = " +
                         std::to_string(inscricao) + " AND IC_ESTADO_MOVIMENTO IN (" + estados.Lista() + ")");
}

void TArvore::AlterarImagem(int indice, int imagem)
{
    TNoArvore& n = nos_[registro_[indice].No - base_];
    if (n.Imagem == imagem)
        return;
    n.Imagem = imagem;
    if (visao_)
        visao_->NoAlterado(registro_[indice].No);
}

void TArvore::DefinirEstadoRegistro(int indiceVinculo, int estado)
{
    TRecArvore& e = registro_.at(static_cast<size_t>(indiceVinculo));
    if (!e.EhVinculo())
        throw ENegocio("O item da árvore não é um vínculo.");
    e.Estado = static_cast<int16_t>(estado);
    AlterarImagem(indiceVinculo, ImagemVinculo(estado));
    const int empresa = EmpresaDoRegistro(indiceVinculo);
    if (empresa >= 0)
        AtualizarImagemEmpresa(empresa);
}

void TArvore::MarcarRegistro(int indiceVinculo) { DefinirEstadoRegistro(indiceVinculo, 1); }

void TArvore::DesmarcarVinculo(int indiceVinculo)
{
    const TRecArvore& e = Registro(indiceVinculo);
    GravarEstadoVinculo(e.TipoInscricao, 0, e.DataAdmissao, e.Categoria, e.Pis, e.Inscricao);
    DefinirEstadoRegistro(indiceVinculo, 0);
}

void TArvore::FecharVinculo(int indiceVinculo)
{
    const TRecArvore& e = Registro(indiceVinculo);
    GravarEstadoVinculo(e.TipoInscricao, 2, e.DataAdmissao, e.Categoria, e.Pis, e.Inscricao);
    DefinirEstadoRegistro(indiceVinculo, 2);
}

void TArvore::DesmarcarEmpresa(int indiceEmpresa, TConjuntoEstados estados)
{
    const TRecArvore& emp = Registro(indiceEmpresa);
    GravarEstadoEmpresa(emp.TipoInscricao, 0, estados, emp.Inscricao);
    for (int i = indiceEmpresa + 1; i < TotalNos() && !registro_[i].EhEmpresa(); ++i) {
        if (registro_[i].EhVinculo() && estados.Contem(registro_[i].Estado)) {
            registro_[i].Estado = 0;
            AlterarImagem(i, imgVinculo);
        }
    }
    AtualizarImagemEmpresa(indiceEmpresa);
}

void TArvore::DesmarcarTodos(TConjuntoEstados estados)
{
    // One statement for the whole register instead of one per link: the outcome is the same.
    Sessao().ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 0 "
                         "WHERE IC_ESTADO_MOVIMENTO IN (" + estados.Lista() + ")");
    int empresa = -1;
    bool mudou = false;
    auto fecharEmpresa = [&] {
        if (empresa >= 0 && mudou)
            AtualizarImagemEmpresa(empresa);
    };
    for (int i = 1; i < TotalNos(); ++i) {
        TRecArvore& e = registro_[i];
        if (e.EhEmpresa()) {
            fecharEmpresa();
            empresa = i;
            mudou = false;
        } else if (e.EhVinculo() && estados.Contem(e.Estado)) {
            e.Estado = 0;
            AlterarImagem(i, imgVinculo);
            mudou = true;
        }
    }
    fecharEmpresa();
}

void TArvore::AtualizarImagemEmpresa(int indiceEmpresa)
{
    TRecArvore& emp = registro_.at(static_cast<size_t>(indiceEmpresa));
    bool algum = false, aberto = false, marcado = false;
    for (int i = indiceEmpresa + 1; i < TotalNos() && !registro_[i].EhEmpresa(); ++i) {
        if (!registro_[i].EhVinculo())
            continue;
        algum = true;
        marcado = marcado || registro_[i].Estado == 1;
        aberto = aberto || registro_[i].Estado == 0;
    }
    const int estado = marcado ? 1 : (algum && !aberto) ? 2 : 0;
    emp.Estado = static_cast<int16_t>(estado);
    AlterarImagem(indiceEmpresa, ImagemEmpresa(estado));
}

void TArvore::RetirarAbertura()
{
    Sessao().ExecutarSQL("DELETE FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
    dataPagamento_ = NullDate;
}

void TArvore::RelerEstados()
{
    auto r = Sessao().AbrirConsulta("SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                                    "DT_ADMISSAO_VINCULO, COALESCE(IC_ESTADO_MOVIMENTO, 0) AS ESTADO "
                                    "FROM SFGTBG04_VINCULO_EMPREGATICIO");
    using Chave = std::tuple<int, int64_t, int64_t, int, double>;
    std::map<Chave, int> estados;
    for (r->First(); !r->Eof(); r->Next())
        estados[Chave(r->Field(0).AsInteger(), r->Field(1).AsInt64(), r->Field(2).AsInt64(), r->Field(3).AsInteger(),
                      SomenteData(r->Field(4).AsDateTime()))] = r->Field(5).AsInteger();
    int empresa = -1;
    for (int i = 1; i < TotalNos(); ++i) {
        TRecArvore& e = registro_[i];
        if (e.EhEmpresa()) {
            if (empresa >= 0)
                AtualizarImagemEmpresa(empresa);
            empresa = i;
        } else if (e.EhVinculo()) {
            const auto it =
                estados.find(Chave(e.TipoInscricao, e.Inscricao, e.Pis, e.Categoria, SomenteData(e.DataAdmissao)));
            const int estado = it == estados.end() ? 0 : it->second;
            e.Estado = static_cast<int16_t>(estado);
            AlterarImagem(i, ImagemVinculo(estado));
        }
    }
    if (empresa >= 0)
        AtualizarImagemEmpresa(empresa);
}

void TArvore::EstadoResponsavelAlterado(const std::string& estado)
{
    if (registro_.empty())
        return;
    TRecArvore& raiz = registro_[0];
    raiz.Tipo = estado;
    if (estado == NoResponsavelEmpresa) {
        const int e = LocalizarEmpresa(raiz.TipoInscricao, raiz.Inscricao);
        if (e >= 0)
            registro_[e].Tipo = NoResponsavelEmpresa;
    }
}

} // namespace drav
