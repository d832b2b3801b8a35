#pragma once
#include <filesystem>
#include <string>

namespace drav {

class TDBUtils;

// Creates the database file and fills it with the layout and the reference data. Nothing is left
// behind when it fails: a half-built file is removed.
void CriarBancoCompleto(const std::filesystem::path& arquivo);

// Version text of the layout of an open database; empty when the database is not one of ours.
std::string VersaoBanco(TDBUtils& sessao);

// Throws ENegocio with a clear text when the database is not one this program understands.
void VerificarVersaoBanco(TDBUtils& sessao);

} // namespace drav
