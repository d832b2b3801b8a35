#include "ui/principal/TfrmLocalizar.h"

#include "core/Conversao.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/Vinculo.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

namespace drav {

namespace {

enum Chave { ChaveNome = 0, ChaveCnpj, ChaveCei, ChavePis };
enum Assunto { AssuntoEmpresa = 0, AssuntoTrabalhador };

} // namespace

TfrmLocalizar::TfrmLocalizar(TDBUtils& sessao, TMensagens& mensagens, QWidget* parent)
    : QDialog(parent), sessao_(sessao), mensagens_(mensagens)
{
    setObjectName("frmLocalizar");
    setWindowTitle("Localizar Empresa/Trabalhador");
    setModal(true);

    auto* paginas = new QTabWidget(this);
    auto* pagina = new QWidget(paginas);
    paginas->addTab(pagina, "Localizar");

    auto* grupoChave = new QGroupBox(" Chave de Pesquisa ", pagina);
    auto* chaves = new QHBoxLayout(grupoChave);
    chave_ = new QButtonGroup(this);
    const char* rotulos[] = {"Nome", "CNPJ", "CEI", "PIS/PASEP"};
    const char* nomes[] = {"rbNome", "rbCnpj", "rbCei", "rbPis"};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(rotulos[i]), grupoChave);
        r->setObjectName(nomes[i]);
        chave_->addButton(r, i);
        chaves->addWidget(r);
    }
    chave_->button(ChaveNome)->setChecked(true);

    auto* grupoDados = new QGroupBox(" Dados p/ Busca ", pagina);
    auto* dados = new QFormLayout(grupoDados);
    cmbProcurar_ = new QComboBox(grupoDados);
    cmbProcurar_->setObjectName("cmbProcurarPor");
    cmbProcurar_->addItems({"Empresa", "Trabalhador"});
    edtConteudo_ = new QLineEdit(grupoDados);
    edtConteudo_->setObjectName("edtConteudo");
    dados->addRow("Procurar Por:", cmbProcurar_);
    dados->addRow(QString::fromUtf8("Conteúdo:"), edtConteudo_);

    grade_ = new QTableWidget(pagina);
    grade_->setObjectName("grdResultado");
    grade_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade_->setSelectionMode(QAbstractItemView::SingleSelection);
    grade_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade_->verticalHeader()->setVisible(false);
    grade_->horizontalHeader()->setStretchLastSection(true);

    auto* l = new QVBoxLayout(pagina);
    l->addWidget(grupoChave);
    l->addWidget(grupoDados);
    l->addWidget(grade_, 1);

    btnLocalizar_ = new QPushButton("&Localizar", this);
    btnLocalizar_->setObjectName("btnLocalizar");
    btnFechar_ = new QPushButton("&Fechar", this);
    btnFechar_->setObjectName("btnFechar");
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(btnLocalizar_);
    botoes->addWidget(btnFechar_);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(paginas, 1);
    raiz->addLayout(botoes);

    connect(chave_, &QButtonGroup::idClicked, this, &TfrmLocalizar::ChaveAlterada);
    connect(cmbProcurar_, &QComboBox::currentIndexChanged, this, [this] { ProcurarPorAlterado(); });
    connect(edtConteudo_, &QLineEdit::textChanged, this, [this](const QString& t) {
        btnLocalizar_->setEnabled(!t.isEmpty());
        btnLocalizar_->setDefault(!t.isEmpty());
    });
    connect(btnLocalizar_, &QPushButton::clicked, this, &TfrmLocalizar::Localizar);
    connect(btnFechar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(grade_, &QTableWidget::cellDoubleClicked, this, [this] { accept(); });

    ChaveAlterada(ChaveNome);
    resize(640, 420);
}

void TfrmLocalizar::DefinirChave(int chave)
{
    if (auto* b = chave_->button(chave))
        b->setChecked(true);
    ChaveAlterada(chave);
}

void TfrmLocalizar::ChaveAlterada(int chave)
{
    edtConteudo_->clear();
    const bool nome = chave == ChaveNome;
    cmbProcurar_->setEnabled(nome);
    if (!nome)
        cmbProcurar_->setCurrentIndex(chave == ChavePis ? AssuntoTrabalhador : AssuntoEmpresa);
    edtConteudo_->setValidator(nullptr);
    if (!nome)
        edtConteudo_->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edtConteudo_));
    edtConteudo_->setMaxLength(chave == ChaveCnpj  ? 14
                              : chave == ChaveCei  ? 12
                              : chave == ChavePis  ? 11
                              : cmbProcurar_->currentIndex() == AssuntoTrabalhador ? 70
                                                                                   : 115);
    btnLocalizar_->setEnabled(false);
    PrepararGrade();
}

void TfrmLocalizar::ProcurarPorAlterado()
{
    if (chave_->checkedId() == ChaveNome)
        edtConteudo_->setMaxLength(cmbProcurar_->currentIndex() == AssuntoTrabalhador ? 70 : 115);
    PrepararGrade();
}

void TfrmLocalizar::PrepararGrade()
{
    chaves_.clear();
    grade_->clear();
    const bool trabalhador = cmbProcurar_->currentIndex() == AssuntoTrabalhador;
    if (trabalhador) {
        grade_->setColumnCount(3);
        grade_->setHorizontalHeaderLabels({"Nome", "PIS/PASEP", QString::fromUtf8("Data Admissão")});
        grade_->setColumnWidth(0, 290);
        grade_->setColumnWidth(1, 136);
        grade_->setColumnWidth(2, 88);
    } else {
        grade_->setColumnCount(2);
        grade_->setHorizontalHeaderLabels({QString::fromUtf8("Razão Social"), QString::fromUtf8("Inscrição")});
        grade_->setColumnWidth(0, 390);
        grade_->setColumnWidth(1, 125);
    }
    grade_->setRowCount(1); // the header and one blank line
    btnFechar_->setDefault(false);
}

void TfrmLocalizar::AdicionarLinha(const QStringList& textos, const TChaveLocalizada& chave)
{
    const int linha = static_cast<int>(chaves_.size());
    grade_->setRowCount(linha + 1);
    for (int c = 0; c < textos.size(); ++c)
        grade_->setItem(linha, c, new QTableWidgetItem(textos[c]));
    chaves_.push_back(chave);
}

void TfrmLocalizar::Localizar()
{
    const QString conteudo = edtConteudo_->text().trimmed();
    if (conteudo.isEmpty()) {
        mensagens_.Mensagem("990405", mtInformation, Botoes::OK, mbOK);
        return;
    }
    PrepararGrade();
    grade_->setRowCount(0);
    const int chave = chave_->checkedId();
    const std::string texto = conteudo.toStdString();
    if (cmbProcurar_->currentIndex() == AssuntoEmpresa) {
        TEmpresa e(sessao_);
        e.CarregaRelacionados = false;
        if (chave == ChaveNome)
            e.ListarPorRazaoSocial(conteudo.toUpper().toStdString());
        else
            e.ConsultarPorInscricao(chave == ChaveCnpj ? 1 : 2, StrToInteiro64(SoDigitos(texto)));
        if (e.TemDataSet())
            for (e.Primeiro(); !e.Vazio() && !e.Eof(); e.Proximo()) {
                // The responsible alone is no employer of the tree.
                if (e.EstadoEmpresa != "E" && e.EstadoEmpresa != "A")
                    continue;
                TChaveLocalizada k;
                k.TipoInscricao = e.TipoInscricao;
                k.Inscricao = StrToInteiro64(e.Inscricao);
                const std::string insc = e.TipoInscricao == 1 ? FormatarCNPJ(e.Inscricao) : e.InscricaoFormatada();
                AdicionarLinha({QString::fromStdString(e.RazaoSocial), QString::fromStdString(insc)}, k);
            }
    } else {
        TEmpregado t(sessao_);
        t.CarregaRelacionados = false;
        if (chave == ChaveNome)
            t.ListarPorNome(conteudo.toUpper().toStdString());
        else
            t.ConsultarPorPis(SoDigitos(texto));
        if (t.TemDataSet())
            for (t.Primeiro(); !t.Vazio() && !t.Eof(); t.Proximo()) {
                const TVinculo& v = t.Vinculo();
                if (v.Pis == 0)
                    continue;
                TChaveLocalizada k;
                k.Vinculo = true;
                k.TipoInscricao = v.TipoInscricao;
                k.Inscricao = v.Inscricao;
                k.Pis = v.Pis;
                k.Categoria = v.Categoria;
                k.DataAdmissao = v.DataAdmissao;
                AdicionarLinha({QString::fromStdString(t.Nome), QString::fromStdString(FormatarPIS(t.Pis)),
                                QString::fromStdString(DataParaTexto(v.DataAdmissao))},
                               k);
            }
    }
    if (chaves_.empty()) {
        grade_->setRowCount(1);
        mensagens_.Mensagem("990092", mtInformation, Botoes::OK, mbOK);
        return;
    }
    grade_->selectRow(0);
    grade_->setFocus();
    btnLocalizar_->setDefault(false);
    btnFechar_->setDefault(true);
}

bool TfrmLocalizar::TemResultado() const { return !chaves_.empty(); }

TChaveLocalizada TfrmLocalizar::Resultado() const
{
    if (chaves_.empty())
        return {};
    const int linha = grade_->currentRow();
    return chaves_[static_cast<size_t>(linha >= 0 && linha < static_cast<int>(chaves_.size()) ? linha : 0)];
}

} // namespace drav
