#pragma once
#include <QDialog>

#include <string>

class QLabel;
class QPushButton;
class QTableWidget;

namespace drav {

class TDBUtils;
class TMensagens;

// The worker-name changes the bank reported, with the user's decision on each: the question is
// the one the main window asks on a change node (Yes keeps the registered name, No adopts the
// bank's, Cancel leaves it pending). The list is reloaded after every decision.
class TfrmAlteracaoNome : public QDialog {
    Q_OBJECT
public:
    TfrmAlteracaoNome(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai = nullptr);

    void Carregar();

    QTableWidget* grdAlteracoes() const { return grd_; }
    QPushButton* btnDecidir() const { return btnDecidir_; }
    QPushButton* btnFechar() const { return btnFechar_; }
    QLabel* lblSituacao() const { return lblSituacao_; }

private:
    void btnDecidirClick();

    TDBUtils& sessao_;
    TMensagens& mensagens_;
    QTableWidget* grd_;
    QPushButton* btnDecidir_;
    QPushButton* btnFechar_;
    QLabel* lblSituacao_;
};

} // namespace drav
