#include "ui/cadastro/CamposCadastro.h"

#include "core/Formatacao.h"
#include "ui/comum/Teclado.h"

#include <QComboBox>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace drav {

namespace {

QLineEdit* Novo(QWidget* pai, const char* nome, int tamanho)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setMaxLength(tamanho);
    return e;
}

void Permitir(QLineEdit* e, const char* padrao)
{
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QString::fromLatin1(padrao)), e));
}

void Maiusculas(QLineEdit* e)
{
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString& t) {
        const QString m = t.toUpper();
        if (m != t) {
            const int pos = e->cursorPosition();
            e->setText(m);
            e->setCursorPosition(pos);
        }
    });
}

const char* MascaraCnpj = "99.999.999/9999-99;_";
const char* MascaraCei = "99.999.99999/99;_";

} // namespace

QLineEdit* CampoCodigo(QWidget* pai, const char* nome, int tamanho)
{
    auto* e = Novo(pai, nome, tamanho);
    Permitir(e, "[A-Za-z0-9 ]*");
    Maiusculas(e);
    return e;
}

QLineEdit* CampoNome(QWidget* pai, const char* nome, int tamanho)
{
    auto* e = Novo(pai, nome, tamanho);
    Permitir(e, "[A-Za-z ]*");
    Maiusculas(e);
    return e;
}

QLineEdit* CampoDigitos(QWidget* pai, const char* nome, int tamanho)
{
    auto* e = Novo(pai, nome, tamanho);
    CampoNumerico(e, tamanho);
    return e;
}

QLineEdit* CampoLivre(QWidget* pai, const char* nome, int tamanho) { return Novo(pai, nome, tamanho); }

QLineEdit* CampoCep(QWidget* pai, const char* nome)
{
    auto* e = new QLineEdit(pai);
    e->setObjectName(nome);
    e->setInputMask("99999-999;_");
    return e;
}

QComboBox* ComboTipoInscricao(QWidget* pai, QLineEdit* numero)
{
    auto* c = new QComboBox(pai);
    c->setObjectName("cmbTipoInscricao");
    c->addItems({"CNPJ", "CEI"});
    c->setCurrentIndex(-1);
    numero->setInputMask(MascaraCnpj);
    QObject::connect(c, &QComboBox::currentIndexChanged, numero, [numero](int i) {
        const std::string digitos = Digitos(numero);
        numero->setInputMask(i == 1 ? MascaraCei : MascaraCnpj);
        numero->setText(QString::fromStdString(digitos));
    });
    return c;
}

int TipoEscolhido(const QComboBox* tipo) { return tipo->currentIndex() < 0 ? 0 : tipo->currentIndex() + 1; }

void MostrarInscricao(QComboBox* tipo, QLineEdit* numero, int tipoInscricao, const std::string& inscricao)
{
    tipo->setCurrentIndex(tipoInscricao == 1 || tipoInscricao == 2 ? tipoInscricao - 1 : -1);
    const std::string d = SoDigitos(inscricao);
    if (d.empty()) {
        numero->clear();
        return;
    }
    // The stored number has 14 digits; a CEI fills its mask with 12.
    const std::string n = std::to_string(std::stoll(d.substr(d.size() > 18 ? d.size() - 18 : 0)));
    numero->setText(QString::fromStdString(CompletarZeros(n, tipoInscricao == 2 ? 12 : 14)));
}

std::string Digitos(const QLineEdit* campo) { return SoDigitos(campo->text().toStdString()); }

std::string Texto(const QLineEdit* campo) { return campo->text().toStdString(); }

std::string Texto(const QComboBox* combo) { return combo->currentText().toStdString(); }

void Mostrar(QLineEdit* campo, const std::string& texto) { campo->setText(QString::fromStdString(texto)); }

void Selecionar(QComboBox* combo, const std::string& texto)
{
    const int i = combo->findText(QString::fromStdString(texto));
    combo->setCurrentIndex(i);
    if (i < 0 && combo->isEditable())
        combo->setEditText(QString::fromStdString(texto));
}

} // namespace drav
