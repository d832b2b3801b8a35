#include "ui/principal/TfrmResumoVinculo.h"

#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "files/Arvore.h"
#include "model/ChaveVinculo.h"
#include "ui/principal/TfrmAbreMovimento.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace drav {

namespace {

QString Html(const std::string& t) { return QString::fromStdString(t).toHtmlEscaped(); }

const char* DescricaoEstado(int estado)
{
    switch (estado) {
    case 1: return "marcado para o recolhimento";
    case 2: return "fechado (arquivo gerado)";
    case 3: return "guia processada";
    default: return "não marcado";
    }
}

} // namespace

TfrmResumoVinculo::TfrmResumoVinculo(TDBUtils& sessao, QWidget* parent) : QFrame(parent), sessao_(sessao)
{
    setObjectName("frmDadosComplementares");
    auto* raiz = new QVBoxLayout(this);
    raiz->setContentsMargins(4, 4, 4, 4);
    auto* titulo = new QLabel("Dados Complementares", this);
    titulo->setAlignment(Qt::AlignCenter);
    titulo->setStyleSheet("QLabel { font-weight: bold; padding: 4px; border: 1px solid #9fb7d0; "
                          "background: #eef4fa; }");
    raiz->addWidget(titulo);
    auto* grupo = new QGroupBox(" Trabalhador ", this);
    lblDados_ = new QLabel(grupo);
    lblDados_->setObjectName("lblDados");
    lblDados_->setTextFormat(Qt::RichText);
    lblDados_->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    (new QVBoxLayout(grupo))->addWidget(lblDados_);
    raiz->addWidget(grupo);
    auto* complementos = new QPushButton(QString::fromUtf8("&Complementos de Saldo..."), this);
    complementos->setObjectName("btnComplementos");
    connect(complementos, &QPushButton::clicked, this, [this] {
        if (reabrir_)
            reabrir_();
    });
    raiz->addWidget(complementos, 0, Qt::AlignLeft);
    raiz->addStretch(1);
}

void TfrmResumoVinculo::Mostrar(const TRecArvore& v, const QString& nomeEmpresa)
{
    // The dialog may change the complement sum shown here: show the link again when it closes.
    // Mostrar replaces this function while it runs: it works on copies and touches nothing of
    // its own after that call.
    reabrir_ = [this, v, nomeEmpresa] {
        if (!abrirComplementos)
            return;
        const TRecArvore vinculo = v;
        const QString empresa = nomeEmpresa;
        TfrmResumoVinculo* const frame = this;
        frame->abrirComplementos(vinculo);
        frame->Mostrar(vinculo, empresa);
    };
    const std::string chave = SqlChaveVinculo("", v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria, v.DataAdmissao);
    auto t = sessao_.AbrirConsulta("SELECT NO_EMPREGADO FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " + std::to_string(v.Pis));
    auto r = sessao_.AbrirConsulta("SELECT VR_SALDO_RESCISORIO, IC_ORIGEM_SALDO_RESCISORIO, VR_DEPOSITO_CMPLO_SALDO "
                                   "FROM SFGTBG06_INFORMACAO_RESCISAO WHERE " + chave);
    const std::string nome = t->IsEmpty() ? std::string() : Aparar(t->Field(0).AsString());
    double saldo = 0, complementos = 0;
    std::string origem = "N";
    if (!r->IsEmpty()) {
        saldo = r->Field(0).AsFloat();
        origem = Aparar(r->Field(1).AsString());
        complementos = r->Field(2).AsFloat();
    }
    const char* origens = origem == "C" ? "contas do FGTS (arquivo de saldo)"
                          : origem == "E" ? "informado pela empresa"
                                          : "nenhum";
    lblDados_->setText(QString::fromUtf8("<table cellspacing='4'>"
                                         "<tr><td>Nome:</td><td><b>%1</b></td></tr>"
                                         "<tr><td>PIS/PASEP:</td><td>%2</td></tr>"
                                         "<tr><td>Empresa:</td><td>%3</td></tr>"
                                         "<tr><td>Categoria:</td><td>%4</td></tr>"
                                         "<tr><td>Admissão:</td><td>%5</td></tr>"
                                         "<tr><td>Situação:</td><td>%6</td></tr>"
                                         "<tr><td>Saldo para fins rescisórios:</td><td>%7</td></tr>"
                                         "<tr><td>Origem do saldo:</td><td>%8</td></tr>"
                                         "<tr><td>Depósitos de complementos:</td><td>%9</td></tr></table>")
                           .arg(Html(nome), Html(FormatarPIS(std::to_string(v.Pis))), nomeEmpresa.toHtmlEscaped(),
                                QString::number(v.Categoria), Html(DataParaTexto(v.DataAdmissao)),
                                QString::fromUtf8(DescricaoEstado(v.Estado)), Html(FormatarValor(saldo)),
                                QString::fromUtf8(origens), Html(FormatarValor(complementos))));
}

} // namespace drav
