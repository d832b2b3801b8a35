#pragma once
#include "ui/relatorios/TfrmModeloSelecaoEmpresaTrabalhador.h"

namespace drav {

class TDBUtils;
class TMensagens;

// "Selecionar Empresas": the registered employers, the first step of the worker listing.
// "&Imprimir" goes on to the choice of the worker order with the marked employers.
class TfrmSelecaoEmpresa : public TfrmModeloSelecaoEmpresaTrabalhador {
    Q_OBJECT
public:
    TfrmSelecaoEmpresa(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai = nullptr);

    // Loads the employers; false when there is none (the window is then not worth showing).
    bool Carregar();

protected:
    void Imprimir() override;

private:
    TDBUtils& sessao_;
    TMensagens& mensagens_;
};

} // namespace drav
