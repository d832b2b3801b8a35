#include "core/DBUtils.h"

#include "core/Datas.h"
#include "core/Excecoes.h"

#include <fstream>

namespace drav {

void TDBUtils::Conectar()
{
    Conectado_ = false;
    ConfigurarConexao();
}

void TDBUtils::Desconectar()
{
    if (EmTransacao())
        Desfazer();
    FecharConexao();
    Conectado_ = false;
}

void TDBUtils::DefinirJanelaAtiva(const std::string& titulo)
{
    std::lock_guard<std::mutex> l(mutexJanela_);
    janelaAtiva_ = titulo;
}

std::string TDBUtils::JanelaAtiva() const
{
    std::lock_guard<std::mutex> l(mutexJanela_);
    return janelaAtiva_;
}

void TDBUtils::RegistrarLog(const std::string& sql, const std::exception* erro)
{
    if (!LogSQL_)
        return;
    std::ofstream f(pastaLog_ / "ZOLTBD.log", std::ios::app | std::ios::binary);
    if (!f)
        return; // the log is a diagnostic aid; a failed statement is still reported by its exception
    f << "\n"
      << JanelaAtiva() << "\n"
      << DataHoraParaTexto(Agora()) << " ----------------------\n"
      << sql << "\n";
    if (erro)
        f << "ERRO              ----------------------\n" << MensagemEmUmaLinha(*erro) << "\n";
    else
        f << "SUCESSO             ----------------------\n";
    f << "\n";
}

TTransacao::TTransacao(TDBUtils& sessao) : sessao_(sessao), dona_(!sessao.EmTransacao()), aberta_(false)
{
    if (dona_) {
        sessao_.IniciarTransacao();
        aberta_ = true;
    }
}

TTransacao::~TTransacao()
{
    if (aberta_ && sessao_.EmTransacao()) {
        try {
            sessao_.Desfazer();
        } catch (...) {
            // A destructor must not throw; the rollback failing means the connection is gone.
        }
    }
}

void TTransacao::Confirmar()
{
    if (aberta_) {
        sessao_.Confirmar();
        aberta_ = false;
    }
}

void TTransacao::Desfazer()
{
    if (aberta_) {
        aberta_ = false;
        sessao_.Desfazer();
    }
}

} // namespace drav
