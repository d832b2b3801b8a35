// The envelope as this system writes it: a ZIP archive holding the sealed files under their own
// names and one manifest entry with the seal fields. The manifest lives under a folder name, so
// no sealed file (always a plain name) can ever take its place.
#include "files/Selo.h"

#include <zip.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <system_error>

namespace drav {

namespace {

constexpr const char* kManifesto = "selo/campos.txt";
constexpr const char* kAssinaturaManifesto = "DRAV-SELO 1";
// A manifest is a few lines; a huge one is not ours.
constexpr zip_uint64_t kLimiteManifesto = 1u << 20;
// Checking every file of an envelope reads it through; a declared size beyond this is refused
// rather than inflated.
constexpr zip_uint64_t kLimiteArquivo = zip_uint64_t{1} << 31;

// Library error numbers (kept for whoever debugs the library; the wrappers discard them).
enum : int32_t {
    Ok = 0,
    ModoInvalido = 1,
    PastaInexistente = 2,
    HandleDesconhecido = 3,
    ArquivoInexistente = 4,
    NomeInvalido = 5,
    NomeRepetido = 6,
    ChaveInvalida = 7,
    EnvelopeInvalido = 8,
    FalhaGravacao = 9,
    NaoCarregado = 10,
    CampoAusente = 11,
    NaoIniciado = 12,
};

struct Campo {
    std::string chave;
    int32_t indice = 0;
    std::string valor;
};

struct Estado {
    std::vector<std::pair<std::string, std::string>> inseridos; // name inside, path outside
    std::vector<Campo> campos;                                  // for the envelope written next
    std::string envelopeCarregado;
    bool listaCarregada = false;
    std::vector<std::string> arquivosCarregados;
    bool seloCarregado = false;
    std::vector<Campo> camposCarregados;
};

// A name a sealed file may have: plain, printable, no folder part.
bool NomeSimples(const std::string& nome)
{
    if (nome.empty() || nome == "." || nome == ".." || nome.size() > 255)
        return false;
    return std::none_of(nome.begin(), nome.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return c == '/' || c == '\\' || u < 0x20 || u == 0x7f;
    });
}

bool ChaveValida(const std::string& chave)
{
    if (chave.empty())
        return false;
    return std::none_of(chave.begin(), chave.end(),
                        [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == '\\'; });
}

std::string Escapar(const std::string& valor)
{
    std::string r;
    for (char c : valor) {
        switch (c) {
        case '\\': r += "\\\\"; break;
        case '\t': r += "\\t"; break;
        case '\n': r += "\\n"; break;
        case '\r': r += "\\r"; break;
        default: r += c;
        }
    }
    return r;
}

bool Desescapar(const std::string& texto, std::string& valor)
{
    valor.clear();
    for (std::size_t i = 0; i < texto.size(); ++i) {
        if (texto[i] != '\\') {
            valor += texto[i];
            continue;
        }
        if (++i == texto.size())
            return false;
        switch (texto[i]) {
        case '\\': valor += '\\'; break;
        case 't': valor += '\t'; break;
        case 'n': valor += '\n'; break;
        case 'r': valor += '\r'; break;
        default: return false;
        }
    }
    return true;
}

std::string MontarManifesto(const std::vector<Campo>& campos)
{
    std::string texto = std::string(kAssinaturaManifesto) + "\n";
    for (const Campo& c : campos)
        texto += c.chave + "\t" + std::to_string(c.indice) + "\t" + Escapar(c.valor) + "\n";
    return texto;
}

bool LerManifesto(const std::string& texto, std::vector<Campo>& campos)
{
    campos.clear();
    std::size_t inicio = 0;
    bool primeira = true;
    while (inicio < texto.size()) {
        const std::size_t fim = texto.find('\n', inicio);
        if (fim == std::string::npos)
            return false; // every line ends; a cut manifest is damaged
        const std::string linha = texto.substr(inicio, fim - inicio);
        inicio = fim + 1;
        if (primeira) {
            if (linha != kAssinaturaManifesto)
                return false;
            primeira = false;
            continue;
        }
        const std::size_t t1 = linha.find('\t');
        const std::size_t t2 = t1 == std::string::npos ? t1 : linha.find('\t', t1 + 1);
        if (t2 == std::string::npos)
            return false;
        Campo c;
        c.chave = linha.substr(0, t1);
        const std::string indice = linha.substr(t1 + 1, t2 - t1 - 1);
        if (!ChaveValida(c.chave) || indice.empty() || indice.size() > 10 ||
            !std::all_of(indice.begin(), indice.end(), [](char d) { return d >= '0' && d <= '9'; }))
            return false;
        c.indice = static_cast<int32_t>(std::stoll(indice));
        if (!Desescapar(linha.substr(t2 + 1), c.valor))
            return false;
        campos.push_back(std::move(c));
    }
    return !primeira;
}

// An open archive, closed without writing when the scope ends.
class Leitura {
public:
    explicit Leitura(const std::string& caminho)
    {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(caminho, ec))
            return;
        int erro = 0;
        zip_ = zip_open(caminho.c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &erro);
    }
    ~Leitura()
    {
        if (zip_)
            zip_discard(zip_);
    }
    Leitura(const Leitura&) = delete;
    Leitura& operator=(const Leitura&) = delete;

    zip_t* Zip() const { return zip_; }

    // Reads one entry through, checking its CRC; the bytes are kept only when asked for.
    bool Ler(zip_uint64_t indice, std::string* conteudo, zip_uint64_t limite) const
    {
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(zip_, indice, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || st.size > limite)
            return false;
        zip_file_t* f = zip_fopen_index(zip_, indice, 0);
        if (!f)
            return false;
        char buffer[65536];
        zip_uint64_t total = 0;
        bool ok = true;
        for (;;) {
            const zip_int64_t n = zip_fread(f, buffer, sizeof buffer);
            if (n < 0) {
                ok = false;
                break;
            }
            if (n == 0)
                break;
            total += static_cast<zip_uint64_t>(n);
            if (total > st.size) {
                ok = false;
                break;
            }
            if (conteudo)
                conteudo->append(buffer, static_cast<std::size_t>(n));
        }
        zip_fclose(f);
        return ok && total == st.size;
    }

    bool Manifesto(std::vector<Campo>& campos) const
    {
        const zip_int64_t i = zip_name_locate(zip_, kManifesto, 0);
        std::string texto;
        return i >= 0 && Ler(static_cast<zip_uint64_t>(i), &texto, kLimiteManifesto) && LerManifesto(texto, campos);
    }

    std::vector<std::string> Nomes() const
    {
        std::vector<std::string> nomes;
        const zip_int64_t n = zip_get_num_entries(zip_, 0);
        for (zip_int64_t i = 0; i < n; ++i) {
            const char* nome = zip_get_name(zip_, static_cast<zip_uint64_t>(i), 0);
            if (nome && std::string(nome) != kManifesto && std::string(nome).back() != '/')
                nomes.emplace_back(nome);
        }
        return nomes;
    }

private:
    zip_t* zip_ = nullptr;
};

class TBibliotecaSeloZip : public IBibliotecaSelo {
public:
    int32_t IniciaEnvelopador(int32_t modo, const std::string& pastaTrabalho) override
    {
        if (modo != 1)
            return ModoInvalido;
        std::error_code ec;
        if (pastaTrabalho.empty() || !std::filesystem::is_directory(pastaTrabalho, ec))
            return PastaInexistente;
        iniciado_ = true;
        return Ok;
    }

    int32_t CriaEnvelopadorHandle() override
    {
        if (!iniciado_)
            return 0;
        const int32_t h = proximo_++;
        estados_[h];
        return h;
    }

    int32_t InsereArquivo(int32_t handle, const std::string& arquivo, int32_t modo, const std::string& extra) override
    {
        return ComEstado(handle, [&](Estado& e) -> int32_t {
            if (modo == 3)
                return Inserir(e, arquivo);
            if (modo == 5)
                return Retirar(e, arquivo, extra);
            return ModoInvalido;
        });
    }

    int32_t EscreveSeloDeEnvio(int32_t handle, const std::string& chave, int32_t indice,
                               const std::string& valor) override
    {
        return ComEstado(handle, [&](Estado& e) -> int32_t {
            if (!ChaveValida(chave))
                return ChaveInvalida;
            // Fields are found by key: writing a key again replaces its value.
            for (Campo& c : e.campos)
                if (c.chave == chave) {
                    c.indice = indice;
                    c.valor = valor;
                    return Ok;
                }
            e.campos.push_back(Campo{chave, indice, valor});
            return Ok;
        });
    }

    int32_t AtualizaMudancasEmEnvelope(int32_t handle, const std::string& caminho, int32_t primeira, int32_t segunda,
                                       int32_t terceira) override
    {
        return ComEstado(handle, [&](Estado& e) -> int32_t {
            if (primeira == 0 && segunda == 0 && terceira == 0)
                return ValidaEnvelope(caminho);
            if (primeira == 0 && segunda == 1 && terceira == 1)
                return Gravar(e, caminho);
            return ModoInvalido;
        });
    }

    int32_t ValidaEnvelope(const std::string& caminho) override
    {
        Leitura l(caminho);
        if (!l.Zip())
            return EnvelopeInvalido;
        std::vector<Campo> campos;
        if (!l.Manifesto(campos))
            return EnvelopeInvalido;
        const zip_int64_t n = zip_get_num_entries(l.Zip(), 0);
        for (zip_int64_t i = 0; i < n; ++i)
            if (!l.Ler(static_cast<zip_uint64_t>(i), nullptr, kLimiteArquivo))
                return EnvelopeInvalido;
        return Ok;
    }

    int32_t CarregaListaDeArquivos(int32_t handle, const std::string& caminho) override
    {
        return ComEstado(handle, [&](Estado& e) -> int32_t {
            e.listaCarregada = false;
            Leitura l(caminho);
            std::vector<Campo> campos;
            if (!l.Zip() || !l.Manifesto(campos))
                return EnvelopeInvalido;
            e.arquivosCarregados = l.Nomes();
            e.envelopeCarregado = caminho;
            e.listaCarregada = true;
            return Ok;
        });
    }

    int32_t CarregaDadosSelo(int32_t handle, const std::string& caminho) override
    {
        return ComEstado(handle, [&](Estado& e) -> int32_t {
            e.seloCarregado = false;
            Leitura l(caminho);
            if (!l.Zip() || !l.Manifesto(e.camposCarregados))
                return EnvelopeInvalido;
            e.seloCarregado = true;
            return Ok;
        });
    }

    int32_t LeSeloDeEnvio(int32_t handle, const std::string& chave, int32_t /*indice*/, std::string& valor) override
    {
        return ComEstado(handle, [&](Estado& e) -> int32_t {
            if (!e.seloCarregado)
                return NaoCarregado;
            for (const Campo& c : e.camposCarregados)
                if (c.chave == chave) {
                    valor = c.valor;
                    return Ok;
                }
            return CampoAusente;
        });
    }

    std::vector<std::string> ArquivosCarregados(int32_t handle) override
    {
        Estado* e = Buscar(handle);
        return e && e->listaCarregada ? e->arquivosCarregados : std::vector<std::string>{};
    }

    std::vector<std::pair<std::string, std::string>> CamposCarregados(int32_t handle) override
    {
        std::vector<std::pair<std::string, std::string>> r;
        Estado* e = Buscar(handle);
        if (e && e->seloCarregado)
            for (const Campo& c : e->camposCarregados)
                r.emplace_back(c.chave, c.valor);
        return r;
    }

private:
    Estado* Buscar(int32_t handle)
    {
        const auto it = estados_.find(handle);
        return it == estados_.end() ? nullptr : &it->second;
    }

    // Every call on a handle answers an unknown one alike, before looking at anything else.
    template <class Trabalho>
    int32_t ComEstado(int32_t handle, Trabalho&& trabalho)
    {
        Estado* e = Buscar(handle);
        return e ? trabalho(*e) : int32_t{HandleDesconhecido};
    }

    static int32_t Inserir(Estado& e, const std::string& caminho)
    {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(caminho, ec))
            return ArquivoInexistente;
        const std::string nome = std::filesystem::path(caminho).filename().string();
        if (!NomeSimples(nome))
            return NomeInvalido;
        for (const auto& [existente, _] : e.inseridos)
            if (existente == nome)
                return NomeRepetido;
        e.inseridos.emplace_back(nome, caminho);
        return Ok;
    }

    // The file appears in the folder whole or not at all: it is written beside its final name
    // and renamed over it.
    static int32_t Retirar(Estado& e, const std::string& nome, const std::string& pasta)
    {
        if (!e.listaCarregada)
            return NaoCarregado;
        if (!NomeSimples(nome) ||
            std::find(e.arquivosCarregados.begin(), e.arquivosCarregados.end(), nome) == e.arquivosCarregados.end())
            return ArquivoInexistente;
        std::error_code ec;
        if (!std::filesystem::is_directory(pasta, ec))
            return PastaInexistente;
        Leitura l(e.envelopeCarregado);
        if (!l.Zip())
            return EnvelopeInvalido;
        const zip_int64_t i = zip_name_locate(l.Zip(), nome.c_str(), 0);
        std::string conteudo;
        if (i < 0 || !l.Ler(static_cast<zip_uint64_t>(i), &conteudo, kLimiteArquivo))
            return EnvelopeInvalido;
        const std::filesystem::path destino = std::filesystem::path(pasta) / nome;
        std::filesystem::path temporario = destino;
        temporario += ".tmp" + std::to_string(std::random_device{}());
        {
            std::ofstream saida(temporario, std::ios::binary | std::ios::trunc);
            saida.write(conteudo.data(), static_cast<std::streamsize>(conteudo.size()));
            saida.close();
            if (!saida) {
                std::filesystem::remove(temporario, ec);
                return FalhaGravacao;
            }
        }
        std::filesystem::rename(temporario, destino, ec);
        if (ec) {
            std::filesystem::remove(temporario, ec);
            return FalhaGravacao;
        }
        return Ok;
    }

    // libzip writes the archive beside the target and renames it in place on close, so a failed
    // write never leaves half an envelope at the path.
    static int32_t Gravar(const Estado& e, const std::string& caminho)
    {
        if (e.inseridos.empty() || caminho.empty())
            return FalhaGravacao;
        int erro = 0;
        zip_t* z = zip_open(caminho.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &erro);
        if (!z)
            return FalhaGravacao;
        auto falhar = [z] {
            zip_discard(z);
            return FalhaGravacao;
        };
        for (const auto& [nome, origem] : e.inseridos) {
            zip_source_t* fonte = zip_source_file(z, origem.c_str(), 0, 0);
            if (!fonte)
                return falhar();
            const zip_int64_t i = zip_file_add(z, nome.c_str(), fonte, ZIP_FL_ENC_UTF_8);
            if (i < 0) {
                zip_source_free(fonte);
                return falhar();
            }
            zip_set_file_compression(z, static_cast<zip_uint64_t>(i), ZIP_CM_DEFLATE, 9);
        }
        const std::string manifesto = MontarManifesto(e.campos);
        // The buffer must outlive zip_close, which is when libzip reads it: hold a copy.
        auto* copia = static_cast<char*>(std::malloc(manifesto.size()));
        if (!copia)
            return falhar();
        std::copy(manifesto.begin(), manifesto.end(), copia);
        zip_source_t* fonte = zip_source_buffer(z, copia, manifesto.size(), 1);
        if (!fonte) {
            std::free(copia);
            return falhar();
        }
        if (zip_file_add(z, kManifesto, fonte, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(fonte);
            return falhar();
        }
        if (zip_close(z) != 0)
            return falhar();
        return Ok;
    }

    bool iniciado_ = false;
    int32_t proximo_ = 1;
    std::map<int32_t, Estado> estados_;
};

} // namespace

std::shared_ptr<IBibliotecaSelo> NovaBibliotecaSeloZip()
{
    return std::make_shared<TBibliotecaSeloZip>();
}

} // namespace drav
