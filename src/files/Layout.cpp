#include "files/Layout.h"

#include <fstream>
#include <iterator>

namespace drav {

namespace {

// Code points of 0x80..0x9F in Windows-1252; 0 marks the five undefined bytes.
constexpr char16_t kAlto[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AcrescentarUtf8(std::string& s, char32_t c)
{
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xE0 | (c >> 12));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::string_view CortarCampo(std::string_view linha, int inicio, int largura)
{
    if (inicio < 1 || largura <= 0)
        return {};
    const std::size_t ini = static_cast<std::size_t>(inicio - 1);
    if (ini >= linha.size())
        return {};
    return linha.substr(ini, static_cast<std::size_t>(largura));
}

std::vector<std::string> CortarLinha(std::string_view linha, const TLayoutRegistro& layout)
{
    std::vector<std::string> campos;
    campos.reserve(layout.Campos.size());
    for (const TCampoLayout& c : layout.Campos)
        campos.push_back(Cp1252ParaUtf8(CortarCampo(linha, c.Inicio, c.Largura)));
    return campos;
}

std::string Cp1252ParaUtf8(std::string_view bytes)
{
    std::string s;
    s.reserve(bytes.size());
    for (unsigned char b : bytes) {
        if (b < 0x80)
            s += static_cast<char>(b);
        else if (b < 0xA0)
            AcrescentarUtf8(s, kAlto[b - 0x80] ? kAlto[b - 0x80] : char32_t{0xFFFD});
        else
            AcrescentarUtf8(s, b);
    }
    return s;
}

bool Utf8ParaCp1252(std::string_view texto, std::string& saida)
{
    saida.clear();
    saida.reserve(texto.size());
    for (std::size_t i = 0; i < texto.size();) {
        const unsigned char b = static_cast<unsigned char>(texto[i]);
        char32_t c;
        int n;
        if (b < 0x80) {
            c = b;
            n = 1;
        } else if ((b & 0xE0) == 0xC0) {
            c = b & 0x1F;
            n = 2;
        } else if ((b & 0xF0) == 0xE0) {
            c = b & 0x0F;
            n = 3;
        } else {
            return false;
        }
        if (i + n > texto.size())
            return false;
        for (int k = 1; k < n; ++k) {
            const unsigned char cont = static_cast<unsigned char>(texto[i + k]);
            if ((cont & 0xC0) != 0x80)
                return false;
            c = (c << 6) | (cont & 0x3F);
        }
        i += n;
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
            saida += static_cast<char>(c);
            continue;
        }
        bool achou = false;
        for (int k = 0; k < 32; ++k)
            if (kAlto[k] != 0 && kAlto[k] == c) {
                saida += static_cast<char>(0x80 + k);
                achou = true;
                break;
            }
        if (!achou)
            return false;
    }
    return true;
}

std::vector<std::string> SepararLinhas(std::string_view conteudo)
{
    std::vector<std::string> linhas;
    std::size_t inicio = 0;
    while (inicio < conteudo.size()) {
        std::size_t fim = conteudo.find('\n', inicio);
        const bool ultima = fim == std::string_view::npos;
        if (ultima)
            fim = conteudo.size();
        std::string_view linha = conteudo.substr(inicio, fim - inicio);
        if (!linha.empty() && linha.back() == '\r')
            linha.remove_suffix(1);
        linhas.emplace_back(linha);
        inicio = fim + 1;
    }
    return linhas;
}

bool LerBytesArquivo(const std::filesystem::path& caminho, std::string& saida)
{
    std::ifstream f(caminho, std::ios::binary);
    if (!f)
        return false;
    saida.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return !f.bad();
}

} // namespace drav
