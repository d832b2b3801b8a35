// The worker frame's data: showing a link, copying the fields back, the checks, saving and deleting.
#include "ui/cadastro/FrameEmpregado.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"
#include "ui/cadastro/CamposCadastro.h"
#include "ui/cadastro/FrameEmpregadoCampos.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <QTabBar>

namespace drav {

using namespace trabalhador;

namespace {

const char* const kPrefixo = "40";

// The codes are shown as four digits after the window's prefix, also the two-digit ones.
std::string Codigo(const std::string& codigo) { return CompletarZeros(codigo, 4); }

// The field holds something beyond the separators of its mask.
bool Preenchido(const QLineEdit* campo)
{
    for (QChar c : campo->text())
        if (c != '/' && c != '.' && c != '-' && c != ' ' && c != '_')
            return true;
    return false;
}

} // namespace

void TfrmFuncionarios::LimparCampos()
{
    TFramePadrao::LimparCampos();
    cmbCbo_->setEditText(QString());
    for (QLineEdit* e : {edtSaldoBanco_, edtSaldoEmpresa_})
        e->clear();
}

void TfrmFuncionarios::MostrarEmpresa()
{
    TEmpresa e(sessao_);
    std::string texto = "Empresa: ";
    if (e.ConsultarEmpresa(tipoEmpresa_, inscricaoEmpresa_) && !e.Vazio())
        texto += e.RazaoSocial + " - ";
    texto += tipoEmpresa_ == 1 ? FormatarCNPJ(std::to_string(inscricaoEmpresa_)) : std::to_string(inscricaoEmpresa_);
    lblEmpresa_->setText(QString::fromStdString(texto));
}

void TfrmFuncionarios::NovoTrabalhador(int tipoInscricao, qint64 inscricao)
{
    PrepararCombos();
    DefinirModoEdicao(meInclusao);
    trabalhador_ = std::make_unique<TEmpregado>(sessao_);
    carregado_ = false;
    tipoEmpresa_ = tipoInscricao;
    inscricaoEmpresa_ = inscricao;
    LimparCampos();
    MostrarEmpresa();
    cmbPensao_->setCurrentIndex(0); // "Não existe" until told otherwise
    TravarChave(false);
    EntrarEdicao(true);
    AtualizarBotoes();
    abas_->setCurrentIndex(0);
    edtPis_->setFocus();
}

bool TfrmFuncionarios::CarregarVinculo(int tipoInscricao, qint64 inscricao, const std::string& pis, int categoria,
                                       double admissao)
{
    PrepararCombos();
    DefinirModoEdicao(meConsulta);
    trabalhador_ = std::make_unique<TEmpregado>(sessao_);
    tipoEmpresa_ = tipoInscricao;
    inscricaoEmpresa_ = inscricao;
    carregado_ = trabalhador_->ConsultarVinculo(tipoInscricao, std::to_string(inscricao), admissao, categoria, pis);
    if (!carregado_)
        LimparCampos();
    else
        MostrarObjeto();
    MostrarEmpresa();
    AtualizarBotoes();
    return carregado_;
}

void TfrmFuncionarios::MostrarObjeto()
{
    TEmpregado& t = *trabalhador_;
    TVinculo& v = t.Vinculo();
    TInformacaoRescisao& r = v.Rescisao();
    Mostrar(edtPis_, t.Pis);
    Mostrar(edtNome_, t.Nome);
    Mostrar(edtCpf_, t.Cpf);
    EscolherNumero(cmbSexo_, t.Sexo);
    EscolherCodigo(cmbGrauInstrucao_, t.GrauInstrucao);
    // The category first: its locks must not undo what is shown after it.
    EscolherNumero(cmbCategoria_, v.Categoria);
    Mostrar(edtCtps_, t.Ctps);
    Mostrar(edtSerieCtps_, t.SerieCtps);
    MostrarData(edtNascimento_, t.DataNascimento);
    MostrarData(edtAdmissao_, v.DataAdmissao);
    MostrarData(edtOpcao_, v.DataOpcao);
    const int cbo = cmbCbo_->findText(QString::fromStdString(v.Cbo));
    cmbCbo_->setCurrentIndex(cbo);
    if (cbo < 0)
        cmbCbo_->setEditText(QString::fromStdString(v.Cbo));
    EscolherCodigo(cmbMovimentacao_, v.Movimentacao);
    MostrarData(edtDataMovimentacao_, v.DataMovimentacao);
    EscolherCodigo(cmbSaque_, v.Saque);
    EscolherNumero(cmbAviso_, v.AvisoPrevio);
    MostrarData(edtInicioAviso_, v.DataInicioAviso);
    Mostrar(edtHoras_, v.HorasSemanais ? std::to_string(v.HorasSemanais) : std::string());
    cmbReposicao_->setCurrentIndex(cmbReposicao_->findData(QString::fromStdString(v.ReposicaoVagas)));
    cmbTipoTomador_->setCurrentIndex(cmbTipoTomador_->findData(v.TipoInscricaoTomador));
    Mostrar(edtTomador_, v.InscricaoTomador ? std::to_string(v.InscricaoTomador) : std::string());
    Mostrar(edtBanco_, v.Banco);
    Mostrar(edtAgencia_, v.Agencia);
    Mostrar(edtConta_, v.Conta);

    MostrarValor(edtRemuneracaoAnterior_, r.VrRemuneracaoAnteriorRscso);
    MostrarValor(edtRemuneracaoRescisao_, r.VrRemuneracaoRescisao);
    MostrarValor(edtValorAviso_, r.VrAvisoPrevio);
    MostrarData(edtDataDissidio_, r.DtDissidio);
    MostrarValor(edtValorDissidio_, r.VrDissidio);
    cmbPensao_->setCurrentIndex(cmbPensao_->findData(QString::fromStdString(r.TipoPensao.empty() ? "N" : r.TipoPensao)));
    MostrarValor(edtValorPensao_, r.VrPensaoAlmna);
    const TSaldoContas contas = SaldoDasContas(sessao_, v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria, v.DataAdmissao);
    MostrarValor(edtSaldoBanco_, contas.Soma);
    MostrarValor(edtSaldoEmpresa_, r.OrigemSaldo == OrigemSaldoEmpresa ? r.VrSaldoRescisorio : 0);
}

void TfrmFuncionarios::CopiarParaObjeto()
{
    TEmpregado& t = *trabalhador_;
    t.Pis = Digitos(edtPis_);
    t.Nome = Texto(edtNome_);
    t.Cpf = Digitos(edtCpf_);
    t.Sexo = NumeroEscolhido(cmbSexo_, 0);
    t.GrauInstrucao = CodigoEscolhido(cmbGrauInstrucao_);
    t.Ctps = Digitos(edtCtps_);
    t.SerieCtps = Digitos(edtSerieCtps_);
    t.DataNascimento = LerData(edtNascimento_);

    TVinculo& v = t.Vinculo();
    v.TipoInscricao = tipoEmpresa_;
    v.Inscricao = inscricaoEmpresa_;
    v.Pis = StrToInteiro64(t.Pis);
    v.Categoria = NumeroEscolhido(cmbCategoria_, -1);
    v.DataAdmissao = LerData(edtAdmissao_);
    v.DataOpcao = LerData(edtOpcao_);
    v.Cbo = Aparar(cmbCbo_->currentText().toStdString());
    v.Movimentacao = CodigoEscolhido(cmbMovimentacao_);
    v.DataMovimentacao = LerData(edtDataMovimentacao_);
    v.Saque = CodigoEscolhido(cmbSaque_);
    v.AvisoPrevio = NumeroEscolhido(cmbAviso_, 0);
    v.DataInicioAviso = LerData(edtInicioAviso_);
    v.HorasSemanais = StrToInteiro(Digitos(edtHoras_));
    v.ReposicaoVagas = cmbReposicao_->currentData().toString().toStdString();
    v.TipoInscricaoTomador = NumeroEscolhido(cmbTipoTomador_, 0);
    v.InscricaoTomador = StrToInteiro64(Digitos(edtTomador_));
    v.Banco = Digitos(edtBanco_);
    v.Agencia = Digitos(edtAgencia_);
    v.Conta = Digitos(edtConta_);

    TInformacaoRescisao& r = v.Rescisao();
    r.VrRemuneracaoAnteriorRscso = LerValor(edtRemuneracaoAnterior_);
    r.VrRemuneracaoRescisao = LerValor(edtRemuneracaoRescisao_);
    r.VrAvisoPrevio = LerValor(edtValorAviso_);
    r.DtDissidio = LerData(edtDataDissidio_);
    r.VrDissidio = LerValor(edtValorDissidio_);
    r.TipoPensao = cmbPensao_->currentData().toString().toStdString();
    r.VrPensaoAlmna = LerValor(edtValorPensao_);
    // The balance and its origin as this save will store them, so the dissídio check sees them.
    DefinirSaldoRescisorio(r, SaldoDasContas(sessao_, v.TipoInscricao, v.Inscricao, v.Pis, v.Categoria, v.DataAdmissao),
                           LerValor(edtSaldoEmpresa_));
}

bool TfrmFuncionarios::Validar()
{
    CopiarParaObjeto();
    const TFalhaCadastro f = ValidarCadastroTrabalhador(*trabalhador_);
    if (!f.Falhou())
        return true;
    QWidget* campo = Campo(f.Campo);
    for (int i = 0; campo && i < paginas_->count(); ++i)
        if (paginas_->widget(i)->isAncestorOf(campo))
            abas_->setCurrentIndex(i);
    MostrarFalha(kPrefixo, Codigo(f.Codigo), campo);
    return false;
}

bool TfrmFuncionarios::Gravar()
{
    TEmpregado& t = *trabalhador_;
    TVinculo& v = t.Vinculo();
    const bool novo = ModoEdicao() == meInclusao;
    try {
        if (novo) {
            if (!t.Incluir()) {
                MostrarFalha(kPrefixo, Codigo(t.CodigoMensagem), t.CodigoMensagem == "0208" ? edtAdmissao_ : nullptr);
                return false;
            }
        } else if (v.Rescisao().DtDissidio > 0 && VinculoTemComplementos(v)) {
            // A dissídio excludes the balance complements: they go in the same transaction.
            if (Mensagens().Mensagem(std::string(kPrefixo) + "0371", mtConfirmation, Botoes::SimNao, mbNo) != mrYes)
                return false;
            TTransacao transacao(sessao_);
            ExcluirComplementosDoVinculo(v);
            t.Alterar(false);
            transacao.Confirmar();
        } else {
            t.Alterar(false);
        }
    } catch (const std::exception&) {
        MostrarFalha(kPrefixo, "0144");
        return false;
    }
    const std::string pis = t.Pis;
    const int categoria = v.Categoria;
    const double admissao = v.DataAdmissao;
    CarregarVinculo(tipoEmpresa_, inscricaoEmpresa_, pis, categoria, admissao);
    emit trabalhadorGravado(tipoEmpresa_, inscricaoEmpresa_, QString::fromStdString(pis), categoria, admissao, novo);
    return true;
}

bool TfrmFuncionarios::Excluir()
{
    if (!carregado_)
        return false;
    TEmpregado& t = *trabalhador_;
    TVinculo& v = t.Vinculo();
    const std::string codigo = v.EstadoMovimento >= EstadoFechado ? "0445" : "0036";
    if (Mensagens().Mensagem(kPrefixo + codigo, mtConfirmation, Botoes::SimNao, mbNo) != mrYes)
        return false;
    const std::string pis = t.Pis;
    const int categoria = v.Categoria;
    const double admissao = v.DataAdmissao;
    try {
        t.ExcluirVinculos(false);
    } catch (const std::exception&) {
        MostrarFalha(kPrefixo, "0144");
        return false;
    }
    carregado_ = false;
    trabalhador_ = std::make_unique<TEmpregado>(sessao_);
    LimparCampos();
    AtualizarBotoes();
    Mensagens().AvisarOperacao(kPrefixo, 2);
    emit trabalhadorExcluido(tipoEmpresa_, inscricaoEmpresa_, QString::fromStdString(pis), categoria, admissao);
    return true;
}

void TfrmFuncionarios::edtPisExit()
{
    if (ModoEdicao() != meInclusao || !Editando())
        return;
    const std::string pis = Digitos(edtPis_);
    if (pis.empty())
        return;
    TEmpregado existente(sessao_);
    existente.CarregaRelacionados = false;
    if (!existente.ConsultarPorPis(pis))
        return;
    const bool digitado = Preenchido(edtNome_) || cmbGrauInstrucao_->currentIndex() >= 0 || Preenchido(edtCtps_) ||
                          Preenchido(edtSerieCtps_) || Preenchido(edtNascimento_) || Preenchido(edtCpf_);
    if (digitado &&
        Mensagens().Mensagem(std::string(kPrefixo) + "0453", mtConfirmation, Botoes::SimNao, mbNo) != mrYes)
        return;
    Mostrar(edtNome_, existente.Nome);
    Mostrar(edtPis_, existente.Pis);
    EscolherCodigo(cmbGrauInstrucao_, existente.GrauInstrucao);
    Mostrar(edtCtps_, existente.Ctps);
    Mostrar(edtSerieCtps_, existente.SerieCtps);
    EscolherNumero(cmbSexo_, existente.Sexo);
    MostrarData(edtNascimento_, existente.DataNascimento);
    Mostrar(edtCpf_, existente.Cpf);
}

void TfrmFuncionarios::TravarChave(bool travar)
{
    // The key of a registered link never changes.
    for (QWidget* w : {static_cast<QWidget*>(edtPis_), static_cast<QWidget*>(cmbCategoria_),
                       static_cast<QWidget*>(edtAdmissao_)})
        w->setEnabled(!travar);
}

void TfrmFuncionarios::AtualizarBotoes()
{
    const bool fechado = carregado_ && trabalhador_->Vinculo().EstadoMovimento >= EstadoFechado;
    btnOcorrencia_->setEnabled(carregado_ && !fechado && !Editando());
    if (!Editando()) {
        btnAlterar()->setEnabled(carregado_ && !fechado);
        btnExcluir()->setEnabled(carregado_);
    }
}

void TfrmFuncionarios::btnAlterarClick()
{
    if (!carregado_ && ModoEdicao() != meInclusao)
        return;
    TFramePadrao::btnAlterarClick();
    TravarChave(ModoEdicao() != meInclusao);
    AtualizarBotoes();
}

void TfrmFuncionarios::btnSalvarClick()
{
    if (!Validar())
        return;
    const int modo = ModoEdicao();
    const std::string pergunta = modo == meInclusao ? "0146" : "0147";
    if (Mensagens().Mensagem(kPrefixo + pergunta, mtConfirmation, Botoes::SimNao, mbYes) != mrYes)
        return;
    if (!Gravar())
        return;
    Mensagens().AvisarOperacao(kPrefixo, modo == meInclusao ? 0 : 1);
    TFramePadrao::btnSalvarClick();
    AtualizarBotoes();
}

void TfrmFuncionarios::btnCancelarClick()
{
    TFramePadrao::btnCancelarClick();
    if (carregado_) {
        // Copies: reloading replaces the object these come from.
        const std::string pis = trabalhador_->Pis;
        const int categoria = trabalhador_->Vinculo().Categoria;
        const double admissao = trabalhador_->Vinculo().DataAdmissao;
        CarregarVinculo(tipoEmpresa_, inscricaoEmpresa_, pis, categoria, admissao);
    } else {
        LimparCampos();
    }
    AtualizarBotoes();
}

void TfrmFuncionarios::btnExcluirClick() { Excluir(); }

} // namespace drav
