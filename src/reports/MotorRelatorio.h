#pragma once
// The banded page engine of the checking listings. A listing describes its bands as plain data
// (texts at positions in millimetres); Paginar lays them out on pages without touching any paint
// device, so the content of every page can be checked as data, and PintarRelatorio (Pintura.h)
// only draws what was laid out.
#include <cstdint>
#include <string>
#include <vector>

namespace drav {

enum class Papel { RetratoCarta, PaisagemA4 };

// Every page keeps 10 mm free on each side; positions are relative to that inner area.
inline constexpr double kMargemMm = 10.0;
double LarguraPapel(Papel papel);
double AlturaPapel(Papel papel);
double LarguraUtil(Papel papel);
double AlturaUtil(Papel papel);

enum class Alinhamento { Esquerda, Centro, Direita };

struct ItemRelatorio {
    enum class Tipo { Texto, Linha, Caixa };
    Tipo tipo = Tipo::Texto;
    double x = 0, y = 0, largura = 0, altura = 0; // mm
    std::string texto;
    double pontos = 7.5;
    bool negrito = false;
    Alinhamento alinhamento = Alinhamento::Esquerda;
    uint32_t cor = 0x000000;       // 0xRRGGBB of the text or the line
    uint32_t fundo = 0xFFFFFFFF;   // fill of a box; 0xFFFFFFFF leaves it empty
};

struct Fonte {
    double pontos = 7.5;
    bool negrito = false;
    uint32_t cor = 0x000000;
};

// Height in millimetres a single line of text of that size takes.
double AlturaLinha(double pontos);

// A horizontal slice of a page: its height and its items, placed relative to its own top.
struct Banda {
    double altura = 0;
    std::vector<ItemRelatorio> itens;

    void Texto(double x, double y, double largura, const std::string& texto, const Fonte& fonte = {},
               Alinhamento alinhamento = Alinhamento::Esquerda);
    void Linha(double x, double y, double largura, uint32_t cor = 0x000000);
    void Caixa(double x, double y, double largura, double altura, uint32_t cor, uint32_t fundo);
    bool Vazia() const { return itens.empty() && altura <= 0; }
};

// The common page header every listing carries.
struct Moldura {
    std::string titulo;
    std::string subtitulo;
    std::string versao; // the line under the logo, whole
    std::string data;   // dd/mm/yyyy
    std::string hora;   // hh:mm:ss
};

// One entry of the body. When chaveGrupo differs from the previous entry's, the group band is
// printed first (nothing when it is empty); it is printed again on top of a page the group runs
// on to.
struct DetalheRelatorio {
    std::string chaveGrupo;
    Banda grupo;
    Banda banda;
};

struct DefinicaoRelatorio {
    Papel papel = Papel::PaisagemA4;
    Moldura moldura;
    Banda cabecalhoPagina;          // under the frame's header, on every page
    bool grupoNovaPagina = false;   // a change of group starts a new page
    std::vector<DetalheRelatorio> detalhes;
    Banda rodapePagina;             // at the foot of every page
    Banda sumario;                  // after the last entry
};

struct PaginaRelatorio {
    std::vector<ItemRelatorio> itens;
    // Texts of the page in drawing order, for checks and plain-text output.
    std::vector<std::string> Textos() const;
    bool Contem(const std::string& texto) const;
};

struct DocumentoRelatorio {
    Papel papel = Papel::PaisagemA4;
    std::string titulo;
    std::vector<PaginaRelatorio> paginas;
};

// "001/003": page and count with three digits at least.
std::string TextoPagina(int pagina, int total);
// "dd/mm/yyyy" and "hh:mm:ss" of the machine's clock now.
Moldura MolduraAgora(const std::string& titulo, const std::string& subtitulo, const std::string& versao);

// Height of the frame's header band.
double AlturaMoldura();
Banda BandaMoldura(const Moldura& moldura, Papel papel, const std::string& textoPagina);

// Lays the report out. The page count is only known at the end, so the "PAG:" texts are written
// in a second pass over the finished pages. There is always at least one page.
DocumentoRelatorio Paginar(const DefinicaoRelatorio& definicao);

} // namespace drav
