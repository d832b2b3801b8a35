#pragma once
#include "model/Estabelecimento.h"

#include <string>

namespace drav {

// The fields of the responsible form, in the order its checks run.
enum class CampoResponsavel {
    Nenhum, TipoInscricao, Inscricao, RazaoSocial, NomeContato, Ddd, Telefone, Email, Logradouro, Bairro, Cep,
    Localidade, Uf
};

// The responsible: the one row of SFGTBG02_EMPRESA with the role "R" (responsible only) or "A"
// (also an employer). Its inscription is also the key of the open collection
// (SFGTBG01_ABERTURA_RECOLHIMENTO, one row at most).
class TResponsavel : public TEstabelecimento {
public:
    explicit TResponsavel(TDBUtils& sessao);

    // The responsible as it was before an edit: its key and role ("R" or "A").
    struct Anterior {
        ChaveEstabelecimento Chave;
        std::string Estado;
    };

    // Loads the responsible; empty fields when there is none.
    void ConsultarResponsavel();
    // The responsible stored now (empty key and role when there is none).
    Anterior ResponsavelAtual();

    // Inserts a new row "R". "0144" on failure, and the exception is passed on.
    bool Incluir();
    // Writes the responsible's columns into the row of its own key.
    bool Atualizar();
    bool TrocarEstado(int tipo, const std::string& numero, const std::string& novo, const std::string& antigo);
    bool ExcluirRegistro(int tipo, int64_t numero);
    bool AtualizarInscricaoAbertura(int tipo, const std::string& numero);

    // Saves an edited responsible, moving the role when the key changed: to a new row "R" (the
    // old "R" row deleted, an old "A" row left as a plain employer), or onto an existing employer,
    // which becomes "A". The collection opening follows the key. Everything runs in one
    // transaction: a failure leaves the database as it was and returns false.
    bool Salvar(const Anterior& anterior);
    // The same with the responsible read from the database.
    bool Salvar();

    // Writes DataPagamento and the responsible's key into the collection opening (inserted when
    // missing). "0144" on failure.
    bool GravarDataPagamento();

    // "0097": empty, beginning with a blank, anything but ASCII letters and blanks, two blanks in
    // a row, or the same character three times in a row. Trimmed on success.
    bool ValidarNomeContato();

    // Every check of a typed responsible in the form's order, stopping at the first failure: its
    // code is left in CodigoMensagem (also for the address checks) and its field is returned.
    CampoResponsavel ValidarCadastro();

protected:
    void Inicializar() override;
    void CarregarCampos() override;

private:
    // The INSERT of a row "R", without the one-responsible check (Salvar inserts the new row
    // before it lets the old one go, inside its transaction).
    void InserirLinha();
};

} // namespace drav
