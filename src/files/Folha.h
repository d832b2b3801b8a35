#pragma once
#include "core/Datas.h"
#include "files/Arquivo.h"
#include "files/Execucao.h"
#include "files/LayoutFolha.h"
#include "model/RegRegistro.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

namespace drav {

class TResponsavel;
class TEmpresa;
class TEmpregado;
class TComplementoFolha;
class TRegistrosGravados;

// The payroll import: validates the whole file "DRAV.re", records every problem in the
// inconsistency register under file number 1 and, only when nothing was recorded, writes the file
// in one transaction. Progress and cancelling go through the sink; the tree is reached only
// through the two optional functions, so the import runs the same from a window, the terminal
// or a test.
class TEndereco;
class TEstabelecimento;

class TArqFolha : public TArquivo {
public:
    explicit TArqFolha(TDBUtils& sessao, IProgresso* progresso = nullptr);
    ~TArqFolha() override;

    bool AvancoExtra = false;
    TArrRegRegistro Registros;
    std::string EmpresaAnteriorTipo, EmpresaAnteriorInscricao;
    int VinculoAnteriorTipo = 0;
    int64_t VinculoAnteriorInscricao = 0;
    int64_t VinculoAnteriorPis = 0;
    int VinculoAnteriorCategoria = 0;
    TDateTime VinculoAnteriorAdmissao = NullDate;
    TDateTime NascimentoAtual = NullDate, DissidioAtual = NullDate, OpcaoAtual = NullDate;
    std::set<std::string> CompetenciasVistas;

    // The navigation tree, when there is one: its number of entries (part of the gauge maximum)
    // and its rebuild after a successful import (the caller hands it to its own thread).
    std::function<long()> EntradasArvore;
    std::function<void()> RecarregarArvore;

    bool Processar() override;
    bool Gerar() override { return false; }

    bool ValidarEstrutura();
    bool ValidarIdentificadores();
    bool ValidarConteudo();
    bool GravarArquivo();

    // True once the run was cancelled (it then wrote nothing).
    bool FoiCancelado() const { return cancelado_; }

protected:
    void Inicializar() override;

private:
    // --- recording -----------------------------------------------------------------------------
    // One row for line `i` (0-based) with the identification its record type calls for.
    void Registrar(std::size_t i, const std::string& conteudo, int codigo);
    void Registrar(std::size_t i, const std::string& conteudo, const std::string& codigo);
    void RegistrarComo(std::size_t i, const std::string& tipoRegistro, const std::string& conteudo, int codigo);
    bool Numerico(std::size_t i, const std::string& campo, const char* rotulo);
    // The inscription type, inscription and company name of the responsible or an employer.
    void ValidarIdentificacao(std::size_t i, TEstabelecimento& e, const std::string& tipo,
                              const std::string& inscricao, const std::string& razaoSocial);
    void ValidarEndereco(std::size_t i, TEndereco& end, const std::string& logradouro, const std::string& bairro,
                         const std::string& cep, const std::string& localidade, const std::string& uf);
    // A date field: NullDate when blank or zeros, DataInvalida (recorded with 0212) when not a date.
    TDateTime Data(std::size_t i, const std::string& campo, const char* rotulo, bool registrar = true);
    bool Valor(std::size_t i, const std::string& campo, const char* rotulo, double& valor);

    // --- steps ---------------------------------------------------------------------------------
    bool Cancelou();
    void Avancar(bool cresce = false);
    void Etapa(int etapa);
    void IdentificarLinha(std::size_t i);
    bool ValidarChave(std::size_t i, const TRegFolha& reg);
    void ValidarHeader(std::size_t i, const TRegFolha& reg);
    void ValidarEmpresa(std::size_t i, const TRegFolha& reg);
    void ValidarTrabalhador(std::size_t i, const TRegFolha& reg);
    void ValidarComplemento(std::size_t i, const TRegFolha& reg);
    void ValidarTrailer(std::size_t i, const TRegFolha& reg);
    bool GravarLinha(std::size_t i, const TRegFolha& reg);
    bool GravarHeader(const TRegFolha& reg);
    bool GravarEmpresa(const TRegFolha& reg);
    bool GravarTrabalhador(const TRegFolha& reg);
    bool GravarComplemento(const TRegFolha& reg);
    void PreencherTrabalhador(const TRegFolha& reg, TEmpregado& emp);
    // The stored links, workers and complements the file's links touch, read in a few queries.
    void CarregarGravados();

    IProgresso* progresso_;
    bool cancelado_ = false;
    std::unique_ptr<TResponsavel> responsavel_;
    std::unique_ptr<TEmpresa> empresa_;
    std::unique_ptr<TEmpregado> trabalhador_;
    std::unique_ptr<TComplementoFolha> complemento_;
    std::unique_ptr<TRegistrosGravados> gravados_;
    // The "40" lines of each PIS, for the admission check that looks across the file.
    std::unordered_map<std::string, TArrRegRegistro> registrosPorPis_;
    // What the complement lines read from their "40".
    std::string fpasAtual_, movimentacaoAtual_;
    TDateTime movimentoAtual_ = NullDate;
    // Employers of the file, for the complement-deposit sums after writing.
    std::vector<std::pair<int, int64_t>> empresasGravadas_;
    std::string codigoFalha_, conteudoFalha_;
};

// The kind-1 job of the runner: imports the file at `caminho`. The result carries the message
// code the file object left.
TResultadoProcesso ImportarFolha(TDBUtils& sessao, const std::string& caminho, IProgresso& progresso,
                                 const std::function<long()>& entradasArvore = {},
                                 const std::function<void()>& recarregarArvore = {});

} // namespace drav
