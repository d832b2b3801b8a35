#include "files/Folha.h"

#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "kit/BancoTeste.h"
#include "kit/ProgressoTeste.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

using namespace drav;

namespace {

std::vector<std::string> LinhasFixture()
{
    std::ifstream f(std::string(DRAV_FIXTURES) + "/folha/DRAV.re", std::ios::binary);
    std::string bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    return SepararLinhas(bytes);
}

struct Achado {
    int codigo;
    int linha;
    std::string registro;
    std::string conteudo;
};

class Folha : public teste::BancoTeste {
protected:
    std::string Escrever(const std::vector<std::string>& linhas, const std::string& fim = "\r\n")
    {
        const std::string caminho = (pasta / "DRAV.re").string();
        std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
        for (const std::string& l : linhas)
            f << l << fim;
        return caminho;
    }

    bool Importar(const std::vector<std::string>& linhas, IProgresso* p = nullptr)
    {
        TArqFolha folha(*sessao, p);
        folha.Caminho = Escrever(linhas);
        return folha.Processar();
    }

    int64_t Contar(const std::string& tabela, const std::string& onde = {})
    {
        return sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela + (onde.empty() ? "" : " WHERE " + onde))
            ->FieldByName("N")
            .AsInt64();
    }

    std::vector<Achado> Achados()
    {
        std::vector<Achado> r;
        auto q = sessao->AbrirConsulta("SELECT NU_MENSAGEM, NU_LINHA_ERRO, CO_REGISTRO, DE_CONTEUDO_CAMPO FROM "
                                       "SFGTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 1 ORDER BY NU_INCONSISTENCIA");
        for (q->First(); !q->IsEmpty() && !q->Eof(); q->Next())
            r.push_back({static_cast<int>(q->FieldByName("NU_MENSAGEM").AsInt64()),
                         static_cast<int>(q->FieldByName("NU_LINHA_ERRO").AsInt64()),
                         Aparar(q->FieldByName("CO_REGISTRO").AsString()), q->FieldByName("DE_CONTEUDO_CAMPO").AsString()});
        return r;
    }

    void EsperarNadaGravado()
    {
        EXPECT_EQ(Contar("SFGTBG02_EMPRESA"), 0);
        EXPECT_EQ(Contar("SFGTBG03_EMPREGADO"), 0);
        EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO"), 0);
        EXPECT_EQ(Contar("SFGTBG07_COMPLEMENTO_SALDO"), 0);
        EXPECT_EQ(Contar("SFGTBG01_ABERTURA_RECOLHIMENTO"), 0);
    }

    static std::string Trocar(std::string linha, int inicio, const std::string& texto)
    {
        return linha.replace(static_cast<std::size_t>(inicio - 1), texto.size(), texto);
    }
};

using teste::CancelarNaGravacao;

} // namespace

TEST_F(Folha, ArquivoValidoGravaTudoNumaTransacao)
{
    const std::vector<std::string> linhas = LinhasFixture();
    TProgressoNulo p;
    ASSERT_TRUE(Importar(linhas, &p));
    EXPECT_TRUE(Achados().empty());
    EXPECT_EQ(Contar("SFGTBG02_EMPRESA", "IC_ESTADO_EMPRESA = 'R'"), 1);
    EXPECT_EQ(Contar("SFGTBG02_EMPRESA", "IC_ESTADO_EMPRESA = 'E'"), 2);
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO", "IC_ESTADO_MOVIMENTO = 0"), 4);
    EXPECT_EQ(Contar("SFGTBG06_INFORMACAO_RESCISAO"), 4);
    EXPECT_EQ(Contar("SFGTBG07_COMPLEMENTO_SALDO"), 4);
    EXPECT_EQ(Contar("SFGTBG06_INFORMACAO_RESCISAO", "VR_DEPOSITO_CMPLO_SALDO > 0"), 2);
    EXPECT_EQ(Contar("SFGTBG01_ABERTURA_RECOLHIMENTO", "DT_PAGAMENTO = '2026-12-10'"), 1);
    // Five passes over the lines, one extra step for each new employer and link.
    EXPECT_EQ(p.Maximo, static_cast<long>(linhas.size()) * 5 + 6);
}

// One field changed in one line: the expected code is recorded at that line with that record type,
// and nothing of the file is written.
TEST_F(Folha, TabelaDeMutacoes)
{
    struct Mutacao {
        const char* nome;
        int linha; // 1-based
        int inicio;
        std::string texto;
        int codigo;
        const char* registro;
    };
    const Mutacao tabela[] = {
        {"remessa nao numerica", 1, 54, "X", 11, "00"},
        {"remessa diferente de 2", 1, 54, "1", 131, "00"},
        {"cnpj do responsavel", 1, 56, "11111111111112", 21, "00"},
        {"pagamento vazio", 1, 292, "00000000", 62, "00"},
        {"pagamento invalido", 1, 292, "31022026", 63, "00"},
        {"pagamento fora da tabela", 1, 292, "10112026", 201, "00"},
        {"pagamento em sabado", 1, 292, "12122026", 201, "00"},
        {"brancos do header", 1, 10, "X", 9, "00"},
        {"fim de registro", 2, 360, "*", 0, "10"}, // unchanged: control row, nothing expected
        {"zeros da empresa", 2, 20, "1", 13, "10"},
        {"cnae desconhecido", 2, 206, "9999999", 140, "10"},
        {"fpas nao numerico", 2, 214, "5A7", 11, "10"},
        {"uf desconhecida", 2, 192, "XX", 133, "10"},
        {"empresa repetida", 6, 4, "00001000000106", 386, "10"},
        {"pis invalido", 3, 43, "9", 109, "40"},
        {"categoria nao numerica", 3, 52, "A1", 11, "40"},
        {"nome com digito", 3, 54, "JOAO 2 SILVA", 93, "40"},
        {"cpf invalido", 3, 285, "9", 38, "40"},
        {"sexo invalido", 3, 136, "7", 122, "40"},
        {"nascimento invalido", 3, 139, "31021980", 212, "40"},
        {"horas zero", 3, 147, "00", 111, "40"},
        {"cbo desconhecido", 3, 149, "999999", 337, "40"},
        {"aviso invalido", 3, 176, "9", 80, "40"},
        {"valor dissidio nao numerico", 3, 194, "00000000000A000", 11, "40"},
        {"pensao P com 0%", 3, 254, "P00000", 183, "40"},
        {"pensao P com 150%", 3, 254, "P15000", 378, "40"},
        {"pensao V sem valor", 3, 254, "V00000", 210, "40"},
        {"pensao N com valor", 3, 260, "000000000010000", 334, "40"},
        {"pensao V com percentual", 3, 254, "V03000000000000010000", 335, "40"},
        {"brancos do trabalhador", 3, 330, "X", 9, "40"},
        {"vinculo de outra empresa", 3, 4, "00001001000150", 349, "40"},
        {"complemento de outra admissao", 4, 44, "02032010", 349, "43"},
        {"pares com intervalo", 4, 75, "000000000000000000000202003000000000100000", 361, "43"},
        {"competencia mes 13", 4, 54, "202013", 34, "43"},
        {"competencia antes da opcao", 4, 54, "200901", 395, "43"},
        {"competencia repetida", 4, 75, "202001", 292, "43"},
        {"complemento vazio", 4, 54, "000000000000000000000000000000000000000000", 360, "43"},
        {"noves do trailer", 10, 10, "8", 10, "90"},
    };
    const std::vector<std::string> base = LinhasFixture();
    for (const Mutacao& m : tabela) {
        SCOPED_TRACE(m.nome);
        std::vector<std::string> linhas = base;
        linhas[static_cast<std::size_t>(m.linha - 1)] = Trocar(linhas[static_cast<std::size_t>(m.linha - 1)], m.inicio, m.texto);
        ASSERT_EQ(linhas[static_cast<std::size_t>(m.linha - 1)].size(), 360u);
        const bool ok = Importar(linhas);
        const std::vector<Achado> achados = Achados();
        if (m.codigo == 0) {
            EXPECT_TRUE(ok);
            EXPECT_TRUE(achados.empty());
            // Undo the control import for the next rows.
            for (const char* t : {"SFGTBG07_COMPLEMENTO_SALDO", "SFGTBG06_INFORMACAO_RESCISAO",
                                  "SFGTBG04_VINCULO_EMPREGATICIO", "SFGTBG03_EMPREGADO", "SFGTBG02_EMPRESA",
                                  "SFGTBG01_ABERTURA_RECOLHIMENTO"})
                sessao->ExecutarSQL(std::string("DELETE FROM ") + t);
            continue;
        }
        EXPECT_FALSE(ok);
        bool achou = false;
        for (const Achado& a : achados)
            achou = achou || (a.codigo == m.codigo && a.linha == m.linha && a.registro == m.registro);
        EXPECT_TRUE(achou) << "codigo " << m.codigo << " nao registrado; primeiro: "
                           << (achados.empty() ? -1 : achados[0].codigo);
        EsperarNadaGravado();
    }
}

TEST_F(Folha, EstruturaParaNoPrimeiroProblema)
{
    const std::vector<std::string> base = LinhasFixture();
    struct Caso {
        const char* nome;
        std::vector<std::string> linhas;
        int codigo, linha;
    };
    std::vector<std::string> tamanho = base;
    tamanho[4] += " ";
    std::vector<std::string> tipo = base;
    tipo[4] = Trocar(tipo[4], 1, "41");
    std::vector<std::string> semEmpresa = {base[0], base[2], base[3], base.back()};
    std::vector<std::string> dezSemQuarenta = base;
    dezSemQuarenta.erase(dezSemQuarenta.begin() + 6, dezSemQuarenta.begin() + 9);
    std::vector<std::string> doisHeaders = base;
    doisHeaders.insert(doisHeaders.begin() + 5, base[0]);
    const Caso casos[] = {
        {"tres linhas", {base[0], base[1], base[2]}, 385, 0},
        {"quarenta sem dez", semEmpresa, 385, 0},
        {"linha de 361", tamanho, 410, 5},
        {"tipo desconhecido", tipo, 113, 5},
        {"dez sem quarenta", dezSemQuarenta, 135, 7},
        {"segundo header", doisHeaders, 135, 6},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        EXPECT_FALSE(Importar(c.linhas));
        const std::vector<Achado> a = Achados();
        ASSERT_EQ(a.size(), 1u);
        EXPECT_EQ(a[0].codigo, c.codigo);
        EXPECT_EQ(a[0].linha, c.linha);
        EsperarNadaGravado();
    }
}

TEST_F(Folha, LinhasVaziasDepoisDoTrailerSaoIgnoradas)
{
    std::vector<std::string> linhas = LinhasFixture();
    linhas.push_back("");
    linhas.push_back("lixo depois do fim");
    EXPECT_TRUE(Importar(linhas));
    EXPECT_TRUE(Achados().empty());
}

TEST_F(Folha, ArquivoInexistenteRegistra0151ComOCaminho)
{
    TArqFolha folha(*sessao);
    folha.Caminho = (pasta / "nao-existe" / "DRAV.re").string();
    EXPECT_FALSE(folha.Processar());
    const std::vector<Achado> a = Achados();
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].codigo, 151);
    EXPECT_EQ(Aparar(a[0].conteudo), folha.Caminho);
}

// A re-imported file replaces the link's data, removes its registration changes and the
// complements it no longer declares, and reopens a closed link.
TEST_F(Folha, ReimportacaoAtualizaOsVinculosExistentes)
{
    std::vector<std::string> linhas = LinhasFixture();
    ASSERT_TRUE(Importar(linhas));
    const std::string chave = "NU_PIS = 10000000016";
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 WHERE " + chave);
    sessao->ExecutarSQL("INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, NU_EMPREGADO_QUELD_ALT_CDSTL) VALUES (1, 1000000106, "
                        "10000000016, 1, '2010-03-01', 1, 1)");
    ASSERT_EQ(Contar("SFGTBG06_INFORMACAO_RESCISAO", chave + " AND VR_DEPOSITO_CMPLO_SALDO > 0"), 1);
    // Another link has two live FGTS accounts and a closed one: its balance is theirs again.
    const std::string outro = "NU_PIS = 10000000083";
    for (const char* conta : {"1, 1, 1, 100.25", "2, 1, 1, 20.00", "3, 3, 1, 999.00"})
        sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, "
                            "NU_SITUACAO_PIS, VR_SALDO_RESCISORIO) VALUES (1, 1000000106, 10000000083, 1, "
                            "'2010-03-01', " + std::string(conta) + ")");

    // The worker's complement line goes away and the name changes.
    ASSERT_EQ(linhas[3].substr(0, 2), "43");
    linhas.erase(linhas.begin() + 3);
    linhas[2] = Trocar(linhas[2], 54, "ANA NOVA SILVA  ");
    ASSERT_TRUE(Importar(linhas));
    EXPECT_TRUE(Achados().empty());
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO"), 4);
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO", chave + " AND IC_ESTADO_MOVIMENTO = 0"), 1);
    EXPECT_EQ(Contar("SFGTBG05_ALTERACAO_CADASTRAL"), 0);
    EXPECT_EQ(Contar("SFGTBG07_COMPLEMENTO_SALDO", chave), 0);
    EXPECT_EQ(Contar("SFGTBG07_COMPLEMENTO_SALDO"), 2);
    EXPECT_EQ(Contar("SFGTBG06_INFORMACAO_RESCISAO", chave + " AND VR_DEPOSITO_CMPLO_SALDO IS NULL"), 1);
    EXPECT_EQ(Contar("SFGTBG03_EMPREGADO", chave + " AND NO_EMPREGADO = 'ANA NOVA SILVA'"), 1);
    EXPECT_EQ(Contar("SFGTBG06_INFORMACAO_RESCISAO",
                     outro + " AND VR_SALDO_RESCISORIO = 120.25 AND IC_ORIGEM_SALDO_RESCISORIO = 'C'"), 1);
    EXPECT_EQ(Contar("SFGTBG06_INFORMACAO_RESCISAO", "NU_PIS NOT IN (10000000083) AND IC_ORIGEM_SALDO_RESCISORIO = 'C'"), 0);
}

TEST_F(Folha, CancelarDuranteAGravacaoNaoDeixaNada)
{
    for (int linhas : {1, 4, 9}) {
        SCOPED_TRACE(linhas);
        CancelarNaGravacao p(linhas);
        TArqFolha folha(*sessao, &p);
        folha.Caminho = Escrever(LinhasFixture());
        EXPECT_FALSE(folha.Processar());
        EXPECT_TRUE(folha.FoiCancelado());
        EXPECT_FALSE(sessao->EmTransacao());
        EsperarNadaGravado();
        EXPECT_TRUE(Achados().empty()); // a cancel is no failure to report
    }
}

// A write that fails leaves nothing and records 0250 at the failing line with that line's type.
TEST_F(Folha, FalhaDeGravacaoDesfazTudoERegistra0250NaLinha)
{
    sessao->ExecutarSQL("CREATE EXCEPTION E_TESTE_FOLHA 'recusado'");
    sessao->ExecutarSQL("CREATE TRIGGER T_TESTE_FOLHA FOR SFGTBG07_COMPLEMENTO_SALDO BEFORE INSERT AS BEGIN "
                        "EXCEPTION E_TESTE_FOLHA; END");
    EXPECT_FALSE(Importar(LinhasFixture()));
    const std::vector<Achado> a = Achados();
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].codigo, 250);
    EXPECT_EQ(a[0].linha, 4);
    EXPECT_EQ(a[0].registro, "43");
    EsperarNadaGravado();
}

TEST_F(Folha, MensagemAusenteDaTabelaAbortaCom0396)
{
    sessao->ExecutarSQL("DELETE FROM SFGTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = 385");
    const std::vector<std::string> base = LinhasFixture();
    TArqFolha folha(*sessao);
    folha.Caminho = Escrever({base[0], base[1], base[2]});
    EXPECT_THROW(folha.Processar(), EMensagemNaoCadastrada);
    EXPECT_EQ(folha.CodigoMensagem, "0396");
    EXPECT_FALSE(folha.Aberto);
}

namespace {

// A complement that owes interest must not be stored without it when the JAM index is missing.
TEST_F(Folha, ComplementoSemIndiceJamFalhaEmVezDeGravarSemJuros)
{
    sessao->ExecutarSQL("DELETE FROM SFGTBT17_INDICE_SIMPLIFICADO");
    EXPECT_FALSE(Importar(LinhasFixture()));
    const auto a = Achados();
    ASSERT_FALSE(a.empty());
    EXPECT_EQ(a.front().codigo, 372);
    EXPECT_EQ(a.front().registro, "43");
    EsperarNadaGravado();
}

} // namespace

// The stored rows the checks and the writes consult are read in bulk up front; they must answer as
// the per-link queries would: a stored link of the worker admitted before the file's birth date, a
// worker already stored under another employer, a stored complement after the movement month.
TEST_F(Folha, LinhasDoArquivoConferidasComOQueJaEstaGravado)
{
    const std::vector<std::string> linhas = LinhasFixture();
    sessao->ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, "
                        "IC_ESTADO_EMPRESA) VALUES (1, 2000000109, 'OUTRA EMPRESA', 'E')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (10000000016, 'ANA ANTIGA')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, IC_ESTADO_MOVIMENTO) VALUES (1, 2000000109, 10000000016, "
                        "1, '1979-01-02', 0)");
    EXPECT_FALSE(Importar(linhas));
    auto achados = Achados();
    ASSERT_EQ(achados.size(), 1u);
    EXPECT_EQ(achados[0].codigo, 443);
    EXPECT_EQ(achados[0].linha, 3);
    EXPECT_EQ(Aparar(achados[0].conteudo), "15051980");

    // Admitted after the birth date: the worker is kept (not inserted twice) and takes the file's name.
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET DT_ADMISSAO_VINCULO = '2001-02-03'");
    ASSERT_TRUE(Importar(linhas));
    EXPECT_EQ(Contar("SFGTBG03_EMPREGADO", "NU_PIS = 10000000016 AND NO_EMPREGADO = 'ANA SILVA SILVA'"), 1);
    EXPECT_EQ(Contar("SFGTBG04_VINCULO_EMPREGATICIO", "NU_PIS = 10000000016"), 2);

    // A stored complement after the movement month of the link the file declares again.
    sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
                        "VR_REMUNERACAO, VR_DEPOSITO) VALUES (1, 1000000106, 10000000016, 1, '2010-03-01', 1, 2027, 1, "
                        "100, 8)");
    EXPECT_FALSE(Importar(linhas));
    achados = Achados();
    ASSERT_EQ(achados.size(), 1u);
    EXPECT_EQ(achados[0].codigo, 441);
    EXPECT_EQ(achados[0].linha, 3);
}
