#pragma once
#include "ui/cadastro/TFramePadrao.h"

#include <QtGlobal>

#include <memory>

class QComboBox;
class QLineEdit;

namespace drav {

class TDBUtils;
class TEmpresa;

// The employer's entry frame, shown for an employer of the tree and for a new one. Messages carry
// the prefix "10".
class TfrmEmpresas : public TFramePadrao {
    Q_OBJECT
public:
    TfrmEmpresas(TDBUtils& sessao, TMensagens& mensagens, QWidget* parent = nullptr);
    ~TfrmEmpresas() override;

    // The frame's employer; the main window may set its Ouvinte.
    TEmpresa& Empresa() const { return *empresa_; }

    // Fills the pick lists from their tables (once).
    void PrepararCombos();
    // Starts typing a new employer.
    void NovaEmpresa();
    // Loads an employer for browsing; false when it is not registered (the fields are emptied).
    bool CarregarEmpresa(int tipo, qint64 numero);

    // The checks in the form's order; the first failure shows "10" + its code and stops.
    bool Validar() override;
    // Inserts (inclusion) or updates (alteration) without asking; false after showing the failure.
    bool Gravar();
    // Asks the confirmation that fits the employer's links and deletes it with everything below
    // it. False when the user said No or nothing is loaded.
    bool Excluir();

    QComboBox* cmbTipoInscricao() const { return cmbTipo_; }
    QLineEdit* edtInscricao() const { return edtInscricao_; }
    QLineEdit* edtRazaoSocial() const { return edtRazao_; }
    QLineEdit* edtLogradouro() const { return edtLogradouro_; }
    QLineEdit* edtBairro() const { return edtBairro_; }
    QLineEdit* edtCep() const { return edtCep_; }
    QLineEdit* edtLocalidade() const { return edtLocalidade_; }
    QComboBox* cmbUf() const { return cmbUf_; }
    QLineEdit* edtDdd() const { return edtDdd_; }
    QLineEdit* edtTelefone() const { return edtTelefone_; }
    QComboBox* cmbCnae() const { return cmbCnae_; }
    QComboBox* cmbFpas() const { return cmbFpas_; }
    QComboBox* cmbSimples() const { return cmbSimples_; }

signals:
    void empresaGravada(int tipo, qint64 numero, bool nova);
    void empresaExcluida(int tipo, qint64 numero);

protected slots:
    void btnAlterarClick() override;
    void btnSalvarClick() override;
    void btnCancelarClick() override;
    void btnExcluirClick() override;

private:
    // A typed inscription of a new employer: the responsible's row is taken over, an employer
    // already registered is refused.
    void edtInscricaoExit();
    void CopiarParaObjeto();
    void MostrarObjeto();

    TDBUtils& sessao_;
    std::unique_ptr<TEmpresa> empresa_;
    bool combosProntos_ = false;
    int tipoCarregado_ = 0;
    qint64 numeroCarregado_ = 0;
    QComboBox* cmbTipo_ = nullptr;
    QLineEdit* edtInscricao_ = nullptr;
    QLineEdit* edtRazao_ = nullptr;
    QLineEdit* edtLogradouro_ = nullptr;
    QLineEdit* edtBairro_ = nullptr;
    QLineEdit* edtCep_ = nullptr;
    QLineEdit* edtLocalidade_ = nullptr;
    QComboBox* cmbUf_ = nullptr;
    QLineEdit* edtDdd_ = nullptr;
    QLineEdit* edtTelefone_ = nullptr;
    QComboBox* cmbCnae_ = nullptr;
    QComboBox* cmbFpas_ = nullptr;
    QComboBox* cmbSimples_ = nullptr;
};

} // namespace drav
