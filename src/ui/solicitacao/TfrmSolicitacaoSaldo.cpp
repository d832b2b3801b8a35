#include "ui/solicitacao/TfrmSolicitacaoSaldo.h"

#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Inicializacao.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"
#include "model/Empresa.h"
#include "ui/solicitacao/SolicitarSaldos.h"

#include <QComboBox>
#include <QDrag>
#include <QDropEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMimeData>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

namespace drav {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

// Names the list an item was dragged from, so a list takes drops from its partner only.
const QString kFormatoOrigem = QStringLiteral("application/x-drav-lista-origem");

// One side of a pair of lists that trade items. Dropping items of the partner list asks the
// window to move them; the window redraws both lists, so neither list moves items itself.
class TListaTransferencia : public QTreeWidget {
public:
    TListaTransferencia(const QString& nome, const QString& parceiro, const QStringList& colunas, QWidget* pai)
        : QTreeWidget(pai), parceiro_(parceiro)
    {
        setObjectName(nome);
        setColumnCount(static_cast<int>(colunas.size()));
        setHeaderLabels(colunas);
        setRootIsDecorated(false);
        setUniformRowHeights(true);
        setAllColumnsShowFocus(true);
        header()->setStretchLastSection(false);
        header()->setSectionResizeMode(QHeaderView::ResizeToContents);
        header()->setSectionResizeMode(0, QHeaderView::Stretch);
        setSelectionMode(QAbstractItemView::ExtendedSelection);
        setDragEnabled(true);
        setAcceptDrops(true);
        viewport()->setAcceptDrops(true);
        setDragDropMode(QAbstractItemView::DragDrop);
        setDefaultDropAction(Qt::MoveAction);
    }

    std::function<void(const QTreeWidget* origem)> AoSoltar;

protected:
    QMimeData* mimeData(const QList<QTreeWidgetItem*>& itens) const override
    {
        QMimeData* m = QTreeWidget::mimeData(itens);
        if (!m)
            m = new QMimeData;
        m->setData(kFormatoOrigem, objectName().toUtf8());
        return m;
    }

    // Our own drag, so that whatever the drop answers the dragged items are never removed here:
    // the drop target has already redrawn both lists.
    void startDrag(Qt::DropActions) override
    {
        const QList<QTreeWidgetItem*> itens = selectedItems();
        if (itens.isEmpty())
            return;
        auto* drag = new QDrag(this);
        drag->setMimeData(mimeData(itens));
        drag->exec(Qt::MoveAction, Qt::MoveAction);
    }

    void dragEnterEvent(QDragEnterEvent* e) override { Aceitar(e); }
    void dragMoveEvent(QDragMoveEvent* e) override { Aceitar(e); }

    void dropEvent(QDropEvent* e) override
    {
        if (!DoParceiro(e->mimeData())) {
            e->ignore();
            return;
        }
        e->setDropAction(Qt::MoveAction);
        e->accept();
        auto* origem = window()->findChild<QTreeWidget*>(parceiro_);
        if (origem && AoSoltar)
            AoSoltar(origem);
    }

private:
    bool DoParceiro(const QMimeData* m) const
    {
        return m && m->hasFormat(kFormatoOrigem) && QString::fromUtf8(m->data(kFormatoOrigem)) == parceiro_;
    }
    void Aceitar(QDragMoveEvent* e)
    {
        if (DoParceiro(e->mimeData())) {
            e->setDropAction(Qt::MoveAction);
            e->accept();
        } else {
            e->ignore();
        }
    }

    QString parceiro_;
};

struct Transferencia {
    QTreeWidget* disponiveis = nullptr;
    QTreeWidget* selecionados = nullptr;
    QPushButton* incluir = nullptr;
    QPushButton* incluirTodos = nullptr;
    QPushButton* retirar = nullptr;
    QPushButton* retirarTodos = nullptr;
};

// "Disponíveis" on the left, the chosen ones on the right, the four move buttons between them.
QHBoxLayout* MontarTransferencia(QWidget* pagina, const QString& nome, const QString& rotuloSelecionados,
                                 const QStringList& colunas, const QString& dicaItem, const QString& dicaTodos,
                                 Transferencia& t)
{
    const QString nomeDisp = nome + QStringLiteral("Disponiveis");
    const QString nomeSel = nome + QStringLiteral("Selecionados");
    t.disponiveis = new TListaTransferencia(nomeDisp, nomeSel, colunas, pagina);
    t.selecionados = new TListaTransferencia(nomeSel, nomeDisp, colunas, pagina);

    auto coluna = [pagina](const QString& rotulo, QTreeWidget* lista) {
        auto* v = new QVBoxLayout;
        auto* l = new QLabel(rotulo, pagina);
        l->setBuddy(lista);
        v->addWidget(l);
        v->addWidget(lista);
        return v;
    };
    auto botao = [pagina](const QString& texto, const QString& dica) {
        auto* b = new QPushButton(texto, pagina);
        b->setToolTip(dica);
        b->setFixedWidth(44);
        return b;
    };
    t.incluir = botao(QStringLiteral(">"), QStringLiteral("Selecionar ") + dicaItem);
    t.incluirTodos = botao(QStringLiteral(">>"), QStringLiteral("Selecionar ") + dicaTodos);
    t.retirar = botao(QStringLiteral("<"), QStringLiteral("Retirar ") + dicaItem);
    t.retirarTodos = botao(QStringLiteral("<<"), QStringLiteral("Retirar ") + dicaTodos);
    auto* botoes = new QVBoxLayout;
    botoes->addStretch();
    botoes->addWidget(t.incluir);
    botoes->addWidget(t.incluirTodos);
    botoes->addSpacing(12);
    botoes->addWidget(t.retirar);
    botoes->addWidget(t.retirarTodos);
    botoes->addStretch();

    auto* h = new QHBoxLayout;
    h->addLayout(coluna(QString::fromUtf8("&Disponíveis"), t.disponiveis), 1);
    h->addLayout(botoes);
    h->addLayout(coluna(rotuloSelecionados, t.selecionados), 1);
    return h;
}

std::string TextoInscricao(int tipo, int64_t inscricao)
{
    const std::string numero = std::to_string(inscricao);
    return tipo == 1 ? "CNPJ " + FormatarCNPJ(numero) : "CEI " + CompletarZeros(numero, 12);
}

std::string TextoEmpresa(int tipo, int64_t inscricao, const std::string& nome)
{
    return nome + "  -  " + TextoInscricao(tipo, inscricao);
}

std::vector<int> IndicesDe(const QList<QTreeWidgetItem*>& itens)
{
    std::vector<int> r;
    for (const QTreeWidgetItem* i : itens)
        r.push_back(i->data(0, Qt::UserRole).toInt());
    return r;
}

std::vector<int> TodosDe(const QTreeWidget* lista)
{
    std::vector<int> r;
    for (int i = 0; i < lista->topLevelItemCount(); ++i)
        r.push_back(lista->topLevelItem(i)->data(0, Qt::UserRole).toInt());
    return r;
}

QTreeWidgetItem* NovoItem(QTreeWidget* lista, const QStringList& colunas, int indice, bool destacado)
{
    auto* item = new QTreeWidgetItem(lista, colunas);
    item->setData(0, Qt::UserRole, indice);
    item->setSelected(destacado);
    return item;
}

} // namespace

TfrmSolicitacaoSaldo::TfrmSolicitacaoSaldo(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai)
    : QDialog(pai), sessao_(sessao), mensagens_(mensagens)
{
    setWindowTitle(QString::fromUtf8("Solicitação de Arquivo de Saldo Rescisório"));
    auto* layout = new QVBoxLayout(this);
    pgcAbas_ = new QTabWidget(this);

    auto* pagEmpresa = new QWidget(pgcAbas_);
    Transferencia te;
    auto* transfEmpresa =
        MontarTransferencia(pagEmpresa, QStringLiteral("lstEmpresas"), QStringLiteral("S&elecionadas"),
                            {QString::fromUtf8("Razão Social"), QString::fromUtf8("Inscrição")},
                            QStringLiteral("as empresas marcadas"), QStringLiteral("todas as empresas"), te);
    lstEmpDisp_ = te.disponiveis;
    lstEmpSel_ = te.selecionados;
    btnEmpIncluir_ = te.incluir;
    btnEmpIncluirTodas_ = te.incluirTodos;
    btnEmpRetirar_ = te.retirar;
    btnEmpRetirarTodas_ = te.retirarTodos;
    auto* vEmpresa = new QVBoxLayout(pagEmpresa);
    vEmpresa->addWidget(new QLabel(QString::fromUtf8("Escolha as empresas cujos saldos rescisórios serão solicitados."),
                                   pagEmpresa));
    vEmpresa->addLayout(transfEmpresa, 1);
    pgcAbas_->addTab(pagEmpresa, QStringLiteral("Empresa"));

    auto* pagTrab = new QWidget(pgcAbas_);
    Transferencia tv;
    auto* transfTrab =
        MontarTransferencia(pagTrab, QStringLiteral("lstVinculos"), QStringLiteral("S&elecionados"),
                            {QStringLiteral("Trabalhador"), QStringLiteral("PIS"), QStringLiteral("Cat."),
                             QString::fromUtf8("Admissão")},
                            QStringLiteral("os trabalhadores marcados"), QStringLiteral("todos os trabalhadores"), tv);
    lstVincDisp_ = tv.disponiveis;
    lstVincSel_ = tv.selecionados;
    btnVincIncluir_ = tv.incluir;
    btnVincIncluirTodos_ = tv.incluirTodos;
    btnVincRetirar_ = tv.retirar;
    btnVincRetirarTodos_ = tv.retirarTodos;
    cboEmpresa_ = new QComboBox(pagTrab);
    cboEmpresa_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    auto* linhaEmpresa = new QHBoxLayout;
    auto* lblEmpresa = new QLabel(QStringLiteral("E&mpresa:"), pagTrab);
    lblEmpresa->setBuddy(cboEmpresa_);
    linhaEmpresa->addWidget(lblEmpresa);
    linhaEmpresa->addWidget(cboEmpresa_, 1);
    auto* vTrab = new QVBoxLayout(pagTrab);
    vTrab->addLayout(linhaEmpresa);
    vTrab->addLayout(transfTrab, 1);
    pgcAbas_->addTab(pagTrab, QStringLiteral("Trabalhador"));
    layout->addWidget(pgcAbas_, 1);

    lblSituacao_ = new QLabel(this);
    btnSolicitar_ = new QPushButton(QStringLiteral("&Solicitar"), this);
    btnSolicitar_->setDefault(true);
    btnFechar_ = new QPushButton(QStringLiteral("&Fechar"), this);
    auto* rodape = new QHBoxLayout;
    rodape->addWidget(lblSituacao_, 1);
    rodape->addWidget(btnSolicitar_);
    rodape->addWidget(btnFechar_);
    layout->addLayout(rodape);

    connect(btnEmpIncluir_, &QPushButton::clicked, this, [this] { MoverEmpresas(lstEmpDisp_, false); });
    connect(btnEmpIncluirTodas_, &QPushButton::clicked, this, [this] { MoverEmpresas(lstEmpDisp_, true); });
    connect(btnEmpRetirar_, &QPushButton::clicked, this, [this] { MoverEmpresas(lstEmpSel_, false); });
    connect(btnEmpRetirarTodas_, &QPushButton::clicked, this, [this] { MoverEmpresas(lstEmpSel_, true); });
    connect(btnVincIncluir_, &QPushButton::clicked, this, [this] { MoverVinculos(lstVincDisp_, false); });
    connect(btnVincIncluirTodos_, &QPushButton::clicked, this, [this] { MoverVinculos(lstVincDisp_, true); });
    connect(btnVincRetirar_, &QPushButton::clicked, this, [this] { MoverVinculos(lstVincSel_, false); });
    connect(btnVincRetirarTodos_, &QPushButton::clicked, this, [this] { MoverVinculos(lstVincSel_, true); });
    for (QTreeWidget* l : {lstEmpDisp_, lstEmpSel_})
        connect(l, &QTreeWidget::itemDoubleClicked, this, [this, l] { MoverEmpresas(l, false); });
    for (QTreeWidget* l : {lstVincDisp_, lstVincSel_})
        connect(l, &QTreeWidget::itemDoubleClicked, this, [this, l] { MoverVinculos(l, false); });
    static_cast<TListaTransferencia*>(lstEmpDisp_)->AoSoltar = [this](const QTreeWidget* o) { MoverEmpresas(o, false); };
    static_cast<TListaTransferencia*>(lstEmpSel_)->AoSoltar = [this](const QTreeWidget* o) { MoverEmpresas(o, false); };
    static_cast<TListaTransferencia*>(lstVincDisp_)->AoSoltar = [this](const QTreeWidget* o) { MoverVinculos(o, false); };
    static_cast<TListaTransferencia*>(lstVincSel_)->AoSoltar = [this](const QTreeWidget* o) { MoverVinculos(o, false); };
    connect(cboEmpresa_, &QComboBox::currentIndexChanged, this, [this] { AbrirEmpresaDosVinculos(); });
    connect(pgcAbas_, &QTabWidget::currentChanged, this, [this] { AbrirEmpresaDosVinculos(); });
    connect(btnSolicitar_, &QPushButton::clicked, this, &TfrmSolicitacaoSaldo::btnSolicitarClick);
    connect(btnFechar_, &QPushButton::clicked, this, &QDialog::reject);

    resize(940, 500);
    CarregarEmpresas();
    MostrarEmpresas();
}

TfrmSolicitacaoSaldo::~TfrmSolicitacaoSaldo() = default;

void TfrmSolicitacaoSaldo::CarregarEmpresas()
{
    TEmpresa e(sessao_);
    e.CarregaRelacionados = false;
    e.ListarEmpresas();
    for (e.Primeiro(); !e.Eof(); e.Proximo()) {
        TEmpresaItem item;
        item.Tipo = e.TipoInscricao;
        item.Inscricao = e.Chave().Numero;
        item.Nome = Aparar(e.RazaoSocial);
        empresas_.push_back(std::move(item));
    }
}

std::vector<TfrmSolicitacaoSaldo::TVinculoItem> TfrmSolicitacaoSaldo::LerVinculos(const TEmpresaItem& e) const
{
    // Every link of the employer, whatever its state: the bank answers for the open ones and
    // says so for the others.
    auto r = sessao_.AbrirConsulta(
        "SELECT V.NU_PIS, V.NU_CATEGORIA, V.DT_ADMISSAO_VINCULO, W.NO_EMPREGADO "
        "FROM SFGTBG04_VINCULO_EMPREGATICIO V LEFT JOIN SFGTBG03_EMPREGADO W ON W.NU_PIS = V.NU_PIS "
        "WHERE V.NU_TIPO_INSO_EMPRA = " +
        std::to_string(e.Tipo) + " AND V.NU_INSCRICAO = " + std::to_string(e.Inscricao) +
        " ORDER BY W.NO_EMPREGADO, V.NU_PIS, V.NU_CATEGORIA, V.DT_ADMISSAO_VINCULO");
    std::vector<TVinculoItem> vinculos;
    for (r->First(); !r->Eof(); r->Next()) {
        TVinculoItem v;
        v.Pis = r->FieldByName("NU_PIS").AsInt64();
        v.Categoria = r->FieldByName("NU_CATEGORIA").AsInteger();
        v.Admissao = r->FieldByName("DT_ADMISSAO_VINCULO").AsDateTime();
        v.Nome = Aparar(r->FieldByName("NO_EMPREGADO").AsString());
        vinculos.push_back(std::move(v));
    }
    return vinculos;
}

std::vector<TfrmSolicitacaoSaldo::TVinculoItem> TfrmSolicitacaoSaldo::VinculosPedidos(const TEmpresaItem& e) const
{
    if (!e.Aberta)
        return LerVinculos(e);
    std::vector<TVinculoItem> r;
    std::copy_if(e.Vinculos.begin(), e.Vinculos.end(), std::back_inserter(r),
                 [](const TVinculoItem& v) { return v.Selecionado; });
    return r;
}

TArrRegRegistro TfrmSolicitacaoSaldo::Entradas() const
{
    TArrRegRegistro entradas;
    for (const TEmpresaItem& e : empresas_) {
        if (!e.Selecionada)
            continue;
        for (const TVinculoItem& v : VinculosPedidos(e)) {
            TRegRegistro r;
            r.TipoRegistro = "40";
            r.TipoInscricao = std::to_string(e.Tipo);
            r.Inscricao = CompletarZeros(std::to_string(e.Inscricao), e.Tipo == 1 ? 14 : 12);
            r.NomeEmpresa = e.Nome;
            r.Pis = CompletarZeros(std::to_string(v.Pis), 11);
            r.Categoria = CompletarZeros(std::to_string(v.Categoria), 2);
            r.DataAdmissao = FormatarDataHora("ddmmyyyy", v.Admissao);
            r.NomeTrabalhador = v.Nome;
            entradas.push_back(std::move(r));
        }
    }
    return entradas;
}

void TfrmSolicitacaoSaldo::MostrarEmpresas(const std::vector<int>& destacar)
{
    lstEmpDisp_->clear();
    lstEmpSel_->clear();
    for (std::size_t i = 0; i < empresas_.size(); ++i) {
        const TEmpresaItem& e = empresas_[i];
        NovoItem(e.Selecionada ? lstEmpSel_ : lstEmpDisp_, {Q(e.Nome), Q(TextoInscricao(e.Tipo, e.Inscricao))},
                 static_cast<int>(i),
                 std::find(destacar.begin(), destacar.end(), static_cast<int>(i)) != destacar.end());
    }
    AtualizarEmpresaDosVinculos();
}

void TfrmSolicitacaoSaldo::AtualizarEmpresaDosVinculos()
{
    const QVariant atual = cboEmpresa_->currentData();
    {
        const QSignalBlocker bloqueio(cboEmpresa_);
        cboEmpresa_->clear();
        for (std::size_t i = 0; i < empresas_.size(); ++i)
            if (empresas_[i].Selecionada)
                cboEmpresa_->addItem(Q(TextoEmpresa(empresas_[i].Tipo, empresas_[i].Inscricao, empresas_[i].Nome)),
                                     static_cast<int>(i));
        const int pos = atual.isValid() ? cboEmpresa_->findData(atual) : -1;
        cboEmpresa_->setCurrentIndex(pos >= 0 ? pos : (cboEmpresa_->count() > 0 ? 0 : -1));
    }
    AbrirEmpresaDosVinculos();
}

TfrmSolicitacaoSaldo::TEmpresaItem* TfrmSolicitacaoSaldo::EmpresaDosVinculos()
{
    const QVariant d = cboEmpresa_->currentData();
    if (!d.isValid())
        return nullptr;
    const int i = d.toInt();
    return i >= 0 && i < static_cast<int>(empresas_.size()) ? &empresas_[static_cast<std::size_t>(i)] : nullptr;
}

void TfrmSolicitacaoSaldo::AbrirEmpresaDosVinculos()
{
    // Links are read when the user comes to see them; until then the employer goes whole.
    if (pgcAbas_->currentIndex() == 1)
        if (TEmpresaItem* e = EmpresaDosVinculos(); e && !e->Aberta) {
            e->Vinculos = LerVinculos(*e);
            e->Aberta = true;
        }
    MostrarVinculos();
}

void TfrmSolicitacaoSaldo::MostrarVinculos(const std::vector<int>& destacar)
{
    lstVincDisp_->clear();
    lstVincSel_->clear();
    const TEmpresaItem* e = EmpresaDosVinculos();
    const bool ativo = e && e->Aberta;
    for (QWidget* w : std::initializer_list<QWidget*>{lstVincDisp_, lstVincSel_, btnVincIncluir_,
                                                      btnVincIncluirTodos_, btnVincRetirar_, btnVincRetirarTodos_})
        w->setEnabled(ativo);
    for (std::size_t i = 0; ativo && i < e->Vinculos.size(); ++i) {
        const TVinculoItem& v = e->Vinculos[i];
        NovoItem(v.Selecionado ? lstVincSel_ : lstVincDisp_,
                 {Q(v.Nome), Q(FormatarPIS(std::to_string(v.Pis))), Q(CompletarZeros(std::to_string(v.Categoria), 2)),
                  Q(FormatarData(v.Admissao))},
                 static_cast<int>(i),
                 std::find(destacar.begin(), destacar.end(), static_cast<int>(i)) != destacar.end());
    }
    AtualizarSituacao();
}

void TfrmSolicitacaoSaldo::AtualizarSituacao()
{
    QString texto;
    if (pgcAbas_->currentIndex() == 1) {
        if (const TEmpresaItem* e = EmpresaDosVinculos(); e && e->Aberta)
            texto = QString::fromUtf8("%1 de %2 vínculo(s) selecionado(s) nesta empresa")
                        .arg(std::count_if(e->Vinculos.begin(), e->Vinculos.end(),
                                           [](const TVinculoItem& v) { return v.Selecionado; }))
                        .arg(e->Vinculos.size());
    }
    if (texto.isEmpty()) {
        const auto n = std::count_if(empresas_.begin(), empresas_.end(),
                                     [](const TEmpresaItem& e) { return e.Selecionada; });
        texto = n == 0 ? QStringLiteral("Nenhuma empresa selecionada")
                       : QStringLiteral("%1 de %2 empresa(s) selecionada(s)").arg(n).arg(empresas_.size());
    }
    lblSituacao_->setText(texto);
}

void TfrmSolicitacaoSaldo::MoverEmpresas(const QTreeWidget* origem, bool todas)
{
    const bool selecionar = origem == lstEmpDisp_;
    const std::vector<int> indices = todas ? TodosDe(origem) : IndicesDe(origem->selectedItems());
    if (indices.empty())
        return;
    for (int i : indices)
        empresas_[static_cast<std::size_t>(i)].Selecionada = selecionar;
    MostrarEmpresas(indices);
}

void TfrmSolicitacaoSaldo::MoverVinculos(const QTreeWidget* origem, bool todos)
{
    TEmpresaItem* e = EmpresaDosVinculos();
    if (!e || !e->Aberta)
        return;
    const bool selecionar = origem == lstVincDisp_;
    const std::vector<int> indices = todos ? TodosDe(origem) : IndicesDe(origem->selectedItems());
    if (indices.empty())
        return;
    for (int i : indices)
        e->Vinculos[static_cast<std::size_t>(i)].Selecionado = selecionar;
    MostrarVinculos(indices);
}

void TfrmSolicitacaoSaldo::btnSolicitarClick()
{
    bool alguma = false;
    for (std::size_t i = 0; i < empresas_.size(); ++i) {
        if (!empresas_[i].Selecionada)
            continue;
        alguma = true;
        if (VinculosPedidos(empresas_[i]).empty()) {
            mensagens_.Mensagem("SS0228", mtWarning, Botoes::OK, mbOK);
            // Straight to the employer whose links are missing.
            cboEmpresa_->setCurrentIndex(cboEmpresa_->findData(static_cast<int>(i)));
            pgcAbas_->setCurrentIndex(1);
            return;
        }
    }
    if (!alguma) {
        mensagens_.Mensagem("SS0116", mtWarning, Botoes::OK, mbOK);
        pgcAbas_->setCurrentIndex(0);
        return;
    }
    if (ExecutarSolicitacao && ExecutarSolicitacao(Entradas()))
        accept();
}

void AbrirSolicitacaoSaldo(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens)
{
    TfrmSolicitacaoSaldo janela(*ctx.sessao, mensagens, pai);
    janela.ExecutarSolicitacao = [&janela, &ctx, &mensagens](const TArrRegRegistro& entradas) {
        return SolicitarSaldos(&janela, ctx, mensagens, entradas);
    };
    janela.exec();
}

} // namespace drav
