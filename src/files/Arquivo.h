#pragma once
#include "calc/Inconsistencia.h"
#include "core/Negocio.h"

#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace drav {

// Base of every interchange file the system reads or writes: the path, the whole file held as
// lines for reading, the file number under which its problems are registered, and the two
// register operations every run uses. Subclasses fill in Processar (reading into the database) or
// Gerar (writing from it).
//
// Lines are kept as the file's bytes (Windows-1252) with their line ends removed; fields are cut
// from them by byte position and converted to UTF-8 one by one.
class TArquivo : public TNegocio {
public:
    explicit TArquivo(TDBUtils& sessao);
    ~TArquivo() override;

    bool Aberto = false;
    std::string Caminho;
    char Modo = ' ';
    int LinhaAtual = 0;
    std::unique_ptr<TInconsistencia> Inconsistencia;
    int NumeroArquivo = 0;
    std::vector<std::string> Linhas;
    // Cleared by every finding recorded: the current line's, and the whole file's.
    bool LinhaValida = true;
    bool ArquivoValido = true;

    // False for an empty path, a folder that does not exist, or (with verificarAberto) a file
    // already open. Raises nothing.
    bool ValidarCaminho(bool verificarAberto) const;
    // Opens Caminho for reading and loads every line; false (nothing raised) when it cannot.
    bool AbrirLeitura();
    // Loads the open file into Linhas. Raises when no file is open for reading.
    bool CarregarLinhas();
    void Fechar();
    // True when the file existed and was deleted.
    bool ExcluirArquivo();

    // Deletes every register row of NumeroArquivo.
    virtual bool LimparInconsistencias();
    // Records one row in its own committed transaction and leaves the code (four digits) in
    // CodigoMensagem. A code missing from the message table leaves "0396" and raises
    // EMensagemNaoCadastrada, which ends the run.
    virtual void RegistrarInconsistencia(const std::string& conteudoCampo, const std::string& tipoRegistro, int linha,
                                         int codigoMensagem, const std::string& tipoInscricaoResponsavel = {},
                                         const std::string& inscricaoResponsavel = {},
                                         const std::string& razaoSocialResponsavel = {},
                                         const std::string& tipoInscricaoEmpresa = {},
                                         const std::string& inscricaoEmpresa = {},
                                         const std::string& razaoSocial = {}, const std::string& pis = {},
                                         const std::string& categoria = {}, const std::string& dataAdmissao = {},
                                         const std::string& nomeEmpregado = {});

    virtual bool Processar() = 0;
    virtual bool Gerar() = 0;

private:
    std::ifstream arquivoTexto_;
};

} // namespace drav
