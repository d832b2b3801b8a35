#pragma once
#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QWidget;

namespace drav {

class TMensagens;

// What the first-use wizard can do; an empty function is a way not available in this version.
struct ServicosEntrada {
    // Imports the chosen payroll file; true when it succeeded.
    std::function<bool(const QString& arquivo)> importarFolha;
    // Builds the responsible entry frame inside the wizard.
    std::function<QWidget*(QWidget* pai)> criarFrameResponsavel;
    // Validates the frame's fields; false leaves the wizard as it is (the frame showed why).
    std::function<bool()> validarResponsavel;
    // Saves the responsible the frame holds.
    std::function<void()> salvarResponsavel;
    // Runs the backup restore; exceptions reach the caller's handler.
    std::function<void(bool formatoAntigo)> restaurarBackup;
    // True when the database now has an employer.
    std::function<bool()> existeEmpresa;
};

// First-use wizard: import a payroll, enter the responsible by hand, or restore a backup.
class TfrmEntrada : public QDialog {
    Q_OBJECT
public:
    TfrmEntrada(TMensagens& mensagens, ServicosEntrada servicos, QWidget* parent = nullptr);

    // Accepts only a file named DRAV.re (any case) that exists.
    static bool ArquivoFolhaAceito(const QString& caminho);

    QRadioButton* rbImportar() const { return rbImportar_; }
    QRadioButton* rbCadastrar() const { return rbCadastrar_; }
    QRadioButton* rbRestaurar() const { return rbRestaurar_; }
    QPushButton* btnAvancar() const { return btnAvancar_; }
    QPushButton* btnVoltar() const { return btnVoltar_; }
    QPushButton* btnCancelar() const { return btnCancelar_; }

    // The file dialog is replaceable so the import path can be exercised without a person.
    std::function<QString(QWidget*)> escolherArquivo;

private slots:
    void btnAvancarClick();
    void btnVoltarClick();

private:
    void Importar();
    void Cadastrar();
    void Restaurar();
    void Indisponivel();
    void Centralizar();
    void HabilitarPaineis(bool habilitar);

    TMensagens& mensagens_;
    ServicosEntrada servicos_;
    QWidget* painelTexto_ = nullptr;
    QGroupBox* grupo_ = nullptr;
    QRadioButton* rbImportar_ = nullptr;
    QRadioButton* rbCadastrar_ = nullptr;
    QRadioButton* rbRestaurar_ = nullptr;
    QRadioButton* rbRestaurarAntigo_ = nullptr;
    QPushButton* btnVoltar_ = nullptr;
    QPushButton* btnAvancar_ = nullptr;
    QPushButton* btnCancelar_ = nullptr;
    QWidget* frameResponsavel_ = nullptr;
};

} // namespace drav
