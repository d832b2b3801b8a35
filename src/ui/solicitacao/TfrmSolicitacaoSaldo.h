#pragma once
#include "core/Datas.h"
#include "model/RegRegistro.h"

#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QTreeWidget;
class QPushButton;
class QTabWidget;

namespace drav {

struct ContextoAplicacao;
class TDBUtils;
class TMensagens;

// Choosing what goes into a balance request: employers on the "Empresa" tab and, per employer,
// its links on the "Trabalhador" tab. Until an employer's links are opened on that tab every one
// of them is requested. The window only builds the entries; the request itself (save dialog,
// protocol, seal) is whatever ExecutarSolicitacao does, and the window closes when it succeeds.
class TfrmSolicitacaoSaldo : public QDialog {
    Q_OBJECT
public:
    TfrmSolicitacaoSaldo(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai = nullptr);
    ~TfrmSolicitacaoSaldo() override;

    // True when the envelope was written.
    std::function<bool(const TArrRegRegistro&)> ExecutarSolicitacao;

    // The "40" entries of the current choice, employer by employer in the order of the selected
    // list, each employer's links ordered by worker name.
    TArrRegRegistro Entradas() const;

    QTabWidget* pgcAbas() const { return pgcAbas_; }
    QTreeWidget* lstEmpresasDisponiveis() const { return lstEmpDisp_; }
    QTreeWidget* lstEmpresasSelecionadas() const { return lstEmpSel_; }
    QPushButton* btnIncluirEmpresa() const { return btnEmpIncluir_; }
    QPushButton* btnIncluirTodasEmpresas() const { return btnEmpIncluirTodas_; }
    QPushButton* btnRetirarEmpresa() const { return btnEmpRetirar_; }
    QPushButton* btnRetirarTodasEmpresas() const { return btnEmpRetirarTodas_; }
    QComboBox* cboEmpresa() const { return cboEmpresa_; }
    QTreeWidget* lstVinculosDisponiveis() const { return lstVincDisp_; }
    QTreeWidget* lstVinculosSelecionados() const { return lstVincSel_; }
    QPushButton* btnIncluirVinculo() const { return btnVincIncluir_; }
    QPushButton* btnIncluirTodosVinculos() const { return btnVincIncluirTodos_; }
    QPushButton* btnRetirarVinculo() const { return btnVincRetirar_; }
    QPushButton* btnRetirarTodosVinculos() const { return btnVincRetirarTodos_; }
    QPushButton* btnSolicitar() const { return btnSolicitar_; }
    QPushButton* btnFechar() const { return btnFechar_; }

private:
    struct TVinculoItem {
        int64_t Pis = 0;
        int Categoria = 0;
        TDateTime Admissao = NullDate;
        std::string Nome;
        bool Selecionado = true;
    };
    struct TEmpresaItem {
        int Tipo = 0;
        int64_t Inscricao = 0;
        std::string Nome;
        bool Selecionada = false;
        bool Aberta = false; // its links were shown on the "Trabalhador" tab
        std::vector<TVinculoItem> Vinculos;
    };

    void CarregarEmpresas();
    std::vector<TVinculoItem> LerVinculos(const TEmpresaItem& e) const;
    // The links the request takes for a selected employer.
    std::vector<TVinculoItem> VinculosPedidos(const TEmpresaItem& e) const;

    // The lists are views of the flags above: every move changes the flags and redraws.
    void MostrarEmpresas(const std::vector<int>& destacar = {});
    void MostrarVinculos(const std::vector<int>& destacar = {});
    void AtualizarEmpresaDosVinculos();
    TEmpresaItem* EmpresaDosVinculos();
    void AbrirEmpresaDosVinculos();
    void AtualizarSituacao();

    void MoverEmpresas(const QTreeWidget* origem, bool todas);
    void MoverVinculos(const QTreeWidget* origem, bool todos);

    void btnSolicitarClick();

    TDBUtils& sessao_;
    TMensagens& mensagens_;
    std::vector<TEmpresaItem> empresas_;

    QTabWidget* pgcAbas_ = nullptr;
    QTreeWidget* lstEmpDisp_ = nullptr;
    QTreeWidget* lstEmpSel_ = nullptr;
    QPushButton* btnEmpIncluir_ = nullptr;
    QPushButton* btnEmpIncluirTodas_ = nullptr;
    QPushButton* btnEmpRetirar_ = nullptr;
    QPushButton* btnEmpRetirarTodas_ = nullptr;
    QComboBox* cboEmpresa_ = nullptr;
    QTreeWidget* lstVincDisp_ = nullptr;
    QTreeWidget* lstVincSel_ = nullptr;
    QPushButton* btnVincIncluir_ = nullptr;
    QPushButton* btnVincIncluirTodos_ = nullptr;
    QPushButton* btnVincRetirar_ = nullptr;
    QPushButton* btnVincRetirarTodos_ = nullptr;
    QLabel* lblSituacao_ = nullptr;
    QPushButton* btnSolicitar_ = nullptr;
    QPushButton* btnFechar_ = nullptr;
};

// The balance request of the main window's command: the window above, and the request through
// the save dialog of the envelope.
void AbrirSolicitacaoSaldo(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens);

} // namespace drav
