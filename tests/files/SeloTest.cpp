#include "files/Selo.h"

#include "kit/ArquivosTeste.h"
#include "kit/BancoTeste.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace drav {
namespace {

namespace fs = std::filesystem;
using namespace teste;

const std::string kId = "202403151435209990000000001234";

// The real library with calls made to fail on demand.
class BibliotecaFalha : public IBibliotecaSelo {
public:
    std::set<int> insercoesComFalha; // 1-based call numbers of InsereArquivo
    bool falhaEscrita = false;
    bool falhaGravacao = false;

    int32_t IniciaEnvelopador(int32_t m, const std::string& p) override { return real_->IniciaEnvelopador(m, p); }
    int32_t CriaEnvelopadorHandle() override { return real_->CriaEnvelopadorHandle(); }
    int32_t InsereArquivo(int32_t h, const std::string& a, int32_t m, const std::string& e) override
    {
        const int32_t r = real_->InsereArquivo(h, a, m, e);
        return insercoesComFalha.count(++insercoes_) ? 77 : r;
    }
    int32_t EscreveSeloDeEnvio(int32_t h, const std::string& c, int32_t i, const std::string& v) override
    {
        return falhaEscrita ? 78 : real_->EscreveSeloDeEnvio(h, c, i, v);
    }
    int32_t AtualizaMudancasEmEnvelope(int32_t h, const std::string& c, int32_t a, int32_t b, int32_t d) override
    {
        return falhaGravacao ? 79 : real_->AtualizaMudancasEmEnvelope(h, c, a, b, d);
    }
    int32_t ValidaEnvelope(const std::string& c) override { return real_->ValidaEnvelope(c); }
    int32_t CarregaListaDeArquivos(int32_t h, const std::string& c) override
    {
        return real_->CarregaListaDeArquivos(h, c);
    }
    int32_t CarregaDadosSelo(int32_t h, const std::string& c) override { return real_->CarregaDadosSelo(h, c); }
    int32_t LeSeloDeEnvio(int32_t h, const std::string& c, int32_t i, std::string& v) override
    {
        return real_->LeSeloDeEnvio(h, c, i, v);
    }
    std::vector<std::string> ArquivosCarregados(int32_t h) override { return real_->ArquivosCarregados(h); }
    std::vector<std::pair<std::string, std::string>> CamposCarregados(int32_t h) override
    {
        return real_->CamposCarregados(h);
    }

private:
    std::shared_ptr<IBibliotecaSelo> real_ = NovaBibliotecaSeloZip();
    int insercoes_ = 0;
};

class SeloTeste : public ::testing::Test {
protected:
    void SetUp() override { pasta = teste::PastaTemporaria("drav-selo"); }
    void TearDown() override
    {
        DefinirCarregadorBibliotecaSelo({});
        std::error_code ec;
        fs::remove_all(pasta, ec);
    }

    // Two files as an outbound file leaves them: CR LF lines and Windows-1252 bytes.
    std::vector<std::string> CriarArquivos()
    {
        GravarArquivo(pasta / "Totais.txt", "1;2;3\r\n\xC1vila\r\n");
        GravarArquivo(pasta / "Pedido.GR", std::string(67, '0') + "\r\n" + std::string(67, '9') + "\r\n");
        return {"Totais.txt", "Pedido.GR"};
    }

    // The seal fields of an envelope, read back by key.
    std::string Campo(const std::string& envelope, const std::string& chave)
    {
        TEnvelopadorNXR e;
        e.ModoInicio = 1;
        e.PastaTrabalho = pasta.string();
        EXPECT_TRUE(e.Iniciar() && e.CriarHandle());
        e.Selo().Envelope = (pasta / envelope).string();
        EXPECT_TRUE(e.Selo().Carregar());
        return e.Selo().Ler(chave, 0);
    }

    fs::path pasta;
};

TEST_F(SeloTeste, SelarEExtrairDevolvemOsArquivosECamposPelaChave)
{
    const auto arquivos = CriarArquivos();
    const std::string totais = LerArquivo(pasta / "Totais.txt"), pedido = LerArquivo(pasta / "Pedido.GR");
    const ParesSelo pares = {{"tparquivo", "7"}, {"nomeresponsavel", "José D'Ávila\tLtda\\\nFilial"}, {"nra", kId}};

    ASSERT_TRUE(Selar(pasta.string(), "Pedido.KVD", pares, arquivos));
    EXPECT_EQ(UltimoErroSelo(), "");
    EXPECT_FALSE(fs::exists(pasta / "Totais.txt"));
    EXPECT_FALSE(fs::exists(pasta / "Pedido.GR"));
    ASSERT_TRUE(fs::exists(pasta / "Pedido.KVD"));

    EXPECT_EQ(Campo("Pedido.KVD", "NXRStamp.envelope.requiredlevel"), "2");
    EXPECT_EQ(Campo("Pedido.KVD", "NXRStamp.content.file.name"), "Pedido.GR") << "the last file of the list";
    EXPECT_EQ(Campo("Pedido.KVD", "NXRStamp.bussinessinfo.field.nra"), kId);
    EXPECT_EQ(Campo("Pedido.KVD", "NXRStamp.bussinessinfo.field.nomeresponsavel"), pares[1].second);

    ASSERT_TRUE(ExtrairDoEnvelope(pasta.string(), "Pedido.KVD", kId, "Totais.txt"));
    EXPECT_EQ(LerArquivo(pasta / "Totais.txt"), totais);
    ASSERT_TRUE(ExtrairDoEnvelope(pasta.string(), "Pedido.KVD", "", "Pedido.GR")) << "no identifier to check";
    EXPECT_EQ(LerArquivo(pasta / "Pedido.GR"), pedido);
    EXPECT_TRUE(fs::exists(pasta / "Pedido.KVD")) << "taking a file out keeps the envelope";

    // A success after a failure leaves no stale code behind.
    EXPECT_FALSE(ExtrairDoEnvelope(pasta.string(), "Pedido.KVD", kId, "Outro.txt"));
    EXPECT_EQ(UltimoErroSelo(), "0489");
    EXPECT_TRUE(ExtrairDoEnvelope(pasta.string(), "Pedido.KVD", kId, "Pedido.GR"));
    EXPECT_EQ(UltimoErroSelo(), "");
}

TEST_F(SeloTeste, ExtracaoRecusadaNaoDeixaArquivo)
{
    ASSERT_TRUE(Selar(pasta.string(), "Bom.KVD", {{"nra", kId}}, CriarArquivos()));
    ASSERT_TRUE(Selar(pasta.string(), "SemNra.KVD", {{"tparquivo", "7"}}, CriarArquivos()));
    const std::string bom = LerArquivo(pasta / "Bom.KVD");
    GravarArquivo(pasta / "Texto.KVD", "não sou um envelope\r\n");
    GravarArquivo(pasta / "Cortado.KVD", bom.substr(0, bom.size() / 2));
    // One byte changed inside the first file's compressed data (after its local header).
    std::string alterado = bom;
    const auto u16 = [&](std::size_t i) {
        return static_cast<std::size_t>(static_cast<unsigned char>(bom[i]) |
                                        static_cast<unsigned char>(bom[i + 1]) << 8);
    };
    const std::size_t dados = 30 + u16(26) + u16(28), tamanho = u16(18);
    ASSERT_GT(tamanho, 2u);
    alterado[dados + tamanho / 2] = static_cast<char>(alterado[dados + tamanho / 2] ^ 0x5A);
    GravarArquivo(pasta / "Alterado.KVD", alterado);

    struct Caso {
        const char* envelope;
        std::string identificador;
        const char* arquivo;
        const char* codigo;
    } casos[] = {
        {"Bom.KVD", "202403151435209990000000009999", "Pedido.GR", "0488"}, // another file's identifier
        {"SemNra.KVD", kId, "Pedido.GR", "0488"},
        {"Falta.KVD", kId, "Pedido.GR", "0488"},
        {"Texto.KVD", kId, "Pedido.GR", "0488"},
        {"Cortado.KVD", kId, "Pedido.GR", "0488"},
        {"Alterado.KVD", kId, "Pedido.GR", "0488"},
        {"Bom.KVD", kId, "Inexistente.GR", "0489"},
        {"Bom.KVD", kId, "../Pedido.GR", "0489"},
        {"Bom.KVD", kId, "selo/campos.txt", "0489"}, // the seal itself is not a file of the envelope
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.envelope) + " " + c.arquivo);
        EXPECT_FALSE(ExtrairDoEnvelope(pasta.string(), c.envelope, c.identificador, c.arquivo));
        EXPECT_EQ(UltimoErroSelo(), c.codigo);
        EXPECT_FALSE(fs::exists(pasta / "Pedido.GR"));
        EXPECT_FALSE(fs::exists(pasta.parent_path() / "Pedido.GR"));
    }
}

TEST_F(SeloTeste, SeloQueFalhaApagaOsArquivosENaoDeixaEnvelope)
{
    struct Caso {
        const char* nome;
        bool semBiblioteca = false;
        std::set<int> insercoesComFalha = {};
        bool falhaEscrita = false;
        bool falhaGravacao = false;
        const char* envelope = "Pedido.KVD";
        bool semSegundoArquivo = false;
        const char* codigo;
    };
    const Caso casos[] = {
        {.nome = "sem biblioteca", .semBiblioteca = true, .codigo = "0489"},
        {.nome = "primeira insercao falha, segunda passa", .insercoesComFalha = {1}, .codigo = "0489"},
        {.nome = "arquivo da lista ausente", .semSegundoArquivo = true, .codigo = "0489"},
        {.nome = "campo do selo", .falhaEscrita = true, .codigo = "0490"},
        {.nome = "gravacao do envelope", .falhaGravacao = true, .codigo = "0491"},
        {.nome = "pasta do envelope inexistente", .envelope = "nao/existe/Pedido.KVD", .codigo = "0491"},
        {.nome = "envelope sobre o proprio arquivo", .envelope = "Pedido.GR", .codigo = "0491"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        auto arquivos = CriarArquivos();
        if (c.semSegundoArquivo)
            fs::remove(pasta / arquivos[1]);
        auto biblioteca = std::make_shared<BibliotecaFalha>();
        biblioteca->insercoesComFalha = c.insercoesComFalha;
        biblioteca->falhaEscrita = c.falhaEscrita;
        biblioteca->falhaGravacao = c.falhaGravacao;
        DefinirCarregadorBibliotecaSelo([&]() -> std::shared_ptr<IBibliotecaSelo> {
            if (c.semBiblioteca)
                return nullptr;
            return biblioteca;
        });

        EXPECT_FALSE(Selar(pasta.string(), c.envelope, {{"nra", kId}}, arquivos));
        EXPECT_EQ(UltimoErroSelo(), c.codigo);
        for (const auto& a : arquivos)
            EXPECT_FALSE(fs::exists(pasta / a)) << a;
        EXPECT_FALSE(fs::exists(pasta / "Pedido.KVD"));
    }
}

} // namespace
} // namespace drav
