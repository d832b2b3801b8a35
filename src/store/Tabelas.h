#pragma once
#include <cstddef>
#include <string_view>
#include <vector>

namespace drav {

// One table of the database with its columns in table order, the order SELECT * returns them
// and the backup writes them.
struct TabelaBanco {
    std::string_view nome;
    std::vector<std::string_view> colunas;
};

// Every table of the layout (schema.sql), business tables first. A test holds this list and the
// database to each other, so code that needs table or column names can rely on it.
const std::vector<TabelaBanco>& TabelasBanco();

// The table of that exact name, or nullptr.
const TabelaBanco* TabelaPorNome(std::string_view nome);

// The tables a backup saves, in the order they are restored (and deleted in reverse order).
const std::vector<std::string_view>& TabelasBackup();

// Backups of release 1.3.3 hold only the first tables of TabelasBackup().
inline constexpr std::size_t kTabelasBackupAntigo = 19;

} // namespace drav
