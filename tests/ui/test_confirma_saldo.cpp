// The confirmation of accounts the balance file brought for links already closed or paid.
#include "ui/cargasaldo/TfrmConfirmaSaldo.h"

#include "core/Inicializacao.h"
#include "files/Folha.h"
#include "ui/cargasaldo/CargaSaldo.h"

#include "calc/Indices.h"
#include "core/DBUtils.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "kit/BancoTeste.h"

#include <QPushButton>
#include <QString>

#include <fstream>
#include <QTreeWidget>

namespace drav {
namespace {

class Roteiro : public IApresentador {
public:
    int resposta = mrYes;
    std::vector<std::string> textos;
    int Mostrar(const DialogoMensagem& d) override
    {
        textos.push_back(d.texto);
        return d.botoes & Botoes::Sim ? resposta : mrOk;
    }
    void MostrarErroSistema(const std::string& t, const std::string&) override { textos.push_back(t); }
};

class JanelaConfirmaSaldo : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA) VALUES (1, 11222333000181, 'ACME', 'A')");
        Vinculo("12034567899", "MARIA SILVA", 2);
        Vinculo("10000000001", "ANA COSTA", 3);
    }
    void Vinculo(const std::string& pis, const std::string& nome, int estado)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (" + pis + ", '" + nome + "')");
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, IC_ESTADO_MOVIMENTO) VALUES (1, 11222333000181, " +
                            pis + ", 1, '2015-03-02', " + std::to_string(estado) + ")");
        TContaPendente p;
        p.Conta.TipoInscricao = 1;
        p.Conta.Inscricao = 11222333000181;
        p.Conta.Pis = std::stoll(pis);
        p.Conta.Categoria = 1;
        p.Conta.DataAdmissao = CodificarData(2015, 3, 2);
        p.Conta.NumeroEmpregadoQueld = 500 + static_cast<int64_t>(pendentes.size());
        p.Conta.Nome = nome + " DO BANCO";
        p.Conta.SaldoRescisorio = 123.45;
        p.Conta.SituacaoPis = 1;
        p.Regular = true;
        pendentes.push_back(p);
    }
    int64_t Contar(const std::string& tabela, const std::string& onde)
    {
        return sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela + " WHERE " + onde)->FieldByName("N").AsInt64();
    }

    std::vector<TContaPendente> pendentes;
    Roteiro roteiro;
};

TEST_F(JanelaConfirmaSaldo, SalvaSoOsVinculosMarcados)
{
    TMensagens mensagens(sessao.get(), roteiro);
    const TTabelasIndicesBanco tabelas(*sessao);
    TfrmConfirmaSaldo janela(*sessao, mensagens, tabelas, NullDate, AgruparPendentes(*sessao, pendentes));
    QTreeWidget* grade = janela.grdVinculos();
    ASSERT_EQ(grade->topLevelItemCount(), 2);
    EXPECT_EQ(grade->topLevelItem(0)->text(4).toStdString(), "MARIA SILVA");
    EXPECT_EQ(grade->topLevelItem(1)->text(1).toStdString(), "Processado");

    // Nothing ticked: the warning, and the window stays.
    for (int i = 0; i < grade->topLevelItemCount(); ++i)
        grade->topLevelItem(i)->setCheckState(0, Qt::Unchecked);
    janela.btnSalvar()->click();
    ASSERT_EQ(roteiro.textos.size(), 1u);
    EXPECT_EQ(roteiro.textos[0].substr(0, 6), "CT0230");
    EXPECT_EQ(janela.Resultado(), TfrmConfirmaSaldo::Desfecho::Cancelado);

    // A "No" to "Confirmar dados?" stores nothing either.
    grade->topLevelItem(0)->setCheckState(0, Qt::Checked);
    roteiro.resposta = mrNo;
    janela.btnSalvar()->click();
    EXPECT_EQ(roteiro.textos.back(), "Confirmar dados?");
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "1 = 1"), 0);

    roteiro.resposta = mrYes;
    janela.btnSalvar()->click();
    EXPECT_EQ(janela.Resultado(), TfrmConfirmaSaldo::Desfecho::Gravado) << janela.Erro();
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "NU_PIS = 12034567899 AND NO_EMPREGADO = 'MARIA SILVA'"), 1);
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "NU_PIS = 10000000001"), 0);
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO", "NU_PIS = 12034567899 AND IC_ESTADO_MOVIMENTO = 0"), 1);
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO", "NU_PIS = 10000000001 AND IC_ESTADO_MOVIMENTO = 3"), 1);
}

TEST_F(JanelaConfirmaSaldo, CancelarNaoGravaNada)
{
    TMensagens mensagens(sessao.get(), roteiro);
    const TTabelasIndicesBanco tabelas(*sessao);
    TfrmConfirmaSaldo janela(*sessao, mensagens, tabelas, NullDate, AgruparPendentes(*sessao, pendentes));
    janela.btnCancelar()->click();
    EXPECT_EQ(janela.Resultado(), TfrmConfirmaSaldo::Desfecho::Cancelado);
    EXPECT_TRUE(roteiro.textos.empty());
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "1 = 1"), 0);
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO", "IC_ESTADO_MOVIMENTO = 0"), 0);
}

// The whole load from the window's entry: the progress window runs it, the end asks the question
// of the consultation; a refused file ends with the load's code as an error.
TEST(CargaSaldoJanela, CargaTerminaComPerguntaOuComOCodigo)
{
    const auto pasta = teste::PastaTemporaria("drav-carga-janela");
    ContextoAplicacao ctx;
    ctx.pasta = pasta;
    ctx.sessao = teste::NovoBanco(pasta);
    TArqFolha folha(*ctx.sessao);
    folha.Caminho = std::string(DRAV_FIXTURES) + "/folha/DRAV.re";
    ASSERT_TRUE(folha.Processar());
    const auto z = [](std::size_t n) { return std::string(n, '0'); };
    const std::string linhas[] = {
        "0302FGTS199999990000180" + std::string("ESCRITORIO CONTABIL MODELO    ") + "10012026" +
            "202601151030000000000000012345" + std::string(35, ' ') + z(28) + "000001",
        "1" + z(8) + "500001" + std::string("EMPRESA") + std::string(33, ' ') + "01012026" + z(8) + "1" +
            "00001000000106" + "00" + z(66) + "000002",
        "2" + z(8) + "500001" + z(9) + "11" + std::string("ANA SILVA SILVA") + std::string(25, ' ') + "01032010" +
            z(7) + "100000" + "01" + "1" + "00001000000106" + "10000000016" + "01" + "00" + "202512" + z(29) + "000003",
        "8" + z(14) + "0000001" + z(10) + "100000" + z(116) + "000004",
        "9" + std::string("0000001") + "0000001" + "0000001" + z(10) + "100000" + z(116) + "000005"};
    const std::string arquivo = (pasta / "Saldo.KVD").string();
    {
        std::ofstream f(arquivo, std::ios::binary);
        for (const std::string& l : linhas)
            f << l << "\r\n";
    }
    Roteiro roteiro;
    TMensagens m(ctx.sessao.get(), roteiro);
    int recargas = 0, consultas = 0;
    TServicosCargaSaldo servicos;
    servicos.RecarregarArvore = [&](bool) { ++recargas; };
    servicos.ConsultarSaldos = [&] { ++consultas; };
    EXPECT_TRUE(ExecutarCargaSaldo(nullptr, ctx, m, QString::fromStdString(arquivo), servicos));
    ASSERT_EQ(roteiro.textos.size(), 1u);
    EXPECT_EQ(roteiro.textos[0].substr(0, 6), "CT0076");
    EXPECT_EQ(consultas, 1);
    EXPECT_EQ(recargas, 1);

    roteiro.textos.clear();
    {
        std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
        f << linhas[0] << "\r\n" << linhas[4] << "\r\n";
    }
    EXPECT_FALSE(ExecutarCargaSaldo(nullptr, ctx, m, QString::fromStdString(arquivo), servicos));
    ASSERT_EQ(roteiro.textos.size(), 1u);
    EXPECT_EQ(roteiro.textos[0].substr(0, 6), "CT0402");
    EXPECT_EQ(consultas, 1);
    ctx.sessao.reset();
    std::error_code ec;
    std::filesystem::remove_all(pasta, ec);
}

} // namespace
} // namespace drav
