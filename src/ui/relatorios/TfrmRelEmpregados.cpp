#include "ui/relatorios/TfrmRelEmpregados.h"

#include "ui/relatorios/Relatorios.h"

#include <QButtonGroup>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace drav {

namespace {

// The controls stay off while the listing runs and come back however it ends.
class ControlesDesligados {
public:
    explicit ControlesDesligados(std::vector<QWidget*> controles) : controles_(std::move(controles))
    {
        for (auto* c : controles_)
            c->setEnabled(false);
    }
    ~ControlesDesligados()
    {
        for (auto* c : controles_)
            c->setEnabled(true);
    }
    ControlesDesligados(const ControlesDesligados&) = delete;
    ControlesDesligados& operator=(const ControlesDesligados&) = delete;

private:
    std::vector<QWidget*> controles_;
};

} // namespace

TfrmRelEmpregados::TfrmRelEmpregados(TDBUtils& sessao, TMensagens& mensagens, std::string ordemEmpresas, bool todas,
                                     std::vector<int64_t> inscricoes, QWidget* pai)
    : QDialog(pai), ordemEmpresas_(std::move(ordemEmpresas))
{
    setObjectName("frmRelEmpregados");
    setWindowTitle(QString::fromUtf8("Relatório de Trabalhadores"));
    setModal(true);

    grupo_ = new QGroupBox(" Ordenado por ", this);
    grupo_->setObjectName("rgOrdenacao");
    opcoes_ = new QButtonGroup(this);
    auto* l = new QVBoxLayout(grupo_);
    const char* rotulos[] = {"PIS/PASEP", "Nome do Trabalhador", "Data de Admissão", "Categoria"};
    for (int i = 0; i < 4; ++i) {
        auto* r = new QRadioButton(QString::fromUtf8(rotulos[i]), grupo_);
        opcoes_->addButton(r, i);
        l->addWidget(r);
    }
    opcoes_->button(PorPis)->setChecked(true);

    btnImprimir_ = new QPushButton("&Imprimir", this);
    btnImprimir_->setObjectName("btnImprimir");
    btnImprimir_->setDefault(true);
    btnFechar_ = new QPushButton("&Fechar", this);
    btnFechar_->setObjectName("btnFechar");
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(btnImprimir_);
    botoes->addWidget(btnFechar_);
    auto* raiz = new QVBoxLayout(this);
    raiz->addWidget(grupo_);
    raiz->addLayout(botoes);

    Visualizar = [this, &sessao, &mensagens, todas, inscricoes = std::move(inscricoes)](const std::string& ordem) {
        return VisualizarListagemTrabalhadores(this, sessao, mensagens, ordem, todas, inscricoes);
    };
    connect(btnImprimir_, &QPushButton::clicked, this, &TfrmRelEmpregados::btnImprimirClick);
    connect(btnFechar_, &QPushButton::clicked, this, &QDialog::reject);
    setFixedSize(sizeHint().expandedTo(QSize(300, 0)));
}

std::string TfrmRelEmpregados::Ordem() const
{
    const char* colunas[] = {"PIS_EMPREGADO", "NO_EMPREGADO", "DT_ADMISSAO", "CATEGORIA"};
    const int id = opcoes_->checkedId();
    return ordemEmpresas_ + "," + colunas[id >= 0 && id < 4 ? id : PorPis];
}

void TfrmRelEmpregados::btnImprimirClick()
{
    // The wait cursor is the listing's own, for the time its query runs.
    ControlesDesligados desligados({grupo_, btnImprimir_, btnFechar_});
    Visualizar(Ordem());
}

} // namespace drav
