#pragma once
#include "ui/cadastro/TFramePadrao.h"

#include <memory>

class QComboBox;
class QLineEdit;

namespace drav {

class TDBUtils;
class TResponsavel;

// The responsible's entry frame: shown for the root of the tree, and inside the first-use
// wizard to register the first responsible. Messages carry the prefix "00".
class TfrmResponsavel : public TFramePadrao {
    Q_OBJECT
public:
    TfrmResponsavel(TDBUtils& sessao, TMensagens& mensagens, QWidget* parent = nullptr);
    ~TfrmResponsavel() override;

    TResponsavel& Responsavel() const { return *responsavel_; }

    // Fills the state list from its table (once).
    void PrepararCombos();
    // Starts typing a new responsible (inclusion mode, empty fields, unlocked).
    void NovoCadastro();
    // Loads the stored responsible and shows it for browsing.
    void Carregar();

    // The checks in the form's order; the first failure shows "00" + its code and stops.
    bool Validar() override;
    // Writes the typed responsible without asking: a new one is inserted, an edited one saved
    // (moving the role when the inscription changed) and reloaded. False after the failure was
    // shown. Database failures of an insert reach the caller.
    bool Gravar();

    QComboBox* cmbTipoInscricao() const { return cmbTipo_; }
    QLineEdit* edtInscricao() const { return edtInscricao_; }
    QLineEdit* edtRazaoSocial() const { return edtRazao_; }
    QLineEdit* edtNomeContato() const { return edtContato_; }
    QLineEdit* edtDdd() const { return edtDdd_; }
    QLineEdit* edtTelefone() const { return edtTelefone_; }
    QLineEdit* edtEmail() const { return edtEmail_; }
    QLineEdit* edtLogradouro() const { return edtLogradouro_; }
    QLineEdit* edtBairro() const { return edtBairro_; }
    QLineEdit* edtCep() const { return edtCep_; }
    QLineEdit* edtLocalidade() const { return edtLocalidade_; }
    QComboBox* cmbUf() const { return cmbUf_; }

signals:
    // After a save: the tree's root shows the new name and key.
    void responsavelGravado();

protected slots:
    void btnSalvarClick() override;
    void btnCancelarClick() override;

private:
    void CopiarParaObjeto();
    void MostrarObjeto();

    TDBUtils& sessao_;
    std::unique_ptr<TResponsavel> responsavel_;
    bool combosProntos_ = false;
    QComboBox* cmbTipo_ = nullptr;
    QLineEdit* edtInscricao_ = nullptr;
    QLineEdit* edtRazao_ = nullptr;
    QLineEdit* edtContato_ = nullptr;
    QLineEdit* edtDdd_ = nullptr;
    QLineEdit* edtTelefone_ = nullptr;
    QLineEdit* edtEmail_ = nullptr;
    QLineEdit* edtLogradouro_ = nullptr;
    QLineEdit* edtBairro_ = nullptr;
    QLineEdit* edtCep_ = nullptr;
    QLineEdit* edtLocalidade_ = nullptr;
    QComboBox* cmbUf_ = nullptr;
};

} // namespace drav
