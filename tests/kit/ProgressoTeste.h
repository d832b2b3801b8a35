#pragma once
#include "files/Execucao.h"

namespace drav::teste {

// Cancels the run once its writing step has gone through `linhas` lines.
class CancelarNaGravacao : public drav::TProgressoNulo {
public:
    explicit CancelarNaGravacao(int linhas) : restantes_(linhas) {}
    void MarcarEtapa(int etapa) override { gravando_ = gravando_ || etapa == drav::EtapaIncluindo; }
    void AvancarProgresso(bool cresce) override
    {
        drav::TProgressoNulo::AvancarProgresso(cresce);
        if (gravando_ && --restantes_ <= 0)
            cancelado = true;
    }

private:
    int restantes_;
    bool gravando_ = false;
};

} // namespace drav::teste
