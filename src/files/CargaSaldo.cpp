#include "files/CargaSaldo.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Verificacoes.h"
#include "files/Protocolo.h"
#include "model/AlteracaoCadastral.h"
#include "model/ContaEmpregado.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/Responsavel.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

std::string Trecho(const std::string& linha, int inicio, int largura)
{
    return Cp1252ParaUtf8(CortarCampo(linha, inicio, largura));
}

bool TipoConhecido(char c) { return c == '0' || c == '1' || c == '2' || c == '8' || c == '9'; }

char Tipo(const std::string& linha) { return linha.empty() ? '\0' : linha[0]; }

// Blanks, carriage returns and the old end-of-file mark: what an editor or a transfer leaves after
// the last record, never a record of its own.
bool LinhaEmBranco(const std::string& linha)
{
    for (char c : linha)
        if (c != ' ' && c != '\r' && c != '\t' && c != '\x1A')
            return false;
    return true;
}

// Positions 87-88 of an employer record: the situation of the employer's account.
bool EmpresaIrregular(const std::string& linha) { return StrToInteiro(Trecho(linha, 87, 2)) != 0; }

} // namespace

bool TDadosConta::MesmoVinculo(const TDadosConta& o) const
{
    return TipoInscricao == o.TipoInscricao && Inscricao == o.Inscricao && Pis == o.Pis &&
           Categoria == o.Categoria && static_cast<int64_t>(DataAdmissao) == static_cast<int64_t>(o.DataAdmissao);
}

TArqCargaSaldo::TArqCargaSaldo(TDBUtils& sessao, IProgresso* progresso) : TArquivo(sessao), progresso_(progresso)
{
    NumeroArquivo = 2;
}

TArqCargaSaldo::~TArqCargaSaldo() = default;

void TArqCargaSaldo::Inicializar()
{
    LinhaValida = true;
    ArquivoValido = true;
    AlgoGravado = false;
    AtualizarArvore = false;
    Pendente = false;
    QuantidadeEmpresas = VinculosEmpresa = VinculosArquivo = QuantidadeTotaisEmpresa = 0;
    SomaEmpresa = SomaArquivo = 0;
    DataGravacao = NullDate;
    IdentificadorSolicitacao.clear();
    Registros.clear();
    Pendentes.clear();
    ultimoVinculo_ = TDadosConta{};
    ultimoValido_ = false;
    cancelado_ = false;
}

// --- recording --------------------------------------------------------------------------------------

void TArqCargaSaldo::RegistrarComo(std::size_t i, const std::string& tipoRegistro, const std::string& conteudo,
                                   int codigo)
{
    static const TRegRegistro vazio;
    const TRegRegistro& h = !Registros.empty() && Registros[0].TipoRegistro == "00" ? Registros[0] : vazio;
    const TRegRegistro& r = i < Registros.size() ? Registros[i] : vazio;
    const int linha = static_cast<int>(i + 1);
    if (r.TipoRegistro == "01")
        RegistrarInconsistencia(conteudo, tipoRegistro, linha, codigo, h.TipoInscricao, h.Inscricao, h.NomeEmpresa,
                                r.TipoInscricao, r.Inscricao, r.NomeEmpresa);
    else if (r.TipoRegistro == "02")
        RegistrarInconsistencia(conteudo, tipoRegistro, linha, codigo, h.TipoInscricao, h.Inscricao, h.NomeEmpresa,
                                r.TipoInscricao, r.Inscricao, r.NomeEmpresa, r.Pis, r.Categoria, r.DataAdmissao,
                                r.NomeTrabalhador);
    else
        RegistrarInconsistencia(conteudo, tipoRegistro, linha, codigo, h.TipoInscricao, h.Inscricao, h.NomeEmpresa);
}

void TArqCargaSaldo::Registrar(std::size_t i, const std::string& conteudo, int codigo)
{
    const std::string tipo = i < Linhas.size() ? std::string("0") + Tipo(Linhas[i]) : std::string();
    RegistrarComo(i, tipo, conteudo, codigo);
}

void TArqCargaSaldo::Registrar(std::size_t i, const std::string& conteudo, const std::string& codigo)
{
    Registrar(i, conteudo, StrToInteiro(codigo));
}

bool TArqCargaSaldo::Digitos(std::size_t i, const std::string& campo, const std::string& rotulo)
{
    // Only the characters count: a 16-digit total is no error for being too long for an integer.
    if (!campo.empty() && SoNumeros(campo))
        return true;
    Registrar(i, rotulo + campo, 11);
    return false;
}

TDateTime TArqCargaSaldo::Data(std::size_t i, const std::string& campo, const std::string& rotulo)
{
    const std::string texto = DataArquivo(campo, false);
    if (UltimoErro() == "0212") {
        Registrar(i, rotulo + campo, 212);
        return DataInvalida;
    }
    return StrToData(texto, 0);
}

// --- run ------------------------------------------------------------------------------------------------

bool TArqCargaSaldo::Cancelou()
{
    if (!cancelado_ && progresso_ && progresso_->Cancelado())
        cancelado_ = true;
    return cancelado_;
}

void TArqCargaSaldo::Avancar()
{
    if (progresso_)
        progresso_->AvancarProgresso(false);
}

void TArqCargaSaldo::Etapa(int etapa)
{
    if (progresso_)
        progresso_->MarcarEtapa(etapa);
}

void TArqCargaSaldo::Desfazer()
{
    AlgoGravado = false;
    AtualizarArvore = false;
    Pendente = false;
    Pendentes.clear();
}

bool TArqCargaSaldo::Processar()
{
    struct Limpeza {
        TArqCargaSaldo& f;
        ~Limpeza()
        {
            f.responsavel_.reset();
            f.empresa_.reset();
            f.conta_.reset();
            f.vinculo_.reset();
            f.trabalhador_.reset();
            f.alteracao_.reset();
            f.Fechar();
        }
    };
    {
        Limpeza limpeza{*this};
        NumeroArquivo = 2;
        Inicializar();
        responsavel_ = std::make_unique<TResponsavel>(Sessao());
        empresa_ = std::make_unique<TEmpresa>(Sessao());
        conta_ = std::make_unique<TContaSaldoTrabalhador>(Sessao());
        vinculo_ = std::make_unique<TVinculo>(Sessao());
        trabalhador_ = std::make_unique<TEmpregado>(Sessao());
        alteracao_ = std::make_unique<TAlteracaoCadastral>(Sessao());
        for (TNegocio* n : {static_cast<TNegocio*>(responsavel_.get()), static_cast<TNegocio*>(empresa_.get()),
                            static_cast<TNegocio*>(conta_.get()), static_cast<TNegocio*>(vinculo_.get()),
                            static_cast<TNegocio*>(trabalhador_.get()), static_cast<TNegocio*>(alteracao_.get())})
            n->CarregaRelacionados = false;
        CodigoMensagem.clear();
        LimparInconsistencias();

        Etapa(EtapaValidandoArquivo);
        if (!AbrirLeitura()) {
            RegistrarInconsistencia(Caminho, "", 0, 151);
        } else {
            while (!Linhas.empty() && LinhaEmBranco(Linhas.back()))
                Linhas.pop_back();
            if (progresso_)
                progresso_->DefinirMaximo(static_cast<long>(Linhas.size()) * 3);
            if (ValidarEstrutura()) {
                Etapa(EtapaValidandoArquivo + EtapaConcluida);
                Etapa(EtapaValidandoInformacoes);
                PassagemTotais();
                Etapa(EtapaValidandoInformacoes + EtapaConcluida);
                if (!Cancelou()) {
                    Etapa(EtapaIncluindo);
                    // Everything the load writes is one transaction: a cancel or a failure of the
                    // database leaves the accounts as they were. Register rows are written in
                    // transactions of their own and stay.
                    TTransacao t(Sessao());
                    PassagemCampos();
                    if (Cancelou()) {
                        t.Desfazer();
                        Desfazer();
                    } else {
                        t.Confirmar();
                        Etapa(EtapaIncluindo + EtapaConcluida);
                    }
                }
            }
            if (Cancelou())
                Desfazer();
        }
    }
    if (cancelado_)
        return false;
    if (AtualizarArvore && RecarregarArvore) {
        Etapa(EtapaArvore);
        RecarregarArvore();
        Etapa(EtapaArvore + EtapaConcluida);
    }
    MarcarSolicitacaoSaldo(Sessao(), IdentificadorSolicitacao, AlgoGravado);
    CodigoMensagem = AlgoGravado && !ArquivoValido ? "0253" : "0402";
    return ArquivoValido;
}

// --- structure --------------------------------------------------------------------------------------------

void TArqCargaSaldo::IdentificarLinha(std::size_t i, std::size_t& empresaAtual)
{
    const std::string& l = Linhas[i];
    TRegRegistro& r = Registros[i];
    r = TRegRegistro{};
    r.TipoRegistro = std::string("0") + Tipo(l);
    switch (Tipo(l)) {
    case '0':
        r.TipoInscricao = Trecho(l, 9, 1);
        r.Inscricao = Trecho(l, 10, 14);
        r.NomeEmpresa = AparaDireita(Trecho(l, 24, 30));
        break;
    case '1':
        r.TipoInscricao = Trecho(l, 72, 1);
        r.Inscricao = Trecho(l, 73, 14);
        r.NomeEmpresa = AparaDireita(Trecho(l, 16, 40));
        empresaAtual = i;
        break;
    case '2':
        r.TipoInscricao = Trecho(l, 90, 1);
        r.Inscricao = Trecho(l, 91, 14);
        if (empresaAtual < Linhas.size())
            r.NomeEmpresa = AparaDireita(Trecho(Linhas[empresaAtual], 16, 40));
        r.Pis = Trecho(l, 105, 11);
        r.Categoria = Trecho(l, 88, 2);
        r.DataAdmissao = Trecho(l, 67, 8);
        r.NomeTrabalhador = AparaDireita(Trecho(l, 27, 40));
        break;
    default: break;
    }
}

bool TArqCargaSaldo::ValidarEstrutura()
{
    const std::size_t n = Linhas.size();
    Registros.assign(n, TRegRegistro{});
    std::size_t empresaAtual = n;
    // The header's identification names every finding, even those about the file as a whole.
    if (n > 0 && Tipo(Linhas[0]) == '0')
        IdentificarLinha(0, empresaAtual);
    bool ok = true;
    if (n < 3)
        ok = false;
    else if (Tipo(Linhas[0]) != '0' || Tipo(Linhas[1]) != '1' ||
             (Tipo(Linhas[2]) != '2' && !EmpresaIrregular(Linhas[1])) || Tipo(Linhas[n - 1]) != '9')
        ok = false;
    if (!ok) {
        const TRegRegistro& h = Registros.empty() ? TRegRegistro{} : Registros[0];
        RegistrarInconsistencia("", "", 0, 401, h.TipoInscricao, h.Inscricao, h.NomeEmpresa);
        return false;
    }

    for (std::size_t i = 0; i < n; ++i) {
        if (Cancelou())
            return false;
        const char t = Tipo(Linhas[i]);
        if (!TipoConhecido(t)) {
            const std::string tipo = t == '\0' ? std::string() : std::string(1, t);
            RegistrarComo(i, tipo, Cp1252ParaUtf8(tipo), 113);
            return false;
        }
        // A line of another length would shift every field after the fault: it is reported, never
        // cut or padded into shape.
        if (Linhas[i].size() != static_cast<std::size_t>(TamanhoLinhaSaldo)) {
            IdentificarLinha(i, empresaAtual);
            RegistrarComo(i, Registros[i].TipoRegistro, std::to_string(Linhas[i].size()), 410);
            return false;
        }
        IdentificarLinha(i, empresaAtual);
        Avancar();
    }

    int cabecalhos = 0, finais = 0;
    std::size_t empresa = 0;
    for (std::size_t i = 0; i < n; ++i) {
        const char t = Tipo(Linhas[i]);
        if (t == '0')
            ++cabecalhos;
        if (t == '9')
            ++finais;
        if ((t == '9' && i != n - 1) || cabecalhos > 1 || finais > 1) {
            Registrar(i, std::string(1, t), 135);
            return false;
        }
        if (t == '1')
            empresa = i;
        if (i + 1 >= n)
            break;
        const char seguinte = Tipo(Linhas[i + 1]);
        bool erro = false;
        if (t == '1' && !EmpresaIrregular(Linhas[i]))
            erro = seguinte != '2';
        else if (t == '2' && !EmpresaIrregular(Linhas[empresa]))
            erro = seguinte != '2' && seguinte != '8';
        else if (t == '8')
            erro = seguinte != '1' && seguinte != '9';
        if (erro) {
            Registrar(i + 1, std::string(1, seguinte), 135);
            return false;
        }
    }
    return ArquivoValido;
}

// --- pass 1: counts and sums ----------------------------------------------------------------------------

bool TArqCargaSaldo::ConferirTotais(const TRegSaldo& reg, std::size_t i)
{
    auto conferir = [&](const std::string& campo, const std::string& rotulo, int64_t esperado, int codigo) {
        if (Digitos(i, campo, rotulo) && StrToInteiro64(campo) != esperado)
            Registrar(i, rotulo + campo, codigo);
    };
    switch (reg.Tipo) {
    case 1:
        ++QuantidadeEmpresas;
        VinculosEmpresa = 0;
        SomaEmpresa = 0;
        break;
    case 2: {
        ++VinculosEmpresa;
        ++VinculosArquivo;
        const std::string& saldo = reg[CamposContaSaldo::Saldo];
        if (Digitos(i, saldo, "Saldo Base para Fins Rescisórios: ")) {
            SomaEmpresa += StrToInteiro64(saldo);
            SomaArquivo += StrToInteiro64(saldo);
        }
        break;
    }
    case 8:
        ++QuantidadeTotaisEmpresa;
        conferir(reg[CamposTotalEmpresaSaldo::QuantidadeContas], "Quantidade de Depósito Optante: ", VinculosEmpresa,
                 357);
        conferir(reg[CamposTotalEmpresaSaldo::TotalSaldos], "Valor Total do Saldo Disponível: ", SomaEmpresa, 358);
        break;
    case 9: {
        namespace C = CamposTotalArquivoSaldo;
        conferir(reg[C::QuantidadeEmpresas], "Quantidade de Registro 1: ", QuantidadeEmpresas, 295);
        conferir(reg[C::QuantidadeContas], "Quantidade de Registro 2: ", VinculosArquivo, 343);
        conferir(reg[C::QuantidadeTotais], "Quantidade de Registro 8: ", QuantidadeTotaisEmpresa, 344);
        conferir(reg[C::TotalSaldos], "Valor Total das Contas Apresentadas: ", SomaArquivo, 330);
        break;
    }
    default: break;
    }
    return LinhaValida;
}

bool TArqCargaSaldo::PassagemTotais()
{
    for (std::size_t i = 0; i < Linhas.size(); ++i) {
        if (Cancelou())
            return false;
        LinhaValida = true;
        TRegSaldo reg;
        if (LerRegistro(Linhas[i], reg))
            ConferirTotais(reg, i);
        Avancar();
    }
    return ArquivoValido;
}

// --- pass 2: fields and accounts -----------------------------------------------------------------------

void TArqCargaSaldo::PassagemCampos()
{
    bool cabecalhoValido = false, empresaValida = false;
    for (std::size_t i = 0; i < Linhas.size(); ++i) {
        if (Cancelou())
            return;
        LinhaValida = true;
        TRegSaldo reg;
        if (!LerRegistro(Linhas[i], reg)) {
            Avancar();
            continue;
        }
        if (reg.Tipo == 0) {
            cabecalhoValido = ValidarRegistroCabecalho(reg, i);
        } else if (reg.Tipo == 1) {
            // Nothing of a file whose header is not sound is stored.
            if (!cabecalhoValido)
                return;
            empresaValida = ValidarRegistroEmpresa(reg, i);
        } else if (reg.Tipo == 2 && cabecalhoValido && empresaValida) {
            ValidarRegistroConta(reg, i);
        }
        Avancar();
    }
}

// --- the job and the protocol -------------------------------------------------------------------------

TResultadoProcesso ProcessarCargaSaldo(TArqCargaSaldo& carga, IProgresso& progresso)
{
    TResultadoProcesso r;
    carga.DefinirProgresso(&progresso);
    try {
        r.Sucesso = carga.Processar();
    } catch (const EMensagemNaoCadastrada&) {
        r.MensagemResultado = "0396";
        carga.DefinirProgresso(nullptr);
        return r;
    } catch (const std::exception& e) {
        // The load's transaction was rolled back on the way out: nothing of the file stayed.
        r.MensagemResultado = "0250";
        r.Erro = MensagemEmUmaLinha(e);
        carga.DefinirProgresso(nullptr);
        return r;
    }
    carga.DefinirProgresso(nullptr);
    r.Cancelado = carga.FoiCancelado();
    if (!r.Sucesso && !r.Cancelado)
        r.MensagemResultado = carga.CodigoMensagem;
    return r;
}

bool MarcarSolicitacaoSaldo(TDBUtils& sessao, const std::string& identificador, bool valido)
{
    const std::string id = Aparar(identificador);
    if (id.empty())
        return false;
    TProtocolo p(sessao);
    p.Identificador = id;
    if (!p.ConsultarPorIdentificador() || p.NumeroArquivo != ArquivoSolicitacaoSaldo)
        return false;
    return p.MarcarValidade(valido);
}

} // namespace drav
