#pragma once
#include "model/Estabelecimento.h"

#include <cstdint>
#include <string>

namespace drav {

class IOuvinteArvore;

// The fields of the employer form, in the order its checks run.
enum class CampoEmpresa {
    Nenhum, TipoInscricao, Inscricao, RazaoSocial, Logradouro, Bairro, Cep, Localidade, Uf, Ddd, Telefone, Cnae,
    Fpas, Simples
};

// An employer: a row of SFGTBG02_EMPRESA with the role "E", or "A" when it is also the
// responsible. Employer lists always select the roles "E" and "A".
class TEmpresa : public TEstabelecimento {
public:
    explicit TEmpresa(TDBUtils& sessao);

    int16_t Simples = 0;      // NU_SIMPLES, a code of SFGTBT02_TIPO_OPCAO_SIMPLES
    std::string Cnae;         // NU_IBGE, a code of SFGTBT03_ATIVIDADE_CNAE_NIVEL_5
    std::string Fpas;         // NU_INSS, a code of SFGTBT01_FPAS
    double SaldoEmpresa = 0;  // only ListarEmpresasComSaldo fills it

    // Told when the responsible's row changes its role; may stay null.
    IOuvinteArvore* Ouvinte = nullptr;

    // Loads the employer of the key ("E" or "A"). False with "0144" when the query failed; true
    // also when there is no such employer (the result is then empty).
    bool ConsultarEmpresa(int tipo, int64_t numero);
    // Every employer ordered by name, type and number; the first row is loaded.
    void ListarEmpresas();
    // Employers whose name contains the text (as stored, case-sensitive); the first is loaded.
    void ListarPorRazaoSocial(const std::string& texto);
    // Employers with at least one link.
    void ListarEmpresasComVinculos();
    // Employers with the sum of the rescission balances of their worker accounts in
    // SaldoEmpresa, leaving out accounts in situation 3. With `todos` no filter; otherwise a type,
    // number or PIS above 0 narrows the list. `ordem` is a column list for ORDER BY (names only).
    void ListarEmpresasComSaldo(int tipo, bool todos, int64_t numero, int64_t pis, const std::string& ordem);
    // Moves to the held row of that number and loads it; false for an empty text or no match.
    bool LocalizarInscricao(const std::string& numero);
    // Links of the employer of that category (igual) or of any other category (!igual).
    int ContarVinculosPorCategoria(int tipo, int categoria, bool igual, int64_t numero);

    // Links of this employer: all of them, or only those closed or with a processed guide
    // (movement states 2 and 3).
    int ContarVinculos(bool soFechados);

    bool ValidarCnae();    // "0019" empty, "0140" not numeric or unknown
    bool ValidarFpas();    // "0070", "0244", "0226", "0429", "0432"
    bool ValidarSimples(); // "0123", "0124", "0213", "0126"

    // Every check of a typed employer in the form's order, stopping at the first failure: its
    // code is left in CodigoMensagem (also for the address checks) and its field is returned.
    // A blank CNAE gives "0019", a blank FPAS "0070", no Simples option (0) "0125".
    CampoEmpresa ValidarCadastro();

    // Registers the employer: a new row "E", or the responsible's own row ("R") turned into "A"
    // with the employer columns written. "0207" when the inscription already is an employer,
    // "0144" on a database failure; nothing is written in either case.
    bool Incluir();
    // Writes the employer and address columns of the row; never the key, the role, the contact or
    // the e-mail. "0144" on failure.
    bool Alterar();
    // Deletes the employer with every registration below it (accounts, balance complements,
    // rescission data, registration changes, links, and the workers left without a link), all in
    // one transaction (the caller's when it opened one). An employer that is also the responsible
    // stays as the responsible ("R", employer columns emptied). Database failures set "0144" and
    // are passed on; so is an attempt to delete a key that is no employer (ENegocio).
    bool Excluir();

    // "R" -> "A" for the responsible's row; false on failure (no code).
    bool MarcarResponsavelComoEmpresa();
    // "A" -> "R" with the employer columns emptied; false on failure (no code).
    bool DesmarcarEmpresaDoResponsavel();

protected:
    void Inicializar() override;
    void CarregarCampos() override;
};

} // namespace drav
