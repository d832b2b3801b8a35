#pragma once
#include <string>
#include <vector>

namespace drav {

class TDBUtils;

// Splits an SQL script into statements: ";" ends a statement unless SET TERM chose another
// terminator; "--" comments and quoted texts are respected.
std::vector<std::string> DividirScript(const std::string& script);

// Runs every statement of a script. With one transaction the whole script commits or nothing does;
// without, each statement commits on its own (what DDL needs before the next statement uses it).
void ExecutarScript(TDBUtils& sessao, const std::string& script, bool umaTransacao);

} // namespace drav
