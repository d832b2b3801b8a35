#pragma once
#include "core/Datas.h"

#include <QFrame>

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace drav {

class TArvore;
class TMensagens;

// The frame of the "Movimento" root: the payment date of the open collection, opened or re-dated
// with "&Nova Abertura" and "&Salvar", with the collection's commands beside it. Messages carry
// the prefix "FE".
class TfrmAbreMovimento : public QFrame {
    Q_OBJECT
public:
    TfrmAbreMovimento(TArvore& arvore, TMensagens& mensagens, const TDateTime& dataEdital, QWidget* parent = nullptr);

    // Shows the open collection's date and the count of links in each state.
    void Mostrar();
    bool Editando() const { return editando_; }

    QLineEdit* edtDataRecolhimento() const { return edtData_; }
    QPushButton* btnNovaAbertura() const { return btnNova_; }
    QPushButton* btnSimulacao() const { return btnSimulacao_; }
    QPushButton* btnFechamento() const { return btnFechamento_; }
    QPushButton* btnSalvar() const { return btnSalvar_; }
    QPushButton* btnCancelar() const { return btnCancelar_; }

signals:
    // The main window locks its navigation while the date is typed.
    void edicaoAlterada(bool editando);
    void aberturaGravada();

private:
    void NovaAbertura();
    void Salvar();
    void Cancelar();
    void EntrarEdicao(bool editando);
    void EscolherData();

    TArvore& arvore_;
    TMensagens& mensagens_;
    const TDateTime& dataEdital_;
    TDateTime dataAnterior_ = NullDate;
    bool editando_ = false;
    QLineEdit* edtData_ = nullptr;
    QToolButton* btnCalendario_ = nullptr;
    QLabel* lblPeriodo_ = nullptr;
    QLabel* lblSituacao_ = nullptr;
    QPushButton* btnNova_ = nullptr;
    QPushButton* btnSimulacao_ = nullptr;
    QPushButton* btnFechamento_ = nullptr;
    QPushButton* btnSalvar_ = nullptr;
    QPushButton* btnCancelar_ = nullptr;
};

// The tooltip of a command whose module comes in a later version.
QString TextoVersaoFutura();

} // namespace drav
