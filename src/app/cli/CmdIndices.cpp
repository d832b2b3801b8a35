// Index-table commands: "drav-cli indices mostrar" shows which factors of the installed tables apply
// to a competence paid on a given date, so a calculated amount can be checked by hand.
#include "Comandos.h"

#include "calc/DiaUtil.h"
#include "calc/Indices.h"
#include "core/Datas.h"
#include "core/Formatacao.h"

#include <charconv>
#include <iostream>
#include <optional>
#include <regex>
#include <stdexcept>

namespace drav::cli {
namespace {

TDateTime LerData(const std::string& texto, const char* opcao)
{
    static const std::regex forma(R"((\d{2})/(\d{2})/(\d{4}))");
    std::smatch m;
    if (std::regex_match(texto, m, forma)) {
        const int d = std::stoi(m[1]), me = std::stoi(m[2]), a = std::stoi(m[3]);
        if (DataExiste(a, me, d))
            return CodificarData(a, me, d);
    }
    throw std::invalid_argument(std::string(opcao) + ": data inválida '" + texto + "' (use DD/MM/AAAA)");
}

TDateTime LerCompetencia(const std::string& texto)
{
    static const std::regex forma(R"((\d{2})/(\d{4}))");
    std::smatch m;
    if (std::regex_match(texto, m, forma)) {
        const int me = std::stoi(m[1]), a = std::stoi(m[2]);
        if (DataExiste(a, me, 1))
            return CodificarData(a, me, 1);
    }
    throw std::invalid_argument("--competencia: competência inválida '" + texto + "' (use MM/AAAA)");
}

// Nine decimals, as the tables hold them; "," for people, "." for JSON.
std::string Indice(const std::optional<double>& v, bool json)
{
    if (!v)
        return json ? "null" : "não encontrado";
    char buf[64];
    const auto [p, ec] = std::to_chars(buf, buf + sizeof buf, *v, std::chars_format::fixed, 9);
    std::string s(buf, ec == std::errc() ? p : buf);
    if (!json)
        for (char& c : s)
            if (c == '.')
                c = ',';
    return s;
}

std::string Data(TDateTime d) { return d == NullDate ? "" : DataParaTexto(d); }

// An option date inside each period, to ask the look-ups as a link of that period would.
TDateTime OpcaoDoPeriodo(int p)
{
    static const TDateTime datas[kPeriodosOpcao] = {CodificarData(1967, 1, 2), CodificarData(1968, 1, 2),
                                                    CodificarData(1969, 1, 2), CodificarData(1970, 1, 2),
                                                    CodificarData(1971, 1, 4), CodificarData(1971, 9, 23)};
    return datas[p];
}

CLI::App* Grupo(CLI::App& app)
{
    try {
        return app.get_subcommand("indices");
    } catch (const CLI::OptionNotFound&) {
        auto* g = app.add_subcommand("indices", "Tabelas de índices do FGTS");
        g->require_subcommand(1);
        return g;
    }
}

} // namespace
} // namespace drav::cli

DRAV_COMANDO(RegistrarIndicesMostrar)
{
    static std::string competencia, pagamento, vencimento;
    auto* sub = drav::cli::Grupo(app)->add_subcommand(
        "mostrar", "Mostra os índices que se aplicam a uma competência paga em uma data");
    sub->add_option("--competencia", competencia, "Competência, MM/AAAA")->required();
    sub->add_option("--pagamento", pagamento, "Data de pagamento, DD/MM/AAAA")->required();
    sub->add_option("--vencimento", vencimento,
                    "Vencimento da parcela para os índices de guia (padrão: o vencimento normal da competência)");
    sub->footer("Código de saída 1 quando a tabela pró-rata não tem a data de pagamento no edital que lhe cabe.");
    sub->callback([&ctx] {
        using namespace drav;
        const TDateTime comp = cli::LerCompetencia(competencia);
        const TDateTime pag = cli::LerData(pagamento, "--pagamento");
        auto& sessao = *ctx.Abrir().sessao;
        const TDiaUtil calendario(sessao);
        const TTabelasIndicesBanco tabelas(sessao);
        const TIndicesCalculo indices(tabelas, nullptr);

        const TDateTime edital = EditalDoPagamento(pag);
        const TDateTime normal = calendario.VencimentoCompetencia(comp);
        const TDateTime venc = vencimento.empty() ? normal : cli::LerData(vencimento, "--vencimento");
        const int atraso = MesesEntre(edital, comp);
        const int variante = VarianteSimplificado(pag, comp);
        const TIndicesProrata* prorata = tabelas.Prorata(edital, pag);
        const TIndicesSimplificados* simpl = tabelas.Simplificado(edital, comp);
        const TIndicesGuia* guia = tabelas.Guia(edital, venc, pag);
        const std::optional<double> nada;
        auto coluna = [&](const std::array<std::optional<double>, kPeriodosOpcao>* c, int p) {
            return c ? (*c)[p] : nada;
        };
        const bool json = ctx.json;
        auto ind = [json](const std::optional<double>& v) { return cli::Indice(v, json); };

        if (json) {
            std::cout << "{\"competencia\":\"" << FormatarDataHora("mm/yyyy", comp) << "\",\"pagamento\":\""
                      << cli::Data(pag) << "\",\"dia_util\":" << (calendario.EhDiaUtil(pag) ? "true" : "false")
                      << ",\"edital\":\"" << cli::Data(edital) << "\",\"vencimento_normal\":\"" << cli::Data(normal)
                      << "\",\"atraso_meses\":" << atraso << ",\"variante_simplificado\":" << variante
                      << ",\"prorata\":{\"atraso_0\":" << ind(prorata ? prorata->AtrasoMes : nada)
                      << ",\"atraso_1\":" << ind(prorata ? prorata->Atraso1Mes : nada)
                      << ",\"atraso_2\":" << ind(prorata ? prorata->Atraso2Meses : nada) << "},\"periodos\":[";
            for (int p = 0; p < kPeriodosOpcao; ++p) {
                std::cout << (p ? "," : "") << "{\"periodo\":\"" << SufixoPeriodo(static_cast<PeriodoOpcao>(p))
                          << "\",\"jam\":" << ind(coluna(simpl ? &simpl->Jam : nullptr, p))
                          << ",\"simplificado_1\":" << ind(coluna(simpl ? &simpl->Simplificado1 : nullptr, p))
                          << ",\"simplificado_2\":" << ind(coluna(simpl ? &simpl->Simplificado2 : nullptr, p))
                          << ",\"pro_rata\":"
                          << ind(indices.IndiceProRata(comp, pag, comp, cli::OpcaoDoPeriodo(p), edital))
                          << "}";
            }
            std::cout << "],\"pro_rata_sem_opcao\":" << ind(indices.IndiceProRata(comp, pag, comp, NullDate, edital))
                      << ",\"guia\":{\"vencimento\":\"" << cli::Data(venc)
                      << "\",\"indice\":" << ind(guia ? guia->Indice : nada)
                      << ",\"indice_multa\":" << ind(guia ? guia->IndiceMulta : nada) << "}}\n";
        } else {
            std::cout << "Competência:            " << FormatarDataHora("mm/yyyy", comp) << "\n"
                      << "Pagamento:              " << cli::Data(pag)
                      << (calendario.EhDiaUtil(pag) ? "" : " (não é dia útil)") << "\n"
                      << "Edital:                 " << cli::Data(edital) << "\n"
                      << "Vencimento normal:      " << cli::Data(normal) << "\n"
                      << "Atraso (meses):         " << atraso << "\n"
                      << "Variante simplificada:  " << variante << "\n\n"
                      << "Pró-rata do pagamento\n"
                      << "  atraso de 0 mês:      " << ind(prorata ? prorata->AtrasoMes : nada) << "\n"
                      << "  atraso de 1 mês:      " << ind(prorata ? prorata->Atraso1Mes : nada) << "\n"
                      << "  atraso de 2 meses:    " << ind(prorata ? prorata->Atraso2Meses : nada) << "\n\n"
                      << "Opção        JAM              Simplificado 1   Simplificado 2   Pró-rata\n";
            for (int p = 0; p < kPeriodosOpcao; ++p) {
                std::cout << "  " << PreencherEspacos(SufixoPeriodo(static_cast<PeriodoOpcao>(p)), 11, false)
                          << PreencherEspacos(ind(coluna(simpl ? &simpl->Jam : nullptr, p)), 17, false)
                          << PreencherEspacos(ind(coluna(simpl ? &simpl->Simplificado1 : nullptr, p)), 17, false)
                          << PreencherEspacos(ind(coluna(simpl ? &simpl->Simplificado2 : nullptr, p)), 17, false)
                          << ind(indices.IndiceProRata(comp, pag, comp, cli::OpcaoDoPeriodo(p), edital)) << "\n";
            }
            std::cout << "  sem opção  " << PreencherEspacos("-", 17, false) << PreencherEspacos("-", 17, false)
                      << PreencherEspacos("-", 17, false)
                      << ind(indices.IndiceProRata(comp, pag, comp, NullDate, edital)) << "\n"
                      << "  (categoria 2: JAM da coluna MAIOR_0971)\n\n"
                      << "Índices de guia, vencimento " << cli::Data(venc) << "\n"
                      << "  depósito:             " << ind(guia ? guia->Indice : nada) << "\n"
                      << "  multa rescisória:     " << ind(guia ? guia->IndiceMulta : nada) << "\n";
        }
        if (!prorata) {
            std::cerr << "A tabela pró-rata não tem o pagamento em " << cli::Data(pag) << " no edital de "
                      << cli::Data(edital) << ".\n";
            ctx.codigoSaida = 1;
        }
    });
}
