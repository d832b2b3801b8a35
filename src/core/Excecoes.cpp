#include "core/Excecoes.h"

#include <new>

namespace drav {

const char* NomeClasseExcecao(const std::exception& e)
{
    if (const auto* d = dynamic_cast<const EDrav*>(&e))
        return d->NomeClasse();
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return "EOutOfMemory";
    return "Exception";
}

std::string MensagemEmUmaLinha(const std::exception& e)
{
    std::string r;
    for (const char* p = e.what(); *p; ++p) {
        if (*p == '\r')
            continue;
        if (*p == '\n')
            r += " - ";
        else
            r += *p;
    }
    return r;
}

} // namespace drav
