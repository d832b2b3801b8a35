#pragma once
#include "core/Datas.h"
#include "files/CargaSaldo.h"

#include <QDialog>

#include <string>
#include <vector>

class QPushButton;
class QTreeWidget;

namespace drav {

class ITabelasIndices;
class TDBUtils;
class TMensagens;

// "Confirmação de Atualização de Saldo Rescisório": the links already closed, sent or paid for
// which the balance file brought accounts, one row each, every row selected at first. "&Salvar"
// stores the accounts of the selected rows (after "Confirmar dados?") and reopens those links;
// "&Cancelar" leaves everything as it is.
class TfrmConfirmaSaldo : public QDialog {
    Q_OBJECT
public:
    enum class Desfecho { Cancelado, Gravado, GravadoComPendencia, Falhou };

    TfrmConfirmaSaldo(TDBUtils& sessao, TMensagens& mensagens, const ITabelasIndices& tabelas, TDateTime dataEdital,
                      std::vector<TVinculoPendente> vinculos, QWidget* pai = nullptr);
    ~TfrmConfirmaSaldo() override;

    Desfecho Resultado() const { return desfecho_; }
    // The reason of a failed save, for the error log.
    const std::string& Erro() const { return erro_; }
    // The links ticked now.
    std::vector<TVinculoPendente> Selecionados() const;

    QTreeWidget* grdVinculos() const { return grade_; }
    QPushButton* btnSalvar() const { return btnSalvar_; }
    QPushButton* btnCancelar() const { return btnCancelar_; }

public slots:
    void btnSalvarClick();

private:
    TDBUtils& sessao_;
    TMensagens& mensagens_;
    const ITabelasIndices& tabelas_;
    TDateTime dataEdital_;
    std::vector<TVinculoPendente> vinculos_;
    Desfecho desfecho_ = Desfecho::Cancelado;
    std::string erro_;
    QTreeWidget* grade_ = nullptr;
    QPushButton* btnSalvar_ = nullptr;
    QPushButton* btnCancelar_ = nullptr;
};

} // namespace drav
