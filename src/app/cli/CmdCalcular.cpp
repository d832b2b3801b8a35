// "drav-cli calcular": the rescission amounts of one link, as the closing would compute them,
// optionally stored in the link's rescission data.
#include "Apoio.h"
#include "Comandos.h"

#include "calc/Calculo.h"
#include "calc/CalculoBanco.h"
#include "calc/DiaUtil.h"
#include "calc/Inconsistencia.h"
#include "calc/Indices.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/Verificacoes.h"

#include <charconv>
#include <iostream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace drav::cli {
namespace {

TEntradaCalculo LerChave(const std::string& texto)
{
    const ChaveVinculoCli c = LerChaveVinculoCli(texto);
    TEntradaCalculo e;
    e.TipoInscricao = c.tipo;
    e.Inscricao = c.inscricao;
    e.Pis = c.pis;
    e.Categoria = c.categoria;
    e.DataAdmissao = c.admissao;
    return e;
}

std::string Data(TDateTime d) { return d > 0 ? DataParaTexto(d) : std::string(); }
std::string MesAno(TDateTime d) { return d > 0 ? FormatarDataHora("mm/yyyy", d) : std::string(); }

struct Rotulo {
    TipoParcela tipo;
    const char* descricao;
};
const Rotulo kParcelas[] = {{TipoParcela::Anterior, "Mês Anterior à Rescisão"},
                            {TipoParcela::Rescisao, "Mês de Rescisão"},
                            {TipoParcela::AvisoPrevio, "Aviso Prévio Indenizado"},
                            {TipoParcela::Multa, "Multa Rescisória"}};

// The text the closing shows for the failure.
std::string TextoErro(ContextoCli& ctx, const TCalculo& c)
{
    const std::string codigo = CompletarZeros(std::to_string(c.CodigoErro()), 4);
    std::vector<std::string> argumentos;
    if (c.CodigoErro() == 372) {
        const TDateTime competencia =
            c.ParcelaComErro() ? c.Parcela(static_cast<TipoParcela>(c.ParcelaComErro())).Competencia : 0;
        argumentos = {competencia > 0 ? MesAno(competencia) : std::string("do saldo rescisório"), MesAno(c.Edital())};
    }
    std::string texto = ctx.Mensagens().Texto(codigo, argumentos);
    if (c.ParcelaComErro())
        texto += " (parcela " + std::to_string(c.ParcelaComErro()) + ")";
    return texto;
}

void MostrarTexto(const TEntradaCalculo& e, const TCalculo& c, bool calculado, bool gravado)
{
    std::cout << "Vínculo:          " << e.TipoInscricao << ":" << e.Inscricao << ":"
              << CompletarZeros(std::to_string(e.Pis), 11) << ":" << e.Categoria << ":" << Data(e.DataAdmissao)
              << "\n"
              << "Empregador:       " << e.RazaoSocial << "\n"
              << "Trabalhador:      " << e.NomeEmpregado << "\n"
              << "Movimentação:     " << Data(e.DataMovimentacao) << " - " << e.Movimentacao << "\n"
              << "Pagamento:        " << Data(e.DataPagamento) << " (edital " << Data(c.Edital()) << ")\n\n";
    std::cout << PreencherEspacos("Parcela", 29, false) << PreencherEspacos("Data Devida", 12, false)
              << PreencherEspacos("Depósito", 15, true) << PreencherEspacos("Jam", 12, true)
              << PreencherEspacos("Contrib. Social", 17, true) << PreencherEspacos("Multa Contrib.", 16, true)
              << PreencherEspacos("Multa", 13, true) << "\n";
    for (const Rotulo& r : kParcelas) {
        const TParcela& p = c.Parcela(r.tipo);
        std::cout << PreencherEspacos(std::to_string(static_cast<int>(r.tipo)) + " " + r.descricao, 29, false)
                  << PreencherEspacos(Data(p.DataDevida), 12, false)
                  << PreencherEspacos(FormatarValor(p.ValorDeposito), 15, true)
                  << PreencherEspacos(FormatarValor(p.ValorJAM), 12, true)
                  << PreencherEspacos(FormatarValor(p.ValorContribuicao), 17, true)
                  << PreencherEspacos(FormatarValor(p.ValorMultaContribuicao), 16, true)
                  << PreencherEspacos(FormatarValor(p.ValorMulta), 13, true)
                  << (calculado || p.Calculada ? "" : "  (não calculada)") << "\n";
    }
    std::cout << "\nSaldo Rescisório: " << PreencherEspacos(FormatarValor(c.SaldoMulta()), 16, true);
    if (c.JAMSaldo() != 0)
        std::cout << "  (JAM do saldo " << FormatarValor(c.JAMSaldo()) << ")";
    std::cout << "\nTotal a Recolher: " << PreencherEspacos(FormatarValor(c.ValorTotal()), 16, true) << "\n";
    if (gravado)
        std::cout << "Valores gravados nos dados rescisórios do vínculo.\n";
}

void MostrarJson(const TEntradaCalculo& e, const TCalculo& c, bool calculado, bool gravado,
                 const std::string& mensagem)
{
    std::cout << "{\"vinculo\":{\"tipo_inscricao\":" << e.TipoInscricao << ",\"inscricao\":\"" << e.Inscricao
              << "\",\"pis\":\"" << CompletarZeros(std::to_string(e.Pis), 11) << "\",\"categoria\":" << e.Categoria
              << ",\"admissao\":" << DataJson(e.DataAdmissao) << "},\"pagamento\":" << DataJson(e.DataPagamento)
              << ",\"edital\":" << DataJson(c.Edital()) << ",\"calculado\":" << (calculado ? "true" : "false")
              << ",\"codigo_erro\":" << c.CodigoErro() << ",\"parcela_com_erro\":" << c.ParcelaComErro()
              << ",\"mensagem\":" << (mensagem.empty() ? std::string("null") : Json(mensagem))
              << ",\"parcelas\":[";
    bool primeira = true;
    for (const Rotulo& r : kParcelas) {
        const TParcela& p = c.Parcela(r.tipo);
        std::cout << (primeira ? "" : ",") << "{\"codigo\":" << static_cast<int>(r.tipo)
                  << ",\"descricao\":" << Json(r.descricao) << ",\"data_devida\":" << DataJson(p.DataDevida)
                  << ",\"competencia\":" << (p.Competencia > 0 ? Json(MesAno(p.Competencia)) : "null")
                  << ",\"contribuicao_devida\":" << (p.ContribuicaoDevida == 'S' ? "true" : "false")
                  << ",\"no_prazo\":" << (p.NoPrazo == 'S' ? "true" : "false")
                  << ",\"deposito\":" << FormatarValorPonto(p.ValorDeposito)
                  << ",\"jam\":" << FormatarValorPonto(p.ValorJAM)
                  << ",\"contribuicao\":" << FormatarValorPonto(p.ValorContribuicao)
                  << ",\"multa_contribuicao\":" << FormatarValorPonto(p.ValorMultaContribuicao)
                  << ",\"multa\":" << FormatarValorPonto(p.ValorMulta)
                  << ",\"calculada\":" << (p.Calculada ? "true" : "false") << "}";
        primeira = false;
    }
    std::cout << "],\"saldo_multa\":" << FormatarValorPonto(c.SaldoMulta())
              << ",\"jam_saldo\":" << FormatarValorPonto(c.JAMSaldo())
              << ",\"total\":" << FormatarValorPonto(c.ValorTotal()) << ",\"gravado\":" << (gravado ? "true" : "false")
              << "}\n";
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarCalcular)
{
    static std::string vinculo, pagamento;
    static bool gravar = false;
    auto* sub = app.add_subcommand("calcular", "Calcula os valores rescisórios de um vínculo (e os grava, com --gravar)");
    sub->add_option("--vinculo", vinculo, "Chave do vínculo: TIPO:INSCRICAO:PIS:CATEGORIA:ADMISSAO (DD/MM/AAAA)")
        ->required();
    sub->add_option("--pagamento", pagamento,
                    "Data de pagamento, DD/MM/AAAA (padrão: a data prevista do recolhimento aberto)");
    sub->add_flag("--gravar", gravar, "Grava os valores calculados nos dados rescisórios do vínculo");
    sub->footer("Código de saída 1 quando o vínculo não existe ou o cálculo não pôde ser feito.");
    sub->callback([&ctx] {
        using namespace drav;
        TEntradaCalculo entrada = cli::LerChave(vinculo);
        const TDateTime dataInformada = pagamento.empty() ? NullDate : cli::LerDataCli(pagamento, "--pagamento");
        auto& a = ctx.Abrir();
        auto& sessao = *a.sessao;
        entrada.DataPagamento = pagamento.empty() ? a.DataPagamentoRecolhimento : dataInformada;
        if (entrada.DataPagamento == NullDate) {
            std::cerr << ctx.Mensagens().Texto("0062")
                      << " Não há recolhimento aberto: use --pagamento DD/MM/AAAA.\n";
            ctx.codigoSaida = 1;
            return;
        }

        const TDiaUtil calendario(sessao);
        const TTabelasIndicesBanco tabelas(sessao);
        TInconsistencia registro(sessao);
        TCalculo calculo(calendario, tabelas, &registro);

        if (!CarregarEntradaCalculo(sessao, entrada)) {
            std::cerr << "Vínculo não encontrado: " << vinculo << "\n";
            ctx.codigoSaida = 1;
            return;
        }
        bool calculado = false, gravado = false;
        if (gravar) {
            gravado = CalcularGravar(calculo, sessao, entrada) >= 0;
            calculado = calculo.TodasCalculadas();
        } else {
            calculado = calculo.Calcular(entrada);
        }
        const std::string mensagem = calculado ? std::string() : cli::TextoErro(ctx, calculo);
        if (ctx.json)
            cli::MostrarJson(entrada, calculo, calculado, gravado, mensagem);
        else
            cli::MostrarTexto(entrada, calculo, calculado, gravado);
        if (!calculado) {
            std::cerr << mensagem << "\n";
            ctx.codigoSaida = 1;
        } else if (gravar && !gravado) {
            std::cerr << "Os valores não foram gravados: os dados rescisórios do vínculo não existem mais.\n";
            ctx.codigoSaida = 1;
        }
    });
}
