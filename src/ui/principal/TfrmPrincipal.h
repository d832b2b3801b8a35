#pragma once
#include <QMainWindow>

namespace drav {

struct ContextoAplicacao;
class TMensagens;

// The program's main window.
class TfrmPrincipal : public QMainWindow {
    Q_OBJECT
public:
    TfrmPrincipal(ContextoAplicacao& ctx, TMensagens& mensagens, QWidget* parent = nullptr);

private:
    ContextoAplicacao& ctx_;
    TMensagens& mensagens_;
};

} // namespace drav
