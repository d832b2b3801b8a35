// Balance requests and a look inside envelopes:
//   drav-cli solicitar-saldo --saida ARQUIVO.KVD [--empresa INSC ...] [--vinculo CHAVE ...]
//   drav-cli envelope listar ENVELOPE
//   drav-cli envelope extrair ENVELOPE ARQUIVO [--nra IDENTIFICADOR]
// Without --empresa or --vinculo every link of every employer is requested.
#include "Apoio.h"
#include "Comandos.h"

#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/SqlLiterais.h"
#include "files/Protocolo.h"
#include "files/Selo.h"
#include "files/SolicitacaoSaldo.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <set>
#include <stdexcept>
#include <tuple>
#include <vector>

namespace drav::cli {
namespace {

const char* const kSqlVinculos =
    "SELECT V.NU_TIPO_INSO_EMPRA, V.NU_INSCRICAO, E.NO_RAZAO_SOCIAL, V.NU_PIS, V.NU_CATEGORIA, "
    "V.DT_ADMISSAO_VINCULO, W.NO_EMPREGADO FROM SFGTBG04_VINCULO_EMPREGATICIO V "
    "JOIN SFGTBG02_EMPRESA E ON E.NU_TIPO_INSO_EMPRA = V.NU_TIPO_INSO_EMPRA AND E.NU_INSCRICAO = V.NU_INSCRICAO "
    "LEFT JOIN SFGTBG03_EMPREGADO W ON W.NU_PIS = V.NU_PIS ";

using ChaveLink = std::tuple<int, int64_t, int64_t, int, std::string>;

struct Montagem {
    TArrRegRegistro registros;
    std::set<ChaveLink> vistos;

    // Every row of the query as a link entry, once per link.
    void Adicionar(TResultado& r)
    {
        for (r.First(); !r.Eof(); r.Next()) {
            TRegRegistro e;
            e.TipoRegistro = "40";
            const int tipo = r.FieldByName("NU_TIPO_INSO_EMPRA").AsInteger();
            const int64_t inscricao = r.FieldByName("NU_INSCRICAO").AsInt64();
            const int64_t pis = r.FieldByName("NU_PIS").AsInt64();
            const int categoria = r.FieldByName("NU_CATEGORIA").AsInteger();
            e.DataAdmissao = FormatarDataHora("ddmmyyyy", r.FieldByName("DT_ADMISSAO_VINCULO").AsDateTime());
            if (!vistos.insert({tipo, inscricao, pis, categoria, e.DataAdmissao}).second)
                continue;
            e.TipoInscricao = std::to_string(tipo);
            e.Inscricao = PreencherNumero(inscricao, tipo == 1 ? 14 : 12);
            e.NomeEmpresa = Aparar(r.FieldByName("NO_RAZAO_SOCIAL").AsString());
            e.Pis = PreencherNumero(pis, 11);
            e.Categoria = PreencherNumero(categoria, 2);
            e.NomeTrabalhador = Aparar(r.FieldByName("NO_EMPREGADO").AsString());
            registros.push_back(std::move(e));
        }
    }

    // The request groups by employer: entries of one employer must be consecutive.
    void Agrupar()
    {
        std::vector<std::string> ordem;
        for (const auto& e : registros)
            if (std::find(ordem.begin(), ordem.end(), e.TipoInscricao + ":" + e.Inscricao) == ordem.end())
                ordem.push_back(e.TipoInscricao + ":" + e.Inscricao);
        std::stable_sort(registros.begin(), registros.end(), [&](const TRegRegistro& a, const TRegRegistro& b) {
            const auto pa = std::find(ordem.begin(), ordem.end(), a.TipoInscricao + ":" + a.Inscricao);
            const auto pb = std::find(ordem.begin(), ordem.end(), b.TipoInscricao + ":" + b.Inscricao);
            return pa < pb;
        });
    }

    int Empregadores() const
    {
        std::set<std::string> s;
        for (const auto& e : registros)
            s.insert(e.TipoInscricao + ":" + e.Inscricao);
        return static_cast<int>(s.size());
    }
};

// The message of a failed request: the seal's own descriptions, or the message table's text.
std::string TextoFalha(ContextoCli& ctx, const std::string& codigo)
{
    if (const std::string selo = DescricaoErroSelo(codigo); !selo.empty())
        return selo;
    if (codigo.empty())
        return "A solicitação não foi registrada; nenhum arquivo foi gravado.";
    return ctx.Mensagens().Texto(codigo);
}

// An envelope as a folder and a file name.
std::pair<std::string, std::string> Partes(const std::string& envelope)
{
    const auto p = std::filesystem::absolute(envelope);
    return {p.parent_path().string(), p.filename().string()};
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarSolicitarSaldo)
{
    static std::string saida;
    static std::vector<std::string> empresas, vinculos;
    auto* sub = app.add_subcommand("solicitar-saldo",
                                   "Gera o envelope de solicitação de saldo rescisório dos vínculos escolhidos");
    sub->add_option("--saida", saida, "Arquivo do envelope a gravar (*.KVD)")->required();
    sub->add_option("--empresa", empresas, "Todos os vínculos do empregador: TIPO:INSCRICAO ou o CNPJ/CEI");
    sub->add_option("--vinculo", vinculos, "Um vínculo: TIPO:INSCRICAO:PIS:CATEGORIA:ADMISSAO (DD/MM/AAAA)");
    sub->footer("Sem --empresa nem --vinculo, todos os vínculos cadastrados. Código de saída 1 quando a "
                "solicitação não foi gerada.");
    sub->callback([&ctx] {
        using namespace drav;
        auto& app = ctx.Abrir();
        TDBUtils& sessao = *app.sessao;
        cli::Montagem m;
        for (const std::string& texto : empresas) {
            const auto [tipo, inscricao] = cli::LerEmpresaCli(texto);
            auto empresa = sessao.AbrirConsulta("SELECT 1 FROM SFGTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = " +
                                                std::to_string(tipo) + " AND NU_INSCRICAO = " +
                                                std::to_string(inscricao));
            if (empresa->IsEmpty())
                throw std::invalid_argument("Empregador não encontrado: " + texto);
            auto r = sessao.AbrirConsulta(std::string(cli::kSqlVinculos) + "WHERE V.NU_TIPO_INSO_EMPRA = " +
                                          std::to_string(tipo) + " AND V.NU_INSCRICAO = " + std::to_string(inscricao) +
                                          " ORDER BY W.NO_EMPREGADO");
            if (r->IsEmpty()) {
                ctx.Mensagens().Mensagem("0228", mtWarning, Botoes::OK);
                ctx.codigoSaida = 1;
                return;
            }
            m.Adicionar(*r);
        }
        for (const std::string& texto : vinculos) {
            const cli::ChaveVinculoCli c = cli::LerChaveVinculoCli(texto);
            auto r = sessao.AbrirConsulta(std::string(cli::kSqlVinculos) + "WHERE V.NU_TIPO_INSO_EMPRA = " +
                                          std::to_string(c.tipo) + " AND V.NU_INSCRICAO = " +
                                          std::to_string(c.inscricao) + " AND V.NU_PIS = " + std::to_string(c.pis) +
                                          " AND V.NU_CATEGORIA = " + std::to_string(c.categoria) +
                                          " AND V.DT_ADMISSAO_VINCULO = " + SqlData(c.admissao, true));
            if (r->IsEmpty())
                throw std::invalid_argument("Vínculo não encontrado: " + texto);
            m.Adicionar(*r);
        }
        if (empresas.empty() && vinculos.empty()) {
            auto r = sessao.AbrirConsulta(std::string(cli::kSqlVinculos) +
                                          "ORDER BY V.NU_TIPO_INSO_EMPRA, V.NU_INSCRICAO, W.NO_EMPREGADO");
            m.Adicionar(*r);
        }
        if (m.registros.empty()) {
            ctx.Mensagens().Mensagem("0116", mtWarning, Botoes::OK);
            ctx.codigoSaida = 1;
            return;
        }
        m.Agrupar();

        TSolicitacaoSaldoRecisorio solicitacao(sessao);
        solicitacao.PastaDados = app.pasta;
        solicitacao.EscolherArquivo = [](const std::string&, const std::string&, const std::string&) {
            return std::filesystem::absolute(saida).string();
        };
        if (!solicitacao.GerarSolicitacao(m.registros)) {
            const std::string& codigo = solicitacao.CodigoMensagem;
            std::cerr << "Solicitação não gerada" << (codigo.empty() ? "" : " (SS" + codigo + ")") << ": "
                      << cli::TextoFalha(ctx, codigo) << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        const std::string envelope = solicitacao.Protocolo().NomeArquivo;
        const std::string id = solicitacao.Protocolo().Identificador;
        if (ctx.json) {
            std::cout << "{\"identificador\": " << cli::Json(id) << ", \"envelope\": " << cli::Json(envelope)
                      << ", \"empregadores\": " << m.Empregadores() << ", \"vinculos\": " << m.registros.size()
                      << "}\n";
            return;
        }
        std::cout << "Identificador: " << id << "\nEnvelope: " << envelope << "\nEmpregadores: " << m.Empregadores()
                  << ", vínculos: " << m.registros.size() << "\n";
    });
}

DRAV_COMANDO(RegistrarEnvelope)
{
    static std::string envelope, arquivo, nra;
    auto* grupo = app.add_subcommand("envelope", "Mostra ou extrai o conteúdo de um envelope (*.KVD)");
    grupo->require_subcommand(1);

    auto* listar = grupo->add_subcommand("listar", "Lista os arquivos e os campos do selo de um envelope");
    listar->add_option("ENVELOPE", envelope, "Arquivo do envelope")->required();
    listar->callback([&ctx] {
        using namespace drav;
        TEnvelopadorNXR e;
        e.ModoInicio = 1;
        e.Envelope = std::filesystem::absolute(envelope).string();
        e.PastaTrabalho = cli::Partes(envelope).first;
        if (!e.Iniciar() || !e.CriarHandle() || !e.Validar() || !e.Arquivos().CarregarLista()) {
            std::cerr << "Envelope inválido ou ilegível: " << envelope << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        e.Selo().Envelope = e.Envelope;
        if (!e.Selo().Carregar()) {
            std::cerr << "Selo ilegível: " << envelope << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        const auto arquivos = e.Arquivos().Lista();
        const auto campos = e.Selo().Campos();
        if (ctx.json) {
            std::cout << "{\"arquivos\": [";
            for (std::size_t i = 0; i < arquivos.size(); ++i)
                std::cout << (i ? ", " : "") << cli::Json(arquivos[i]);
            std::cout << "], \"selo\": {";
            for (std::size_t i = 0; i < campos.size(); ++i)
                std::cout << (i ? ", " : "") << cli::Json(campos[i].first) << ": " << cli::Json(campos[i].second);
            std::cout << "}}\n";
            return;
        }
        std::cout << "Arquivos:\n";
        for (const auto& a : arquivos)
            std::cout << "  " << a << "\n";
        std::cout << "Selo:\n";
        for (const auto& [chave, valor] : campos)
            std::cout << "  " << chave << " = " << valor << "\n";
    });

    auto* extrair = grupo->add_subcommand("extrair", "Extrai um arquivo do envelope para a pasta do envelope");
    extrair->add_option("ENVELOPE", envelope, "Arquivo do envelope")->required();
    extrair->add_option("ARQUIVO", arquivo, "Nome do arquivo dentro do envelope")->required();
    extrair->add_option("--nra", nra, "Identificador que o envelope deve ter");
    extrair->callback([&ctx] {
        using namespace drav;
        const auto [pasta, nome] = cli::Partes(envelope);
        if (!ExtrairDoEnvelope(pasta, nome, nra, arquivo)) {
            std::cerr << "Extração falhou (FE" << UltimoErroSelo() << ").\n";
            ctx.codigoSaida = 1;
            return;
        }
        std::cout << (std::filesystem::path(pasta) / arquivo).string() << "\n";
    });
}
