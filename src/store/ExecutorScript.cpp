#include "store/ExecutorScript.h"

#include "core/DBUtils.h"

#include <cctype>

namespace drav {

namespace {

std::string Aparar(const std::string& s)
{
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(static_cast<unsigned char>(s[a])))
        ++a;
    while (b > a && std::isspace(static_cast<unsigned char>(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

std::string Maiusculas(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

std::vector<std::string> DividirScript(const std::string& script)
{
    std::vector<std::string> comandos;
    std::string terminador = ";";
    std::string atual;
    size_t i = 0;
    const size_t n = script.size();
    auto fechar = [&]() {
        std::string c = Aparar(atual);
        atual.clear();
        if (c.empty())
            return;
        const std::string m = Maiusculas(c);
        if (m.rfind("SET TERM", 0) == 0) {
            std::string novo = Aparar(c.substr(8));
            terminador = novo;
            return;
        }
        comandos.push_back(c);
    };
    while (i < n) {
        const char c = script[i];
        if (c == '-' && i + 1 < n && script[i + 1] == '-') {
            while (i < n && script[i] != '\n')
                ++i;
            continue;
        }
        if (c == '/' && i + 1 < n && script[i + 1] == '*') {
            const size_t fim = script.find("*/", i + 2);
            i = fim == std::string::npos ? n : fim + 2;
            continue;
        }
        if (c == '\'' || c == '"') {
            const size_t inicio = i++;
            while (i < n) {
                if (script[i] == c) {
                    if (i + 1 < n && script[i + 1] == c) {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            atual.append(script, inicio, i - inicio);
            continue;
        }
        if (script.compare(i, terminador.size(), terminador) == 0) {
            i += terminador.size();
            fechar();
            continue;
        }
        atual += c;
        ++i;
    }
    fechar();
    return comandos;
}

void ExecutarScript(TDBUtils& sessao, const std::string& script, bool umaTransacao)
{
    const auto comandos = DividirScript(script);
    if (!umaTransacao) {
        for (const auto& c : comandos)
            sessao.ExecutarSQL(c);
        return;
    }
    TTransacao t(sessao);
    for (const auto& c : comandos)
        sessao.ExecutarSQL(c);
    t.Confirmar();
}

} // namespace drav
