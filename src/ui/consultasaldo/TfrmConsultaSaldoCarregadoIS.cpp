#include "ui/consultasaldo/TfrmConsultaSaldoCarregadoIS.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "model/AlteracaoCadastral.h"
#include "model/ChaveVinculo.h"
#include "model/ContaEmpregado.h"
#include "model/Empresa.h"
#include "model/Vinculo.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cmath>

namespace drav {

namespace {

QString U(const std::string& s) { return QString::fromStdString(s); }

// What a column sorts by when its text would sort wrongly (amounts, dates, numbers).
constexpr int kChaveOrdem = Qt::UserRole + 1;
// Where each row keeps its raw values.
constexpr int kValor = Qt::UserRole;

class TLinha : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& outra) const override
    {
        const int c = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(c, kChaveOrdem), b = outra.data(c, kChaveOrdem);
        if (a.isValid() && b.isValid())
            return a.toDouble() < b.toDouble();
        return text(c).localeAwareCompare(outra.text(c)) < 0;
    }
};

// ",##0.00;0;": amounts with two decimals; a negative amount (never loaded, but not hidden
// either) shows as a whole number without sign.
QString TextoSaldo(double valor)
{
    if (valor < 0)
        return QString::number(static_cast<long long>(std::llround(-valor)));
    return U(FormatarValor(valor));
}

QString TextoInscricao(int tipo, int64_t numero)
{
    return tipo == 1 ? U(FormatarCNPJ(std::to_string(numero))) : U(std::to_string(numero));
}

QTreeWidget* NovaGrade(QWidget* pai, const QString& nome, const QStringList& colunas, int visiveis, int colunaNome)
{
    auto* g = new QTreeWidget(pai);
    g->setObjectName(nome);
    g->setRootIsDecorated(false);
    g->setUniformRowHeights(true);
    g->setAllColumnsShowFocus(true);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    g->setHeaderLabels(colunas);
    for (int c = visiveis; c < colunas.size(); ++c)
        g->setColumnHidden(c, true);
    // The name takes the spare width, so the amount stays next to it.
    g->header()->setStretchLastSection(false);
    g->header()->setSectionResizeMode(colunaNome, QHeaderView::Stretch);
    // Rows come in the query's order; a click on a title sorts by it, a second click reverses.
    g->header()->setSectionsClickable(true);
    g->header()->setSortIndicatorShown(true);
    g->header()->setSortIndicator(-1, Qt::AscendingOrder);
    QObject::connect(g->header(), &QHeaderView::sortIndicatorChanged, g,
                     [g](int coluna, Qt::SortOrder ordem) {
                         if (coluna >= 0)
                             g->sortItems(coluna, ordem);
                     });
    return g;
}

int64_t Int64De(const QTreeWidgetItem* linha, int coluna) { return linha->data(coluna, kValor).toLongLong(); }

} // namespace

TfrmConsultaSaldoCarregadoIS::TfrmConsultaSaldoCarregadoIS(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai)
    : QDialog(pai), sessao_(sessao), mensagens_(mensagens), empresa_(std::make_unique<TEmpresa>(sessao)),
      conta_(std::make_unique<TContaSaldoTrabalhador>(sessao))
{
    setObjectName("frmConsultaSaldoCarregadoIS");
    setWindowTitle(QString::fromUtf8("Consulta Saldo Rescisório"));
    setModal(true);
    conta_->CarregaRelacionados = true;

    pgcAbas_ = new QTabWidget(this);
    pgcAbas_->setObjectName("pgcAbas");
    auto* abaEmpresa = new QWidget(pgcAbas_);
    grdEmpresas_ = NovaGrade(abaEmpresa, "grdEmpresas",
                             {QString::fromUtf8("Inscrição"), QString::fromUtf8("Razão Social"),
                              QString::fromUtf8("Saldo Empresa"), "Tipo"},
                             ceTipo, ceRazaoSocial);
    (new QVBoxLayout(abaEmpresa))->addWidget(grdEmpresas_);
    auto* abaTrabalhador = new QWidget(pgcAbas_);
    grdContas_ = NovaGrade(abaTrabalhador, "grdTrabalhadores",
                           {"PIS/PASEP", "Nome", QString::fromUtf8("Admissão"), "Categoria",
                            QString::fromUtf8("Dt. Créd. Juros"), QString::fromUtf8("Saldo Rescisório"), "Conta",
                            QString::fromUtf8("Inscrição"), "Cat", "Tipo"},
                           ctConta, ctNome);
    (new QVBoxLayout(abaTrabalhador))->addWidget(grdContas_);
    pgcAbas_->addTab(abaEmpresa, "Empresa");
    pgcAbas_->addTab(abaTrabalhador, "Trabalhador");

    auto botao = [this](const QString& texto, const char* nome) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        return b;
    };
    btnExcluir_ = botao(QString::fromUtf8("Excl&uir"), "btnExcluir");
    btnLocalizar_ = botao(QString::fromUtf8("&Localizar"), "btnLocalizar");
    btnImprimir_ = botao(QString::fromUtf8("&Imprimir"), "btnImprimir");
    btnImprimir_->setEnabled(false);
    btnImprimir_->setToolTip(QString::fromUtf8("Disponível em uma próxima versão do DRAV."));
    btnFechar_ = botao(QString::fromUtf8("&Fechar"), "btnFechar");
    auto* botoes = new QHBoxLayout;
    botoes->addWidget(btnExcluir_);
    botoes->addWidget(btnLocalizar_);
    botoes->addWidget(btnImprimir_);
    botoes->addStretch();
    botoes->addWidget(btnFechar_);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pgcAbas_, 1);
    layout->addLayout(botoes);
    resize(760, 420);

    connect(btnExcluir_, &QPushButton::clicked, this, &TfrmConsultaSaldoCarregadoIS::btnExcluirClick);
    connect(btnLocalizar_, &QPushButton::clicked, this, &TfrmConsultaSaldoCarregadoIS::btnLocalizarClick);
    connect(btnFechar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pgcAbas_, &QTabWidget::currentChanged, this, &TfrmConsultaSaldoCarregadoIS::AbaAlterada);

    CarregarEmpresas();
}

TfrmConsultaSaldoCarregadoIS::~TfrmConsultaSaldoCarregadoIS() = default;

bool TfrmConsultaSaldoCarregadoIS::TemEmpresas() const { return grdEmpresas_->topLevelItemCount() > 0; }

void TfrmConsultaSaldoCarregadoIS::CarregarEmpresas()
{
    grdEmpresas_->clear();
    grdEmpresas_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    empresa_->ListarEmpresasComSaldo(0, true, 0, 0, "EMP.NO_RAZAO_SOCIAL");
    falhaLeitura_ = empresa_->CodigoMensagem == "0144";
    if (!falhaLeitura_) {
        for (empresa_->Primeiro(); !empresa_->Eof(); empresa_->Proximo()) {
            const int tipo = empresa_->TipoInscricao;
            const int64_t numero = StrToInteiro64(empresa_->Inscricao);
            auto* l = new TLinha(grdEmpresas_);
            l->setText(ceInscricao, TextoInscricao(tipo, numero));
            l->setData(ceInscricao, kValor, static_cast<qlonglong>(numero));
            l->setText(ceRazaoSocial, U(empresa_->RazaoSocial).toUpper());
            l->setText(ceSaldo, TextoSaldo(empresa_->SaldoEmpresa));
            l->setData(ceSaldo, kChaveOrdem, empresa_->SaldoEmpresa);
            l->setTextAlignment(ceSaldo, Qt::AlignRight | Qt::AlignVCenter);
            l->setText(ceTipo, QString::number(tipo));
            l->setData(ceTipo, kValor, tipo);
        }
    }
    for (int c = 0; c < ceTipo; ++c)
        grdEmpresas_->resizeColumnToContents(c);
    if (TemEmpresas())
        grdEmpresas_->setCurrentItem(grdEmpresas_->topLevelItem(0));
}

bool TfrmConsultaSaldoCarregadoIS::CarregarContas()
{
    grdContas_->clear();
    grdContas_->header()->setSortIndicator(-1, Qt::AscendingOrder);
    const QTreeWidgetItem* empresa = grdEmpresas_->currentItem();
    if (!empresa)
        return false;
    conta_->TipoInscricao = empresa->data(ceTipo, kValor).toInt();
    conta_->Inscricao = Int64De(empresa, ceInscricao);
    if (conta_->ConsultarPorEmpresa("CTAEPR.NO_EMPREGADO, CTAEPR.NU_PIS")) {
        for (conta_->Primeiro(); !conta_->Eof(); conta_->Proximo()) {
            auto* l = new TLinha(grdContas_);
            l->setText(ctPis, U(FormatarPIS(std::to_string(conta_->Pis))));
            l->setData(ctPis, kValor, static_cast<qlonglong>(conta_->Pis));
            l->setData(ctPis, kChaveOrdem, static_cast<double>(conta_->Pis));
            l->setText(ctNome, U(conta_->Campo("NO_EMPREGADO").AsString()));
            l->setText(ctAdmissao, U(DataParaTexto(conta_->DataAdmissao)));
            l->setData(ctAdmissao, kValor, conta_->DataAdmissao);
            l->setData(ctAdmissao, kChaveOrdem, conta_->DataAdmissao);
            l->setText(ctCategoria, U(CompletarZeros(std::to_string(conta_->Categoria), 2)));
            const bool comJuros = conta_->DataCreditoJuros != NullDate && conta_->DataCreditoJuros > 0;
            l->setText(ctDataJuros, comJuros ? U(DataParaTexto(conta_->DataCreditoJuros)) : QString());
            l->setData(ctDataJuros, kChaveOrdem, comJuros ? conta_->DataCreditoJuros : 0.0);
            l->setText(ctSaldo, TextoSaldo(conta_->SaldoRescisorio));
            l->setData(ctSaldo, kValor, conta_->SaldoRescisorio);
            l->setData(ctSaldo, kChaveOrdem, conta_->SaldoRescisorio);
            l->setTextAlignment(ctSaldo, Qt::AlignRight | Qt::AlignVCenter);
            l->setText(ctConta, QString::number(conta_->NumeroEmpregadoQueld));
            l->setData(ctConta, kValor, static_cast<qlonglong>(conta_->NumeroEmpregadoQueld));
            l->setText(ctInscricao, QString::number(conta_->Inscricao));
            l->setData(ctInscricao, kValor, static_cast<qlonglong>(conta_->Inscricao));
            l->setText(ctCategoriaNum, QString::number(conta_->Categoria));
            l->setData(ctCategoriaNum, kValor, conta_->Categoria);
            l->setText(ctTipo, QString::number(conta_->TipoInscricao));
            l->setData(ctTipo, kValor, conta_->TipoInscricao);
        }
    }
    for (int c = 0; c < ctConta; ++c)
        grdContas_->resizeColumnToContents(c);
    if (grdContas_->topLevelItemCount() > 0)
        grdContas_->setCurrentItem(grdContas_->topLevelItem(0));
    return grdContas_->topLevelItemCount() > 0;
}

void TfrmConsultaSaldoCarregadoIS::AbaAlterada(int indice)
{
    if (trocandoAba_ || indice != 1)
        return;
    if (!CarregarContas()) {
        trocandoAba_ = true;
        pgcAbas_->setCurrentIndex(0);
        trocandoAba_ = false;
        if (TemEmpresas())
            mensagens_.Mensagem("SR0214", mtInformation, Botoes::OK);
    }
}

void TfrmConsultaSaldoCarregadoIS::btnExcluirClick()
{
    if (pgcAbas_->currentIndex() == 0)
        ExcluirEmpresa();
    else
        ExcluirConta();
}

void TfrmConsultaSaldoCarregadoIS::ExcluirEmpresa()
{
    QTreeWidgetItem* linha = grdEmpresas_->currentItem();
    if (!linha)
        return;
    if (mensagens_.Mensagem("SR0036", mtConfirmation, Botoes::SimNao, mbNo) != mrYes)
        return;
    const int tipo = linha->data(ceTipo, kValor).toInt();
    const int64_t numero = Int64De(linha, ceInscricao);
    bool restam = false;
    bool excluiu = false;
    try {
        TTransacao t(sessao_);
        // The name changes go with the accounts they were raised for: those of open links. A
        // closed link keeps its accounts, so it keeps its changes too, pending or decided.
        sessao_.ExecutarSQL("DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL ALT WHERE ALT.NU_TIPO_INSO_EMPRA = " +
                            SqlNumero(tipo) + " AND ALT.NU_INSCRICAO = " + SqlNumero(numero) +
                            " AND ALT.NU_TIPO_ALTERACAO = " + AlteracaoNome +
                            " AND EXISTS (SELECT 1 FROM SFGTBG04_VINCULO_EMPREGATICIO VINC WHERE " +
                            SqlMesmaChave("VINC", "ALT") + " AND COALESCE(VINC.IC_ESTADO_MOVIMENTO, 0) NOT IN (2, 3))");
        conta_->TipoInscricao = tipo;
        conta_->Inscricao = numero;
        excluiu = conta_->ExcluirContas(true, false, true);
        if (excluiu) {
            restam = conta_->ConsultarPorEstado({2, 3}, true);
            excluiu = conta_->CodigoMensagem.empty();
        }
        if (excluiu)
            t.Confirmar();
        else
            t.Desfazer();
    } catch (const std::exception&) {
        excluiu = false;
    }
    if (!excluiu) {
        // Nothing was removed: the row stays as it was and the user is not told otherwise.
        mensagens_.Mensagem("SR0381", mtError, Botoes::OK);
        return;
    }
    if (restam) {
        AtualizarLinhaEmpresa(linha);
        mensagens_.Mensagem("SR0362", mtInformation, Botoes::OK);
    } else {
        delete linha;
        mensagens_.Mensagem("SR0068", mtInformation, Botoes::OK);
    }
    if (AoAlterarContas)
        AoAlterarContas();
}

void TfrmConsultaSaldoCarregadoIS::ExcluirConta()
{
    QTreeWidgetItem* linha = grdContas_->currentItem();
    if (!linha)
        return;
    if (mensagens_.Mensagem("SR0036", mtConfirmation, Botoes::SimNao, mbNo) != mrYes)
        return;
    if (!conta_->LocalizarConta(linha->data(ctTipo, kValor).toInt(), linha->data(ctCategoriaNum, kValor).toInt(),
                                Int64De(linha, ctConta), Int64De(linha, ctPis), linha->data(ctAdmissao, kValor).toDouble(),
                                Int64De(linha, ctInscricao))) {
        mensagens_.Mensagem("SR0092", mtWarning, Botoes::OK);
        return;
    }
    // The link's state as stored now, not as it was when the grid was filled. Read from the
    // link's own row: a link with no movement code yet is still a link, and its state counts.
    int estado = 0;
    try {
        auto r = sessao_.AbrirConsulta("SELECT COALESCE(VINC.IC_ESTADO_MOVIMENTO, 0) AS ESTADO FROM "
                                       "SFGTBG04_VINCULO_EMPREGATICIO VINC WHERE " +
                                       SqlChaveVinculo("VINC", conta_->TipoInscricao, conta_->Inscricao, conta_->Pis,
                                                       conta_->Categoria, conta_->DataAdmissao));
        estado = r->IsEmpty() ? 0 : r->FieldByName("ESTADO").AsInteger();
    } catch (const std::exception&) {
        mensagens_.Mensagem("SR0381", mtError, Botoes::OK);
        return;
    }
    if (estado == EstadoFechado || estado == EstadoProcessado) {
        mensagens_.Mensagem("SR0231", mtWarning, Botoes::OK);
        return;
    }
    bool excluiu = false;
    try {
        TTransacao t(sessao_);
        excluiu = conta_->ExcluirContas(false, true, true);
        if (excluiu && conta_->SituacaoPis == 2)
            // Only this account's change: another account of the link may still differ in name.
            sessao_.ExecutarSQL("DELETE FROM SFGTBG05_ALTERACAO_CADASTRAL ALT WHERE " +
                                SqlChaveVinculo("ALT", conta_->TipoInscricao, conta_->Inscricao, conta_->Pis,
                                                conta_->Categoria, conta_->DataAdmissao) +
                                " AND ALT.NU_TIPO_ALTERACAO = " + AlteracaoNome +
                                " AND ALT.NU_EMPREGADO_QUELD_ALT_CDSTL = " + SqlNumero(conta_->NumeroEmpregadoQueld));
        if (excluiu)
            excluiu = conta_->AtualizarSaldoRescisorio();
        if (excluiu)
            t.Confirmar();
        else
            t.Desfazer();
    } catch (const std::exception&) {
        excluiu = false;
    }
    if (!excluiu) {
        mensagens_.Mensagem("SR0381", mtError, Botoes::OK);
        return;
    }
    delete linha;
    if (QTreeWidgetItem* empresa = grdEmpresas_->currentItem())
        AtualizarLinhaEmpresa(empresa);
    if (grdContas_->topLevelItemCount() == 0) {
        CarregarEmpresas();
        trocandoAba_ = true;
        pgcAbas_->setCurrentIndex(0);
        trocandoAba_ = false;
    }
    mensagens_.Mensagem("SR0068", mtInformation, Botoes::OK);
    if (AoAlterarContas)
        AoAlterarContas();
}

void TfrmConsultaSaldoCarregadoIS::AtualizarLinhaEmpresa(QTreeWidgetItem* linha)
{
    TEmpresa e(sessao_);
    e.ListarEmpresasComSaldo(linha->data(ceTipo, kValor).toInt(), false, Int64De(linha, ceInscricao), 0, "");
    if (e.Vazio()) {
        delete linha;
        return;
    }
    linha->setText(ceSaldo, TextoSaldo(e.SaldoEmpresa));
    linha->setData(ceSaldo, kChaveOrdem, e.SaldoEmpresa);
}

void TfrmConsultaSaldoCarregadoIS::btnLocalizarClick()
{
    const bool empresas = pgcAbas_->currentIndex() == 0;
    bool ok = false;
    const QString texto = QInputDialog::getText(
        this, QString::fromUtf8("Localizar"),
        empresas ? QString::fromUtf8("Inscrição:") : QString::fromUtf8("PIS/PASEP ou nome:"), QLineEdit::Normal,
        QString(), &ok);
    if (ok && !texto.trimmed().isEmpty())
        Localizar(texto);
}

bool TfrmConsultaSaldoCarregadoIS::Localizar(const QString& texto)
{
    const bool empresas = pgcAbas_->currentIndex() == 0;
    QTreeWidget* grade = empresas ? grdEmpresas_ : grdContas_;
    const QString aparado = texto.trimmed();
    const std::string digitos = SoDigitos(aparado.toStdString());
    // A text of digits and mask characters is a number; anything else is part of a name.
    bool numero = !digitos.empty();
    for (QChar c : aparado)
        if (!c.isDigit() && c != '.' && c != '-' && c != '/' && c != ' ')
            numero = false;
    const int64_t procurado = numero ? StrToInteiro64(digitos) : 0;

    QList<QTreeWidgetItem*> achados;
    for (int i = 0; i < grade->topLevelItemCount(); ++i) {
        QTreeWidgetItem* l = grade->topLevelItem(i);
        const bool confere = empresas ? numero && Int64De(l, ceInscricao) == procurado
                             : numero ? Int64De(l, ctPis) == procurado
                                      : !aparado.isEmpty() && l->text(ctNome).contains(aparado, Qt::CaseInsensitive);
        if (confere)
            achados << l;
    }
    if (achados.isEmpty()) {
        mensagens_.Mensagem("SR0092", mtWarning, Botoes::OK);
        return false;
    }
    int escolhido = 0;
    if (achados.size() > 1) {
        QStringList opcoes;
        for (const QTreeWidgetItem* l : achados)
            opcoes << (empresas ? l->text(ceInscricao) + "  " + l->text(ceRazaoSocial)
                                : l->text(ctPis) + "  " + l->text(ctNome) + "  " + l->text(ctAdmissao) + "  " +
                                      l->text(ctCategoria) + "  " + l->text(ctSaldo));
        escolhido = EscolherEntre ? EscolherEntre(opcoes) : EscolherPadrao(opcoes);
        if (escolhido < 0 || escolhido >= achados.size())
            return false;
    }
    grade->setCurrentItem(achados[escolhido]);
    grade->scrollToItem(achados[escolhido]);
    return true;
}

int TfrmConsultaSaldoCarregadoIS::EscolherPadrao(const QStringList& opcoes)
{
    QDialog d(this);
    d.setWindowTitle(QString::fromUtf8("Seleção de Conta Saldo"));
    auto* lista = new QListWidget(&d);
    lista->addItems(opcoes);
    lista->setCurrentRow(0);
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &d);
    connect(botoes, &QDialogButtonBox::accepted, &d, &QDialog::accept);
    connect(botoes, &QDialogButtonBox::rejected, &d, &QDialog::reject);
    connect(lista, &QListWidget::itemDoubleClicked, &d, &QDialog::accept);
    auto* layout = new QVBoxLayout(&d);
    layout->addWidget(lista);
    layout->addWidget(botoes);
    d.resize(520, 260);
    return d.exec() == QDialog::Accepted ? lista->currentRow() : -1;
}

void ConsultarSaldosCarregados(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens,
                               std::function<void()> recarregarArvore)
{
    TfrmConsultaSaldoCarregadoIS f(*ctx.sessao, mensagens, pai);
    if (f.FalhaLeitura()) {
        mensagens.Mensagem("SR0144", mtError, Botoes::OK);
        return;
    }
    if (!f.TemEmpresas()) {
        mensagens.Mensagem("SR0178", mtInformation, Botoes::OK);
        return;
    }
    f.AoAlterarContas = std::move(recarregarArvore);
    f.exec();
}

} // namespace drav
