#include "ui/principal/TfrmPrincipal.h"

#include "core/Inicializacao.h"
#include "core/Mensagens.h"

#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QStatusBar>

namespace drav {

TfrmPrincipal::TfrmPrincipal(ContextoAplicacao& ctx, TMensagens& mensagens, QWidget* parent)
    : QMainWindow(parent), ctx_(ctx), mensagens_(mensagens)
{
    setObjectName("frmPrincipal");
    setWindowTitle(QString::fromUtf8(kTituloAplicacao));
    resize(900, 600);
    auto* arquivo = menuBar()->addMenu("&Arquivo");
    auto* sair = arquivo->addAction("Sai&r");
    sair->setObjectName("actSair");
    connect(sair, &QAction::triggered, this, &QWidget::close);
    auto* centro = new QLabel(this);
    centro->setAlignment(Qt::AlignCenter);
    centro->setText(QString::fromUtf8(kTituloAplicacao));
    setCentralWidget(centro);
    statusBar()->showMessage(QString::fromStdString("Pasta de dados: " + ctx_.pasta.string()));
}

} // namespace drav
