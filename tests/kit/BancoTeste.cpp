#include "kit/BancoTeste.h"

#include "store/CriacaoBanco.h"
#include "store/ScriptsEmbutidos.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <random>

namespace drav::teste {

namespace {

std::filesystem::path RaizTemporaria()
{
    const char* t = std::getenv("DRAV_TEST_TMP");
    std::filesystem::path raiz = t && *t ? t : std::filesystem::temp_directory_path() / "drav-testes";
    std::filesystem::create_directories(raiz);
    return raiz;
}

std::string ImpressaoScripts()
{
    size_t h = 0;
    for (const auto& s : ScriptsEmbutidos())
        h = h * 31 + std::hash<std::string>{}(s.nome + s.texto);
    return std::to_string(h);
}

} // namespace

const std::filesystem::path& ModeloBanco()
{
    static const std::filesystem::path modelo = [] {
        const auto raiz = RaizTemporaria();
        const auto alvo = raiz / ("modelo-" + ImpressaoScripts() + ".fdb");
        // Several test processes may start together: one builds, the others wait on the lock.
        const int fd = ::open((raiz / "modelo.lock").c_str(), O_CREAT | O_RDWR, 0644);
        if (fd >= 0)
            ::flock(fd, LOCK_EX);
        if (!std::filesystem::exists(alvo)) {
            const auto temp = raiz / ("modelo-" + std::to_string(::getpid()) + ".tmp.fdb");
            std::filesystem::remove(temp);
            CriarBancoCompleto(temp);
            std::filesystem::rename(temp, alvo);
        }
        if (fd >= 0) {
            ::flock(fd, LOCK_UN);
            ::close(fd);
        }
        return alvo;
    }();
    return modelo;
}

std::filesystem::path PastaTemporaria(const std::string& prefixo)
{
    static std::atomic<int> contador{0};
    std::random_device rd;
    const auto p = RaizTemporaria() / (prefixo + "-" + std::to_string(::getpid()) + "-" +
                                       std::to_string(contador++) + "-" + std::to_string(rd() % 100000));
    std::filesystem::remove_all(p);
    std::filesystem::create_directories(p);
    return p;
}

std::unique_ptr<TIbxUtils> NovoBanco(const std::filesystem::path& pasta)
{
    const auto arquivo = pasta / "BD" / "DRAV.FDB";
    std::filesystem::create_directories(arquivo.parent_path());
    std::filesystem::copy_file(ModeloBanco(), arquivo, std::filesystem::copy_options::overwrite_existing);
    auto s = std::make_unique<TIbxUtils>();
    s->DatabaseName = arquivo.string();
    s->User = kUsuarioBanco;
    s->Password = kSenhaBanco;
    s->DefinirPastaLog(pasta);
    s->Conectar();
    return s;
}

void BancoTeste::SetUp()
{
    pasta = PastaTemporaria();
    sessao = NovoBanco(pasta);
}

void BancoTeste::TearDown()
{
    sessao.reset();
    std::error_code ec;
    std::filesystem::remove_all(pasta, ec);
}

} // namespace drav::teste
