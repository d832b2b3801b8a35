#include "Apoio.h"

#include <charconv>
#include <cstdio>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace drav::cli {

namespace {

std::string Aparado(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos)
        return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

} // namespace

std::string Json(const std::string& texto)
{
    std::string s = "\"";
    for (const char c : texto) {
        switch (c) {
        case '"':
            s += "\\\"";
            break;
        case '\\':
            s += "\\\\";
            break;
        case '\n':
            s += "\\n";
            break;
        case '\r':
            s += "\\r";
            break;
        case '\t':
            s += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
                s += buf;
            } else {
                s += c;
            }
        }
    }
    return s + "\"";
}

std::string DataJson(TDateTime data)
{
    return data > 0 ? "\"" + DataParaTexto(data) + "\"" : "null";
}

int64_t LerNumeroCli(const std::string& texto, const std::string& o_que)
{
    std::string digitos;
    for (const char c : Aparado(texto)) {
        if (c >= '0' && c <= '9')
            digitos += c;
        else if (c != '.' && c != '/' && c != '-')
            throw std::invalid_argument(o_que + " '" + texto + "' não é um número válido");
    }
    int64_t n = 0;
    const auto [fim, erro] = std::from_chars(digitos.data(), digitos.data() + digitos.size(), n);
    if (digitos.empty() || erro != std::errc() || fim != digitos.data() + digitos.size())
        throw std::invalid_argument(o_que + " '" + texto + "' não é um número válido");
    return n;
}

TDateTime LerDataCli(const std::string& texto, const std::string& o_que)
{
    static const std::regex forma(R"((\d{2})/?(\d{2})/?(\d{4}))");
    std::smatch m;
    const std::string t = Aparado(texto);
    if (std::regex_match(t, m, forma)) {
        const int d = std::stoi(m[1]), me = std::stoi(m[2]), a = std::stoi(m[3]);
        if (DataExiste(a, me, d))
            return CodificarData(a, me, d);
    }
    throw std::invalid_argument(o_que + " inválida '" + texto + "' (use DD/MM/AAAA)");
}

std::pair<int, int64_t> LerEmpresaCli(const std::string& texto, const std::string& opcao)
{
    const auto dois = texto.find(':');
    if (dois != std::string::npos) {
        const int64_t tipo = LerNumeroCli(texto.substr(0, dois), opcao + ": tipo");
        if (tipo != 1 && tipo != 2)
            throw std::invalid_argument(opcao + ": o tipo de inscrição é 1 (CNPJ) ou 2 (CEI)");
        return {static_cast<int>(tipo), LerNumeroCli(texto.substr(dois + 1), opcao + ": inscrição")};
    }
    size_t digitos = 0;
    for (const char c : texto)
        digitos += (c >= '0' && c <= '9');
    if (digitos != 14 && digitos != 12)
        throw std::invalid_argument(opcao + ": informe TIPO:INSCRICAO ou um CNPJ (14 dígitos) ou CEI (12 dígitos)");
    return {digitos == 14 ? 1 : 2, LerNumeroCli(texto, opcao)};
}

ChaveVinculoCli LerChaveVinculoCli(const std::string& texto, const std::string& opcao)
{
    std::vector<std::string> p;
    std::stringstream s(texto);
    for (std::string parte; std::getline(s, parte, ':');)
        p.push_back(Aparado(parte));
    if (p.size() != 5)
        throw std::invalid_argument(opcao + ": use TIPO:INSCRICAO:PIS:CATEGORIA:ADMISSAO (admissão DD/MM/AAAA), "
                                            "recebido '" + texto + "'");
    ChaveVinculoCli c;
    const int64_t tipo = LerNumeroCli(p[0], opcao + ": tipo de inscrição");
    if (tipo != 1 && tipo != 2)
        throw std::invalid_argument(opcao + ": o tipo de inscrição é 1 (CNPJ) ou 2 (CEI)");
    c.tipo = static_cast<int>(tipo);
    c.inscricao = LerNumeroCli(p[1], opcao + ": inscrição");
    c.pis = LerNumeroCli(p[2], opcao + ": PIS");
    if (c.inscricao <= 0 || c.pis <= 0)
        throw std::invalid_argument(opcao + ": inscrição e PIS não podem ser zero");
    const int64_t categoria = LerNumeroCli(p[3], opcao + ": categoria");
    if (categoria > 99)
        throw std::invalid_argument(opcao + ": categoria inválida '" + p[3] + "'");
    c.categoria = static_cast<int>(categoria);
    c.admissao = LerDataCli(p[4], opcao + ": admissão");
    return c;
}

} // namespace drav::cli
