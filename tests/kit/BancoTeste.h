#pragma once
#include "core/IbxUtils.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

namespace drav::teste {

// A complete database (layout + reference data), built once and shared by every test process
// through a file named after the scripts' content; tests copy it and never touch it.
const std::filesystem::path& ModeloBanco();

// A folder of its own for one test, removed at the end.
std::filesystem::path PastaTemporaria(const std::string& prefixo = "drav-teste");

// A fresh copy of the template, connected.
std::unique_ptr<TIbxUtils> NovoBanco(const std::filesystem::path& pasta);

// Fixture: `sessao` is a connected session on a fresh database inside `pasta`.
class BancoTeste : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    std::filesystem::path pasta;
    std::unique_ptr<TIbxUtils> sessao;
};

} // namespace drav::teste
