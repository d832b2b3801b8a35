#include "core/Configuracao.h"

#include "core/Excecoes.h"

#include <fstream>

namespace drav {

namespace {

std::string MaiusculasAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 32);
    return s;
}

} // namespace

std::vector<std::string> LerLinhas(const std::filesystem::path& arquivo)
{
    std::ifstream f(arquivo, std::ios::binary);
    if (!f)
        throw EDrav("Não foi possível ler o arquivo " + arquivo.string());
    std::vector<std::string> linhas;
    std::string linha;
    while (std::getline(f, linha)) {
        if (!linha.empty() && linha.back() == '\r')
            linha.pop_back();
        linhas.push_back(linha);
    }
    return linhas;
}

Configuracao LerConfiguracao(const std::vector<std::string>& linhas)
{
    Configuracao c;
    for (const auto& linha : linhas) {
        const size_t igual = linha.find('=');
        const std::string valor = igual == std::string::npos ? linha : linha.substr(igual + 1);
        const std::string valorMaiusculo = MaiusculasAscii(valor);
        if (linha.find("LOGSQL") != std::string::npos && valorMaiusculo == "S")
            c.LogSQL = true;
        if (linha.find("GRAVA_ARQUIVO") != std::string::npos && valorMaiusculo == "S")
            c.GravaArquivo = valor;
    }
    return c;
}

} // namespace drav
