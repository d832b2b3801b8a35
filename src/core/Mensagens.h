#pragma once
#include <string>
#include <vector>

namespace drav {

class TDBUtils;

inline constexpr const char* kTituloAplicacao = "DRAV Eletrônica";

enum TipoMensagem : int { mtWarning = 0, mtError = 1, mtInformation = 2, mtConfirmation = 3, mtCustom = 4 };

// Button set bits (a set is the sum of its buttons) and the result each button gives.
namespace Botoes {
inline constexpr int Sim = 1, Nao = 2, OK = 4, Cancelar = 8, Abortar = 16, Repetir = 32, Ignorar = 64, Todos = 128,
                     NaoParaTodos = 256, SimParaTodos = 512, Ajuda = 1024;
inline constexpr int SimNao = Sim | Nao, OKCancelar = OK | Cancelar, SimNaoCancelar = Sim | Nao | Cancelar;
} // namespace Botoes

// Ordinals of the buttons, used for the default button.
enum BotaoOrdinal : int { mbYes = 0, mbNo, mbOK, mbCancel, mbAbort, mbRetry, mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp };

enum ResultadoModal : int {
    mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7, mrAll = 8,
    mrNoToAll = 9, mrYesToAll = 10
};

// Caption and result of each button, in ordinal order.
struct DescricaoBotao {
    int bit;
    const char* rotulo;
    int resultado;
};
const std::vector<DescricaoBotao>& TabelaBotoes();
const char* TituloTipo(TipoMensagem tipo);

// Everything a presenter needs to show one message.
struct DialogoMensagem {
    TipoMensagem tipo = mtInformation;
    int botoes = Botoes::OK;
    int botaoPadrao = mbOK;
    std::string titulo;
    std::string texto;
    int contextoAjuda = 0;
};

// Shows messages to the user: a message box in the window program, the terminal in the CLI,
// a script in tests. Returns the result of the button pressed.
class IApresentador {
public:
    virtual ~IApresentador() = default;
    virtual int Mostrar(const DialogoMensagem& d) = 0;
    // The plain system box of the error handler and start-up failures.
    virtual void MostrarErroSistema(const std::string& texto, const std::string& titulo) = 0;
};

// Puts each argument in place of the next "&" of the text. An argument's own "&" is never taken
// for a placeholder; arguments beyond the placeholders change nothing.
std::string SubstituirMarcadores(const std::string& texto, const std::vector<std::string>& argumentos);

// Resolves message codes from the message table and hands them to the presenter.
class TMensagens {
public:
    TMensagens(TDBUtils* sessao, IApresentador& apresentador) : sessao_(sessao), apresentador_(apresentador) {}

    void DefinirSessao(TDBUtils* sessao) { sessao_ = sessao; }
    IApresentador& Apresentador() const { return apresentador_; }

    // The dialog a code produces, without showing it.
    DialogoMensagem Montar(const std::string& codigo, TipoMensagem tipo, int botoes,
                           const std::vector<std::string>& argumentos, int botaoPadrao,
                           const std::string& textoDireto = {}, int contextoAjuda = 0) const;

    int MensagemParametros(const std::string& codigo, TipoMensagem tipo, int botoes,
                           const std::vector<std::string>& argumentos, int botaoPadrao,
                           const std::string& textoDireto = {}, int contextoAjuda = 0);
    int Mensagem(const std::string& codigo, TipoMensagem tipo, int botoes, int botaoPadrao = mbOK,
                 const std::string& argumento = {}, int contextoAjuda = 0);
    // After a save (0 included, 1 changed, 2 deleted) in an entity form.
    void AvisarOperacao(const std::string& prefixo, int tipo);

    // Text of a code with its arguments, as shown (for logs and the CLI).
    std::string Texto(const std::string& codigo, const std::vector<std::string>& argumentos = {}) const;

private:
    TDBUtils* sessao_;
    IApresentador& apresentador_;
};

} // namespace drav
