#include "ui/cadastro/FrameEmpregadoCampos.h"

#include "core/Conversao.h"
#include "core/Formatacao.h"
#include "ui/comum/Teclado.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVariant>

namespace drav::trabalhador {

QLineEdit* CampoData(QWidget* pai, const char* nome)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setInputMask("99/99/9999;_");
    e->setProperty(kTipoCampo, "data");
    e->setMaximumWidth(110);
    return e;
}

TDateTime LerData(const QLineEdit* campo) { return StrToData(campo->text().toStdString(), 0); }

void MostrarData(QLineEdit* campo, TDateTime data)
{
    campo->setText(data > 0 ? QString::fromStdString(DataParaTexto(data)) : QString());
}

QLineEdit* CampoValor(QWidget* pai, const char* nome)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setMaxLength(17);
    e->setAlignment(Qt::AlignRight);
    e->setProperty(kTipoCampo, "moeda");
    e->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("[0-9]{0,3}(\\.?[0-9]{3})*(,[0-9]{0,2})?")), e));
    e->setMaximumWidth(140);
    return e;
}

double LerValor(const QLineEdit* campo) { return StrToValor(campo->text().toStdString()); }

void MostrarValor(QLineEdit* campo, double valor) { campo->setText(QString::fromStdString(FormatarValor(valor))); }

std::string CodigoEscolhido(const QComboBox* combo)
{
    if (combo->currentIndex() < 0)
        return {};
    const QVariant dado = combo->currentData();
    if (dado.isValid())
        return std::to_string(dado.toLongLong());
    return Aparar(combo->currentText().left(2).toStdString());
}

int NumeroEscolhido(const QComboBox* combo, int nenhum)
{
    const std::string c = CodigoEscolhido(combo);
    return c.empty() ? nenhum : StrToInteiro(c);
}

void EscolherCodigo(QComboBox* combo, const std::string& codigo)
{
    combo->setCurrentIndex(-1);
    const std::string procurado = Aparar(codigo);
    if (procurado.empty())
        return;
    for (int i = 0; i < combo->count(); ++i) {
        const QVariant dado = combo->itemData(i);
        const std::string c = dado.isValid() ? std::to_string(dado.toLongLong())
                                             : Aparar(combo->itemText(i).left(2).toStdString());
        if (c == procurado) {
            combo->setCurrentIndex(i);
            return;
        }
    }
}

void EscolherNumero(QComboBox* combo, int numero) { EscolherCodigo(combo, numero ? std::to_string(numero) : ""); }

} // namespace drav::trabalhador
