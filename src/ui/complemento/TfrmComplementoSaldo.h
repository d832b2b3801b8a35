#pragma once
#include "core/Datas.h"

#include <QDialog>

#include <array>
#include <cstdint>
#include <memory>
#include <string>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace drav {

class ITabelasIndices;
class TComplementoSaldo;
class TDBUtils;
class TMensagens;

// The link a complement window works on.
struct TChaveComplemento {
    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;
};

// The balance complements of one link, one tab per kind ("Não Recolhidos", "Recolhidos e Não
// Processados", "Recolhidos e Não Individualizados"). A complement is added in the tab of its
// kind and stored at once with its computed deposit; the messages of each tab carry its prefix
// ("43", "44", "45").
class TfrmComplementoSaldo : public QDialog {
    Q_OBJECT
public:
    // `pagamento` is the payment date of the open collection (NullDate when none is open: nothing
    // can then be added). The tables and the edital are those the deposits are computed with.
    TfrmComplementoSaldo(TDBUtils& sessao, const ITabelasIndices& tabelas, TDateTime edital, TDateTime pagamento,
                         TMensagens& mensagens, const TChaveComplemento& chave, QWidget* parent = nullptr);
    ~TfrmComplementoSaldo() override;

    QTabWidget* pgcTipos() const { return pgcTipos_; }
    QTableWidget* Grade(int tipo) const { return grades_[static_cast<std::size_t>(tipo - 1)]; }
    QComboBox* cboMes() const { return cboMes_; }
    QComboBox* cboAno() const { return cboAno_; }
    QLineEdit* edtRemuneracao() const { return edtRemuneracao_; }
    QPushButton* btnIncluir() const { return btnIncluir_; }
    QPushButton* btnExcluir() const { return btnExcluir_; }
    QLabel* lblTotal() const { return lblTotal_; }

    // The kind of the tab in front: "1", "2" or "3".
    std::string TipoAtual() const;
    // Reads the link's complements again into the three grids.
    void Carregar();

private slots:
    void btnIncluirClick();
    void btnExcluirClick();

private:
    std::unique_ptr<TComplementoSaldo> NovoComplemento() const;
    std::string Prefixo() const;

    TDBUtils& sessao_;
    const ITabelasIndices& tabelas_;
    TDateTime edital_;
    TDateTime pagamento_;
    TMensagens& mensagens_;
    TChaveComplemento chave_;

    QTabWidget* pgcTipos_ = nullptr;
    std::array<QTableWidget*, 3> grades_{};
    QComboBox* cboMes_ = nullptr;
    QComboBox* cboAno_ = nullptr;
    QLineEdit* edtRemuneracao_ = nullptr;
    QPushButton* btnIncluir_ = nullptr;
    QPushButton* btnExcluir_ = nullptr;
    QPushButton* btnFechar_ = nullptr;
    QLabel* lblTotal_ = nullptr;
};

} // namespace drav
