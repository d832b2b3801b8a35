// "drav-cli alteracoes": the worker-name changes the bank's balance file left, and the user's
// decision on them: adopt the bank's name (confirmar) or keep the registered one (recusar).
#include "Apoio.h"
#include "Comandos.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "core/Verificacoes.h"
#include "model/AlteracaoCadastral.h"
#include "model/ChaveVinculo.h"
#include "model/Empregado.h"

#include <charconv>
#include <iostream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace drav::cli {
namespace {

// The pending change of the link and account; its bank name is the one the account carries (the
// tree shows the same), else the one the change recorded.
bool LerPendente(TDBUtils& s, const ChaveVinculoCli& c, int64_t conta, std::string& nomeBanco)
{
    const std::string chave = SqlChaveVinculo("", c.tipo, c.inscricao, c.pis, c.categoria, c.admissao);
    auto r = s.AbrirConsulta("SELECT DE_CONTEUDO_ANTERIOR FROM SFGTBG05_ALTERACAO_CADASTRAL WHERE " + chave +
                             " AND NU_TIPO_ALTERACAO = 406 AND IC_CONFIRMACAO = 'N' AND "
                             "NU_EMPREGADO_QUELD_ALT_CDSTL = " + SqlNumero(conta));
    if (r->IsEmpty())
        return false;
    nomeBanco = r->Field(0).AsString();
    auto a = s.AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE " + chave +
                             " AND NU_EMPREGADO_QUELD = " + SqlNumero(conta));
    if (!a->IsEmpty() && !a->Field(0).AsString().empty())
        nomeBanco = a->Field(0).AsString();
    return true;
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarAlteracoes)
{
    auto* sub = app.add_subcommand("alteracoes", "Alterações cadastrais de nome informadas pelo banco");
    sub->require_subcommand(1);

    auto* listar = sub->add_subcommand("listar", "Lista as alterações de nome pendentes e confirmadas");
    listar->callback([&ctx] {
        using namespace drav;
        auto& sessao = *ctx.Abrir().sessao;
        TAlteracaoCadastral a(sessao);
        a.CarregaRelacionados = false;
        const bool tem = a.ListarTodas();
        if (ctx.json)
            std::cout << "[";
        bool primeiro = true;
        for (; tem && !a.Eof(); a.Proximo()) {
            const std::string chave = a.TipoInscricao + ":" + a.Inscricao + ":" + CompletarZeros(a.Pis, 11) + ":" +
                                      a.Categoria + ":" + DataParaTexto(a.DataAdmissao);
            auto n = sessao.AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " +
                                          SqlNumeroTexto(a.Pis));
            const std::string cadastrado = n->IsEmpty() ? std::string() : n->Field(0).AsString();
            if (ctx.json) {
                std::cout << (primeiro ? "" : ",") << "{\"vinculo\":" << cli::Json(chave)
                          << ",\"tipo\":" << cli::Json(a.TipoAlteracao) << ",\"conta\":" << cli::Json(a.NumeroEmpregadoQueld)
                          << ",\"nome_banco\":" << cli::Json(a.ConteudoAnterior)
                          << ",\"nome_cadastrado\":" << cli::Json(cadastrado)
                          << ",\"confirmacao\":" << cli::Json(a.Confirmacao) << "}";
            } else {
                std::cout << chave << "  conta " << a.NumeroEmpregadoQueld << "  "
                          << (a.Confirmacao == "S" ? "mantido" : "pendente") << "\n  banco:     " << a.ConteudoAnterior
                          << "\n  cadastro:  " << cadastrado << "\n";
            }
            primeiro = false;
        }
        if (ctx.json)
            std::cout << "]\n";
        else if (primeiro)
            std::cout << "Nenhuma alteração cadastral.\n";
    });

    static std::string vinculo;
    static int64_t conta = 0;
    for (const bool adotar : {true, false}) {
        auto* d = sub->add_subcommand(adotar ? "confirmar" : "recusar",
                                      adotar ? "Confirma a alteração: o trabalhador passa a ter o nome do banco"
                                             : "Recusa a alteração: o nome cadastrado é mantido");
        d->add_option("--vinculo", vinculo, "Chave do vínculo: TIPO:INSCRICAO:PIS:CATEGORIA:ADMISSAO (DD/MM/AAAA)")
            ->required();
        d->add_option("--conta", conta, "Número da conta do trabalhador no banco (veja 'alteracoes listar')")
            ->required();
        d->callback([&ctx, adotar] {
            using namespace drav;
            const cli::ChaveVinculoCli c = cli::LerChaveVinculoCli(vinculo);
            auto& sessao = *ctx.Abrir().sessao;
            std::string nomeBanco;
            if (!cli::LerPendente(sessao, c, conta, nomeBanco)) {
                std::cerr << "Não há alteração de nome pendente para o vínculo " << vinculo << " e a conta " << conta
                          << ".\n";
                ctx.codigoSaida = 1;
                return;
            }
            TTransacao t(sessao);
            TAlteracaoCadastral a(sessao);
            a.CarregaRelacionados = false;
            if (adotar) {
                TEmpregado& trabalhador = a.Trabalhador();
                trabalhador.Nome = nomeBanco;
                if (!trabalhador.ValidarNome()) {
                    std::cerr << ctx.Mensagens().Texto("99" + trabalhador.CodigoMensagem) << " (" << nomeBanco
                              << ")\n";
                    ctx.codigoSaida = 1;
                    return;
                }
            }
            a.ResolverAlteracaoNome(c.tipo, c.categoria, adotar ? 'N' : 'S', nomeBanco, c.admissao, c.pis,
                                    c.inscricao);
            t.Confirmar();
            std::cout << (adotar ? "Nome do trabalhador alterado para: " : "Nome cadastrado mantido; nome do banco: ")
                      << nomeBanco << "\n";
        });
    }
}
