#pragma once
#include <filesystem>
#include <string>
#include <vector>

namespace drav {

struct Configuracao {
    bool LogSQL = false;
    std::string GravaArquivo = "N";
};

// Lines of a text file with only the line terminator removed (LF, CR LF or a lone CR at the end).
std::vector<std::string> LerLinhas(const std::filesystem::path& arquivo);

// Reads the ZOLT.ini lines: a key matches anywhere in the line (case-sensitive), the value is what
// follows the first "=" untrimmed, and a later line that does not qualify never switches a setting off.
Configuracao LerConfiguracao(const std::vector<std::string>& linhas);

} // namespace drav
