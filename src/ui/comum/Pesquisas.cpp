#include "ui/comum/Pesquisas.h"

#include "ui/comum/Teclado.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <memory>

namespace drav {

namespace {

const QString kMascaraProtocolo = QStringLiteral("xxxxxxxx.xxxxxxxx.xxxxxxxx.xxxxxxxx");

std::string Executar(TfrmPesquisa* janela)
{
    std::unique_ptr<TfrmPesquisa> dono(janela);
    return janela->exec() == QDialog::Accepted ? janela->Resultado() : std::string();
}

} // namespace

TfrmPesquisa::TfrmPesquisa(const QString& titulo, QWidget* pai) : QDialog(pai)
{
    setWindowTitle(titulo);
    setModal(true);
    auto* principal = new QVBoxLayout(this);
    principal->addLayout(new QFormLayout);
    auto* botoes = new QHBoxLayout;
    botoes->addStretch();
    localizar_ = new QPushButton(QStringLiteral("&Localizar"), this);
    localizar_->setObjectName(QStringLiteral("btnLocalizar"));
    localizar_->setDefault(true);
    localizar_->setEnabled(false);
    fechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    fechar_->setObjectName(QStringLiteral("btnFechar"));
    botoes->addWidget(localizar_);
    botoes->addWidget(fechar_);
    principal->addLayout(botoes);
    connect(localizar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(fechar_, &QPushButton::clicked, this, &QDialog::reject);
}

QLineEdit* TfrmPesquisa::Adicionar(const QString& rotulo, const std::string& etiqueta)
{
    auto* edit = new QLineEdit(this);
    auto* form = static_cast<QFormLayout*>(layout()->itemAt(0)->layout());
    form->addRow(new QLabel(rotulo, this), edit);
    campos_.push_back({edit, etiqueta});
    connect(edit, &QLineEdit::textEdited, this, [this, edit] {
        for (const Campo& c : campos_)
            if (c.edit != edit)
                c.edit->clear();
        AtualizarBotao();
    });
    connect(edit, &QLineEdit::textChanged, this, [this] { AtualizarBotao(); });
    return edit;
}

QLineEdit* TfrmPesquisa::AdicionarNumerico(const QString& rotulo, const std::string& etiqueta, int tamanho)
{
    QLineEdit* edit = Adicionar(rotulo, etiqueta);
    CampoNumerico(edit, tamanho);
    return edit;
}

void TfrmPesquisa::Concluir()
{
    static const std::pair<const char*, const char*> nomes[] = {{"INSCRICAO-", "edtInscricao"},
                                                                 {"RAZAO-", "edtRazaoSocial"},
                                                                 {"PIS/PASEP-", "edtPis"},
                                                                 {"NOME-", "edtNome"},
                                                                 {"PROTOCOLO-", "edtProtocolo"}};
    for (const Campo& c : campos_)
        for (const auto& [etiqueta, nome] : nomes)
            if (c.etiqueta == etiqueta)
                c.edit->setObjectName(QLatin1String(nome));
    if (!campos_.empty())
        campos_.front().edit->setFocus();
    AtualizarBotao();
    adjustSize();
}

bool TfrmPesquisa::TemTexto(const QLineEdit* edit)
{
    if (edit->inputMask().isEmpty())
        return !edit->text().trimmed().isEmpty();
    // A masked field holds something only when a character besides the mask's own was typed.
    QString s = edit->text();
    s.remove(QLatin1Char('.'));
    return !s.trimmed().isEmpty();
}

void TfrmPesquisa::AtualizarBotao()
{
    bool algum = false;
    for (const Campo& c : campos_)
        algum = algum || TemTexto(c.edit);
    localizar_->setEnabled(algum);
}

QLineEdit* TfrmPesquisa::Procurar(const std::string& etiqueta) const
{
    for (const Campo& c : campos_)
        if (c.etiqueta == etiqueta)
            return c.edit;
    return nullptr;
}

std::string TfrmPesquisa::Resultado() const
{
    for (const Campo& c : campos_) {
        if (!TemTexto(c.edit))
            continue;
        QString valor = c.edit->text();
        if (c.edit == nome_)
            valor = valor.trimmed().toUpper();
        return c.etiqueta + valor.toStdString();
    }
    return {};
}

TfrmPesquisa* TfrmPesquisa::Empresa(int modo, QWidget* pai)
{
    auto* j = new TfrmPesquisa(QStringLiteral("Localizar Empresa"), pai);
    j->AdicionarNumerico(QStringLiteral("Inscrição"), "INSCRICAO-", 14);
    if (modo >= 2) {
        j->nome_ = j->Adicionar(QStringLiteral("Razão Social"), "RAZAO-");
        j->nome_->setMaxLength(70);
    }
    if (modo >= 3)
        j->AdicionarNumerico(QStringLiteral("PIS/PASEP"), "PIS/PASEP-", 11);
    j->Concluir();
    return j;
}

TfrmPesquisa* TfrmPesquisa::Trabalhador(QWidget* pai)
{
    auto* j = new TfrmPesquisa(QStringLiteral("Localizar Trabalhador"), pai);
    j->AdicionarNumerico(QStringLiteral("PIS/PASEP"), "PIS/PASEP-", 11);
    j->nome_ = j->Adicionar(QStringLiteral("Nome"), "NOME-");
    j->nome_->setMaxLength(70);
    j->Concluir();
    return j;
}

TfrmPesquisa* TfrmPesquisa::Protocolo(const std::string& texto, int modo, QWidget* pai)
{
    auto* j = new TfrmPesquisa(QStringLiteral("Localizar Protocolo"), pai);
    QLineEdit* protocolo = j->Adicionar(QStringLiteral("Protocolo"), "PROTOCOLO-");
    protocolo->setInputMask(kMascaraProtocolo);
    if (!texto.empty())
        protocolo->setText(QString::fromStdString(texto));
    if (modo == 2) {
        j->AdicionarNumerico(QStringLiteral("Inscrição"), "INSCRICAO-", 14);
        j->AdicionarNumerico(QStringLiteral("PIS/PASEP"), "PIS/PASEP-", 11);
    }
    j->Concluir();
    return j;
}

TResultadoPesquisa InterpretarPesquisa(const std::string& texto)
{
    TResultadoPesquisa r;
    r.Texto = texto;
    r.Encontrado = !texto.empty();
    if (!r.Encontrado)
        return r;
    const std::size_t traco = texto.find('-');
    const std::string etiqueta = texto.substr(0, traco);
    r.Tipo = etiqueta == "PIS/PASEP" ? "F" : "E";
    r.Valor = traco == std::string::npos ? std::string() : texto.substr(traco + 1);
    return r;
}

std::string PesquisarEmpresa(int modo, QWidget* pai) { return Executar(TfrmPesquisa::Empresa(modo, pai)); }

TResultadoPesquisa PesquisarEmpresaOuTrabalhador(QWidget* pai)
{
    return InterpretarPesquisa(Executar(TfrmPesquisa::Empresa(3, pai)));
}

std::string PesquisarTrabalhador(QWidget* pai) { return Executar(TfrmPesquisa::Trabalhador(pai)); }

std::string PesquisarProtocolo(const std::string& texto, int modo, QWidget* pai)
{
    return Executar(TfrmPesquisa::Protocolo(texto, modo, pai));
}

} // namespace drav
