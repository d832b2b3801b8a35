#include "ui/backup/TfrmBaseBackup.h"

#include "core/Inicializacao.h"
#include "core/Mensagens.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <system_error>

namespace drav {

namespace fs = std::filesystem;

TfrmBaseBackup::TfrmBaseBackup(ContextoAplicacao& ctx, TMensagens& mensagens, const QString& titulo,
                               const char* explicacao, const char* complemento, QWidget* pai)
    : QDialog(pai), ctx_(ctx), mensagens_(mensagens)
{
    setWindowTitle(titulo);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QString::fromUtf8(explicacao), this));
    layout->addWidget(new QLabel(QString::fromUtf8(complemento), this));
    lblMensagem_ = new QLabel(this);
    lblMensagem_->setObjectName(QStringLiteral("lblMensagem"));
    layout->addWidget(lblMensagem_);
    auto* botoes = new QHBoxLayout();
    botoes->addStretch();
    btnAvancar_ = new QPushButton(QString::fromUtf8("&Avançar"), this);
    btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    btnAvancar_->setDefault(true);
    botoes->addWidget(btnAvancar_);
    botoes->addWidget(btnCancelar_);
    layout->addLayout(botoes);
    connect(btnAvancar_, &QPushButton::clicked, this, [this] { btnAvancarClick(); });
    connect(btnCancelar_, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmBaseBackup::Mostrar(const char* texto)
{
    lblMensagem_->setText(QString::fromUtf8(texto));
    QApplication::processEvents();
}

void TfrmBaseBackup::Habilitar(bool sim)
{
    btnAvancar_->setEnabled(sim);
    btnCancelar_->setEnabled(sim);
}

bool TfrmBaseBackup::CriarPastaSeFaltar(const fs::path& p)
{
    std::error_code ec;
    if (fs::is_directory(p, ec))
        return true;
    fs::create_directories(p, ec);
    return fs::is_directory(p, ec);
}

fs::path TfrmBaseBackup::PastaBackup()
{
    const fs::path pasta = ctx_.pasta / "Backup";
    if (CriarPastaSeFaltar(pasta))
        return pasta;
    mensagens_.Mensagem("990137", mtInformation, Botoes::OK);
    return {};
}

} // namespace drav
