#include "core/Inicializacao.h"

#include "core/Excecoes.h"
#include "core/Mensagens.h"
#include "core/TratadorErros.h"

#include <cstdlib>
#include <system_error>

namespace drav {

std::filesystem::path ResolverPastaDados(const std::string& opcao)
{
    if (!opcao.empty())
        return std::filesystem::absolute(opcao);
    if (const char* h = std::getenv("DRAV_HOME"); h && *h)
        return std::filesystem::absolute(h);
    const char* home = std::getenv("HOME");
    std::filesystem::path base = home && *home ? home : std::filesystem::temp_directory_path().string();
    return base / ".local" / "share" / "drav";
}

std::string ResolverBanco(const std::filesystem::path& pasta, const std::string& opcao)
{
    if (!opcao.empty())
        return opcao;
    if (const char* b = std::getenv("DRAV_BANCO"); b && *b)
        return b;
    return (pasta / "BD" / "DRAV.FDB").string();
}

std::filesystem::path PastaConfigurada(const std::filesystem::path& pasta) { return pasta; }

const std::vector<std::string>& PastasTroca()
{
    static const std::vector<std::string> p = {
        "Arquivos",
        "Arquivos/Solicitacao de Saldo",
        "Arquivos/Solicitacao de Reenvio",
        "Arquivos/Saldo Rescisorio",
        "Arquivos/Guia Processada",
        "Arquivos/Guia Rescisoria",
        "Arquivos/Arquivo de Ocorrencia",
    };
    return p;
}

void CriarPasta(const std::filesystem::path& p)
{
    std::error_code ec; // a folder that cannot be made shows up later, where a file is written into it
    std::filesystem::create_directory(p, ec);
}

void CriarPastasTroca(const std::filesystem::path& pasta)
{
    for (const auto& p : PastasTroca())
        CriarPasta(pasta / p);
}

bool Conectar(ContextoAplicacao& ctx, IApresentador& apresentador, TTratadorExcecao& tratador,
              const std::function<void(TDBUtils&)>& verificar)
{
    try {
        ctx.sessao = std::make_unique<TIbxUtils>();
        const auto ini = ctx.pasta / "ZOLT.ini";
        if (!std::filesystem::exists(ini)) {
            apresentador.MostrarErroSistema("Arquivo ZOLT.ini não existente.",
                                            std::string(kTituloAplicacao) + " - Arquivo não encontrado");
            ctx.sessao.reset();
            return false;
        }
        const auto linhas = LerLinhas(ini);
        ctx.sessao->DatabaseName = ResolverBanco(ctx.pasta, ctx.banco);
        ctx.sessao->User = kUsuarioBanco;
        ctx.sessao->Password = kSenhaBanco;
        ctx.sessao->DefinirPastaLog(ctx.pasta);
        const bool remoto = ctx.sessao->DatabaseName.find(':') != std::string::npos &&
                            ctx.sessao->DatabaseName.front() != '/';
        if (!remoto && !std::filesystem::exists(ctx.sessao->DatabaseName))
            throw EBancoDados("Arquivo de banco de dados não encontrado: " + ctx.sessao->DatabaseName);
        ctx.sessao->Conectar();
        if (verificar)
            verificar(*ctx.sessao);
        CarregarDataEdital(ctx);
        CarregarDataPagamento(ctx);
        ctx.config = LerConfiguracao(linhas);
        ctx.sessao->DefinirLogSQL(ctx.config.LogSQL);
        return true;
    } catch (const std::exception& e) {
        tratador.TratarExcecao(e);
        ctx.sessao.reset();
        return false;
    }
}

void CarregarDataEdital(ContextoAplicacao& ctx)
{
    ctx.DataEdital = NullDate;
    auto r = ctx.sessao->AbrirConsulta("SELECT DISTINCT DT_EDITAL_PRORATA AS DATA_EDITAL FROM SFGTBT18_INDICE_PRORATA");
    if (!r->IsEmpty())
        ctx.DataEdital = r->FieldByName("DATA_EDITAL").AsDateTime();
}

void CarregarDataPagamento(ContextoAplicacao& ctx)
{
    ctx.DataPagamentoRecolhimento = NullDate;
    auto r = ctx.sessao->AbrirConsulta("SELECT DT_PAGAMENTO FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
    if (!r->IsEmpty())
        ctx.DataPagamentoRecolhimento = r->FieldByName("DT_PAGAMENTO").AsDateTime();
}

bool ExisteEmpresa(TDBUtils& sessao)
{
    return !sessao.AbrirConsulta("SELECT NU_INSCRICAO FROM SFGTBG02_EMPRESA")->IsEmpty();
}

} // namespace drav
