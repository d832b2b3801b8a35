// Employer and responsible commands: "drav-cli empresa listar|mostrar|incluir|excluir" and
// "drav-cli responsavel mostrar|definir". Fields come from flags or from a small key=value file
// (--arquivo); a flag wins over the same key of the file. Failures print the message text and end
// with a non-zero code.
#include "Apoio.h"
#include "Comandos.h"

#include "core/Conversao.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Verificacoes.h"
#include "model/Empresa.h"
#include "model/Responsavel.h"

#include <fstream>
#include <iostream>
#include <map>
#include <stdexcept>
#include <vector>

namespace drav::cli {
namespace {

using Valores = std::map<std::string, std::string>;

struct Campo {
    const char* chave;
    const char* descricao;
    int tamanho; // 0: no length of its own (checked by its rule)
};

const std::vector<Campo> kCamposEmpresa = {
    {"tipo", "Tipo de inscrição: 1 ou cnpj, 2 ou cei (padrão: pelo número de dígitos, 14 CNPJ, 12 CEI)", 0},
    {"inscricao", "Inscrição (CNPJ ou CEI, com ou sem pontuação)", 0},
    {"razao_social", "Razão social", 40},
    {"logradouro", "Logradouro e número", 50},
    {"bairro", "Bairro", 20},
    {"cep", "CEP", 0},
    {"municipio", "Município", 20},
    {"uf", "UF", 0},
    {"ddd", "DDD", 4},
    {"telefone", "Telefone", 8},
    {"cnae", "CNAE (7 dígitos)", 7},
    {"fpas", "FPAS", 3},
    {"simples", "Opção pelo SIMPLES (código)", 1},
};

const std::vector<Campo> kCamposResponsavel = {
    {"tipo", "Tipo de inscrição: 1 ou cnpj, 2 ou cei (padrão: pelo número de dígitos)", 0},
    {"inscricao", "Inscrição (CNPJ ou CEI)", 0},
    {"razao_social", "Razão social", 40},
    {"contato", "Nome do contato", 40},
    {"ddd", "DDD", 4},
    {"telefone", "Telefone", 8},
    {"email", "E-mail", 60},
    {"logradouro", "Logradouro e número", 50},
    {"bairro", "Bairro", 20},
    {"cep", "CEP", 0},
    {"municipio", "Município", 20},
    {"uf", "UF", 0},
};

std::string Flag(const std::string& chave)
{
    std::string f = "--" + chave;
    for (char& c : f)
        if (c == '_')
            c = '-';
    return f;
}

Valores LerArquivo(const std::string& caminho, const std::vector<Campo>& campos)
{
    std::ifstream in(caminho);
    if (!in)
        throw std::runtime_error("não foi possível abrir o arquivo " + caminho);
    Valores v;
    std::string linha;
    int numero = 0;
    while (std::getline(in, linha)) {
        ++numero;
        const std::string t = Aparar(linha);
        if (t.empty() || t[0] == '#')
            continue;
        const auto igual = t.find('=');
        std::string chave = igual == std::string::npos ? t : Aparar(t.substr(0, igual));
        for (char& c : chave)
            if (c == '-')
                c = '_';
        bool conhecida = false;
        for (const auto& c : campos)
            conhecida = conhecida || chave == c.chave;
        if (igual == std::string::npos || !conhecida)
            throw std::runtime_error(caminho + ":" + std::to_string(numero) + ": linha não reconhecida: " + t);
        v[chave] = Aparar(t.substr(igual + 1));
    }
    return v;
}

// The file first, then every flag that was given.
struct Entrada {
    std::string arquivo;
    Valores flags;
    Valores Juntar(const std::vector<Campo>& campos) const
    {
        Valores v = arquivo.empty() ? Valores{} : LerArquivo(arquivo, campos);
        for (const auto& [k, valor] : flags)
            v[k] = valor;
        for (const auto& c : campos) {
            const auto it = v.find(c.chave);
            if (it != v.end() && c.tamanho > 0 && ContarCaracteres(it->second) > static_cast<std::size_t>(c.tamanho))
                throw std::runtime_error(std::string(c.descricao) + ": no máximo " + std::to_string(c.tamanho) +
                                         " caracteres");
        }
        return v;
    }
};

void AdicionarCampos(CLI::App* sub, const std::vector<Campo>& campos, Entrada& e)
{
    sub->add_option("--arquivo", e.arquivo, "Arquivo com uma linha chave=valor por campo (# comenta)");
    for (const auto& c : campos) {
        const std::string chave = c.chave;
        sub->add_option_function<std::string>(
            Flag(chave), [&e, chave](const std::string& valor) { e.flags[chave] = valor; }, c.descricao);
    }
}

std::string Pegar(const Valores& v, const std::string& chave)
{
    const auto it = v.find(chave);
    return it == v.end() ? std::string() : it->second;
}

// Punctuation of a typed CNPJ or CEI is dropped; anything else stays and fails its check.
std::string SemPontuacao(const std::string& numero)
{
    std::string s;
    for (char c : Aparar(numero))
        if (c != '.' && c != '/' && c != '-')
            s += c;
    return s;
}

int LerTipo(const std::string& tipo, const std::string& numero)
{
    const std::string t = MaiusculasAscii(Aparar(tipo));
    if (t == "1" || t == "CNPJ")
        return 1;
    if (t == "2" || t == "CEI")
        return 2;
    if (!t.empty())
        return 0; // refused by the type check with its own message
    const std::size_t n = SemPontuacao(numero).size();
    return n == 14 ? 1 : n == 12 ? 2 : 0;
}

const char* NomeTipo(int tipo) { return tipo == 1 ? "CNPJ" : tipo == 2 ? "CEI" : "?"; }

// A failed check or operation: the message text on stderr, exit code 1.
void Falhar(ContextoCli& ctx, const std::string& prefixo, const std::string& codigo)
{
    std::cerr << ctx.Mensagens().Texto(prefixo + (codigo.empty() ? "0144" : codigo)) << "\n";
    ctx.codigoSaida = 1;
}

void ImprimirCampos(ContextoCli& ctx, const std::vector<std::pair<std::string, std::string>>& campos)
{
    if (ctx.json) {
        std::cout << "{";
        for (std::size_t i = 0; i < campos.size(); ++i)
            std::cout << (i ? "," : "") << Json(campos[i].first) << ":" << Json(campos[i].second);
        std::cout << "}\n";
        return;
    }
    for (const auto& [nome, valor] : campos)
        std::cout << PreencherEspacos(nome + ":", 15, false) << valor << "\n";
}

std::vector<std::pair<std::string, std::string>> CamposEmpresa(TEmpresa& e)
{
    return {{"tipo", NomeTipo(e.TipoInscricao)},
            {"inscricao", e.InscricaoFormatada()},
            {"razao_social", e.RazaoSocial},
            {"papel", e.EstadoEmpresa},
            {"logradouro", e.Endereco().Logradouro},
            {"bairro", e.Endereco().Bairro},
            {"cep", e.Endereco().Cep},
            {"municipio", e.Endereco().Localidade},
            {"uf", e.Endereco().Uf},
            {"ddd", e.Ddd},
            {"telefone", e.Telefone},
            {"cnae", Aparar(e.Cnae).empty() ? std::string() : CompletarZeros(Aparar(e.Cnae), 7)},
            {"fpas", e.Fpas},
            {"simples", e.Simples ? std::to_string(e.Simples) : std::string()}};
}

// The employer of a typed inscription; false (with the message shown) when it is not one.
bool CarregarEmpresa(ContextoCli& ctx, TEmpresa& e, const std::string& numero, const std::string& tipoTexto)
{
    const int tipo = LerTipo(tipoTexto, numero);
    const std::string digitos = SemPontuacao(numero);
    if (tipo == 0 || digitos.empty() || !SoNumeros(digitos)) {
        Falhar(ctx, "10", "0129");
        return false;
    }
    if (!e.ConsultarEmpresa(tipo, StrToInteiro64(digitos))) {
        Falhar(ctx, "10", e.CodigoMensagem);
        return false;
    }
    if (e.Vazio()) {
        std::cerr << "Empresa não cadastrada: " << NomeTipo(tipo) << " " << digitos << "\n";
        ctx.codigoSaida = 1;
        return false;
    }
    return true;
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarEmpresa)
{
    auto* empresa = app.add_subcommand("empresa", "Empregadores: listar, mostrar, incluir, excluir");
    empresa->require_subcommand(1);

    static std::string nome;
    auto* listar = empresa->add_subcommand("listar", "Lista os empregadores (--json para scripts)");
    listar->add_option("--nome", nome, "Só as razões sociais que contêm o texto (maiúsculas)");
    listar->callback([&ctx] {
        drav::TEmpresa e(*ctx.Abrir().sessao);
        if (nome.empty())
            e.ListarEmpresas();
        else
            e.ListarPorRazaoSocial(drav::MaiusculasAscii(nome));
        std::vector<std::vector<std::pair<std::string, std::string>>> linhas;
        for (e.Primeiro(); !e.Vazio() && !e.Eof(); e.Proximo())
            linhas.push_back(drav::cli::CamposEmpresa(e));
        if (ctx.json) {
            std::cout << "[";
            for (std::size_t i = 0; i < linhas.size(); ++i) {
                std::cout << (i ? "," : "") << "{";
                for (std::size_t j = 0; j < linhas[i].size(); ++j)
                    std::cout << (j ? "," : "") << drav::cli::Json(linhas[i][j].first) << ":"
                              << drav::cli::Json(linhas[i][j].second);
                std::cout << "}";
            }
            std::cout << "]\n";
            return;
        }
        if (linhas.empty()) {
            std::cout << "Nenhuma empresa cadastrada.\n";
            return;
        }
        for (const auto& l : linhas) {
            const std::string inscricao = l[0].second == "CNPJ" ? drav::FormatarCNPJ(l[1].second) : l[1].second;
            std::cout << drav::PreencherEspacos(l[0].second, 5, false) << drav::PreencherEspacos(inscricao, 20, false)
                      << l[3].second << "  " << l[2].second << "\n";
        }
    });

    static std::string numeroMostrar, tipoMostrar;
    auto* mostrar = empresa->add_subcommand("mostrar", "Mostra um empregador");
    mostrar->add_option("inscricao", numeroMostrar, "CNPJ ou CEI")->required();
    mostrar->add_option("--tipo", tipoMostrar, "1 ou cnpj, 2 ou cei (padrão: pelo número de dígitos)");
    mostrar->callback([&ctx] {
        drav::TEmpresa e(*ctx.Abrir().sessao);
        if (drav::cli::CarregarEmpresa(ctx, e, numeroMostrar, tipoMostrar))
            drav::cli::ImprimirCampos(ctx, drav::cli::CamposEmpresa(e));
    });

    static drav::cli::Entrada entrada;
    auto* incluir = empresa->add_subcommand("incluir", "Cadastra um empregador (com as regras da tela)");
    drav::cli::AdicionarCampos(incluir, drav::cli::kCamposEmpresa, entrada);
    incluir->callback([&ctx] {
        using drav::cli::Pegar;
        const auto v = entrada.Juntar(drav::cli::kCamposEmpresa);
        drav::TEmpresa e(*ctx.Abrir().sessao);
        e.TipoInscricao = static_cast<uint8_t>(drav::cli::LerTipo(Pegar(v, "tipo"), Pegar(v, "inscricao")));
        e.Inscricao = drav::cli::SemPontuacao(Pegar(v, "inscricao"));
        e.RazaoSocial = drav::MaiusculasAscii(Pegar(v, "razao_social"));
        e.Endereco().Logradouro = drav::MaiusculasAscii(Pegar(v, "logradouro"));
        e.Endereco().Bairro = drav::MaiusculasAscii(Pegar(v, "bairro"));
        e.Endereco().Cep = drav::SoDigitos(Pegar(v, "cep"));
        e.Endereco().Localidade = drav::MaiusculasAscii(Pegar(v, "municipio"));
        e.Endereco().Uf = drav::MaiusculasAscii(Pegar(v, "uf"));
        e.Ddd = Pegar(v, "ddd");
        e.Telefone = Pegar(v, "telefone");
        e.Cnae = Pegar(v, "cnae");
        e.Fpas = Pegar(v, "fpas");
        const std::string simples = drav::Aparar(Pegar(v, "simples"));
        // A code that is not a small number is no option of the table.
        e.Simples = simples.empty() ? 0
                    : drav::SoNumeros(simples) && simples.size() <= 4
                        ? static_cast<int16_t>(drav::StrToInteiro(simples))
                        : static_cast<int16_t>(-1);
        // An inscription that is the responsible's own row becomes an employer too; an employer
        // already registered is refused before the checks, as the window does.
        if (e.TipoInscricao && drav::SoNumeros(e.Inscricao) && !e.Inscricao.empty()) {
            drav::TEstabelecimento existente(*ctx.Abrir().sessao);
            if (existente.ConsultarPorInscricao(e.TipoInscricao, drav::StrToInteiro64(e.Inscricao)) &&
                !existente.Vazio() && existente.EstadoEmpresa != "R") {
                drav::cli::Falhar(ctx, "10", "0207");
                return;
            }
        }
        if (e.ValidarCadastro() != drav::CampoEmpresa::Nenhum) {
            drav::cli::Falhar(ctx, "10", e.CodigoMensagem);
            return;
        }
        if (!e.Incluir()) {
            drav::cli::Falhar(ctx, "10", e.CodigoMensagem);
            return;
        }
        std::cout << ctx.Mensagens().Texto("100078") << "\n";
    });

    static std::string numeroExcluir, tipoExcluir;
    auto* excluir = empresa->add_subcommand(
        "excluir", "Exclui um empregador com seus vínculos e dependentes (pergunta; --sim confirma)");
    excluir->add_option("inscricao", numeroExcluir, "CNPJ ou CEI")->required();
    excluir->add_option("--tipo", tipoExcluir, "1 ou cnpj, 2 ou cei (padrão: pelo número de dígitos)");
    excluir->callback([&ctx] {
        drav::TEmpresa e(*ctx.Abrir().sessao);
        if (!drav::cli::CarregarEmpresa(ctx, e, numeroExcluir, tipoExcluir))
            return;
        const std::string codigo =
            e.ContarVinculos(true) > 0 ? "0446" : e.ContarVinculos(false) > 0 ? "0002" : "0036";
        if (ctx.Mensagens().Mensagem("10" + codigo, drav::mtConfirmation, drav::Botoes::SimNao, drav::mbNo) !=
            drav::mrYes) {
            std::cerr << "Exclusão não confirmada; nada foi alterado.\n";
            ctx.codigoSaida = 1;
            return;
        }
        try {
            e.Excluir();
        } catch (const std::exception& erro) {
            std::cerr << ctx.Mensagens().Texto("10" + e.CodigoMensagem) << "\n" << erro.what() << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        std::cout << ctx.Mensagens().Texto("100068") << "\n";
    });
}

DRAV_COMANDO(RegistrarResponsavel)
{
    auto* resp = app.add_subcommand("responsavel", "O responsável: mostrar, definir");
    resp->require_subcommand(1);

    auto* mostrar = resp->add_subcommand("mostrar", "Mostra o responsável");
    mostrar->callback([&ctx] {
        drav::TResponsavel r(*ctx.Abrir().sessao);
        r.ConsultarResponsavel();
        if (r.Vazio()) {
            std::cerr << "Nenhum responsável cadastrado.\n";
            ctx.codigoSaida = 1;
            return;
        }
        drav::cli::ImprimirCampos(ctx, {{"tipo", drav::cli::NomeTipo(r.TipoInscricao)},
                                        {"inscricao", r.InscricaoFormatada()},
                                        {"razao_social", r.RazaoSocial},
                                        {"papel", r.EstadoEmpresa},
                                        {"contato", r.NomeContato},
                                        {"ddd", r.Ddd},
                                        {"telefone", r.Telefone},
                                        {"email", r.Email},
                                        {"logradouro", r.Endereco().Logradouro},
                                        {"bairro", r.Endereco().Bairro},
                                        {"cep", r.Endereco().Cep},
                                        {"municipio", r.Endereco().Localidade},
                                        {"uf", r.Endereco().Uf}});
    });

    static drav::cli::Entrada entrada;
    auto* definir = resp->add_subcommand(
        "definir", "Cadastra o responsável, ou altera o atual (só os campos dados); mudar a inscrição move o papel");
    drav::cli::AdicionarCampos(definir, drav::cli::kCamposResponsavel, entrada);
    definir->callback([&ctx] {
        const auto v = entrada.Juntar(drav::cli::kCamposResponsavel);
        drav::TResponsavel r(*ctx.Abrir().sessao);
        r.ConsultarResponsavel();
        const bool novo = r.Vazio();
        const auto tem = [&v](const char* k) { return v.count(k) > 0; };
        const auto pegar = [&v](const char* k) { return drav::cli::Pegar(v, k); };
        if (tem("inscricao") || tem("tipo")) {
            const std::string numero = tem("inscricao") ? pegar("inscricao") : r.InscricaoFormatada();
            r.TipoInscricao = static_cast<uint8_t>(
                tem("tipo") ? drav::cli::LerTipo(pegar("tipo"), numero)
                            : tem("inscricao") ? drav::cli::LerTipo("", numero) : r.TipoInscricao);
            r.Inscricao = drav::cli::SemPontuacao(numero);
        }
        if (tem("razao_social"))
            r.RazaoSocial = drav::MaiusculasAscii(pegar("razao_social"));
        if (tem("contato"))
            r.NomeContato = drav::MaiusculasAscii(pegar("contato"));
        if (tem("ddd"))
            r.Ddd = pegar("ddd");
        if (tem("telefone"))
            r.Telefone = pegar("telefone");
        if (tem("email"))
            r.Email = pegar("email");
        if (tem("logradouro"))
            r.Endereco().Logradouro = drav::MaiusculasAscii(pegar("logradouro"));
        if (tem("bairro"))
            r.Endereco().Bairro = drav::MaiusculasAscii(pegar("bairro"));
        if (tem("cep"))
            r.Endereco().Cep = drav::SoDigitos(pegar("cep"));
        if (tem("municipio"))
            r.Endereco().Localidade = drav::MaiusculasAscii(pegar("municipio"));
        if (tem("uf"))
            r.Endereco().Uf = drav::MaiusculasAscii(pegar("uf"));
        if (r.ValidarCadastro() != drav::CampoResponsavel::Nenhum) {
            drav::cli::Falhar(ctx, "00", r.CodigoMensagem);
            return;
        }
        // With no responsible yet, Salvar also covers an inscription already registered as an
        // employer (it becomes "A"); a new inscription gets a row "R".
        if (!r.Salvar()) {
            drav::cli::Falhar(ctx, "00", r.CodigoMensagem);
            return;
        }
        std::cout << ctx.Mensagens().Texto(novo ? "000078" : "000001") << "\n";
    });
}
