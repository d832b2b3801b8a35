#include "calc/Calculo.h"

#include "calc/DiaUtil.h"
#include "calc/Inconsistencia.h"
#include "core/Formatacao.h"

#include <cmath>
#include <optional>

namespace drav {

namespace {

double Cortar(double valor) { return TruncarDecimais(valor, 2); }

bool Informada(TDateTime d) { return std::isfinite(d) && d > NullDate && d != DataInvalida; }

// Months counted from year 0, so that month arithmetic is plain subtraction.
int MesCorrido(TDateTime d)
{
    const DataCivil c = DecodificarData(d);
    return c.ano * 12 + c.mes - 1;
}

TDateTime DiaDoMes(int mesCorrido, int dia)
{
    const int ano = mesCorrido >= 0 ? mesCorrido / 12 : (mesCorrido - 11) / 12;
    return CodificarData(ano, mesCorrido - ano * 12 + 1, dia);
}

TDateTime PrimeiroDoMes(TDateTime d) { return DiaDoMes(MesCorrido(d), 1); }

int Dia(TDateTime d) { return DecodificarData(d).dia; }

std::string Digitos(int64_t numero, int largura)
{
    std::string s = std::to_string(numero < 0 ? 0 : numero);
    if (static_cast<int>(s.size()) < largura)
        s.insert(0, static_cast<std::size_t>(largura) - s.size(), '0');
    return s;
}

const TDateTime kInicioContribuicao = CodificarData(2002, 1, 1);
const TDateTime kFimContribuicao = CodificarData(2007, 1, 1);

} // namespace

TCalculo::TCalculo(const ICalendario& calendario, const ITabelasIndices& tabelas, IRegistroInconsistencias* registro)
    : calendario_(calendario), registro_(registro), indices_(tabelas, registro)
{
}

void TCalculo::Limpar()
{
    codigoErro_ = 0;
    parcelaComErro_ = 0;
    anterior_ = rescisao_ = avisoPrevio_ = multa_ = TParcela{};
    saldoMulta_ = 0;
    jamSaldo_ = 0;
    pagamento_ = NullDate;
    edital_ = NullDate;
}

bool TCalculo::Falhar(int codigo, int parcela)
{
    codigoErro_ = codigo;
    parcelaComErro_ = parcela;
    return false;
}

TParcela& TCalculo::ParcelaMutavel(TipoParcela tipo)
{
    switch (tipo) {
    case TipoParcela::Anterior: return anterior_;
    case TipoParcela::Rescisao: return rescisao_;
    case TipoParcela::AvisoPrevio: return avisoPrevio_;
    case TipoParcela::Multa: break;
    }
    return multa_;
}

const TParcela& TCalculo::Parcela(TipoParcela tipo) const
{
    return const_cast<TCalculo*>(this)->ParcelaMutavel(tipo);
}

double TCalculo::ValorTotal() const
{
    return Centavos(anterior_.Total() + rescisao_.Total() + avisoPrevio_.Total() + multa_.Total());
}

bool TCalculo::TodasCalculadas() const
{
    return anterior_.Calculada && rescisao_.Calculada && avisoPrevio_.Calculada && multa_.Calculada;
}

void TCalculo::Identificar(const TEntradaCalculo& e)
{
    if (!registro_)
        return;
    TDadosInconsistencia& d = indices_.Identificacao;
    d = TDadosInconsistencia{};
    d.TipoInscricaoEmpresa = std::to_string(e.TipoInscricao);
    d.InscricaoEmpresa = Digitos(e.Inscricao, e.TipoInscricao == 2 ? 12 : 14);
    d.RazaoSocial = e.RazaoSocial;
    d.Pis = Digitos(e.Pis, 11);
    d.CodigoCategoria = std::to_string(e.Categoria);
    d.DataAdmissao = Informada(e.DataAdmissao) ? FormatarDataHora("ddmmyyyy", e.DataAdmissao) : std::string();
    d.NomeEmpregado = e.NomeEmpregado;
}

bool TCalculo::Calcular(const TEntradaCalculo& e)
{
    Limpar();
    Identificar(e);
    // Without these dates no due date can be told, and an unknown notice type leaves the due
    // dates unset: computing on would produce amounts for the wrong dates.
    if (!Informada(e.DataPagamento))
        return Falhar(62);
    if (!Informada(e.DataMovimentacao))
        return Falhar(50);
    if (e.AvisoPrevio < 0 || e.AvisoPrevio > 3)
        return Falhar(80);

    pagamento_ = SomenteData(e.DataPagamento);
    edital_ = EditalDoPagamento(pagamento_);
    anterior_.ValorBase = e.RemuneracaoAnterior;
    rescisao_.ValorBase = e.RemuneracaoRescisao;
    avisoPrevio_.ValorBase = e.ValorAvisoPrevio;

    if (!PrepararSaldo(e))
        return false;
    DefinirVencimentos(e);
    DefinirContribuicoes(e);
    for (TParcela* p : {&anterior_, &rescisao_, &avisoPrevio_, &multa_}) {
        p->NoPrazo = pagamento_ <= p->DataDevida ? 'S' : 'N';
        p->VencimentoNormal = calendario_.VencimentoCompetencia(p->Competencia);
    }

    const struct {
        TipoParcela tipo;
        double base;
    } ordem[] = {{TipoParcela::Anterior, e.RemuneracaoAnterior},
                 {TipoParcela::Rescisao, e.RemuneracaoRescisao},
                 {TipoParcela::AvisoPrevio, e.ValorAvisoPrevio},
                 {TipoParcela::Multa, saldoMulta_}};
    for (const auto& o : ordem) {
        const bool ok = CalcularParcela(o.tipo, o.base, e);
        TParcela& p = ParcelaMutavel(o.tipo);
        // A parcel with nothing to collect has no due date.
        const double base = o.tipo == TipoParcela::Multa ? p.ValorBaseMulta : o.base;
        if (!(base > 0))
            p.DataDevida = NullDate;
        if (!ok)
            return false;
    }
    return multa_.Calculada;
}

bool TCalculo::PrepararSaldo(const TEntradaCalculo& e)
{
    if (e.DataDissidio > 0 && Informada(e.DataDissidio)) {
        // A dissídio replaces the balance: its amount is the fine base, without interest.
        saldoMulta_ = e.ValorDissidio;
        return true;
    }
    double base = e.SaldoRescisorio;
    if (e.SaldoRescisorio > 0 && Aparar(e.OrigemSaldo) == "C") {
        // A balance the bank informed earns interest from its last credit up to the edital.
        const TDateTime credito = e.DataCreditoJuros;
        if (!Informada(credito)) {
            if (registro_) {
                TDadosInconsistencia d = indices_.Identificacao;
                d.NumeroArquivo = InconsistenciaFechamento;
                d.NumeroMensagem = 372;
                d.ConteudoCampo = "Saldo rescisório sem data de crédito de juros";
                registro_->Registrar(d);
            }
            return Falhar(372);
        }
        if (MesCorrido(credito) < MesCorrido(edital_)) {
            // Without its index the balance's interest cannot be told; going on would compute
            // the fine on a balance that lacks it (or, taking the miss as an index, on none).
            const std::optional<double> indice =
                indices_.IndiceJAM(e.Categoria, DiaDoMes(MesCorrido(credito) - 1, 1), e.DataOpcao, edital_);
            if (!indice || *indice < 0)
                return Falhar(372);
            jamSaldo_ = Cortar(base * *indice);
            base = Centavos(base + jamSaldo_);
        }
    }
    saldoMulta_ = Centavos(base + e.DepositoComplementoSaldo);
    return true;
}

void TCalculo::DefinirVencimentos(const TEntradaCalculo& e)
{
    const TDateTime r = SomenteData(e.DataMovimentacao);
    const bool dissidio = e.DataDissidio > 0 && Informada(e.DataDissidio);
    const TDateTime d = dissidio ? SomenteData(e.DataDissidio) : NullDate;
    auto ajustar = [this](bool posterior, TDateTime dia) { return calendario_.AjustarDiaUtil(posterior, dia); };

    if (dissidio && d > r) {
        const TDateTime v = ajustar(false, DiaDoMes(MesCorrido(d) + 1, 7));
        anterior_.DataDevida = rescisao_.DataDevida = avisoPrevio_.DataDevida = multa_.DataDevida = v;
    } else if (e.AvisoPrevio == 0 || e.AvisoPrevio == 1) {
        if (Dia(r) >= 7) {
            anterior_.DataDevida = ajustar(false, DiaDoMes(MesCorrido(r), 7));
        } else {
            TDateTime x = ajustar(true, r + 1);
            if (Dia(x) > 7)
                x = ajustar(false, r + 1);
            anterior_.DataDevida = x;
        }
        rescisao_.DataDevida = avisoPrevio_.DataDevida = multa_.DataDevida = ajustar(true, r + 1);
    } else {
        anterior_.DataDevida = ajustar(false, DiaDoMes(MesCorrido(r), 7));
        const TDateTime y = ajustar(false, r + 10);
        multa_.DataDevida = y;
        const bool outroMes = Dia(y) > 7 && DecodificarData(y).mes != DecodificarData(r).mes;
        rescisao_.DataDevida = avisoPrevio_.DataDevida = outroMes ? ajustar(false, DiaDoMes(MesCorrido(y), 7)) : y;
    }

    const TDateTime referencia = dissidio ? d : r;
    anterior_.Competencia = DiaDoMes(MesCorrido(referencia) - 1, 1);
    rescisao_.Competencia = avisoPrevio_.Competencia = multa_.Competencia = PrimeiroDoMes(referencia);
}

void TCalculo::DefinirContribuicoes(const TEntradaCalculo& e)
{
    const bool isento = e.Fpas == 868 || e.Categoria == 6 || e.Simples == 5 || e.Simples == 6;
    for (TParcela* p : {&anterior_, &rescisao_, &avisoPrevio_, &multa_})
        p->ContribuicaoDevida = isento ? 'N' : 'S';

    bool depositosIsentos;
    if (e.Fpas == 604)
        depositosIsentos = (e.TipoInscricao == 2 && (e.Simples == 1 || e.Simples == 2)) ||
                           (e.TipoInscricao == 1 && e.Simples != 1 && e.Simples != 3);
    else
        depositosIsentos = e.Simples == 2;
    for (TParcela* p : {&anterior_, &rescisao_, &avisoPrevio_}) {
        if (p->Competencia < kInicioContribuicao || p->Competencia >= kFimContribuicao || depositosIsentos)
            p->ContribuicaoDevida = 'N';
    }

    const bool dispensa = MaiusculasAscii(Aparar(e.Movimentacao)) == "I1" &&
                          SomenteData(e.DataMovimentacao) >= kInicioContribuicao;
    if (!dispensa)
        multa_.ContribuicaoDevida = 'N';
}

bool TCalculo::CalcularParcela(TipoParcela tipo, double base, const TEntradaCalculo& e)
{
    codigoErro_ = 0;
    TParcela& p = ParcelaMutavel(tipo);
    p.ValorDeposito = p.ValorJAM = p.ValorContribuicao = p.ValorMultaContribuicao = p.ValorMulta = 0;
    p.ValorBase = base;
    p.ValorBaseMulta = 0;
    p.JAMSaldo = jamSaldo_;
    p.Calculada = false;

    // A parcel due in the first days of its own competence month is paid with the indices of
    // the month before.
    int competenciaIndice = MesCorrido(p.Competencia);
    if (tipo != TipoParcela::Anterior && MesCorrido(p.DataDevida) == competenciaIndice && Dia(p.DataDevida) <= 10)
        --competenciaIndice;

    const bool multa = tipo == TipoParcela::Multa;
    const TAliquotasParcela aliquotas = multa ? AliquotasMulta(p.ContribuicaoDevida == 'S', e.Movimentacao)
                                              : AliquotasDeposito(e.Categoria, p.Competencia);
    double valor = base;
    if (multa && aliquotas.Formula) {
        valor = Centavos(saldoMulta_ + anterior_.ValorBaseMulta + rescisao_.ValorBaseMulta +
                         avisoPrevio_.ValorBaseMulta);
        p.ValorBaseMulta = valor;
    }

    double indice = 0, indiceJam = 0;
    // The indices are only needed for an amount that is owed: a parcel with nothing to collect
    // (no base, or a fine the movement does not carry) must not fail for lack of them.
    if (p.NoPrazo == 'N' && aliquotas.Formula && valor > 0) {
        const int parcela = static_cast<int>(tipo);
        const TDateTime cIndice = DiaDoMes(competenciaIndice, 1);
        std::optional<double> i;
        if (multa)
            i = indices_.IndiceGuiaMulta(edital_, p.DataDevida, pagamento_);
        else if (p.DataDevida >= p.VencimentoNormal)
            i = indices_.IndiceProRata(cIndice, pagamento_, p.Competencia, e.DataOpcao, edital_);
        else
            i = indices_.IndiceGuia(edital_, p.DataDevida, pagamento_);
        if (!i || !(*i > 0))
            return Falhar(372, parcela);
        indice = *i;
        if (MesCorrido(edital_) - 2 >= competenciaIndice) {
            const std::optional<double> k = indices_.IndiceJAM(e.Categoria, cIndice, e.DataOpcao, edital_);
            if (!k || *k < 0)
                return Falhar(372, parcela);
            indiceJam = *k;
        }
    }

    AplicarFormula(p, valor, indice, indiceJam, aliquotas);
    if (!multa)
        p.ValorBaseMulta = Centavos(p.ValorDeposito + p.ValorJAM);
    if (!ValidarParcela(p))
        return Falhar(475, static_cast<int>(tipo));
    p.Calculada = true;
    return true;
}

} // namespace drav
