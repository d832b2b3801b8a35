#include "files/Protocolo.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Resultado.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace drav {
namespace {

const std::string kId = "202403151435200001234567890123";
const std::string kOutroId = "202403151435209990000000000042";

class ProtocoloTeste : public teste::BancoTeste {
protected:
    // A rescission file row as its writer leaves it before the envelope is named.
    void IncluirArquivo(const std::string& id, int tipo, TDateTime geracao)
    {
        TProtocolo p(*sessao);
        p.Identificador = id;
        p.NumeroArquivo = tipo;
        p.DataGeracao = geracao;
        ASSERT_TRUE(p.Incluir()) << id;
    }

    std::unique_ptr<TResultado> Linha(const std::string& sql) { return sessao->AbrirConsulta(sql); }

    void GravarLinhas(const std::string& id, const std::vector<std::string>& tipos)
    {
        TProtocolo p(*sessao);
        // Stored backwards: the check must follow the line numbers, not the order of insertion.
        for (int i = static_cast<int>(tipos.size()); i >= 1; --i)
            ASSERT_TRUE(p.GravarLinha(id, i, tipos[i - 1] + std::string(498, ' ')));
    }
};

TEST_F(ProtocoloTeste, IncluirEConsultarDevolvemOsMesmosCampos)
{
    const TDateTime geracao = CodificarDataHora(2024, 3, 15, 14, 35, 20);
    TProtocolo p(*sessao);
    p.Identificador = kId;
    p.NumeroArquivo = ArquivoRescisorio;
    p.NomeArquivo = "/dados/Arquivos/Guia Rescisoria/D'Ávila GuiaDRAV.KVD";
    p.DataGeracao = geracao;
    ASSERT_TRUE(p.Incluir());

    TProtocolo lido(*sessao);
    lido.Identificador = kId;
    ASSERT_TRUE(lido.ConsultarPorIdentificador());
    EXPECT_EQ(lido.Identificador, kId);
    EXPECT_EQ(lido.NumeroArquivo, ArquivoRescisorio);
    EXPECT_EQ(lido.NomeArquivo, p.NomeArquivo);
    EXPECT_EQ(DataHoraParaTexto(lido.DataGeracao), "15/03/2024 14:35:20");
    EXPECT_EQ(lido.DataEnvio, NullDate);
    EXPECT_EQ(lido.CodigoProtocolo, "");
    EXPECT_EQ(lido.ArquivoValido, "");
    EXPECT_EQ(lido.ArquivoAtendido, "");
    EXPECT_FALSE(lido.DescricaoArquivo.empty()) << "the type description comes from the joined table";

    // An empty protocol code is stored as an empty text on insert.
    auto r = Linha("SELECT CO_PROTOCOLO FROM SFGTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = '" + kId + "'");
    EXPECT_FALSE(r->FieldByName("CO_PROTOCOLO").IsNull());

    // A second row with the same identifier is refused, reported as false.
    EXPECT_FALSE(p.Incluir());

    lido.Identificador = kOutroId;
    EXPECT_FALSE(lido.ConsultarPorIdentificador());
}

TEST_F(ProtocoloTeste, IncluirPelaDescricaoDoTipo)
{
    auto tipo = Linha("SELECT DE_ARQUIVO FROM SFGTBT12_TIPO_ARQUIVO WHERE NU_ARQUIVO = 7");
    ASSERT_FALSE(tipo->IsEmpty());

    TProtocolo p(*sessao);
    p.Identificador = kId;
    p.DescricaoArquivo = tipo->FieldByName("DE_ARQUIVO").AsString();
    ASSERT_TRUE(p.Incluir());
    EXPECT_EQ(p.NumeroArquivo, ArquivoSolicitacaoSaldo);

    TProtocolo desconhecido(*sessao);
    desconhecido.Identificador = kOutroId;
    desconhecido.DescricaoArquivo = "Tipo que não existe'";
    EXPECT_FALSE(desconhecido.Incluir());
    EXPECT_FALSE(desconhecido.ConsultarPorIdentificador());
}

TEST_F(ProtocoloTeste, ProtocoloDoReciboGuardaAHoraDoEnvio)
{
    IncluirArquivo(kId, ArquivoRescisorio, CodificarData(2024, 3, 15));

    TProtocolo p(*sessao);
    p.Identificador = kId;
    ASSERT_TRUE(p.ConsultarPorIdentificador());
    p.CodigoProtocolo = "20240316000123";
    p.DataEnvio = CodificarDataHora(2024, 3, 16, 9, 41, 7);
    ASSERT_TRUE(p.Alterar());

    TProtocolo lido(*sessao);
    lido.Identificador = kId;
    ASSERT_TRUE(lido.ConsultarPorIdentificador());
    EXPECT_EQ(lido.CodigoProtocolo, "20240316000123");
    EXPECT_EQ(DataHoraParaTexto(lido.DataEnvio), "16/03/2024 09:41:07");
    EXPECT_EQ(DataHoraParaTexto(lido.DataGeracao), "15/03/2024 00:00:00");

    // An update with an empty code clears it.
    lido.CodigoProtocolo.clear();
    ASSERT_TRUE(lido.Alterar());
    auto r = Linha("SELECT CO_PROTOCOLO FROM SFGTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = '" + kId + "'");
    EXPECT_TRUE(r->FieldByName("CO_PROTOCOLO").IsNull());
}

TEST_F(ProtocoloTeste, RetornoMarcaValidadeSemTocarNaGeracaoNemNoEnvio)
{
    IncluirArquivo(kId, ArquivoSolicitacaoSaldo, CodificarDataHora(2024, 3, 15, 14, 35, 20));
    {
        TProtocolo p(*sessao);
        p.Identificador = kId;
        ASSERT_TRUE(p.ConsultarPorIdentificador());
        p.CodigoProtocolo = "777";
        p.DataEnvio = CodificarDataHora(2024, 3, 16, 9, 41, 7);
        ASSERT_TRUE(p.Alterar());
    }

    for (const bool valido : {false, true}) {
        TProtocolo p(*sessao);
        p.Identificador = kId;
        ASSERT_TRUE(p.MarcarValidade(valido));

        TProtocolo lido(*sessao);
        lido.Identificador = kId;
        ASSERT_TRUE(lido.ConsultarPorIdentificador());
        EXPECT_EQ(lido.ArquivoValido, valido ? "S" : "N");
        EXPECT_EQ(lido.ArquivoAtendido, "S");
        EXPECT_EQ(DataHoraParaTexto(lido.DataGeracao), "15/03/2024 14:35:20");
        EXPECT_EQ(DataHoraParaTexto(lido.DataEnvio), "16/03/2024 09:41:07");
        EXPECT_EQ(lido.CodigoProtocolo, "777");
    }

    TProtocolo semLinha(*sessao);
    semLinha.Identificador = kOutroId;
    EXPECT_FALSE(semLinha.MarcarValidade(true));
    auto r = Linha("SELECT COUNT(*) AS N FROM SFGTBG13_ARQUIVO");
    EXPECT_EQ(r->FieldByName("N").AsInteger(), 1);
}

TEST_F(ProtocoloTeste, ExcluirSoAcertaUmaVez)
{
    IncluirArquivo(kId, ArquivoRescisorio, CodificarData(2024, 3, 15));
    TProtocolo p(*sessao);
    p.Identificador = kId;
    EXPECT_TRUE(p.Excluir());
    EXPECT_FALSE(p.Excluir());
    EXPECT_FALSE(p.ConsultarPorIdentificador());
}

TEST_F(ProtocoloTeste, ListarPorTipoFiltraEPosicionaNoPrimeiro)
{
    IncluirArquivo(kId, ArquivoRescisorio, CodificarData(2024, 3, 15));
    IncluirArquivo(kOutroId, ArquivoSolicitacaoSaldo, CodificarData(2024, 3, 16));
    IncluirArquivo("202403170000000000000000000007", ArquivoReenvioGuias, CodificarData(2024, 3, 17));

    TProtocolo p(*sessao);
    p.ListarPorTipo({ArquivoSolicitacaoSaldo});
    ASSERT_EQ(p.TotalRegistros(), 1);
    EXPECT_EQ(p.Identificador, kOutroId);
    EXPECT_EQ(p.NumeroArquivo, ArquivoSolicitacaoSaldo);

    p.ListarPorTipo({ArquivoRescisorio, ArquivoSolicitacaoSaldo});
    EXPECT_EQ(p.TotalRegistros(), 2);
    p.ListarPorTipo({});
    EXPECT_EQ(p.TotalRegistros(), 3);
}

TEST_F(ProtocoloTeste, OrdemDosRegistrosDoArquivoRescisorio)
{
    struct Caso {
        std::vector<std::string> tipos;
        bool valido;
    };
    const Caso casos[] = {
        {{"00", "10", "40", "80", "90"}, true},
        // two employers, the first with a link carrying two lines of complements
        {{"00", "10", "40", "42", "44", "44", "80", "10", "40", "41", "45", "46", "50", "40", "80", "90"}, true},
        {{"00", "10", "42", "80", "90"}, false}, // a 42 may not follow a 10
        {{"00", "10", "40", "42", "90"}, false}, // the 90 must follow an 80
        {{"10", "40", "80", "90"}, false},       // no header
        {{"00", "10", "40", "80"}, false},       // no trailer
        {{"00", "10", "40", "80", "90", "10"}, false}, // a line after the trailer
        {{"00", "00", "10", "40", "80", "90"}, false},
        {{"00", "10", "40", "43", "80", "90"}, false},
        {{"00", "10", "40", "99", "80", "90"}, false},
        {{}, false},
    };
    TProtocolo p(*sessao);
    int n = 0;
    for (const Caso& c : casos) {
        const std::string id = "20240315000000000000000000" + std::to_string(1000 + n++);
        IncluirArquivo(id, ArquivoRescisorio, CodificarData(2024, 3, 15));
        GravarLinhas(id, c.tipos);
        std::string desc;
        for (const auto& t : c.tipos)
            desc += t + " ";
        EXPECT_EQ(p.ValidarOrdemRegistros(id), c.valido) << desc;
    }
}

TEST_F(ProtocoloTeste, EmpresasEEmpregadosDoArquivoComTotais)
{
    IncluirArquivo(kId, ArquivoRescisorio, CodificarData(2024, 3, 15));
    TProtocolo p(*sessao);
    p.Identificador = kId;
    const TDateTime recolhimento = CodificarData(2024, 3, 20);
    const TDateTime admissao = CodificarData(2019, 5, 2);
    const std::string cnpj = "12345678000195";
    const std::string cei = "123456789012";

    ASSERT_TRUE(p.IncluirEnvioEmpresa(kId, 1, recolhimento, "", 0, "Padaria D'Oeste Ltda", cnpj));
    ASSERT_TRUE(p.IncluirEnvioEmpresa(kId, 2, NullDate, "", 0, "", cei));
    EXPECT_FALSE(p.IncluirEnvioEmpresa(kId, 1, recolhimento, "", 0, "", cnpj)) << "same employer twice";

    ASSERT_TRUE(p.IncluirEnvioEmpregado(kId, 1, 100.10, "I1", CodificarData(2024, 3, 1), "Ana D'Arc",
                                        "12345678901", cnpj, 1, admissao));
    ASSERT_TRUE(p.IncluirEnvioEmpregado(kId, 1, 200.25, "", NullDate, "", "10987654321", cnpj, 1, admissao));
    ASSERT_TRUE(p.IncluirEnvioEmpregado(kId, 2, 0, "", NullDate, "José", "11122233344", cei, 1, admissao));

    EXPECT_TRUE(p.TotalizarEnvioEmpresas());

    auto empresas = p.ListarEnvioEmpresas(kId);
    ASSERT_EQ(empresas->RecordCount(), 2);
    ASSERT_TRUE(empresas->Locate("NU_INSCRICAO_ENVIO", cnpj));
    EXPECT_DOUBLE_EQ(empresas->FieldByName("VR_TOTAL_RECOLHIDO").AsFloat(), 300.35);
    EXPECT_EQ(empresas->FieldByName("NO_RAZAO_SOCIAL").AsString(), "Padaria D'Oeste Ltda");
    EXPECT_EQ(DataParaTexto(empresas->FieldByName("DT_RECOLHIMENTO_ENVIO_EMPRESA").AsDateTime()), "20/03/2024");
    ASSERT_TRUE(empresas->Locate("NU_INSCRICAO_ENVIO", cei));
    EXPECT_TRUE(empresas->FieldByName("VR_TOTAL_RECOLHIDO").IsNull()) << "a zero total is written as null";

    auto empregados = p.ListarEnvioEmpregados(kId, cnpj);
    ASSERT_EQ(empregados->RecordCount(), 2);
    ASSERT_TRUE(empregados->Locate("NU_PIS_ENVIO", "12345678901"));
    EXPECT_EQ(empregados->FieldByName("NO_EMPREGADO").AsString(), "Ana D'Arc");
    EXPECT_EQ(DataParaTexto(empregados->FieldByName("DT_ADMISSAO_ENVIO").AsDateTime()), "02/05/2019");

    TProtocolo outro(*sessao);
    outro.Identificador = kOutroId;
    EXPECT_FALSE(outro.TotalizarEnvioEmpresas()) << "no employer rows for that file";
}

TEST_F(ProtocoloTeste, AlterarEnvioEmpresaSoComValoresDados)
{
    IncluirArquivo(kId, ArquivoRescisorio, CodificarData(2024, 3, 15));
    TProtocolo p(*sessao);
    p.Identificador = kId;
    const std::string cnpj = "12345678000195";
    ASSERT_TRUE(p.IncluirEnvioEmpresa(kId, 1, NullDate, "", 0, "Padaria", cnpj));

    const std::string linha = "858500000126345602392020403150015003005234567822";
    ASSERT_TRUE(p.AlterarEnvioEmpresa(kId, 1, CodificarData(2024, 3, 20), linha, 0, "", cnpj));
    EXPECT_FALSE(p.AlterarEnvioEmpresa(kId, 1, NullDate, "", 0, "", cnpj)) << "nothing to set";

    ASSERT_TRUE(p.GravarDataProcessamento(CodificarData(2024, 4, 2)));

    auto r = p.ListarEnvioEmpresas(kId);
    ASSERT_EQ(r->RecordCount(), 1);
    EXPECT_EQ(r->FieldByName("CO_BARRAS_ENVIO_EMPRESA").AsString(), linha);
    EXPECT_EQ(DataParaTexto(r->FieldByName("DT_RECOLHIMENTO_ENVIO_EMPRESA").AsDateTime()), "20/03/2024");
    EXPECT_EQ(r->FieldByName("NO_RAZAO_SOCIAL").AsString(), "Padaria") << "a name not given is kept";
    EXPECT_EQ(DataParaTexto(r->FieldByName("DT_PROCESSAMENTO").AsDateTime()), "02/04/2024");
}

TEST_F(ProtocoloTeste, EscritasEntramNaTransacaoDoChamador)
{
    {
        TTransacao t(*sessao);
        IncluirArquivo(kId, ArquivoRescisorio, CodificarData(2024, 3, 15));
        TProtocolo p(*sessao);
        ASSERT_TRUE(p.GravarLinha(kId, 1, "00"));
        // left without Confirmar: everything is rolled back
    }
    TProtocolo p(*sessao);
    p.Identificador = kId;
    EXPECT_FALSE(p.ConsultarPorIdentificador());
    auto r = Linha("SELECT COUNT(*) AS N FROM SFGTBG14_OCORRENCIA_GUIA");
    EXPECT_EQ(r->FieldByName("N").AsInteger(), 0);
}

} // namespace
} // namespace drav
