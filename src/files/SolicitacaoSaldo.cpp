#include "files/SolicitacaoSaldo.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Utilitarios.h"
#include "files/Protocolo.h"
#include "files/Selo.h"
#include "model/Responsavel.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <system_error>
#include <utility>

namespace drav {

namespace {

constexpr std::size_t kTamanhoLinha = 67;
constexpr const char* kTipoVinculo = "40";

// Format A: left-aligned, blank-filled, cut at the width (every text here is ASCII).
std::string Texto(const std::string& texto, std::size_t largura)
{
    std::string r = texto.substr(0, largura);
    r.resize(largura, ' ');
    return r;
}

std::string Brancos(std::size_t largura)
{
    return std::string(largura, ' ');
}

// Format N from a numeric text read the Brazilian way (dots ignored, comma as decimal separator,
// 0 when it is not a number). A value that does not fit would shift every field after it, so it
// is refused instead.
std::string Numero(const std::string& texto, int largura, const char* campo)
{
    const double valor = std::round(StrToValor(texto));
    if (valor < 0 || valor >= std::pow(10.0, largura))
        throw ENegocio(std::string("Solicitação de saldo: ") + campo + " '" + texto + "' não cabe em " +
                       std::to_string(largura) + " dígitos.");
    return PreencherNumero(static_cast<int64_t>(valor), largura);
}

std::string Sequencia(int numero)
{
    return PreencherNumero(numero, 6);
}

std::string Digitos(const std::string& texto)
{
    return std::to_string(static_cast<int64_t>(std::round(StrToValor(texto))));
}

bool SalvarLinhas(const std::filesystem::path& caminho, const std::vector<std::string>& linhas)
{
    std::ofstream saida(caminho, std::ios::binary | std::ios::trunc);
    for (const std::string& linha : linhas)
        saida << linha << "\r\n";
    saida.close();
    return static_cast<bool>(saida);
}

} // namespace

std::string IdentificadorArquivo(TDateTime momentoServidor, const std::string& cabecalho)
{
    const DataCivil c = DecodificarData(momentoServidor);
    unsigned long soma = 0;
    for (char ch : cabecalho)
        soma += static_cast<unsigned char>(ch);
    char texto[40];
    std::snprintf(texto, sizeof texto, "%04d%02d%02d%02d%02d%02d%03d%013lu", c.ano, c.mes, c.dia, c.hora, c.minuto,
                  c.segundo, c.milissegundo, soma % 65536);
    return texto;
}

TSolicitacaoSaldoRecisorio::TSolicitacaoSaldoRecisorio(TDBUtils& sessao)
    : TArquivo(sessao),
      protocolo_(std::make_unique<TProtocolo>(sessao)),
      responsavel_(std::make_unique<TResponsavel>(sessao))
{
    NumeroArquivo = ArquivoSolicitacaoSaldo;
    responsavel_->ConsultarResponsavel();
}

TSolicitacaoSaldoRecisorio::~TSolicitacaoSaldoRecisorio() = default;

std::string TSolicitacaoSaldoRecisorio::MontarLinhas(const TArrRegRegistro& registros, TDateTime agora)
{
    // Built apart and kept only whole: a refused entry leaves no half-built file behind.
    std::vector<std::string> linhas;
    const TResponsavel& r = *responsavel_;
    const std::string cabecalho = "0" + Texto(std::to_string(r.TipoInscricao), 1) +
                                  Texto(r.InscricaoFormatada(), 14) + FormatarDataHora("ddmmyyyy", agora) + "ICP" +
                                  Brancos(3) + "1";
    const std::string identificador = IdentificadorArquivo(agora, cabecalho);
    protocolo_->Identificador = identificador;
    linhas.push_back(cabecalho + identificador + Sequencia(1));

    int empregadores = 0;
    bool primeiro = true;
    std::string inscricaoAnterior;
    for (const TRegRegistro& e : registros) {
        if (e.TipoRegistro != kTipoVinculo)
            continue;
        const std::string tipo = Texto(e.TipoInscricao, 1);
        const std::string inscricao = Numero(e.Inscricao, 14, "inscrição");
        if (primeiro || e.Inscricao != inscricaoAnterior) {
            ++empregadores;
            linhas.push_back("1" + tipo + inscricao + Brancos(10) + "1" + Brancos(34) +
                             Sequencia(static_cast<int>(linhas.size()) + 1));
        }
        // Only a real day is written: the bank keys the balance on it, and the sending row needs it.
        const TDateTime admissao = StrToData(e.DataAdmissao, 0);
        if (e.DataAdmissao.size() != 8 || admissao == NullDate || admissao == DataInvalida)
            throw ENegocio("Solicitação de saldo: data de admissão inválida '" + e.DataAdmissao + "'.");
        linhas.push_back("2" + tipo + inscricao + Numero(e.Pis, 11, "PIS") + Numero(e.Categoria, 2, "categoria") +
                         e.DataAdmissao + Brancos(24) + Sequencia(static_cast<int>(linhas.size()) + 1));
        inscricaoAnterior = e.Inscricao;
        primeiro = false;
    }
    linhas.push_back("9" + PreencherNumero(empregadores, 6) + Brancos(54) +
                     Sequencia(static_cast<int>(linhas.size()) + 1));

    for (const std::string& linha : linhas)
        if (linha.size() != kTamanhoLinha)
            throw ENegocio("Solicitação de saldo: linha com " + std::to_string(linha.size()) +
                           " caracteres em vez de 67.");
    Linhas = std::move(linhas);
    return identificador;
}

bool TSolicitacaoSaldoRecisorio::GerarSolicitacao(const TArrRegRegistro& registros)
{
    if (!EscolherArquivo)
        throw ENegocio("Solicitação de saldo sem diálogo para escolher o arquivo.");
    CodigoMensagem.clear();
    const std::string pastaInicial = (PastaDados / "Arquivos" / "Solicitacao de Saldo").string();
    const std::string escolhido = EscolherArquivo(FiltroEnvelope, pastaInicial, NomeEnvelopeProposto);
    if (escolhido.empty())
        return false;
    std::error_code ec;
    std::filesystem::path caminho = std::filesystem::absolute(escolhido, ec);
    if (ec)
        caminho = escolhido;
    if (!caminho.has_filename())
        return false;

    // One reading of the server's clock dates the file and makes its identifier.
    const TDateTime agora = DataServidor(Sessao(), true);
    const std::string identificador = MontarLinhas(registros, agora);
    protocolo_->DataGeracao = SomenteData(agora);

    if (!RegistrarSolicitacao(identificador, caminho.string(), registros)) {
        Linhas.clear();
        return false;
    }
    return SelarSolicitacao(caminho.parent_path().string(), caminho.filename().string(), identificador, Linhas,
                            NomeArquivoInterno);
}

bool TSolicitacaoSaldoRecisorio::RegistrarSolicitacao(const std::string& identificador,
                                                      const std::string& caminhoEnvelope,
                                                      const TArrRegRegistro& registros)
{
    TTransacao transacao(Sessao());
    TProtocolo& p = *protocolo_;
    p.Identificador = identificador;
    p.NumeroArquivo = ArquivoSolicitacaoSaldo;
    p.NomeArquivo = caminhoEnvelope;
    if (p.DataGeracao == NullDate)
        p.DataGeracao = DataServidor(Sessao(), false);
    if (!p.Incluir())
        return false;

    bool primeiro = true;
    std::string inscricaoAnterior;
    for (const TRegRegistro& e : registros) {
        if (e.TipoRegistro != kTipoVinculo)
            continue;
        const int tipo = StrToInteiro(e.TipoInscricao);
        const std::string inscricao = Digitos(e.Inscricao);
        if (primeiro || e.Inscricao != inscricaoAnterior) {
            if (!p.IncluirEnvioEmpresa(identificador, tipo, NullDate, {}, 0, e.NomeEmpresa, inscricao))
                return false;
        }
        const TDateTime admissao = StrToData(e.DataAdmissao, 0);
        if (admissao == NullDate || admissao == DataInvalida)
            return false;
        if (!p.IncluirEnvioEmpregado(identificador, tipo, 0, {}, NullDate, e.NomeTrabalhador, Digitos(e.Pis),
                                     inscricao, static_cast<int>(std::round(StrToValor(e.Categoria))), admissao))
            return false;
        inscricaoAnterior = e.Inscricao;
        primeiro = false;
    }
    transacao.Confirmar();
    return true;
}

bool TSolicitacaoSaldoRecisorio::SelarSolicitacao(const std::string& pasta, const std::string& nomeEnvelope,
                                                  const std::string& identificador, std::vector<std::string>& linhas,
                                                  const std::string& nomeArquivo)
{
    const std::filesystem::path texto = std::filesystem::path(pasta) / nomeArquivo;
    const bool gravou = SalvarLinhas(texto, linhas);
    linhas.clear();
    if (!gravou) {
        // Without its text file there is nothing to seal: the same outcome as a failed insertion.
        std::error_code ec;
        std::filesystem::remove(texto, ec);
        CodigoMensagem = "0489";
        return false;
    }
    const TResponsavel& r = *responsavel_;
    const ParesSelo pares = {
        {"tparquivo", std::to_string(ArquivoSolicitacaoSaldo)},
        {"tpresponsavel", std::to_string(r.TipoInscricao)},
        {"inscresponsavel", r.InscricaoFormatada()},
        {"nomeresponsavel", r.RazaoSocial},
        {"nra", identificador},
    };
    const bool selou = Selar(pasta, nomeEnvelope, pares, {nomeArquivo});
    CodigoMensagem = UltimoErroSelo();
    return selou;
}

} // namespace drav
