#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"
#include "model/RegRegistro.h"

#include <cstdint>
#include <memory>
#include <string>

namespace drav {

class TEmpresa;
class TEmpregado;
class TInformacaoRescisao;
class TRegistrosGravados;

// Collection states of a link (IC_ESTADO_MOVIMENTO).
enum EstadoMovimentoVinculo : int {
    EstadoRegistrado = 0, // not taking part in the current collection
    EstadoMarcado = 1,    // marked to take part
    EstadoFechado = 2,    // included in a generated rescission file
    EstadoProcessado = 3, // its guide came back processed
};

// One employment link (SFGTBG04_VINCULO_EMPREGATICIO): the unit for which a rescission is declared
// and a guide is paid. Key: employer type and number, PIS, category, admission.
//
// The employer, the worker and the rescission data are reached through accessors that create the
// object on first use and, while CarregaRelacionados is true, load it for this link's key. A link
// owned by a worker (or by rescission data) answers that owner instead of building a second copy,
// so no accessor chain can ever come back to where it started.
class TVinculo : public TNegocio {
public:
    explicit TVinculo(TDBUtils& sessao);
    ~TVinculo() override;

    int TipoInscricao = 0;   // employer's inscription type, 1 CNPJ, 2 CEI
    int64_t Inscricao = 0;   // employer's inscription number
    int64_t Pis = 0;
    int Categoria = 0;       // -1: none chosen in the form
    TDateTime DataAdmissao = NullDate;
    int EstadoMovimento = EstadoRegistrado;
    int TipoInscricaoTomador = 0; // service taker: 0 none, 1 CNPJ, 2 CEI
    int64_t InscricaoTomador = 0;
    int HorasSemanais = 0;
    int AvisoPrevio = 0;          // 1 worked, 2 indemnified, 3 absence/dismissal
    std::string ReposicaoVagas;   // "S" / "N"
    std::string Cbo;              // 6 characters, zero-padded
    std::string Movimentacao;     // movement (termination) code
    std::string Saque;            // withdrawal code, 2 characters
    TDateTime DataOpcao = NullDate;
    TDateTime DataMovimentacao = NullDate;
    TDateTime DataInicioAviso = NullDate;
    std::string DescricaoMovimentacao;
    bool Inconsistente = false;   // IC_VALIDACAO_VINCULO = 'S'
    std::string Banco;            // 3 digits
    std::string Agencia;
    std::string Conta;
    // Stored rows read in bulk by a run over many links; unset, the checks and writes query.
    TRegistrosGravados* Gravados = nullptr;

    // --- related objects --------------------------------------------------------------------
    TEmpresa& Empresa();
    TEmpregado& Trabalhador();
    TInformacaoRescisao& Rescisao();

    // --- queries (each replaces the held result set and loads its first row) -----------------
    // By the five key fields of the object; a key part that is 0 matches nothing.
    bool ConsultarPorChave();
    bool BuscarVinculo(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis, int64_t inscricao);
    // Links in state 1; unless `todos`, narrowed by every argument above 0.
    bool ListarMarcados(bool todos, int tipoInscricao, TDateTime admissao, int categoria, int64_t pis,
                        int64_t inscricao);
    bool ListarTodos();
    // Stored values, read straight from the tables without touching the held result set.
    std::string MovimentacaoGravada(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                    int64_t inscricao);
    double ValorDissidioGravado(int tipoInscricao, int categoria, TDateTime admissao, int64_t pis,
                                int64_t inscricao);

    // Stores the outcome of a validation: 'S'/'N' on this link (or, with `todos`, on every link).
    // An inconsistent link never stays marked for a collection.
    bool GravarValidacao(bool todos, bool inconsistente);

    // "1 - Trabalhado", "2 - Indenizado", "3 - Ausência/Dispensa"; empty for anything else.
    std::string DescricaoAvisoPrevio() const;
    static std::string DescricaoAvisoPrevio(int tipo);

    // --- field checks: each empties CodigoMensagem and returns true when none is left ------------
    bool ValidarCategoria(bool apenasTabela);
    bool ValidarCbo();
    bool ValidarMovimentacao();
    // With `verificarTrabalhador` the worker's birth date and stored links are checked too; the
    // payroll records, when given, are the lines of the file being imported.
    bool ValidarDataAdmissao(bool verificarTrabalhador, const TArrRegRegistro* registros = nullptr);
    bool ValidarDataOpcao();
    bool ValidarDataMovimentacao();
    bool ValidarAvisoPrevio();
    bool ValidarDataInicioAviso();
    bool ValidarHorasSemanais();
    bool ValidarReposicaoVagas();
    bool ValidarSaque();
    bool ValidarTipoTomador();
    bool ValidarInscricaoTomador();
    bool ValidarBanco();
    bool ValidarAgencia();
    bool ValidarConta();

    // "NU_TIPO_INSO_EMPRA = t AND NU_INSCRICAO = n AND NU_PIS = p AND NU_CATEGORIA = c AND
    // DT_ADMISSAO_VINCULO = d", each column prefixed with `alias.` when given; parts that are 0 (or
    // no date) are written as Null so that they match nothing.
    std::string FiltroChave(const std::string& alias = {}) const;
    static std::string FiltroChave(const std::string& alias, int tipoInscricao, int64_t inscricao, int64_t pis,
                                   int categoria, TDateTime admissao);

protected:
    void Inicializar() override;
    void Limpar() override;
    void CarregarCampos() override;

private:
    friend class TEmpregado;
    friend class TInformacaoRescisao;

    std::unique_ptr<TEmpresa> empresa_;
    std::unique_ptr<TEmpregado> trabalhador_;
    std::unique_ptr<TInformacaoRescisao> rescisao_;
    // Owners this link belongs to, answered by the accessors instead of a fresh object.
    TEmpregado* trabalhadorDono_ = nullptr;
    TInformacaoRescisao* rescisaoDona_ = nullptr;
};

} // namespace drav
