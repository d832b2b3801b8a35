#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace drav {

// The envelope library: every file sent to the bank travels inside an envelope that holds the
// plain interchange files and a seal of named fields. Calls return 0 on success; any other value
// is the library's own error number, which the wrappers below discard. A handle is the value
// CriaEnvelopadorHandle returned; 0 is never a handle.
class IBibliotecaSelo {
public:
    virtual ~IBibliotecaSelo() = default;

    virtual int32_t IniciaEnvelopador(int32_t modo, const std::string& pastaTrabalho) = 0;
    virtual int32_t CriaEnvelopadorHandle() = 0;
    // Mode 3: `arquivo` is a full path, added to the envelope written next. Mode 5: `arquivo` is
    // the name of a file of the loaded envelope, taken out into the folder `extra`.
    virtual int32_t InsereArquivo(int32_t handle, const std::string& arquivo, int32_t modo,
                                  const std::string& extra) = 0;
    virtual int32_t EscreveSeloDeEnvio(int32_t handle, const std::string& chave, int32_t indice,
                                       const std::string& valor) = 0;
    // Flags 0, 1, 1 write the envelope at the path with the inserted files and the seal fields;
    // 0, 0, 0 keep the envelope as it is and only confirm it is still sound.
    virtual int32_t AtualizaMudancasEmEnvelope(int32_t handle, const std::string& caminho, int32_t primeira,
                                               int32_t segunda, int32_t terceira) = 0;
    virtual int32_t ValidaEnvelope(const std::string& caminho) = 0;
    virtual int32_t CarregaListaDeArquivos(int32_t handle, const std::string& caminho) = 0;
    virtual int32_t CarregaDadosSelo(int32_t handle, const std::string& caminho) = 0;
    virtual int32_t LeSeloDeEnvio(int32_t handle, const std::string& chave, int32_t indice, std::string& valor) = 0;

    // What a loaded envelope holds, for people who want to look inside one.
    virtual std::vector<std::string> ArquivosCarregados(int32_t handle) = 0;
    virtual std::vector<std::pair<std::string, std::string>> CamposCarregados(int32_t handle) = 0;
};

// This system's own envelope: a ZIP archive with the inner files and a manifest of the seal
// fields, each field found by its key.
std::shared_ptr<IBibliotecaSelo> NovaBibliotecaSeloZip();

// How an envelope object obtains its library. A loader returning null stands for a library that
// cannot be loaded. An empty function restores the ZIP library.
using CarregadorBibliotecaSelo = std::function<std::shared_ptr<IBibliotecaSelo>()>;
void DefinirCarregadorBibliotecaSelo(CarregadorBibliotecaSelo carregador);

// Seal keys.
inline constexpr const char* ChaveNivelExigido = "NXRStamp.envelope.requiredlevel";
inline constexpr const char* ChaveNomeConteudo = "NXRStamp.content.file.name";
inline constexpr const char* PrefixoChaveNegocio = "NXRStamp.bussinessinfo.field.";

// Wrapper codes: they stay inside the objects; the routines turn them into the user-level codes.
inline constexpr const char* ErroSeloBiblioteca = "1147"; // no library, start or handle failed
inline constexpr const char* ErroSeloGravacao = "1108";   // writing the envelope or moving a file
inline constexpr const char* ErroSeloValidacao = "1117";  // not a valid envelope
inline constexpr const char* ErroSeloDados = "1146";      // list or seal fields

class TArquivosNXR;
class TSeloNXR;

class TEnvelopadorNXR {
public:
    TEnvelopadorNXR();
    ~TEnvelopadorNXR();
    TEnvelopadorNXR(const TEnvelopadorNXR&) = delete;
    TEnvelopadorNXR& operator=(const TEnvelopadorNXR&) = delete;

    std::string CodigoErro;
    std::string Envelope;     // folder of the envelope, or its whole path
    std::string NomeEnvelope; // joined to Envelope when given
    int32_t PrimeiraAtualizacao = 0;
    std::string PastaTrabalho;
    int32_t TerceiraAtualizacao = 0;
    int32_t SegundaAtualizacao = 0;
    int32_t Handle = 0;
    int32_t ModoInicio = 0;

    // Each returns true when CodigoErro was left empty.
    bool Iniciar();
    bool CriarHandle();
    bool Validar();
    bool GravarEnvelope();

    // Made on first use.
    TArquivosNXR& Arquivos();
    TSeloNXR& Selo();

    std::string CaminhoEnvelope() const;
    // Null when the library could not be loaded.
    IBibliotecaSelo* Biblioteca() const { return biblioteca_.get(); }
    // Turns a library result into this wrapper's code; true for 0.
    static bool Resultado(std::string& codigoErro, int32_t resultado, const char* codigo);

private:
    std::shared_ptr<IBibliotecaSelo> biblioteca_;
    std::unique_ptr<TArquivosNXR> arquivos_;
    std::unique_ptr<TSeloNXR> selo_;
};

class TArquivosNXR {
public:
    explicit TArquivosNXR(TEnvelopadorNXR& dono) : dono_(dono) {}

    std::string CodigoErro;
    std::string NomeArquivoAtual;
    std::string Pasta;

    bool AdicionarArquivo(const std::string& caminho);
    // Takes the named file out of the loaded envelope into Pasta.
    bool RetirarArquivo(const std::string& nome);
    bool CarregarLista();
    std::vector<std::string> Lista() const;

private:
    TEnvelopadorNXR& dono_;
};

class TSeloNXR {
public:
    explicit TSeloNXR(TEnvelopadorNXR& dono) : dono_(dono) {}

    std::string CodigoErro;
    std::string Envelope; // path of the envelope whose seal is read
    std::string Versao;

    bool Carregar();
    // The field's value; empty with CodigoErro set when it cannot be read.
    std::string Ler(const std::string& chave, int32_t indice);
    bool Escrever(const std::string& chave, int32_t indice, const std::string& valor);
    std::vector<std::pair<std::string, std::string>> Campos() const;

private:
    TEnvelopadorNXR& dono_;
};

using ParesSelo = std::vector<std::pair<std::string, std::string>>;

// Seals the files (names inside `pasta`) into pasta/nomeEnvelope with the business fields, in
// order. The files are deleted whatever the outcome. On failure UltimoErroSelo() tells why:
// "0489" a file could not be added, "0490" a seal field could not be written, "0491" the envelope
// could not be written.
bool Selar(const std::string& pasta, const std::string& nomeEnvelope, const ParesSelo& pares,
           const std::vector<std::string>& arquivos);

// Checks that pasta/nomeEnvelope is an envelope whose "nra" is the expected identifier (not
// checked when empty) and takes the named file out of it into `pasta`. On failure
// UltimoErroSelo(): "0488" the envelope cannot be opened or read or has another identifier,
// "0489" the file cannot be taken out, "0490" the envelope cannot be updated.
bool ExtrairDoEnvelope(const std::string& pasta, const std::string& nomeEnvelope,
                       const std::string& identificadorEsperado, const std::string& arquivo);

// The code the last seal routine of the process left; empty after a success.
std::string UltimoErroSelo();

// What a seal failure code of Selar means to the user; empty for any other code. The seal's codes
// are its own: the message table holds other texts under the same numbers.
std::string DescricaoErroSelo(const std::string& codigo);

} // namespace drav
