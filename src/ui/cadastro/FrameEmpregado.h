#pragma once
#include "model/CadastroTrabalhador.h"
#include "ui/cadastro/TFramePadrao.h"

#include <QtGlobal>

#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace drav {

class TDBUtils;
class TEmpregado;

// The worker's entry frame: the worker, the link with the selected employer and the link's
// rescission data, on three pages. Messages carry the prefix "40".
//
// Its locks follow the choices as they are made: indemnified notice takes a notice pay and no
// notice start, worked or absent notice no pay; a director (category 5) has absent notice and no
// work card; a domestic worker's occupation is 005121; "no pension" takes no value and a percentage
// never exceeds 100.
class TfrmFuncionarios : public TFramePadrao {
    Q_OBJECT
public:
    TfrmFuncionarios(TDBUtils& sessao, TMensagens& mensagens, QWidget* parent = nullptr);
    ~TfrmFuncionarios() override;

    TEmpregado& Trabalhador() const { return *trabalhador_; }

    // Fills the pick lists from their tables (once).
    void PrepararCombos();
    // Starts typing a new worker for the employer.
    void NovoTrabalhador(int tipoInscricao, qint64 inscricao);
    // Loads a link for browsing; false when it is not registered (the fields are emptied).
    bool CarregarVinculo(int tipoInscricao, qint64 inscricao, const std::string& pis, int categoria,
                         double admissao);

    // The checks in the form's order; the first failure shows "40" + its code, turns to the page
    // of its field and focuses it.
    bool Validar() override;
    // Inserts (inclusion) or updates (alteration) without asking for confirmation; false after
    // showing why.
    bool Gravar();
    // Asks the confirmation that fits the link's state and deletes the link with every row that
    // depends on it (and the worker with its last link).
    bool Excluir();
    void LimparCampos() override;

    // The pages stay browsable while the fields are locked.
    QTabBar* Paginas() const { return abas_; }
    QWidget* Campo(CampoCadastro campo) const;
    QLineEdit* edtSaldoBanco() const { return edtSaldoBanco_; }
    QLineEdit* edtSaldoEmpresa() const { return edtSaldoEmpresa_; }
    QPushButton* btnOcorrenciaSaldo() const { return btnOcorrencia_; }

signals:
    void trabalhadorGravado(int tipoInscricao, qint64 inscricao, QString pis, int categoria, double admissao,
                            bool novo);
    void trabalhadorExcluido(int tipoInscricao, qint64 inscricao, QString pis, int categoria, double admissao);
    // The balance occurrence listing of the shown link was asked for.
    void ocorrenciaSaldoSolicitada(int tipoInscricao, qint64 inscricao, QString pis, int categoria, double admissao);

protected slots:
    void btnAlterarClick() override;
    void btnSalvarClick() override;
    void btnCancelarClick() override;
    void btnExcluirClick() override;

protected:
    bool eventFilter(QObject* alvo, QEvent* evento) override;

private:
    void MontarPaginaTrabalhador(QWidget* p);
    void MontarPaginaVinculo(QWidget* p);
    void MontarPaginaRescisao(QWidget* p);
    void LigarTravas();

    void CategoriaAlterada();
    void AvisoAlterado();
    void PensaoAlterada();
    void ValorPensaoEditado();
    void edtPisExit();

    void MostrarObjeto();
    void CopiarParaObjeto();
    void MostrarEmpresa();
    void TravarChave(bool travar);
    void AtualizarBotoes();

    TDBUtils& sessao_;
    std::unique_ptr<TEmpregado> trabalhador_;
    bool combosProntos_ = false;
    bool carregado_ = false;
    int tipoEmpresa_ = 0;
    qint64 inscricaoEmpresa_ = 0;

    QTabBar* abas_ = nullptr;
    QStackedWidget* paginas_ = nullptr;
    QLabel* lblEmpresa_ = nullptr;
    // worker
    QLineEdit* edtPis_ = nullptr;
    QLineEdit* edtNome_ = nullptr;
    QLineEdit* edtCpf_ = nullptr;
    QComboBox* cmbSexo_ = nullptr;
    QComboBox* cmbGrauInstrucao_ = nullptr;
    QLineEdit* edtCtps_ = nullptr;
    QLineEdit* edtSerieCtps_ = nullptr;
    QLineEdit* edtNascimento_ = nullptr;
    // link
    QComboBox* cmbCategoria_ = nullptr;
    QLineEdit* edtAdmissao_ = nullptr;
    QLineEdit* edtOpcao_ = nullptr;
    QComboBox* cmbCbo_ = nullptr;
    QComboBox* cmbMovimentacao_ = nullptr;
    QLineEdit* edtDataMovimentacao_ = nullptr;
    QComboBox* cmbSaque_ = nullptr;
    QComboBox* cmbAviso_ = nullptr;
    QLineEdit* edtInicioAviso_ = nullptr;
    QLineEdit* edtHoras_ = nullptr;
    QComboBox* cmbReposicao_ = nullptr;
    QComboBox* cmbTipoTomador_ = nullptr;
    QLineEdit* edtTomador_ = nullptr;
    QLineEdit* edtBanco_ = nullptr;
    QLineEdit* edtAgencia_ = nullptr;
    QLineEdit* edtConta_ = nullptr;
    // rescission data
    QLineEdit* edtRemuneracaoAnterior_ = nullptr;
    QLineEdit* edtRemuneracaoRescisao_ = nullptr;
    QLineEdit* edtValorAviso_ = nullptr;
    QLineEdit* edtDataDissidio_ = nullptr;
    QLineEdit* edtValorDissidio_ = nullptr;
    QComboBox* cmbPensao_ = nullptr;
    QLineEdit* edtValorPensao_ = nullptr;
    QLineEdit* edtSaldoBanco_ = nullptr;
    QLineEdit* edtSaldoEmpresa_ = nullptr;
    QPushButton* btnOcorrencia_ = nullptr;
};

} // namespace drav
