// The helpers that read the database: business days, the pro-rata window, server time, version.
#include "core/Utilitarios.h"

#include "core/Excecoes.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>

using namespace drav;

namespace {

class UtilitariosBanco : public teste::BancoTeste {
protected:
    // The tables these helpers read, emptied; created when this database's layout lacks them.
    void Preparar(const std::string& tabela, const std::string& colunas)
    {
        const auto existe = sessao->AbrirConsulta(
            "SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = " + SqlTexto(tabela));
        if (existe->IsEmpty())
            sessao->ExecutarSQL("CREATE TABLE " + tabela + " (" + colunas + ")");
        sessao->ExecutarSQL("DELETE FROM " + tabela);
    }
};

} // namespace

TEST_F(UtilitariosBanco, EhDiaUtilProcuraODiaNoCalendario)
{
    Preparar("SFGTBT15_DIA_UTIL", "DT_UTIL DATE NOT NULL");
    sessao->ExecutarSQL("INSERT INTO SFGTBT15_DIA_UTIL (DT_UTIL) VALUES (" + SqlData(CodificarData(2024, 3, 11)) + ")");
    EXPECT_TRUE(EhDiaUtil(*sessao, CodificarData(2024, 3, 11)));
    EXPECT_TRUE(EhDiaUtil(*sessao, CodificarDataHora(2024, 3, 11, 15, 30, 0))); // the time is not compared
    EXPECT_FALSE(EhDiaUtil(*sessao, CodificarData(2024, 3, 12)));
    EXPECT_FALSE(EhDiaUtil(*sessao, NullDate));
    EXPECT_THROW(EhDiaUtil(*sessao, DataInvalida), EConversao);
}

TEST_F(UtilitariosBanco, NoPeriodoProrataUsaAJanelaDaPrimeiraDataDeRecolhimento)
{
    Preparar("SFGTBT18_INDICE_PRORATA", "DT_EDITAL_PRORATA DATE, DT_RECOLHIMENTO_PRORATA DATE");
    EXPECT_FALSE(NoPeriodoProrata(*sessao, CodificarData(2024, 3, 15))); // no table installed

    // The window 10/03 to 09/04 has rows in both months; the April rows are stored first.
    const TDateTime edital = CodificarData(2024, 3, 1);
    for (const TDateTime dia : {CodificarData(2024, 4, 1), CodificarData(2024, 4, 9), CodificarData(2024, 3, 11),
                                CodificarData(2024, 3, 28)})
        sessao->ExecutarSQL("INSERT INTO SFGTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA) VALUES (" +
                            SqlData(edital) + ", " + SqlData(dia) + ")");
    struct Caso {
        TDateTime data;
        bool dentro;
    };
    const Caso casos[] = {
        {CodificarData(2024, 3, 9), false},
        {CodificarData(2024, 3, 10), true},
        {CodificarData(2024, 4, 9), true},
        {CodificarDataHora(2024, 4, 9, 23, 59, 0), true},
        {CodificarData(2024, 4, 10), false},
        {CodificarData(2024, 5, 2), false},
    };
    for (const auto& c : casos)
        EXPECT_EQ(NoPeriodoProrata(*sessao, c.data), c.dentro) << FormatarData(c.data);
}

TEST_F(UtilitariosBanco, NoPeriodoProrataAtravessaOAno)
{
    Preparar("SFGTBT18_INDICE_PRORATA", "DT_EDITAL_PRORATA DATE, DT_RECOLHIMENTO_PRORATA DATE");
    sessao->ExecutarSQL("INSERT INTO SFGTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA) VALUES (" +
                        SqlData(CodificarData(2023, 12, 1)) + ", " + SqlData(CodificarData(2023, 12, 12)) + ")");
    EXPECT_TRUE(NoPeriodoProrata(*sessao, CodificarData(2024, 1, 9)));
    EXPECT_FALSE(NoPeriodoProrata(*sessao, CodificarData(2024, 1, 10)));
    EXPECT_FALSE(NoPeriodoProrata(*sessao, CodificarData(2023, 12, 9)));
}

TEST_F(UtilitariosBanco, VersaoSistemaDaLinhaMaisRecente)
{
    Preparar("SFGTBT22_PARAMETRO_SISTEMA", "CO_VERSAO_SISTEMA VARCHAR(10), DT_VERSAO_SISTEMA DATE");
    EXPECT_EQ(VersaoSistema(*sessao, true), "");
    sessao->ExecutarSQL("INSERT INTO SFGTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) VALUES "
                        "('2.1.0 ', '2024-05-06')");
    sessao->ExecutarSQL("INSERT INTO SFGTBT22_PARAMETRO_SISTEMA (CO_VERSAO_SISTEMA, DT_VERSAO_SISTEMA) VALUES "
                        "('1.0.0', '2020-01-01')");
    EXPECT_EQ(VersaoSistema(*sessao, false), "2.1.0 ");
    EXPECT_EQ(VersaoSistema(*sessao, true), "2.1.0  - 06/05/2024");
}

TEST_F(UtilitariosBanco, DataServidorComESemHora)
{
    const TDateTime antes = Agora();
    const TDateTime servidor = DataServidor(*sessao, true);
    const TDateTime dia = DataServidor(*sessao, false);
    EXPECT_LT(std::fabs(servidor - antes), 5.0 / 1440.0); // the embedded server is this machine
    EXPECT_EQ(dia, std::trunc(dia));
    EXPECT_LE(std::fabs(dia - SomenteData(servidor)), 1.0);
}

TEST(PastaConfigurada, UmaPastaDeDadosPorNome)
{
    const auto pastas = PastaConfigurada("/dados/drav", "Ambiente\\", {"Caminho"});
    ASSERT_EQ(pastas.size(), 1u);
    EXPECT_EQ(pastas[0] + "TEMP", "/dados/drav/TEMP");
    EXPECT_EQ(PastaConfigurada("/dados/drav/", "Ambiente\\", {"A", "B"}),
              (std::vector<std::string>{"/dados/drav/", "/dados/drav/"}));
}

TEST(ApagarArquivos, SoOsArquivosDaPasta)
{
    const auto pasta = teste::PastaTemporaria("apagar");
    std::filesystem::create_directories(pasta / "sub");
    for (const char* nome : {"a.txt", "b", "sub/c.txt"})
        std::ofstream(pasta / nome) << "x";
    EXPECT_TRUE(ApagarArquivos(pasta));
    EXPECT_FALSE(std::filesystem::exists(pasta / "a.txt"));
    EXPECT_FALSE(std::filesystem::exists(pasta / "b"));
    EXPECT_TRUE(std::filesystem::exists(pasta / "sub" / "c.txt"));
    EXPECT_TRUE(ApagarArquivos(pasta / "nao-existe"));
    std::filesystem::remove_all(pasta);
}
