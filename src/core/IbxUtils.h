#pragma once
#include "core/DBUtils.h"

#include <string>
#include <unordered_map>

namespace drav {

// The session over a Firebird database through its client library. A plain path opens the file
// with the embedded engine; "host:/path" reaches a Firebird server.
class TIbxUtils : public TDBUtils {
public:
    TIbxUtils();
    ~TIbxUtils() override;

    bool EmTransacao() const override;
    void ConfigurarConexao() override;
    void Conectar() override;
    void Confirmar() override;
    void Desfazer() override;
    void IniciarTransacao() override;
    std::unique_ptr<TResultado> AbrirConsulta(const std::string& sql) override;
    int64_t ExecutarSQL(const std::string& sql) override;
    int64_t ExecutarSQLIndependente(const std::string& sql) override;

    // Creates an empty database file (Windows-1252 default character set, dialect 3). It starts
    // with forced writes off, so loading the layout is quick; turn them on once it is filled.
    static void CriarBanco(const std::string& caminho, const std::string& usuario, const std::string& senha);
    // Switches synchronous writes of a database file on or off (no other attachment may be open).
    static void DefinirEscritaForcada(const std::string& caminho, const std::string& usuario, const std::string& senha,
                                      bool ligada);

    // Text and class of the last statement that failed (empty when none).
    const std::string& UltimoErro() const { return ultimoErro_; }

protected:
    void FecharConexao() override;

private:
    // Answers of queries that read only the reference tables (codes, rates, messages), which the
    // file checks ask per line. They change only through statements this session runs itself, and
    // any statement that names a reference table empties the cache.
    std::unique_ptr<TResultado> DoCache(const std::string& sql) const;
    void GuardarNoCache(const std::string& sql, const TResultado& r);
    void InvalidarCache(const std::string& sql);

    struct Impl;
    Impl* d_;
    std::string ultimoErro_;
    std::unordered_map<std::string, TResultado> cache_;
};

// Makes file names with accents reach the engine intact: it converts paths through the process's
// multibyte character type, which must be UTF-8 whatever the machine's locale. Only LC_CTYPE is
// touched; numbers and dates never go through the C library's locale here.
void PrepararAmbienteBanco();

// The fixed credentials of the data folder's database.
inline constexpr const char* kUsuarioBanco = "SYSDBA";
inline constexpr const char* kSenhaBanco = "pinecrest";

} // namespace drav
