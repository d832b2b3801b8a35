#include "files/Execucao.h"

#include "core/Excecoes.h"

#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <thread>

using namespace drav;

TEST(Execucao, DescricaoDeCadaTipoDeProcesso)
{
    EXPECT_EQ(DescricaoProcesso(ProcessoFolha).Titulo, "Importação de Folha de Pagamento");
    EXPECT_EQ(DescricaoProcesso(ProcessoFolha).Etapas[3], "Preparando visualização da tela");
    EXPECT_EQ(DescricaoProcesso(ProcessoSaldo).Etapas[0], "Acessando Nexaro");
    EXPECT_EQ(DescricaoProcesso(ProcessoOcorrencias).Titulo, "Importação de Arquivo Chave Identificação");
    EXPECT_EQ(DescricaoProcesso(ProcessoGuiasProcessadas).Titulo, "Importação de Arquivo Processado");
    EXPECT_EQ(DescricaoProcesso(ProcessoArquivoRescisorio).Etapas[0], "Calculando DRAV");
    EXPECT_TRUE(DescricaoProcesso(ProcessoArquivoRescisorio).Etapas[1].empty());
    EXPECT_THROW(DescricaoProcesso(5), ENegocio);
}

TEST(Execucao, TrabalhoRodaEmOutraThreadERelataAoSink)
{
    TProgressoNulo sink;
    std::thread::id idTrabalho;
    const TResultadoProcesso r = ExecutarAteConcluir(
        ProcessoFolha,
        [&](IProgresso& p) {
            idTrabalho = std::this_thread::get_id();
            p.DefinirMaximo(3);
            p.AvancarProgresso(false);
            p.AvancarProgresso(true);
            TResultadoProcesso ok;
            ok.Sucesso = true;
            return ok;
        },
        sink);
    EXPECT_TRUE(r.Sucesso);
    EXPECT_NE(idTrabalho, std::this_thread::get_id());
    EXPECT_EQ(sink.Maximo, 4);
    EXPECT_EQ(sink.Posicao, 2);
}

// Cancel only sets the flag; the job sees it before its next line and ends by itself.
TEST(Execucao, CancelarSoLigaOSinalQueOTrabalhoLe)
{
    TProgressoNulo sink;
    std::atomic<bool> comecou{false};
    std::atomic<int> linhasDepois{0};
    TMyThread t;
    std::atomic<bool> concluiu{false};
    ASSERT_TRUE(t.Iniciar(
        ProcessoFolha,
        [&](IProgresso& p) {
            comecou = true;
            TResultadoProcesso r;
            for (int linha = 0; linha < 1000000; ++linha) {
                if (p.Cancelado())
                    return r;
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
                if (linha > 0)
                    ++linhasDepois;
            }
            r.Sucesso = true;
            return r;
        },
        sink, [&](const TResultadoProcesso&) { concluiu = true; }));
    while (!comecou)
        std::this_thread::yield();
    EXPECT_TRUE(t.EmExecucao());
    // One run at a time.
    EXPECT_FALSE(t.Iniciar(ProcessoFolha, [](IProgresso&) { return TResultadoProcesso{}; }, sink));
    t.Cancelar();
    const TResultadoProcesso r = t.Aguardar();
    EXPECT_FALSE(r.Sucesso);
    EXPECT_TRUE(r.Cancelado);
    EXPECT_TRUE(concluiu);
    EXPECT_TRUE(t.Concluido());
    EXPECT_FALSE(t.EmExecucao());
}

TEST(Execucao, ExcecaoDoTrabalhoViraFalhaComMensagem)
{
    TProgressoNulo sink;
    const TResultadoProcesso r = ExecutarAteConcluir(
        ProcessoSaldo, [](IProgresso&) -> TResultadoProcesso { throw std::runtime_error("disco cheio"); }, sink);
    EXPECT_FALSE(r.Sucesso);
    EXPECT_EQ(r.MensagemResultado, "0250");
    EXPECT_EQ(r.Erro, "disco cheio");
}
