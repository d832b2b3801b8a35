#pragma once
#include <QDialog>
#include <QFileDialog>
#include <QString>

#include <functional>

class QLabel;
class QWidget;

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// The open dialog of the index archive: a file may be taken only when it exists and is named
// "IndicesDRAV.zip" (exactly) or "IND_DRAV.ZIP" (any case); any other choice keeps the dialog open.
class TDialogoArquivoIndices : public QFileDialog {
    Q_OBJECT
public:
    explicit TDialogoArquivoIndices(QWidget* pai);
    void accept() override;
};

// The wait window shown, without being modal, while the archive is installed.
class TfrmImportacaoIndice : public QDialog {
    Q_OBJECT
public:
    explicit TfrmImportacaoIndice(QWidget* pai);
    // Repaints the window while the work holds the event loop.
    void Atualizar();

private:
    QLabel* Label1 = nullptr;
};

// Installs the chosen archive with the wait window up, then refreshes the main window's view
// (when the edital was installed), reads the process-wide dates again and tells the outcome:
// "TI0074", or "TI" and the code of the step that failed. True when the edital was installed.
bool ExecutarImportacaoIndices(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens, const QString& arquivo,
                               const std::function<void()>& recarregarArvore = {});

// The main menu's "&Índices do FGTS": asks for the archive and installs it. False when the dialog
// was cancelled or the import did not succeed.
bool ImportarIndices(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens,
                     std::function<void()> recarregarArvore = {});

} // namespace drav
