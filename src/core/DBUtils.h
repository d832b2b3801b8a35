#pragma once
#include "core/Resultado.h"

#include <cstdint>
#include <exception>
#include <filesystem>
#include <memory>
#include <mutex>
#include <string>

namespace drav {

// The database session: runs SQL texts, each in its own transaction unless the caller opened one,
// and appends every statement to the SQL log when LogSQL is on.
class TDBUtils {
public:
    TDBUtils() = default;
    TDBUtils(const TDBUtils&) = delete;
    TDBUtils& operator=(const TDBUtils&) = delete;
    virtual ~TDBUtils() = default;

    std::string DatabaseName;
    std::string User;
    std::string Password;

    virtual bool EmTransacao() const { return false; }
    virtual void ConfigurarConexao() = 0;
    virtual void RegistrarLog(const std::string& sql, const std::exception* erro);
    virtual void Conectar();
    virtual void Confirmar() = 0;
    virtual void Desfazer() = 0;
    virtual void IniciarTransacao() = 0;
    virtual std::unique_ptr<TResultado> AbrirConsulta(const std::string& sql) = 0;
    virtual int64_t ExecutarSQL(const std::string& sql) = 0;
    // Runs one statement in a transaction of its own, committed at once, whatever the caller's
    // transaction does afterwards: the inconsistency register uses it so its rows survive rollbacks.
    virtual int64_t ExecutarSQLIndependente(const std::string& sql) = 0;

    void Desconectar();
    void DefinirLogSQL(bool ligado) { LogSQL_ = ligado; }
    bool LogSQL() const { return LogSQL_; }
    bool Conectado() const { return Conectado_; }

    // Folder that receives ZOLTBD.log.
    void DefinirPastaLog(const std::filesystem::path& pasta) { pastaLog_ = pasta; }
    const std::filesystem::path& PastaLog() const { return pastaLog_; }

    // The window layer tells the session which window is active; the log reads this copy, so a
    // statement on the worker thread never touches a window.
    void DefinirJanelaAtiva(const std::string& titulo);
    std::string JanelaAtiva() const;

protected:
    virtual void FecharConexao() = 0;
    bool LogSQL_ = false;
    bool Conectado_ = false;

private:
    std::filesystem::path pastaLog_;
    mutable std::mutex mutexJanela_;
    std::string janelaAtiva_;
};

// Opens a transaction unless one is already open; rolls it back when the scope is left without
// Confirmar. A guard made inside a caller's transaction leaves that transaction to the caller.
class TTransacao {
public:
    explicit TTransacao(TDBUtils& sessao);
    TTransacao(const TTransacao&) = delete;
    TTransacao& operator=(const TTransacao&) = delete;
    ~TTransacao();
    void Confirmar();
    void Desfazer();
    bool Dona() const { return dona_; }

private:
    TDBUtils& sessao_;
    bool dona_;
    bool aberta_;
};

} // namespace drav
