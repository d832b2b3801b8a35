#include "ui/principal/TfrmSobre.h"

#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "core/Utilitarios.h"
#include "files/Arvore.h"
#include "ui/principal/ModeloArvore.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace drav {

TfrmSobre::TfrmSobre(TDBUtils& sessao, TDateTime dataEdital, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmSobre");
    setWindowTitle("Sobre o DRAV");
    auto* figura = new QLabel(this);
    figura->setPixmap(FiguraArvore(imgRaiz, 64));
    figura->setAlignment(Qt::AlignTop);
    auto* titulo = new QLabel(QString::fromUtf8("<span style='font-size:14pt; font-weight:bold'>%1</span><br>"
                                                "Guia de Recolhimento Rescisório do FGTS")
                                  .arg(QString::fromUtf8(kTituloAplicacao)),
                              this);
    versao_ = new QLabel(QString::fromUtf8("Versão ") + QString::fromStdString(VersaoSistema(sessao, true)), this);
    versao_->setObjectName("lblVersao");
    const std::string periodo = TextoPeriodoProrata(dataEdital, true);
    vigencia_ = new QLabel(QString::fromStdString(periodo.empty() ? "sem tabela instalada" : periodo), this);
    vigencia_->setObjectName("lblVigencia");
    auto* ok = new QPushButton("&OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* texto = new QGridLayout;
    texto->addWidget(titulo, 0, 0, 1, 2);
    texto->addWidget(versao_, 1, 0, 1, 2);
    texto->addWidget(new QLabel(QString::fromUtf8("Tabela de Índices do FGTS - Vigência:"), this), 2, 0);
    texto->addWidget(vigencia_, 2, 1);
    auto* corpo = new QHBoxLayout;
    corpo->addWidget(figura);
    corpo->addSpacing(12);
    corpo->addLayout(texto, 1);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch(1);
    botoes->addWidget(ok);
    auto* raiz = new QVBoxLayout(this);
    raiz->addLayout(corpo);
    raiz->addSpacing(8);
    raiz->addLayout(botoes);
    setFixedSize(sizeHint());
}

} // namespace drav
