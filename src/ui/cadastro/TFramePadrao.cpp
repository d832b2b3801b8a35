#include "ui/cadastro/TFramePadrao.h"

#include "core/Mensagens.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace drav {

namespace {
int g_modoEdicao = meConsulta;
} // namespace

int ModoEdicao() { return g_modoEdicao; }
void DefinirModoEdicao(int modo) { g_modoEdicao = modo; }

TFramePadrao::TFramePadrao(const QString& titulo, TMensagens& mensagens, QWidget* parent)
    : QFrame(parent), mensagens_(mensagens)
{
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(4, 4, 4, 4);
    titulo_ = new QLabel(titulo, this);
    titulo_->setObjectName("lblTitulo");
    titulo_->setAlignment(Qt::AlignCenter);
    titulo_->setStyleSheet("QLabel { font-weight: bold; padding: 4px; border: 1px solid #9fb7d0; "
                           "background: #eef4fa; }");
    raiz->addWidget(titulo_);

    corpo_ = new QWidget(this);
    corpo_->setObjectName("pnlCampos");
    raiz->addWidget(corpo_, 1);

    painelBotoes_ = new QWidget(this);
    painelBotoes_->setObjectName("pnlBotoes");
    auto* botoes = new QHBoxLayout(painelBotoes_);
    botoes->setContentsMargins(0, 0, 0, 0);
    botoes->addStretch(1);
    btnAlterar_ = new QPushButton("Al&terar", painelBotoes_);
    btnExcluir_ = new QPushButton("Excl&uir", painelBotoes_);
    btnSalvar_ = new QPushButton("&Salvar", painelBotoes_);
    btnCancelar_ = new QPushButton("&Cancelar", painelBotoes_);
    btnAlterar_->setObjectName("btnAlterar");
    btnExcluir_->setObjectName("btnExcluir");
    btnSalvar_->setObjectName("btnSalvar");
    btnCancelar_->setObjectName("btnCancelar");
    for (auto* b : {btnAlterar_, btnExcluir_, btnSalvar_, btnCancelar_})
        botoes->addWidget(b);
    btnSalvar_->setVisible(false);
    btnSalvar_->setEnabled(false);
    btnCancelar_->setVisible(false);
    btnCancelar_->setEnabled(false);
    raiz->addWidget(painelBotoes_);

    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this, nullptr, nullptr, Qt::WidgetWithChildrenShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        if (btnCancelar_->isVisible() && btnCancelar_->isEnabled())
            btnCancelar_->click();
    });
    connect(btnAlterar_, &QPushButton::clicked, this, &TFramePadrao::btnAlterarClick);
    connect(btnExcluir_, &QPushButton::clicked, this, &TFramePadrao::btnExcluirClick);
    connect(btnSalvar_, &QPushButton::clicked, this, &TFramePadrao::btnSalvarClick);
    connect(btnCancelar_, &QPushButton::clicked, this, &TFramePadrao::btnCancelarClick);
    corpo_->setEnabled(false);
}

void TFramePadrao::LimparCampos()
{
    for (auto* e : corpo_->findChildren<QLineEdit*>()) {
        // The line edit inside an editable combo is emptied with its combo below.
        if (!qobject_cast<QComboBox*>(e->parentWidget()))
            e->clear();
    }
    for (auto* c : corpo_->findChildren<QComboBox*>()) {
        c->setCurrentIndex(-1);
        if (c->isEditable())
            c->setEditText(QString());
    }
}

void TFramePadrao::EntrarEdicao(bool editando)
{
    editando_ = editando;
    btnAlterar_->setVisible(!editando);
    btnAlterar_->setEnabled(!editando);
    btnExcluir_->setVisible(!editando);
    btnExcluir_->setEnabled(!editando);
    btnSalvar_->setVisible(editando);
    btnSalvar_->setEnabled(editando);
    btnCancelar_->setVisible(editando);
    btnCancelar_->setEnabled(editando);
    corpo_->setEnabled(editando);
    emit edicaoAlterada(editando);
}

void TFramePadrao::OcultarBotoes(bool ocultar) { painelBotoes_->setVisible(!ocultar); }

void TFramePadrao::btnAlterarClick()
{
    if (ModoEdicao() == meInclusao)
        LimparCampos();
    else
        DefinirModoEdicao(meAlteracao);
    EntrarEdicao(true);
}

void TFramePadrao::btnSalvarClick()
{
    DefinirModoEdicao(meConsulta);
    EntrarEdicao(false);
}

void TFramePadrao::btnCancelarClick()
{
    DefinirModoEdicao(meConsulta);
    EntrarEdicao(false);
    emit cancelado();
}

void TFramePadrao::MostrarFalha(const std::string& prefixo, const std::string& codigo, QWidget* campo)
{
    mensagens_.Mensagem(prefixo + codigo, mtWarning, Botoes::OK, mbOK);
    if (campo && campo->isEnabled())
        campo->setFocus(Qt::OtherFocusReason);
}

} // namespace drav
