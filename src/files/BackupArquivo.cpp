// The backup archive and the whole backup and restore runs built on TBackup.
#include "files/Backup.h"

#include "core/Excecoes.h"
#include "files/Layout.h"

#include <zip.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <system_error>

namespace drav {

namespace fs = std::filesystem;

namespace {

// A table file is at most a few hundred megabytes; a declared size beyond this is not a backup
// of ours and is refused rather than inflated.
constexpr zip_uint64_t kLimiteEntrada = zip_uint64_t{1} << 31;

std::string MinusculasAscii(std::string s)
{
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

// The entries a backup may hold: a plain "*.txt" name, nothing that could land outside the
// work folder.
bool NomeEntradaValido(const std::string& nome)
{
    if (nome.size() < 5 || nome.size() > 255 || MinusculasAscii(nome.substr(nome.size() - 4)) != ".txt")
        return false;
    return std::none_of(nome.begin(), nome.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || c == ':' || u < 0x20 || u == 0x7f;
    });
}

std::string ErroZip(zip_t* za)
{
    return za ? zip_strerror(za) : "erro desconhecido";
}

std::string ErroAbertura(int codigo)
{
    zip_error_t e;
    zip_error_init_with_code(&e, codigo);
    std::string texto = zip_error_strerror(&e);
    zip_error_fini(&e);
    return texto;
}

// Reads one entry whole; false when it cannot be read or does not check (CRC, password).
bool LerEntrada(zip_t* za, zip_uint64_t indice, std::string& conteudo, std::string& erro)
{
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(za, indice, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE)) {
        erro = ErroZip(za);
        return false;
    }
    if (st.size > kLimiteEntrada) {
        erro = std::string("entrada grande demais: ") + (st.name ? st.name : "");
        return false;
    }
    zip_file_t* f = zip_fopen_index(za, indice, 0);
    if (!f) {
        erro = ErroZip(za);
        return false;
    }
    conteudo.assign(static_cast<std::size_t>(st.size), '\0');
    zip_uint64_t lidos = 0;
    bool ok = true;
    while (lidos < st.size) {
        const zip_int64_t n = zip_fread(f, conteudo.data() + lidos, st.size - lidos);
        if (n <= 0) {
            ok = false;
            break;
        }
        lidos += static_cast<zip_uint64_t>(n);
    }
    // One more read reaches the end, where the checksum is compared.
    char resto;
    if (ok && zip_fread(f, &resto, 1) != 0)
        ok = false;
    if (!ok)
        erro = zip_file_strerror(f);
    zip_fclose(f);
    return ok;
}

void RemoverArquivo(const fs::path& p)
{
    std::error_code ec;
    fs::remove(p, ec);
}

// The table files of the work folder are deleted before a run and again on every way out of it,
// so no copy of the data outlives the run and no stale file from an earlier one joins it.
class PastaTrabalhoLimpa {
public:
    PastaTrabalhoLimpa(TBackup& backup, const fs::path& pasta) : backup_(backup), pasta_(pasta)
    {
        backup_.ApagarArquivosBackup(pasta_);
    }
    ~PastaTrabalhoLimpa() { backup_.ApagarArquivosBackup(pasta_); }
    PastaTrabalhoLimpa(const PastaTrabalhoLimpa&) = delete;
    PastaTrabalhoLimpa& operator=(const PastaTrabalhoLimpa&) = delete;

private:
    TBackup& backup_;
    const fs::path& pasta_;
};

} // namespace

int CompactarBackup(const fs::path& pasta, const fs::path& arquivo, std::string& erro)
{
    std::map<std::string, fs::path> arquivos; // sorted by name, so the archive is reproducible
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(pasta, ec)) {
        std::error_code e2;
        const std::string nome = e.path().filename().string();
        if (e.is_regular_file(e2) && MinusculasAscii(e.path().extension().string()) == ".txt")
            arquivos[nome] = e.path();
    }
    if (ec) {
        erro = "Não foi possível ler a pasta " + pasta.string();
        return -1;
    }
    if (arquivos.empty()) {
        erro = "Nenhum arquivo a compactar.";
        return -1;
    }

    // Written beside the target first: an archive already there is only replaced by one that
    // was read back whole.
    const fs::path temporario = fs::path(arquivo.string() + ".tmp");
    RemoverArquivo(temporario);
    int codigo = 0;
    zip_t* za = zip_open(temporario.string().c_str(), ZIP_CREATE | ZIP_TRUNCATE, &codigo);
    if (!za) {
        erro = "Não foi possível criar o arquivo " + arquivo.string() + ": " + ErroAbertura(codigo);
        return -1;
    }
    for (const auto& [nome, caminho] : arquivos) {
        zip_source_t* src = zip_source_file(za, caminho.string().c_str(), 0, -1);
        const zip_int64_t indice = src ? zip_file_add(za, nome.c_str(), src, ZIP_FL_OVERWRITE) : -1;
        if (indice < 0) {
            if (src)
                zip_source_free(src);
            erro = "Não foi possível incluir " + nome + ": " + ErroZip(za);
            zip_discard(za);
            RemoverArquivo(temporario);
            return -1;
        }
        const auto i = static_cast<zip_uint64_t>(indice);
        if (zip_set_file_compression(za, i, ZIP_CM_DEFLATE, 9) != 0 ||
            zip_file_set_encryption(za, i, ZIP_EM_TRAD_PKWARE, kSenhaBackup) != 0) {
            erro = "Não foi possível preparar " + nome + ": " + ErroZip(za);
            zip_discard(za);
            RemoverArquivo(temporario);
            return -1;
        }
    }
    if (zip_close(za) != 0) {
        erro = "Não foi possível gravar o arquivo " + arquivo.string() + ": " + ErroZip(za);
        zip_discard(za);
        RemoverArquivo(temporario);
        return -1;
    }

    // Read back with the password and compare every entry with its file.
    za = zip_open(temporario.string().c_str(), ZIP_CHECKCONS, &codigo);
    bool conferido = za != nullptr;
    if (!za)
        erro = "O arquivo gravado não pôde ser lido: " + ErroAbertura(codigo);
    if (za) {
        zip_set_default_password(za, kSenhaBackup);
        conferido = zip_get_num_entries(za, 0) == static_cast<zip_int64_t>(arquivos.size());
        for (zip_uint64_t i = 0; conferido && i < arquivos.size(); ++i) {
            const char* nome = zip_get_name(za, i, 0);
            std::string lido, original, motivo;
            const auto it = nome ? arquivos.find(nome) : arquivos.end();
            conferido = it != arquivos.end() && LerEntrada(za, i, lido, motivo) &&
                        LerBytesArquivo(it->second, original) && lido == original;
        }
        if (!conferido)
            erro = "O arquivo gravado não confere com os dados do backup.";
        zip_discard(za);
    }
    if (!conferido) {
        RemoverArquivo(temporario);
        return -1;
    }
    fs::rename(temporario, arquivo, ec);
    if (ec) {
        erro = "Não foi possível gravar o arquivo " + arquivo.string() + ": " + ec.message();
        RemoverArquivo(temporario);
        return -1;
    }
    return static_cast<int>(arquivos.size());
}

bool ExtrairBackup(const fs::path& arquivo, const fs::path& pasta, std::string& erro)
{
    int codigo = 0;
    zip_t* za = zip_open(arquivo.string().c_str(), ZIP_CHECKCONS, &codigo);
    if (!za) {
        erro = "Arquivo de backup ilegível: " + ErroAbertura(codigo);
        return false;
    }
    zip_set_default_password(za, kSenhaBackup);
    std::vector<fs::path> gravados;
    const auto falhar = [&](const std::string& motivo) {
        erro = motivo;
        for (const auto& p : gravados)
            RemoverArquivo(p);
        zip_discard(za);
        return false;
    };
    std::error_code ec;
    fs::create_directories(pasta, ec);
    const zip_int64_t n = zip_get_num_entries(za, 0);
    if (n <= 0)
        return falhar("O arquivo de backup está vazio.");
    std::vector<std::string> nomes;
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* bruto = zip_get_name(za, static_cast<zip_uint64_t>(i), 0);
        const std::string nome = bruto ? bruto : "";
        if (!NomeEntradaValido(nome))
            return falhar("Entrada inesperada no arquivo de backup: " + nome);
        const std::string chave = MinusculasAscii(nome);
        if (std::find(nomes.begin(), nomes.end(), chave) != nomes.end())
            return falhar("Entrada repetida no arquivo de backup: " + nome);
        nomes.push_back(chave);
        std::string conteudo, motivo;
        if (!LerEntrada(za, static_cast<zip_uint64_t>(i), conteudo, motivo))
            return falhar("Não foi possível extrair " + nome + ": " + motivo);
        const fs::path destino = pasta / nome;
        std::ofstream f(destino, std::ios::binary | std::ios::trunc);
        f.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
        f.close();
        gravados.push_back(destino);
        if (!f)
            return falhar("Não foi possível gravar " + destino.string());
    }
    zip_discard(za);
    return true;
}

void GerarBackup(TDBUtils& sessao, const fs::path& pastaTrabalho, const fs::path& arquivo)
{
    std::error_code ec;
    fs::create_directories(pastaTrabalho, ec);
    TBackup backup(sessao);
    const PastaTrabalhoLimpa limpeza(backup, pastaTrabalho);
    backup.ExportarTabelas(pastaTrabalho);
    std::string erro;
    if (CompactarBackup(pastaTrabalho, arquivo, erro) <= 0)
        throw ENegocio(erro);
}

TResultadoRestauracao RestaurarArquivoBackup(TDBUtils& sessao, const fs::path& arquivo, const fs::path& pastaTrabalho,
                                             int modo, const std::function<bool()>& perguntarValidacao,
                                             const std::function<void()>& aoExtrair)
{
    TResultadoRestauracao r;
    std::error_code ec;
    if (!fs::is_regular_file(arquivo, ec)) {
        r.CodigoMensagem = "0251";
        r.Motivo = "Arquivo não encontrado: " + arquivo.string();
        return r;
    }
    TBackup backup(sessao);
    const PastaTrabalhoLimpa limpeza(backup, pastaTrabalho);
    std::string erro;
    if (!ExtrairBackup(arquivo, pastaTrabalho, erro)) {
        r.CodigoMensagem = "0104";
        r.Motivo = erro;
        return r;
    }
    if (aoExtrair)
        aoExtrair();
    bool ok = false;
    if (modo == 1) {
        if (!backup.ConferirVersao(pastaTrabalho, 1)) {
            r.CodigoMensagem = "0104";
            r.Motivo = "O arquivo não é um backup da versão 1.3.3.";
            return r;
        }
        ok = backup.RestaurarFormatoAntigo(pastaTrabalho);
        backup.ListarTabelas(false); // the clean-up deletes whatever the archive could have held
    } else {
        if (!backup.ConferirVersao(pastaTrabalho, 0)) {
            const SituacaoVersaoBackup s = backup.SituacaoVersao(pastaTrabalho);
            if (s == SituacaoVersaoBackup::Posterior) {
                r.VersaoPosterior = true;
                r.Motivo = TextoVersaoPosterior(backup.VersaoBackup);
                return r;
            }
            if (s == SituacaoVersaoBackup::FormatoAntigo) {
                r.CodigoMensagem = "0104";
                r.Motivo = "O backup é do formato da versão 1.3.3; restaure-o como backup da versão 1.3.3.";
                return r;
            }
            backup.ValidarAposRestaurar = perguntarValidacao ? perguntarValidacao() : false;
        }
        ok = backup.RestaurarTabelas(pastaTrabalho) && !backup.EstruturaAlterada;
    }
    if (ok) {
        r.Restaurado = true;
        r.CodigoMensagem = "0255";
        r.InconsistenciasGravadas = backup.InconsistenciasGravadas;
    } else {
        r.CodigoMensagem = backup.EstruturaAlterada ? "0479" : "0104";
        r.Motivo = backup.MotivoFalha;
    }
    return r;
}

} // namespace drav
