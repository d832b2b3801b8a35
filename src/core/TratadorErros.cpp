#include "core/TratadorErros.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Excecoes.h"
#include "core/Mensagens.h"

#include <fstream>

namespace drav {

void GravarLogErro(const std::filesystem::path& pasta, const std::string& textoUsuario, const std::exception& e,
                   const ContextoErro& contexto)
{
    try {
        std::ofstream f(pasta / "LogErro.log", std::ios::app | std::ios::binary);
        if (!f)
            return;
        const std::string hifens(68, '-');
        f << "\n" << hifens << "\n";
        f << "Data e Hora: " << DataHoraParaTexto(Agora()) << "\n";
        f << "Erro: " << textoUsuario << "\n";
        f << "Erro Técnico: " << MensagemEmUmaLinha(e) << "\n";
        f << "Tipo de Erro: " << NomeClasseExcecao(e) << "\n";
        if (!contexto.form.empty())
            f << "Form: " << contexto.form << "\n";
        if (!contexto.controle.empty())
            f << "Controle: " << contexto.controle << "\n";
        f << hifens << "\n\n";
    } catch (...) {
    }
}

std::string TTratadorExcecao::TextoUsuario(const std::exception& e)
{
    if (dynamic_cast<const EBancoDados*>(&e)) {
        // The embedded engine lets one program at a time open the file: say so plainly.
        if (std::string(e.what()).find("already opened") != std::string::npos)
            return "Ocorreu um erro ao tentar acessar o banco de dados. O banco de dados está em uso por outro "
                   "programa (o DRAV ou o drav-cli): feche-o e tente de novo.";
        return "Ocorreu um erro ao tentar acessar o banco de dados.";
    }
    return "Ocorreu um erro.";
}

void TTratadorExcecao::TratarExcecao(const std::exception& e, const ContextoErro& contexto)
{
    if (dynamic_cast<const EAbortarSilencioso*>(&e))
        return;
    // A command that died inside its transaction must not leave it open to swallow later statements.
    if (sessao_ && sessao_->EmTransacao()) {
        try {
            sessao_->Desfazer();
        } catch (...) {
        }
    }
    const std::string texto = TextoUsuario(e);
    GravarLogErro(pasta_, texto, e, contexto);
    apresentador_.MostrarErroSistema(mostrarDetalhe_ ? texto + "\n" + MensagemEmUmaLinha(e) : texto, kTituloAplicacao);
}

void TTratadorExcecao::TratarDesconhecida(const ContextoErro& contexto)
{
    TratarExcecao(EDrav("Exceção desconhecida"), contexto);
}

} // namespace drav
