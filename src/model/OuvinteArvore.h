#pragma once
#include <string>

namespace drav {

// What the registration objects tell the navigation tree. The tree implements it; the objects
// only hold a pointer that may be null (the command line and the tests have no tree).
class IOuvinteArvore {
public:
    virtual ~IOuvinteArvore() = default;
    // The responsible's row changed its role ("R" after its employer part was deleted, "A" after an
    // employer was registered on its inscription).
    virtual void EstadoResponsavelAlterado(const std::string& estado) = 0;
};

} // namespace drav
