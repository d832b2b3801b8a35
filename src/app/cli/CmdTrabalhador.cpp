// Worker commands: "drav-cli trabalhador listar|mostrar|incluir|excluir" and "drav-cli vinculo
// mostrar". A worker is typed with flags or read from a small key=value file; several links of one
// worker are saved together, all or none.
#include "Apoio.h"
#include "Comandos.h"

#include "core/Conversao.h"
#include "core/Datas.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Verificacoes.h"
#include "model/CadastroTrabalhador.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <regex>
#include <stdexcept>
#include <vector>

namespace drav::cli {
namespace {

using Valores = std::map<std::string, std::string>;

// The keys a worker may be given with, as file keys; the flag of each is "--" + the key with "-".
struct Chave {
    const char* nome;
    const char* descricao;
};
const std::vector<Chave> kChaves = {
    {"pis", "PIS/PASEP"},
    {"nome", "Nome do trabalhador"},
    {"cpf", "CPF (opcional)"},
    {"sexo", "1 masculino, 2 feminino"},
    {"grau_instrucao", "Grau de instrução, 1 a 13"},
    {"ctps", "Número da CTPS"},
    {"serie_ctps", "Série da CTPS"},
    {"nascimento", "Data de nascimento"},
    {"tipo_inscricao", "Tipo de inscrição do empregador: 1 CNPJ (padrão), 2 CEI"},
    {"inscricao", "Inscrição do empregador"},
    {"categoria", "Categoria do trabalhador"},
    {"admissao", "Data de admissão"},
    {"opcao", "Data de opção pelo FGTS"},
    {"movimentacao", "Código de movimentação (I1, I2, I3, I4, L)"},
    {"data_movimentacao", "Data de movimentação"},
    {"saque", "Código de saque (01 a 04)"},
    {"cbo", "Ocupação (CBO)"},
    {"aviso", "Aviso prévio: 1 trabalhado, 2 indenizado, 3 ausência/dispensa"},
    {"inicio_aviso", "Início do aviso prévio"},
    {"horas", "Horas semanais"},
    {"reposicao", "Reposição de vaga: S ou N"},
    {"banco", "Banco da conta do trabalhador (3 dígitos)"},
    {"agencia", "Agência da conta do trabalhador"},
    {"conta", "Número da conta do trabalhador"},
    {"tomador_tipo", "Tipo de inscrição do tomador de serviço: 1 CNPJ, 2 CEI"},
    {"tomador", "Inscrição do tomador de serviço"},
    {"remuneracao_anterior", "Remuneração do mês anterior à rescisão"},
    {"remuneracao_rescisao", "Remuneração do mês da rescisão"},
    {"valor_aviso", "Aviso prévio indenizado"},
    {"dissidio_data", "Data do dissídio"},
    {"dissidio_valor", "Valor do dissídio"},
    {"pensao_tipo", "Pensão alimentícia: N não existe (padrão), P percentual, V valor"},
    {"pensao_valor", "Percentual ou valor da pensão"},
    {"saldo_empresa", "Saldo para fins rescisórios informado pela empresa"},
};

bool ChaveConhecida(const std::string& chave)
{
    for (const auto& c : kChaves)
        if (chave == c.nome)
            return true;
    return false;
}

std::string Flag(const std::string& chave)
{
    std::string f = "--" + chave;
    for (char& c : f)
        if (c == '_')
            c = '-';
    return f;
}

// The worker's own keys (and defaults for every link), then one map per "[vinculo]" section.
struct Entrada {
    Valores geral;
    std::vector<Valores> vinculos;
};

Entrada LerArquivo(const std::string& caminho)
{
    std::ifstream in(caminho);
    if (!in)
        throw std::runtime_error("não foi possível abrir o arquivo " + caminho);
    Entrada e;
    Valores* atual = &e.geral;
    std::string linha;
    int numero = 0;
    while (std::getline(in, linha)) {
        ++numero;
        const std::string t = Aparar(linha);
        if (t.empty() || t[0] == '#')
            continue;
        if (t == "[vinculo]") {
            e.vinculos.emplace_back();
            atual = &e.vinculos.back();
            continue;
        }
        const auto igual = t.find('=');
        const std::string chave = igual == std::string::npos ? t : Aparar(t.substr(0, igual));
        if (igual == std::string::npos || !ChaveConhecida(chave))
            throw std::runtime_error(caminho + ":" + std::to_string(numero) + ": linha não reconhecida: " + t);
        (*atual)[chave] = Aparar(t.substr(igual + 1));
    }
    return e;
}

std::string Valor(const Valores& v, const std::string& chave)
{
    const auto it = v.find(chave);
    return it == v.end() ? std::string() : it->second;
}

int Inteiro(const Valores& v, const std::string& chave, int padrao = 0)
{
    const std::string s = Valor(v, chave);
    if (s.empty())
        return padrao;
    if (!SoNumeros(s) || s.size() > 9)
        throw std::invalid_argument(chave + ": número inválido '" + s + "'");
    return std::stoi(s);
}

int64_t Inteiro64(const Valores& v, const std::string& chave)
{
    const std::string s = SoDigitos(Valor(v, chave));
    if (s.size() > 18)
        throw std::invalid_argument(chave + ": número longo demais");
    return s.empty() ? 0 : std::stoll(s);
}

// "1234,56" or "1234.56": a decimal separator and at most two decimals, no thousands separator,
// so that "1.234" can never be taken for a thousand.
double Quantia(const Valores& v, const std::string& chave)
{
    const std::string s = Valor(v, chave);
    if (s.empty())
        return 0;
    static const std::regex forma(R"(\d+([.,]\d{1,2})?)");
    if (!std::regex_match(s, forma))
        throw std::invalid_argument(chave + ": valor inválido '" + s + "' (use 1234,56)");
    std::string t = s;
    for (char& c : t)
        if (c == '.')
            c = ',';
    return StrToValor(t);
}

// DD/MM/AAAA; a text that is no date reaches the checks as such, which name it.
TDateTime Data(const Valores& v, const std::string& chave) { return StrToData(Valor(v, chave), 0); }

std::string TextoData(TDateTime d) { return d > 0 ? DataParaTexto(d) : std::string(); }

std::string CodigoTela(const std::string& codigo) { return "40" + CompletarZeros(codigo, 4); }

void PreencherTrabalhador(TEmpregado& t, const Valores& v)
{
    t.Pis = SoDigitos(Valor(v, "pis"));
    t.Nome = MaiusculasAscii(Valor(v, "nome")); // as the entry form types it
    t.Cpf = SoDigitos(Valor(v, "cpf"));
    t.Sexo = Inteiro(v, "sexo");
    t.GrauInstrucao = Valor(v, "grau_instrucao");
    t.Ctps = Valor(v, "ctps");
    t.SerieCtps = Valor(v, "serie_ctps");
    t.DataNascimento = Data(v, "nascimento");
}

void PreencherVinculo(TVinculo& l, const Valores& v, const std::string& pis)
{
    l.TipoInscricao = Inteiro(v, "tipo_inscricao", 1);
    l.Inscricao = Inteiro64(v, "inscricao");
    l.Pis = pis.empty() ? 0 : StrToInteiro64(pis);
    l.Categoria = Inteiro(v, "categoria", -1); // none chosen
    l.DataAdmissao = Data(v, "admissao");
    l.DataOpcao = Data(v, "opcao");
    l.Movimentacao = MaiusculasAscii(Valor(v, "movimentacao"));
    l.DataMovimentacao = Data(v, "data_movimentacao");
    l.Saque = CompletarZeros(Valor(v, "saque"), Valor(v, "saque").empty() ? 0 : 2);
    l.Cbo = Valor(v, "cbo").empty() ? std::string() : CompletarZeros(Valor(v, "cbo"), 6);
    l.AvisoPrevio = Inteiro(v, "aviso");
    l.DataInicioAviso = Data(v, "inicio_aviso");
    l.HorasSemanais = Inteiro(v, "horas");
    l.ReposicaoVagas = MaiusculasAscii(Valor(v, "reposicao"));
    l.Banco = Valor(v, "banco");
    l.Agencia = Valor(v, "agencia");
    l.Conta = Valor(v, "conta");
    l.TipoInscricaoTomador = Inteiro(v, "tomador_tipo");
    l.InscricaoTomador = Inteiro64(v, "tomador");
    TInformacaoRescisao& r = l.Rescisao();
    r.VrRemuneracaoAnteriorRscso = Quantia(v, "remuneracao_anterior");
    r.VrRemuneracaoRescisao = Quantia(v, "remuneracao_rescisao");
    r.VrAvisoPrevio = Quantia(v, "valor_aviso");
    r.DtDissidio = Data(v, "dissidio_data");
    r.VrDissidio = Quantia(v, "dissidio_valor");
    const std::string pensao = MaiusculasAscii(Valor(v, "pensao_tipo"));
    r.TipoPensao = pensao.empty() ? "N" : pensao;
    r.VrPensaoAlmna = Quantia(v, "pensao_valor");
}

const char* DescricaoEstado(int estado)
{
    switch (estado) {
    case EstadoRegistrado: return "cadastrado";
    case EstadoMarcado: return "participando";
    case EstadoFechado: return "fechado";
    case EstadoProcessado: return "guia processada";
    default: return "?";
    }
}

CLI::App* Grupo(CLI::App& app, const char* nome, const char* descricao)
{
    try {
        return app.get_subcommand(nome);
    } catch (const CLI::OptionNotFound&) {
        auto* g = app.add_subcommand(nome, descricao);
        g->require_subcommand(1);
        return g;
    }
}

// The options that pick one link.
struct ChaveCli {
    int tipo = 1;
    std::string inscricao, pis, categoria, admissao;
    void Adicionar(CLI::App* sub, bool obrigatoria)
    {
        sub->add_option("--tipo-inscricao", tipo, "Tipo de inscrição do empregador: 1 CNPJ, 2 CEI")
            ->check(CLI::IsMember({1, 2}));
        auto* i = sub->add_option("--inscricao", inscricao, "Inscrição do empregador");
        auto* c = sub->add_option("--categoria", categoria, "Categoria do trabalhador");
        auto* a = sub->add_option("--admissao", admissao, "Data de admissão, DD/MM/AAAA");
        if (obrigatoria) {
            i->required();
            c->required();
            a->required();
        }
    }
    bool Informada() const { return !inscricao.empty() || !categoria.empty() || !admissao.empty(); }
    TDateTime Admissao() const
    {
        const TDateTime d = StrToData(admissao, 0);
        if (d <= 0)
            throw std::invalid_argument("--admissao: data inválida '" + admissao + "' (use DD/MM/AAAA)");
        return d;
    }
    int Categoria() const
    {
        if (categoria.empty() || !SoNumeros(categoria) || categoria.size() > 2)
            throw std::invalid_argument("--categoria: categoria inválida '" + categoria + "'");
        return std::stoi(categoria);
    }
};

void MostrarLinhaVinculo(TVinculo& v)
{
    std::cout << "  " << (v.TipoInscricao == 1 ? FormatarCNPJ(std::to_string(v.Inscricao)) : std::to_string(v.Inscricao))
              << "  categoria " << CompletarZeros(std::to_string(v.Categoria), 2) << "  admissão "
              << TextoData(v.DataAdmissao) << "  movimentação " << v.Movimentacao << " " << TextoData(v.DataMovimentacao)
              << "  " << DescricaoEstado(v.EstadoMovimento) << (v.Inconsistente ? " (inconsistente)" : "") << "\n";
}

std::string JsonVinculo(TVinculo& v)
{
    TInformacaoRescisao& r = v.Rescisao();
    auto q = [](double x) { return FormatarValorPonto(x); };
    return "{\"tipo_inscricao\":" + std::to_string(v.TipoInscricao) + ",\"inscricao\":" + Json(std::to_string(v.Inscricao)) +
           ",\"pis\":" + Json(CompletarZeros(std::to_string(v.Pis), 11)) + ",\"categoria\":" + std::to_string(v.Categoria) +
           ",\"admissao\":" + Json(TextoData(v.DataAdmissao)) + ",\"opcao\":" + Json(TextoData(v.DataOpcao)) +
           ",\"movimentacao\":" + Json(v.Movimentacao) + ",\"data_movimentacao\":" + Json(TextoData(v.DataMovimentacao)) +
           ",\"saque\":" + Json(v.Saque) + ",\"cbo\":" + Json(v.Cbo) + ",\"aviso\":" + std::to_string(v.AvisoPrevio) +
           ",\"inicio_aviso\":" + Json(TextoData(v.DataInicioAviso)) + ",\"horas\":" + std::to_string(v.HorasSemanais) +
           ",\"reposicao\":" + Json(v.ReposicaoVagas) + ",\"banco\":" + Json(v.Banco) + ",\"agencia\":" + Json(v.Agencia) +
           ",\"conta\":" + Json(v.Conta) + ",\"estado\":" + std::to_string(v.EstadoMovimento) +
           ",\"inconsistente\":" + (v.Inconsistente ? "true" : "false") +
           ",\"remuneracao_anterior\":" + q(r.VrRemuneracaoAnteriorRscso) +
           ",\"remuneracao_rescisao\":" + q(r.VrRemuneracaoRescisao) + ",\"valor_aviso\":" + q(r.VrAvisoPrevio) +
           ",\"dissidio_data\":" + Json(TextoData(r.DtDissidio)) + ",\"dissidio_valor\":" + q(r.VrDissidio) +
           ",\"pensao_tipo\":" + Json(r.TipoPensao) + ",\"pensao_valor\":" + q(r.VrPensaoAlmna) +
           ",\"origem_saldo\":" + Json(r.OrigemSaldo) + ",\"saldo_rescisorio\":" + q(r.VrSaldoRescisorio) + "}";
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarTrabalhadorListar)
{
    static std::string nome, inscricao;
    static int tipo = 1;
    auto* sub = drav::cli::Grupo(app, "trabalhador", "Cadastro de trabalhadores e seus vínculos")
                    ->add_subcommand("listar", "Lista os trabalhadores, um vínculo por linha");
    sub->add_option("--nome", nome, "Somente os nomes que contêm este texto");
    sub->add_option("--inscricao", inscricao, "Somente os vínculos deste empregador (com dados rescisórios)");
    sub->add_option("--tipo-inscricao", tipo, "Tipo de inscrição do empregador: 1 CNPJ, 2 CEI")
        ->check(CLI::IsMember({1, 2}));
    sub->callback([&ctx] {
        using namespace drav;
        TEmpregado t(*ctx.Abrir().sessao);
        t.CarregaRelacionados = false;
        if (!inscricao.empty())
            t.ListarDaEmpresa(std::to_string(tipo), SoDigitos(inscricao));
        else if (!nome.empty())
            t.ListarPorNome(MaiusculasAscii(nome));
        else
            t.ListarTodos();
        std::string json;
        for (; !t.Vazio() && !t.Eof(); t.Proximo()) {
            TVinculo& v = t.Vinculo();
            if (ctx.json) {
                json += (json.empty() ? "" : ",") + std::string("{\"pis\":") + cli::Json(t.Pis) +
                        ",\"nome\":" + cli::Json(t.Nome) + ",\"tipo_inscricao\":" + std::to_string(v.TipoInscricao) +
                        ",\"inscricao\":" + cli::Json(std::to_string(v.Inscricao)) +
                        ",\"categoria\":" + std::to_string(v.Categoria) + ",\"admissao\":" +
                        cli::Json(cli::TextoData(v.DataAdmissao)) + ",\"estado\":" + std::to_string(v.EstadoMovimento) +
                        "}";
            } else {
                std::cout << FormatarPIS(t.Pis) << "  " << PreencherEspacos(t.Nome, 40, false);
                cli::MostrarLinhaVinculo(v);
            }
        }
        if (ctx.json)
            std::cout << "[" << json << "]\n";
    });
}

DRAV_COMANDO(RegistrarTrabalhadorMostrar)
{
    static std::string pis;
    auto* sub = drav::cli::Grupo(app, "trabalhador", "Cadastro de trabalhadores e seus vínculos")
                    ->add_subcommand("mostrar", "Mostra um trabalhador e os seus vínculos");
    sub->add_option("--pis", pis, "PIS/PASEP do trabalhador")->required();
    sub->callback([&ctx] {
        using namespace drav;
        TEmpregado t(*ctx.Abrir().sessao);
        t.CarregaRelacionados = false;
        if (!t.ConsultarPorPis(SoDigitos(pis))) {
            std::cerr << "Trabalhador não encontrado: " << pis << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        if (ctx.json) {
            std::string vinculos;
            for (; !t.Eof(); t.Proximo()) {
                t.Vinculo().CarregaRelacionados = true;
                vinculos += (vinculos.empty() ? "" : ",") + cli::JsonVinculo(t.Vinculo());
            }
            t.Primeiro();
            std::cout << "{\"pis\":" << cli::Json(t.Pis) << ",\"nome\":" << cli::Json(t.Nome)
                      << ",\"cpf\":" << cli::Json(t.Cpf) << ",\"sexo\":" << t.Sexo
                      << ",\"grau_instrucao\":" << cli::Json(t.GrauInstrucao) << ",\"ctps\":" << cli::Json(t.Ctps)
                      << ",\"serie_ctps\":" << cli::Json(t.SerieCtps)
                      << ",\"nascimento\":" << cli::Json(cli::TextoData(t.DataNascimento)) << ",\"vinculos\":["
                      << vinculos << "]}\n";
            return;
        }
        std::cout << "PIS/PASEP:        " << FormatarPIS(t.Pis) << "\n"
                  << "Nome:             " << t.Nome << "\n"
                  << "CPF:              " << t.Cpf << "\n"
                  << "Sexo:             " << (t.Sexo == 1 ? "1 - Masculino" : t.Sexo == 2 ? "2 - Feminino" : "") << "\n"
                  << "Grau de instrução: " << t.GrauInstrucao << "\n"
                  << "CTPS / série:     " << t.Ctps << " / " << t.SerieCtps << "\n"
                  << "Nascimento:       " << cli::TextoData(t.DataNascimento) << "\n"
                  << "Vínculos:\n";
        for (; !t.Eof(); t.Proximo()) {
            cli::MostrarLinhaVinculo(t.Vinculo());
        }
    });
}

DRAV_COMANDO(RegistrarTrabalhadorIncluir)
{
    static std::string arquivo;
    static drav::cli::Valores flags;
    auto* sub = drav::cli::Grupo(app, "trabalhador", "Cadastro de trabalhadores e seus vínculos")
                    ->add_subcommand("incluir", "Inclui um trabalhador com um ou mais vínculos, todos ou nenhum");
    sub->add_option("--arquivo", arquivo,
                    "Arquivo chave=valor (as chaves são as opções sem \"--\", com \"_\"); cada seção [vinculo] "
                    "descreve mais um vínculo, e as chaves de vínculo fora delas valem para todos");
    for (const auto& c : drav::cli::kChaves) {
        const std::string chave = c.nome;
        sub->add_option_function<std::string>(
            drav::cli::Flag(chave), [chave](const std::string& v) { flags[chave] = v; }, c.descricao);
    }
    sub->footer("Datas DD/MM/AAAA; valores 1234,56. As regras são as da tela de cadastro; a primeira que falhar "
                "é mostrada com o seu código e o campo, e nada é gravado.");
    sub->callback([&ctx] {
        using namespace drav;
        cli::Entrada e = arquivo.empty() ? cli::Entrada{} : cli::LerArquivo(arquivo);
        for (const auto& [k, v] : flags)
            e.geral[k] = v;
        if (e.vinculos.empty())
            e.vinculos.emplace_back();
        auto& sessao = *ctx.Abrir().sessao;

        // One worker object per link, each checked as the entry form checks it.
        std::vector<std::unique_ptr<TEmpregado>> trabalhadores;
        for (std::size_t i = 0; i < e.vinculos.size(); ++i) {
            cli::Valores valores = e.geral;
            for (const auto& [k, v] : e.vinculos[i])
                valores[k] = v;
            auto t = std::make_unique<TEmpregado>(sessao);
            cli::PreencherTrabalhador(*t, valores);
            cli::PreencherVinculo(t->Vinculo(), valores, t->Pis);
            TVinculo& v = t->Vinculo();
            const TFalhaCadastro f = ValidarCadastroTrabalhador(*t);
            const std::string qual = e.vinculos.size() > 1 ? " (vínculo " + std::to_string(i + 1) + ")" : "";
            if (f.Falhou()) {
                const std::string codigo = cli::CodigoTela(f.Codigo);
                std::cerr << "Erro" << qual << ": " << NomeCampoCadastro(f.Campo) << ": "
                          << ctx.Mensagens().Texto(codigo) << "\n";
                ctx.codigoSaida = 1;
                return;
            }
            if (v.Empresa().Vazio()) {
                std::cerr << "Erro" << qual << ": inscricao: empregador não cadastrado\n";
                ctx.codigoSaida = 1;
                return;
            }
            DefinirSaldoRescisorio(v.Rescisao(),
                                   SaldoDasContas(sessao, v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria, v.DataAdmissao),
                                   cli::Quantia(valores, "saldo_empresa"));
            trabalhadores.push_back(std::move(t));
        }
        std::vector<TVinculo*> vinculos;
        for (auto& t : trabalhadores)
            vinculos.push_back(&t->Vinculo());
        TEmpregado& t = *trabalhadores.front();
        if (!t.IncluirVinculos(vinculos)) {
            std::cerr << "Erro: " << ctx.Mensagens().Texto(cli::CodigoTela(t.CodigoMensagem)) << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        std::cout << "Trabalhador " << FormatarPIS(t.Pis) << " incluído com " << vinculos.size()
                  << (vinculos.size() == 1 ? " vínculo" : " vínculos") << "\n";
    });
}

DRAV_COMANDO(RegistrarTrabalhadorExcluir)
{
    static std::string pis;
    static drav::cli::ChaveCli chave;
    auto* sub = drav::cli::Grupo(app, "trabalhador", "Cadastro de trabalhadores e seus vínculos")
                    ->add_subcommand("excluir", "Exclui um vínculo (dada a chave) ou o trabalhador com todos os "
                                                "vínculos, com contas, complementos e dados rescisórios");
    sub->add_option("--pis", pis, "PIS/PASEP do trabalhador")->required();
    chave.Adicionar(sub, false);
    sub->footer("Pede confirmação: responda com --sim (ou --nao) fora de um terminal.");
    sub->callback([&ctx] {
        using namespace drav;
        auto& sessao = *ctx.Abrir().sessao;
        TEmpregado t(sessao);
        t.CarregaRelacionados = false;
        const bool umVinculo = chave.Informada();
        bool achou;
        if (umVinculo)
            achou = t.ConsultarVinculo(chave.tipo, SoDigitos(chave.inscricao), chave.Admissao(), chave.Categoria(),
                                       SoDigitos(pis));
        else
            achou = t.ConsultarPorPis(SoDigitos(pis));
        if (!achou) {
            std::cerr << (umVinculo ? "Vínculo não encontrado\n" : "Trabalhador não encontrado\n");
            ctx.codigoSaida = 1;
            return;
        }
        bool fechado = false;
        for (; !t.Eof(); t.Proximo()) {
            fechado = fechado || t.Vinculo().EstadoMovimento >= EstadoFechado;
        }
        t.Primeiro();
        if (ctx.Mensagens().Mensagem(fechado ? "400445" : "400036", mtConfirmation, Botoes::SimNao, mbNo) != mrYes) {
            ctx.codigoSaida = 1;
            return;
        }
        if (umVinculo)
            t.ExcluirVinculos(false);
        else
            t.ExcluirTrabalhador();
        std::cout << (umVinculo ? "Vínculo excluído\n" : "Trabalhador excluído\n");
    });
}

DRAV_COMANDO(RegistrarVinculoMostrar)
{
    static std::string pis;
    static drav::cli::ChaveCli chave;
    auto* sub = drav::cli::Grupo(app, "vinculo", "Vínculos empregatícios")
                    ->add_subcommand("mostrar", "Mostra um vínculo com os seus dados rescisórios");
    sub->add_option("--pis", pis, "PIS/PASEP do trabalhador")->required();
    chave.Adicionar(sub, true);
    sub->callback([&ctx] {
        using namespace drav;
        TVinculo v(*ctx.Abrir().sessao);
        v.TipoInscricao = chave.tipo;
        v.Inscricao = StrToInteiro64(SoDigitos(chave.inscricao));
        v.Pis = StrToInteiro64(SoDigitos(pis));
        v.Categoria = chave.Categoria();
        v.DataAdmissao = chave.Admissao();
        if (!v.ConsultarPorChave()) {
            std::cerr << "Vínculo não encontrado\n";
            ctx.codigoSaida = 1;
            return;
        }
        if (ctx.json) {
            std::cout << cli::JsonVinculo(v) << "\n";
            return;
        }
        TInformacaoRescisao& r = v.Rescisao();
        auto pensao = [&] {
            const std::string t = r.TipoPensao;
            return t == "P" ? "Percentual " + FormatarValor(r.VrPensaoAlmna) + "%"
                   : t == "V" ? "Valor " + FormatarValor(r.VrPensaoAlmna)
                              : std::string("Não existe");
        };
        std::cout << "Empregador:            " << v.Empresa().RazaoSocial << " (" << v.Empresa().InscricaoFormatada()
                  << ")\n"
                  << "Trabalhador:           " << v.Trabalhador().Nome << " - " << FormatarPIS(std::to_string(v.Pis)) << "\n"
                  << "Categoria:             " << CompletarZeros(std::to_string(v.Categoria), 2) << "\n"
                  << "Admissão / opção:      " << cli::TextoData(v.DataAdmissao) << " / " << cli::TextoData(v.DataOpcao) << "\n"
                  << "Movimentação:          " << v.Movimentacao << " - " << v.DescricaoMovimentacao << " em "
                  << cli::TextoData(v.DataMovimentacao) << "\n"
                  << "Saque / CBO:           " << v.Saque << " / " << v.Cbo << "\n"
                  << "Aviso prévio:          " << v.DescricaoAvisoPrevio()
                  << (v.DataInicioAviso > 0 ? " desde " + cli::TextoData(v.DataInicioAviso) : std::string()) << "\n"
                  << "Horas semanais:        " << v.HorasSemanais << "\n"
                  << "Reposição de vaga:     " << v.ReposicaoVagas << "\n"
                  << "Conta do trabalhador:  " << v.Banco << " " << v.Agencia << " " << v.Conta << "\n"
                  << "Estado:                " << v.EstadoMovimento << " - " << cli::DescricaoEstado(v.EstadoMovimento)
                  << (v.Inconsistente ? " (inconsistente)" : "") << "\n"
                  << "Remuneração anterior:  " << FormatarValor(r.VrRemuneracaoAnteriorRscso) << "\n"
                  << "Remuneração rescisão:  " << FormatarValor(r.VrRemuneracaoRescisao) << "\n"
                  << "Aviso prévio indeniz.: " << FormatarValor(r.VrAvisoPrevio) << "\n"
                  << "Dissídio:              " << FormatarValor(r.VrDissidio) << " " << cli::TextoData(r.DtDissidio) << "\n"
                  << "Pensão alimentícia:    " << pensao() << "\n"
                  << "Saldo rescisório:      " << FormatarValor(r.VrSaldoRescisorio) << " (origem " << r.OrigemSaldo << ")\n";
    });
}
