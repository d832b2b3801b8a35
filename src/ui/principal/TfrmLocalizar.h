#pragma once
#include "core/Datas.h"

#include <QDialog>

#include <cstdint>
#include <vector>

class QButtonGroup;
class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace drav {

class TDBUtils;
class TMensagens;

// What the search found on the chosen line: an employer, or one link of a worker.
struct TChaveLocalizada {
    bool Vinculo = false;
    int TipoInscricao = 0;
    int64_t Inscricao = 0;
    int64_t Pis = 0;
    int Categoria = 0;
    TDateTime DataAdmissao = NullDate;
};

// "Localizar Empresa/Trabalhador": searches employers by name, CNPJ or CEI and workers by name or
// PIS; the line selected when the window closes is its result. Typed texts reach the database only
// as quoted literals or checked numbers.
class TfrmLocalizar : public QDialog {
    Q_OBJECT
public:
    TfrmLocalizar(TDBUtils& sessao, TMensagens& mensagens, QWidget* parent = nullptr);

    // Valid after the window closed with lines found.
    bool TemResultado() const;
    TChaveLocalizada Resultado() const;

    // Keys: 0 "Nome", 1 "CNPJ", 2 "CEI", 3 "PIS/PASEP". Subjects: 0 "Empresa", 1 "Trabalhador".
    void DefinirChave(int chave);
    QComboBox* cmbProcurarPor() const { return cmbProcurar_; }
    QLineEdit* edtConteudo() const { return edtConteudo_; }
    QTableWidget* grdResultado() const { return grade_; }
    QPushButton* btnLocalizar() const { return btnLocalizar_; }
    QPushButton* btnFechar() const { return btnFechar_; }

    void Localizar();

private:
    void ChaveAlterada(int chave);
    void ProcurarPorAlterado();
    void PrepararGrade();
    void AdicionarLinha(const QStringList& textos, const TChaveLocalizada& chave);

    TDBUtils& sessao_;
    TMensagens& mensagens_;
    QButtonGroup* chave_ = nullptr;
    QComboBox* cmbProcurar_ = nullptr;
    QLineEdit* edtConteudo_ = nullptr;
    QTableWidget* grade_ = nullptr;
    QPushButton* btnLocalizar_ = nullptr;
    QPushButton* btnFechar_ = nullptr;
    std::vector<TChaveLocalizada> chaves_;
};

} // namespace drav
