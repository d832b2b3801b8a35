#pragma once
// The shared helpers of every layer: SQL literals, parsing, formatting, checks, and the few that
// read the database or the data folder.
#include "core/Conversao.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/SqlLiterais.h"
#include "core/Verificacoes.h"

#include <filesystem>
#include <string>
#include <vector>

namespace drav {

class TDBUtils;

// SFGTBT15_DIA_UTIL holds the day.
bool EhDiaUtil(TDBUtils& sessao, TDateTime data);
// The day lies in the pro-rata payment window of the installed index table: from the 10th of
// the month of its earliest payment date to the 9th of the following month, both included (the
// time of day is ignored). False when the table is empty.
bool NoPeriodoProrata(TDBUtils& sessao, TDateTime data);
// The database server's clock, whole or reduced to the day.
TDateTime DataServidor(TDBUtils& sessao, bool comHora);
// The latest CO_VERSAO_SISTEMA, trimmed, then one blank; with comData and a version date,
// followed by " - " and the date as dd/mm/yyyy. Empty when the table has no row.
std::string VersaoSistema(TDBUtils& sessao, bool comData);

// One folder per requested value name. There is no machine-wide registry here: every value is the
// data folder, given with a trailing separator so that "TEMP" can be appended to it as text.
std::vector<std::string> PastaConfigurada(const std::filesystem::path& pastaDados, const std::string& subchave,
                                          const std::vector<std::string>& nomes);
// Deletes every file directly inside the folder (sub-folders stay). True when none is left
// behind; a missing folder has nothing to delete.
bool ApagarArquivos(const std::filesystem::path& pasta);

} // namespace drav
