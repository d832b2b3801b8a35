#include "ui/progresso/TfrmInconsistencias.h"

#include "core/DBUtils.h"
#include "core/Mensagens.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace drav {

TfrmInconsistencias::TfrmInconsistencias(TDBUtils& sessao, int numeroArquivo, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmInconsistencias");
    setWindowTitle(QString::fromUtf8(kTituloAplicacao) + " - Inconsistências");
    resize(900, 480);
    auto r = sessao.AbrirConsulta(
        "SELECT I.NU_LINHA_ERRO, I.CO_REGISTRO, I.DE_CONTEUDO_CAMPO, I.NU_MENSAGEM, M.DE_MENSAGEM, "
        "I.NU_INSCRICAO_EMPRESA, I.CO_PIS_INCONSISTENCIA FROM SFGTBG18_INCONSISTENCIA_ARQUIVO I "
        "LEFT JOIN SFGTBT13_MENSAGEM_SISTEMA M ON M.NU_MENSAGEM = I.NU_MENSAGEM WHERE I.NU_ARQUIVO = " +
        std::to_string(numeroArquivo) + " ORDER BY I.NU_LINHA_ERRO, I.NU_INCONSISTENCIA");
    auto* tabela = new QTableWidget(r->RecordCount(), 7, this);
    tabela->setObjectName("grdInconsistencias");
    tabela->setHorizontalHeaderLabels(
        {"Linha", "Registro", "Conteúdo do campo", "Código", "Mensagem", "Inscrição", "PIS/PASEP"});
    tabela->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tabela->verticalHeader()->setVisible(false);
    int linha = 0;
    for (r->First(); !r->Eof(); r->Next(), ++linha) {
        for (int c = 0; c < 7; ++c) {
            std::string t = r->Field(c).AsString();
            if (c == 3 && !t.empty())
                t = std::string(4 - std::min<size_t>(4, t.size()), '0') + t;
            tabela->setItem(linha, c, new QTableWidgetItem(QString::fromStdString(t)));
        }
    }
    linhas_ = linha;
    tabela->resizeColumnsToContents();
    tabela->horizontalHeader()->setSectionResizeMode(4, QHeaderView::Stretch);
    auto* botoes = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(botoes, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabela);
    layout->addWidget(botoes);
}

} // namespace drav
