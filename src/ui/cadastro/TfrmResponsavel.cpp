#include "ui/cadastro/TfrmResponsavel.h"

#include "core/Mensagens.h"
#include "model/Responsavel.h"
#include "ui/cadastro/CamposCadastro.h"
#include "ui/comum/Combos.h"
#include "ui/comum/Teclado.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

namespace drav {

namespace {
const char* const kPrefixo = "00";
} // namespace

TfrmResponsavel::TfrmResponsavel(TDBUtils& sessao, TMensagens& mensagens, QWidget* parent)
    : TFramePadrao("Cadastro de Responsável", mensagens, parent), sessao_(sessao),
      responsavel_(std::make_unique<TResponsavel>(sessao))
{
    setObjectName("frmResponsavel");
    responsavel_->CarregaRelacionados = false;
    QWidget* c = Corpo();
    edtInscricao_ = new QLineEdit(c);
    edtInscricao_->setObjectName("edtInscricao");
    cmbTipo_ = ComboTipoInscricao(c, edtInscricao_);
    edtRazao_ = CampoCodigo(c, "edtRazaoSocial", 40);
    edtContato_ = CampoNome(c, "edtNomeContato", 40);
    edtDdd_ = CampoDigitos(c, "edtDdd", 4);
    edtTelefone_ = CampoDigitos(c, "edtTelefone", 8);
    edtEmail_ = CampoLivre(c, "edtEmail", 60);
    edtLogradouro_ = CampoCodigo(c, "edtLogradouro", 50);
    edtBairro_ = CampoCodigo(c, "edtBairro", 20);
    edtCep_ = CampoCep(c, "edtCep");
    edtLocalidade_ = CampoCodigo(c, "edtLocalidade", 20);
    cmbUf_ = new QComboBox(c);
    cmbUf_->setObjectName("cmbUf");

    auto* g = new QGridLayout(c);
    auto rotulo = [c](const char* texto) { return new QLabel(QString::fromUtf8(texto), c); };
    g->addWidget(rotulo("Tipo de Inscrição:"), 0, 0);
    g->addWidget(cmbTipo_, 0, 1);
    g->addWidget(rotulo("Inscrição:"), 0, 2);
    g->addWidget(edtInscricao_, 0, 3);
    g->addWidget(rotulo("Razão Social:"), 1, 0);
    g->addWidget(edtRazao_, 1, 1, 1, 3);
    g->addWidget(rotulo("Nome do Contato:"), 2, 0);
    g->addWidget(edtContato_, 2, 1, 1, 3);
    g->addWidget(rotulo("DDD:"), 3, 0);
    g->addWidget(edtDdd_, 3, 1);
    g->addWidget(rotulo("Telefone:"), 3, 2);
    g->addWidget(edtTelefone_, 3, 3);
    g->addWidget(rotulo("E-mail:"), 4, 0);
    g->addWidget(edtEmail_, 4, 1, 1, 3);
    g->addWidget(rotulo("Logradouro:"), 5, 0);
    g->addWidget(edtLogradouro_, 5, 1, 1, 3);
    g->addWidget(rotulo("Bairro:"), 6, 0);
    g->addWidget(edtBairro_, 6, 1);
    g->addWidget(rotulo("CEP:"), 6, 2);
    g->addWidget(edtCep_, 6, 3);
    g->addWidget(rotulo("Município:"), 7, 0);
    g->addWidget(edtLocalidade_, 7, 1);
    g->addWidget(rotulo("UF:"), 7, 2);
    g->addWidget(cmbUf_, 7, 3);
    g->setColumnStretch(1, 1);
    g->setColumnStretch(3, 1);
    g->setRowStretch(8, 1);
    TAvancoFoco::Instalar(c);
}

TfrmResponsavel::~TfrmResponsavel() = default;

void TfrmResponsavel::PrepararCombos()
{
    if (combosProntos_)
        return;
    PreencherCombo(sessao_, cmbUf_, "SELECT SG_UF FROM SFGTBT08_UNIDADE_FEDERACAO ORDER BY 1");
    combosProntos_ = true;
}

void TfrmResponsavel::NovoCadastro()
{
    PrepararCombos();
    DefinirModoEdicao(meInclusao);
    LimparCampos();
    EntrarEdicao(true);
    cmbTipo_->setFocus();
}

void TfrmResponsavel::Carregar()
{
    PrepararCombos();
    responsavel_->ConsultarResponsavel();
    MostrarObjeto();
}

void TfrmResponsavel::MostrarObjeto()
{
    TResponsavel& r = *responsavel_;
    MostrarInscricao(cmbTipo_, edtInscricao_, r.TipoInscricao, r.Inscricao);
    Mostrar(edtRazao_, r.RazaoSocial);
    Mostrar(edtContato_, r.NomeContato);
    Mostrar(edtDdd_, r.Ddd);
    Mostrar(edtTelefone_, r.Telefone);
    Mostrar(edtEmail_, r.Email);
    Mostrar(edtLogradouro_, r.Endereco().Logradouro);
    Mostrar(edtBairro_, r.Endereco().Bairro);
    Mostrar(edtCep_, r.Endereco().Cep);
    Mostrar(edtLocalidade_, r.Endereco().Localidade);
    Selecionar(cmbUf_, r.Endereco().Uf);
}

void TfrmResponsavel::CopiarParaObjeto()
{
    TResponsavel& r = *responsavel_;
    r.TipoInscricao = static_cast<uint8_t>(TipoEscolhido(cmbTipo_));
    r.Inscricao = Digitos(edtInscricao_);
    r.RazaoSocial = Texto(edtRazao_);
    r.NomeContato = Texto(edtContato_);
    r.Ddd = Digitos(edtDdd_);
    r.Telefone = Digitos(edtTelefone_);
    r.Email = Texto(edtEmail_);
    TEndereco& e = r.Endereco();
    e.Logradouro = Texto(edtLogradouro_);
    e.Bairro = Texto(edtBairro_);
    e.Cep = Digitos(edtCep_);
    e.Localidade = Texto(edtLocalidade_);
    e.Uf = Texto(cmbUf_);
}

bool TfrmResponsavel::Validar()
{
    CopiarParaObjeto();
    using C = CampoResponsavel;
    const C campo = responsavel_->ValidarCadastro();
    if (campo == C::Nenhum)
        return true;
    QWidget* const widgets[] = {nullptr,        cmbTipo_,       edtInscricao_, edtRazao_, edtContato_,
                                edtDdd_,        edtTelefone_,   edtEmail_,     edtLogradouro_, edtBairro_,
                                edtCep_,        edtLocalidade_, cmbUf_};
    MostrarFalha(kPrefixo, responsavel_->CodigoMensagem, widgets[static_cast<int>(campo)]);
    return false;
}

bool TfrmResponsavel::Gravar()
{
    TResponsavel& r = *responsavel_;
    if (ModoEdicao() == meInclusao) {
        r.Incluir();
    } else {
        if (!r.Salvar()) {
            MostrarFalha(kPrefixo, r.CodigoMensagem.empty() ? "0144" : r.CodigoMensagem);
            return false;
        }
        r.ConsultarResponsavel();
        MostrarObjeto();
    }
    emit responsavelGravado();
    return true;
}

void TfrmResponsavel::btnSalvarClick()
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

void TfrmResponsavel::btnCancelarClick()
{
    TFramePadrao::btnCancelarClick();
    Carregar();
}

} // namespace drav
