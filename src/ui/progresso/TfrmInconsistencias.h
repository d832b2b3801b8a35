#pragma once
#include <QDialog>

namespace drav {

class TDBUtils;

// The findings a file run recorded (one file number of the inconsistency register), in a table
// the user can read and copy while the printed listing is not there yet.
class TfrmInconsistencias : public QDialog {
    Q_OBJECT
public:
    TfrmInconsistencias(TDBUtils& sessao, int numeroArquivo, QWidget* parent = nullptr);
    int Linhas() const { return linhas_; }

private:
    int linhas_ = 0;
};

} // namespace drav
