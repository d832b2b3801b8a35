#include "files/SolicitacaoSaldo.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/Utilitarios.h"
#include "files/Protocolo.h"
#include "files/Selo.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace drav {
namespace {

namespace fs = std::filesystem;

const std::string kEmpresaA = "11222333000181";
const std::string kEmpresaB = "44555666000199";

TRegRegistro Vinculo(const std::string& inscricao, const std::string& pis, const std::string& nome,
                     const std::string& admissao = "01022019", const std::string& tipo = "1")
{
    TRegRegistro r;
    r.TipoRegistro = "40";
    r.TipoInscricao = tipo;
    r.Inscricao = inscricao;
    r.NomeEmpresa = "Empresa " + inscricao;
    r.Pis = pis;
    r.Categoria = "01";
    r.DataAdmissao = admissao;
    r.NomeTrabalhador = nome;
    return r;
}

TRegRegistro Outro(const std::string& tipoRegistro, const std::string& inscricao = kEmpresaA)
{
    TRegRegistro r = Vinculo(inscricao, "12345678901", "Outro");
    r.TipoRegistro = tipoRegistro;
    return r;
}

class SolicitacaoSaldoTeste : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        destino = pasta / "Arquivos" / "Solicitacao de Saldo";
        fs::create_directories(destino);
        Responsavel(1, "11222333000181", "Escritório D'Ávila");
    }

    void Responsavel(int tipo, const std::string& inscricao, const std::string& nome)
    {
        sessao->ExecutarSQL("DELETE FROM SFGTBG02_EMPRESA");
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA) VALUES (" +
                            std::to_string(tipo) + ", " + inscricao + ", " + SqlTexto(nome) + ", 'R')");
    }

    // Runs the request into `nome`; the lines are read back out of the envelope.
    bool Solicitar(const TArrRegRegistro& registros, const std::string& nome = "Pedido.KVD")
    {
        TSolicitacaoSaldoRecisorio s(*sessao);
        s.PastaDados = pasta;
        s.EscolherArquivo = [&](const std::string& filtro, const std::string& inicial, const std::string& proposto) {
            perguntas.push_back(filtro + "|" + inicial + "|" + proposto);
            return nome.empty() ? std::string() : (destino / nome).string();
        };
        const bool ok = s.GerarSolicitacao(registros);
        identificador = s.Protocolo().Identificador;
        codigo = s.CodigoMensagem;
        EXPECT_TRUE(s.Linhas.empty());
        EXPECT_FALSE(fs::exists(destino / "SolicitacaoIS.GR")) << "the plain file never stays";
        return ok;
    }

    std::vector<std::string> LinhasDoEnvelope()
    {
        EXPECT_TRUE(ExtrairDoEnvelope(destino.string(), "Pedido.KVD", identificador, "SolicitacaoIS.GR"));
        std::ifstream f(destino / "SolicitacaoIS.GR", std::ios::binary);
        const std::string texto{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
        std::vector<std::string> linhas;
        std::size_t inicio = 0;
        for (std::size_t fim; (fim = texto.find("\r\n", inicio)) != std::string::npos; inicio = fim + 2)
            linhas.push_back(texto.substr(inicio, fim - inicio));
        EXPECT_EQ(inicio, texto.size()) << "every line ends with CR LF";
        return linhas;
    }

    int Contar(const std::string& tabela)
    {
        auto r = sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela);
        return r->FieldByName("N").AsInteger();
    }

    // The record type of each line, and every line numbered in order.
    static std::string Tipos(const std::vector<std::string>& linhas)
    {
        std::string tipos;
        for (std::size_t i = 0; i < linhas.size(); ++i) {
            EXPECT_EQ(linhas[i].size(), 67u) << i;
            EXPECT_EQ(linhas[i].substr(61), PreencherNumero(static_cast<int64_t>(i + 1), 6)) << i;
            tipos += linhas[i].substr(0, 1);
        }
        return tipos;
    }

    fs::path destino;
    std::vector<std::string> perguntas;
    std::string identificador, codigo;
};

TEST(IdentificadorArquivoTeste, MomentoAoMilissegundoESomaDoCabecalho)
{
    const TDateTime momento = CodificarDataHora(2024, 3, 5, 9, 7, 59, 999);
    EXPECT_EQ(IdentificadorArquivo(momento, "0A"), "20240305090759999" "0000000000113");
    // The sum is taken modulo 65536.
    EXPECT_EQ(IdentificadorArquivo(momento, std::string(600, '\xFF')).substr(17), "0000000021928");
}

TEST_F(SolicitacaoSaldoTeste, UmEmpregadorComDoisVinculos)
{
    const TDateTime antes = DataServidor(*sessao, false);
    ASSERT_TRUE(Solicitar({Vinculo(kEmpresaA, "12345678901", "Ana Maria"), Vinculo(kEmpresaA, "10987654321", "Bruno")}))
        << codigo;
    EXPECT_EQ(codigo, "");
    ASSERT_EQ(perguntas.size(), 1u);
    EXPECT_EQ(perguntas[0], "Arquivo de Solicitação de Saldo Rescisório|*.KVD|" + destino.string() +
                                "|SolicitacaoIS.KVD");

    const auto linhas = LinhasDoEnvelope();
    ASSERT_EQ(Tipos(linhas), "01229");
    const std::string& h = linhas[0];
    EXPECT_EQ(h.substr(0, 16), "01" + kEmpresaA);
    EXPECT_EQ(h.substr(16, 8), FormatarDataHora("ddmmyyyy", antes));
    EXPECT_EQ(h.substr(24, 7), "ICP   1");
    EXPECT_EQ(h.substr(31, 30), identificador);
    EXPECT_EQ(identificador.substr(17), IdentificadorArquivo(0, h.substr(0, 31)).substr(17));
    EXPECT_EQ(identificador.substr(0, 8), FormatarDataHora("yyyymmdd", antes));
    EXPECT_EQ(linhas[1], "11" + kEmpresaA + std::string(10, ' ') + "1" + std::string(34, ' ') + "000002");
    EXPECT_EQ(linhas[2], "21" + kEmpresaA + "12345678901" + "01" + "01022019" + std::string(24, ' ') + "000003");
    EXPECT_EQ(linhas[4], "9000001" + std::string(54, ' ') + "000005");

    TProtocolo p(*sessao);
    p.Identificador = identificador;
    ASSERT_TRUE(p.ConsultarPorIdentificador());
    EXPECT_EQ(p.NumeroArquivo, 7);
    EXPECT_EQ(p.NomeArquivo, (destino / "Pedido.KVD").string());
    EXPECT_EQ(p.DataGeracao, antes);
    auto empresas = p.ListarEnvioEmpresas(identificador);
    ASSERT_EQ(empresas->RecordCount(), 1);
    EXPECT_EQ(empresas->FieldByName("NO_RAZAO_SOCIAL").AsString(), "Empresa " + kEmpresaA);
    auto vinculos = sessao->AbrirConsulta("SELECT NO_EMPREGADO, NU_PIS_ENVIO, DT_ADMISSAO_ENVIO FROM "
                                          "SFGTBG16_ENVIO_EMPREGADO ORDER BY NO_EMPREGADO");
    ASSERT_EQ(vinculos->RecordCount(), 2);
    EXPECT_EQ(vinculos->FieldByName("NO_EMPREGADO").AsString(), "Ana Maria");
    EXPECT_EQ(vinculos->FieldByName("NU_PIS_ENVIO").AsString(), "12345678901");
    EXPECT_EQ(DataParaTexto(vinculos->FieldByName("DT_ADMISSAO_ENVIO").AsDateTime()), "01/02/2019");

    // The seal carries who asked and which file this is.
    TEnvelopadorNXR e;
    e.ModoInicio = 1;
    e.PastaTrabalho = destino.string();
    ASSERT_TRUE(e.Iniciar() && e.CriarHandle());
    e.Selo().Envelope = (destino / "Pedido.KVD").string();
    ASSERT_TRUE(e.Selo().Carregar());
    const std::vector<std::pair<std::string, std::string>> esperados = {
        {"NXRStamp.envelope.requiredlevel", "2"},
        {"NXRStamp.content.file.name", "SolicitacaoIS.GR"},
        {"NXRStamp.bussinessinfo.field.tparquivo", "7"},
        {"NXRStamp.bussinessinfo.field.tpresponsavel", "1"},
        {"NXRStamp.bussinessinfo.field.inscresponsavel", kEmpresaA},
        {"NXRStamp.bussinessinfo.field.nomeresponsavel", "Escritório D'Ávila"},
        {"NXRStamp.bussinessinfo.field.nra", identificador},
    };
    EXPECT_EQ(e.Selo().Campos(), esperados);
}

TEST_F(SolicitacaoSaldoTeste, ResponsavelCeiDeixaBrancosNoCabecalho)
{
    Responsavel(2, "123456789012", "Obra");
    ASSERT_TRUE(Solicitar({Vinculo("123456789012", "12345678901", "Ana", "15071990", "2")})) << codigo;
    const auto linhas = LinhasDoEnvelope();
    ASSERT_EQ(Tipos(linhas), "0129");
    EXPECT_EQ(linhas[0].substr(0, 16), "02123456789012  ");
    EXPECT_EQ(linhas[1].substr(0, 16), "1200123456789012");
    EXPECT_EQ(linhas[2].substr(0, 37), "2200123456789012" "12345678901" "01" "15071990");
}

TEST_F(SolicitacaoSaldoTeste, SoOsVinculosDeUmaFolhaEUmRegistroPorEmpregadorSeguido)
{
    struct Caso {
        const char* nome;
        TArrRegRegistro registros;
        std::string tipos;
        std::string empregadores;
    };
    const Caso casos[] = {
        {"folha completa",
         {Outro("00"), Outro("10"), Vinculo(kEmpresaA, "11111111111", "A1"), Outro("43"), Outro("44"),
          Vinculo(kEmpresaA, "22222222222", "A2"), Outro("45"), Outro("10", kEmpresaB),
          Vinculo(kEmpresaB, "33333333333", "B1"), Outro("90")},
         "0122129", "000002"},
        {"dois grupos seguidos do mesmo empregador",
         {Outro("10"), Vinculo(kEmpresaA, "11111111111", "A1"), Outro("10"), Vinculo(kEmpresaA, "22222222222", "A2")},
         "01229", "000001"},
        {"nenhum vinculo", {Outro("00"), Outro("90")}, "09", "000000"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        ASSERT_TRUE(Solicitar(c.registros)) << codigo;
        const auto linhas = LinhasDoEnvelope();
        EXPECT_EQ(Tipos(linhas), c.tipos);
        EXPECT_EQ(linhas.back().substr(1, 6), c.empregadores);
        const std::string id = "'" + identificador + "'";
        EXPECT_EQ(Contar("SFGTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = " + id),
                  std::stoi(c.empregadores));
        EXPECT_EQ(Contar("SFGTBG16_ENVIO_EMPREGADO WHERE NU_IDENTIFICADOR_ARQUIVO = " + id),
                  static_cast<int>(std::count(c.tipos.begin(), c.tipos.end(), '2')));
    }
}

TEST_F(SolicitacaoSaldoTeste, NadaERegistradoQuandoOPedidoNaoSegue)
{
    const TArrRegRegistro repetido = {Vinculo(kEmpresaA, "12345678901", "Ana"),
                                      Vinculo(kEmpresaA, "12345678901", "Ana")};
    const TArrRegRegistro largo = {Vinculo(kEmpresaA, "123456789012", "PIS de doze dígitos")};

    EXPECT_FALSE(Solicitar({Vinculo(kEmpresaA, "12345678901", "Ana")}, "")) << "dialog cancelled";
    EXPECT_FALSE(Solicitar(repetido)) << "the second sending row of the same link is refused";
    EXPECT_THROW(Solicitar(largo), ENegocio);
    EXPECT_THROW(Solicitar({Vinculo(kEmpresaA, "12345678901", "Ana", "31022019")}), ENegocio);

    EXPECT_EQ(Contar("SFGTBG13_ARQUIVO"), 0);
    EXPECT_EQ(Contar("SFGTBG15_ENVIO_EMPRESA"), 0);
    EXPECT_EQ(Contar("SFGTBG16_ENVIO_EMPREGADO"), 0);
    EXPECT_TRUE(fs::is_empty(destino));
}

TEST_F(SolicitacaoSaldoTeste, SeloQueFalhaDeixaORegistroEOCodigo)
{
    EXPECT_FALSE(Solicitar({Vinculo(kEmpresaA, "12345678901", "Ana")}, "sem pasta/Pedido.KVD"));
    EXPECT_EQ(codigo, "0489");
    EXPECT_EQ(Contar("SFGTBG13_ARQUIVO WHERE NU_ARQUIVO = 7"), 1);
    EXPECT_EQ(Contar("SFGTBG16_ENVIO_EMPREGADO"), 1);
    EXPECT_TRUE(fs::is_empty(destino));
}

} // namespace
} // namespace drav
