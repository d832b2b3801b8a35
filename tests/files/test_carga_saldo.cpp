#include "files/CargaSaldo.h"

#include "calc/Indices.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "files/Folha.h"
#include "files/Protocolo.h"
#include "kit/BancoTeste.h"
#include "kit/ProgressoTeste.h"

#include <gtest/gtest.h>

#include <fstream>
#include <map>
#include <string>
#include <vector>

using namespace drav;

namespace {

const std::string kId = "202601151030000000000000012345";
const std::string kEmpresa1 = "00001000000106";
const std::string kEmpresa2 = "00001001000150";

std::string Num(int64_t v, int largura)
{
    std::string s = std::to_string(v);
    return std::string(static_cast<std::size_t>(largura) - s.size(), '0') + s;
}
std::string Txt(const std::string& s, int largura) { return s + std::string(largura - s.size(), ' '); }

// A PIS with its check digit, for workers the database does not know.
std::string PisValido(int64_t base)
{
    const std::string b = std::to_string(base);
    static const int pesos[10] = {3, 2, 9, 8, 7, 6, 5, 4, 3, 2};
    int soma = 0;
    for (int i = 0; i < 10; ++i)
        soma += (b[i] - '0') * pesos[i];
    const int r = soma % 11;
    return b + std::to_string(r < 2 ? 0 : 11 - r);
}

struct Conta {
    std::string inscricao, pis, nome;
    int64_t saldo;
    int64_t numero;
    std::string situacaoPis = "01";
};

// The bank's answer for the links of the payroll fixture, built field by field.
std::vector<std::string> Montar(const std::vector<Conta>& contas, const std::string& id = kId)
{
    std::vector<std::string> l;
    l.push_back("0302FGTS1" + std::string("99999990000180") + Txt("ESCRITORIO CONTABIL MODELO", 30) + "10012026" + id +
                std::string(35, ' ') + std::string(28, '0'));
    std::map<std::string, std::vector<Conta>> porEmpresa;
    for (const Conta& c : contas)
        porEmpresa[c.inscricao].push_back(c);
    int64_t total = 0;
    int n = 0;
    for (const auto& [inscricao, cs] : porEmpresa) {
        l.push_back("1" + Num(500001, 14) + Txt("EMPRESA", 40) + "01012026" + "31122025" + "1" + inscricao + "00" +
                    std::string(66, '0'));
        int64_t soma = 0;
        for (const Conta& c : cs) {
            l.push_back("2" + Num(500001, 14) + Num(c.numero, 11) + Txt(c.nome, 40) + "01032010" + Num(c.saldo, 13) +
                        "01" + "1" + inscricao + c.pis + c.situacaoPis + "00" + "202512" + std::string(29, '0'));
            soma += c.saldo;
            ++n;
        }
        l.push_back("8" + std::string(14, '0') + Num(static_cast<int64_t>(cs.size()), 7) + Num(soma, 16) +
                    std::string(116, '0'));
        total += soma;
    }
    const int64_t empresas = static_cast<int64_t>(porEmpresa.size());
    l.push_back("9" + Num(empresas, 7) + Num(n, 7) + Num(empresas, 7) + Num(total, 16) + std::string(116, '0'));
    for (std::size_t i = 0; i < l.size(); ++i)
        l[i] += Num(static_cast<int64_t>(i + 1), 6);
    return l;
}

// Link 1 with two accounts, the other three with one.
std::vector<Conta> ContasValidas()
{
    return {{kEmpresa1, "10000000016", "ANA SILVA SILVA", 100000, 11},
            {kEmpresa1, "10000000016", "ANA SILVA SILVA", 25050, 12},
            {kEmpresa1, "10000000083", "BRUNO SILVA SILVA", 200000, 13},
            {kEmpresa2, "10000000156", "CARLA SILVA SILVA", 300000, 14},
            {kEmpresa2, "10000000229", "DANIEL SILVA SILVA", 400000, 15}};
}

struct Achado {
    int codigo;
    int linha;
    std::string registro;
    std::string conteudo;
};

class CargaSaldo : public teste::BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        TArqFolha folha(*sessao);
        folha.Caminho = std::string(DRAV_FIXTURES) + "/folha/DRAV.re";
        ASSERT_TRUE(folha.Processar());
        TProtocolo p(*sessao);
        p.Identificador = kId;
        p.NumeroArquivo = ArquivoSolicitacaoSaldo;
        p.DataGeracao = CodificarData(2026, 1, 10);
        ASSERT_TRUE(p.Incluir());
    }

    std::string Escrever(const std::vector<std::string>& linhas, const std::string& fim = "\r\n")
    {
        const std::string caminho = (pasta / "Saldo.KVD").string();
        std::ofstream f(caminho, std::ios::binary | std::ios::trunc);
        for (const std::string& l : linhas)
            f << l << fim;
        return caminho;
    }

    bool Carregar(TArqCargaSaldo& carga, const std::vector<std::string>& linhas, const std::string& fim = "\r\n")
    {
        carga.Caminho = Escrever(linhas, fim);
        carga.DataCarga = CodificarData(2026, 1, 20);
        return carga.Processar();
    }

    int64_t Contar(const std::string& tabela, const std::string& onde = {})
    {
        return sessao->AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela + (onde.empty() ? "" : " WHERE " + onde))
            ->FieldByName("N")
            .AsInt64();
    }

    std::string Valor(const std::string& sql)
    {
        auto q = sessao->AbrirConsulta(sql);
        return q->IsEmpty() ? std::string("<nada>") : Aparar(q->Field(0).AsString());
    }

    std::string Validade() { return Valor("SELECT IC_ARQUIVO_VALIDO FROM SFGTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = '" + kId + "'"); }

    std::vector<Achado> Achados()
    {
        std::vector<Achado> r;
        auto q = sessao->AbrirConsulta("SELECT NU_MENSAGEM, NU_LINHA_ERRO, CO_REGISTRO, DE_CONTEUDO_CAMPO FROM "
                                       "SFGTBG18_INCONSISTENCIA_ARQUIVO WHERE NU_ARQUIVO = 2 ORDER BY NU_INCONSISTENCIA");
        for (q->First(); !q->IsEmpty() && !q->Eof(); q->Next())
            r.push_back({static_cast<int>(q->FieldByName("NU_MENSAGEM").AsInt64()),
                         static_cast<int>(q->FieldByName("NU_LINHA_ERRO").AsInt64()),
                         Aparar(q->FieldByName("CO_REGISTRO").AsString()),
                         AparaDireita(q->FieldByName("DE_CONTEUDO_CAMPO").AsString())});
        return r;
    }

    // An account the bank sent earlier, for the replacement checks.
    void ContaAntiga(const std::string& pis, int64_t numero)
    {
        sessao->ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                            "DT_ADMISSAO_VINCULO, NU_CATEGORIA, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, "
                            "NU_SITUACAO_PIS, VR_SALDO_RESCISORIO) VALUES (1, 1000000106, " + pis +
                            ", '2010-03-01', 1, " + std::to_string(numero) + ", 0, 1, 77.77)");
    }

    static std::string Trocar(std::string linha, int inicio, const std::string& texto)
    {
        return linha.replace(static_cast<std::size_t>(inicio - 1), texto.size(), texto);
    }
};

std::string SaldoDoVinculo(const std::string& pis)
{
    return "SELECT CAST(VR_SALDO_RESCISORIO * 100 AS INTEGER) FROM SFGTBG06_INFORMACAO_RESCISAO WHERE NU_PIS = " + pis;
}

using teste::CancelarNaGravacao;

} // namespace

TEST_F(CargaSaldo, ArquivoValidoSubstituiContasEAtualizaSaldos)
{
    ContaAntiga("10000000016", 99);
    TProgressoNulo p;
    TArqCargaSaldo carga(*sessao, &p);
    const std::vector<std::string> linhas = Montar(ContasValidas());
    // Lines ended by LF alone read the same as CR LF.
    ASSERT_TRUE(Carregar(carga, linhas, "\n"));
    EXPECT_TRUE(Achados().empty());
    EXPECT_TRUE(carga.AlgoGravado);
    EXPECT_FALSE(carga.Pendente);
    EXPECT_EQ(p.Maximo, static_cast<long>(linhas.size()) * 3);
    // The old account of link 1 went; both of its new accounts came in.
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS"), 5);
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "NU_EMPREGADO_QUELD = 99"), 0);
    EXPECT_EQ(Valor(SaldoDoVinculo("10000000016")), "125050");
    EXPECT_EQ(Valor(SaldoDoVinculo("10000000229")), "400000");
    EXPECT_EQ(Contar("SFGTBG06_INFORMACAO_RESCISAO", "IC_ORIGEM_SALDO_RESCISORIO = 'C'"), 4);
    EXPECT_EQ(Valor("SELECT NO_EMPREGADO FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE NU_EMPREGADO_QUELD = 14"),
              "CARLA SILVA SILVA");
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "NU_EMPRESA_QUELD = 500001 AND DT_GRAVACAO_ARQUIVO = "
                                                      "'2026-01-10' AND DT_CREDITO_JUROS = '2026-01-01' AND "
                                                      "AA_MAIOR_COMPETENCIA = 2025 AND MM_MAIOR_COMPETENCIA = 12"),
              5);
    EXPECT_EQ(Validade(), "S");
    EXPECT_EQ(Contar("SFGTBG05_ALTERACAO_CADASTRAL"), 0);
}

// One field changed in one line: the code is recorded at that line with that record type, and
// the accounts the finding concerns are not stored (a header or structure finding: none at all).
TEST_F(CargaSaldo, CampoInvalidoRegistraCodigoENaoGravaAConta)
{
    struct Caso {
        const char* nome;
        std::size_t linha; // 0-based index in the file
        int inicio;
        std::string texto;
        int codigo;
        int linhaRegistrada;
        std::string registro;
        int64_t contasGravadas;
        std::string conteudo = "*"; // "*": not checked
    };
    const std::vector<Caso> casos = {
        {"tipo de remessa", 0, 2, "4", 131, 1, "00", 0},
        {"remessa não numérica", 0, 2, "A", 11, 1, "00", 0, "Tipo Remessa: A"},
        {"código de serviço", 0, 3, "03", 246, 1, "00", 0},
        {"produto", 0, 5, "FGTX", 247, 1, "00", 0},
        {"identificador em zeros", 0, 62, std::string(30, '0'), 450, 1, "00", 0},
        {"data de gravação", 0, 54, "32132025", 212, 1, "00", 0, "Data Gravação Arquivo: 32132025"},
        {"brancos do cabeçalho", 0, 100, "X", 9, 1, "00", 0},
        {"zeros do cabeçalho", 0, 130, "1", 13, 1, "00", 0},
        {"tipo de inscrição da empresa", 1, 72, "3", 129, 2, "01", 2},
        {"CNPJ da empresa", 1, 86, "7", 21, 2, "01", 2},
        {"situação da empresa acima de 3", 1, 87, "04", 248, 2, "01", 2},
        {"empresa não localizada", 1, 87, "01", 439, 2, "01", 2},
        {"sequência de 10000 invade os zeros", 1, 155, "010000", 13, 2, "01", 2},
        {"data contábil antiga", 1, 64, "31121966", 370, 2, "01", 2},
        {"PIS", 2, 115, "9", 109, 3, "02", 4},
        {"situação da conta", 2, 118, "05", 216, 3, "02", 4},
        {"categoria inexistente", 2, 88, "99", 336, 3, "02", 4},
        {"saldo com letra", 2, 80, "A", 11, 3, "02", 4},
        {"zeros da conta", 2, 130, "1", 13, 3, "02", 4},
        {"vínculo inexistente", 2, 105, PisValido(1000000701), 289, 3, "02", 4},
        {"situação do PIS", 2, 116, "03", 285, 3, "02", 4},
        {"quantidade da empresa", 5, 16, "0000009", 357, 6, "08", 5},
        {"total da empresa", 5, 23, "0000000000000001", 358, 6, "08", 5},
        {"total do arquivo", 10, 23, "0000000000000001", 330, 11, "09", 5},
        {"quantidade de empresas com letra", 10, 2, "00000A2", 11, 11, "09", 5,
         "Quantidade de Registro 1: 00000A2"},
        {"quantidade de contas", 10, 9, "0000004", 343, 11, "09", 5},
        {"linha curta", 3, 160, "", 410, 4, "02", 0},
        {"tipo de registro desconhecido", 4, 1, "7", 113, 5, "7", 0},
        {"trailer fora do fim", 5, 1, "9", 135, 6, "09", 0},
    };
    ASSERT_EQ(Montar(ContasValidas()).size(), 11u);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        sessao->ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS");
        sessao->ExecutarSQL("UPDATE SFGTBG13_ARQUIVO SET IC_ARQUIVO_VALIDO = NULL");
        std::vector<std::string> linhas = Montar(ContasValidas());
        if (c.texto.empty())
            linhas[c.linha].resize(static_cast<std::size_t>(c.inicio - 1));
        else
            linhas[c.linha] = Trocar(linhas[c.linha], c.inicio, c.texto);
        TArqCargaSaldo carga(*sessao);
        EXPECT_FALSE(Carregar(carga, linhas));
        bool achou = false;
        std::string vistos;
        for (const Achado& a : Achados()) {
            if (a.codigo == c.codigo && a.linha == c.linhaRegistrada && a.registro == c.registro &&
                (c.conteudo == "*" || a.conteudo == c.conteudo))
                achou = true;
            vistos += " [" + std::to_string(a.codigo) + " linha " + std::to_string(a.linha) + " " + a.registro + " '" +
                      a.conteudo + "']";
        }
        EXPECT_TRUE(achou) << "código " << c.codigo << "; achados:" << vistos;
        EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS"), c.contasGravadas);
        EXPECT_EQ(carga.CodigoMensagem, c.contasGravadas ? "0253" : "0402");
        // A file refused for its structure, or without an identifier, names no request to mark.
        const bool estrutura = c.codigo == 410 || c.codigo == 113 || c.codigo == 135;
        EXPECT_EQ(Validade(), c.codigo == 450 || estrutura ? "" : c.contasGravadas ? "S" : "N");
    }
}

TEST_F(CargaSaldo, EstruturaCurtaEEmpresaSemContas)
{
    TArqCargaSaldo carga(*sessao);
    const std::vector<std::string> linhas = Montar(ContasValidas());
    EXPECT_FALSE(Carregar(carga, {linhas[0], linhas.back()}));
    ASSERT_EQ(Achados().size(), 1u);
    EXPECT_EQ(Achados()[0].codigo, 401);
    EXPECT_EQ(Achados()[0].linha, 0);

    // An employer the bank holds no account of (situation 3) may be followed by its trailer: its
    // open links lose their old accounts and the file is loaded with pendencies.
    ContaAntiga("10000000016", 99);
    std::vector<std::string> s3 = {
        linhas[0],
        "1" + std::string(14, '0') + std::string(40, ' ') + std::string(16, '0') + "1" + kEmpresa1 + "03" +
            std::string(66, '0') + "000002",
        "8" + std::string(37, '0') + std::string(116, '0') + "000003",
        "9" + Num(1, 7) + Num(0, 7) + Num(1, 7) + Num(0, 16) + std::string(116, '0') + "000004"};
    TArqCargaSaldo c3(*sessao);
    EXPECT_FALSE(Carregar(c3, s3));
    EXPECT_TRUE(Achados().empty());
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS"), 0);
    EXPECT_EQ(c3.CodigoMensagem, "0402");
}

TEST_F(CargaSaldo, NomesDivergentesGeramAlteracaoOuPendencia)
{
    std::vector<Conta> contas = ContasValidas();
    contas[2].nome = "BRUNO DA SILVA"; // PIS situation 2, name differs: a name change, still regular
    contas[2].situacaoPis = "02";
    contas[3].nome = "CARLA S SILVA"; // PIS situation 1, name differs: stored, not regular
    TArqCargaSaldo carga(*sessao);
    EXPECT_FALSE(Carregar(carga, Montar(contas)));
    EXPECT_TRUE(Achados().empty());
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS"), 5);
    EXPECT_EQ(Contar("SFGTBG05_ALTERACAO_CADASTRAL", "NU_PIS = 10000000083 AND NU_TIPO_ALTERACAO = 406 AND "
                                                     "IC_CONFIRMACAO = 'N' AND DE_CONTEUDO_ANTERIOR = 'BRUNO DA SILVA' "
                                                     "AND NU_EMPREGADO_QUELD_ALT_CDSTL = 13"),
              1);
    EXPECT_TRUE(carga.AtualizarArvore);
    EXPECT_EQ(carga.CodigoMensagem, "0253");
    // A PIS in situation 2 does not count in the balance.
    EXPECT_EQ(Valor(SaldoDoVinculo("10000000083")), "0");
    EXPECT_EQ(Validade(), "S");
}

TEST_F(CargaSaldo, ContaQueFalhaVoltaSozinha)
{
    // The same account twice: the second insert fails; it is reported and undone alone, and the
    // first stays (the old account of the link does not come back).
    ContaAntiga("10000000016", 99);
    std::vector<Conta> contas = ContasValidas();
    contas[1].numero = contas[0].numero;
    TArqCargaSaldo carga(*sessao);
    EXPECT_FALSE(Carregar(carga, Montar(contas)));
    const std::vector<Achado> a = Achados();
    ASSERT_EQ(a.size(), 1u);
    EXPECT_EQ(a[0].codigo, 144);
    EXPECT_EQ(a[0].linha, 4);
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS"), 4);
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "NU_EMPREGADO_QUELD = 99"), 0);
    EXPECT_EQ(Valor(SaldoDoVinculo("10000000016")), "100000");
}

TEST_F(CargaSaldo, ContasDeVinculoFechadoFicamParaConfirmacao)
{
    const std::string chave = "NU_PIS = 10000000083";
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 WHERE " + chave);
    sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_JAM_SALDO_RESCISORIO = 5, VR_SALDO_RESCISORIO = 1 "
                        "WHERE " + chave);
    TArqCargaSaldo carga(*sessao);
    ASSERT_TRUE(Carregar(carga, Montar(ContasValidas())));
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", chave), 0);
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS"), 4);
    ASSERT_TRUE(carga.Pendente);
    ASSERT_EQ(carga.Pendentes.size(), 1u);
    EXPECT_TRUE(carga.Pendentes[0].Regular);

    const std::vector<TVinculoPendente> vinculos = AgruparPendentes(*sessao, carga.Pendentes);
    ASSERT_EQ(vinculos.size(), 1u);
    EXPECT_EQ(vinculos[0].Estado, 2);
    EXPECT_EQ(vinculos[0].NomeCadastrado, "BRUNO SILVA SILVA");
    const TTabelasIndicesBanco tabelas(*sessao);
    std::string erro;
    EXPECT_EQ(ConfirmarContasPendentes(*sessao, tabelas, NullDate, vinculos, &erro), ResultadoConfirmacao::Gravado)
        << erro;
    EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", chave + " AND NO_EMPREGADO = 'BRUNO SILVA SILVA'"), 1);
    EXPECT_EQ(Valor("SELECT IC_ESTADO_MOVIMENTO FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE " + chave), "0");
    EXPECT_EQ(Valor(SaldoDoVinculo("10000000083")), "200000");
    EXPECT_EQ(Valor("SELECT VR_JAM_SALDO_RESCISORIO FROM SFGTBG06_INFORMACAO_RESCISAO WHERE " + chave), "");
}

TEST_F(CargaSaldo, ProtocoloSoDaSolicitacaoDeSaldo)
{
    const std::string outro = "202601151030000000000000099999";
    TProtocolo p(*sessao);
    p.Identificador = outro;
    p.NumeroArquivo = ArquivoRescisorio;
    p.DataGeracao = CodificarData(2026, 1, 10);
    ASSERT_TRUE(p.Incluir());
    TArqCargaSaldo carga(*sessao);
    ASSERT_TRUE(Carregar(carga, Montar(ContasValidas(), outro)));
    EXPECT_EQ(Valor("SELECT COALESCE(IC_ARQUIVO_VALIDO, '-') FROM SFGTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = '" +
                    outro + "'"),
              "-");
    EXPECT_EQ(Validade(), "");
}

TEST_F(CargaSaldo, CancelarNaoDeixaNada)
{
    ContaAntiga("10000000016", 99);
    for (int linhas : {1, 4, 10}) {
        SCOPED_TRACE(linhas);
        CancelarNaGravacao p(linhas);
        TArqCargaSaldo carga(*sessao, &p);
        EXPECT_FALSE(Carregar(carga, Montar(ContasValidas())));
        EXPECT_TRUE(carga.FoiCancelado());
        EXPECT_FALSE(carga.AlgoGravado);
        EXPECT_FALSE(sessao->EmTransacao());
        EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS"), 1);
        EXPECT_EQ(Contar("SFGTBG10_CONTA_EMPREGADO_FGTS", "NU_EMPREGADO_QUELD = 99"), 1);
        EXPECT_EQ(Validade(), "");
    }
}
