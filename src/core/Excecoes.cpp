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

} // namespace drav
