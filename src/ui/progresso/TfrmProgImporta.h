#pragma once
#include "files/Execucao.h"

#include <QDialog>

#include <atomic>
#include <functional>

class QLabel;
class QProgressBar;
class QPushButton;

namespace drav {

// The progress window of every long file job. Showing it starts the job on the shared worker;
// the job reports through this window's sink, whose calls may come from the worker and are handed
// to the window's own thread. Cancel only raises the flag the job reads before each line: the job
// stops and undoes its own transaction, and the window closes once the worker has ended. The
// completion step runs on the window's thread before the window closes.
class TfrmProgImporta : public QDialog, public IProgresso {
    Q_OBJECT
public:
    explicit TfrmProgImporta(QWidget* parent = nullptr);
    ~TfrmProgImporta() override;

    // Kind, caption and step texts (empty steps stay hidden); the gauge starts at 0 of 0.
    void PrepararProgresso(int tipoProcesso);
    void PrepararProgresso(int tipoProcesso, const QString& titulo, const QStringList& etapas);
    // The job and the completion step (ConcluirProcesso) of the run.
    void DefinirTrabalho(TTrabalhoArquivo trabalho, std::function<void(const TResultadoProcesso&)> concluir = {});

    // Runs `f` on the window's thread and waits for it (from the worker), or runs it at once (on
    // the window's thread): the way a job reaches a widget such as the tree.
    void NaInterface(const std::function<void()>& f);

    // IProgresso, callable from any thread.
    void DefinirMaximo(long maximo) override;
    void AvancarProgresso(bool cresce) override;
    void MarcarEtapa(int etapa) override;
    bool Cancelado() const override { return cancelado_.load(); }

    // State, read on the window's thread.
    int TipoProcesso() const { return tipo_; }
    long Posicao() const { return posicao_.load(); }
    long Maximo() const { return maximo_.load(); }
    bool EmExecucao() const { return trabalhoThread_.EmExecucao(); }
    bool Concluido() const { return concluido_; }
    const TResultadoProcesso& Resultado() const { return resultado_; }

    QLabel* LabelInformacao(int i) const { return labels_[i]; }
    QLabel* ImagemEmAndamento(int i) const { return emAndamento_[i]; }
    QLabel* ImagemConcluido(int i) const { return concluidoImg_[i]; }
    QProgressBar* Gauge() const { return gauge_; }
    QPushButton* btnCancelar() const { return btnCancelar_; }

public slots:
    void btnCancelarClick();

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void reject() override;

private:
    void AtualizarGauge();
    void Terminar(const TResultadoProcesso& r);

    int tipo_ = 0;
    TTrabalhoArquivo trabalho_;
    std::function<void(const TResultadoProcesso&)> concluir_;
    TMyThread trabalhoThread_;
    std::atomic<bool> cancelado_{false};
    std::atomic<long> posicao_{0}, maximo_{0};
    std::atomic<bool> gaugePendente_{false};
    bool iniciado_ = false, concluido_ = false, podeFechar_ = false;
    TResultadoProcesso resultado_;

    QLabel* labels_[4] = {};
    QLabel* emAndamento_[4] = {};
    QLabel* concluidoImg_[4] = {};
    QLabel* labelProgresso_ = nullptr;
    QProgressBar* gauge_ = nullptr;
    QPushButton* btnCancelar_ = nullptr;
};

} // namespace drav
