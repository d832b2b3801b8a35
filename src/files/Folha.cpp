#include "files/Folha.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Verificacoes.h"
#include "files/FolhaComplemento.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/RegistrosGravados.h"
#include "model/Responsavel.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

std::string Trecho(const std::string& linha, int inicio, int largura)
{
    return Cp1252ParaUtf8(CortarCampo(linha, inicio, largura));
}

bool TipoConhecido(const std::string& t)
{
    return t == "00" || t == "10" || t == "40" || t == "43" || t == "44" || t == "45" || t == "90";
}

bool TipoTrabalhador(const std::string& t) { return t == "40" || t == "43" || t == "44" || t == "45"; }

} // namespace

TArqFolha::TArqFolha(TDBUtils& sessao, IProgresso* progresso) : TArquivo(sessao), progresso_(progresso) {}

TArqFolha::~TArqFolha() = default;

void TArqFolha::Inicializar()
{
    for (TNegocio* n : {static_cast<TNegocio*>(responsavel_.get()), static_cast<TNegocio*>(empresa_.get()),
                        static_cast<TNegocio*>(trabalhador_.get())})
        if (n)
            n->CarregaRelacionados = false;
    EmpresaAnteriorTipo.clear();
    EmpresaAnteriorInscricao.clear();
    VinculoAnteriorTipo = 0;
    VinculoAnteriorInscricao = 0;
    VinculoAnteriorPis = 0;
    VinculoAnteriorCategoria = 0;
    VinculoAnteriorAdmissao = NullDate;
    NascimentoAtual = DissidioAtual = OpcaoAtual = movimentoAtual_ = NullDate;
    movimentacaoAtual_.clear();
    fpasAtual_.clear();
}

// --- recording --------------------------------------------------------------------------------------

void TArqFolha::RegistrarComo(std::size_t i, const std::string& tipoRegistro, const std::string& conteudo, int codigo)
{
    static const TRegRegistro vazio;
    const TRegRegistro& h = !Registros.empty() && Registros[0].TipoRegistro == "00" ? Registros[0] : vazio;
    const TRegRegistro& r = i < Registros.size() ? Registros[i] : vazio;
    const std::string& t = r.TipoRegistro;
    if (t == "10")
        RegistrarInconsistencia(conteudo, tipoRegistro, static_cast<int>(i + 1), codigo, h.TipoInscricao, h.Inscricao,
                                h.NomeEmpresa, r.TipoInscricao, r.Inscricao, r.NomeEmpresa);
    else if (TipoTrabalhador(t))
        RegistrarInconsistencia(conteudo, tipoRegistro, static_cast<int>(i + 1), codigo, h.TipoInscricao, h.Inscricao,
                                h.NomeEmpresa, r.TipoInscricao, r.Inscricao, r.NomeEmpresa, r.Pis, r.Categoria,
                                r.DataAdmissao, r.NomeTrabalhador);
    else
        RegistrarInconsistencia(conteudo, tipoRegistro, static_cast<int>(i + 1), codigo, h.TipoInscricao, h.Inscricao,
                                h.NomeEmpresa);
}

void TArqFolha::Registrar(std::size_t i, const std::string& conteudo, int codigo)
{
    RegistrarComo(i, i < Registros.size() ? Registros[i].TipoRegistro : std::string(), conteudo, codigo);
}

void TArqFolha::Registrar(std::size_t i, const std::string& conteudo, const std::string& codigo)
{
    Registrar(i, conteudo, StrToInteiro(codigo));
}

bool TArqFolha::Numerico(std::size_t i, const std::string& campo, const char* rotulo)
{
    if (!campo.empty() && SoNumeros(campo))
        return true;
    Registrar(i, rotulo + campo, 11);
    return false;
}

TDateTime TArqFolha::Data(std::size_t i, const std::string& campo, const char* rotulo, bool registrar)
{
    const std::string texto = DataArquivo(campo, false);
    if (UltimoErro() == "0212") {
        if (registrar)
            Registrar(i, rotulo + campo, 212);
        return DataInvalida;
    }
    return StrToData(texto, 0);
}

bool TArqFolha::Valor(std::size_t i, const std::string& campo, const char* rotulo, double& valor)
{
    valor = LerValor15(campo);
    if (UltimoErro() == "0011") {
        Registrar(i, rotulo + campo, 11);
        return false;
    }
    return true;
}

// --- run ----------------------------------------------------------------------------------------------

bool TArqFolha::Cancelou()
{
    if (!cancelado_ && progresso_ && progresso_->Cancelado())
        cancelado_ = true;
    return cancelado_;
}

void TArqFolha::Avancar(bool cresce)
{
    if (progresso_)
        progresso_->AvancarProgresso(cresce);
}

void TArqFolha::Etapa(int etapa)
{
    if (progresso_)
        progresso_->MarcarEtapa(etapa);
}

bool TArqFolha::Processar()
{
    // The owned objects live for this run only and never load anything behind its back.
    struct Limpeza {
        TArqFolha& f;
        ~Limpeza()
        {
            f.responsavel_.reset();
            f.empresa_.reset();
            f.trabalhador_.reset();
            f.complemento_.reset();
            f.gravados_.reset();
            f.CompetenciasVistas.clear();
            f.registrosPorPis_.clear();
            f.Fechar();
        }
    };
    bool sucesso = false;
    {
        Limpeza limpeza{*this};
        responsavel_ = std::make_unique<TResponsavel>(Sessao());
        empresa_ = std::make_unique<TEmpresa>(Sessao());
        trabalhador_ = std::make_unique<TEmpregado>(Sessao());
        complemento_ = std::make_unique<TComplementoFolha>(Sessao());
        cancelado_ = false;
        ArquivoValido = true;
        LinhaValida = true;
        NumeroArquivo = 1;
        CodigoMensagem.clear();
        LimparInconsistencias();
        Inicializar();

        if (!AbrirLeitura()) {
            RegistrarInconsistencia(Caminho, "", 0, 151);
            return false;
        }
        while (!Linhas.empty() &&
               (Linhas.back().size() < static_cast<std::size_t>(TamanhoLinhaFolha) ||
                Linhas.back()[TamanhoLinhaFolha - 1] != '*'))
            Linhas.pop_back();
        Registros.assign(Linhas.size(), TRegRegistro{});
        if (progresso_)
            progresso_->DefinirMaximo(static_cast<long>(Linhas.size()) * 5 + (EntradasArvore ? EntradasArvore() : 0));

        bool valido;
        {
            // The checks only read: one transaction for all their queries instead of one per query
            // (each of which the database would otherwise commit). It is undone at the end; the
            // register rows are written in transactions of their own and stay.
            TTransacao leitura(Sessao());
            valido = ValidarEstrutura() && ValidarIdentificadores() && ValidarConteudo();
            leitura.Desfazer();
        }
        sucesso = valido && GravarArquivo();
    }
    if (sucesso) {
        Etapa(EtapaArvore);
        if (RecarregarArvore)
            RecarregarArvore();
        Etapa(EtapaArvore + EtapaConcluida);
    }
    return sucesso;
}

// --- step 1: structure --------------------------------------------------------------------------------

void TArqFolha::IdentificarLinha(std::size_t i)
{
    const std::string& l = Linhas[i];
    TRegRegistro& r = Registros[i];
    r = TRegRegistro{};
    r.TipoRegistro = Trecho(l, 1, 2);
    if (r.TipoRegistro == "00") {
        r.TipoInscricao = Trecho(l, 55, 1);
        r.Inscricao = Trecho(l, 56, 14);
        r.NomeEmpresa = AparaDireita(Trecho(l, 70, 30));
    } else if (r.TipoRegistro == "10") {
        r.TipoInscricao = Trecho(l, 3, 1);
        r.Inscricao = Trecho(l, 4, 14);
        r.NomeEmpresa = AparaDireita(Trecho(l, 54, 40));
    } else if (TipoTrabalhador(r.TipoRegistro)) {
        r.TipoInscricao = Trecho(l, 3, 1);
        r.Inscricao = Trecho(l, 4, 14);
        r.Pis = Trecho(l, 33, 11);
        r.Categoria = Trecho(l, 52, 2);
        r.DataAdmissao = Trecho(l, 44, 8);
        // The employer's name comes from its "10"; a complement takes the rest from its "40".
        for (std::size_t k = i; k-- > 0;)
            if (Registros[k].TipoRegistro == "10") {
                r.NomeEmpresa = Registros[k].NomeEmpresa;
                break;
            }
        if (r.TipoRegistro == "40") {
            r.NomeTrabalhador = AparaDireita(Trecho(l, 54, 70));
            r.DataNascimento = Trecho(l, 139, 8);
            r.CodigoMovimentacao = Trecho(l, 163, 2);
        } else {
            for (std::size_t k = i; k-- > 0;)
                if (Registros[k].TipoRegistro == "40") {
                    r.NomeTrabalhador = Registros[k].NomeTrabalhador;
                    r.DataNascimento = Registros[k].DataNascimento;
                    r.CodigoMovimentacao = Registros[k].CodigoMovimentacao;
                    break;
                } else if (Registros[k].TipoRegistro == "10") {
                    break;
                }
        }
    }
}

bool TArqFolha::ValidarEstrutura()
{
    Etapa(EtapaValidandoArquivo);
    const std::size_t n = Linhas.size();
    // First pass: the identification of every line, then the record types and lengths.
    for (std::size_t i = 0; i < n; ++i) {
        if (Cancelou())
            return false;
        IdentificarLinha(i);
        Avancar();
    }
    auto tipo = [&](std::size_t i) { return i < n ? Registros[i].TipoRegistro : std::string(); };
    if (n < 4 || tipo(0) != "00" || tipo(1) != "10" || tipo(2) != "40" || tipo(n - 1) != "90") {
        if (tipo(0) == "00")
            RegistrarInconsistencia("", "", 0, 385, Registros[0].TipoInscricao, Registros[0].Inscricao,
                                    Registros[0].NomeEmpresa);
        else
            RegistrarInconsistencia("", "", 0, 385);
        return false;
    }
    for (std::size_t i = 0; i < n; ++i) {
        if (!TipoConhecido(tipo(i))) {
            RegistrarComo(i, tipo(i), tipo(i), 113);
            return false;
        }
        // A line of another length would shift every field after the fault; it is reported, never
        // cut or padded into shape.
        if (Linhas[i].size() != static_cast<std::size_t>(TamanhoLinhaFolha)) {
            RegistrarComo(i, tipo(i), std::to_string(Linhas[i].size()), 410);
            return false;
        }
    }
    // Second pass: counts and sequence.
    for (std::size_t i = 0; i < n; ++i) {
        if (Cancelou())
            return false;
        const std::string t = tipo(i);
        if ((t == "00" && i != 0) || (t == "90" && i != n - 1)) {
            Registrar(i, t, 135);
            return false;
        }
        if (i + 1 < n) {
            const std::string seguinte = tipo(i + 1);
            const bool erro = (t == "10" && seguinte != "40") || (TipoTrabalhador(t) && seguinte == "00");
            if (erro) {
                Registrar(i + 1, seguinte, 135);
                return false;
            }
        }
        Avancar();
    }
    return ArquivoValido;
}

// --- step 2: identifiers ------------------------------------------------------------------------------

bool TArqFolha::ValidarIdentificadores()
{
    TEmpresa& e = *empresa_;
    TEmpregado& w = *trabalhador_;
    for (std::size_t i = 0; i < Linhas.size(); ++i) {
        if (Cancelou())
            return false;
        const TRegRegistro& r = Registros[i];
        const std::string& t = r.TipoRegistro;
        if (t == "90") {
            Avancar();
            continue;
        }
        bool tipoOk = Numerico(i, r.TipoInscricao, "Tipo de Inscrição: ");
        if (tipoOk) {
            e.TipoInscricao = static_cast<uint8_t>(StrToInteiro(r.TipoInscricao));
            if (!e.ValidarTipoInscricao())
                Registrar(i, r.TipoInscricao, e.CodigoMensagem);
        }
        if (Numerico(i, r.Inscricao, "Inscrição: ")) {
            e.TipoInscricao = static_cast<uint8_t>(tipoOk ? StrToInteiro(r.TipoInscricao) : 0);
            e.Inscricao = r.Inscricao;
            if (!e.ValidarInscricao())
                Registrar(i, r.Inscricao, e.CodigoMensagem);
        }
        if (TipoTrabalhador(t)) {
            if (Numerico(i, r.Pis, "PIS/PASEP: ")) {
                w.Pis = r.Pis;
                if (!w.ValidarPis())
                    Registrar(i, r.Pis, w.CodigoMensagem);
            }
            const TDateTime admissao = Data(i, r.DataAdmissao, "Data de Admissão: ");
            if (admissao != DataInvalida && DataValida(admissao) == 2)
                Registrar(i, r.DataAdmissao, 43);
            Numerico(i, r.Categoria, "Categoria: ");
        }
        Avancar();
    }
    return ArquivoValido && !Cancelou();
}

// --- steps 3 to 8: keys and content -------------------------------------------------------------------

bool TArqFolha::ValidarChave(std::size_t i, const TRegFolha& reg)
{
    const TRegRegistro& r = Registros[i];
    const std::string& t = r.TipoRegistro;
    const std::string chaveEmpresa = r.TipoInscricao + r.Inscricao;
    if (t == "10") {
        const std::string anterior = EmpresaAnteriorTipo + EmpresaAnteriorInscricao;
        if (!anterior.empty() && chaveEmpresa < anterior)
            Registrar(i, chaveEmpresa, 232);
        else if (chaveEmpresa == anterior)
            Registrar(i, chaveEmpresa, 386);
        EmpresaAnteriorTipo = r.TipoInscricao;
        EmpresaAnteriorInscricao = r.Inscricao;
        fpasAtual_ = reg[CamposEmpresa::Fpas];
        return LinhaValida;
    }
    if (!TipoTrabalhador(t))
        return true;
    const int tipo = StrToInteiro(r.TipoInscricao);
    const int64_t inscricao = StrToInteiro64(r.Inscricao);
    const int64_t pis = StrToInteiro64(r.Pis);
    const int categoria = StrToInteiro(r.Categoria);
    const TDateTime admissao = StrToData(r.DataAdmissao, 0);
    if (t == "40") {
        if (chaveEmpresa != EmpresaAnteriorTipo + EmpresaAnteriorInscricao) {
            Registrar(i, chaveEmpresa, 349);
        } else if (tipo == VinculoAnteriorTipo && inscricao == VinculoAnteriorInscricao) {
            const auto atual = std::make_tuple(pis, admissao, categoria);
            const auto anterior = std::make_tuple(VinculoAnteriorPis, VinculoAnteriorAdmissao, VinculoAnteriorCategoria);
            if (atual < anterior)
                Registrar(i, r.Pis, 232);
            else if (atual == anterior)
                Registrar(i, r.Pis, 359);
        }
        VinculoAnteriorTipo = tipo;
        VinculoAnteriorInscricao = inscricao;
        VinculoAnteriorPis = pis;
        VinculoAnteriorCategoria = categoria;
        VinculoAnteriorAdmissao = admissao;
        return LinhaValida;
    }
    if (tipo != VinculoAnteriorTipo || inscricao != VinculoAnteriorInscricao || pis != VinculoAnteriorPis ||
        categoria != VinculoAnteriorCategoria || admissao != VinculoAnteriorAdmissao)
        Registrar(i, chaveEmpresa + r.Pis, 349);
    return LinhaValida;
}

bool TArqFolha::ValidarConteudo()
{
    Etapa(EtapaValidandoArquivo + EtapaConcluida);
    Etapa(EtapaValidandoInformacoes);
    registrosPorPis_.clear();
    for (const TRegRegistro& r : Registros)
        if (r.TipoRegistro == "40")
            registrosPorPis_[r.Pis].push_back(r);
    CarregarGravados();
    for (std::size_t i = 0; i < Linhas.size(); ++i) {
        if (Cancelou())
            return false;
        TRegFolha reg;
        if (!LerRegFolha(Linhas[i], reg)) {
            Avancar();
            continue;
        }
        LinhaValida = true;
        if (!ValidarChave(i, reg))
            break;
        switch (reg.Tipo) {
        case 0: ValidarHeader(i, reg); break;
        case 10: ValidarEmpresa(i, reg); break;
        case 40:
            ValidarTrabalhador(i, reg);
            CompetenciasVistas.clear();
            break;
        case 43:
        case 44:
        case 45: ValidarComplemento(i, reg); break;
        case 90: ValidarTrailer(i, reg); break;
        default: break;
        }
        Avancar();
    }
    Etapa(EtapaValidandoInformacoes + EtapaConcluida);
    return ArquivoValido && !Cancelou();
}

void TArqFolha::CarregarGravados()
{
    std::set<std::pair<int, int64_t>> empresas;
    std::vector<int64_t> pis;
    for (const TRegRegistro& r : Registros) {
        if (r.TipoRegistro != "40")
            continue;
        const int tipo = StrToInteiro(r.TipoInscricao);
        const int64_t inscricao = StrToInteiro64(r.Inscricao);
        if (tipo > 0 && inscricao > 0)
            empresas.emplace(tipo, inscricao);
        pis.push_back(StrToInteiro64(r.Pis));
    }
    gravados_ = std::make_unique<TRegistrosGravados>();
    gravados_->CarregarEmpresas(Sessao(), empresas);
    gravados_->CarregarTrabalhadores(Sessao(), pis);
}

// --- the job ------------------------------------------------------------------------------------------

TResultadoProcesso ImportarFolha(TDBUtils& sessao, const std::string& caminho, IProgresso& progresso,
                                 const std::function<long()>& entradasArvore,
                                 const std::function<void()>& recarregarArvore)
{
    TResultadoProcesso r;
    TArqFolha folha(sessao, &progresso);
    folha.Caminho = caminho;
    folha.EntradasArvore = entradasArvore;
    folha.RecarregarArvore = recarregarArvore;
    try {
        r.Sucesso = folha.Processar();
    } catch (const EMensagemNaoCadastrada&) {
        r.MensagemResultado = "0396";
        return r;
    } catch (const std::exception& e) {
        r.MensagemResultado = folha.CodigoMensagem.empty() ? "0250" : folha.CodigoMensagem;
        r.Erro = MensagemEmUmaLinha(e);
        return r;
    }
    r.Cancelado = folha.FoiCancelado();
    r.MensagemResultado = folha.CodigoMensagem;
    if (r.Sucesso)
        r.Registros = std::move(folha.Registros);
    return r;
}

} // namespace drav
