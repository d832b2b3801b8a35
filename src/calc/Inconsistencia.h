#pragma once
#include "core/Excecoes.h"
#include "core/Negocio.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drav {

// The register keeps the problems of each kind of run under its own number, so that the listing
// of a kind always shows its last run and a new run deletes only its own rows.
inline constexpr int InconsistenciaFolha = 1;             // payroll import
inline constexpr int InconsistenciaSaldo = 2;             // rescission-balance file
inline constexpr int InconsistenciaFechamento = 3;        // closing, calculation, link validation, simulation
inline constexpr int InconsistenciaGuias = 4;             // guides for payment, identification-key occurrences
inline constexpr int InconsistenciaGuiasProcessadas = 5;  // processed guides, rejected resubmissions

// Answers of a register write.
inline constexpr int RegistroGravado = 1;
inline constexpr int RegistroFalhou = 0;                  // the database refused the row
inline constexpr int RegistroMensagemInexistente = 396;   // the message code is not in SFGTBT13

// One row of the register as its writer fills it. Texts are UTF-8 and may be of any length: the
// writer cuts each to its column.
struct TDadosInconsistencia {
    int NumeroArquivo = 0;
    int NumeroMensagem = 0;
    std::string CodigoRegistro;
    int LinhaErro = 0; // 0: no line
    std::string ConteudoCampo;
    std::string TipoInscricaoResponsavel;
    std::string InscricaoResponsavel;
    std::string RazaoSocialResponsavel;
    std::string TipoInscricaoEmpresa;
    std::string InscricaoEmpresa;
    std::string RazaoSocial;
    std::string Pis;
    std::string CodigoCategoria;
    std::string DataAdmissao; // ddmmyyyy (dd/mm/yyyy is read too); blank, zeros or not a date: none
    std::string NomeEmpregado;
};

// Where a run leaves the problems it finds. The calculation writes through this, so that it can
// be exercised without a database.
class IRegistroInconsistencias {
public:
    virtual ~IRegistroInconsistencias() = default;
    // RegistroGravado, RegistroMensagemInexistente (nothing written) or RegistroFalhou.
    virtual int Registrar(const TDadosInconsistencia& dados) = 0;
};

// Raised when a file run tries to record a message code that the message table lacks: the run
// cannot report its problems any more and must stop. CodigoMensagem of the recorder is "0396".
class EMensagemNaoCadastrada : public ENegocio {
public:
    explicit EMensagemNaoCadastrada(int codigo);
    const char* NomeClasse() const override { return "EMensagemNaoCadastrada"; }
    int Codigo;
};

// The inconsistency register (SFGTBG18_INCONSISTENCIA_ARQUIVO): writes, deletes and lists rows.
//
// Every write and delete runs in a short transaction of its own, committed at once: the rows of
// a load that is rolled back are exactly what the user needs to see, so they must survive the
// rollback, and a rolled-back run must not bring back the previous run's rows either.
class TInconsistencia : public TNegocio, public TDadosInconsistencia, public IRegistroInconsistencias {
public:
    explicit TInconsistencia(TDBUtils& sessao);

    int64_t NumeroInconsistencia = 0; // read only
    std::string FiltroArquivo;        // "1" to "5"; empty lists every number

    // Writes the current fields as one row: RegistroGravado, RegistroMensagemInexistente when
    // NumeroMensagem is not in SFGTBT13 (nothing written), RegistroFalhou when the database
    // refused it (the reason is kept in ErroGravacao). A file number outside 1 to 5 is a misuse
    // (ENegocio): its rows would never be listed nor deleted.
    int Registrar();
    int Registrar(const TDadosInconsistencia& dados) override;

    // The file runs' way in, arguments in their fixed order. Every field is assigned (a previous
    // row leaves nothing behind); NumeroArquivo stays as set. CodigoMensagem becomes the code with
    // four digits. A code missing from the message table sets CodigoMensagem "0396" and raises
    // EMensagemNaoCadastrada, which ends the run. Otherwise the answer of Registrar.
    int RegistrarInconsistencia(const std::string& conteudoCampo, const std::string& codigoRegistro, int linha,
                                int codigoMensagem, const std::string& tipoInscricaoResponsavel,
                                const std::string& inscricaoResponsavel, const std::string& razaoSocialResponsavel,
                                const std::string& tipoInscricaoEmpresa, const std::string& inscricaoEmpresa,
                                const std::string& razaoSocial, const std::string& pis,
                                const std::string& codigoCategoria, const std::string& dataAdmissao,
                                const std::string& nomeEmpregado);

    // A closing problem of one link (file number 3). True when the row was written.
    bool RegistrarFechamento(const std::string& codigoMensagem, const std::string& tipoInscricaoResponsavel,
                             const std::string& nomeEmpregado, const std::string& dataAdmissao,
                             const std::string& codigoCategoria, const std::string& pis,
                             const std::string& razaoSocial, const std::string& inscricaoEmpresa,
                             const std::string& tipoInscricaoEmpresa, const std::string& razaoSocialResponsavel,
                             const std::string& inscricaoResponsavel);

    // Deletes every row of NumeroArquivo. False when the database refused (reason in ErroGravacao).
    bool ExcluirPorArquivo();

    // Lists the rows of FiltroArquivo (all when empty) with the message text, in the order they
    // were written, and loads the first into the fields. A filter that is not a file number is
    // refused with ENegocio.
    void ConsultarPorArquivo();
    void ConsultarFolha();
    void ConsultarSaldo();
    bool ConsultarFechamento(); // true when the last closing left at least one row
    void ConsultarGuias();
    void ConsultarGuiasProcessadas();

    // Database message of the last write or delete that failed; empty after one that worked.
    std::string ErroGravacao;

    // The INSERT statement of the current fields, as Registrar runs it.
    std::string SqlInsercao() const;

protected:
    void Limpar() override;
    void CarregarCampos() override;

private:
    void Consultar(const std::string& filtro);
};

// Keeps the rows in memory: for tests, and for runs that only want to know what went wrong.
// Codes listed in `MensagensInexistentes` are answered as missing from the message table.
class TRegistroInconsistenciasMemoria : public IRegistroInconsistencias {
public:
    int Registrar(const TDadosInconsistencia& dados) override;
    std::vector<TDadosInconsistencia> Linhas;
    std::vector<int> MensagensInexistentes;
};

// The register's text of a field: characters the database column (Windows-1252) cannot hold, and
// bytes that are not UTF-8, become "?" — the register must never lose a row over the text it
// quotes — and the text is cut to `largura` characters, never inside a character.
std::string TextoRegistro(const std::string& texto, int largura);

} // namespace drav
