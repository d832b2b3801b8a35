// The worker frame's pages, pick lists and field locks. Loading, checking and saving are in
// FrameEmpregadoDados.cpp.
#include "ui/cadastro/FrameEmpregado.h"

#include "core/Mensagens.h"
#include "model/Empregado.h"
#include "model/Vinculo.h"
#include "ui/cadastro/CamposCadastro.h"
#include "ui/cadastro/FrameEmpregadoCampos.h"
#include "ui/comum/Combos.h"
#include "ui/comum/Teclado.h"

#include <QComboBox>
#include <QCompleter>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace drav {

using namespace trabalhador;

namespace {

// The one occupation of domestic workers, which the occupation list leaves out.
const char* const kCboDomestico = "005121";

QLabel* Rotulo(QWidget* pai, const char* texto) { return new QLabel(QString::fromUtf8(texto), pai); }

QComboBox* Combo(QWidget* pai, const char* nome)
{
    auto* c = new QComboBox(pai);
    c->setObjectName(nome);
    return c;
}

void Itens(QComboBox* c, std::initializer_list<std::pair<const char*, int>> itens)
{
    for (const auto& [texto, codigo] : itens)
        c->addItem(QString::fromUtf8(texto), codigo);
    c->setCurrentIndex(-1);
}

} // namespace

TfrmFuncionarios::TfrmFuncionarios(TDBUtils& sessao, TMensagens& mensagens, QWidget* parent)
    : TFramePadrao("Cadastro de Trabalhador", mensagens, parent), sessao_(sessao),
      trabalhador_(std::make_unique<TEmpregado>(sessao))
{
    setObjectName("frmFuncionarios");
    // The frame fills the worker itself; only the link's own relations are looked up.
    QWidget* c = Corpo();
    auto* raiz = new QVBoxLayout(c);
    raiz->setContentsMargins(0, 0, 0, 0);
    // The employer and the page tabs sit outside the fields, which are locked while browsing.
    lblEmpresa_ = new QLabel(this);
    lblEmpresa_->setObjectName("lblEmpresa");
    abas_ = new QTabBar(this);
    abas_->setObjectName("tabPaginas");
    abas_->setDrawBase(false);
    abas_->setExpanding(false);
    if (auto* l = qobject_cast<QVBoxLayout*>(layout())) {
        l->insertWidget(1, lblEmpresa_);
        l->insertWidget(2, abas_);
    }
    paginas_ = new QStackedWidget(c);
    paginas_->setObjectName("pgcTrabalhador");
    paginas_->setFrameShape(QFrame::StyledPanel);
    raiz->addWidget(paginas_, 1);
    auto* pTrab = new QWidget(paginas_);
    auto* pVinc = new QWidget(paginas_);
    auto* pResc = new QWidget(paginas_);
    for (auto [pagina, titulo] : {std::pair{pTrab, "&Trabalhador"}, std::pair{pVinc, "&Vínculo"},
                                  std::pair{pResc, "&Dados Rescisórios"}}) {
        paginas_->addWidget(pagina);
        abas_->addTab(QString::fromUtf8(titulo));
    }
    connect(abas_, &QTabBar::currentChanged, paginas_, &QStackedWidget::setCurrentIndex);
    MontarPaginaTrabalhador(pTrab);
    MontarPaginaVinculo(pVinc);
    MontarPaginaRescisao(pResc);

    btnOcorrencia_ = new QPushButton(QString::fromUtf8("&Ocorrência Saldo"), this);
    btnOcorrencia_->setObjectName("btnOcorrenciaSaldo");
    btnOcorrencia_->setEnabled(false);
    if (auto* linha = findChild<QWidget*>("pnlBotoes"))
        if (auto* l = qobject_cast<QHBoxLayout*>(linha->layout()))
            l->insertWidget(0, btnOcorrencia_);
    connect(btnOcorrencia_, &QPushButton::clicked, this, [this] {
        const TVinculo& v = trabalhador_->Vinculo();
        emit ocorrenciaSaldoSolicitada(v.TipoInscricao, v.Inscricao, QString::fromStdString(trabalhador_->Pis),
                                       v.Categoria, v.DataAdmissao);
    });

    TAvancoFoco::Instalar(c);
    LigarTravas();
}

TfrmFuncionarios::~TfrmFuncionarios() = default;

void TfrmFuncionarios::MontarPaginaTrabalhador(QWidget* p)
{
    edtPis_ = CampoDigitos(p, "edtPis", 11);
    edtNome_ = CampoNome(p, "edtNome", 70);
    edtCpf_ = CampoDigitos(p, "edtCpf", 11);
    cmbSexo_ = Combo(p, "cmbSexo");
    Itens(cmbSexo_, {{"1 - Masculino", 1}, {"2 - Feminino", 2}});
    cmbGrauInstrucao_ = Combo(p, "cmbGrauInstrucao");
    edtCtps_ = CampoDigitos(p, "edtCtps", 7);
    edtSerieCtps_ = CampoDigitos(p, "edtSerieCtps", 5);
    edtNascimento_ = CampoData(p, "edtNascimento");

    auto* g = new QGridLayout(p);
    g->addWidget(Rotulo(p, "PIS/PASEP:"), 0, 0);
    g->addWidget(edtPis_, 0, 1);
    g->addWidget(Rotulo(p, "CPF:"), 0, 2);
    g->addWidget(edtCpf_, 0, 3);
    g->addWidget(Rotulo(p, "Nome:"), 1, 0);
    g->addWidget(edtNome_, 1, 1, 1, 3);
    g->addWidget(Rotulo(p, "Sexo:"), 2, 0);
    g->addWidget(cmbSexo_, 2, 1);
    g->addWidget(Rotulo(p, "Data de Nascimento:"), 2, 2);
    g->addWidget(edtNascimento_, 2, 3);
    g->addWidget(Rotulo(p, "Grau de Instrução:"), 3, 0);
    g->addWidget(cmbGrauInstrucao_, 3, 1, 1, 3);
    g->addWidget(Rotulo(p, "CTPS:"), 4, 0);
    g->addWidget(edtCtps_, 4, 1);
    g->addWidget(Rotulo(p, "Série:"), 4, 2);
    g->addWidget(edtSerieCtps_, 4, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setRowStretch(5, 1);
    connect(edtPis_, &QLineEdit::editingFinished, this, &TfrmFuncionarios::edtPisExit);
}

void TfrmFuncionarios::MontarPaginaVinculo(QWidget* p)
{
    cmbCategoria_ = Combo(p, "cmbCategoria");
    edtAdmissao_ = CampoData(p, "edtAdmissao");
    edtOpcao_ = CampoData(p, "edtOpcao");
    // The occupation list is long: it is searched by typing the code.
    cmbCbo_ = Combo(p, "cmbCBO");
    cmbCbo_->setEditable(true);
    cmbCbo_->setInsertPolicy(QComboBox::NoInsert);
    cmbCbo_->lineEdit()->setMaxLength(6);
    cmbCbo_->lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), cmbCbo_));
    cmbCbo_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    cmbMovimentacao_ = Combo(p, "cmbMovimentacao");
    edtDataMovimentacao_ = CampoData(p, "edtDataMovimentacao");
    cmbSaque_ = Combo(p, "cmbSaque");
    cmbSaque_->installEventFilter(this);
    cmbAviso_ = Combo(p, "cmbAvisoPrevio");
    Itens(cmbAviso_, {{"1 - Trabalhado", 1}, {"2 - Indenizado", 2}, {"3 - Ausência/Dispensa", 3}});
    edtInicioAviso_ = CampoData(p, "edtInicioAviso");
    edtHoras_ = CampoDigitos(p, "edtHoras", 2);
    cmbReposicao_ = Combo(p, "cmbReposicaoVagas");
    cmbReposicao_->addItem("Sim", QStringLiteral("S"));
    cmbReposicao_->addItem(QString::fromUtf8("Não"), QStringLiteral("N"));
    cmbReposicao_->setCurrentIndex(-1);
    cmbTipoTomador_ = Combo(p, "cmbTipoTomador");
    Itens(cmbTipoTomador_, {{"", 0}, {"1 - CNPJ", 1}, {"2 - CEI", 2}});
    edtTomador_ = CampoDigitos(p, "edtInscricaoTomador", 14);
    edtBanco_ = CampoDigitos(p, "edtBanco", 3);
    edtAgencia_ = CampoDigitos(p, "edtAgencia", 4);
    edtConta_ = CampoDigitos(p, "edtConta", 13);

    auto* g = new QGridLayout(p);
    int l = 0;
    g->addWidget(Rotulo(p, "Categoria:"), l, 0);
    g->addWidget(cmbCategoria_, l++, 1, 1, 3);
    g->addWidget(Rotulo(p, "Data de Admissão:"), l, 0);
    g->addWidget(edtAdmissao_, l, 1);
    g->addWidget(Rotulo(p, "Data de Opção:"), l, 2);
    g->addWidget(edtOpcao_, l++, 3);
    g->addWidget(Rotulo(p, "CBO:"), l, 0);
    g->addWidget(cmbCbo_, l, 1);
    g->addWidget(Rotulo(p, "Horas Semanais:"), l, 2);
    g->addWidget(edtHoras_, l++, 3);
    g->addWidget(Rotulo(p, "Movimentação:"), l, 0);
    g->addWidget(cmbMovimentacao_, l++, 1, 1, 3);
    g->addWidget(Rotulo(p, "Data de Movimentação:"), l, 0);
    g->addWidget(edtDataMovimentacao_, l, 1);
    g->addWidget(Rotulo(p, "Reposição de Vaga:"), l, 2);
    g->addWidget(cmbReposicao_, l++, 3);
    g->addWidget(Rotulo(p, "Aviso Prévio:"), l, 0);
    g->addWidget(cmbAviso_, l, 1);
    g->addWidget(Rotulo(p, "Início do Aviso:"), l, 2);
    g->addWidget(edtInicioAviso_, l++, 3);
    g->addWidget(Rotulo(p, "Código de Saque:"), l, 0);
    g->addWidget(cmbSaque_, l++, 1, 1, 3);

    auto* tomador = new QGroupBox(QString::fromUtf8(" Tomador de Serviço "), p);
    auto* gt = new QGridLayout(tomador);
    gt->addWidget(Rotulo(tomador, "Tipo:"), 0, 0);
    gt->addWidget(cmbTipoTomador_, 0, 1);
    gt->addWidget(Rotulo(tomador, "Inscrição:"), 0, 2);
    gt->addWidget(edtTomador_, 0, 3);
    gt->setColumnStretch(3, 1);
    g->addWidget(tomador, l++, 0, 1, 4);

    auto* conta = new QGroupBox(QString::fromUtf8(" Conta Bancária do Trabalhador "), p);
    auto* gc = new QGridLayout(conta);
    gc->addWidget(Rotulo(conta, "Banco:"), 0, 0);
    gc->addWidget(edtBanco_, 0, 1);
    gc->addWidget(Rotulo(conta, "Agência:"), 0, 2);
    gc->addWidget(edtAgencia_, 0, 3);
    gc->addWidget(Rotulo(conta, "Conta:"), 0, 4);
    gc->addWidget(edtConta_, 0, 5);
    gc->setColumnStretch(5, 1);
    g->addWidget(conta, l++, 0, 1, 4);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setRowStretch(l, 1);
}

void TfrmFuncionarios::MontarPaginaRescisao(QWidget* p)
{
    edtRemuneracaoAnterior_ = CampoValor(p, "edtRemuneracaoAnterior");
    edtRemuneracaoRescisao_ = CampoValor(p, "edtRemuneracaoRescisao");
    edtValorAviso_ = CampoValor(p, "edtValorAvisoPrevio");
    edtDataDissidio_ = CampoData(p, "edtDataDissidio");
    edtValorDissidio_ = CampoValor(p, "edtValorDissidio");
    cmbPensao_ = Combo(p, "cmbPensao");
    cmbPensao_->addItem(QString::fromUtf8("Não existe"), QStringLiteral("N"));
    cmbPensao_->addItem("Percentual", QStringLiteral("P"));
    cmbPensao_->addItem("Valor", QStringLiteral("V"));
    cmbPensao_->setCurrentIndex(-1);
    edtValorPensao_ = CampoValor(p, "edtValorPensao");
    edtSaldoBanco_ = CampoValor(p, "edtSaldoBanco");
    edtSaldoBanco_->setReadOnly(true);
    edtSaldoBanco_->setFocusPolicy(Qt::NoFocus);
    edtSaldoEmpresa_ = CampoValor(p, "edtSaldoEmpresa");

    auto* g = new QGridLayout(p);
    int l = 0;
    auto par = [&](const char* rotulo, QWidget* campo) {
        g->addWidget(Rotulo(p, rotulo), l, 0);
        g->addWidget(campo, l++, 1);
    };
    par("Remuneração do Mês Anterior:", edtRemuneracaoAnterior_);
    par("Remuneração do Mês da Rescisão:", edtRemuneracaoRescisao_);
    par("Aviso Prévio Indenizado:", edtValorAviso_);
    par("Data do Dissídio:", edtDataDissidio_);
    par("Valor do Dissídio:", edtValorDissidio_);
    par("Pensão Alimentícia:", cmbPensao_);
    par("Percentual / Valor da Pensão:", edtValorPensao_);
    auto* saldo = new QGroupBox(QString::fromUtf8(" Saldo para Fins Rescisórios "), p);
    auto* gs = new QGridLayout(saldo);
    gs->addWidget(Rotulo(saldo, "Informado pela QUELD:"), 0, 0);
    gs->addWidget(edtSaldoBanco_, 0, 1);
    gs->addWidget(Rotulo(saldo, "Informado pela Empresa:"), 1, 0);
    gs->addWidget(edtSaldoEmpresa_, 1, 1);
    gs->setColumnStretch(2, 1);
    g->addWidget(saldo, l++, 0, 1, 3);
    g->setColumnStretch(2, 1);
    g->setRowStretch(l, 1);
}

void TfrmFuncionarios::PrepararCombos()
{
    if (combosProntos_)
        return;
    PreencherCombo(sessao_, cmbCategoria_,
                   "SELECT LPAD(NU_CATEGORIA, 2, '0') || ' - ' || DE_CATEGORIA, NU_CATEGORIA "
                   "FROM SFGTBT04_CATEGORIA_EMPREGADO ORDER BY 1");
    PreencherCombo(sessao_, cmbGrauInstrucao_,
                   "SELECT LPAD(NU_GRAU_INSTRUCAO, 2, '0') || ' - ' || DE_GRAU_INSTRUCAO, NU_GRAU_INSTRUCAO "
                   "FROM SFGTBT09_TIPO_GRAU_INSTRUCAO ORDER BY 1");
    PreencherCombo(sessao_, cmbCbo_,
                   "SELECT CO_CBO FROM SFGTBT05_OCUPACAO_NIVEL_4 WHERE CO_CBO <> '005121' ORDER BY 1");
    PreencherCombo(sessao_, cmbMovimentacao_,
                   "SELECT CO_MOVIMENTACAO || ' - ' || DE_MOVIMENTACAO FROM SFGTBT07_TIPO_MOVIMENTACAO ORDER BY 1");
    PreencherCombo(sessao_, cmbSaque_, " SELECT CO_SAQUE || '- ' ||DE_SAQUE FROM SFGTBT06_MOTIVO_SAQUE ORDER BY 1");
    for (QComboBox* c : {cmbCategoria_, cmbGrauInstrucao_, cmbCbo_, cmbMovimentacao_, cmbSaque_})
        c->setCurrentIndex(-1);
    cmbCbo_->setEditText(QString());
    combosProntos_ = true;
}

// --- locks ---------------------------------------------------------------------------------------

void TfrmFuncionarios::LigarTravas()
{
    connect(cmbCategoria_, &QComboBox::currentIndexChanged, this, &TfrmFuncionarios::CategoriaAlterada);
    connect(cmbAviso_, &QComboBox::currentIndexChanged, this, &TfrmFuncionarios::AvisoAlterado);
    connect(cmbPensao_, &QComboBox::currentIndexChanged, this, &TfrmFuncionarios::PensaoAlterada);
    connect(edtValorPensao_, &QLineEdit::editingFinished, this, &TfrmFuncionarios::ValorPensaoEditado);
}

void TfrmFuncionarios::CategoriaAlterada()
{
    const int categoria = NumeroEscolhido(cmbCategoria_, -1);
    // A director has no work card and is always on absent notice.
    const bool diretor = categoria == 5;
    if (diretor) {
        edtCtps_->clear();
        edtSerieCtps_->clear();
        EscolherNumero(cmbAviso_, 3);
    }
    edtCtps_->setEnabled(!diretor);
    edtSerieCtps_->setEnabled(!diretor);
    cmbAviso_->setEnabled(!diretor);
    // A domestic worker's occupation is fixed, and missing from the list the others choose from.
    const bool domestico = categoria == 6;
    if (domestico) {
        if (cmbCbo_->findText(kCboDomestico) < 0)
            cmbCbo_->addItem(kCboDomestico);
        cmbCbo_->setCurrentIndex(cmbCbo_->findText(kCboDomestico));
    } else if (cmbCbo_->currentText() == kCboDomestico) {
        cmbCbo_->setCurrentIndex(-1);
        cmbCbo_->setEditText(QString());
    }
    if (!domestico) {
        const int i = cmbCbo_->findText(kCboDomestico);
        if (i >= 0)
            cmbCbo_->removeItem(i);
    }
    cmbCbo_->setEnabled(!domestico);
    AvisoAlterado();
}

void TfrmFuncionarios::AvisoAlterado()
{
    const int aviso = NumeroEscolhido(cmbAviso_, 0);
    // Indemnified notice is paid and has no start; worked or absent notice has no pay.
    const bool indenizado = aviso == 2;
    if (indenizado)
        edtInicioAviso_->clear();
    edtInicioAviso_->setEnabled(!indenizado);
    if (aviso == 1 || aviso == 3)
        MostrarValor(edtValorAviso_, 0);
    edtValorAviso_->setEnabled(indenizado);
}

void TfrmFuncionarios::PensaoAlterada()
{
    const bool nenhuma = cmbPensao_->currentData().toString() == "N";
    if (nenhuma)
        MostrarValor(edtValorPensao_, 0);
    edtValorPensao_->setEnabled(cmbPensao_->currentIndex() >= 0 && !nenhuma);
    ValorPensaoEditado();
}

void TfrmFuncionarios::ValorPensaoEditado()
{
    if (cmbPensao_->currentData().toString() == "P" && LerValor(edtValorPensao_) > 100)
        MostrarValor(edtValorPensao_, 0);
}

bool TfrmFuncionarios::eventFilter(QObject* alvo, QEvent* evento)
{
    // Tab in the withdrawal code goes on to the rescission page instead of the next field.
    if (alvo == cmbSaque_ && evento->type() == QEvent::KeyPress) {
        auto* k = static_cast<QKeyEvent*>(evento);
        if (k->key() == Qt::Key_Tab && !(k->modifiers() & Qt::ShiftModifier)) {
            abas_->setCurrentIndex(2);
            edtRemuneracaoAnterior_->setFocus(Qt::TabFocusReason);
            return true;
        }
    }
    return TFramePadrao::eventFilter(alvo, evento);
}

QWidget* TfrmFuncionarios::Campo(CampoCadastro campo) const
{
    using C = CampoCadastro;
    switch (campo) {
    case C::Pis: return edtPis_;
    case C::Cpf: return edtCpf_;
    case C::Categoria: return cmbCategoria_;
    case C::Nome: return edtNome_;
    case C::Sexo: return cmbSexo_;
    case C::GrauInstrucao: return cmbGrauInstrucao_;
    case C::Cbo: return cmbCbo_;
    case C::Ctps: return edtCtps_;
    case C::SerieCtps: return edtSerieCtps_;
    case C::DataNascimento: return edtNascimento_;
    case C::DataAdmissao: return edtAdmissao_;
    case C::DataOpcao: return edtOpcao_;
    case C::DataMovimentacao: return edtDataMovimentacao_;
    case C::Movimentacao: return cmbMovimentacao_;
    case C::AvisoPrevio: return cmbAviso_;
    case C::DataInicioAviso: return edtInicioAviso_;
    case C::HorasSemanais: return edtHoras_;
    case C::ReposicaoVagas: return cmbReposicao_;
    case C::Saque: return cmbSaque_;
    case C::TipoTomador: return cmbTipoTomador_;
    case C::InscricaoTomador: return edtTomador_;
    case C::Banco: return edtBanco_;
    case C::Agencia: return edtAgencia_;
    case C::Conta: return edtConta_;
    case C::DataDissidio: return edtDataDissidio_;
    case C::ValorDissidio: return edtValorDissidio_;
    case C::RemuneracaoAnterior: return edtRemuneracaoAnterior_;
    case C::RemuneracaoRescisao: return edtRemuneracaoRescisao_;
    case C::ValorAvisoPrevio: return edtValorAviso_;
    case C::TipoPensao: return cmbPensao_;
    case C::ValorPensao: return edtValorPensao_;
    case C::Nenhum: break;
    }
    return nullptr;
}

} // namespace drav
