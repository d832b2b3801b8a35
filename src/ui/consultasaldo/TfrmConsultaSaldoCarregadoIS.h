#pragma once
#include <QDialog>

#include <cstdint>
#include <functional>
#include <memory>

class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace drav {

struct ContextoAplicacao;
class TContaSaldoTrabalhador;
class TDBUtils;
class TEmpresa;
class TMensagens;

// "Consulta Saldo Rescisório": the worker accounts the balance loads stored, per employer on the
// "Empresa" tab (with the employer's summed balance) and, for the selected employer, account by
// account on the "Trabalhador" tab. "Excl&uir" removes the accounts of the employer or of the
// selected worker and the links' balances follow; accounts of closed or processed links are never
// removed here, since their rescission file was already computed with them.
class TfrmConsultaSaldoCarregadoIS : public QDialog {
    Q_OBJECT
public:
    // Columns of the employer grid; the last one is hidden.
    enum ColunaEmpresa { ceInscricao, ceRazaoSocial, ceSaldo, ceTipo, ceTotal };
    // Columns of the worker grid; from ctConta on they are hidden and hold the account's key.
    enum ColunaConta {
        ctPis, ctNome, ctAdmissao, ctCategoria, ctDataJuros, ctSaldo, ctConta, ctInscricao, ctCategoriaNum, ctTipo,
        ctTotal
    };

    TfrmConsultaSaldoCarregadoIS(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai = nullptr);
    ~TfrmConsultaSaldoCarregadoIS() override;

    // Told after a deletion changed accounts, so the navigation tree redraws the links' pictures
    // and drops the name-change nodes that went with them. May stay empty.
    std::function<void()> AoAlterarContas;
    // Picks one of several matches of "&Localizar" (their texts); -1 when the user gave up. The
    // default is the window "Seleção de Conta Saldo".
    std::function<int(const QStringList&)> EscolherEntre;

    bool TemEmpresas() const;
    // Whether the employer list could not be read ("0144").
    bool FalhaLeitura() const { return falhaLeitura_; }

    // What "&Localizar" does with the typed text on the tab being shown: an inscription on the
    // employer tab, a PIS or part of a name on the worker tab. True when a row was selected.
    bool Localizar(const QString& texto);

    QTabWidget* pgcAbas() const { return pgcAbas_; }
    QTreeWidget* grdEmpresas() const { return grdEmpresas_; }
    QTreeWidget* grdTrabalhadores() const { return grdContas_; }
    QPushButton* btnExcluir() const { return btnExcluir_; }
    QPushButton* btnLocalizar() const { return btnLocalizar_; }
    QPushButton* btnImprimir() const { return btnImprimir_; }
    QPushButton* btnFechar() const { return btnFechar_; }

public slots:
    void btnExcluirClick();
    void btnLocalizarClick();

private:
    void CarregarEmpresas();
    // Fills the worker grid with the selected employer's accounts; false when it has none.
    bool CarregarContas();
    void AbaAlterada(int indice);
    void ExcluirEmpresa();
    void ExcluirConta();
    // The employer's summed balance read again into its row; the row goes when it has no account.
    void AtualizarLinhaEmpresa(QTreeWidgetItem* linha);
    int EscolherPadrao(const QStringList& opcoes);

    TDBUtils& sessao_;
    TMensagens& mensagens_;
    std::unique_ptr<TEmpresa> empresa_;
    std::unique_ptr<TContaSaldoTrabalhador> conta_;
    bool falhaLeitura_ = false;
    bool trocandoAba_ = false;

    QTabWidget* pgcAbas_ = nullptr;
    QTreeWidget* grdEmpresas_ = nullptr;
    QTreeWidget* grdContas_ = nullptr;
    QPushButton* btnExcluir_ = nullptr;
    QPushButton* btnLocalizar_ = nullptr;
    QPushButton* btnImprimir_ = nullptr;
    QPushButton* btnFechar_ = nullptr;
};

// The main window's "&Saldo Rescisório": the window above, modal, when some employer has loaded
// accounts; otherwise "SR0178" as information and no window. `recarregarArvore` runs after each
// deletion that changed accounts.
void ConsultarSaldosCarregados(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens,
                               std::function<void()> recarregarArvore);

} // namespace drav
