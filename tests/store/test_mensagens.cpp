#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace drav {
namespace {

using teste::BancoTeste;

struct Uso {
    std::string arquivo;
    int linha;
};

// Literals that look like message codes but are not: "0000" is the direct-text code of the
// message routine and a zero-fill mask.
const std::set<std::string> kNaoSaoMensagens = {"0000"};

// Two-character prefixes the windows put in front of a four-digit code.
const std::regex kComPrefixo(R"(^(FE|CT|RE|TI|SS|SP|AE|SR|KO|99|00|10|40|43|44|45)(0[0-9]{3})$)");
const std::regex kQuatroDigitos(R"(^0[0-9]{3}$)");
// Codes held as numbers (the calculation's error code, the register's message number).
const std::regex kNumerico(R"(\b(CodigoErro|NumeroMensagem)\s*(=|==|!=)\s*([0-9]{2,4})\b)");

// Every message code the source can show or record: string literals of four digits starting
// with 0, or of a window prefix and such four digits, and numbers given to the numeric code
// fields. Comments are skipped, so a code that is only mentioned does not count.
class ColetorCodigos {
public:
    std::map<std::string, Uso> codigos;

    void Arquivo(const std::filesystem::path& caminho)
    {
        std::ifstream in(caminho, std::ios::binary);
        std::stringstream ss;
        ss << in.rdbuf();
        const std::string t = ss.str();
        const std::string nome = caminho.filename().string();
        std::string semComentarios; // code outside comments and literals, for the numeric form
        int linha = 1;
        size_t i = 0;
        while (i < t.size()) {
            const char c = t[i];
            if (c == '\n') {
                ++linha;
                semComentarios += c;
                ++i;
            } else if (t.compare(i, 2, "//") == 0) {
                while (i < t.size() && t[i] != '\n')
                    ++i;
            } else if (t.compare(i, 2, "/*") == 0) {
                const size_t fim = t.find("*/", i + 2);
                const size_t ate = fim == std::string::npos ? t.size() : fim + 2;
                for (size_t k = i; k < ate; ++k)
                    linha += t[k] == '\n';
                i = ate;
            } else if (c == 'R' && t.compare(i, 2, "R\"") == 0) {
                const size_t abre = t.find('(', i + 2);
                const std::string fecho = ")" + t.substr(i + 2, abre - i - 2) + "\"";
                const size_t fim = t.find(fecho, abre);
                const size_t ate = fim == std::string::npos ? t.size() : fim + fecho.size();
                for (size_t k = i; k < ate; ++k)
                    linha += t[k] == '\n';
                i = ate;
            } else if (c == '"' || c == '\'') {
                std::string conteudo;
                size_t k = i + 1;
                while (k < t.size() && t[k] != c && t[k] != '\n') {
                    if (t[k] == '\\' && k + 1 < t.size())
                        conteudo += t[k++];
                    conteudo += t[k++];
                }
                if (c == '"')
                    Literal(conteudo, nome, linha);
                semComentarios += ' ';
                i = k + 1;
            } else {
                semComentarios += c;
                ++i;
            }
        }
        for (std::sregex_iterator it(semComentarios.begin(), semComentarios.end(), kNumerico), fim; it != fim; ++it) {
            const int n = std::stoi((*it)[3].str());
            if (n > 0) {
                std::string codigo = std::to_string(n);
                codigo.insert(0, 4 - codigo.size(), '0');
                codigos.emplace(codigo, Uso{nome, 0});
            }
        }
    }

private:
    void Literal(const std::string& s, const std::string& arquivo, int linha)
    {
        std::smatch m;
        std::string codigo;
        if (std::regex_match(s, kQuatroDigitos))
            codigo = s;
        else if (std::regex_match(s, m, kComPrefixo))
            codigo = m[2].str();
        if (!codigo.empty() && !kNaoSaoMensagens.count(codigo))
            codigos.emplace(codigo, Uso{arquivo, linha});
    }
};

std::filesystem::path RaizDoProjeto()
{
    return std::filesystem::path(DRAV_FIXTURES).parent_path().parent_path();
}

TEST(ColetorCodigos, ReconheceOsUsosEIgnoraComentarios)
{
    const auto pasta = teste::PastaTemporaria("drav-coletor");
    {
        std::ofstream f(pasta / "a.cpp");
        f << "// \"0398\" only mentioned\n"
             "/* \"0399\" neither\n */\n"
             "CodigoMensagem = \"0144\"; Mensagem(\"FE0108\", x); Mostrar(\"99\" + std::string(\"0404\"));\n"
             "CodigoErro = 475; if (NumeroMensagem == 396) {}\n"
             "auto s = \"0000\"; auto t = \"12345\"; auto u = \"ABC0123\"; auto v = R\"(\"0397\")\";\n";
    }
    ColetorCodigos coletor;
    coletor.Arquivo(pasta / "a.cpp");
    std::set<std::string> achados;
    for (const auto& [c, uso] : coletor.codigos)
        achados.insert(c);
    EXPECT_EQ(achados, (std::set<std::string>{"0108", "0144", "0396", "0404", "0475"}));
    EXPECT_EQ(coletor.codigos.at("0404").linha, 4);
    std::filesystem::remove_all(pasta);
}

// The inconsistency register refuses a code without text (and aborts the whole load), and a
// message box shows "Mensagem não encontrada" instead of the text: every code the program uses
// must be in the table.
TEST_F(BancoTeste, TodoCodigoUsadoNoProgramaTemTexto)
{
    ColetorCodigos coletor;
    for (const auto& e : std::filesystem::recursive_directory_iterator(RaizDoProjeto() / "src")) {
        const auto ext = e.path().extension();
        if (e.is_regular_file() && (ext == ".cpp" || ext == ".h"))
            coletor.Arquivo(e.path());
    }
    ASSERT_FALSE(coletor.codigos.empty());
    auto r = sessao->AbrirConsulta("SELECT NU_MENSAGEM FROM SFGTBT13_MENSAGEM_SISTEMA");
    std::set<int> noBanco;
    for (r->First(); !r->Eof(); r->Next())
        noBanco.insert(r->FieldByName("NU_MENSAGEM").AsInteger());
    for (const auto& [codigo, uso] : coletor.codigos)
        EXPECT_TRUE(noBanco.count(std::stoi(codigo)))
            << "código " << codigo << " (" << uso.arquivo << ":" << uso.linha << ") sem texto em SFGTBT13_MENSAGEM_SISTEMA";
    std::cout << "[ info ] " << coletor.codigos.size() << " códigos de mensagem usados no programa\n";
}

TEST_F(BancoTeste, MarcadoresSoOndeOProgramaPassaArgumentos)
{
    // 201: the payment window; 372: competence and edital (or payment date); 485: what was done.
    const std::map<int, int> esperados = {{201, 1}, {372, 2}, {485, 1}};
    auto r = sessao->AbrirConsulta("SELECT NU_MENSAGEM, DE_MENSAGEM FROM SFGTBT13_MENSAGEM_SISTEMA");
    int total = 0;
    for (r->First(); !r->Eof(); r->Next(), ++total) {
        const int n = r->FieldByName("NU_MENSAGEM").AsInteger();
        const std::string texto = r->FieldByName("DE_MENSAGEM").AsString();
        const auto marcadores = std::count(texto.begin(), texto.end(), '&');
        const auto it = esperados.find(n);
        EXPECT_EQ(marcadores, it == esperados.end() ? 0 : it->second) << n << ": " << texto;
        EXPECT_FALSE(texto.empty()) << n;
        EXPECT_NE(texto.front(), ' ') << n;
        EXPECT_NE(texto.back(), ' ') << n;
    }
    EXPECT_GT(total, 300);
}

TEST_F(BancoTeste, TextosQueOProgramaCitaLiteralmente)
{
    auto texto = [this](int n) {
        return sessao->AbrirConsulta("SELECT DE_MENSAGEM FROM SFGTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = " +
                                     std::to_string(n))
            ->FieldByName("DE_MENSAGEM")
            .AsString();
    };
    EXPECT_EQ(texto(209), "Não foi possível finalizar a validação do arquivo. Deseja visualizar/imprimir o relatório "
                          "de inconsistência?");
    EXPECT_EQ(texto(485), "Arquivo & com sucesso.");
    EXPECT_EQ(texto(211), "Fim de registro inválido: a última posição deve conter '*'.");
}

} // namespace
} // namespace drav
