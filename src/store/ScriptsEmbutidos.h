#pragma once
#include <string>
#include <vector>

namespace drav {

struct ScriptEmbutido {
    std::string nome;
    std::string texto;
};

// schema.sql first, then the reference-data scripts of dados/ in name order.
const std::vector<ScriptEmbutido>& ScriptsEmbutidos();

} // namespace drav
