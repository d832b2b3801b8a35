#include "ui/base/ApresentadorQt.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace drav {

namespace {

QMessageBox::Icon Icone(TipoMensagem t)
{
    switch (t) {
    case mtWarning:
        return QMessageBox::Warning;
    case mtError:
        return QMessageBox::Critical;
    case mtInformation:
        return QMessageBox::Information;
    case mtConfirmation:
        return QMessageBox::Question;
    case mtCustom:
        break;
    }
    return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole Papel(int resultado)
{
    switch (resultado) {
    case mrYes:
    case mrYesToAll:
    case mrAll:
        return QMessageBox::YesRole;
    case mrNo:
    case mrNoToAll:
        return QMessageBox::NoRole;
    case mrCancel:
    case mrAbort:
        return QMessageBox::RejectRole;
    case mrNone:
        return QMessageBox::HelpRole;
    default:
        return QMessageBox::AcceptRole;
    }
}

} // namespace

int ApresentadorQt::Mostrar(const DialogoMensagem& d)
{
    QMessageBox box(Icone(d.tipo), QString::fromStdString(d.titulo), QString::fromStdString(d.texto), QMessageBox::NoButton,
                    QApplication::activeWindow());
    box.setObjectName("dlgMensagem");
    std::vector<std::pair<QAbstractButton*, int>> botoes;
    const auto& tabela = TabelaBotoes();
    QAbstractButton* escape = nullptr;
    for (size_t i = 0; i < tabela.size(); ++i) {
        if (!(d.botoes & tabela[i].bit))
            continue;
        QPushButton* b = box.addButton(QString::fromUtf8(tabela[i].rotulo), Papel(tabela[i].resultado));
        botoes.emplace_back(b, tabela[i].resultado);
        if (static_cast<int>(i) == d.botaoPadrao)
            box.setDefaultButton(b);
        if (tabela[i].resultado == mrCancel || (tabela[i].resultado == mrNo && !escape) || tabela[i].resultado == mrOk)
            escape = b;
    }
    if (escape)
        box.setEscapeButton(escape);
    box.exec();
    for (const auto& [b, r] : botoes)
        if (box.clickedButton() == b)
            return r;
    return mrCancel;
}

void ApresentadorQt::MostrarErroSistema(const std::string& texto, const std::string& titulo)
{
    QMessageBox box(QMessageBox::Critical, QString::fromStdString(titulo), QString::fromStdString(texto), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
}

} // namespace drav
