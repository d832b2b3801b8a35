#include "ui/progresso/TfrmProgImporta.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QVBoxLayout>

namespace drav {

TfrmProgImporta::TfrmProgImporta(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Importação"));
    setModal(true);
    setWindowFlag(Qt::WindowCloseButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    auto* grade = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        emAndamento_[i] = new QLabel(QStringLiteral("\u25B6"), this);
        concluidoImg_[i] = new QLabel(QStringLiteral("\u2714"), this);
        labels_[i] = new QLabel(this);
        grade->addWidget(emAndamento_[i], i, 0);
        grade->addWidget(concluidoImg_[i], i, 1);
        grade->addWidget(labels_[i], i, 2);
    }
    grade->setColumnStretch(2, 1);
    layout->addLayout(grade);
    labelProgresso_ = new QLabel(QStringLiteral("Progresso"), this);
    gauge_ = new QProgressBar(this);
    gauge_->setRange(0, 0);
    layout->addWidget(labelProgresso_);
    layout->addWidget(gauge_);
    btnCancelar_ = new QPushButton(QStringLiteral("&Cancelar"), this);
    btnCancelar_->setAutoDefault(false);
    layout->addWidget(btnCancelar_, 0, Qt::AlignRight);
    connect(btnCancelar_, &QPushButton::clicked, this, &TfrmProgImporta::btnCancelarClick);
    setMinimumWidth(420);
}

TfrmProgImporta::~TfrmProgImporta()
{
    // A window destroyed mid-run still lets the job end cleanly: the flag stops it at its next line.
    cancelado_ = true;
    trabalhoThread_.Aguardar();
}

void TfrmProgImporta::PrepararProgresso(int tipoProcesso)
{
    const TDescricaoProcesso& d = DescricaoProcesso(tipoProcesso);
    QStringList etapas;
    for (const std::string& e : d.Etapas)
        etapas << QString::fromStdString(e);
    PrepararProgresso(tipoProcesso, QString::fromStdString(d.Titulo), etapas);
}

void TfrmProgImporta::PrepararProgresso(int tipoProcesso, const QString& titulo, const QStringList& etapas)
{
    tipo_ = tipoProcesso;
    posicao_ = 0;
    maximo_ = 0;
    gauge_->setRange(0, 0);
    gauge_->setValue(0);
    setWindowTitle(titulo);
    for (int i = 0; i < 4; ++i) {
        emAndamento_[i]->hide();
        concluidoImg_[i]->hide();
        const QString texto = i < etapas.size() ? etapas[i] : QString();
        labels_[i]->setText(texto);
        labels_[i]->setVisible(!texto.isEmpty());
    }
    labelProgresso_->show();
}

void TfrmProgImporta::DefinirTrabalho(TTrabalhoArquivo trabalho, std::function<void(const TResultadoProcesso&)> concluir)
{
    trabalho_ = std::move(trabalho);
    concluir_ = std::move(concluir);
}

void TfrmProgImporta::NaInterface(const std::function<void()>& f)
{
    if (QThread::currentThread() == thread())
        f();
    else
        QMetaObject::invokeMethod(this, f, Qt::BlockingQueuedConnection);
}

void TfrmProgImporta::DefinirMaximo(long maximo)
{
    maximo_ = maximo;
    posicao_ = 0;
    AtualizarGauge();
}

void TfrmProgImporta::AvancarProgresso(bool cresce)
{
    if (cresce)
        ++maximo_;
    ++posicao_;
    AtualizarGauge();
}

// Many thousand steps arrive per second: one repaint is queued at a time and reads the latest
// values when it runs.
void TfrmProgImporta::AtualizarGauge()
{
    if (gaugePendente_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            gaugePendente_ = false;
            const long m = maximo_.load();
            gauge_->setRange(0, static_cast<int>(std::max(0L, m)));
            gauge_->setValue(static_cast<int>(std::min(posicao_.load(), m)));
        },
        Qt::QueuedConnection);
}

void TfrmProgImporta::MarcarEtapa(int etapa)
{
    QMetaObject::invokeMethod(
        this,
        [this, etapa] {
            if (etapa >= 1 && etapa <= 4) {
                emAndamento_[etapa - 1]->show();
                if (etapa == 4)
                    labels_[3]->show();
            } else if (etapa >= 5 && etapa <= 8) {
                emAndamento_[etapa - 5]->hide();
                concluidoImg_[etapa - 5]->show();
            }
        },
        Qt::QueuedConnection);
}

void TfrmProgImporta::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (iniciado_ || !trabalho_)
        return;
    iniciado_ = true;
    concluido_ = false;
    cancelado_ = false;
    trabalhoThread_.Iniciar(tipo_, trabalho_, *this, [this](const TResultadoProcesso& r) {
        QMetaObject::invokeMethod(this, [this, r] { Terminar(r); }, Qt::QueuedConnection);
    });
}

void TfrmProgImporta::Terminar(const TResultadoProcesso& r)
{
    trabalhoThread_.Aguardar();
    resultado_ = r;
    concluido_ = true;
    hide();
    if (concluir_)
        concluir_(r);
    podeFechar_ = true;
    if (r.Sucesso)
        accept();
    else
        done(QDialog::Rejected);
}

void TfrmProgImporta::btnCancelarClick()
{
    cancelado_ = true;
    btnCancelar_->setEnabled(false);
    labelProgresso_->setText(QStringLiteral("Cancelando..."));
    if (!trabalhoThread_.EmExecucao() && !concluido_) {
        podeFechar_ = true;
        done(QDialog::Rejected);
    }
}

void TfrmProgImporta::closeEvent(QCloseEvent* e)
{
    // The window goes when the job has ended; closing it earlier would leave a run without a face.
    if (!podeFechar_ && trabalhoThread_.EmExecucao())
        e->ignore();
    else
        QDialog::closeEvent(e);
}

void TfrmProgImporta::keyPressEvent(QKeyEvent* e)
{
    if (e->key() == Qt::Key_F4 && (e->modifiers() & Qt::AltModifier)) {
        e->accept();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TfrmProgImporta::reject()
{
    // Escape asks for a cancel like the button; the window closes when the job has stopped.
    if (!podeFechar_ && trabalhoThread_.EmExecucao()) {
        btnCancelarClick();
        return;
    }
    QDialog::reject();
}

} // namespace drav
