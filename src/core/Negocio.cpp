#include "core/Negocio.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"

namespace drav {

TNegocio::TNegocio(TDBUtils& sessao) : sessao_(sessao) {}

TNegocio::~TNegocio() = default;

TResultado& TNegocio::Exigir() const
{
    if (!dataSet_)
        throw ENegocio("DataSet não inicializado");
    return *dataSet_;
}

TResultado& TNegocio::DataSet() const { return Exigir(); }

void TNegocio::AtribuirDataSet(std::unique_ptr<TResultado> novo)
{
    if (dataSet_)
        Limpar();
    dataSet_ = std::move(novo);
}

bool TNegocio::Eof() const { return Exigir().Eof(); }

TCampo TNegocio::Campo(const std::string& coluna) const { return Exigir().FieldByName(coluna); }

void TNegocio::Primeiro()
{
    TResultado& r = Exigir();
    r.First();
    Limpar();
    if (!r.IsEmpty())
        CarregarCampos();
}

void TNegocio::Proximo()
{
    TResultado& r = Exigir();
    r.Next();
    Limpar();
    if (!r.IsEmpty())
        CarregarCampos();
}

bool TNegocio::Vazio() const { return Exigir().IsEmpty(); }

int TNegocio::TotalRegistros() const { return Exigir().RecordCount(); }

bool TNegocio::Localizar(const std::string& coluna, const std::string& valor)
{
    TResultado& r = Exigir();
    if (r.IsEmpty())
        return false;
    if (r.Locate(coluna, valor)) {
        CarregarCampos();
        return true;
    }
    return false;
}

bool TNegocio::ExisteCampo(const std::string& coluna) const { return Exigir().ExisteColuna(coluna); }

void TNegocio::AbrirConsulta(const std::string& restoSql)
{
    AtribuirDataSet(sessao_.AbrirConsulta(SqlSelect + SqlFrom + restoSql));
    Primeiro();
}

} // namespace drav
