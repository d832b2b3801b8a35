#include "files/Selo.h"

#include <filesystem>
#include <mutex>
#include <system_error>

namespace drav {

namespace {

std::mutex& MutexCarregador()
{
    static std::mutex m;
    return m;
}

CarregadorBibliotecaSelo& Carregador()
{
    static CarregadorBibliotecaSelo c;
    return c;
}

// One seal operation at a time, and the code it leaves is the process's.
std::mutex& MutexSelo()
{
    static std::mutex m;
    return m;
}

std::string& ErroSelo()
{
    static std::string codigo;
    return codigo;
}

std::string Juntar(const std::string& pasta, const std::string& nome)
{
    if (nome.empty())
        return pasta;
    if (pasta.empty())
        return nome;
    return (std::filesystem::path(pasta) / nome).string();
}

// Two spellings of the same file ("a/./b" and "a/b", relative and absolute).
bool MesmoArquivo(const std::string& a, const std::string& b)
{
    std::error_code ec;
    const auto na = std::filesystem::absolute(a, ec).lexically_normal();
    const auto nb = std::filesystem::absolute(b, ec).lexically_normal();
    if (na == nb)
        return true;
    return std::filesystem::equivalent(a, b, ec) && !ec;
}

} // namespace

void DefinirCarregadorBibliotecaSelo(CarregadorBibliotecaSelo carregador)
{
    std::lock_guard trava(MutexCarregador());
    Carregador() = std::move(carregador);
}

// --- TEnvelopadorNXR ------------------------------------------------------------------------------

TEnvelopadorNXR::TEnvelopadorNXR()
{
    CarregadorBibliotecaSelo carregador;
    {
        std::lock_guard trava(MutexCarregador());
        carregador = Carregador();
    }
    biblioteca_ = carregador ? carregador() : NovaBibliotecaSeloZip();
    if (!biblioteca_)
        CodigoErro = ErroSeloBiblioteca;
}

// The file list and the seal use the library, so they go before it.
TEnvelopadorNXR::~TEnvelopadorNXR()
{
    selo_.reset();
    arquivos_.reset();
    biblioteca_.reset();
}

bool TEnvelopadorNXR::Resultado(std::string& codigoErro, int32_t resultado, const char* codigo)
{
    if (resultado == 0)
        codigoErro.clear();
    else
        codigoErro = codigo;
    return resultado == 0;
}

std::string TEnvelopadorNXR::CaminhoEnvelope() const
{
    return Juntar(Envelope, NomeEnvelope);
}

bool TEnvelopadorNXR::Iniciar()
{
    CodigoErro.clear();
    if (!biblioteca_)
        return Resultado(CodigoErro, 1, ErroSeloBiblioteca);
    return Resultado(CodigoErro, biblioteca_->IniciaEnvelopador(ModoInicio, PastaTrabalho), ErroSeloBiblioteca);
}

bool TEnvelopadorNXR::CriarHandle()
{
    if (!biblioteca_)
        return Resultado(CodigoErro, 1, ErroSeloBiblioteca);
    Handle = biblioteca_->CriaEnvelopadorHandle();
    return Resultado(CodigoErro, Handle == 0 ? 1 : 0, ErroSeloBiblioteca);
}

bool TEnvelopadorNXR::Validar()
{
    if (!biblioteca_)
        return Resultado(CodigoErro, 1, ErroSeloDados);
    return Resultado(CodigoErro, biblioteca_->ValidaEnvelope(Envelope), ErroSeloValidacao);
}

bool TEnvelopadorNXR::GravarEnvelope()
{
    if (!biblioteca_)
        return Resultado(CodigoErro, 1, ErroSeloBiblioteca);
    return Resultado(CodigoErro,
                     biblioteca_->AtualizaMudancasEmEnvelope(Handle, CaminhoEnvelope(), PrimeiraAtualizacao,
                                                             SegundaAtualizacao, TerceiraAtualizacao),
                     ErroSeloGravacao);
}

TArquivosNXR& TEnvelopadorNXR::Arquivos()
{
    if (!arquivos_)
        arquivos_ = std::make_unique<TArquivosNXR>(*this);
    return *arquivos_;
}

TSeloNXR& TEnvelopadorNXR::Selo()
{
    if (!selo_)
        selo_ = std::make_unique<TSeloNXR>(*this);
    return *selo_;
}

// --- TArquivosNXR ---------------------------------------------------------------------------------

bool TArquivosNXR::AdicionarArquivo(const std::string& caminho)
{
    IBibliotecaSelo* b = dono_.Biblioteca();
    if (!b)
        return TEnvelopadorNXR::Resultado(CodigoErro, 1, ErroSeloBiblioteca);
    return TEnvelopadorNXR::Resultado(CodigoErro, b->InsereArquivo(dono_.Handle, caminho, 3, " "), ErroSeloGravacao);
}

bool TArquivosNXR::RetirarArquivo(const std::string& nome)
{
    IBibliotecaSelo* b = dono_.Biblioteca();
    if (!b)
        return TEnvelopadorNXR::Resultado(CodigoErro, 1, ErroSeloBiblioteca);
    return TEnvelopadorNXR::Resultado(CodigoErro, b->InsereArquivo(dono_.Handle, nome, 5, Pasta), ErroSeloGravacao);
}

bool TArquivosNXR::CarregarLista()
{
    IBibliotecaSelo* b = dono_.Biblioteca();
    if (!b)
        return TEnvelopadorNXR::Resultado(CodigoErro, 1, ErroSeloBiblioteca);
    return TEnvelopadorNXR::Resultado(CodigoErro, b->CarregaListaDeArquivos(dono_.Handle, dono_.CaminhoEnvelope()),
                                      ErroSeloDados);
}

std::vector<std::string> TArquivosNXR::Lista() const
{
    IBibliotecaSelo* b = dono_.Biblioteca();
    return b ? b->ArquivosCarregados(dono_.Handle) : std::vector<std::string>{};
}

// --- TSeloNXR -------------------------------------------------------------------------------------

bool TSeloNXR::Carregar()
{
    IBibliotecaSelo* b = dono_.Biblioteca();
    if (!b)
        return TEnvelopadorNXR::Resultado(CodigoErro, 1, ErroSeloBiblioteca);
    return TEnvelopadorNXR::Resultado(CodigoErro, b->CarregaDadosSelo(dono_.Handle, Envelope), ErroSeloDados);
}

std::string TSeloNXR::Ler(const std::string& chave, int32_t indice)
{
    IBibliotecaSelo* b = dono_.Biblioteca();
    if (!b) {
        TEnvelopadorNXR::Resultado(CodigoErro, 1, ErroSeloBiblioteca);
        return {};
    }
    std::string valor;
    if (!TEnvelopadorNXR::Resultado(CodigoErro, b->LeSeloDeEnvio(dono_.Handle, chave, indice, valor), ErroSeloDados))
        return {};
    return valor;
}

bool TSeloNXR::Escrever(const std::string& chave, int32_t indice, const std::string& valor)
{
    IBibliotecaSelo* b = dono_.Biblioteca();
    if (!b)
        return TEnvelopadorNXR::Resultado(CodigoErro, 1, ErroSeloBiblioteca);
    return TEnvelopadorNXR::Resultado(CodigoErro, b->EscreveSeloDeEnvio(dono_.Handle, chave, indice, valor),
                                      ErroSeloDados);
}

std::vector<std::pair<std::string, std::string>> TSeloNXR::Campos() const
{
    IBibliotecaSelo* b = dono_.Biblioteca();
    return b ? b->CamposCarregados(dono_.Handle) : std::vector<std::pair<std::string, std::string>>{};
}

// --- routines -------------------------------------------------------------------------------------

std::string UltimoErroSelo()
{
    std::lock_guard trava(MutexSelo());
    return ErroSelo();
}

bool Selar(const std::string& pasta, const std::string& nomeEnvelope, const ParesSelo& pares,
           const std::vector<std::string>& arquivos)
{
    std::lock_guard trava(MutexSelo());
    std::string& erro = ErroSelo();
    erro.clear();
    bool sucesso = false;
    {
        TEnvelopadorNXR envelope;
        envelope.Envelope = pasta;
        envelope.NomeEnvelope = nomeEnvelope;
        envelope.ModoInicio = 1;
        envelope.PastaTrabalho = pasta;
        envelope.TerceiraAtualizacao = 1;
        envelope.SegundaAtualizacao = 1;
        envelope.PrimeiraAtualizacao = 0;

        const bool pronto = envelope.Iniciar() && envelope.CriarHandle();
        TArquivosNXR& lista = envelope.Arquivos();
        lista.Pasta = pasta;
        // Each insertion clears the list's code when it works, so a failure is remembered here:
        // an envelope missing one of its files must never go out as if it were complete.
        bool arquivosOk = pronto && !arquivos.empty();
        for (const std::string& arquivo : arquivos) {
            if (!arquivosOk)
                break;
            lista.NomeArquivoAtual = arquivo;
            arquivosOk = lista.AdicionarArquivo(Juntar(pasta, arquivo));
        }
        // The files are deleted below, so an envelope written over one of them would be lost.
        const std::string caminho = envelope.CaminhoEnvelope();
        bool sobreArquivo = false;
        for (const std::string& arquivo : arquivos)
            sobreArquivo = sobreArquivo || MesmoArquivo(caminho, Juntar(pasta, arquivo));

        if (!arquivosOk) {
            erro = "0489";
        } else {
            TSeloNXR& selo = envelope.Selo();
            selo.Versao = "2";
            selo.Envelope = caminho;
            bool camposOk = selo.Escrever(ChaveNivelExigido, 0, "2") &&
                            selo.Escrever(ChaveNomeConteudo, 0, lista.NomeArquivoAtual);
            int32_t indice = 0;
            for (const auto& [chave, valor] : pares) {
                if (!camposOk)
                    break;
                camposOk = selo.Escrever(PrefixoChaveNegocio + chave, indice++, valor);
            }
            if (!camposOk)
                erro = "0490";
            else if (sobreArquivo || !envelope.GravarEnvelope())
                erro = "0491";
            else
                sucesso = true;
        }
    }
    // Neither a failed nor a successful seal leaves the plain files behind.
    for (const std::string& arquivo : arquivos) {
        std::error_code ec;
        std::filesystem::remove(Juntar(pasta, arquivo), ec);
    }
    return sucesso;
}

bool ExtrairDoEnvelope(const std::string& pasta, const std::string& nomeEnvelope,
                       const std::string& identificadorEsperado, const std::string& arquivo)
{
    std::lock_guard trava(MutexSelo());
    std::string& erro = ErroSelo();
    // A success must not leave an earlier operation's failure code behind.
    erro.clear();
    TEnvelopadorNXR envelope;
    envelope.Envelope = Juntar(pasta, nomeEnvelope);
    envelope.TerceiraAtualizacao = 0;
    envelope.SegundaAtualizacao = 0;
    envelope.PastaTrabalho = pasta;
    envelope.PrimeiraAtualizacao = 0;
    envelope.ModoInicio = 1;

    if (!envelope.Iniciar() || !envelope.CriarHandle() || !envelope.Validar()) {
        erro = "0488";
        return false;
    }
    TArquivosNXR& lista = envelope.Arquivos();
    lista.Pasta = pasta;
    if (!lista.CarregarLista()) {
        erro = "0488";
        return false;
    }
    TSeloNXR& selo = envelope.Selo();
    selo.Envelope = envelope.CaminhoEnvelope();
    if (!selo.Carregar()) {
        erro = "0488";
        return false;
    }
    if (!identificadorEsperado.empty()) {
        const std::string nra = selo.Ler(std::string(PrefixoChaveNegocio) + "nra", 0);
        if (!selo.CodigoErro.empty() || nra.empty() || nra != identificadorEsperado) {
            erro = "0488";
            return false;
        }
    }
    if (!lista.RetirarArquivo(arquivo)) {
        erro = "0489";
        return false;
    }
    if (!envelope.GravarEnvelope()) {
        erro = "0490";
        return false;
    }
    return true;
}

std::string DescricaoErroSelo(const std::string& codigo)
{
    if (codigo == "0489")
        return "Não foi possível incluir o arquivo no envelope.";
    if (codigo == "0490")
        return "Não foi possível gravar os dados de selo do arquivo.";
    if (codigo == "0491")
        return "Não foi possível gravar o envelope do arquivo.";
    return {};
}

} // namespace drav
