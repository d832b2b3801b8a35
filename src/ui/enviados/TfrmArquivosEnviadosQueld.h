#pragma once
#include "core/Datas.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;
class QTreeWidget;
class QTreeWidgetItem;

namespace drav {

struct ContextoAplicacao;
class TDBUtils;
class TMensagens;
class TProtocolo;

// The register of the files generated for the bank: the file list, and per file the employers
// and workers it carried. The window only reads the register, except for "Excluir".
class TfrmArquivosEnviadosQueld : public QDialog {
    Q_OBJECT
public:
    // Columns of the file list; the ones after cNome are hidden.
    enum ColunaArquivo {
        cSituacao = 0, cArquivo, cGeracao, cNome, cTipo, cProtocolo, cIdentificador, cValido, cAtendido,
        cGeracaoCompleta, cTotalColunasArquivo
    };
    enum ColunaEmpresa { ceInscricao = 0, ceRazao, ceProcessamento, ceValor, ceBarras, ceRecolhimento, ceNumero };
    enum ColunaTrabalhador { ctPis = 0, ctNome, ctAdmissao, ctValor, ctNumero };

    // Loads the file list; an empty register is told ("0310") and the window stays usable.
    TfrmArquivosEnviadosQueld(TDBUtils& sessao, TMensagens& mensagens, QWidget* pai = nullptr);
    ~TfrmArquivosEnviadosQueld() override;

    // Several files carrying the searched employer or worker: "description - protocol" of each,
    // returns the chosen index or -1. The default asks in the "Seleção de Arquivo" window.
    std::function<int(const std::vector<std::string>& opcoes)> EscolherArquivo;
    // The search window of the page shown; returns its tagged answer ("" when cancelled).
    std::function<std::string(int contexto)> PedirPesquisa;
    enum ContextoPesquisa { pqArquivos = 0, pqEmpresas, pqTrabalhadores };

    // Opens the details of the selected file; false (and the list shown) when it cannot.
    bool Detalhes();
    // Deletes the selected file's records after the confirmation; true when deleted.
    bool Excluir();
    // Positions the grids on a tagged search answer ("PROTOCOLO-...", "INSCRICAO-...", ...).
    bool Localizar(const std::string& pesquisa);

    QTabWidget* pgcPaginas() const { return pgcPaginas_; }
    QTabWidget* pgcDetalhes() const { return pgcDetalhes_; }
    QTreeWidget* lstArquivos() const { return lstArquivos_; }
    QTreeWidget* lstEmpresas() const { return lstEmpresas_; }
    QTreeWidget* lstTrabalhadores() const { return lstTrabalhadores_; }
    QLabel* lblArquivo() const { return lblArquivo_; }
    QLabel* lblGeracao() const { return lblGeracao_; }
    QLabel* lblProtocolo() const { return lblProtocolo_; }
    QLabel* lblRecolhimento() const { return lblRecolhimento_; }
    QLabel* lblEmpresa() const { return lblEmpresa_; }
    QPushButton* btnDetalhes() const { return btnDetalhes_; }
    QPushButton* btnExcluir() const { return btnExcluir_; }
    QPushButton* btnSalvarArquivo() const { return btnSalvar_; }
    QPushButton* btnLocalizar() const { return btnLocalizar_; }
    QPushButton* btnImprimir() const { return btnImprimir_; }
    QPushButton* btnFechar() const { return btnFechar_; }

private:
    void CarregarArquivos();
    void CarregarTrabalhadores();
    void AtualizarBotoes();
    void PaginaMudou(int indice);
    void AbaDetalhesMudou(int indice);
    void btnLocalizarClick();

    int TipoSelecionado() const;
    QTreeWidgetItem* ItemArquivo(const std::string& valor, int coluna) const;
    bool SelecionarEmpresa(const std::string& inscricao, const std::string& nome);
    bool SelecionarTrabalhador(const std::string& pis, const std::string& nome);
    // Files carrying an inscription or PIS (or, by name, its start): the chosen file's identifier.
    std::string ArquivoDaPesquisa(bool trabalhador, bool porNome, const std::string& valor);

    TDBUtils& sessao_;
    TMensagens& mensagens_;
    std::unique_ptr<TProtocolo> protocolo_;
    std::string arquivoDetalhado_; // identifier whose employers are loaded
    std::string empresaDetalhada_; // "file|inscription" whose workers are loaded
    bool trocandoPagina_ = false;

    QTabWidget* pgcPaginas_ = nullptr;
    QTabWidget* pgcDetalhes_ = nullptr;
    QTreeWidget* lstArquivos_ = nullptr;
    QTreeWidget* lstEmpresas_ = nullptr;
    QTreeWidget* lstTrabalhadores_ = nullptr;
    QLabel* lblArquivo_ = nullptr;
    QLabel* lblGeracao_ = nullptr;
    QLabel* lblProtocolo_ = nullptr;
    QLabel* lblRecolhimento_ = nullptr;
    QLabel* lblEmpresa_ = nullptr;
    QPushButton* btnDetalhes_ = nullptr;
    QPushButton* btnExcluir_ = nullptr;
    QPushButton* btnSalvar_ = nullptr;
    QPushButton* btnLocalizar_ = nullptr;
    QPushButton* btnImprimir_ = nullptr;
    QPushButton* btnFechar_ = nullptr;
};

// The main window's "Arquivos Gerados" command.
void ConsultarArquivosEnviados(QWidget* pai, ContextoAplicacao& ctx, TMensagens& mensagens);

} // namespace drav
