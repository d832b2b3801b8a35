#include "reports/MotorRelatorio.h"

#include "core/Datas.h"
#include "core/Formatacao.h"

#include <algorithm>

namespace drav {

double LarguraPapel(Papel papel) { return papel == Papel::PaisagemA4 ? 297.0 : 215.9; }
double AlturaPapel(Papel papel) { return papel == Papel::PaisagemA4 ? 210.0 : 279.4; }
double LarguraUtil(Papel papel) { return LarguraPapel(papel) - 2 * kMargemMm; }
double AlturaUtil(Papel papel) { return AlturaPapel(papel) - 2 * kMargemMm; }

double AlturaLinha(double pontos)
{
    // One point is 0.3528 mm; the rest is the leading that keeps descenders clear of the next line.
    return pontos * 0.3528 * 1.35;
}

void Banda::Texto(double x, double y, double largura, const std::string& texto, const Fonte& fonte,
                  Alinhamento alinhamento)
{
    ItemRelatorio i;
    i.tipo = ItemRelatorio::Tipo::Texto;
    i.x = x;
    i.y = y;
    i.largura = largura;
    i.altura = AlturaLinha(fonte.pontos);
    i.texto = texto;
    i.pontos = fonte.pontos;
    i.negrito = fonte.negrito;
    i.cor = fonte.cor;
    i.alinhamento = alinhamento;
    itens.push_back(std::move(i));
    altura = std::max(altura, y + itens.back().altura);
}

void Banda::Linha(double x, double y, double largura, uint32_t cor)
{
    ItemRelatorio i;
    i.tipo = ItemRelatorio::Tipo::Linha;
    i.x = x;
    i.y = y;
    i.largura = largura;
    i.cor = cor;
    itens.push_back(std::move(i));
    altura = std::max(altura, y);
}

void Banda::Caixa(double x, double y, double largura, double alturaCaixa, uint32_t cor, uint32_t fundo)
{
    ItemRelatorio i;
    i.tipo = ItemRelatorio::Tipo::Caixa;
    i.x = x;
    i.y = y;
    i.largura = largura;
    i.altura = alturaCaixa;
    i.cor = cor;
    i.fundo = fundo;
    itens.push_back(std::move(i));
    altura = std::max(altura, y + alturaCaixa);
}

std::vector<std::string> PaginaRelatorio::Textos() const
{
    std::vector<std::string> r;
    for (const auto& i : itens)
        if (i.tipo == ItemRelatorio::Tipo::Texto)
            r.push_back(i.texto);
    return r;
}

bool PaginaRelatorio::Contem(const std::string& texto) const
{
    return std::any_of(itens.begin(), itens.end(), [&](const ItemRelatorio& i) {
        return i.tipo == ItemRelatorio::Tipo::Texto && i.texto == texto;
    });
}

std::string TextoPagina(int pagina, int total)
{
    return CompletarZeros(std::to_string(pagina), 3) + "/" + CompletarZeros(std::to_string(total), 3);
}

Moldura MolduraAgora(const std::string& titulo, const std::string& subtitulo, const std::string& versao)
{
    const TDateTime agora = Agora();
    return Moldura{titulo, subtitulo, versao, FormatarDataHora("dd/mm/yyyy", agora), FormatarDataHora("hh:nn:ss", agora)};
}

namespace {

constexpr double kAlturaMoldura = 20.0;
constexpr uint32_t kAzulLogo = 0x0B5394;
constexpr uint32_t kBordaLogo = 0x9FB7D0;
constexpr uint32_t kFundoLogo = 0xEEF4FA;

} // namespace

double AlturaMoldura() { return kAlturaMoldura; }

Banda BandaMoldura(const Moldura& m, Papel papel, const std::string& textoPagina)
{
    const double w = LarguraUtil(papel);
    Banda b;
    // The logo, as the first-run window shows it.
    b.Caixa(0, 0, 30, 13, kBordaLogo, kFundoLogo);
    b.Texto(0, 0.6, 30, "DRAV", Fonte{18, true, kAzulLogo}, Alinhamento::Centro);
    b.Texto(0, 9.0, 30, "Eletrônica", Fonte{6.5, false, 0x555555}, Alinhamento::Centro);

    // The title is centred on the page, clear of the logo and of the date block on either side.
    const double lateral = 52;
    b.Texto(lateral, 1.0, w - 2 * lateral, m.titulo, Fonte{11, true}, Alinhamento::Centro);
    if (!m.subtitulo.empty())
        b.Texto(lateral, 7.0, w - 2 * lateral, m.subtitulo, Fonte{9, true}, Alinhamento::Centro);

    const double rotulo = w - 40, valor = w - 27;
    const Fonte f{8, true};
    const Fonte v{8, false};
    b.Texto(rotulo, 0.0, 13, "DATA:", f);
    b.Texto(valor, 0.0, 27, m.data, v);
    b.Texto(rotulo, 4.0, 13, "HORA:", f);
    b.Texto(valor, 4.0, 27, m.hora, v);
    b.Texto(rotulo, 8.0, 13, "PAG:", f);
    b.Texto(valor, 8.0, 27, textoPagina, v);

    b.Texto(0, 14.2, w * 0.6, m.versao, Fonte{7, false});
    b.Linha(0, 19.0, w);
    b.altura = kAlturaMoldura;
    return b;
}

namespace {

// Places bands one under the other and starts pages as they fill.
class Paginador {
public:
    explicit Paginador(const DefinicaoRelatorio& d) : d_(d), limite_(AlturaUtil(d.papel) - d.rodapePagina.altura) {}

    DocumentoRelatorio Executar()
    {
        NovaPagina();
        const Banda* grupoAtual = nullptr;
        bool primeiro = true;
        std::string chave;
        for (const auto& e : d_.detalhes) {
            if (primeiro || e.chaveGrupo != chave) {
                primeiro = false;
                chave = e.chaveGrupo;
                grupoAtual = e.grupo.Vazia() ? nullptr : &e.grupo;
                if (d_.grupoNovaPagina && entradasNaPagina_ > 0)
                    NovaPagina();
                // A group band never stays alone at the foot of a page.
                const double grupo = grupoAtual ? grupoAtual->altura : 0;
                if (entradasNaPagina_ > 0 && y_ + grupo + e.banda.altura > limite_)
                    NovaPagina();
                if (grupoAtual)
                    Colocar(*grupoAtual);
            } else if (entradasNaPagina_ > 0 && y_ + e.banda.altura > limite_) {
                NovaPagina();
                if (grupoAtual)
                    Colocar(*grupoAtual);
            }
            Colocar(e.banda);
            ++entradasNaPagina_;
        }
        if (!d_.sumario.Vazia()) {
            if (y_ + d_.sumario.altura > limite_)
                NovaPagina();
            Colocar(d_.sumario);
        }

        // Second pass: the count is known now.
        const int total = static_cast<int>(doc_.paginas.size());
        for (int p = 0; p < total; ++p)
            doc_.paginas[p].itens[indicePagina_[p]].texto = TextoPagina(p + 1, total);
        return std::move(doc_);
    }

private:
    void NovaPagina()
    {
        doc_.paginas.emplace_back();
        auto& itens = doc_.paginas.back().itens;
        // The page text is a marker until the count is known.
        const std::string marca = "\x01";
        const Banda moldura = BandaMoldura(d_.moldura, d_.papel, marca);
        for (std::size_t i = 0; i < moldura.itens.size(); ++i) {
            if (moldura.itens[i].texto == marca)
                indicePagina_.push_back(static_cast<int>(itens.size() + i));
        }
        y_ = 0;
        Colocar(moldura);
        Colocar(d_.cabecalhoPagina);
        const double rodape = AlturaUtil(d_.papel) - d_.rodapePagina.altura;
        for (auto item : d_.rodapePagina.itens) {
            item.y += rodape;
            itens.push_back(std::move(item));
        }
        entradasNaPagina_ = 0;
    }

    void Colocar(const Banda& b)
    {
        auto& itens = doc_.paginas.back().itens;
        for (auto item : b.itens) {
            item.y += y_;
            itens.push_back(std::move(item));
        }
        y_ += b.altura;
    }

    const DefinicaoRelatorio& d_;
    const double limite_;
    DocumentoRelatorio doc_;
    std::vector<int> indicePagina_;
    double y_ = 0;
    int entradasNaPagina_ = 0;
};

} // namespace

DocumentoRelatorio Paginar(const DefinicaoRelatorio& definicao)
{
    Paginador p(definicao);
    DocumentoRelatorio doc = p.Executar();
    doc.papel = definicao.papel;
    doc.titulo = definicao.moldura.titulo;
    return doc;
}

} // namespace drav
