#include "ui/principal/TfrmAbreMovimento.h"

#include "core/Conversao.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "files/Arvore.h"
#include "files/Participacao.h"

#include <QCalendarWidget>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QTabWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace drav {

QString TextoVersaoFutura() { return QString::fromUtf8("Disponível em uma próxima versão do DRAV."); }

TfrmAbreMovimento::TfrmAbreMovimento(TArvore& arvore, TMensagens& mensagens, const TDateTime& dataEdital,
                                     QWidget* parent)
    : QFrame(parent), arvore_(arvore), mensagens_(mensagens), dataEdital_(dataEdital)
{
    setObjectName("frmAbreMovimento");
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(4, 4, 4, 4);
    auto* titulo = new QLabel("Abertura de Movimento", this);
    titulo->setObjectName("lblTitulo");
    titulo->setAlignment(Qt::AlignCenter);
    titulo->setStyleSheet("QLabel { font-weight: bold; padding: 4px; border: 1px solid #9fb7d0; "
                          "background: #eef4fa; }");
    raiz->addWidget(titulo);

    auto* paginas = new QTabWidget(this);
    auto* pagina = new QWidget(paginas);
    paginas->addTab(pagina, QString::fromUtf8("Informações Gerais"));
    raiz->addWidget(paginas, 1);

    edtData_ = new QLineEdit(pagina);
    edtData_->setObjectName("edtDataRecolhimento");
    edtData_->setInputMask("99/99/9999;_");
    edtData_->setFixedWidth(110);
    edtData_->setProperty("dravTipoCampo", "data");
    btnCalendario_ = new QToolButton(pagina);
    btnCalendario_->setObjectName("btnCalendario");
    btnCalendario_->setText("...");
    btnCalendario_->setToolTip("Seleciona a data");
    auto* linhaData = new QHBoxLayout;
    linhaData->addWidget(edtData_);
    linhaData->addWidget(btnCalendario_);
    linhaData->addStretch(1);
    lblPeriodo_ = new QLabel(pagina);
    lblPeriodo_->setObjectName("lblPeriodo");
    auto* form = new QFormLayout;
    form->addRow("Data de Recolhimento :", linhaData);
    form->addRow(QString::fromUtf8("Vigência dos índices :"), lblPeriodo_);

    auto* grupo = new QGroupBox(QString::fromUtf8(" Situação do Recolhimento "), pagina);
    lblSituacao_ = new QLabel(grupo);
    lblSituacao_->setObjectName("lblSituacao");
    lblSituacao_->setTextFormat(Qt::RichText);
    (new QVBoxLayout(grupo))->addWidget(lblSituacao_);

    auto* l = new QVBoxLayout(pagina);
    l->addLayout(form);
    l->addWidget(grupo);
    l->addStretch(1);

    btnNova_ = new QPushButton("&Nova Abertura", this);
    btnNova_->setObjectName("btnNovaAbertura");
    btnSimulacao_ = new QPushButton(QString::fromUtf8("&Simulação"), this);
    btnSimulacao_->setObjectName("btnSimulacao");
    btnFechamento_ = new QPushButton("Fec&hamento", this);
    btnFechamento_->setObjectName("btnFechamento");
    btnSalvar_ = new QPushButton("&Salvar", this);
    btnSalvar_->setObjectName("btnSalvar");
    btnCancelar_ = new QPushButton("&Cancelar", this);
    btnCancelar_->setObjectName("btnCancelar");
    // The simulation and the closing come with the rescission calculation and file.
    for (QPushButton* b : {btnSimulacao_, btnFechamento_}) {
        b->setEnabled(false);
        b->setToolTip(TextoVersaoFutura());
    }
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    for (QPushButton* b : {btnNova_, btnSimulacao_, btnFechamento_, btnSalvar_, btnCancelar_})
        botoes->addWidget(b);
    raiz->addLayout(botoes);

    connect(btnNova_, &QPushButton::clicked, this, &TfrmAbreMovimento::NovaAbertura);
    connect(btnSalvar_, &QPushButton::clicked, this, &TfrmAbreMovimento::Salvar);
    connect(btnCancelar_, &QPushButton::clicked, this, &TfrmAbreMovimento::Cancelar);
    connect(btnCalendario_, &QToolButton::clicked, this, &TfrmAbreMovimento::EscolherData);
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        if (editando_)
            Cancelar();
    });
    EntrarEdicao(false);
}

void TfrmAbreMovimento::Mostrar()
{
    const TDateTime data = arvore_.DataPagamento();
    edtData_->setText(data == NullDate ? QString() : QString::fromStdString(FormatarData(data)));
    const std::string periodo = TextoPeriodoProrata(dataEdital_, true);
    lblPeriodo_->setText(periodo.empty() ? QString::fromUtf8("sem tabela de índices instalada")
                                         : QString::fromStdString(periodo));
    const int marcados = arvore_.ContarPorEstado({1}, false);
    const int fechados = arvore_.ContarPorEstado({2}, false);
    const int processados = arvore_.ContarPorEstado({3}, false);
    const int abertos = arvore_.ContarPorEstado({0}, false);
    lblSituacao_->setText(QString::fromUtf8("<table cellspacing='4'>"
                                            "<tr><td>Recolhimento:</td><td><b>%1</b></td></tr>"
                                            "<tr><td>Trabalhadores marcados:</td><td><b>%2</b></td></tr>"
                                            "<tr><td>Não marcados:</td><td>%3</td></tr>"
                                            "<tr><td>Fechados:</td><td>%4</td></tr>"
                                            "<tr><td>Com guia processada:</td><td>%5</td></tr></table>")
                              .arg(data == NullDate ? QString::fromUtf8("não aberto") : QString("aberto"))
                              .arg(marcados)
                              .arg(abertos)
                              .arg(fechados)
                              .arg(processados));
}

void TfrmAbreMovimento::EntrarEdicao(bool editando)
{
    editando_ = editando;
    btnNova_->setVisible(!editando);
    btnSimulacao_->setVisible(!editando);
    btnFechamento_->setVisible(!editando);
    btnSalvar_->setVisible(editando);
    btnCancelar_->setVisible(editando);
    edtData_->setEnabled(editando);
    btnCalendario_->setEnabled(editando);
    if (editando)
        edtData_->setFocus();
    emit edicaoAlterada(editando);
}

void TfrmAbreMovimento::NovaAbertura()
{
    dataAnterior_ = arvore_.DataPagamento();
    EntrarEdicao(true);
}

void TfrmAbreMovimento::Salvar()
{
    const TDateTime data = StrToData(edtData_->text().toStdString());
    const TResultadoAbertura r = AbrirRecolhimento(arvore_, data, dataEdital_);
    if (!r.Aberta) {
        mensagens_.Mensagem(r.Codigo, r.Tipo, Botoes::OK, mbOK, r.Argumento);
        edtData_->setFocus();
        return;
    }
    EntrarEdicao(false);
    Mostrar();
    emit aberturaGravada();
}

void TfrmAbreMovimento::Cancelar()
{
    arvore_.DefinirDataPagamento(dataAnterior_);
    EntrarEdicao(false);
    Mostrar();
}

void TfrmAbreMovimento::EscolherData()
{
    QDialog d(this);
    d.setWindowTitle("Seleciona a data");
    auto* cal = new QCalendarWidget(&d);
    const TDateTime atual = StrToData(edtData_->text().toStdString());
    if (atual > 0) {
        const DataCivil c = DecodificarData(atual);
        cal->setSelectedDate(QDate(c.ano, c.mes, c.dia));
    }
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    auto* l = new QVBoxLayout(&d);
    l->addWidget(cal);
    l->addWidget(botoes);
    connect(botoes, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(botoes, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    connect(cal, &QCalendarWidget::activated, &d, &QDialog::accept);
    if (d.exec() == QDialog::Accepted)
        edtData_->setText(cal->selectedDate().toString("dd/MM/yyyy"));
}

} // namespace drav
