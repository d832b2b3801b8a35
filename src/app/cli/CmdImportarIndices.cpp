// Installing a new edital of the index tables:
//   drav-cli importar-indices IND_DRAV.zip
// The archive replaces the business-day calendar and the three index tables, withdraws the open
// collection and recomputes the complements of open links, or changes nothing.
#include "Apoio.h"
#include "Comandos.h"

#include "core/Datas.h"
#include "files/ImportacaoIndices.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

DRAV_COMANDO(RegistrarImportarIndices)
{
    static std::string arquivo;
    auto* sub = app.add_subcommand("importar-indices", "Instala um novo edital das tabelas de índices do FGTS");
    sub->add_option("arquivo", arquivo, "Arquivo de índices (IndicesDRAV.zip ou IND_DRAV.ZIP)")->required();
    sub->footer("A coleta aberta é retirada: informe nova data de pagamento antes do próximo cálculo. "
                "Código de saída 1 quando nada foi importado.");
    sub->callback([&ctx] {
        using namespace drav;
        const fs::path zip = arquivo;
        if (!NomeArquivoIndicesAceito(zip)) {
            std::cerr << "Arquivo recusado: " << zip.string()
                      << " (o arquivo deve existir e chamar-se IndicesDRAV.zip ou IND_DRAV.ZIP)\n";
            ctx.codigoSaida = 1;
            return;
        }
        auto& app = ctx.Abrir();
        auto& mensagens = ctx.Mensagens();
        TImportacaoIndices importacao(*app.sessao, PastaTrabalhoIndices(app.pasta));
        importacao.DataPagamento = &app.DataPagamentoRecolhimento;
        importacao.DataEdital = &app.DataEdital;
        const auto r = importacao.Importar(zip);
        const std::string codigo = "TI" + (r.Sucesso() ? std::string("0074") : r.ResultadoImportacao);
        if (!r.Sucesso())
            ctx.codigoSaida = 1;
        if (ctx.json) {
            std::cout << "{\"importado\":" << (r.Sucesso() ? "true" : "false") << ",\"codigo\":" << cli::Json(codigo)
                      << ",\"mensagem\":" << cli::Json(mensagens.Texto(codigo))
                      << ",\"detalhe\":" << cli::Json(r.Detalhe) << ",\"data_edital\":" << cli::DataJson(app.DataEdital)
                      << ",\"avisos\":[";
            for (size_t i = 0; i < r.Avisos.size(); ++i)
                std::cout << (i ? "," : "") << cli::Json(r.Avisos[i]);
            std::cout << "]}\n";
            return;
        }
        std::cout << mensagens.Texto(codigo) << "\n";
        if (!r.Detalhe.empty())
            std::cerr << r.Detalhe << "\n";
        for (const std::string& a : r.Avisos)
            std::cerr << "Aviso: " << a << "\n";
        if (r.Sucesso())
            std::cout << "Edital instalado: " << (app.DataEdital == NullDate ? "nenhum" : DataParaTexto(app.DataEdital))
                      << "\n";
    });
}
