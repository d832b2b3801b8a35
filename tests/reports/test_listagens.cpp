#include "reports/RelCadastro.h"
#include "reports/RelInconsistencia.h"

#include "calc/Inconsistencia.h"
#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "kit/BancoTeste.h"
#include "reports/Pintura.h"
#include "ApoioRelatorio.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

namespace drav {
namespace {

// Texts of every page, one list per page.
std::vector<std::vector<std::string>> Textos(const DocumentoRelatorio& doc)
{
    std::vector<std::vector<std::string>> r;
    for (const auto& p : doc.paginas)
        r.push_back(p.Textos());
    return r;
}

using teste::Ocorrencias;

bool Existe(const DocumentoRelatorio& doc, const std::string& texto) { return Ocorrencias(doc, texto) > 0; }

class ListagemTeste : public teste::BancoTeste {
protected:
    const TDateTime edital = CodificarData(2024, 3, 15);

    void Registrar(int arquivo, int mensagem, const std::string& conteudo, const std::string& tipoEmpresa,
                   const std::string& empresa, const std::string& razao, const std::string& nome = "JOSE DA SILVA")
    {
        TInconsistencia i(*sessao);
        TDadosInconsistencia d;
        d.NumeroArquivo = arquivo;
        d.NumeroMensagem = mensagem;
        d.CodigoRegistro = "30";
        d.LinhaErro = 7;
        d.ConteudoCampo = conteudo;
        d.TipoInscricaoResponsavel = "1";
        d.InscricaoResponsavel = "11222333000181";
        d.RazaoSocialResponsavel = "ESCRITORIO GRAVADO";
        d.TipoInscricaoEmpresa = tipoEmpresa;
        d.InscricaoEmpresa = empresa;
        d.RazaoSocial = razao;
        d.Pis = "12034567899";
        d.CodigoCategoria = "01";
        d.DataAdmissao = "02032015";
        d.NomeEmpregado = nome;
        ASSERT_EQ(i.Registrar(d), RegistroGravado) << i.ErroGravacao;
    }

    void Empresa(int tipo, const std::string& numero, const std::string& razao, const std::string& estado)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                            "IC_ESTADO_EMPRESA, NU_SIMPLES, SG_UF, NU_IBGE, NU_INSS, DE_LOGRADOURO, NO_BAIRRO, "
                            "NO_LOCALIDADE, NU_CEP, NU_DDD, NU_TELEFONE, NO_CONTATO, CO_ENDERECO_VIRTUAL_CONTATO) "
                            "VALUES (" + std::to_string(tipo) + ", " + numero + ", '" + razao + "', '" + estado +
                            "', 1, 'DF', 4711302, 515, 'RUA DAS FLORES 10', 'CENTRO', 'BRASILIA', 70040010, 61, "
                            "33334444, 'ANA PAULA', 'ana@exemplo.com.br')");
    }
};

TEST_F(ListagemTeste, CargaCabecalhoLinhaDeEmpresaNaTrocaEDetalheDeTresLinhas)
{
    Registrar(1, 372, "032004", "1", "44555666000199", "EMPRESA A");
    Registrar(1, 151, "30/12/1899", "1", "44555666000199", "EMPRESA A");
    Registrar(1, 201, "", "2", "123456789012", "OBRA B");
    Registrar(1, 151, "X", "", "", "", "SEM EMPRESA");
    Registrar(1, 151, "Y", "1", "44555666000199", "EMPRESA A");
    Registrar(3, 151, "DO FECHAMENTO", "1", "44555666000199", "EMPRESA A");

    TRelInconsistencia r(*sessao, edital);
    ASSERT_TRUE(r.Preparar(InconsistenciaFolha));
    const auto& doc = r.Documento();
    ASSERT_EQ(doc.paginas.size(), 1u);
    const auto& p = doc.paginas[0];
    EXPECT_TRUE(p.Contem("RELATÓRIO DE INCONSISTÊNCIAS DE VALIDAÇÃO DE CARGA"));
    EXPECT_TRUE(p.Contem("FOLHA DE PAGAMENTO"));
    EXPECT_TRUE(p.Contem("RESPONSÁVEL: 11.222.333/0001-81 - ESCRITORIO GRAVADO"));
    EXPECT_TRUE(p.Contem("001/001"));
    const auto t = p.Textos();
    EXPECT_TRUE(std::any_of(t.begin(), t.end(), [](const std::string& s) { return s.rfind("DRAV ELETRÔNICA ", 0) == 0; }));
    for (const char* titulo : {"TRABALHADOR", "PIS/PASEP", "ADMISSÃO", "CAT", "REGISTRO", "CONTEÚDO DO CAMPO",
                               "LINHA DO ERRO", "CÓDIGO - DESCRIÇÃO DO ERRO"})
        EXPECT_TRUE(p.Contem(titulo)) << titulo;

    // The employer line comes back at every change of employer between consecutive rows, and
    // not for a row without one.
    EXPECT_EQ(Ocorrencias(doc, "EMPRESA: 44.555.666/0001-99 - EMPRESA A"), 2);
    EXPECT_EQ(Ocorrencias(doc, "EMPRESA: 123456789012 - OBRA B"), 1);
    EXPECT_EQ(Ocorrencias(doc, "EMPRESA:  - "), 0);

    EXPECT_EQ(Ocorrencias(doc, "120.34567.89-9"), 5);
    EXPECT_EQ(Ocorrencias(doc, "02/03/2015"), 5);
    EXPECT_EQ(Ocorrencias(doc, "00007"), 5);
    EXPECT_TRUE(p.Contem("372 - Índices de cálculo não encontrados para a competência 03/2004 na tabela de índices "
                         "de 15/03/2024."));
    EXPECT_TRUE(p.Contem("00000000"));
    EXPECT_FALSE(p.Contem("30/12/1899"));
    EXPECT_TRUE(p.Contem("201 - A data de recolhimento deve estar no período de vigência da tabela de índices: " +
                         TextoPeriodoProrata(edital, true)));
    EXPECT_FALSE(p.Contem("DO FECHAMENTO"));
    EXPECT_TRUE(p.Contem("SEM EMPRESA"));
}

TEST_F(ListagemTeste, CargaLongaNumeraPaginasERepeteCabecalho)
{
    for (int i = 0; i < 45; ++i)
        Registrar(2, 151, "C" + std::to_string(i), "1", "44555666000199", "EMPRESA A");
    TRelInconsistencia r(*sessao, edital);
    ASSERT_TRUE(r.Preparar(InconsistenciaSaldo));
    const auto paginas = Textos(r.Documento());
    ASSERT_GE(paginas.size(), 2u);
    const int total = static_cast<int>(paginas.size());
    for (int i = 0; i < total; ++i) {
        const auto& t = paginas[i];
        const auto tem = [&](const std::string& s) { return std::find(t.begin(), t.end(), s) != t.end(); };
        EXPECT_TRUE(tem(TextoPagina(i + 1, total))) << i;
        EXPECT_TRUE(tem("ARQUIVO SALDO RESCISÓRIO") && tem("RESPONSÁVEL: 11.222.333/0001-81 - ESCRITORIO GRAVADO"));
        EXPECT_TRUE(tem("EMPRESA: 44.555.666/0001-99 - EMPRESA A")) << "a página continua o grupo";
    }
    EXPECT_EQ(Ocorrencias(r.Documento(), "C44"), 1);
}

TEST_F(ListagemTeste, FechamentoSemColunasDeArquivoComResponsavelAtual)
{
    Empresa(1, "99888777000166", "RESPONSAVEL ATUAL", "R");
    Registrar(3, 201, "", "1", "44555666000199", "EMPRESA A");

    TRelInconsistenciaFechamento r(*sessao, edital);
    EXPECT_TRUE(r.ExistemInconsistencias());
    ASSERT_TRUE(r.Preparar());
    const auto& doc = r.Documento();
    EXPECT_TRUE(Existe(doc, "RELATÓRIO DE INCONSISTÊNCIAS DE VALIDAÇÃO DE FECHAMENTO"));
    EXPECT_TRUE(Existe(doc, "RESPONSÁVEL: 99.888.777/0001-66 - RESPONSAVEL ATUAL"));
    EXPECT_FALSE(Existe(doc, "RESPONSÁVEL: 11.222.333/0001-81 - ESCRITORIO GRAVADO"));
    for (const char* oculto : {"REGISTRO", "LINHA DO ERRO", "00007", "30", "FOLHA DE PAGAMENTO"})
        EXPECT_FALSE(Existe(doc, oculto)) << oculto;
    EXPECT_TRUE(Existe(doc, "CONTEÚDO DO CAMPO") && Existe(doc, "CÓDIGO - DESCRIÇÃO DO ERRO"));
    EXPECT_TRUE(Existe(doc, "201 - A data de recolhimento deve estar no período de vigência da tabela de índices: " +
                            TextoPeriodoProrata(edital, false)));
    const auto t = doc.paginas[0].Textos();
    EXPECT_TRUE(std::any_of(t.begin(), t.end(), [](const std::string& s) { return s.rfind("Versão do Aplicativo: ", 0) == 0; }));
}

TEST_F(ListagemTeste, SemLinhasNadaParaMostrar)
{
    Registrar(3, 151, "", "1", "44555666000199", "EMPRESA A");
    Empresa(1, "99888777000166", "SO RESPONSAVEL", "R");
    for (int n : {1, 2, 4, 5})
        EXPECT_FALSE(TRelInconsistencia(*sessao, edital).Preparar(n)) << n;
    EXPECT_THROW(TRelInconsistencia(*sessao, edital).Preparar(3), ENegocio);
    EXPECT_FALSE(TRelEmpresas(*sessao).Preparar());
    EXPECT_FALSE(TRelAlteracaoCadastral(*sessao).Preparar());
    sessao->ExecutarSQL("DELETE FROM SFGTBG18_INCONSISTENCIA_ARQUIVO");
    TRelInconsistenciaFechamento f(*sessao, edital);
    EXPECT_FALSE(f.ExistemInconsistencias());
    EXPECT_FALSE(f.Preparar());
}

TEST_F(ListagemTeste, EmpresasComResponsavelEDuasLinhasPorEmpresa)
{
    Empresa(1, "99888777000166", "RESPONSAVEL ATUAL", "R");
    Empresa(2, "123456789012", "OBRA CEI", "E");
    Empresa(1, "55444333000122", "ALFA", "E");
    TRelEmpresas r(*sessao);
    ASSERT_TRUE(r.Preparar());
    const auto& doc = r.Documento();
    EXPECT_TRUE(Existe(doc, "RELATÓRIO PARA CONFERÊNCIA") && Existe(doc, "RELAÇÃO DAS EMPRESAS CONSTANTES NA BASE"));
    EXPECT_TRUE(Existe(doc, "99.888.777/0001-66 - RESPONSAVEL ATUAL"));
    EXPECT_TRUE(Existe(doc, "ANA PAULA") && Existe(doc, "ana@exemplo.com.br"));
    // The responsible alone is no employer: it heads the listing but has no entry.
    EXPECT_FALSE(Existe(doc, "99.888.777/0001-66"));
    EXPECT_TRUE(Existe(doc, "55.444.333/0001-22") && Existe(doc, "123456789012"));
    EXPECT_EQ(Ocorrencias(doc, "(0061)33334444"), 3);
    EXPECT_EQ(Ocorrencias(doc, "70.040-010"), 2);
    EXPECT_EQ(Ocorrencias(doc, "4711302"), 2);
    // Ordered by company name.
    const auto t = doc.paginas[0].Textos();
    EXPECT_LT(std::find(t.begin(), t.end(), "ALFA"), std::find(t.begin(), t.end(), "OBRA CEI"));
}

TEST_F(ListagemTeste, AlteracaoSoConfirmadasComPaginaPorEmpresa)
{
    Empresa(1, "11222333000181", "ACME", "E");
    Empresa(1, "44555666000199", "BETA", "E");
    sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (12034567899, 'MARIA SILVA')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (10000000001, 'JOAO PENDENTE')");
    const auto alteracao = [&](const std::string& empresa, const std::string& pis, const std::string& anterior,
                               const std::string& confirmado) {
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES (1, " + empresa + ", " + pis +
                            ", 1, '2015-03-02')");
        sessao->ExecutarSQL("INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, "
                            "IC_CONFIRMACAO, NU_EMPREGADO_QUELD_ALT_CDSTL, NU_EMPRESA_QUELD_ALT_CADASTRAL) VALUES (1, " +
                            empresa + ", " + pis + ", 1, '2015-03-02', 406, '" + anterior + "', '" + confirmado +
                            "', 501, 77)");
    };
    alteracao("11222333000181", "12034567899", "MARIA DA SILVA", "S");
    alteracao("44555666000199", "12034567899", "MARIA S", "S");
    alteracao("44555666000199", "10000000001", "JOAO P", "N");

    TRelAlteracaoCadastral r(*sessao);
    ASSERT_TRUE(r.Preparar());
    const auto& doc = r.Documento();
    ASSERT_EQ(doc.paginas.size(), 2u);
    EXPECT_TRUE(doc.paginas[0].Contem("11.222.333/0001-81 - ACME") && doc.paginas[0].Contem("MARIA DA SILVA"));
    EXPECT_TRUE(doc.paginas[1].Contem("44.555.666/0001-99 - BETA") && doc.paginas[1].Contem("MARIA S"));
    EXPECT_TRUE(doc.paginas[1].Contem("002/002") && doc.paginas[1].Contem("CÓDIGO DA EMPRESA NA QUELD:"));
    EXPECT_EQ(Ocorrencias(doc, "00000000501"), 2);
    EXPECT_EQ(Ocorrencias(doc, "120.34567.89-9"), 2);
    EXPECT_FALSE(Existe(doc, "JOAO PENDENTE") || Existe(doc, "JOAO P"));
}

using teste::GarantirAplicacao;

TEST_F(ListagemTeste, GravaPdf)
{
    GarantirAplicacao();
    for (int i = 0; i < 30; ++i)
        Registrar(1, i % 2 ? 372 : 151, "032004", "1", "44555666000199",
                  "EMPRESA COM UM NOME BEM COMPRIDO PARA OCUPAR A LARGURA TODA DA COLUNA LTDA");
    TRelInconsistencia r(*sessao, edital);
    ASSERT_TRUE(r.Preparar(InconsistenciaFolha));
    const std::string arquivo = (pasta / "inconsistencias.pdf").string();
    std::string erro;
    ASSERT_TRUE(GravarPdf(r.Documento(), arquivo, erro)) << erro;
    std::ifstream f(arquivo, std::ios::binary);
    std::string inicio(5, '\0');
    f.read(inicio.data(), 5);
    EXPECT_EQ(inicio, "%PDF-");
    f.seekg(0, std::ios::end);
    EXPECT_GT(f.tellg(), 2000);

    EXPECT_FALSE(GravarPdf(r.Documento(), (pasta / "nao-existe" / "x.pdf").string(), erro));
    EXPECT_FALSE(erro.empty());

    // The same drawing on a picture: the whole sheet, ink only inside the 10 mm margins.
    const QImage img = ImagemPagina(r.Documento(), 0, 50);
    ASSERT_EQ(img.width(), 585); // 297 mm at 50 dpi
    int tinta = 0, fora = 0;
    const int margem = 19;       // 10 mm at 50 dpi, less a pixel of antialiasing
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                ++tinta;
                fora += x < margem || y < margem || x >= img.width() - margem || y >= img.height() - margem;
            }
    EXPECT_GT(tinta, 2000);
    EXPECT_EQ(fora, 0);
}

} // namespace
} // namespace drav
