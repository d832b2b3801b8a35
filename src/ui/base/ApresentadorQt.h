#pragma once
#include "core/Mensagens.h"

namespace drav {

// Shows the system's messages as message boxes centred on the screen, with the captions and
// buttons of the message table's convention.
class ApresentadorQt : public IApresentador {
public:
    int Mostrar(const DialogoMensagem& d) override;
    void MostrarErroSistema(const std::string& texto, const std::string& titulo) override;
};

} // namespace drav
