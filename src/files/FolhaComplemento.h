#pragma once
// The balance complements a payroll file declares (SFGTBG07_COMPLEMENTO_SALDO): the checks the
// import applies to each competence and the deposit each one owes, written inside the import's
// transaction.
#include "calc/ComplementoSaldo.h"
#include "core/Datas.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace drav {

class TDBUtils;
class TTabelasIndicesBanco;
class TIndicesCalculo;

class TComplementoFolha {
public:
    explicit TComplementoFolha(TDBUtils& sessao);
    ~TComplementoFolha();

    // link key
    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;
    // what the checks and the deposit read from the link
    TDateTime DataOpcao = NullDate;
    TDateTime DataMovimentacao = NullDate;
    TDateTime DataDissidio = NullDate;
    std::string Movimentacao;

    int NumeroComplemento = 0; // 1, 2 or 3
    std::string AnoCompetencia; // "yyyy"
    std::string MesCompetencia; // "mm"
    double ValorRemuneracao = 0;
    double ValorDeposito = 0;

    std::string CodigoMensagem;

    // "0489": no complement for a link with an agreement date or the movement I3.
    bool ValidarPermiteComplemento();
    // "0034" month or year malformed, "0102" year before 1967, "0395" before the option month,
    // "0411" after the movement month. An empty competence passes when allowed.
    bool ValidarCompetencia(bool permiteVazio);
    // "0355" an amount without competence, "0356" a competence without amount.
    bool ValidarRemuneracao();

    // Deposit owed (rate of the category at the competence, old currencies converted, interest and
    // update to the installed edital); -1 when it cannot be computed.
    double CalcularDeposito();
    // Computes the deposit and inserts the row; false with "0372" when the deposit cannot be
    // computed. Database failures are passed on.
    bool Incluir();

private:
    void CarregarTabelas();

    TDBUtils& sessao_;
    bool carregado_ = false;
    std::vector<TAliquotaCompetencia> aliquotas_;
    TDateTime edital_ = NullDate;
    std::unique_ptr<TTabelasIndicesBanco> tabelas_;
    std::unique_ptr<TIndicesCalculo> indices_;
};

} // namespace drav
