#pragma once
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace drav::teste {

// The file's bytes as they are on disk; empty when it cannot be read.
inline std::string LerArquivo(const std::filesystem::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

// Replaces the file with exactly these bytes.
inline void GravarArquivo(const std::filesystem::path& p, const std::string& conteudo)
{
    std::ofstream f(p, std::ios::binary | std::ios::trunc);
    f << conteudo;
}

} // namespace drav::teste
