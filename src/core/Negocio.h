#pragma once
#include "core/Resultado.h"

#include <memory>
#include <string>

namespace drav {

class TDBUtils;

// Base of every business object: the session it works through, the result set it owns with a
// cursor over it, and the message code its last failed check left.
class TNegocio {
public:
    explicit TNegocio(TDBUtils& sessao);
    TNegocio(const TNegocio&) = delete;
    TNegocio& operator=(const TNegocio&) = delete;
    virtual ~TNegocio();

    std::string CodigoMensagem;
    std::string SqlSelect;
    std::string SqlFrom;
    bool CarregaRelacionados = true;

    TResultado& DataSet() const;
    bool TemDataSet() const { return dataSet_ != nullptr; }
    void AtribuirDataSet(std::unique_ptr<TResultado> novo);

    bool Eof() const;
    TCampo Campo(const std::string& coluna) const;
    void Primeiro();
    void Proximo();
    bool Vazio() const;
    bool TemRegistros() const { return !Vazio(); }
    int TotalRegistros() const;
    bool Localizar(const std::string& coluna, const std::string& valor);
    bool ExisteCampo(const std::string& coluna) const;

    TDBUtils& Sessao() const { return sessao_; }

protected:
    // Resets the object's own fields and sets SqlSelect/SqlFrom; runs no query.
    virtual void Inicializar() {}
    // Drops the related objects made on demand, so the next row rebuilds them.
    virtual void Limpar() {}
    // Copies the current row into the fields; overrides call this first.
    virtual void CarregarCampos() { Limpar(); }

    // Runs SqlSelect + SqlFrom + the given tail and holds the result, positioned on its first row.
    void AbrirConsulta(const std::string& restoSql);

private:
    TResultado& Exigir() const;
    TDBUtils& sessao_;
    std::unique_ptr<TResultado> dataSet_;
};

} // namespace drav
