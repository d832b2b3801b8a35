#include "ui/relatorios/TfrmModeloSelecaoEmpresaTrabalhador.h"

#include "core/Conversao.h"
#include "core/Formatacao.h"
#include "reports/RelComum.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace drav {

namespace {

constexpr int kChaveOrdem = Qt::UserRole + 1;
constexpr int kDigitos = Qt::UserRole;

// Sorts by a key of its own: the shown inscription mixes CNPJ and CEI masks, and equal company
// names still need a fixed order.
class ItemOrdenavel : public QTableWidgetItem {
public:
    ItemOrdenavel(const QString& texto, const QString& chave) : QTableWidgetItem(texto)
    {
        setData(kChaveOrdem, chave);
    }
    bool operator<(const QTableWidgetItem& outro) const override
    {
        return data(kChaveOrdem).toString() < outro.data(kChaveOrdem).toString();
    }
};

} // namespace

TfrmModeloSelecaoEmpresaTrabalhador::TfrmModeloSelecaoEmpresaTrabalhador(QWidget* pai) : QDialog(pai)
{
    setObjectName("frmModeloSelecaoEmpresaTrabalhador");
    setWindowTitle("Selecionar Empresa");
    setModal(true);

    grade_ = new QTableWidget(0, 3, this);
    grade_->setObjectName("grdEmpresas");
    grade_->setHorizontalHeaderLabels({QString::fromUtf8("Inscrição"), QString::fromUtf8("Razão Social"), "Tipo"});
    grade_->setColumnHidden(ColTipo, true);
    grade_->setColumnWidth(ColInscricao, 130);
    grade_->setColumnWidth(ColRazaoSocial, 460);
    grade_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grade_->setSelectionMode(QAbstractItemView::MultiSelection);
    grade_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grade_->verticalHeader()->setVisible(false);
    grade_->horizontalHeader()->setSectionsClickable(true);
    grade_->horizontalHeader()->setSortIndicatorShown(false);
    grade_->horizontalHeader()->setHighlightSections(false);

    chkTodas_ = new QCheckBox("&Selecionar Todas", this);
    chkTodas_->setObjectName("chkSelecionarTodas");
    btnImprimir_ = new QPushButton("&Imprimir", this);
    btnImprimir_->setObjectName("btnImprimir");
    btnImprimir_->setEnabled(false);
    btnFechar_ = new QPushButton("&Fechar", this);
    btnFechar_->setObjectName("btnFechar");

    auto* botoes = new QHBoxLayout;
    botoes->addWidget(chkTodas_);
    botoes->addStretch(1);
    botoes->addWidget(btnImprimir_);
    botoes->addWidget(btnFechar_);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(grade_, 1);
    raiz->addLayout(botoes);

    connect(chkTodas_, &QCheckBox::toggled, this, &TfrmModeloSelecaoEmpresaTrabalhador::SelecionarTodasAlterado);
    connect(grade_->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &TfrmModeloSelecaoEmpresaTrabalhador::MarcacaoAlterada);
    connect(grade_->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &TfrmModeloSelecaoEmpresaTrabalhador::Ordenar);
    connect(btnImprimir_, &QPushButton::clicked, this, [this] { Imprimir(); });
    connect(btnFechar_, &QPushButton::clicked, this, &QDialog::reject);

    resize(640, 440);
}

void TfrmModeloSelecaoEmpresaTrabalhador::DefinirEmpresas(const std::vector<TEmpresaSelecao>& empresas)
{
    ajustando_ = true;
    grade_->clearSelection();
    grade_->setRowCount(static_cast<int>(empresas.size()));
    for (int i = 0; i < static_cast<int>(empresas.size()); ++i) {
        const auto& e = empresas[i];
        // Employers come with their number zero-filled to 14 whatever their type.
        const std::string soDigitos = SoDigitos(e.Inscricao);
        const std::string digitos = soDigitos.empty() ? soDigitos : std::to_string(StrToInteiro64(soDigitos));
        const QString chaveInscricao =
            QString::number(e.Tipo) + ":" + QString::fromStdString(CompletarZeros(digitos, 14));
        auto* insc = new ItemOrdenavel(QString::fromStdString(InscricaoPorTipo(std::to_string(e.Tipo), digitos)),
                                       chaveInscricao);
        insc->setData(kDigitos, QString::fromStdString(digitos));
        grade_->setItem(i, ColInscricao, insc);
        grade_->setItem(i, ColRazaoSocial,
                        new ItemOrdenavel(QString::fromStdString(e.RazaoSocial),
                                          QString::fromStdString(e.RazaoSocial) + "\x1f" + chaveInscricao));
        grade_->setItem(i, ColTipo, new QTableWidgetItem(QString::number(e.Tipo)));
    }
    // Narrower when the list needs a scroll bar, so that it never needs a horizontal one too.
    grade_->setColumnWidth(ColRazaoSocial, grade_->rowCount() > 16 ? 444 : 460);
    ordemEmpresas_ = "NO_RAZAO_SOCIAL";
    grade_->horizontalHeader()->setSortIndicatorShown(false);
    chkTodas_->setChecked(false);
    if (grade_->rowCount() > 0)
        MarcarPrimeira();
    btnImprimir_->setEnabled(grade_->rowCount() > 0);
    ajustando_ = false;
}

void TfrmModeloSelecaoEmpresaTrabalhador::MarcarPrimeira()
{
    // Straight through the selection model: the view's own selectRow follows the click mode.
    grade_->selectionModel()->select(grade_->model()->index(0, 0),
                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    grade_->setCurrentCell(0, ColInscricao, QItemSelectionModel::NoUpdate);
}

bool TfrmModeloSelecaoEmpresaTrabalhador::Todas() const { return chkTodas_->isChecked(); }

std::vector<int64_t> TfrmModeloSelecaoEmpresaTrabalhador::InscricoesMarcadas() const
{
    std::vector<int64_t> r;
    for (int i = 0; i < grade_->rowCount(); ++i)
        if (grade_->selectionModel()->isRowSelected(i, QModelIndex()))
            r.push_back(StrToInteiro64(grade_->item(i, ColInscricao)->data(kDigitos).toString().toStdString()));
    return r;
}

void TfrmModeloSelecaoEmpresaTrabalhador::Ordenar(int coluna)
{
    if (coluna != ColInscricao && coluna != ColRazaoSocial)
        return;
    // The listing only knows ascending orders, so the grid keeps to them too. The marks stay
    // with their rows.
    ajustando_ = true;
    grade_->sortItems(coluna, Qt::AscendingOrder);
    grade_->horizontalHeader()->setSortIndicator(coluna, Qt::AscendingOrder);
    grade_->horizontalHeader()->setSortIndicatorShown(true);
    ordemEmpresas_ = coluna == ColInscricao ? "NU_TIPO_INSO_EMPRA,NU_INSCRICAO" : "NO_RAZAO_SOCIAL";
    chkTodas_->setChecked(false);
    ajustando_ = false;
}

bool TfrmModeloSelecaoEmpresaTrabalhador::TodasMarcadas() const
{
    const int n = grade_->rowCount();
    return n > 0 && static_cast<int>(grade_->selectionModel()->selectedRows().size()) == n;
}

void TfrmModeloSelecaoEmpresaTrabalhador::SelecionarTodasAlterado(bool marcada)
{
    if (ajustando_)
        return;
    ajustando_ = true;
    if (marcada) {
        grade_->selectAll();
    } else {
        grade_->clearSelection();
        if (grade_->rowCount() > 0)
            MarcarPrimeira();
    }
    ajustando_ = false;
}

void TfrmModeloSelecaoEmpresaTrabalhador::MarcacaoAlterada()
{
    if (ajustando_)
        return;
    ajustando_ = true;
    chkTodas_->setChecked(TodasMarcadas());
    ajustando_ = false;
}

} // namespace drav
