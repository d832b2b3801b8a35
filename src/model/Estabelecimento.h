#pragma once
#include "core/Datas.h"
#include "core/Negocio.h"
#include "model/Endereco.h"

#include <cstdint>
#include <memory>
#include <string>

namespace drav {

// Key of a SFGTBG02_EMPRESA row: inscription type (1 CNPJ, 2 CEI) and number.
struct ChaveEstabelecimento {
    int Tipo = 0;
    int64_t Numero = 0;
    bool operator==(const ChaveEstabelecimento&) const = default;
    bool Vazia() const { return Tipo == 0 && Numero == 0; }
};

// Fields and checks shared by employers and the responsible, who live in the same table
// SFGTBG02_EMPRESA, one row per inscription. IC_ESTADO_EMPRESA tells the role of a row:
// "E" employer, "R" responsible only, "A" employer that is also the responsible.
class TEstabelecimento : public TNegocio {
public:
    explicit TEstabelecimento(TDBUtils& sessao);
    ~TEstabelecimento() override;

    uint8_t TipoInscricao = 0;
    std::string Inscricao; // digits; loaded as 14 zero-filled digits
    std::string RazaoSocial;
    std::string NomeContato;
    std::string Telefone;
    std::string Ddd; // 4 zero-filled digits after ValidarDdd
    std::string Email;
    TDateTime DataPagamento = NullDate;
    std::string EstadoEmpresa;

    // Created on first access; a new row (or Limpar) starts a fresh one.
    TEndereco& Endereco();

    // Loads the row of the key whatever its role. False with "0144" when the query failed; a
    // missing key is not a failure (the result is empty and the fields stay as they were reset).
    bool ConsultarPorInscricao(int tipo, int64_t numero);

    // The number as every key, file and tree uses it: 14 digits for a CNPJ, 12 for a CEI, "0"
    // for any other type.
    std::string InscricaoFormatada() const;
    ChaveEstabelecimento Chave() const;

    bool ValidarTipoInscricao();  // "0129"
    bool ValidarInscricao();      // "0021" CNPJ, "0018" CEI; other types pass
    bool ValidarRazaoSocial();    // "0177"; trimmed in place
    bool ValidarDdd();            // "0024"; rewritten as 4 digits first
    bool ValidarTelefone();       // "0128"; trimmed
    bool ValidarEmail();          // "0065"; an empty e-mail passes

    // The select list and FROM clause every establishment query starts with.
    static const char* const kSqlSelect;
    static const char* const kSqlFrom;

protected:
    void Inicializar() override;
    void Limpar() override;
    void CarregarCampos() override;

    // Empties every data field (key, name, contact, address...), not the query texts.
    void LimparCampos();

    // A numeric column's value for SQL: the digits, or Null when blank. Anything else is refused
    // (ENegocio): these values are written unquoted and must never carry text into a statement.
    static std::string NumeroSql(const std::string& texto);
    // " WHERE NU_TIPO_INSO_EMPRA = t AND NU_INSCRICAO = n" for the object's own key.
    std::string FiltroChave() const;

private:
    std::unique_ptr<TEndereco> endereco_;
};

} // namespace drav
