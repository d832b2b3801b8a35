#pragma once
#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QCheckBox;
class QPushButton;
class QTableWidget;

namespace drav {

struct TEmpresaSelecao {
    int Tipo = 0;
    std::string Inscricao; // digits
    std::string RazaoSocial;
};

// "Selecionar Empresa": a grid of employers in which the user marks rows by clicking, with
// "&Selecionar Todas" to mark every one. Sorting the grid by a column decides the order in which
// the employers are later listed. What "&Imprimir" does is the derived window's.
class TfrmModeloSelecaoEmpresaTrabalhador : public QDialog {
    Q_OBJECT
public:
    enum Coluna { ColInscricao = 0, ColRazaoSocial = 1, ColTipo = 2 };

    explicit TfrmModeloSelecaoEmpresaTrabalhador(QWidget* pai = nullptr);

    // Replaces the rows; the first one is marked and the grid is in company-name order.
    void DefinirEmpresas(const std::vector<TEmpresaSelecao>& empresas);

    // The employer columns to list by, as the grid is sorted: "NO_RAZAO_SOCIAL" until the user
    // sorts by the inscription ("NU_TIPO_INSO_EMPRA,NU_INSCRICAO").
    std::string OrdemEmpresas() const { return ordemEmpresas_; }
    // "&Selecionar Todas" checked.
    bool Todas() const;
    // Inscriptions of the marked rows, as numbers, in the grid's order.
    std::vector<int64_t> InscricoesMarcadas() const;
    // Sorts as a click on the column's title does.
    void Ordenar(int coluna);

    QTableWidget* grdEmpresas() const { return grade_; }
    QCheckBox* chkSelecionarTodas() const { return chkTodas_; }
    QPushButton* btnImprimir() const { return btnImprimir_; }
    QPushButton* btnFechar() const { return btnFechar_; }

protected:
    virtual void Imprimir() = 0;

private:
    void SelecionarTodasAlterado(bool marcada);
    void MarcacaoAlterada();
    void MarcarPrimeira();
    bool TodasMarcadas() const;

    QTableWidget* grade_ = nullptr;
    QCheckBox* chkTodas_ = nullptr;
    QPushButton* btnImprimir_ = nullptr;
    QPushButton* btnFechar_ = nullptr;
    std::string ordemEmpresas_ = "NO_RAZAO_SOCIAL";
    // Set while the program itself changes the marks or the check box, whose reactions are
    // meant for the user's clicks only.
    bool ajustando_ = false;
};

} // namespace drav
