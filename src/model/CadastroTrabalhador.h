#pragma once
#include "core/Datas.h"

#include <cstdint>
#include <string>

namespace drav {

class TDBUtils;
class TEmpregado;
class TInformacaoRescisao;

// The field of the worker's registration a failed check points at, so the entry form can focus
// it and the command line can name it.
enum class CampoCadastro {
    Nenhum, Pis, Cpf, Categoria, Nome, Sexo, GrauInstrucao, Cbo, Ctps, SerieCtps, DataNascimento, DataAdmissao,
    DataOpcao, DataMovimentacao, Movimentacao, AvisoPrevio, DataInicioAviso, HorasSemanais, ReposicaoVagas, Saque,
    TipoTomador, InscricaoTomador, Banco, Agencia, Conta, DataDissidio, ValorDissidio, RemuneracaoAnterior,
    RemuneracaoRescisao, ValorAvisoPrevio, TipoPensao, ValorPensao
};

struct TFalhaCadastro {
    std::string Codigo;                       // empty: every check passed
    CampoCadastro Campo = CampoCadastro::Nenhum;
    bool Falhou() const { return !Codigo.empty(); }
};

// Runs every check of a worker, its link (held in the worker's Vinculo) and the link's rescission
// data, in the order the entry form shows them, and stops at the first failure. Dates typed but
// unreadable are expected as DataInvalida and dates left empty as NullDate.
TFalhaCadastro ValidarCadastroTrabalhador(TEmpregado& trabalhador);

// The name of a field as the command line and messages show it ("pis", "data_admissao", ...).
const char* NomeCampoCadastro(CampoCadastro campo);

// What the worker's FGTS accounts say about a link's balance for rescission purposes: whether the
// link has accounts at all (situation other than 3) and the sum of those whose PIS situation is 1.
struct TSaldoContas {
    bool TemContas = false;
    double Soma = 0;
};
TSaldoContas SaldoDasContas(TDBUtils& sessao, int tipoInscricao, int64_t inscricao, int64_t pis, int categoria,
                            TDateTime admissao);

// The balance and origin a saved registration carries: the accounts' sum with origin "C" when the
// link has accounts, else the balance the employer informed with origin "E" when above zero, else
// none ("N").
void DefinirSaldoRescisorio(TInformacaoRescisao& rescisao, const TSaldoContas& contas, double saldoEmpresa);

} // namespace drav

namespace drav {

class TVinculo;

// Balance complements of the link (SFGTBG07_COMPLEMENTO_SALDO). A dissídio date excludes them:
// the entry form deletes them, after asking, when one is saved.
bool VinculoTemComplementos(TVinculo& vinculo);
// Deletes them and empties the complement deposits of the rescission row; joins the caller's
// transaction. Database errors propagate.
void ExcluirComplementosDoVinculo(TVinculo& vinculo);

} // namespace drav
