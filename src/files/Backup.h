#pragma once
// Backup and restore of the user's data: every table of a fixed list written as a text file of
// INSERT statements beside a version file, and put back in one transaction.
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace drav {

class TDBUtils;

// How the version line of a backup folder compares with this program.
enum class SituacaoVersaoBackup {
    Ausente,       // no VERSAO.txt
    Ilegivel,      // the first word is not a version number
    FormatoAntigo, // release 1.3.3, comma-separated values
    Anterior,      // written by an older layout of this program
    Mesma,         // the same layout
    Posterior,     // a newer layout: this program cannot know what its tables hold
};

class TBackup {
public:
    // Every table of the backup list.
    explicit TBackup(TDBUtils& sessao);
    // One table, restricted by `condicao` (" WHERE NU_IDENTIFICADOR_ARQUIVO = '...'"), written
    // by this program's own code, never taken from a user.
    TBackup(TDBUtils& sessao, const std::string& tabela, const std::string& condicao);

    std::vector<std::string> Tabelas;
    std::string Condicao;
    bool MesmaVersao = false;
    bool EstruturaAlterada = false;
    bool ValidarAposRestaurar = false;
    bool InconsistenciasGravadas = false;
    std::string VersaoBackup;

    // Why the last export or restore failed: the archive's or the database's reason, or the
    // version refusal. Windows show their message code; the terminal and the log show this.
    std::string MotivoFalha;
    // Called before each row of an old-format file, so a window can repaint.
    std::function<void()> AoLerLinha;

    // Entries 1 to 19 of the list, plus the homologation tables unless `formatoAntigo`.
    void ListarTabelas(bool formatoAntigo);
    // Writes pasta/VERSAO.txt: the version with its date. False when it could not be written.
    bool GravarVersao(const std::filesystem::path& pasta);
    // Reads pasta/VERSAO.txt into VersaoBackup. Mode 1: true for an old-format backup. Mode 0:
    // true only for this layout's version, and then MesmaVersao tells whether the version date
    // matches too (false for any other version, which the caller must tell apart with
    // SituacaoVersao: a newer one is never restored).
    bool ConferirVersao(const std::filesystem::path& pasta, int modo);
    SituacaoVersaoBackup SituacaoVersao(const std::filesystem::path& pasta);
    // Deletes every table file of the list and VERSAO.txt; the result is that of the last
    // table file (true when it is gone, or was never there).
    bool ApagarArquivosBackup(const std::filesystem::path& pasta);
    bool ArquivosCompletos(const std::filesystem::path& pasta);
    // Writes VERSAO.txt and one file per table. Throws ENegocio when the folder is missing or a
    // file cannot be written: a backup with a table left out would only fail on the day it is
    // restored.
    bool ExportarTabelas(const std::filesystem::path& pasta);
    // Deletes the rows of the list, last table first (only the condition's rows in the
    // single-table form).
    void LimparTabelas();
    // True when the table has a column that the file's first line does not name.
    bool ConferirEstrutura(const std::string& tabela, const std::string& primeiraLinha);
    // Replaces the tables with the folder's files in one transaction. False, with nothing changed
    // and the reason in MotivoFalha, on any failure; a changed table structure also sets
    // EstruturaAlterada. Inside a transaction the caller opened, the work joins it and rolling
    // back after a failure is the caller's.
    bool RestaurarTabelas(const std::filesystem::path& pasta);
    // The column renames of release 1.3.3 applied to a header line.
    static std::string AjustarColunasAntigas(const std::string& tabela, const std::string& cabecalho);
    // Restores a release 1.3.3 backup (entries 1 to 19) in one transaction.
    bool RestaurarFormatoAntigo(const std::filesystem::path& pasta);

private:
    struct ColunaBanco {
        std::string nome;
        int tipo = 0; // the engine's field type number
    };
    std::vector<ColunaBanco> ColunasBanco(const std::string& tabela);
    std::string Exportar(const std::string& tabela);
    void CarregarTabela(const std::string& tabela, const std::filesystem::path& arquivo);
    void CarregarTabelaAntiga(const std::string& tabela, const std::filesystem::path& arquivo);
    void AvancarGeradores();
    void AposRestaurar();
    bool Transacao(const std::function<void()>& trabalho);
    // Both restore forms: the folder and its table files checked, then `carga`, all in one transaction.
    bool RestaurarDaPasta(const std::filesystem::path& pasta, const std::function<void()>& carga);

    TDBUtils& sessao_;
};

// The password of every backup archive.
inline constexpr const char* kSenhaBackup = "tbem1987";

// Writes every "*.txt" file directly inside `pasta` into the archive (replacing it), under its
// plain name, deflated at level 9 and encrypted with the traditional ZIP password. Then reads the
// archive back and compares every entry with its file. The number of entries, or -1 when the
// archive could not be written or did not read back (reason in `erro`; no archive is left).
int CompactarBackup(const std::filesystem::path& pasta, const std::filesystem::path& arquivo, std::string& erro);

// Extracts the archive into `pasta` with the password. Only plain "*.txt" names are accepted; a
// folder part, a damaged entry or a wrong password fails the whole extraction and removes what
// was written. False with the reason in `erro`.
bool ExtrairBackup(const std::filesystem::path& arquivo, const std::filesystem::path& pasta, std::string& erro);

// The whole backup as the window and the terminal run it: the table files into `pastaTrabalho`,
// the archive at `arquivo`, the table files deleted again on every path. Throws ENegocio with the
// reason when no complete archive was written.
void GerarBackup(TDBUtils& sessao, const std::filesystem::path& pastaTrabalho, const std::filesystem::path& arquivo);

// Outcome of a whole restore.
struct TResultadoRestauracao {
    bool Restaurado = false;
    std::string CodigoMensagem;  // "0255" restored, "0104" invalid, "0479" changed structure; empty
                                 // when the user gave up or the version was refused
    std::string Motivo;          // the reason of a failure, for the terminal and the log
    bool VersaoPosterior = false;
    bool InconsistenciasGravadas = false;
};

// The whole restore: extracts the archive into `pastaTrabalho`, checks the version, restores
// (mode 0 current format, 1 release 1.3.3) and deletes the table files again on every path.
// `perguntarValidacao` is asked when the backup is of another version or version date: true to
// validate every link afterwards, false to flag them all for validation. `aoExtrair` is told when
// the archive was extracted and the restore proper begins.
TResultadoRestauracao RestaurarArquivoBackup(TDBUtils& sessao, const std::filesystem::path& arquivo,
                                             const std::filesystem::path& pastaTrabalho, int modo,
                                             const std::function<bool()>& perguntarValidacao,
                                             const std::function<void()>& aoExtrair = {});

// The text shown when a backup of a newer layout is refused.
std::string TextoVersaoPosterior(const std::string& versaoBackup);

} // namespace drav
