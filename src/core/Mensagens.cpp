#include "core/Mensagens.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"

namespace drav {

namespace {

std::string Aparado(const std::string& s)
{
    const size_t a = s.find_first_not_of(" \t\r\n");
    if (a == std::string::npos)
        return {};
    const size_t b = s.find_last_not_of(" \t\r\n");
    return s.substr(a, b - a + 1);
}

bool SoDigitosNaoVazio(const std::string& s)
{
    if (s.empty())
        return false;
    for (char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

} // namespace

const std::vector<DescricaoBotao>& TabelaBotoes()
{
    static const std::vector<DescricaoBotao> t = {
        {Botoes::Sim, "&Sim", mrYes},          {Botoes::Nao, "&Não", mrNo},
        {Botoes::OK, "OK", mrOk},              {Botoes::Cancelar, "Cancelar", mrCancel},
        {Botoes::Abortar, "&Abortar", mrAbort}, {Botoes::Repetir, "&Repetir", mrRetry},
        {Botoes::Ignorar, "&Ignorar", mrIgnore}, {Botoes::Todos, "&Todos", mrAll},
        {Botoes::NaoParaTodos, "Nã&o para Todos", mrNoToAll},
        {Botoes::SimParaTodos, "&Sim para Todos", mrYesToAll},
        {Botoes::Ajuda, "&Help", mrNone},
    };
    return t;
}

const char* TituloTipo(TipoMensagem tipo)
{
    switch (tipo) {
    case mtWarning:
        return "Atenção";
    case mtError:
        return "Erro";
    case mtInformation:
        return "Informação";
    case mtConfirmation:
        return "Confirma";
    case mtCustom:
        break;
    }
    return kTituloAplicacao;
}

std::string SubstituirMarcadores(const std::string& texto, const std::vector<std::string>& argumentos)
{
    std::string r = texto;
    size_t desde = 0;
    for (const auto& a : argumentos) {
        const size_t p = r.find('&', desde);
        if (p == std::string::npos)
            break;
        r.replace(p, 1, a);
        desde = p + a.size(); // the next search starts after what was put in
    }
    return r;
}

DialogoMensagem TMensagens::Montar(const std::string& codigo, TipoMensagem tipo, int botoes,
                                   const std::vector<std::string>& argumentos, int botaoPadrao,
                                   const std::string& textoDireto, int contextoAjuda) const
{
    const std::string aparado = Aparado(codigo);
    if (aparado.empty())
        throw ENegocio("Código de mensagem inválida: ''");
    DialogoMensagem d;
    d.tipo = tipo;
    d.botoes = botoes;
    d.botaoPadrao = botaoPadrao;
    d.contextoAjuda = contextoAjuda;
    bool encontrada = true;
    if (!Aparado(textoDireto).empty()) {
        d.texto = textoDireto;
    } else {
        const std::string numero = codigo.size() > 4 ? codigo.substr(codigo.size() - 4) : codigo;
        if (!SoDigitosNaoVazio(numero)) {
            // Only digits may reach the query; anything else is simply an unknown code.
            d.texto = "Mensagem não encontrada - " + codigo;
            encontrada = false;
        } else {
            try {
                if (!sessao_)
                    throw EBancoDados("sem sessão");
                auto r = sessao_->AbrirConsulta("SELECT NU_MENSAGEM, DE_MENSAGEM FROM  SFGTBT13_MENSAGEM_SISTEMA WHERE NU_MENSAGEM = " +
                                                numero);
                if (r->IsEmpty()) {
                    d.texto = "Mensagem não encontrada - " + codigo;
                    encontrada = false;
                } else {
                    d.texto = r->FieldByName("DE_MENSAGEM").AsString();
                    if (codigo.size() == 6)
                        d.texto = codigo + " - " + d.texto;
                }
            } catch (const std::exception&) {
                d.texto = "Não foi possível acessar a base de dados";
                encontrada = false;
            }
        }
    }
    if (!encontrada) {
        // The user never saw the question, so it cannot be answered with Yes: only OK remains,
        // and OK is never taken for consent.
        d.tipo = mtError;
        d.botoes = Botoes::OK;
        d.botaoPadrao = mbOK;
    }
    d.texto = SubstituirMarcadores(d.texto, argumentos);
    d.titulo = TituloTipo(d.tipo);
    if (d.botoes == 0)
        d.botoes = Botoes::OK;
    return d;
}

int TMensagens::MensagemParametros(const std::string& codigo, TipoMensagem tipo, int botoes,
                                   const std::vector<std::string>& argumentos, int botaoPadrao,
                                   const std::string& textoDireto, int contextoAjuda)
{
    return apresentador_.Mostrar(Montar(codigo, tipo, botoes, argumentos, botaoPadrao, textoDireto, contextoAjuda));
}

int TMensagens::Mensagem(const std::string& codigo, TipoMensagem tipo, int botoes, int botaoPadrao,
                         const std::string& argumento, int contextoAjuda)
{
    return MensagemParametros(codigo, tipo, botoes, {argumento}, botaoPadrao, {}, contextoAjuda);
}

void TMensagens::AvisarOperacao(const std::string& prefixo, int tipo)
{
    const char* codigo = tipo == 0 ? "0078" : tipo == 1 ? "0001" : "0068";
    Mensagem(prefixo + codigo, mtInformation, Botoes::OK, mbOK);
}

std::string TMensagens::Texto(const std::string& codigo, const std::vector<std::string>& argumentos) const
{
    return Montar(codigo, mtInformation, Botoes::OK, argumentos, mbOK).texto;
}

} // namespace drav
