#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace drav {

class TVinculo;

// A worker (SFGTBG03_EMPREGADO, keyed by the PIS) seen together with one of its links: every row
// of its queries is one worker-and-link pair, and loading a row fills both the worker's fields and
// the owned link. The worker row is shared by all its links and goes with the last of them.
//
// Writes open their own transaction unless the caller already holds one, so a worker with its link
// and rescission row is saved (or deleted) whole or not at all; a caller that saves several links
// together opens the transaction around them (see IncluirVinculos).
class TEmpregado : public TNegocio {
public:
    explicit TEmpregado(TDBUtils& sessao);
    ~TEmpregado() override;

    std::string Pis;            // 11 digits
    std::string GrauInstrucao;  // "1" to "13"
    std::string Nome;
    std::string Ctps;           // work-card number
    std::string SerieCtps;      // work-card series
    int Sexo = 0;               // 1 male, 2 female
    TDateTime DataNascimento = NullDate;
    std::string Cpf;            // 11 digits, empty when not informed

    // The link of the current row (created on first use, dropped when another row is loaded).
    TVinculo& Vinculo();

    // --- checks: each empties CodigoMensagem and returns true when none is left -----------------
    bool ValidarPis();
    bool ValidarCpf();
    bool ValidarNome();
    bool ValidarSexo();
    bool ValidarGrauInstrucao();
    // Forms and link validation are strict (a zero number or series counts as missing); the
    // readers of payroll and guide files are not.
    bool ValidarCtps(bool estrito);
    bool ValidarSerieCtps(bool estrito);
    bool ValidarDataNascimento();

    // --- queries -----------------------------------------------------------------------------------
    bool ConsultarVinculo(int tipoInscricao, const std::string& inscricao, TDateTime admissao, int categoria,
                          const std::string& pis);
    bool ConsultarPorPis(const std::string& pis);
    // Name of the first held row with this PIS; empty when none.
    std::string NomePorPis(const std::string& pis);
    void ListarTodos();
    // Workers whose name contains the text (the text is taken literally, never as SQL).
    void ListarPorNome(const std::string& texto);
    // Links of an employer that have rescission data, with the employer's name.
    void ListarDaEmpresa(const std::string& tipoInscricao, const std::string& inscricao);
    // The link held in Vinculo is already stored: true, with "0208".
    bool ExisteVinculo();

    // --- writes ------------------------------------------------------------------------------------
    // Inserts the link held in Vinculo with its rescission row, and the worker (or updates the
    // worker's personal data when the PIS is already registered).
    bool Incluir();
    // The same for every link given, all in one transaction: one failing link leaves nothing.
    bool IncluirVinculos(const std::vector<TVinculo*>& vinculos);
    // Updates the worker and, unless `apenasTrabalhador`, the link held in Vinculo with its
    // rescission inputs. The key of a link never changes.
    bool Alterar(bool apenasTrabalhador);
    // Deletes the link held in Vinculo (or every link of its employer) with every dependent row,
    // and the workers left without a link.
    bool ExcluirVinculos(bool empresaInteira);
    // Deletes every link of the worker Pis and the worker, in one transaction.
    bool ExcluirTrabalhador();

    // Balance for rescission purposes of one link from its worker accounts (see SaldoRescisorio.h).
    bool AtualizarSaldoRescisorio(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                  int64_t inscricao);
    // The same for every open link of one employer, after its accounts changed.
    bool RecalcularSaldosRescisorios(int tipoInscricao, int64_t inscricao);

    // A category without work card (IC_CTPS "N") empties the number and series.
    void AplicarRegraCtps();

protected:
    void Inicializar() override;
    void Limpar() override;
    void CarregarCampos() override;

private:
    bool IncluirUm(TVinculo& vinculo);
    bool ExisteVinculo(const TVinculo& vinculo);
    void AlterarTrabalhador(const TVinculo& vinculo);
    void AbrirSql(const std::string& sql);
    std::string PisSql() const;

    std::unique_ptr<TVinculo> vinculo_;
};

// The name the rest of the system knows this object by.
using TTrabalhador = TEmpregado;

} // namespace drav
