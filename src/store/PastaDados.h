#pragma once
#include <filesystem>

namespace drav {

// Makes a data folder ready to use: the folder, an empty ZOLT.ini, a complete database and the
// exchange folders. What already exists is kept; false when there was nothing left to create.
bool CriarPastaDados(const std::filesystem::path& pasta);

} // namespace drav
