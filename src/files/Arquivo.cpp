#include "files/Arquivo.h"

#include "core/Excecoes.h"
#include "files/Layout.h"

#include <filesystem>
#include <iterator>

namespace drav {

TArquivo::TArquivo(TDBUtils& sessao)
    : TNegocio(sessao), Inconsistencia(std::make_unique<TInconsistencia>(sessao))
{
}

TArquivo::~TArquivo()
{
    Fechar();
    Linhas.clear();
}

bool TArquivo::ValidarCaminho(bool verificarAberto) const
{
    if (Caminho.empty())
        return false;
    std::error_code ec;
    const std::filesystem::path p(Caminho);
    const std::filesystem::path pasta = p.has_parent_path() ? p.parent_path() : std::filesystem::path(".");
    if (!std::filesystem::is_directory(pasta, ec))
        return false;
    return !(verificarAberto && Aberto);
}

bool TArquivo::AbrirLeitura()
{
    if (!ValidarCaminho(true))
        return false;
    try {
        arquivoTexto_.open(Caminho, std::ios::binary);
        if (!arquivoTexto_.is_open())
            return false;
        Modo = 'L';
        Aberto = true;
        Linhas.clear();
        if (!CarregarLinhas()) {
            Fechar();
            return false;
        }
        return true;
    } catch (const std::exception&) {
        Fechar();
        return false;
    }
}

bool TArquivo::CarregarLinhas()
{
    if (!Aberto)
        throw ENegocio("Arquivo não aberto para Leitura.");
    if (Modo != 'L')
        throw ENegocio("Execução não permitida pois o Arquivo não está aberto para Leitura.");
    arquivoTexto_.clear();
    arquivoTexto_.seekg(0);
    std::string conteudo{std::istreambuf_iterator<char>(arquivoTexto_), std::istreambuf_iterator<char>()};
    if (arquivoTexto_.bad())
        return false;
    Linhas = SepararLinhas(conteudo);
    return true;
}

void TArquivo::Fechar()
{
    if (!Aberto)
        return;
    arquivoTexto_.close();
    Aberto = false;
    Modo = ' ';
}

bool TArquivo::ExcluirArquivo()
{
    std::error_code ec;
    return std::filesystem::remove(Caminho, ec);
}

bool TArquivo::LimparInconsistencias()
{
    Inconsistencia->NumeroArquivo = NumeroArquivo;
    return Inconsistencia->ExcluirPorArquivo();
}

void TArquivo::RegistrarInconsistencia(const std::string& conteudoCampo, const std::string& tipoRegistro, int linha,
                                       int codigoMensagem, const std::string& tipoInscricaoResponsavel,
                                       const std::string& inscricaoResponsavel,
                                       const std::string& razaoSocialResponsavel,
                                       const std::string& tipoInscricaoEmpresa, const std::string& inscricaoEmpresa,
                                       const std::string& razaoSocial, const std::string& pis,
                                       const std::string& categoria, const std::string& dataAdmissao,
                                       const std::string& nomeEmpregado)
{
    LinhaValida = false;
    ArquivoValido = false;
    Inconsistencia->NumeroArquivo = NumeroArquivo;
    try {
        Inconsistencia->RegistrarInconsistencia(conteudoCampo, tipoRegistro, linha, codigoMensagem,
                                                tipoInscricaoResponsavel, inscricaoResponsavel, razaoSocialResponsavel,
                                                tipoInscricaoEmpresa, inscricaoEmpresa, razaoSocial, pis, categoria,
                                                dataAdmissao, nomeEmpregado);
        CodigoMensagem = Inconsistencia->CodigoMensagem;
    } catch (const EMensagemNaoCadastrada&) {
        CodigoMensagem = "0396";
        throw;
    }
}

} // namespace drav
