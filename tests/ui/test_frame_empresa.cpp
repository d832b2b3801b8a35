// The employer and responsible entry frames: the order of their checks, what they write, the
// take-over of the responsible's row, the delete confirmations, and the first-use wizard's
// "Cadastrar Responsável" way up to the main window.
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "kit/BancoTeste.h"
#include "model/Empresa.h"
#include "model/Responsavel.h"
#include "ui/cadastro/CamposCadastro.h"
#include "ui/cadastro/EntradaResponsavel.h"
#include "ui/cadastro/TfrmEmpresas.h"
#include "ui/cadastro/TfrmResponsavel.h"
#include "ui/entrada/TfrmEntrada.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

namespace drav {
namespace {

class ApresentadorRoteiro : public IApresentador {
public:
    std::vector<std::string> textos;
    int resposta = mrYes;
    int Mostrar(const DialogoMensagem& d) override
    {
        textos.push_back(d.texto);
        return (d.botoes & Botoes::Sim) ? resposta : mrOk;
    }
    void MostrarErroSistema(const std::string& texto, const std::string&) override { textos.push_back(texto); }
    // The code a shown message started with ("000035 - Confirma..." -> "000035").
    std::vector<std::string> Codigos() const
    {
        std::vector<std::string> c;
        for (const auto& t : textos)
            c.push_back(t.substr(0, t.find(" - ")));
        return c;
    }
};

// Saves a picture of a widget when DRAV_CAPTURAS names a folder.
void Capturar(QWidget& w, const char* nome)
{
    const QPixmap p = w.grab();
    EXPECT_FALSE(p.isNull());
    const QByteArray pasta = qgetenv("DRAV_CAPTURAS");
    if (!pasta.isEmpty())
        p.save(QString::fromUtf8(pasta) + "/" + nome + ".png");
}

void Escolher(QComboBox* c, const QString& texto)
{
    const int i = c->findText(texto, Qt::MatchStartsWith);
    ASSERT_GE(i, 0) << texto.toStdString();
    c->setCurrentIndex(i);
}

class FramesCadastro : public teste::BancoTeste {
protected:
    ApresentadorRoteiro ap;
    std::unique_ptr<TMensagens> msg;
    void SetUp() override
    {
        BancoTeste::SetUp();
        msg = std::make_unique<TMensagens>(sessao.get(), ap);
    }
    std::string Valor(const std::string& sql)
    {
        auto r = sessao->AbrirConsulta(sql);
        return r->IsEmpty() ? "<sem linha>" : r->Field(0).AsString();
    }

    void PreencherResponsavel(TfrmResponsavel& f)
    {
        Escolher(f.cmbTipoInscricao(), "CNPJ");
        f.edtInscricao()->setText("11222333000181");
        f.edtRazaoSocial()->clear();
        QTest::keyClicks(f.edtRazaoSocial(), "escritorio contabil");
        f.edtNomeContato()->setText("MARIA DA SILVA");
        f.edtDdd()->setText("11");
        f.edtTelefone()->setText("30001000");
        f.edtEmail()->setText("maria@escritorio.com.br");
        f.edtLogradouro()->setText("AVENIDA PAULISTA 1000");
        f.edtBairro()->setText("BELA VISTA");
        f.edtCep()->setText("01310100");
        f.edtLocalidade()->setText("SAO PAULO");
        Escolher(f.cmbUf(), "SP");
    }
    void PreencherEmpresa(TfrmEmpresas& f, const char* inscricao = "33444555000181")
    {
        Escolher(f.cmbTipoInscricao(), "CNPJ");
        f.edtInscricao()->setText(inscricao);
        f.edtRazaoSocial()->setText("BETA INDUSTRIA");
        f.edtLogradouro()->setText("RUA DAS FLORES 10");
        f.edtBairro()->setText("CENTRO");
        f.edtCep()->setText("30110010");
        f.edtLocalidade()->setText("BELO HORIZONTE");
        Escolher(f.cmbUf(), "MG");
        f.edtDdd()->setText("31");
        f.edtTelefone()->setText("32221234");
        f.cmbCnae()->setEditText("6920601");
        Escolher(f.cmbFpas(), "515");
        Escolher(f.cmbSimples(), "1 - ");
    }
};

TEST_F(FramesCadastro, ResponsavelValidaNaOrdemDoFormulario)
{
    struct Caso {
        const char* campo;
        std::function<void(TfrmResponsavel&)> estragar;
        std::string codigo;
    };
    const std::vector<Caso> casos = {
        {"tipo", [](TfrmResponsavel& f) { f.cmbTipoInscricao()->setCurrentIndex(-1); }, "000129"},
        {"inscricao", [](TfrmResponsavel& f) { f.edtInscricao()->setText("11222333000182"); }, "000021"},
        {"razao", [](TfrmResponsavel& f) { f.edtRazaoSocial()->setText("AAA"); }, "000177"},
        {"contato", [](TfrmResponsavel& f) { f.edtNomeContato()->clear(); }, "000097"},
        {"ddd", [](TfrmResponsavel& f) { f.edtDdd()->setText("10"); }, "000024"},
        {"telefone", [](TfrmResponsavel& f) { f.edtTelefone()->setText("123"); }, "000128"},
        {"email", [](TfrmResponsavel& f) { f.edtEmail()->setText("maria@@x.com"); }, "000065"},
        {"logradouro", [](TfrmResponsavel& f) { f.edtLogradouro()->clear(); }, "000096"},
        {"bairro", [](TfrmResponsavel& f) { f.edtBairro()->clear(); }, "000095"},
        {"cep", [](TfrmResponsavel& f) { f.edtCep()->setText("20000000"); }, "000101"},
        {"localidade", [](TfrmResponsavel& f) { f.edtLocalidade()->clear(); }, "000094"},
        {"uf", [](TfrmResponsavel& f) { f.cmbUf()->setCurrentIndex(-1); }, "000132"},
    };
    TfrmResponsavel f(*sessao, *msg);
    f.NovoCadastro();
    // Each broken field, with every later one broken too: only the first is reported.
    for (std::size_t i = 0; i < casos.size(); ++i) {
        PreencherResponsavel(f);
        for (std::size_t j = i; j < casos.size(); ++j)
            casos[j].estragar(f);
        ap.textos.clear();
        EXPECT_FALSE(f.Validar()) << casos[i].campo;
        EXPECT_EQ(ap.Codigos(), std::vector<std::string>{casos[i].codigo}) << casos[i].campo;
    }
    PreencherResponsavel(f);
    ap.textos.clear();
    EXPECT_TRUE(f.Validar());
    EXPECT_TRUE(ap.textos.empty());
}

TEST_F(FramesCadastro, ResponsavelNovoEAlterado)
{
    TfrmResponsavel f(*sessao, *msg);
    f.NovoCadastro();
    PreencherResponsavel(f);
    EXPECT_EQ(f.edtRazaoSocial()->text(), "ESCRITORIO CONTABIL"); // typed in lower case
    QTest::mouseClick(f.btnSalvar(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), (std::vector<std::string>{"000035", "000078"}));
    EXPECT_EQ(Valor("SELECT NO_RAZAO_SOCIAL || '|' || IC_ESTADO_EMPRESA || '|' || NU_CEP || '|' || NU_DDD FROM "
                    "SFGTBG02_EMPRESA"),
              "ESCRITORIO CONTABIL|R|1310100|11");
    EXPECT_EQ(ModoEdicao(), meConsulta);
    EXPECT_FALSE(f.btnSalvar()->isVisibleTo(&f));

    // Browsing shows the stored record; "Alterar" edits it.
    TfrmResponsavel g(*sessao, *msg);
    g.Carregar();
    EXPECT_EQ(g.edtCep()->text(), "01310-100");
    EXPECT_EQ(g.cmbTipoInscricao()->currentText(), "CNPJ");
    EXPECT_EQ(g.cmbUf()->currentText(), "SP");
    QTest::mouseClick(g.btnAlterar(), Qt::LeftButton);
    EXPECT_EQ(ModoEdicao(), meAlteracao);
    g.edtNomeContato()->setText("JOAO");
    ap.textos.clear();
    QTest::mouseClick(g.btnSalvar(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), (std::vector<std::string>{"000035", "000001"}));
    EXPECT_EQ(Valor("SELECT NO_CONTATO FROM SFGTBG02_EMPRESA"), "JOAO");

    // Saying No to the confirmation writes nothing.
    QTest::mouseClick(g.btnAlterar(), Qt::LeftButton);
    g.edtNomeContato()->setText("PEDRO");
    ap.resposta = mrNo;
    QTest::mouseClick(g.btnSalvar(), Qt::LeftButton);
    EXPECT_EQ(Valor("SELECT NO_CONTATO FROM SFGTBG02_EMPRESA"), "JOAO");
    EXPECT_TRUE(g.btnSalvar()->isVisibleTo(&g)); // still editing
}

TEST_F(FramesCadastro, EmpresaValidaNaOrdemDoFormulario)
{
    struct Caso {
        const char* campo;
        std::function<void(TfrmEmpresas&)> estragar;
        std::string codigo;
    };
    const std::vector<Caso> casos = {
        {"tipo", [](TfrmEmpresas& f) { f.cmbTipoInscricao()->setCurrentIndex(-1); }, "100129"},
        {"inscricao", [](TfrmEmpresas& f) { f.edtInscricao()->setText("33444555000182"); }, "100021"},
        {"razao", [](TfrmEmpresas& f) { f.edtRazaoSocial()->clear(); }, "100177"},
        {"logradouro", [](TfrmEmpresas& f) { f.edtLogradouro()->setText("RUA  X"); }, "100096"},
        {"bairro", [](TfrmEmpresas& f) { f.edtBairro()->clear(); }, "100095"},
        {"cep", [](TfrmEmpresas& f) { f.edtCep()->setText("1111111"); }, "100101"},
        {"localidade", [](TfrmEmpresas& f) { f.edtLocalidade()->clear(); }, "100094"},
        {"uf", [](TfrmEmpresas& f) { f.cmbUf()->setCurrentIndex(-1); }, "100132"},
        {"ddd", [](TfrmEmpresas& f) { f.edtDdd()->clear(); }, "100024"},
        {"telefone", [](TfrmEmpresas& f) { f.edtTelefone()->setText("0322123"); }, "100128"},
        {"cnae", [](TfrmEmpresas& f) { f.cmbCnae()->setEditText(""); }, "100019"},
        {"fpas", [](TfrmEmpresas& f) { f.cmbFpas()->setCurrentIndex(-1); }, "100070"},
        {"simples", [](TfrmEmpresas& f) { f.cmbSimples()->setCurrentIndex(-1); }, "100125"},
    };
    TfrmEmpresas f(*sessao, *msg);
    f.NovaEmpresa();
    for (std::size_t i = 0; i < casos.size(); ++i) {
        PreencherEmpresa(f);
        for (std::size_t j = i; j < casos.size(); ++j)
            casos[j].estragar(f);
        ap.textos.clear();
        EXPECT_FALSE(f.Validar()) << casos[i].campo;
        EXPECT_EQ(ap.Codigos(), std::vector<std::string>{casos[i].codigo}) << casos[i].campo;
    }
    // The table checks come after the presence checks.
    PreencherEmpresa(f);
    f.cmbCnae()->setEditText("1234567");
    ap.textos.clear();
    EXPECT_FALSE(f.Validar());
    EXPECT_EQ(ap.Codigos(), std::vector<std::string>{"100140"});
    PreencherEmpresa(f);
    Escolher(f.cmbFpas(), "868");
    ap.textos.clear();
    EXPECT_FALSE(f.Validar());
    EXPECT_EQ(ap.Codigos(), std::vector<std::string>{"100226"});
    PreencherEmpresa(f);
    Escolher(f.cmbFpas(), "604");
    Escolher(f.cmbSimples(), "4 - ");
    ap.textos.clear();
    EXPECT_FALSE(f.Validar());
    EXPECT_EQ(ap.Codigos(), std::vector<std::string>{"100126"});
}

TEST_F(FramesCadastro, EmpresaNovaSobreOResponsavelEExclusao)
{
    {
        TfrmResponsavel r(*sessao, *msg);
        r.NovoCadastro();
        PreencherResponsavel(r);
        ASSERT_TRUE(r.Validar());
        ASSERT_TRUE(r.Gravar());
    }
    TfrmEmpresas f(*sessao, *msg);
    f.NovaEmpresa();
    EXPECT_GT(f.cmbCnae()->count(), 1000);
    EXPECT_EQ(f.cmbCnae()->itemText(0).size(), 7);

    // Typing the responsible's inscription takes its data over; the employer data stays to fill.
    Escolher(f.cmbTipoInscricao(), "CNPJ");
    f.edtInscricao()->setText("11222333000181");
    QTest::keyClick(f.edtInscricao(), Qt::Key_Return);
    EXPECT_EQ(f.edtRazaoSocial()->text(), "ESCRITORIO CONTABIL");
    EXPECT_EQ(f.edtCep()->text(), "01310-100");
    EXPECT_EQ(f.cmbCnae()->currentText(), "");
    f.cmbCnae()->setEditText("6920601");
    Escolher(f.cmbFpas(), "515");
    Escolher(f.cmbSimples(), "1 - ");
    ap.textos.clear();
    QTest::mouseClick(f.btnSalvar(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), (std::vector<std::string>{"100035", "100078"}));
    EXPECT_EQ(Valor("SELECT IC_ESTADO_EMPRESA || '|' || NU_INSS FROM SFGTBG02_EMPRESA"), "A|515");

    // A second new employer on the same inscription is refused as soon as it is typed.
    f.NovaEmpresa();
    Escolher(f.cmbTipoInscricao(), "CNPJ");
    f.edtInscricao()->setText("11222333000181");
    ap.textos.clear();
    QTest::keyClick(f.edtInscricao(), Qt::Key_Return);
    EXPECT_EQ(ap.Codigos(), std::vector<std::string>{"100207"});
    EXPECT_TRUE(Digitos(f.edtInscricao()).empty());

    // A plain employer with one link: deleting asks "0002"; No keeps everything.
    PreencherEmpresa(f);
    ap.textos.clear();
    QTest::mouseClick(f.btnSalvar(), Qt::LeftButton);
    ASSERT_EQ(Valor("SELECT COUNT(*) FROM SFGTBG02_EMPRESA"), "2");
    sessao->ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NO_EMPREGADO) VALUES (12345678901, 'ANA')");
    sessao->ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                        "NU_CATEGORIA, DT_ADMISSAO_VINCULO) VALUES (1, 33444555000181, 12345678901, 1, '2020-01-02')");
    ASSERT_TRUE(f.CarregarEmpresa(1, 33444555000181));
    ap.textos.clear();
    ap.resposta = mrNo;
    QTest::mouseClick(f.btnExcluir(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), std::vector<std::string>{"100002"});
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM SFGTBG04_VINCULO_EMPREGATICIO"), "1");

    // Closed links change the question; Yes deletes employer, link and worker.
    sessao->ExecutarSQL("UPDATE SFGTBG04_VINCULO_EMPREGATICIO SET IC_ESTADO_MOVIMENTO = 2");
    ap.textos.clear();
    ap.resposta = mrYes;
    QTest::mouseClick(f.btnExcluir(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), (std::vector<std::string>{"100446", "100068"}));
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM SFGTBG04_VINCULO_EMPREGATICIO"), "0");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM SFGTBG03_EMPREGADO"), "0");
    EXPECT_EQ(Valor("SELECT COUNT(*) FROM SFGTBG02_EMPRESA"), "1");

    // The employer that is also the responsible, without links: "0036", and it stays as "R".
    ASSERT_TRUE(f.CarregarEmpresa(1, 11222333000181));
    ap.textos.clear();
    QTest::mouseClick(f.btnExcluir(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), (std::vector<std::string>{"100036", "100068"}));
    EXPECT_EQ(Valor("SELECT IC_ESTADO_EMPRESA || '|' || COALESCE(NU_INSS, 0) FROM SFGTBG02_EMPRESA"), "R|0");
}

TEST_F(FramesCadastro, AssistenteCadastraOResponsavelESegueParaAJanelaPrincipal)
{
    ServicosEntrada servicos;
    servicos.existeEmpresa = [this] { return ExisteEmpresa(*sessao); };
    LigarCadastroResponsavel(servicos, *sessao, *msg);
    TfrmEntrada entrada(*msg, servicos);
    entrada.show();
    entrada.rbCadastrar()->setChecked(true);
    QTest::mouseClick(entrada.btnAvancar(), Qt::LeftButton);
    auto* frame = entrada.findChild<TfrmResponsavel*>();
    ASSERT_NE(frame, nullptr);
    ASSERT_TRUE(frame->isVisible());
    EXPECT_EQ(ModoEdicao(), meInclusao);
    EXPECT_FALSE(frame->btnSalvar()->isVisible()); // the wizard's buttons drive it

    // An invalid entry keeps the wizard open.
    QTest::mouseClick(entrada.btnAvancar(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), std::vector<std::string>{"000129"});
    EXPECT_EQ(entrada.result(), QDialog::Rejected);

    PreencherResponsavel(*frame);
    Capturar(entrada, "assistente-responsavel");
    ap.textos.clear();
    QTest::mouseClick(entrada.btnAvancar(), Qt::LeftButton);
    EXPECT_EQ(ap.Codigos(), (std::vector<std::string>{"000035", "000078"}));
    EXPECT_EQ(entrada.result(), QDialog::Accepted);
    EXPECT_EQ(Valor("SELECT NO_RAZAO_SOCIAL || '|' || IC_ESTADO_EMPRESA || '|' || NO_CONTATO || '|' || "
                    "CO_ENDERECO_VIRTUAL_CONTATO FROM SFGTBG02_EMPRESA"),
              "ESCRITORIO CONTABIL|R|MARIA DA SILVA|maria@escritorio.com.br");

    // What start-up checks next: the database is no longer empty, so the main window follows.
    EXPECT_TRUE(ExisteEmpresa(*sessao));
}

} // namespace
} // namespace drav
