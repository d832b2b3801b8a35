#include "ui/cadastro/TfrmEmpresas.h"

#include "core/Conversao.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "model/Empresa.h"
#include "ui/cadastro/CamposCadastro.h"
#include "ui/comum/Combos.h"
#include "ui/comum/Teclado.h"

#include <QComboBox>
#include <QCompleter>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace drav {

namespace {
const char* const kPrefixo = "10";
} // namespace

TfrmEmpresas::TfrmEmpresas(TDBUtils& sessao, TMensagens& mensagens, QWidget* parent)
    : TFramePadrao("Cadastro de Empresa", mensagens, parent), sessao_(sessao),
      empresa_(std::make_unique<TEmpresa>(sessao))
{
    setObjectName("frmEmpresas");
    QWidget* c = Corpo();
    edtInscricao_ = new QLineEdit(c);
    edtInscricao_->setObjectName("edtInscricao");
    cmbTipo_ = ComboTipoInscricao(c, edtInscricao_);
    edtRazao_ = CampoCodigo(c, "edtRazaoSocial", 40);
    edtLogradouro_ = CampoCodigo(c, "edtLogradouro", 50);
    edtBairro_ = CampoCodigo(c, "edtBairro", 20);
    edtCep_ = CampoCep(c, "edtCep");
    edtLocalidade_ = CampoCodigo(c, "edtLocalidade", 20);
    cmbUf_ = new QComboBox(c);
    cmbUf_->setObjectName("cmbUf");
    edtDdd_ = CampoDigitos(c, "edtDdd", 4);
    edtTelefone_ = CampoDigitos(c, "edtTelefone", 8);
    // The activity list is long: it is searched by typing the code.
    cmbCnae_ = new QComboBox(c);
    cmbCnae_->setObjectName("cmbCnae");
    cmbCnae_->setEditable(true);
    cmbCnae_->setInsertPolicy(QComboBox::NoInsert);
    cmbCnae_->lineEdit()->setMaxLength(7);
    cmbCnae_->lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), cmbCnae_));
    cmbCnae_->completer()->setCompletionMode(QCompleter::PopupCompletion);
    cmbFpas_ = new QComboBox(c);
    cmbFpas_->setObjectName("cmbFpas");
    cmbSimples_ = new QComboBox(c);
    cmbSimples_->setObjectName("cmbSimples");

    auto* g = new QGridLayout(c);
    auto rotulo = [c](const char* texto) { return new QLabel(QString::fromUtf8(texto), c); };
    g->addWidget(rotulo("Tipo de Inscrição:"), 0, 0);
    g->addWidget(cmbTipo_, 0, 1);
    g->addWidget(rotulo("Inscrição:"), 0, 2);
    g->addWidget(edtInscricao_, 0, 3);
    g->addWidget(rotulo("Razão Social:"), 1, 0);
    g->addWidget(edtRazao_, 1, 1, 1, 3);
    g->addWidget(rotulo("Logradouro:"), 2, 0);
    g->addWidget(edtLogradouro_, 2, 1, 1, 3);
    g->addWidget(rotulo("Bairro:"), 3, 0);
    g->addWidget(edtBairro_, 3, 1);
    g->addWidget(rotulo("CEP:"), 3, 2);
    g->addWidget(edtCep_, 3, 3);
    g->addWidget(rotulo("Município:"), 4, 0);
    g->addWidget(edtLocalidade_, 4, 1);
    g->addWidget(rotulo("UF:"), 4, 2);
    g->addWidget(cmbUf_, 4, 3);
    g->addWidget(rotulo("DDD:"), 5, 0);
    g->addWidget(edtDdd_, 5, 1);
    g->addWidget(rotulo("Telefone:"), 5, 2);
    g->addWidget(edtTelefone_, 5, 3);
    g->addWidget(rotulo("CNAE:"), 6, 0);
    g->addWidget(cmbCnae_, 6, 1);
    g->addWidget(rotulo("FPAS:"), 6, 2);
    g->addWidget(cmbFpas_, 6, 3);
    g->addWidget(rotulo("Simples:"), 7, 0);
    g->addWidget(cmbSimples_, 7, 1, 1, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setRowStretch(8, 1);
    TAvancoFoco::Instalar(c);

    connect(edtInscricao_, &QLineEdit::editingFinished, this, &TfrmEmpresas::edtInscricaoExit);
}

TfrmEmpresas::~TfrmEmpresas() = default;

void TfrmEmpresas::PrepararCombos()
{
    if (combosProntos_)
        return;
    PreencherCombo(sessao_, cmbUf_, "SELECT SG_UF FROM SFGTBT08_UNIDADE_FEDERACAO ORDER BY 1");
    PreencherComboZeros(sessao_, cmbCnae_,
                        "SELECT Cast(NU_IBGE AS CHAR(7))  AS NU_IBGE FROM SFGTBT03_ATIVIDADE_CNAE_NIVEL_5 ORDER BY 1", 7);
    PreencherCombo(sessao_, cmbFpas_, "SELECT NU_INSS FROM SFGTBT01_FPAS ORDER BY 1 ");
    PreencherCombo(sessao_, cmbSimples_,
                   "SELECT NU_SIMPLES || ' - ' || DE_SIMPLES AS ITEM, NU_SIMPLES FROM SFGTBT02_TIPO_OPCAO_SIMPLES "
                   "ORDER BY NU_SIMPLES");
    cmbCnae_->setEditText(QString());
    combosProntos_ = true;
}

void TfrmEmpresas::NovaEmpresa()
{
    PrepararCombos();
    DefinirModoEdicao(meInclusao);
    tipoCarregado_ = 0;
    numeroCarregado_ = 0;
    LimparCampos();
    cmbTipo_->setEnabled(true);
    edtInscricao_->setEnabled(true);
    EntrarEdicao(true);
    cmbTipo_->setFocus();
}

bool TfrmEmpresas::CarregarEmpresa(int tipo, qint64 numero)
{
    PrepararCombos();
    DefinirModoEdicao(meConsulta);
    tipoCarregado_ = 0;
    numeroCarregado_ = 0;
    if (!empresa_->ConsultarEmpresa(tipo, numero) || empresa_->Vazio()) {
        LimparCampos();
        return false;
    }
    tipoCarregado_ = tipo;
    numeroCarregado_ = numero;
    MostrarObjeto();
    return true;
}

void TfrmEmpresas::MostrarObjeto()
{
    TEmpresa& e = *empresa_;
    MostrarInscricao(cmbTipo_, edtInscricao_, e.TipoInscricao, e.Inscricao);
    Mostrar(edtRazao_, e.RazaoSocial);
    Mostrar(edtLogradouro_, e.Endereco().Logradouro);
    Mostrar(edtBairro_, e.Endereco().Bairro);
    Mostrar(edtCep_, e.Endereco().Cep);
    Mostrar(edtLocalidade_, e.Endereco().Localidade);
    Selecionar(cmbUf_, e.Endereco().Uf);
    Mostrar(edtDdd_, e.Ddd);
    Mostrar(edtTelefone_, e.Telefone);
    Selecionar(cmbCnae_, Aparar(e.Cnae).empty() ? std::string() : CompletarZeros(Aparar(e.Cnae), 7));
    Selecionar(cmbFpas_, e.Fpas);
    cmbSimples_->setCurrentIndex(-1);
    for (int i = 0; i < cmbSimples_->count(); ++i)
        if (cmbSimples_->itemText(i).startsWith(QString::number(e.Simples) + " - "))
            cmbSimples_->setCurrentIndex(i);
}

void TfrmEmpresas::CopiarParaObjeto()
{
    TEmpresa& e = *empresa_;
    e.TipoInscricao = static_cast<uint8_t>(TipoEscolhido(cmbTipo_));
    e.Inscricao = Digitos(edtInscricao_);
    e.RazaoSocial = Texto(edtRazao_);
    TEndereco& end = e.Endereco();
    end.Logradouro = Texto(edtLogradouro_);
    end.Bairro = Texto(edtBairro_);
    end.Cep = Digitos(edtCep_);
    end.Localidade = Texto(edtLocalidade_);
    end.Uf = Texto(cmbUf_);
    e.Ddd = Digitos(edtDdd_);
    e.Telefone = Digitos(edtTelefone_);
    e.Cnae = Texto(cmbCnae_);
    e.Fpas = Texto(cmbFpas_);
    // The option's code is the first character of the chosen item.
    e.Simples = cmbSimples_->currentIndex() < 0
                    ? 0
                    : static_cast<int16_t>(StrToInteiro(PrimeiroCaractere(Texto(cmbSimples_))));
}

bool TfrmEmpresas::Validar()
{
    CopiarParaObjeto();
    const CampoEmpresa campo = empresa_->ValidarCadastro();
    if (campo == CampoEmpresa::Nenhum)
        return true;
    QWidget* const widgets[] = {nullptr, cmbTipo_,       edtInscricao_, edtRazao_,   edtLogradouro_,
                                edtBairro_, edtCep_,     edtLocalidade_, cmbUf_,     edtDdd_,
                                edtTelefone_, cmbCnae_,  cmbFpas_,      cmbSimples_};
    MostrarFalha(kPrefixo, empresa_->CodigoMensagem, widgets[static_cast<int>(campo)]);
    return false;
}

void TfrmEmpresas::edtInscricaoExit()
{
    if (ModoEdicao() != meInclusao || !Editando())
        return;
    const int tipo = TipoEscolhido(cmbTipo_);
    const std::string digitos = Digitos(edtInscricao_);
    if (tipo == 0 || digitos.empty())
        return;
    TEstabelecimento existente(sessao_);
    if (!existente.ConsultarPorInscricao(tipo, StrToInteiro64(digitos))) {
        MostrarFalha(kPrefixo, existente.CodigoMensagem, edtInscricao_);
        return;
    }
    if (existente.Vazio())
        return;
    if (existente.EstadoEmpresa == "R") {
        // The responsible's own row: saving turns it into an employer that is also the responsible.
        MostrarInscricao(cmbTipo_, edtInscricao_, existente.TipoInscricao, existente.Inscricao);
        Mostrar(edtRazao_, existente.RazaoSocial);
        Mostrar(edtTelefone_, existente.Telefone);
        Mostrar(edtDdd_, existente.Ddd);
        Mostrar(edtLogradouro_, existente.Endereco().Logradouro);
        Mostrar(edtBairro_, existente.Endereco().Bairro);
        Mostrar(edtCep_, existente.Endereco().Cep);
        Mostrar(edtLocalidade_, existente.Endereco().Localidade);
        Selecionar(cmbUf_, existente.Endereco().Uf);
        cmbCnae_->setCurrentIndex(-1);
        cmbCnae_->setEditText(QString());
        cmbFpas_->setCurrentIndex(-1);
        cmbSimples_->setCurrentIndex(-1);
    } else {
        edtInscricao_->clear();
        MostrarFalha(kPrefixo, "0207", edtInscricao_);
    }
}

bool TfrmEmpresas::Gravar()
{
    TEmpresa& e = *empresa_;
    const bool nova = ModoEdicao() == meInclusao;
    if (!(nova ? e.Incluir() : e.Alterar())) {
        MostrarFalha(kPrefixo, e.CodigoMensagem.empty() ? "0144" : e.CodigoMensagem,
                     e.CodigoMensagem == "0207" ? edtInscricao_ : nullptr);
        return false;
    }
    const ChaveEstabelecimento chave = e.Chave();
    CarregarEmpresa(chave.Tipo, chave.Numero);
    emit empresaGravada(chave.Tipo, chave.Numero, nova);
    return true;
}

bool TfrmEmpresas::Excluir()
{
    if (numeroCarregado_ == 0)
        return false;
    TEmpresa& e = *empresa_;
    const std::string codigo = e.ContarVinculos(true) > 0 ? "0446" : e.ContarVinculos(false) > 0 ? "0002" : "0036";
    if (Mensagens().Mensagem(kPrefixo + codigo, mtConfirmation, Botoes::SimNao, mbNo) != mrYes)
        return false;
    // One transaction inside: a failure leaves every row in place and reaches the error handler.
    e.Excluir();
    const int tipo = tipoCarregado_;
    const qint64 numero = numeroCarregado_;
    tipoCarregado_ = 0;
    numeroCarregado_ = 0;
    LimparCampos();
    Mensagens().AvisarOperacao(kPrefixo, 2);
    emit empresaExcluida(tipo, numero);
    return true;
}

void TfrmEmpresas::btnAlterarClick()
{
    TFramePadrao::btnAlterarClick();
    // The key of a registered employer never changes.
    const bool chaveLivre = ModoEdicao() == meInclusao;
    cmbTipo_->setEnabled(chaveLivre);
    edtInscricao_->setEnabled(chaveLivre);
}

void TfrmEmpresas::btnSalvarClick()
{
    if (!Validar())
        return;
    if (Mensagens().Mensagem(std::string(kPrefixo) + "0035", mtConfirmation, Botoes::SimNao, mbYes) != mrYes)
        return;
    const int modo = ModoEdicao();
    if (!Gravar())
        return;
    Mensagens().AvisarOperacao(kPrefixo, modo == meInclusao ? 0 : 1);
    TFramePadrao::btnSalvarClick();
}

void TfrmEmpresas::btnCancelarClick()
{
    TFramePadrao::btnCancelarClick();
    if (numeroCarregado_ != 0)
        CarregarEmpresa(tipoCarregado_, numeroCarregado_);
    else
        LimparCampos();
}

void TfrmEmpresas::btnExcluirClick() { Excluir(); }

} // namespace drav
