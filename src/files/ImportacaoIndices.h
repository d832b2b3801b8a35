#pragma once
#include "core/Datas.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace drav {

class TDBUtils;

// A new edital of the index tables arrives as a ZIP archive of four data files (one SQL statement
// a line) and one check file for each. Installing it replaces the business-day calendar and the
// three index tables, withdraws the open collection (its payment date may have no index in the
// new tables) and recomputes the deposits of the complements of open links, all in one
// transaction.

// The eight entry names: the four data files in table order, then their check files (the check
// file of data file i is entry i + 4).
inline constexpr int kArquivosIndice = 8;
const std::array<std::string, kArquivosIndice>& NomesArquivosIndice();
// The table each data file fills, in the same order as the first four names.
const std::array<std::string, 4>& TabelasIndice();

// Whether the user may pick this archive: its name without folder is exactly "IndicesDRAV.zip",
// or "IND_DRAV.ZIP" in any case, and the file exists.
bool NomeArquivoIndicesAceito(const std::filesystem::path& arquivo);

// The folder the archive is extracted into: the configured folder of the data folder + "TEMP".
std::filesystem::path PastaTrabalhoIndices(const std::filesystem::path& pastaDados);

// The check value of a data file last written at this local date and time (to the minute),
// reduced to a signed 32-bit number as the check files carry it.
int32_t ValorConferenciaIndice(int dia, int mes, int ano, int hora, int minuto);
// True when the check file's first line carries the check value of the data file's last-write
// time. False when either file is missing or the check file is empty.
bool ConferirArquivoIndice(const std::filesystem::path& dados, const std::filesystem::path& conferencia);

// Outcome of one import.
struct TResultadoImportacaoIndices {
    // The message code of the step that failed ("0192", "0227"), empty on success.
    std::string ResultadoImportacao;
    // What failed, for the error log and the command line (empty on success).
    std::string Detalhe;
    // Faults of the archive that were dealt with, and what the import could not do in full.
    std::vector<std::string> Avisos;
    bool Sucesso() const { return ResultadoImportacao.empty(); }
};

class TImportacaoIndices {
public:
    // `pastaTrabalho` is where the archive is extracted (PastaTrabalhoIndices).
    TImportacaoIndices(TDBUtils& sessao, std::filesystem::path pastaTrabalho);

    // The process-wide dates, when the caller keeps them: the payment date is emptied when the
    // open collection is withdrawn and both are read again from the database at the end, so a
    // rolled-back import leaves them as the database holds them.
    TDateTime* DataPagamento = nullptr;
    TDateTime* DataEdital = nullptr;
    // Called after the extraction and after the database step (a wait window repaints).
    std::function<void()> Progresso;

    // Runs the whole import of the archive. Never throws for a fault of the archive or of the
    // database: the outcome says what happened. The extracted files are removed on every path.
    TResultadoImportacaoIndices Importar(const std::filesystem::path& arquivo);

    // Empties the four tables and runs the statements of the four data files found in `pasta`,
    // inside the caller's transaction. False (with `erro`) at the first file that cannot be read
    // or statement that is refused or fails.
    bool CarregarTabelasIndice(const std::filesystem::path& pasta, std::string& erro);

private:
    bool Extrair(const std::filesystem::path& arquivo, TResultadoImportacaoIndices& r);
    bool Instalar(TResultadoImportacaoIndices& r);
    void RemoverExtraidos(TResultadoImportacaoIndices* r);
    void RelerDatas();

    TDBUtils& sessao_;
    std::filesystem::path pasta_;
};

} // namespace drav
