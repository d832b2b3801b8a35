#pragma once
#include "core/Datas.h"

#include <QDialog>

class QLabel;

namespace drav {

class TDBUtils;

// "Sobre o DRAV": the system's title, its version with date and the validity of the installed
// index table.
class TfrmSobre : public QDialog {
    Q_OBJECT
public:
    TfrmSobre(TDBUtils& sessao, TDateTime dataEdital, QWidget* parent = nullptr);

    QLabel* lblVersao() const { return versao_; }
    QLabel* lblVigencia() const { return vigencia_; }

private:
    QLabel* versao_ = nullptr;
    QLabel* vigencia_ = nullptr;
};

} // namespace drav
