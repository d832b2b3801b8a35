#include "ui/enviados/TfrmArquivosEnviadosQueld.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "files/Protocolo.h"
#include "ui/comum/Pesquisas.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <cctype>
#include <string>

namespace drav {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// File type of the payment files; it has no name of its own in the register yet.
constexpr int ArquivoPagamento = 9;
const char* const kIndisponivel = "Disponível em uma próxima versão do DRAV.";
// Where a cell keeps the value it sorts by when its text does not sort (dates, amounts).
constexpr int kPapelOrdem = Qt::UserRole;

// Sorts by the kept value when the column has one, else by the text.
class TItemOrdenavel : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& outro) const override
    {
        const int coluna = treeWidget() ? treeWidget()->sortColumn() : 0;
        const QVariant a = data(coluna, kPapelOrdem), b = outro.data(coluna, kPapelOrdem);
        if (a.isValid() && b.isValid())
            return a.toDouble() < b.toDouble();
        return text(coluna).localeAwareCompare(outro.text(coluna)) < 0;
    }
};

QTreeWidget* NovaGrade(QWidget* pai, const QString& nome, const QStringList& titulos)
{
    auto* g = new QTreeWidget(pai);
    g->setObjectName(nome);
    g->setColumnCount(static_cast<int>(titulos.size()));
    g->setHeaderLabels(titulos);
    g->setRootIsDecorated(false);
    g->setUniformRowHeights(true);
    g->setAllColumnsShowFocus(true);
    g->setSelectionMode(QAbstractItemView::SingleSelection);
    // Rows stay in the order they were read until a column title is clicked.
    g->header()->setSortIndicator(-1, Qt::AscendingOrder);
    g->setSortingEnabled(true);
    g->header()->setSectionResizeMode(QHeaderView::Interactive);
    return g;
}

void Data(QTreeWidgetItem* item, int coluna, TDateTime data)
{
    const bool tem = data > 0;
    item->setText(coluna, tem ? Q(FormatarData(data)) : QString());
    item->setData(coluna, kPapelOrdem, tem ? data : 0.0);
}

// The answered and rejected pictures: a green tick and a red cross.
QIcon Figura(bool atendido)
{
    QPixmap p(16, 16);
    p.fill(Qt::transparent);
    QPainter pintor(&p);
    pintor.setRenderHint(QPainter::Antialiasing);
    pintor.setPen(Qt::NoPen);
    pintor.setBrush(atendido ? QColor(0x2e, 0x8b, 0x3a) : QColor(0xc6, 0x28, 0x28));
    pintor.drawEllipse(1, 1, 14, 14);
    pintor.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    if (atendido) {
        pintor.drawPolyline(QPolygonF({QPointF(4.5, 8.5), QPointF(7, 11), QPointF(11.5, 5)}));
    } else {
        pintor.drawLine(QPointF(5, 5), QPointF(11, 11));
        pintor.drawLine(QPointF(11, 5), QPointF(5, 11));
    }
    return QIcon(p);
}

std::string Inscricao(int tipo, const std::string& numero)
{
    return tipo == 1 ? FormatarCNPJ(numero) : numero;
}

// Text of the answer after the tag, up to the first blank.
std::string ValorPesquisa(const std::string& resto)
{
    const std::string aparado = Aparar(resto);
    return aparado.substr(0, aparado.find(' '));
}

bool SoNumeros(const std::string& s)
{
    if (s.empty() || s.size() > 18)
        return false;
    for (unsigned char c : s)
        if (!std::isdigit(c))
            return false;
    return true;
}

bool ComecaCom(const QString& texto, const std::string& inicio)
{
    return !inicio.empty() && texto.startsWith(Q(inicio), Qt::CaseInsensitive);
}

} // namespace

TfrmArquivosEnviadosQueld::TfrmArquivosEnviadosQueld(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai)
    : QDialog(pai), sessao_(sessao), mensagens_(mensagens), protocolo_(std::make_unique<TProtocolo>(sessao))
{
    setObjectName(QStringLiteral("frmArquivosEnviadosQueld"));
    setWindowTitle(QString::fromUtf8("Consulta de Arquivos Gerados para Envio à QUELD"));
    setModal(true);
    resize(900, 480);

    pgcPaginas_ = new QTabWidget(this);

    // --- file list ---
    auto* paginaLista = new QWidget(pgcPaginas_);
    lstArquivos_ = NovaGrade(paginaLista, QStringLiteral("lstArquivos"),
                             {QString(), QStringLiteral("Arquivo"), QString::fromUtf8("Data de Geração"),
                              QStringLiteral("Nome do Arquivo"), QStringLiteral("NU_ARQUIVO"),
                              QStringLiteral("CO_PROTOCOLO"), QStringLiteral("NU_IDENTIFICADOR_ARQUIVO"),
                              QStringLiteral("IC_ARQUIVO_VALIDO"), QStringLiteral("IC_ARQUIVO_ATENDIDO"),
                              QStringLiteral("DT_GERACAO")});
    for (int c = cTipo; c < cTotalColunasArquivo; ++c)
        lstArquivos_->setColumnHidden(c, true);
    lstArquivos_->header()->resizeSection(cSituacao, 28);
    lstArquivos_->header()->resizeSection(cArquivo, 220);
    lstArquivos_->header()->resizeSection(cGeracao, 140);
    lstArquivos_->header()->setStretchLastSection(false);
    lstArquivos_->header()->setSectionResizeMode(cNome, QHeaderView::Stretch);
    (new QVBoxLayout(paginaLista))->addWidget(lstArquivos_);
    pgcPaginas_->addTab(paginaLista, QStringLiteral("Controle de Arquivos"));

    // --- details ---
    auto* paginaDetalhes = new QWidget(pgcPaginas_);
    auto* vDet = new QVBoxLayout(paginaDetalhes);
    auto* cabecalho = new QHBoxLayout;
    lblArquivo_ = new QLabel(paginaDetalhes);
    lblArquivo_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    lblGeracao_ = new QLabel(paginaDetalhes);
    lblProtocolo_ = new QLabel(paginaDetalhes);
    lblRecolhimento_ = new QLabel(paginaDetalhes);
    // The path gets a line of its own: it is usually longer than the window.
    vDet->addWidget(lblArquivo_);
    cabecalho->addWidget(lblGeracao_);
    cabecalho->addSpacing(24);
    cabecalho->addWidget(lblProtocolo_);
    cabecalho->addSpacing(24);
    cabecalho->addWidget(lblRecolhimento_);
    cabecalho->addStretch(1);
    vDet->addLayout(cabecalho);

    pgcDetalhes_ = new QTabWidget(paginaDetalhes);
    auto* abaEmpresa = new QWidget(pgcDetalhes_);
    lstEmpresas_ = NovaGrade(abaEmpresa, QStringLiteral("lstEmpresas"),
                             {QString::fromUtf8("Inscrição"), QString::fromUtf8("Razão Social"),
                              QStringLiteral("Data de Processamento"), QStringLiteral("Valor Total"),
                              QString::fromUtf8("Código de Barras"), QStringLiteral("Data Recolhimento"),
                              QStringLiteral("NU_INSCRICAO_ENVIO")});
    lstEmpresas_->setColumnHidden(ceNumero, true);
    lstEmpresas_->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    lstEmpresas_->header()->setMinimumSectionSize(90);
    (new QVBoxLayout(abaEmpresa))->addWidget(lstEmpresas_);
    pgcDetalhes_->addTab(abaEmpresa, QStringLiteral("Empresa"));

    auto* abaTrabalhador = new QWidget(pgcDetalhes_);
    auto* vTrab = new QVBoxLayout(abaTrabalhador);
    lblEmpresa_ = new QLabel(abaTrabalhador);
    vTrab->addWidget(lblEmpresa_);
    lstTrabalhadores_ = NovaGrade(abaTrabalhador, QStringLiteral("lstTrabalhadores"),
                                  {QStringLiteral("PIS/PASEP"), QStringLiteral("Nome"), QString::fromUtf8("Admissão"),
                                   QStringLiteral("Valor"), QStringLiteral("NU_PIS_ENVIO")});
    lstTrabalhadores_->setColumnHidden(ctNumero, true);
    lstTrabalhadores_->header()->resizeSection(ctPis, 120);
    lstTrabalhadores_->header()->resizeSection(ctNome, 260);
    vTrab->addWidget(lstTrabalhadores_);
    pgcDetalhes_->addTab(abaTrabalhador, QStringLiteral("Trabalhador"));
    vDet->addWidget(pgcDetalhes_);
    pgcPaginas_->addTab(paginaDetalhes, QStringLiteral("Detalhes"));

    // --- buttons ---
    auto* botoes = new QHBoxLayout;
    auto botao = [this, botoes](const QString& texto, const QString& nome) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(nome);
        b->setAutoDefault(false);
        botoes->addWidget(b);
        return b;
    };
    btnDetalhes_ = botao(QStringLiteral("&Detalhes"), QStringLiteral("btnDetalhes"));
    btnExcluir_ = botao(QStringLiteral("Excl&uir"), QStringLiteral("btnExcluir"));
    btnSalvar_ = botao(QStringLiteral("&Salvar Arquivo"), QStringLiteral("btnSalvarArquivo"));
    btnLocalizar_ = botao(QStringLiteral("&Localizar"), QStringLiteral("btnLocalizar"));
    btnImprimir_ = botao(QStringLiteral("&Imprimir"), QStringLiteral("btnImprimir"));
    botoes->addStretch(1);
    btnFechar_ = botao(QStringLiteral("&Fechar"), QStringLiteral("btnFechar"));
    // Saving a rescission file's envelope again and the printed listings come with later work.
    for (QPushButton* b : {btnSalvar_, btnImprimir_}) {
        b->setEnabled(false);
        b->setToolTip(QString::fromUtf8(kIndisponivel));
    }

    auto* v = new QVBoxLayout(this);
    v->addWidget(pgcPaginas_);
    v->addLayout(botoes);

    EscolherArquivo = [this](const std::vector<std::string>& opcoes) {
        QStringList itens;
        for (const std::string& o : opcoes)
            itens << Q(o);
        bool ok = false;
        const QString escolhido = QInputDialog::getItem(this, QString::fromUtf8("Seleção de Arquivo"),
                                                        QStringLiteral("Arquivo:"), itens, 0, false, &ok);
        return ok ? static_cast<int>(itens.indexOf(escolhido)) : -1;
    };
    PedirPesquisa = [this](int contexto) {
        if (contexto == pqTrabalhadores)
            return PesquisarTrabalhador(this);
        if (contexto == pqEmpresas)
            return PesquisarEmpresa(2, this);
        return PesquisarProtocolo({}, 2, this);
    };

    connect(lstArquivos_, &QTreeWidget::itemDoubleClicked, this, [this] { Detalhes(); });
    connect(lstArquivos_, &QTreeWidget::currentItemChanged, this, [this] { AtualizarBotoes(); });
    connect(btnDetalhes_, &QPushButton::clicked, this, [this] { Detalhes(); });
    connect(btnExcluir_, &QPushButton::clicked, this, [this] { Excluir(); });
    connect(btnLocalizar_, &QPushButton::clicked, this, &TfrmArquivosEnviadosQueld::btnLocalizarClick);
    connect(btnFechar_, &QPushButton::clicked, this, &QDialog::accept);
    connect(pgcPaginas_, &QTabWidget::currentChanged, this, &TfrmArquivosEnviadosQueld::PaginaMudou);
    connect(pgcDetalhes_, &QTabWidget::currentChanged, this, &TfrmArquivosEnviadosQueld::AbaDetalhesMudou);

    CarregarArquivos();
    AtualizarBotoes();
    if (lstArquivos_->topLevelItemCount() == 0)
        mensagens_.Mensagem("AE0310", mtInformation, Botoes::OK, mbOK);
}

TfrmArquivosEnviadosQueld::~TfrmArquivosEnviadosQueld() = default;

void TfrmArquivosEnviadosQueld::CarregarArquivos()
{
    lstArquivos_->clear();
    protocolo_->ListarPorTipo({ArquivoRescisorio, ArquivoReenvioGuias, ArquivoSolicitacaoSaldo, ArquivoPagamento});
    TResultado& r = protocolo_->DataSet();
    const QIcon atendido = Figura(true), rejeitado = Figura(false);
    for (r.First(); !r.Eof(); r.Next()) {
        auto* item = new TItemOrdenavel(lstArquivos_);
        const std::string valido = Aparar(r.FieldByName("IC_ARQUIVO_VALIDO").AsString());
        const std::string respondido = Aparar(r.FieldByName("IC_ARQUIVO_ATENDIDO").AsString());
        if (respondido == "S" && (valido == "S" || valido == "N")) {
            item->setIcon(cSituacao, valido == "S" ? atendido : rejeitado);
            item->setToolTip(cSituacao, valido == "S" ? QStringLiteral("Atendido") : QStringLiteral("Rejeitado"));
            item->setData(cSituacao, kPapelOrdem, valido == "S" ? 1 : 2);
        } else {
            item->setData(cSituacao, kPapelOrdem, 0);
        }
        item->setText(cArquivo, Q(Aparar(r.FieldByName("DE_ARQUIVO").AsString())));
        const TDateTime geracao = r.FieldByName("DT_GERACAO_ARQUIVO").AsDateTime();
        const bool temGeracao = geracao > 0;
        item->setText(cGeracao, temGeracao ? Q(FormatarDataHora("dd/mm/yyyy hh:nn:ss", geracao)) : QString());
        item->setData(cGeracao, kPapelOrdem, temGeracao ? geracao : 0.0);
        item->setText(cGeracaoCompleta,
                      temGeracao ? Q(FormatarDataHora("dd/mm/yyyy hh:nn:ss,zzz", geracao)) : QString());
        item->setData(cGeracaoCompleta, kPapelOrdem, temGeracao ? geracao : 0.0);
        const QString nome = Q(r.FieldByName("NM_ARQUIVO").AsString());
        item->setText(cNome, nome);
        item->setToolTip(cNome, nome);
        item->setText(cTipo, QString::number(r.FieldByName("NU_ARQUIVO").AsInteger()));
        item->setText(cProtocolo, Q(Aparar(r.FieldByName("CO_PROTOCOLO").AsString())));
        item->setText(cIdentificador, Q(Aparar(r.FieldByName("NU_IDENTIFICADOR_ARQUIVO").AsString())));
        item->setText(cValido, Q(valido));
        item->setText(cAtendido, Q(respondido));
    }
    if (lstArquivos_->topLevelItemCount() > 0)
        lstArquivos_->setCurrentItem(lstArquivos_->topLevelItem(0));
}

int TfrmArquivosEnviadosQueld::TipoSelecionado() const
{
    const QTreeWidgetItem* item = lstArquivos_->currentItem();
    return item ? item->text(cTipo).toInt() : 0;
}

void TfrmArquivosEnviadosQueld::AtualizarBotoes()
{
    const bool lista = pgcPaginas_->currentIndex() == 0;
    btnDetalhes_->setVisible(lista);
    btnExcluir_->setVisible(lista);
    btnSalvar_->setVisible(lista && TipoSelecionado() == ArquivoRescisorio);
}

bool TfrmArquivosEnviadosQueld::Detalhes()
{
    auto voltar = [this] {
        trocandoPagina_ = true;
        pgcPaginas_->setCurrentIndex(0);
        trocandoPagina_ = false;
        AtualizarBotoes();
        return false;
    };
    QTreeWidgetItem* item = lstArquivos_->currentItem();
    if (!item) {
        mensagens_.Mensagem("AE0299", mtWarning, Botoes::OK, mbOK);
        return voltar();
    }
    const std::string identificador = item->text(cIdentificador).toStdString();
    const int tipo = item->text(cTipo).toInt();
    if (identificador != arquivoDetalhado_) {
        lstEmpresas_->clear();
        lstTrabalhadores_->clear();
        arquivoDetalhado_.clear();
        empresaDetalhada_.clear();
        auto r = protocolo_->ListarEnvioEmpresas(identificador);
        TDateTime recolhimento = 0;
        for (r->First(); !r->Eof(); r->Next()) {
            auto* e = new TItemOrdenavel(lstEmpresas_);
            const int tipoInscricao = r->FieldByName("NU_TIPO_INSCRICAO_ENVIO").AsInteger();
            const std::string numero = r->FieldByName("NU_INSCRICAO_ENVIO").AsString();
            e->setText(ceInscricao, Q(Inscricao(tipoInscricao, numero)));
            e->setData(ceInscricao, kPapelOrdem, tipoInscricao * 1e15 + static_cast<double>(SoNumeros(numero) ? std::stoll(numero) : 0));
            e->setText(ceRazao, Q(Aparar(r->FieldByName("NO_RAZAO_SOCIAL").AsString())));
            Data(e, ceProcessamento, r->FieldByName("DT_PROCESSAMENTO").AsDateTime());
            const bool temValor = !r->FieldByName("VR_TOTAL_RECOLHIDO").IsNull();
            const double valor = r->FieldByName("VR_TOTAL_RECOLHIDO").AsFloat();
            e->setText(ceValor, temValor ? Q(FormatarValor(valor)) : QString());
            e->setData(ceValor, kPapelOrdem, valor);
            e->setTextAlignment(ceValor, Qt::AlignRight | Qt::AlignVCenter);
            e->setText(ceBarras, Q(Aparar(r->FieldByName("CO_BARRAS_ENVIO_EMPRESA").AsString())));
            recolhimento = r->FieldByName("DT_RECOLHIMENTO_ENVIO_EMPRESA").AsDateTime();
            Data(e, ceRecolhimento, recolhimento);
            e->setText(ceNumero, Q(numero));
            e->setData(ceNumero, kPapelOrdem, tipoInscricao);
        }
        if (lstEmpresas_->topLevelItemCount() == 0) {
            mensagens_.Mensagem("AE0297", mtWarning, Botoes::OK, mbOK);
            return voltar();
        }
        arquivoDetalhado_ = identificador;
        lstEmpresas_->setCurrentItem(lstEmpresas_->topLevelItem(0));

        lstEmpresas_->headerItem()->setText(ceProcessamento, tipo == ArquivoPagamento
                                                                 ? QStringLiteral("Data de Pagamento")
                                                                 : QStringLiteral("Data de Processamento"));
        lstTrabalhadores_->setColumnHidden(ctValor, tipo != ArquivoRescisorio);
        lblArquivo_->setText(QStringLiteral("Arquivo: ") + item->text(cNome));
        lblArquivo_->setToolTip(item->text(cNome));
        lblGeracao_->setText(QString::fromUtf8("Data de Geração: ") + item->text(cGeracao));
        lblProtocolo_->setText(QStringLiteral("Protocolo: ") + item->text(cProtocolo));
        lblProtocolo_->setVisible(tipo != ArquivoReenvioGuias && tipo != ArquivoSolicitacaoSaldo);
        lblRecolhimento_->setText(QStringLiteral("Data de Recolhimento: ") +
                                  (recolhimento > 0 ? Q(FormatarData(recolhimento)) : QString()));
        lblRecolhimento_->setVisible(tipo == ArquivoRescisorio || tipo == ArquivoPagamento);
        pgcDetalhes_->setTabVisible(1, tipo != ArquivoReenvioGuias);
    }
    trocandoPagina_ = true;
    pgcDetalhes_->setCurrentIndex(0);
    pgcPaginas_->setCurrentIndex(1);
    trocandoPagina_ = false;
    AtualizarBotoes();
    return true;
}

void TfrmArquivosEnviadosQueld::PaginaMudou(int indice)
{
    if (!trocandoPagina_ && indice == 1)
        Detalhes();
    AtualizarBotoes();
}

void TfrmArquivosEnviadosQueld::AbaDetalhesMudou(int indice)
{
    if (trocandoPagina_ || indice != 1)
        return;
    if (!lstEmpresas_->currentItem()) {
        mensagens_.Mensagem("AE0229", mtWarning, Botoes::OK, mbOK);
        trocandoPagina_ = true;
        pgcDetalhes_->setCurrentIndex(0);
        trocandoPagina_ = false;
        return;
    }
    CarregarTrabalhadores();
}

void TfrmArquivosEnviadosQueld::CarregarTrabalhadores()
{
    const QTreeWidgetItem* empresa = lstEmpresas_->currentItem();
    if (!empresa)
        return;
    const std::string numero = empresa->text(ceNumero).toStdString();
    const std::string chave = arquivoDetalhado_ + "|" + empresa->data(ceNumero, kPapelOrdem).toString().toStdString() +
                              "|" + numero;
    if (chave == empresaDetalhada_)
        return;
    lstTrabalhadores_->clear();
    lblEmpresa_->setText(QStringLiteral("Empresa: ") + empresa->text(ceInscricao) + QStringLiteral(" - ") +
                         empresa->text(ceRazao));
    auto r = protocolo_->ListarEnvioEmpregados(arquivoDetalhado_, numero);
    const int tipoInscricao = empresa->data(ceNumero, kPapelOrdem).toInt();
    for (r->First(); !r->Eof(); r->Next()) {
        // The same number may belong to a CNPJ and a CEI; the grid shows the selected employer's.
        if (r->FieldByName("NU_TIPO_INSCRICAO_ENVIO").AsInteger() != tipoInscricao)
            continue;
        auto* t = new TItemOrdenavel(lstTrabalhadores_);
        const std::string pis = r->FieldByName("NU_PIS_ENVIO").AsString();
        t->setText(ctPis, Q(FormatarPIS(pis)));
        t->setText(ctNome, Q(Aparar(r->FieldByName("NO_EMPREGADO").AsString())));
        Data(t, ctAdmissao, r->FieldByName("DT_ADMISSAO_ENVIO").AsDateTime());
        const double valor = r->FieldByName("VR_TOTAL_RECOLHIDO").AsFloat();
        t->setText(ctValor, r->FieldByName("VR_TOTAL_RECOLHIDO").IsNull() ? QString() : Q(FormatarValor(valor)));
        t->setData(ctValor, kPapelOrdem, valor);
        t->setTextAlignment(ctValor, Qt::AlignRight | Qt::AlignVCenter);
        t->setText(ctNumero, Q(pis));
    }
    if (lstTrabalhadores_->topLevelItemCount() > 0)
        lstTrabalhadores_->setCurrentItem(lstTrabalhadores_->topLevelItem(0));
    empresaDetalhada_ = chave;
}

bool TfrmArquivosEnviadosQueld::Excluir()
{
    if (pgcPaginas_->currentIndex() != 0)
        return false;
    QTreeWidgetItem* item = lstArquivos_->currentItem();
    if (!item) {
        mensagens_.Mensagem("AE0299", mtWarning, Botoes::OK, mbOK);
        return false;
    }
    if (mensagens_.Mensagem("AE0036", mtConfirmation, Botoes::SimNao, mbNo) != mrYes)
        return false;

    const std::string identificador = item->text(cIdentificador).toStdString();
    bool excluido = false;
    try {
        TTransacao transacao(sessao_);
        // The totalizing guides the file produced go with it.
        sessao_.ExecutarSQL("DELETE FROM SFGTBG08_GUIA_TOTALIZADORA WHERE NU_IDENTIFICADOR_ARQUIVO = " +
                            SqlTexto(identificador));
        protocolo_->Identificador = identificador;
        excluido = protocolo_->Excluir();
        if (excluido)
            transacao.Confirmar();
        else
            transacao.Desfazer();
    } catch (const EBancoDados&) {
        excluido = false; // the guard has rolled back
    }
    if (!excluido) {
        mensagens_.Mensagem("AE0258", mtError, Botoes::OK, mbOK);
        return false;
    }
    delete item;
    if (identificador == arquivoDetalhado_) {
        arquivoDetalhado_.clear();
        empresaDetalhada_.clear();
        lstEmpresas_->clear();
        lstTrabalhadores_->clear();
    }
    AtualizarBotoes();
    mensagens_.Mensagem("AE0068", mtInformation, Botoes::OK, mbOK);
    return true;
}

void TfrmArquivosEnviadosQueld::btnLocalizarClick()
{
    int contexto = pqArquivos;
    if (pgcPaginas_->currentIndex() == 1)
        contexto = pgcDetalhes_->currentIndex() == 1 ? pqTrabalhadores : pqEmpresas;
    const std::string resposta = PedirPesquisa ? PedirPesquisa(contexto) : std::string();
    if (!resposta.empty())
        Localizar(resposta);
}

QTreeWidgetItem* TfrmArquivosEnviadosQueld::ItemArquivo(const std::string& valor, int coluna) const
{
    for (int i = 0; i < lstArquivos_->topLevelItemCount(); ++i)
        if (lstArquivos_->topLevelItem(i)->text(coluna).toStdString() == valor)
            return lstArquivos_->topLevelItem(i);
    return nullptr;
}

bool TfrmArquivosEnviadosQueld::SelecionarEmpresa(const std::string& inscricao, const std::string& nome)
{
    for (int i = 0; i < lstEmpresas_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* e = lstEmpresas_->topLevelItem(i);
        const bool achou = inscricao.empty()
                               ? ComecaCom(e->text(ceRazao), nome)
                               : (e->text(ceInscricao).toStdString() == FormatarCNPJ(inscricao) ||
                                  e->text(ceNumero).toStdString() == inscricao ||
                                  e->text(ceInscricao).toStdString() == inscricao);
        if (achou) {
            lstEmpresas_->setCurrentItem(e);
            return true;
        }
    }
    return false;
}

bool TfrmArquivosEnviadosQueld::SelecionarTrabalhador(const std::string& pis, const std::string& nome)
{
    for (int i = 0; i < lstTrabalhadores_->topLevelItemCount(); ++i) {
        QTreeWidgetItem* t = lstTrabalhadores_->topLevelItem(i);
        const bool achou = pis.empty() ? ComecaCom(t->text(ctNome), nome)
                                       : (t->text(ctPis).toStdString() == FormatarPIS(pis) ||
                                          t->text(ctNumero).toStdString() == pis);
        if (achou) {
            lstTrabalhadores_->setCurrentItem(t);
            return true;
        }
    }
    return false;
}

std::string TfrmArquivosEnviadosQueld::ArquivoDaPesquisa(bool trabalhador, bool porNome, const std::string& valor)
{
    // Only digits reach a numeric column; a name goes in as a quoted text.
    if (!porNome && !SoNumeros(valor))
        return {};
    const std::string tabela = trabalhador ? "SFGTBG16_ENVIO_EMPREGADO" : "SFGTBG15_ENVIO_EMPRESA";
    const std::string coluna = trabalhador ? (porNome ? "NO_EMPREGADO" : "NU_PIS_ENVIO")
                                           : (porNome ? "NO_RAZAO_SOCIAL" : "NU_INSCRICAO_ENVIO");
    const std::string condicao = porNome ? "UPPER(ENV." + coluna + ") STARTING WITH UPPER(" + SqlTexto(valor) + ")"
                                         : "ENV." + coluna + " = " + valor;
    // Files that were never sent all have an empty protocol code, so the file is told by its
    // identifier.
    auto r = sessao_.AbrirConsulta(
        "SELECT DISTINCT TIPARQ.DE_ARQUIVO, ARQ.CO_PROTOCOLO, ARQ.NU_IDENTIFICADOR_ARQUIVO, ARQ.DT_GERACAO_ARQUIVO "
        "FROM " + tabela + " ENV JOIN SFGTBG13_ARQUIVO ARQ ON ENV.NU_IDENTIFICADOR_ARQUIVO = "
        "ARQ.NU_IDENTIFICADOR_ARQUIVO JOIN SFGTBT12_TIPO_ARQUIVO TIPARQ ON ARQ.NU_ARQUIVO = TIPARQ.NU_ARQUIVO "
        "WHERE " + condicao + " ORDER BY TIPARQ.DE_ARQUIVO, ARQ.CO_PROTOCOLO, ARQ.DT_GERACAO_ARQUIVO");
    std::vector<std::string> identificadores, opcoes;
    for (r->First(); !r->Eof(); r->Next()) {
        const std::string id = Aparar(r->FieldByName("NU_IDENTIFICADOR_ARQUIVO").AsString());
        if (!ItemArquivo(id, cIdentificador))
            continue; // a file type this window does not list
        identificadores.push_back(id);
        const std::string protocolo = Aparar(r->FieldByName("CO_PROTOCOLO").AsString());
        const TDateTime geracao = r->FieldByName("DT_GERACAO_ARQUIVO").AsDateTime();
        opcoes.push_back(Aparar(r->FieldByName("DE_ARQUIVO").AsString()) + " - " +
                         (protocolo.empty() ? FormatarDataHora("dd/mm/yyyy hh:nn:ss", geracao) : protocolo));
    }
    if (identificadores.size() == 1)
        return identificadores.front();
    if (identificadores.empty() || !EscolherArquivo)
        return {};
    const int escolha = EscolherArquivo(opcoes);
    return escolha >= 0 && escolha < static_cast<int>(identificadores.size())
               ? identificadores[static_cast<std::size_t>(escolha)]
               : std::string();
}

bool TfrmArquivosEnviadosQueld::Localizar(const std::string& pesquisa)
{
    const std::size_t traco = pesquisa.find('-');
    if (traco == std::string::npos)
        return false;
    const std::string etiqueta = pesquisa.substr(0, traco);
    const std::string valor = ValorPesquisa(pesquisa.substr(traco + 1));
    const bool naLista = pgcPaginas_->currentIndex() == 0;
    const bool naAbaTrabalhador = !naLista && pgcDetalhes_->currentIndex() == 1;
    const bool porNome = etiqueta == "RAZAO" || etiqueta == "NOME";
    const bool trabalhador = etiqueta == "PIS/PASEP" || etiqueta == "NOME";
    auto naoEncontrado = [this] {
        mensagens_.Mensagem("AE0092", mtInformation, Botoes::OK, mbOK);
        return false;
    };

    if (etiqueta == "PROTOCOLO") {
        QTreeWidgetItem* item = valor.empty() ? nullptr : ItemArquivo(valor, cProtocolo);
        if (!item) {
            mensagens_.Mensagem("AE0348", mtInformation, Botoes::OK, mbOK);
            return false;
        }
        trocandoPagina_ = true;
        pgcPaginas_->setCurrentIndex(0);
        trocandoPagina_ = false;
        lstArquivos_->setCurrentItem(item);
        AtualizarBotoes();
        return true;
    }
    if (valor.empty() || !(etiqueta == "INSCRICAO" || etiqueta == "RAZAO" || trabalhador))
        return naoEncontrado();

    const std::string inscricao = etiqueta == "INSCRICAO" ? SoDigitos(valor) : std::string();
    const std::string pis = etiqueta == "PIS/PASEP" ? SoDigitos(valor) : std::string();
    const std::string nome = porNome ? valor : std::string();

    if (!trabalhador && !naLista)
        return SelecionarEmpresa(inscricao, nome) || naoEncontrado();
    if (trabalhador && naAbaTrabalhador)
        return SelecionarTrabalhador(pis, nome) || naoEncontrado();

    // Find the file first, then open it and go down to the employer (and the worker).
    const std::string identificador =
        ArquivoDaPesquisa(trabalhador, porNome, trabalhador ? (porNome ? nome : pis) : (porNome ? nome : inscricao));
    QTreeWidgetItem* item = identificador.empty() ? nullptr : ItemArquivo(identificador, cIdentificador);
    if (!item)
        return naoEncontrado();
    lstArquivos_->setCurrentItem(item);
    if (!Detalhes())
        return false;
    if (!trabalhador)
        return SelecionarEmpresa(inscricao, nome) || naoEncontrado();

    // The worker's employer: the first employer row whose workers include the worker.
    for (int i = 0; i < lstEmpresas_->topLevelItemCount(); ++i) {
        lstEmpresas_->setCurrentItem(lstEmpresas_->topLevelItem(i));
        CarregarTrabalhadores();
        if (SelecionarTrabalhador(pis, nome)) {
            trocandoPagina_ = true;
            pgcDetalhes_->setCurrentIndex(1);
            trocandoPagina_ = false;
            return true;
        }
    }
    return naoEncontrado();
}

void ConsultarArquivosEnviados(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens)
{
    TfrmArquivosEnviadosQueld janela(*ctx.sessao, mensagens, pai);
    janela.exec();
}

} // namespace drav
