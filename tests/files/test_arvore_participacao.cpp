// Marking, unmarking and withdrawing a closing on the root, an employer and a link, for links in
// every state; the checks a link passes to be marked; and opening the collection.
#include "files/Participacao.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "files/Arvore.h"
#include "files/test_arvore_apoio.h"
#include "kit/BancoTeste.h"
#include "model/Vinculo.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace drav {
namespace {

using namespace teste;

class Participacao : public BancoTeste {
protected:
    void SetUp() override
    {
        BancoTeste::SetUp();
        cadastro = CriarCadastroPadrao(*sessao);
        AbrirColeta(*sessao);
    }
    void Carregar()
    {
        arvore = std::make_unique<TArvore>(*sessao, pagamento);
        ASSERT_TRUE(arvore->RecarregarArvore());
        mensagens = std::make_unique<TMensagens>(sessao.get(), apresentador);
        part = std::make_unique<TParticipacao>(*arvore, *mensagens);
    }
    int Vinculo(const VinculoTeste& v) const
    {
        return arvore->LocalizarVinculo(v.tipo, v.categoria, NoVinculo, v.admissao, v.pis, v.inscricao);
    }
    // States of every link in the database, A's then B's.
    std::vector<int> Gravados() const
    {
        std::vector<int> r;
        for (const auto& v : cadastro.a)
            r.push_back(EstadoGravado(*sessao, v));
        for (const auto& v : cadastro.b)
            r.push_back(EstadoGravado(*sessao, v));
        return r;
    }
    // The same as the register holds them; -1 for a link missing from it.
    std::vector<int> NoRegistro() const
    {
        std::vector<int> r;
        for (const auto* g : {&cadastro.a, &cadastro.b})
            for (const auto& v : *g) {
                const int i = Vinculo(v);
                r.push_back(i < 0 ? -1 : arvore->Registro(i).Estado);
            }
        return r;
    }

    CadastroPadrao cadastro;
    TDateTime pagamento = NullDate;
    ApresentadorRoteiro apresentador;
    std::unique_ptr<TArvore> arvore;
    std::unique_ptr<TMensagens> mensagens;
    std::unique_ptr<TParticipacao> part;
};

enum class Comando { Marcar, Desmarcar, Retirar };
// Which node: the root, employer A (links 0..3), employer B (links 2, 3) or one of A's links.
enum Alvo { Raiz = -3, EmpresaA = -2, EmpresaB = -1, Vinc0 = 0, Vinc1, Vinc2, Vinc3 };

struct CasoEstado {
    const char* nome;
    Comando comando;
    int alvo;
    std::vector<int> depois; // A's four links, then B's two
    bool naoModificavel;     // the "cannot be changed" box is shown
};

const CasoEstado kCasos[] = {
    // Marking validates and marks open links; closed and processed links never move.
    {"marcar raiz", Comando::Marcar, Raiz, {1, 1, 2, 3, 2, 3}, false},
    {"marcar empresa A", Comando::Marcar, EmpresaA, {1, 1, 2, 3, 2, 3}, false},
    {"marcar empresa fechada", Comando::Marcar, EmpresaB, {0, 1, 2, 3, 2, 3}, true},
    {"marcar vinculo 0", Comando::Marcar, Vinc0, {1, 1, 2, 3, 2, 3}, false},
    {"marcar vinculo 1", Comando::Marcar, Vinc1, {0, 1, 2, 3, 2, 3}, false},
    {"marcar vinculo 2", Comando::Marcar, Vinc2, {0, 1, 2, 3, 2, 3}, true},
    {"marcar vinculo 3", Comando::Marcar, Vinc3, {0, 1, 2, 3, 2, 3}, true},
    // Unmarking only ever takes marked links back to 0.
    {"desmarcar raiz", Comando::Desmarcar, Raiz, {0, 0, 2, 3, 2, 3}, false},
    {"desmarcar empresa A", Comando::Desmarcar, EmpresaA, {0, 0, 2, 3, 2, 3}, false},
    {"desmarcar empresa fechada", Comando::Desmarcar, EmpresaB, {0, 1, 2, 3, 2, 3}, true},
    {"desmarcar vinculo 0", Comando::Desmarcar, Vinc0, {0, 1, 2, 3, 2, 3}, false},
    {"desmarcar vinculo 1", Comando::Desmarcar, Vinc1, {0, 0, 2, 3, 2, 3}, false},
    {"desmarcar vinculo 2", Comando::Desmarcar, Vinc2, {0, 1, 2, 3, 2, 3}, true},
    {"desmarcar vinculo 3", Comando::Desmarcar, Vinc3, {0, 1, 2, 3, 2, 3}, true},
    // Withdrawing reopens closed and processed links and leaves the others as they are.
    {"retirar raiz", Comando::Retirar, Raiz, {0, 1, 0, 0, 0, 0}, false},
    {"retirar empresa A", Comando::Retirar, EmpresaA, {0, 1, 0, 0, 2, 3}, false},
    {"retirar empresa fechada", Comando::Retirar, EmpresaB, {0, 1, 2, 3, 0, 0}, false},
    {"retirar vinculo 0", Comando::Retirar, Vinc0, {0, 1, 2, 3, 2, 3}, false},
    {"retirar vinculo 1", Comando::Retirar, Vinc1, {0, 1, 2, 3, 2, 3}, false},
    {"retirar vinculo 2", Comando::Retirar, Vinc2, {0, 1, 0, 3, 2, 3}, false},
    {"retirar vinculo 3", Comando::Retirar, Vinc3, {0, 1, 2, 0, 2, 3}, false},
};

TEST_F(Participacao, TabelaDeEstados)
{
    for (const CasoEstado& caso : kCasos) {
        SCOPED_TRACE(caso.nome);
        // Every case starts from the same states.
        const int iniciais[] = {0, 1, 2, 3};
        for (int k = 0; k < 4; ++k)
            sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = " +
                                std::to_string(iniciais[k]) + " WHERE " + ChaveSql(cadastro.a[k]));
        for (int k = 0; k < 2; ++k)
            sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = " +
                                std::to_string(2 + k) + " WHERE " + ChaveSql(cadastro.b[k]));
        apresentador.mostrados.clear();
        Carregar();
        const int indice = caso.alvo == Raiz       ? 0
                           : caso.alvo == EmpresaA ? arvore->LocalizarEmpresa(kEmpresaA)
                           : caso.alvo == EmpresaB ? arvore->LocalizarEmpresa(kEmpresaB)
                                                   : Vinculo(cadastro.a[caso.alvo]);
        ASSERT_GE(indice, 0);
        switch (caso.comando) {
        case Comando::Marcar: part->Marcar(indice); break;
        case Comando::Desmarcar: part->Desmarcar(indice); break;
        case Comando::Retirar: part->RetirarFechamento(indice); break;
        }
        EXPECT_EQ(Gravados(), caso.depois);
        EXPECT_EQ(NoRegistro(), caso.depois);
        EXPECT_EQ(apresentador.Mostrou(TParticipacao::kTextoNaoModificavel), caso.naoModificavel);

        // The employers' pictures follow their links.
        for (int64_t insc : {kEmpresaA, kEmpresaB}) {
            const int e = arvore->LocalizarEmpresa(insc);
            const int estado = arvore->EstadoParticipacaoEmpresa(1, insc);
            EXPECT_EQ(arvore->Registro(e).Estado, estado) << insc;
            EXPECT_EQ(arvore->NoDoRegistro(e).Imagem, ImagemEmpresa(estado)) << insc;
        }
        for (const auto* g : {&cadastro.a, &cadastro.b})
            for (const auto& v : *g) {
                const int i = Vinculo(v);
                EXPECT_EQ(arvore->NoDoRegistro(i).Imagem, ImagemVinculo(arvore->Registro(i).Estado));
            }
    }
}

TEST_F(Participacao, SemColetaAbertaNadaEValidadoNemMarcado)
{
    sessao->ExecutarSQL("DELETE FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
    Carregar();
    for (int indice : {0, arvore->LocalizarEmpresa(kEmpresaA), Vinculo(cadastro.a[0])}) {
        apresentador.mostrados.clear();
        EXPECT_FALSE(part->Marcar(indice));
        ASSERT_EQ(apresentador.mostrados.size(), 1u);
        EXPECT_TRUE(apresentador.Mostrou("FE0062"));
    }
    EXPECT_EQ(Gravados(), (std::vector<int>{0, 1, 2, 3, 2, 3}));
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG18_INCONSISTENCIA_ARQUIVO"), 0);
}

// One link that passes every check, then one field changed per row.
struct CasoValidacao {
    const char* nome;
    const char* sql;   // run after the link is written; "%" is its key
    const char* codigo;
};

TEST_F(Participacao, ValidacaoDoVinculoRegistraCadaFalhaComSeuCodigo)
{
    const CasoValidacao casos[] = {
        {"valido", "", ""},
        {"sem remuneracao",
         "UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_REMUNERACAO_ANTERIOR_RSCSO = 0, VR_REMUNERACAO_RESCISAO = 0 "
         "WHERE %",
         "0225"},
        {"pagamento antes da admissao",
         "UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET DT_ADMISSAO_VINCULO = '2026-12-20' WHERE %", "0141"},
        {"saldo gravado 16 dias antes",
         "INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
         "DT_ADMISSAO_VINCULO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, VR_SALDO_RESCISORIO, "
         "DT_GRAVACAO_ARQUIVO) SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, 9, "
         "0, 1, 10, '2026-11-28' FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE %",
         "0142"},
        {"saldo gravado 15 dias antes",
         "INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
         "DT_ADMISSAO_VINCULO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, VR_SALDO_RESCISORIO, "
         "DT_GRAVACAO_ARQUIVO) SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, 9, "
         "0, 1, 10, '2026-11-29' FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE %",
         ""},
        {"saldo com pendencia de PIS",
         "INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
         "DT_ADMISSAO_VINCULO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, VR_SALDO_RESCISORIO, "
         "DT_GRAVACAO_ARQUIVO) SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, 9, "
         "0, 2, 500, '2026-12-10' FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE %",
         "0454"},
        {"movimentacao 31 dias depois",
         "UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET DT_MOVIMENTACAO_VINCULO = '2027-01-14' WHERE %", "0223"},
        {"movimentacao 30 dias depois",
         "UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET DT_MOVIMENTACAO_VINCULO = '2027-01-13' WHERE %", ""},
        {"dissidio depois do pagamento",
         "UPDATE SFGTBG06_INFORMACAO_RESCISAO SET DT_DISSIDIO = '2026-12-15' WHERE %", "0420"},
        {"alteracao de nome pendente",
         "INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
         "DT_ADMISSAO_VINCULO, NO_EMPREGADO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, "
         "VR_SALDO_RESCISORIO, DT_GRAVACAO_ARQUIVO) SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
         "DT_ADMISSAO_VINCULO, 'OUTRO NOME', 7, 0, 1, 0, '2026-12-10' FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE %;"
         "INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
         "DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, IC_CONFIRMACAO, NU_EMPREGADO_QUELD_ALT_CDSTL) "
         "SELECT NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, DT_ADMISSAO_VINCULO, 406, 'OUTRO NOME', 'N', 7 "
         "FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE %",
         "0139"},
    };
    int64_t pis = 14000000000;
    for (const auto& caso : casos) {
        SCOPED_TRACE(caso.nome);
        CriarEstabelecimento(*sessao, 1, 19131243000197 + 0, "ZETA LTDA", "E");
        VinculoTeste v;
        v.inscricao = 19131243000197;
        v.pis = ++pis;
        v.nome = "GABRIEL TESTE";
        CriarVinculo(*sessao, v);
        std::string sql = caso.sql;
        for (size_t p; (p = sql.find('%')) != std::string::npos;)
            sql.replace(p, 1, ChaveSql(v));
        if (sql.find("DT_ADMISSAO_VINCULO = '2026-12-20'") != std::string::npos) {
            sessao->ExecutarSQL("DELETE FROM SFGTBG06_INFORMACAO_RESCISAO WHERE " + ChaveSql(v));
            sessao->ExecutarSQL(sql);
            v.admissao = CodificarData(2026, 12, 20);
            sessao->ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                                "NU_CATEGORIA, DT_ADMISSAO_VINCULO, VR_REMUNERACAO_RESCISAO, IC_ORIGEM_SALDO_RESCISORIO) "
                                "VALUES (1, 19131243000197, " + std::to_string(v.pis) + ", 1, '2026-12-20', 100, 'N')");
        } else {
            for (size_t ini = 0; ini < sql.size();) {
                const size_t fim = sql.find(';', ini);
                sessao->ExecutarSQL(sql.substr(ini, fim == std::string::npos ? std::string::npos : fim - ini));
                ini = fim == std::string::npos ? sql.size() : fim + 1;
            }
        }
        Carregar();
        const int empresa = arvore->LocalizarEmpresa(v.inscricao);
        apresentador.respostas = {mrNo}; // do not open the report
        part->Marcar(empresa);
        const std::string onde = "NU_ARQUIVO = 3 AND CO_PIS_INCONSISTENCIA = '" + std::to_string(v.pis) + "'";
        if (*caso.codigo) {
            EXPECT_EQ(EstadoGravado(*sessao, v), 0);
            EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG18_INCONSISTENCIA_ARQUIVO",
                                   onde + " AND NU_MENSAGEM = " + std::to_string(std::stoi(caso.codigo))),
                      1);
            EXPECT_TRUE(apresentador.Mostrou("FE0224"));
            EXPECT_TRUE(apresentador.Mostrou("FE0400"));
        } else {
            EXPECT_EQ(EstadoGravado(*sessao, v), 1);
            EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG18_INCONSISTENCIA_ARQUIVO", onde), 0);
        }
        // One link at a time: the next case starts without this employer.
        sessao->ExecutarSQL("DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL WHERE NU_INSCRICAO = 19131243000197");
        sessao->ExecutarSQL("DELETE FROM SFGTBG10_CONTA_EMPREGADO_FGTS WHERE NU_INSCRICAO = 19131243000197");
        sessao->ExecutarSQL("DELETE FROM SFGTBG06_INFORMACAO_RESCISAO WHERE NU_INSCRICAO = 19131243000197");
        sessao->ExecutarSQL("DELETE FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE NU_INSCRICAO = 19131243000197");
        sessao->ExecutarSQL("DELETE FROM SFGTBG02_EMPRESA WHERE NU_INSCRICAO = 19131243000197");
    }
}

TEST_F(Participacao, UmVinculoMostraAPrimeiraFalhaENaoMuda)
{
    sessao->ExecutarSQL("UPDATE SFGTBG06_INFORMACAO_RESCISAO SET VR_REMUNERACAO_ANTERIOR_RSCSO = 0, "
                        "VR_REMUNERACAO_RESCISAO = 0, DT_DISSIDIO = '2026-12-20' WHERE " + ChaveSql(cadastro.a[0]));
    Carregar();
    EXPECT_FALSE(part->Marcar(Vinculo(cadastro.a[0])));
    EXPECT_EQ(apresentador.Textos().size(), 1u);
    EXPECT_TRUE(apresentador.Mostrou("FE0225"));
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[0]), 0);
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG18_INCONSISTENCIA_ARQUIVO"), 0);
}

// The registration validation of a later module, seen through its interface.
class ValidacaoFixa : public IValidacaoCadastros {
public:
    std::string codigo;
    int chamadas = 0;
    std::string ValidarCadastros(TVinculo&) override
    {
        ++chamadas;
        return codigo;
    }
};

TEST_F(Participacao, VinculoInconsistentePassaPelaValidacaoDoCadastro)
{
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_VALIDACAO_VINCULO = 'S' WHERE " +
                        ChaveSql(cadastro.a[0]));
    Carregar();
    ValidacaoFixa validacao;
    validacao.codigo = "0021";
    part->Validacao = &validacao;
    apresentador.respostas = {mrNo};
    part->Marcar(arvore->LocalizarEmpresa(kEmpresaA));
    EXPECT_EQ(validacao.chamadas, 1); // only the flagged link is validated again
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[0]), 0);
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG18_INCONSISTENCIA_ARQUIVO", "NU_MENSAGEM = 21"), 1);

    validacao.codigo.clear();
    apresentador.mostrados.clear();
    part->Marcar(arvore->LocalizarEmpresa(kEmpresaA));
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[0]), 1);
    // A new marking starts the closing inconsistencies afresh.
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG18_INCONSISTENCIA_ARQUIVO"), 0);
}

TEST_F(Participacao, AvisosDeContasAntesDeMarcar)
{
    // Link 0 of A: no account at the bank (situation 3); a new link of A with an account whose
    // PIS has a pending name and a balance that differs from the accounts' sum.
    CriarConta(*sessao, cadastro.a[0], 0, "ANA PAULA SOUZA", 0, 3, 0);
    VinculoTeste p;
    p.pis = 12000000009;
    p.nome = "HELENA PIRES";
    CriarVinculo(*sessao, p);
    CriarConta(*sessao, p, 77, "HELENA P", 300, 0, 2);
    Carregar();

    // One link: No cancels the marking.
    EXPECT_EQ(part->VerificarContas(Vinculo(cadastro.a[0]), ContasVinculo), "0418");
    EXPECT_EQ(part->VerificarContas(Vinculo(p), ContasVinculo), "0435");
    apresentador.respostas = {mrNo};
    EXPECT_FALSE(part->Marcar(Vinculo(cadastro.a[0])));
    EXPECT_TRUE(apresentador.Mostrou("FE0418"));
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[0]), 0);
    apresentador.respostas = {mrNo};
    EXPECT_FALSE(part->Marcar(Vinculo(p)));
    EXPECT_EQ(EstadoGravado(*sessao, p), 0);

    // The employer: No leaves out only the link without an account.
    const int a = arvore->LocalizarEmpresa(kEmpresaA);
    EXPECT_EQ(part->VerificarContas(a, ContasEmpresa), "0417");
    EXPECT_EQ(part->VerificarContas(0, ContasTodos), "0416");
    apresentador.respostas = {mrNo, mrNo};
    part->Marcar(a);
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[0]), 0);
    // HELENA fails 0454 (balance differs while a PIS is pending) when marked with her employer.
    EXPECT_EQ(EstadoGravado(*sessao, p), 0);
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG18_INCONSISTENCIA_ARQUIVO", "NU_MENSAGEM = 454"), 1);
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[1]), 1);

    // Yes includes it.
    apresentador.respostas = {mrYes, mrNo};
    part->Marcar(a);
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[0]), 1);
}

// Records what the complement module was asked and which links were open at that moment.
class ComplementosEspiao : public IComplementosSaldo {
public:
    explicit ComplementosEspiao(TDBUtils& s) : s_(s) {}
    std::vector<std::string> chamadas;
    int64_t abertosNoRecalculo = -1;
    bool falhar = false;
    void RecalcularComplementosAbertos(int tipo, int64_t pis, int64_t inscricao) override
    {
        chamadas.push_back("recalcular " + std::to_string(tipo) + " " + std::to_string(pis) + " " +
                           std::to_string(inscricao));
        abertosNoRecalculo = ContarLinhas(s_, "SFGTBG04_VINCULO_EMPREGATICIO", "IC_ESTADO_MOVIMENTO IN (0, 1)");
        if (falhar)
            throw EBancoDados("lock conflict on no wait transaction");
    }
    void AtualizarDepositosRescisao(int tipo, int categoria, TDateTime, int64_t pis, int64_t inscricao) override
    {
        chamadas.push_back("depositos " + std::to_string(tipo) + " " + std::to_string(categoria) + " " +
                           std::to_string(pis) + " " + std::to_string(inscricao));
    }

private:
    TDBUtils& s_;
};

TEST_F(Participacao, RetirarNaRaizRecalculaComplementosDosVinculosReabertos)
{
    Carregar();
    ComplementosEspiao espiao(*sessao);
    part->Complementos = &espiao;
    EXPECT_TRUE(part->RetirarFechamento(0));
    EXPECT_EQ(espiao.abertosNoRecalculo, 6); // every link is open when the complements are recomputed
    EXPECT_EQ(espiao.chamadas, (std::vector<std::string>{"recalcular -1 -1 -1", "depositos -1 -1 -1 -1"}));

    // The same order for one employer and one link.
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2 WHERE " +
                        ChaveSql(cadastro.b[0]));
    Carregar();
    part->Complementos = &espiao;
    espiao.chamadas.clear();
    EXPECT_TRUE(part->RetirarFechamento(Vinculo(cadastro.b[0])));
    EXPECT_EQ(espiao.abertosNoRecalculo, 6);
    EXPECT_EQ(espiao.chamadas[0], "recalcular 1 " + std::to_string(cadastro.b[0].pis) + " " + std::to_string(kEmpresaB));
}

TEST_F(Participacao, RetirarLimpaCalculoEAlteracoesDoAlcance)
{
    CriarConta(*sessao, cadastro.a[2], 5, "CARLA D", 0, 1, 2);
    CriarAlteracao(*sessao, cadastro.a[2], 5, "N", "CARLA D");
    CriarConta(*sessao, cadastro.b[0], 6, "EDU MELO", 0, 1, 2);
    CriarAlteracao(*sessao, cadastro.b[0], 6, "N", "EDU MELO");
    Carregar();
    ASSERT_GE(arvore->LocalizarVinculo(1, 1, NoAlteracao, cadastro.a[2].admissao, cadastro.a[2].pis, kEmpresaA), 0);

    apresentador.respostas = {mrNo};
    EXPECT_FALSE(part->RetirarFechamento(Vinculo(cadastro.a[2])));
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[2]), 2);

    EXPECT_TRUE(part->RetirarFechamento(Vinculo(cadastro.a[2])));
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[2]), 0);
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG06_INFORMACAO_RESCISAO",
                           ChaveSql(cadastro.a[2]) + " AND VR_DEPOSITO_RESCISAO IS NULL"),
              1);
    // The processed link of the same employer keeps its calculation.
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG06_INFORMACAO_RESCISAO",
                           ChaveSql(cadastro.a[3]) + " AND VR_DEPOSITO_RESCISAO IS NOT NULL"),
              1);
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG05_ALTERACAO_CADASTRAL", ChaveSql(cadastro.a[2])), 0);
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG05_ALTERACAO_CADASTRAL", ChaveSql(cadastro.b[0])), 1);
    EXPECT_EQ(arvore->LocalizarVinculo(1, 1, NoAlteracao, cadastro.a[2].admissao, cadastro.a[2].pis, kEmpresaA), -1);
    EXPECT_GE(arvore->LocalizarVinculo(1, 1, NoAlteracao, cadastro.b[0].admissao, cadastro.b[0].pis, kEmpresaB), 0);
    EXPECT_EQ(arvore->NoDoRegistro(arvore->LocalizarEmpresa(kEmpresaA)).Imagem, imgEmpresaMarcada);
}

TEST_F(Participacao, RetiradaQueFalhaDesfazTudoEAArvoreMostraOBanco)
{
    Carregar();
    ComplementosEspiao espiao(*sessao);
    espiao.falhar = true;
    part->Complementos = &espiao;
    const auto antes = Gravados();
    EXPECT_THROW(part->RetirarFechamento(0), EBancoDados);
    EXPECT_EQ(Gravados(), antes);
    EXPECT_EQ(NoRegistro(), antes);
    EXPECT_EQ(arvore->NoDoRegistro(arvore->LocalizarEmpresa(kEmpresaB)).Imagem, imgEmpresaFechada);
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG06_INFORMACAO_RESCISAO", "VR_DEPOSITO_RESCISAO IS NOT NULL"), 4);
    EXPECT_FALSE(sessao->EmTransacao());
}

TEST_F(Participacao, CadaLinhaDoRegistroPodeSerPercorridaEnquantoSeMarca)
{
    // A loop with its own index over the register while each step validates, looks up and marks:
    // nothing moves under it.
    Carregar();
    std::vector<int64_t> visitados;
    for (int i = 0; i < arvore->TotalNos(); ++i) {
        const TRecArvore e = arvore->Registro(i);
        if (!e.EhVinculo())
            continue;
        visitados.push_back(e.Pis);
        arvore->LocalizarEmpresa(kEmpresaB);
        if (e.Estado == 0)
            part->MarcarVinculo(i, true);
        EXPECT_EQ(arvore->Registro(i).Pis, e.Pis);
    }
    EXPECT_EQ(visitados.size(), 6u);
    EXPECT_EQ(EstadoGravado(*sessao, cadastro.a[0]), 1);
}

TEST_F(Participacao, AberturaDaColeta)
{
    Carregar();
    struct Caso {
        const char* nome;
        TDateTime data;
        const char* codigo;
    } casos[] = {
        {"invalida", DataInvalida, "0063"},
        {"vazia", NullDate, "FE0062"},
        {"sabado no periodo", CodificarData(2026, 12, 12), "0397"},
        {"fora do periodo", CodificarData(2027, 2, 1), "0201"},
        // A business day of the window whose indices are missing is refused aloud.
        {"dia util sem indices", CodificarData(2026, 12, 11), "0201"},
        {"valida", CodificarData(2026, 12, 15), ""},
    };
    sessao->ExecutarSQL("DELETE FROM SFGTBT18_INDICE_PRORATA WHERE DT_RECOLHIMENTO_PRORATA = '2026-12-11'");
    for (const auto& c : casos) {
        SCOPED_TRACE(c.nome);
        const TResultadoAbertura r = AbrirRecolhimento(*arvore, c.data, CodificarData(2026, 12, 1));
        EXPECT_EQ(r.Codigo, c.codigo);
        EXPECT_EQ(r.Aberta, std::string(c.codigo).empty());
        if (r.Codigo == "0201") {
            EXPECT_EQ(r.Argumento, "10/12/2026 à 09/01/2027");
        }
    }
    EXPECT_EQ(pagamento, CodificarData(2026, 12, 15));
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG01_ABERTURA_RECOLHIMENTO", "DT_PAGAMENTO = '2026-12-15'"), 1);

    arvore->RetirarAbertura();
    EXPECT_EQ(pagamento, NullDate);
    EXPECT_EQ(ContarLinhas(*sessao, "SFGTBG01_ABERTURA_RECOLHIMENTO"), 0);
}

} // namespace
} // namespace drav

namespace drav {
namespace {

using namespace teste;

TEST_F(Participacao, ModulosInstaladosRecalculamComplementosDosReabertosNaRaiz)
{
    // A closed link whose complement still carries a stale deposit.
    const VinculoTeste& v = cadastro.a[2];
    sessao->ExecutarSQL("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                        "DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, VR_REMUNERACAO, "
                        "VR_DEPOSITO) VALUES (1, " + std::to_string(v.inscricao) + ", " + std::to_string(v.pis) +
                        ", 1, '" + DataIso(v.admissao) + "', 1, 2020, 1, 1000, 0)");
    Carregar();
    TDateTime edital = CodificarData(2026, 12, 1);
    part->UsarModulosInstalados(edital);
    ASSERT_TRUE(part->RetirarFechamento(0));
    auto c = sessao->AbrirConsulta("SELECT VR_DEPOSITO FROM SFGTBG07_COMPLEMENTO_SALDO WHERE " + ChaveSql(v));
    const double deposito = c->Field(0).AsFloat();
    EXPECT_GE(deposito, 80.0); // 8 % of 1000, with interest
    auto r = sessao->AbrirConsulta("SELECT VR_DEPOSITO_CMPLO_SALDO FROM SFGTBG06_INFORMACAO_RESCISAO WHERE " +
                                   ChaveSql(v));
    EXPECT_DOUBLE_EQ(r->Field(0).AsFloat(), deposito);
}

TEST_F(Participacao, ModulosInstaladosValidamOCadastroDoVinculoInconsistente)
{
    const VinculoTeste& v = cadastro.a[0];
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_VALIDACAO_VINCULO = 'S', CO_CBO = NULL WHERE " +
                        ChaveSql(v));
    Carregar();
    TDateTime edital = CodificarData(2026, 12, 1);
    part->UsarModulosInstalados(edital);
    TValidacaoCadastrosBanco direta(*sessao);
    TVinculo vinculo(*sessao);
    ASSERT_TRUE(vinculo.BuscarVinculo(v.tipo, v.categoria, v.admissao, v.pis, v.inscricao));
    std::string esperado = direta.ValidarCadastros(vinculo);
    ASSERT_FALSE(esperado.empty());
    if (esperado.size() < 4)
        esperado = std::string(4 - esperado.size(), '0') + esperado;
    EXPECT_FALSE(part->Marcar(Vinculo(v)));
    EXPECT_TRUE(apresentador.Mostrou("FE" + esperado)) << (apresentador.Textos().empty() ? "" : apresentador.Textos()[0]);
    EXPECT_EQ(EstadoGravado(*sessao, v), 0);
}

} // namespace
} // namespace drav
