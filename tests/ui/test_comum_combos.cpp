// Combo boxes filled from the database.
#include "ui/comum/Combos.h"

#include "core/Excecoes.h"
#include "kit/BancoTeste.h"

#include <QApplication>
#include <QComboBox>

#include <gtest/gtest.h>

#include <memory>

using namespace drav;

namespace {

void GarantirAplicacao()
{
    static int argc = 1;
    static char nome[] = "test_ui";
    static char* argv[] = {nome, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

// Rows made up in the select itself, one per (text, number).
std::string Linhas(std::initializer_list<std::pair<const char*, int>> linhas, bool comNumero = true)
{
    std::string sql;
    for (const auto& [texto, numero] : linhas) {
        if (!sql.empty())
            sql += " UNION ALL ";
        sql += std::string("SELECT CAST('") + texto + "' AS VARCHAR(20)) AS T";
        if (comNumero)
            sql += ", " + std::to_string(numero) + " AS N";
        sql += " FROM RDB$DATABASE";
    }
    return sql;
}

QStringList Itens(const QComboBox& c)
{
    QStringList l;
    for (int i = 0; i < c.count(); ++i)
        l << c.itemText(i);
    return l;
}

class CombosBanco : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        GarantirAplicacao();
        BancoTeste::SetUp();
        caixa = std::make_unique<QComboBox>();
    }
    // Widgets need the application, which SetUp makes sure of.
    std::unique_ptr<QComboBox> caixa;
};

} // namespace

TEST_F(CombosBanco, OrdenaAparaEGuardaONumero)
{
    QComboBox& combo = *caixa;
    PreencherCombo(*sessao, &combo, Linhas({{" SP ", 35}, {"ac", 12}, {"MG", 31}}));
    EXPECT_EQ(Itens(combo), (QStringList{"ac", "MG", "SP"}));
    EXPECT_EQ(combo.itemData(0).toInt(), 12);
    EXPECT_EQ(combo.itemData(2).toInt(), 35);
    EXPECT_EQ(combo.currentIndex(), -1);

    PreencherCombo(*sessao, &combo, Linhas({{"B", 0}, {"A", 0}}, false));
    EXPECT_EQ(Itens(combo), (QStringList{"A", "B"})); // filled again from scratch
    EXPECT_FALSE(combo.itemData(0).isValid());        // one column: no data
}

TEST_F(CombosBanco, ItensExtrasConformeAsLinhas)
{
    QComboBox& combo = *caixa;
    struct Caso {
        std::string sql;
        bool branco, todos;
        QStringList esperado;
        int selecionado;
    };
    const Caso casos[] = {
        {Linhas({{"SP", 1}}), false, true, {"SP"}, 0}, // one row: no "Todos", and it is selected
        {Linhas({{"SP", 1}}), true, false, {"", "SP"}, -1},
        {Linhas({{"SP", 1}}), true, true, {"", "SP"}, -1},
        {Linhas({{"SP", 1}, {"MG", 2}}), false, true, {"Todos", "MG", "SP"}, -1},
        {Linhas({{"SP", 1}, {"MG", 2}}), true, true, {"Todos", "", "MG", "SP"}, -1},
        {Linhas({{"SP", 1}, {"MG", 2}}) + " ROWS 0", true, true, {}, -1},
    };
    for (const auto& c : casos) {
        PreencherCombo(*sessao, &combo, c.sql, c.branco, c.todos);
        EXPECT_EQ(Itens(combo), c.esperado) << c.sql << " branco " << c.branco << " todos " << c.todos;
        EXPECT_EQ(combo.currentIndex(), c.selecionado) << c.sql;
    }
}

TEST_F(CombosBanco, CboGuardaOsBrancosEZerosCompletaALargura)
{
    QComboBox& combo = *caixa;
    combo.setObjectName("cmbCBO");
    PreencherCombo(*sessao, &combo, Linhas({{"2124 10", 1}, {" 123", 2}}));
    EXPECT_EQ(Itens(combo), (QStringList{" 123", "2124 10"}));

    QComboBox meses;
    PreencherComboZeros(*sessao, &meses, Linhas({{"12", 12}, {"7", 7}, {"123", 0}}), 2);
    EXPECT_EQ(Itens(meses), (QStringList{"07", "12", "123"}));
    PreencherComboZeros(*sessao, &meses, Linhas({{"7", 7}}), 3);
    EXPECT_EQ(Itens(meses), (QStringList{"007"}));
    EXPECT_EQ(meses.currentIndex(), 0);
}

TEST_F(CombosBanco, FalhaDoBancoChegaAoChamador)
{
    EXPECT_THROW(PreencherCombo(*sessao, caixa.get(), "SELECT X FROM TABELA_QUE_NAO_EXISTE"), EBancoDados);
}
