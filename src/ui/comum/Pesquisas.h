#pragma once
#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;
class QPushButton;

namespace drav {

// What the employer-or-worker search found: Tipo "E" (employer) or "F" (worker, tag
// "PIS/PASEP"), Valor the text after the tag's "-", Texto the whole tagged text.
struct TResultadoPesquisa {
    bool Encontrado = false;
    std::string Tipo;
    std::string Valor;
    std::string Texto;
};

// The small modal search windows of the consultation screens. The answer is a tagged text such as
// "INSCRICAO-11222333000181", "RAZAO-ACME", "PIS/PASEP-12345678901", "NOME-MARIA",
// "PROTOCOLO-..."; each caller reads the tag to choose its query. Empty when cancelled or when
// every field is empty.
//
// Only one field holds text at a time: typing in a field empties the others. (Keeping two would
// make the first in the window's order win silently over the one the user typed last.)
class TfrmPesquisa : public QDialog {
    Q_OBJECT
public:
    // mode 1: inscription only; 2: also "Razão Social"; 3: also "PIS/PASEP".
    static TfrmPesquisa* Empresa(int modo, QWidget* pai = nullptr);
    static TfrmPesquisa* Trabalhador(QWidget* pai = nullptr);
    // mode 1: the protocol only; mode 2 (a taller window): also "Inscrição" and "PIS/PASEP".
    // The text, when given, is the protocol the field starts with.
    static TfrmPesquisa* Protocolo(const std::string& texto, int modo, QWidget* pai = nullptr);

    // The tagged text of the first field that holds text, whatever the button pressed.
    std::string Resultado() const;

    QLineEdit* CampoInscricao() const { return Procurar("INSCRICAO-"); }
    QLineEdit* CampoNome() const { return nome_; }
    QLineEdit* CampoPis() const { return Procurar("PIS/PASEP-"); }
    QLineEdit* CampoProtocolo() const { return Procurar("PROTOCOLO-"); }
    QPushButton* BotaoLocalizar() const { return localizar_; }
    QPushButton* BotaoFechar() const { return fechar_; }

private:
    struct Campo {
        QLineEdit* edit;
        std::string etiqueta;
    };
    explicit TfrmPesquisa(const QString& titulo, QWidget* pai);
    QLineEdit* Adicionar(const QString& rotulo, const std::string& etiqueta);
    QLineEdit* AdicionarNumerico(const QString& rotulo, const std::string& etiqueta, int tamanho);
    void Concluir();
    void AtualizarBotao();
    QLineEdit* Procurar(const std::string& etiqueta) const;
    static bool TemTexto(const QLineEdit* edit);

    std::vector<Campo> campos_;
    QLineEdit* nome_ = nullptr;
    QPushButton* localizar_ = nullptr;
    QPushButton* fechar_ = nullptr;
};

// Each shows its window modally and returns the tagged text (empty when cancelled).
std::string PesquisarEmpresa(int modo, QWidget* pai = nullptr);
TResultadoPesquisa PesquisarEmpresaOuTrabalhador(QWidget* pai = nullptr);
std::string PesquisarTrabalhador(QWidget* pai = nullptr);
std::string PesquisarProtocolo(const std::string& texto, int modo, QWidget* pai = nullptr);

// The record of a tagged text (what PesquisarEmpresaOuTrabalhador returns).
TResultadoPesquisa InterpretarPesquisa(const std::string& texto);

} // namespace drav
