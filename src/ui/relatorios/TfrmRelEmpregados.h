#pragma once
#include <QDialog>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

class QButtonGroup;
class QGroupBox;
class QPushButton;

namespace drav {

class TDBUtils;
class TMensagens;

// "Relatório de Trabalhadores": the order of the workers within each employer. "&Imprimir"
// lists the employers chosen in the previous window, in that window's employer order followed by
// the order chosen here.
class TfrmRelEmpregados : public QDialog {
    Q_OBJECT
public:
    enum OrdemTrabalhador { PorPis = 0, PorNome, PorAdmissao, PorCategoria };

    TfrmRelEmpregados(TDBUtils& sessao, TMensagens& mensagens, std::string ordemEmpresas, bool todas,
                      std::vector<int64_t> inscricoes, QWidget* pai = nullptr);

    // The whole order handed to the listing.
    std::string Ordem() const;

    // Runs the listing in that order; by default it prepares and previews it ("RE0086" when there
    // is nothing to list).
    std::function<bool(const std::string& ordem)> Visualizar;

    QGroupBox* rgOrdenacao() const { return grupo_; }
    QButtonGroup* opcoesOrdem() const { return opcoes_; }
    QPushButton* btnImprimir() const { return btnImprimir_; }
    QPushButton* btnFechar() const { return btnFechar_; }

public slots:
    void btnImprimirClick();

private:
    std::string ordemEmpresas_;
    QGroupBox* grupo_ = nullptr;
    QButtonGroup* opcoes_ = nullptr;
    QPushButton* btnImprimir_ = nullptr;
    QPushButton* btnFechar_ = nullptr;
};

} // namespace drav
