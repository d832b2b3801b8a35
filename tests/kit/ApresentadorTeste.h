#pragma once
#include "core/Mensagens.h"

#include <deque>
#include <string>
#include <vector>

namespace drav::teste {

// Records every message shown and answers it: with the scripted answers in order while there are
// any, then No where No is offered, else OK.
class ApresentadorGravado : public drav::IApresentador {
public:
    std::vector<std::string> textos;
    std::deque<int> respostas;

    int Mostrar(const drav::DialogoMensagem& d) override
    {
        textos.push_back(d.texto);
        if (!respostas.empty()) {
            const int r = respostas.front();
            respostas.pop_front();
            return r;
        }
        return (d.botoes & drav::Botoes::Nao) ? drav::mrNo : drav::mrOk;
    }
    void MostrarErroSistema(const std::string& texto, const std::string&) override { textos.push_back(texto); }
};

} // namespace drav::teste
