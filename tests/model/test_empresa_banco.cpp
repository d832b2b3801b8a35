// Employers and the responsible against a real database: look-ups, role changes between rows,
// the collection opening that follows the responsible, and deleting an employer with what hangs
// below it.
#include "core/Excecoes.h"
#include "core/Utilitarios.h"
#include "kit/BancoTeste.h"
#include "model/Empresa.h"
#include "model/OuvinteArvore.h"
#include "model/Responsavel.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

using namespace drav;

namespace {

constexpr int64_t kCnpjA = 11222333000181;
constexpr int64_t kCnpjB = 33444555000181;
constexpr int64_t kCei = 123456789010;

class EmpresaBanco : public teste::BancoTeste {
protected:
    // One value of one row, as text ("" for null or no row).
    std::string Valor(const std::string& sql, const std::string& coluna = "V")
    {
        auto r = sessao->AbrirConsulta(sql);
        return r->IsEmpty() ? std::string("<sem linha>") : r->FieldByName(coluna).AsString();
    }
    int Contar(const std::string& tabelaEFiltro)
    {
        return sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabelaEFiltro)->FieldByName("N").AsInteger();
    }
    // Role of every row, "tipo/numero" -> role.
    std::map<std::string, std::string> Papeis()
    {
        std::map<std::string, std::string> m;
        auto r = sessao->AbrirConsulta("SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, IC_ESTADO_EMPRESA FROM SFGTBG02_EMPRESA");
        for (r->First(); !r->IsEmpty() && !r->Eof(); r->Next())
            m[r->FieldByName("NU_TIPO_INSO_EMPRA").AsString() + "/" + r->FieldByName("NU_INSCRICAO").AsString()] =
                r->FieldByName("IC_ESTADO_EMPRESA").AsString();
        return m;
    }
    std::string Abertura()
    {
        auto r = sessao->AbrirConsulta("SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
        if (r->IsEmpty())
            return "<sem abertura>";
        return r->FieldByName("NU_TIPO_INSO_EMPRA").AsString() + "/" + r->FieldByName("NU_INSCRICAO").AsString();
    }

    void PreencherEmpresa(TEmpresa& e, int tipo, int64_t numero, const std::string& nome)
    {
        e.TipoInscricao = static_cast<uint8_t>(tipo);
        e.Inscricao = std::to_string(numero);
        e.RazaoSocial = nome;
        e.Endereco().Logradouro = "RUA DAS FLORES 10";
        e.Endereco().Bairro = "CENTRO";
        e.Endereco().Cep = "01310100";
        e.Endereco().Localidade = "SAO PAULO";
        e.Endereco().Uf = "SP";
        e.Ddd = "0011";
        e.Telefone = "32221234";
        e.Cnae = "6920601";
        e.Fpas = "515";
        e.Simples = 1;
    }
    void PreencherResponsavel(TResponsavel& r, int tipo, int64_t numero, const std::string& nome)
    {
        r.TipoInscricao = static_cast<uint8_t>(tipo);
        r.Inscricao = std::to_string(numero);
        r.RazaoSocial = nome;
        r.NomeContato = "MARIA DA SILVA";
        r.Email = "maria@escritorio.com.br";
        r.Endereco().Logradouro = "AVENIDA PAULISTA 1000";
        r.Endereco().Bairro = "BELA VISTA";
        r.Endereco().Cep = "01310100";
        r.Endereco().Localidade = "SAO PAULO";
        r.Endereco().Uf = "SP";
        r.Ddd = "0011";
        r.Telefone = "30001000";
    }
    void NovaEmpresa(int tipo, int64_t numero, const std::string& nome)
    {
        TEmpresa e(*sessao);
        PreencherEmpresa(e, tipo, numero, nome);
        ASSERT_TRUE(e.Incluir()) << e.CodigoMensagem;
    }
    void NovoResponsavel(int tipo, int64_t numero, const std::string& nome)
    {
        TResponsavel r(*sessao);
        PreencherResponsavel(r, tipo, numero, nome);
        ASSERT_TRUE(r.Incluir());
    }
    void AbrirRecolhimento(int tipo, int64_t numero)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, DT_PAGAMENTO) "
                            "VALUES (" + std::to_string(tipo) + ", " + std::to_string(numero) + ", '2024-05-10')");
    }
    // A worker (created when missing) and a link of the employer, with one row in each table
    // that hangs below a link.
    void NovoVinculo(int tipo, int64_t numero, int64_t pis, int categoria = 1, int estado = 0)
    {
        if (Contar("SFGTBG03_EMPREGADO WHERE NU_PIS = " + std::to_string(pis)) == 0)
            sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (" + std::to_string(pis) +
                                ", 'TRABALHADOR')");
        const std::string chave = std::to_string(tipo) + ", " + std::to_string(numero) + ", " + std::to_string(pis) +
                                  ", " + std::to_string(categoria) + ", '2020-01-02'";
        const std::string colunas = "NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO";
        sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (" + colunas + ", IC_ESTADO_MOVIMENTO) VALUES (" +
                            chave + ", " + std::to_string(estado) + ")");
        sessao->ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (" + colunas + ") VALUES (" + chave + ")");
        sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (" + colunas +
                            ", NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA) VALUES (" + chave + ", 1, 2023, 5)");
        sessao->ExecutarSQL("INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (" + colunas +
                            ", NU_TIPO_ALTERACAO, NU_EMPREGADO_QUELD_ALT_CDSTL) VALUES (" + chave + ", 1, 77)");
        sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (" + colunas +
                            ", NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, VR_SALDO_RESCISORIO) VALUES (" + chave +
                            ", 5, 1, 100.50)");
    }
};

class OuvinteTeste : public IOuvinteArvore {
public:
    std::vector<std::string> estados;
    void EstadoResponsavelAlterado(const std::string& estado) override { estados.push_back(estado); }
};

TEST_F(EmpresaBanco, IncluirCarregarEConsultar)
{
    NovaEmpresa(1, kCnpjA, "ACME COMERCIO");
    TEmpresa e(*sessao);
    ASSERT_TRUE(e.ConsultarEmpresa(1, kCnpjA));
    ASSERT_FALSE(e.Vazio());
    EXPECT_EQ(e.Inscricao, "11222333000181");
    EXPECT_EQ(e.RazaoSocial, "ACME COMERCIO");
    EXPECT_EQ(e.EstadoEmpresa, "E");
    EXPECT_EQ(e.Cnae, "6920601");
    EXPECT_EQ(e.Fpas, "515");
    EXPECT_EQ(e.Simples, 1);
    // The postal code is stored as a number; its leading zero must come back.
    EXPECT_EQ(e.Endereco().Cep, "01310100");
    EXPECT_TRUE(e.Endereco().ValidarCep());
    EXPECT_EQ(e.Endereco().Uf, "SP");
    EXPECT_EQ(e.Ddd, "11");
    EXPECT_EQ(e.Telefone, "32221234");
    EXPECT_EQ(Valor("SELECT NO_CONTATO AS V FROM SFGTBG02_EMPRESA"), "");

    // Registering it again writes nothing.
    TEmpresa outra(*sessao);
    PreencherEmpresa(outra, 1, kCnpjA, "OUTRO NOME");
    EXPECT_FALSE(outra.Incluir());
    EXPECT_EQ(outra.CodigoMensagem, "0207");
    EXPECT_EQ(Valor("SELECT NO_RAZAO_SOCIAL AS V FROM SFGTBG02_EMPRESA"), "ACME COMERCIO");

    // A missing key is no failure: the result is just empty.
    TEmpresa nada(*sessao);
    EXPECT_TRUE(nada.ConsultarPorInscricao(1, kCnpjB));
    EXPECT_TRUE(nada.Vazio());
    EXPECT_EQ(nada.TipoInscricao, 0);
    EXPECT_EQ(nada.Inscricao, "");
}

TEST_F(EmpresaBanco, AlterarNaoMexeNaChaveNemNoPapel)
{
    NovoResponsavel(1, kCnpjA, "ESCRITORIO CONTABIL");
    NovaEmpresa(1, kCnpjA, "ACME COMERCIO"); // becomes "A"
    TEmpresa e(*sessao);
    ASSERT_TRUE(e.ConsultarEmpresa(1, kCnpjA));
    e.RazaoSocial = "ACME NOVA";
    e.Fpas = "507";
    ASSERT_TRUE(e.Alterar());
    EXPECT_EQ(Valor("SELECT NO_RAZAO_SOCIAL || '|' || NU_INSS || '|' || IC_ESTADO_EMPRESA || '|' || NO_CONTATO AS V "
                    "FROM SFGTBG02_EMPRESA"),
              "ACME NOVA|507|A|MARIA DA SILVA");
}

TEST_F(EmpresaBanco, TextosComAspasChegamAoBancoComoTexto)
{
    TEmpresa e(*sessao);
    PreencherEmpresa(e, 1, kCnpjA, "D'AVILA & FILHOS");
    ASSERT_TRUE(e.Incluir()) << e.CodigoMensagem;
    EXPECT_EQ(Valor("SELECT NO_RAZAO_SOCIAL AS V FROM SFGTBG02_EMPRESA"), "D'AVILA & FILHOS");

    // A search text is a text too, and its % and _ match only themselves.
    TEmpresa busca(*sessao);
    busca.ListarPorRazaoSocial("D'AV");
    EXPECT_EQ(busca.TotalRegistros(), 1);
    busca.ListarPorRazaoSocial("' OR '1'='1");
    EXPECT_TRUE(busca.Vazio());
    busca.ListarPorRazaoSocial("%");
    EXPECT_TRUE(busca.Vazio());
    busca.ListarPorRazaoSocial("AVILA");
    EXPECT_EQ(busca.RazaoSocial, "D'AVILA & FILHOS");

    // Numeric columns are written bare, so text in them is refused before any SQL runs.
    TEmpresa ruim(*sessao);
    PreencherEmpresa(ruim, 1, kCnpjB, "OUTRA");
    ruim.Telefone = "1; DELETE FROM SFGTBG02_EMPRESA";
    EXPECT_FALSE(ruim.Incluir());
    EXPECT_EQ(ruim.CodigoMensagem, "0144");
    EXPECT_EQ(Contar("SFGTBG02_EMPRESA"), 1);
}

TEST_F(EmpresaBanco, ListasDeEmpresasDeixamOResponsavelDeFora)
{
    NovoResponsavel(2, kCei, "ESCRITORIO CONTABIL");
    NovaEmpresa(1, kCnpjB, "BETA INDUSTRIA");
    NovaEmpresa(1, kCnpjA, "ALFA COMERCIO");
    NovoVinculo(1, kCnpjB, 12345678901);

    TEmpresa e(*sessao);
    e.ListarEmpresas();
    ASSERT_EQ(e.TotalRegistros(), 2);
    EXPECT_EQ(e.RazaoSocial, "ALFA COMERCIO");
    EXPECT_TRUE(e.LocalizarInscricao("33444555000181"));
    EXPECT_EQ(e.RazaoSocial, "BETA INDUSTRIA");
    EXPECT_FALSE(e.LocalizarInscricao(std::to_string(kCei)));
    EXPECT_FALSE(e.LocalizarInscricao(""));

    e.ListarEmpresasComVinculos();
    ASSERT_EQ(e.TotalRegistros(), 1);
    EXPECT_EQ(e.RazaoSocial, "BETA INDUSTRIA");

    e.ListarEmpresasComSaldo(0, true, 0, 0, "");
    ASSERT_EQ(e.TotalRegistros(), 1);
    EXPECT_DOUBLE_EQ(e.SaldoEmpresa, 100.50);
    e.ListarEmpresasComSaldo(1, false, kCnpjA, 0, "EMP.NU_INSCRICAO");
    EXPECT_TRUE(e.Vazio());
    EXPECT_THROW(e.ListarEmpresasComSaldo(0, true, 0, 0, "1; DROP TABLE X"), ENegocio);

    TEmpresa r(*sessao);
    ASSERT_TRUE(r.ConsultarEmpresa(2, kCei));
    EXPECT_TRUE(r.Vazio());
    ASSERT_TRUE(r.ConsultarPorInscricao(2, kCei));
    EXPECT_EQ(r.EstadoEmpresa, "R");
    EXPECT_EQ(r.InscricaoFormatada(), "123456789010");
}

TEST_F(EmpresaBanco, CnaeFpasESimplesContraAsTabelas)
{
    TEmpresa e(*sessao);
    PreencherEmpresa(e, 1, kCnpjA, "ACME");
    struct Caso {
        std::string cnae;
        std::string codigo;
    };
    for (const auto& c : std::vector<Caso>{{"6920601", ""}, {"  ", "0019"}, {"69206A1", "0140"}, {"1", "0140"},
                                           {"99999999999", "0140"}}) {
        e.Cnae = c.cnae;
        EXPECT_EQ(e.ValidarCnae(), c.codigo.empty()) << c.cnae;
        EXPECT_EQ(e.CodigoMensagem, c.codigo) << c.cnae;
    }

    struct CasoFpas {
        int tipo;
        std::string fpas;
        int simples;
        std::string codFpas, codSimples;
    };
    const std::vector<CasoFpas> casos = {
        {1, "515", 1, "", ""},
        {1, "", 1, "0070", ""},
        {1, "5X5", 1, "0244", ""},
        {1, "999", 1, "0244", ""},
        {1, "868", 1, "0226", ""},      // domestic employer needs a CEI
        {2, "868", 1, "", ""},
        {2, "0868", 2, "", "0123"},     // 0868 is 868 too
        {2, "868", 2, "", "0123"},
        {2, "868", 9, "", "0213"},      // the later table check wins over 0123
        {1, "582", 2, "", "0124"},
        {1, "639", 5, "", ""},
        {2, "604", 4, "", ""},
        {1, "604", 4, "", "0126"},
        {2, "515", 4, "", "0126"},
    };
    for (const auto& c : casos) {
        e.TipoInscricao = static_cast<uint8_t>(c.tipo);
        e.Inscricao = c.tipo == 1 ? std::to_string(kCnpjA) : std::to_string(kCei);
        e.Fpas = c.fpas;
        e.Simples = static_cast<int16_t>(c.simples);
        EXPECT_EQ(e.ValidarFpas(), c.codFpas.empty()) << c.tipo << " " << c.fpas;
        EXPECT_EQ(e.CodigoMensagem, c.codFpas) << c.tipo << " " << c.fpas;
        EXPECT_EQ(e.ValidarSimples(), c.codSimples.empty()) << c.fpas << " " << c.simples;
        EXPECT_EQ(e.CodigoMensagem, c.codSimples) << c.fpas << " " << c.simples;
    }
}

TEST_F(EmpresaBanco, FpasDoDomesticoSegueAsCategoriasDosVinculos)
{
    NovaEmpresa(2, kCei, "CASA DE FAMILIA");
    TEmpresa e(*sessao);
    PreencherEmpresa(e, 2, kCei, "CASA DE FAMILIA");

    NovoVinculo(2, kCei, 11111111111, 6);
    e.Fpas = "868";
    EXPECT_TRUE(e.ValidarFpas()) << e.CodigoMensagem;
    e.Fpas = "515";
    EXPECT_FALSE(e.ValidarFpas());
    EXPECT_EQ(e.CodigoMensagem, "0429");

    NovoVinculo(2, kCei, 22222222222, 1);
    e.Fpas = "868";
    EXPECT_FALSE(e.ValidarFpas());
    EXPECT_EQ(e.CodigoMensagem, "0432");
}

TEST_F(EmpresaBanco, UfContraATabela)
{
    TEndereco e(*sessao);
    for (const auto& [uf, codigo] : std::vector<std::pair<std::string, std::string>>{
             {"SP", ""}, {"", "0132"}, {"XX", "0133"}, {"sp", "0133"}, {"S'", "0133"}}) {
        e.Uf = uf;
        EXPECT_EQ(e.ValidarUf(), codigo.empty()) << uf;
        EXPECT_EQ(e.CodigoMensagem, codigo) << uf;
    }
}

// The roles a sequence of registrations leaves, row by row, with the collection opening.
TEST_F(EmpresaBanco, TransicoesDePapel)
{
    const std::string a = "1/" + std::to_string(kCnpjA), b = "1/" + std::to_string(kCnpjB),
                      c = "2/" + std::to_string(kCei);
    OuvinteTeste ouvinte;

    // Responsible only.
    NovoResponsavel(1, kCnpjA, "ESCRITORIO CONTABIL");
    AbrirRecolhimento(1, kCnpjA);
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{a, "R"}}));
    EXPECT_EQ(Valor("SELECT NU_SIMPLES AS V FROM SFGTBG02_EMPRESA"), "");

    // An employer registered on the responsible's inscription: one row, both roles.
    {
        TEmpresa e(*sessao);
        e.Ouvinte = &ouvinte;
        PreencherEmpresa(e, 1, kCnpjA, "ESCRITORIO CONTABIL");
        ASSERT_TRUE(e.Incluir()) << e.CodigoMensagem;
    }
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{a, "A"}}));
    EXPECT_EQ(Valor("SELECT NU_INSS || '|' || NO_CONTATO AS V FROM SFGTBG02_EMPRESA"), "515|MARIA DA SILVA");

    // Deleting that employer leaves the responsible, without employer data.
    {
        NovoVinculo(1, kCnpjA, 12345678901);
        TEmpresa e(*sessao);
        e.Ouvinte = &ouvinte;
        ASSERT_TRUE(e.ConsultarEmpresa(1, kCnpjA));
        ASSERT_TRUE(e.Excluir());
    }
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{a, "R"}}));
    EXPECT_EQ(Valor("SELECT COALESCE(NU_SIMPLES, 0) + COALESCE(NU_IBGE, 0) + COALESCE(NU_INSS, 0) AS V "
                    "FROM SFGTBG02_EMPRESA"),
              "0");
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO"), 0);
    EXPECT_EQ(ouvinte.estados, (std::vector<std::string>{"A", "R"}));

    // The responsible moves onto an existing employer: the old "R" row goes, the employer becomes
    // "A" and takes the responsible's name and address, the opening follows.
    NovaEmpresa(1, kCnpjB, "BETA INDUSTRIA");
    {
        TResponsavel r(*sessao);
        r.ConsultarResponsavel();
        r.Inscricao = std::to_string(kCnpjB);
        r.RazaoSocial = "BETA RESPONSAVEL";
        r.Endereco().Logradouro = "AVENIDA BETA 5";
        ASSERT_TRUE(r.Salvar()) << r.CodigoMensagem;
    }
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{b, "A"}}));
    EXPECT_EQ(Abertura(), b);
    EXPECT_EQ(Valor("SELECT NO_RAZAO_SOCIAL || '|' || DE_LOGRADOURO || '|' || NU_INSS || '|' || NO_CONTATO AS V "
                    "FROM SFGTBG02_EMPRESA"),
              "BETA RESPONSAVEL|AVENIDA BETA 5|515|MARIA DA SILVA");

    // E -> A -> E: the responsible leaves that employer for a new inscription.
    {
        TResponsavel r(*sessao);
        r.ConsultarResponsavel();
        ASSERT_EQ(r.EstadoEmpresa, "A");
        r.TipoInscricao = 2;
        r.Inscricao = std::to_string(kCei);
        ASSERT_TRUE(r.Salvar()) << r.CodigoMensagem;
    }
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{b, "E"}, {c, "R"}}));
    EXPECT_EQ(Abertura(), c);

    // Saving without a key change only rewrites the fields.
    {
        TResponsavel r(*sessao);
        r.ConsultarResponsavel();
        r.NomeContato = "JOAO";
        ASSERT_TRUE(r.Salvar());
    }
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{b, "E"}, {c, "R"}}));
    EXPECT_EQ(Valor("SELECT NO_CONTATO AS V FROM SFGTBG02_EMPRESA WHERE IC_ESTADO_EMPRESA = 'R'"), "JOAO");

    // An "R" row that moves to a new inscription is replaced.
    {
        TResponsavel r(*sessao);
        r.ConsultarResponsavel();
        r.TipoInscricao = 1;
        r.Inscricao = std::to_string(kCnpjA);
        ASSERT_TRUE(r.Salvar());
    }
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{a, "R"}, {b, "E"}}));
    EXPECT_EQ(Abertura(), a);
}

TEST_F(EmpresaBanco, SemResponsavelAnteriorOEmpregadorEscolhidoFicaComOsDoisPapeis)
{
    NovaEmpresa(1, kCnpjA, "ACME");
    TResponsavel r(*sessao);
    PreencherResponsavel(r, 1, kCnpjA, "ACME");
    ASSERT_TRUE(r.Salvar());
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{"1/" + std::to_string(kCnpjA), "A"}}));

    // A second responsible cannot be inserted beside the first.
    TResponsavel outro(*sessao);
    PreencherResponsavel(outro, 1, kCnpjB, "OUTRO");
    EXPECT_THROW(outro.Incluir(), ENegocio);
    EXPECT_EQ(outro.CodigoMensagem, "0144");
    EXPECT_EQ(Contar("SFGTBG02_EMPRESA"), 1);
}

// A CNPJ and a CEI may have the same digits; the key is the pair.
TEST_F(EmpresaBanco, MudarSoOTipoDaInscricaoTambemMoveOResponsavel)
{
    const int64_t numero = 123456789010;
    NovoResponsavel(1, numero, "ESCRITORIO");
    NovaEmpresa(2, numero, "OBRA");
    AbrirRecolhimento(1, numero);
    TResponsavel r(*sessao);
    r.ConsultarResponsavel();
    r.TipoInscricao = 2;
    ASSERT_TRUE(r.Salvar());
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{"2/" + std::to_string(numero), "A"}}));
    EXPECT_EQ(Abertura(), "2/" + std::to_string(numero));
}

// A move that fails halfway leaves the responsible where it was: one row, the opening unchanged.
TEST_F(EmpresaBanco, MudancaDeResponsavelQueFalhaNaoDeixaDoisResponsaveis)
{
    NovoResponsavel(1, kCnpjA, "ESCRITORIO");
    AbrirRecolhimento(1, kCnpjA);
    // A link under the responsible's row makes deleting that row fail after the new row exists.
    NovoVinculo(1, kCnpjA, 12345678901);
    TResponsavel r(*sessao);
    r.ConsultarResponsavel();
    r.Inscricao = std::to_string(kCnpjB);
    EXPECT_FALSE(r.Salvar());
    EXPECT_EQ(r.CodigoMensagem, "0144");
    EXPECT_EQ(Papeis(), (std::map<std::string, std::string>{{"1/" + std::to_string(kCnpjA), "R"}}));
    EXPECT_EQ(Abertura(), "1/" + std::to_string(kCnpjA));
    EXPECT_FALSE(sessao->EmTransacao());
}

TEST_F(EmpresaBanco, DataDePagamentoCriaOuReescreveAAbertura)
{
    TResponsavel r(*sessao);
    PreencherResponsavel(r, 1, kCnpjA, "ESCRITORIO");
    r.DataPagamento = CodificarData(2024, 5, 10);
    ASSERT_TRUE(r.GravarDataPagamento());
    EXPECT_EQ(Valor("SELECT DT_PAGAMENTO AS V FROM SFGTBG01_ABERTURA_RECOLHIMENTO"), "10/05/2024");
    EXPECT_EQ(Abertura(), "1/" + std::to_string(kCnpjA));

    r.TipoInscricao = 2;
    r.Inscricao = std::to_string(kCei);
    r.DataPagamento = CodificarData(2024, 6, 3);
    ASSERT_TRUE(r.GravarDataPagamento());
    EXPECT_EQ(Contar("SFGTBG01_ABERTURA_RECOLHIMENTO"), 1);
    EXPECT_EQ(Valor("SELECT DT_PAGAMENTO AS V FROM SFGTBG01_ABERTURA_RECOLHIMENTO"), "03/06/2024");
    EXPECT_EQ(Abertura(), "2/" + std::to_string(kCei));

    r.DataPagamento = NullDate;
    ASSERT_TRUE(r.GravarDataPagamento());
    EXPECT_EQ(Valor("SELECT DT_PAGAMENTO AS V FROM SFGTBG01_ABERTURA_RECOLHIMENTO"), "");
    r.DataPagamento = DataInvalida;
    EXPECT_FALSE(r.GravarDataPagamento());
    EXPECT_EQ(r.CodigoMensagem, "0144");
}

TEST_F(EmpresaBanco, ExcluirEmpresaLevaVinculosEDependentes)
{
    NovaEmpresa(1, kCnpjA, "ACME");
    NovaEmpresa(1, kCnpjB, "BETA");
    const int64_t soDaAcme = 11111111111, dasDuas = 22222222222;
    NovoVinculo(1, kCnpjA, soDaAcme);
    NovoVinculo(1, kCnpjA, dasDuas, 1, 2);
    NovoVinculo(1, kCnpjB, dasDuas);

    TEmpresa e(*sessao);
    ASSERT_TRUE(e.ConsultarEmpresa(1, kCnpjA));
    ASSERT_TRUE(e.Excluir());

    const std::string daAcme = " WHERE NU_INSCRICAO = " + std::to_string(kCnpjA);
    for (const char* t : {"SFGTBG02_EMPRESA", "SFGTBG04_VINCULO_EMPREGATICIO", "SFGTBG05_ALTERACAO_CADASTRAL",
                          "SFGTBG06_INFORMACAO_RESCISAO", "SFGTBG07_COMPLEMENTO_SALDO",
                          "SFGTBG10_CONTA_EMPREGADO_FGTS"}) {
        EXPECT_EQ(Contar(t + daAcme), 0) << t;
        EXPECT_EQ(Contar(std::string(t) + " WHERE NU_INSCRICAO = " + std::to_string(kCnpjB)), 1) << t;
    }
    // The worker of a single link goes with it; the one still linked to BETA stays.
    EXPECT_EQ(Contar("SFGTBG03_EMPREGADO WHERE NU_PIS = " + std::to_string(soDaAcme)), 0);
    EXPECT_EQ(Contar("SFGTBG03_EMPREGADO WHERE NU_PIS = " + std::to_string(dasDuas)), 1);

    // A key that is no employer is refused, and nothing is touched.
    TEmpresa nenhuma(*sessao);
    nenhuma.TipoInscricao = 1;
    nenhuma.Inscricao = std::to_string(kCnpjA);
    EXPECT_THROW(nenhuma.Excluir(), ENegocio);
    EXPECT_EQ(nenhuma.CodigoMensagem, "0144");
}

TEST_F(EmpresaBanco, ExcluirEmpresaQueFalhaNoFimNaoApagaNada)
{
    NovaEmpresa(1, kCnpjA, "ACME");
    NovoVinculo(1, kCnpjA, 11111111111);
    // The employer row itself refuses to go: everything deleted before it must come back.
    sessao->ExecutarSQL("CREATE EXCEPTION E_TESTE_BLOQUEIO 'bloqueado pelo teste'");
    sessao->ExecutarSQL("CREATE TRIGGER TG_TESTE_BLOQUEIO FOR SFGTBG02_EMPRESA BEFORE DELETE AS "
                        "BEGIN EXCEPTION E_TESTE_BLOQUEIO; END");
    TEmpresa e(*sessao);
    ASSERT_TRUE(e.ConsultarEmpresa(1, kCnpjA));
    EXPECT_THROW(e.Excluir(), std::exception);
    EXPECT_EQ(e.CodigoMensagem, "0144");
    EXPECT_FALSE(sessao->EmTransacao());
    for (const char* t : {"SFGTBG02_EMPRESA", "SFGTBG03_EMPREGADO", "SFGTBG04_VINCULO_EMPREGATICIO",
                          "SFGTBG05_ALTERACAO_CADASTRAL", "SFGTBG06_INFORMACAO_RESCISAO",
                          "SFGTBG07_COMPLEMENTO_SALDO", "SFGTBG10_CONTA_EMPREGADO_FGTS"})
        EXPECT_EQ(Contar(t), 1) << t;
}

} // namespace
