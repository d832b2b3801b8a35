#include "files/Protocolo.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"

#include <cmath>
#include <initializer_list>

namespace drav {

namespace {

bool Branco(const std::string& texto)
{
    return texto.find_first_not_of(" \t\r\n") == std::string::npos;
}

// The protocol code is stored as an empty text, not Null, when a file is first registered.
std::string TextoSempreEntreAspas(const std::string& texto)
{
    return Branco(texto) ? "'" + texto + "'" : SqlTexto(texto);
}

// Amounts written with at most two decimals.
std::string ValorCentavos(double valor)
{
    return SqlValor(static_cast<double>(std::llround(valor * 100.0)) / 100.0);
}

bool DataInformada(TDateTime data)
{
    return data != 0 && data > NullDate;
}

// Which record types may come right after each type in a rescission file.
bool PodeSeguir(const std::string& tipo, const std::string& anterior)
{
    auto um = [&](std::initializer_list<const char*> tipos) {
        for (const char* t : tipos)
            if (anterior == t)
                return true;
        return false;
    };
    if (tipo == "10")
        return anterior != "90";
    if (tipo == "40")
        return um({"10", "41", "42", "44", "45", "46", "50"});
    if (tipo == "41")
        return um({"40"});
    if (tipo == "42")
        return um({"40", "41"});
    if (tipo == "43")
        return um({"40", "41", "42"});
    if (tipo == "44")
        return um({"40", "41", "42", "44"});
    if (tipo == "45")
        return um({"40", "41", "42", "44", "45"});
    if (tipo == "46")
        return um({"40", "41", "42", "44", "45", "46"});
    if (tipo == "50")
        return um({"40", "41", "42", "44", "45", "46"});
    if (tipo == "80")
        return um({"40", "41", "42", "44", "45", "46", "50"});
    if (tipo == "90")
        return um({"80"});
    return false; // "00" only opens the file; anything else is not a record of this layout
}

} // namespace

TProtocolo::TProtocolo(TDBUtils& sessao) : TNegocio(sessao)
{
    Inicializar();
}

void TProtocolo::Inicializar()
{
    Identificador = "1";
    CodigoProtocolo.clear();
    DataEnvio = NullDate;
    NumeroArquivo = 0;
    NomeArquivo.clear();
    DescricaoArquivo.clear();
    ArquivoValido.clear();
    ArquivoAtendido.clear();
    DataGeracao = NullDate;
    SqlSelect = "SELECT ARQ.CO_PROTOCOLO, ARQ.DT_ENVIO_PROTOCOLO, ARQ.NU_IDENTIFICADOR_ARQUIVO, ARQ.NU_ARQUIVO, "
                "ARQ.NM_ARQUIVO, TIPARQ.DE_ARQUIVO, ARQ.IC_ARQUIVO_VALIDO, ARQ.IC_ARQUIVO_ATENDIDO, "
                "ARQ.DT_GERACAO_ARQUIVO ";
    SqlFrom = "FROM SFGTBG13_ARQUIVO ARQ JOIN SFGTBT12_TIPO_ARQUIVO TIPARQ   ON ARQ.NU_ARQUIVO = TIPARQ.NU_ARQUIVO ";
}

void TProtocolo::CarregarCampos()
{
    TNegocio::CarregarCampos();
    CodigoProtocolo = Campo("CO_PROTOCOLO").AsString();
    DataEnvio = Campo("DT_ENVIO_PROTOCOLO").AsDateTime();
    Identificador = Aparar(Campo("NU_IDENTIFICADOR_ARQUIVO").AsString());
    NumeroArquivo = Campo("NU_ARQUIVO").AsInteger();
    NomeArquivo = Campo("NM_ARQUIVO").AsString();
    DescricaoArquivo = Campo("DE_ARQUIVO").AsString();
    ArquivoValido = Campo("IC_ARQUIVO_VALIDO").AsString();
    ArquivoAtendido = Campo("IC_ARQUIVO_ATENDIDO").AsString();
    DataGeracao = Campo("DT_GERACAO_ARQUIVO").AsDateTime();
}

bool TProtocolo::Incluir()
{
    try {
        if (NumeroArquivo <= 0) {
            auto tipo = Sessao().AbrirConsulta("SELECT NU_ARQUIVO FROM SFGTBT12_TIPO_ARQUIVO WHERE DE_ARQUIVO = " +
                                               SqlTexto(DescricaoArquivo));
            if (tipo->IsEmpty())
                return false;
            tipo->First();
            NumeroArquivo = tipo->FieldByName("NU_ARQUIVO").AsInteger();
        }
        Sessao().ExecutarSQL("INSERT INTO SFGTBG13_ARQUIVO (NU_IDENTIFICADOR_ARQUIVO, CO_PROTOCOLO, "
                             "DT_ENVIO_PROTOCOLO, NU_ARQUIVO, NM_ARQUIVO, DT_GERACAO_ARQUIVO) VALUES (" +
                             SqlTexto(Identificador) + ", " + TextoSempreEntreAspas(CodigoProtocolo) + ", " +
                             SqlData(DataEnvio, false) + ", " + std::to_string(NumeroArquivo) + ", " +
                             SqlTexto(NomeArquivo) + ", " + SqlData(DataGeracao, false) + ")");
        return true;
    } catch (const EBancoDados&) {
        return false;
    }
}

bool TProtocolo::Alterar()
{
    // The sending date keeps its time: the receipt gives the moment the file was sent, and every
    // later update (a returned file marking the row) writes the loaded value back.
    const std::string sql = "UPDATE SFGTBG13_ARQUIVO SET CO_PROTOCOLO = " + SqlTexto(CodigoProtocolo) +
                            ", DT_ENVIO_PROTOCOLO = " + SqlData(DataEnvio, false) +
                            ", NM_ARQUIVO = " + SqlTexto(NomeArquivo) +
                            ", NU_ARQUIVO = " + SqlInteiro(NumeroArquivo) +
                            ", DT_GERACAO_ARQUIVO = " + SqlData(DataGeracao, false) +
                            ", IC_ARQUIVO_VALIDO = " + SqlTexto(ArquivoValido) +
                            ", IC_ARQUIVO_ATENDIDO = " + SqlTexto(ArquivoAtendido) +
                            " WHERE NU_IDENTIFICADOR_ARQUIVO = " + SqlTexto(Identificador);
    try {
        Sessao().ExecutarSQL(sql);
        return true;
    } catch (const EBancoDados&) {
        return false;
    }
}

bool TProtocolo::Excluir()
{
    try {
        return Sessao().ExecutarSQL("DELETE FROM SFGTBG13_ARQUIVO WHERE NU_IDENTIFICADOR_ARQUIVO = " +
                                    SqlTexto(Identificador)) > 0;
    } catch (const EBancoDados&) {
        return false;
    }
}

bool TProtocolo::ConsultarPorIdentificador()
{
    try {
        AbrirConsulta("WHERE ARQ.NU_IDENTIFICADOR_ARQUIVO = " + SqlTexto(Identificador));
        return !Vazio();
    } catch (const EBancoDados&) {
        return false;
    }
}

void TProtocolo::ListarPorTipo(const std::vector<int>& tipos)
{
    std::string filtro;
    for (std::size_t i = 0; i < tipos.size(); ++i)
        filtro += (i == 0 ? "WHERE ARQ.NU_ARQUIVO = " : " OR ARQ.NU_ARQUIVO = ") + std::to_string(tipos[i]);
    AbrirConsulta(filtro + " ORDER BY TIPARQ.DE_ARQUIVO");
}

bool TProtocolo::GravarLinha(const std::string& identificador, int numeroLinha, const std::string& linha)
{
    try {
        Sessao().ExecutarSQL("INSERT INTO SFGTBG14_OCORRENCIA_GUIA (NU_IDENTIFICADOR_ARQUIVO, NU_LINHA, "
                             "DE_LINHA_ARQUIVO) VALUES (" + SqlTexto(identificador) + ", " +
                             std::to_string(numeroLinha) + ", " + SqlTexto(linha) + ")");
        return true;
    } catch (const EBancoDados&) {
        return false;
    }
}

bool TProtocolo::ValidarOrdemRegistros(const std::string& identificador)
{
    std::unique_ptr<TResultado> linhas;
    try {
        linhas = Sessao().AbrirConsulta("SELECT DE_LINHA_ARQUIVO FROM SFGTBG14_OCORRENCIA_GUIA "
                                        "WHERE NU_IDENTIFICADOR_ARQUIVO = " + SqlTexto(identificador) +
                                        " ORDER BY NU_LINHA");
    } catch (const EBancoDados&) {
        return false;
    }
    if (linhas->IsEmpty())
        return false;

    std::vector<std::string> tipos;
    tipos.reserve(linhas->RecordCount());
    for (linhas->First(); !linhas->Eof(); linhas->Next())
        tipos.push_back(linhas->FieldByName("DE_LINHA_ARQUIVO").AsString().substr(0, 2));
    if (tipos.front() != "00" || tipos.back() != "90")
        return false;
    for (std::size_t i = 1; i < tipos.size(); ++i) {
        if (!PodeSeguir(tipos[i], tipos[i - 1]))
            return false;
        if (tipos[i] == "90")
            return true;
    }
    return false;
}

bool TProtocolo::IncluirEnvioEmpresa(const std::string& identificador, int tipoInscricao, TDateTime dataRecolhimento,
                                     const std::string& codigoBarras, double valorTotal,
                                     const std::string& razaoSocial, const std::string& inscricao)
{
    std::string colunas = "NU_IDENTIFICADOR_ARQUIVO, NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO";
    std::string valores = SqlTexto(identificador) + ", " + SqlTexto(std::to_string(tipoInscricao)) + ", " +
                          SqlTexto(inscricao);
    if (!razaoSocial.empty()) {
        colunas += ", NO_RAZAO_SOCIAL";
        valores += ", " + SqlTexto(razaoSocial);
    }
    if (valorTotal != 0) {
        colunas += ", VR_TOTAL_RECOLHIDO";
        valores += ", " + ValorCentavos(valorTotal);
    }
    if (!codigoBarras.empty()) {
        colunas += ", CO_BARRAS_ENVIO_EMPRESA";
        valores += ", " + SqlTexto(codigoBarras);
    }
    if (DataInformada(dataRecolhimento)) {
        colunas += ", DT_RECOLHIMENTO_ENVIO_EMPRESA";
        valores += ", " + SqlData(dataRecolhimento, true);
    }
    try {
        Sessao().ExecutarSQL("INSERT INTO SFGTBG15_ENVIO_EMPRESA (" + colunas + ") VALUES (" + valores + ")");
        return true;
    } catch (const EBancoDados&) {
        return false;
    }
}

bool TProtocolo::AlterarEnvioEmpresa(const std::string& identificador, int tipoInscricao, TDateTime dataRecolhimento,
                                     const std::string& codigoBarras, double valorTotal,
                                     const std::string& razaoSocial, const std::string& inscricao)
{
    std::vector<std::string> itens;
    if (!razaoSocial.empty())
        itens.push_back("NO_RAZAO_SOCIAL = " + SqlTexto(razaoSocial));
    if (valorTotal != 0)
        itens.push_back("VR_TOTAL_RECOLHIDO = " + ValorCentavos(valorTotal));
    if (!codigoBarras.empty())
        itens.push_back("CO_BARRAS_ENVIO_EMPRESA = " + SqlTexto(codigoBarras));
    if (DataInformada(dataRecolhimento))
        itens.push_back("DT_RECOLHIMENTO_ENVIO_EMPRESA = " + SqlData(dataRecolhimento, true));
    if (itens.empty())
        return false;
    std::string sets;
    for (const std::string& item : itens)
        sets += (sets.empty() ? "" : ", ") + item;
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG15_ENVIO_EMPRESA SET " + sets + " WHERE NU_IDENTIFICADOR_ARQUIVO = " +
                             SqlTexto(identificador) + " AND NU_TIPO_INSCRICAO_ENVIO = " +
                             SqlTexto(std::to_string(tipoInscricao)) + " AND NU_INSCRICAO_ENVIO = " + SqlTexto(inscricao));
        return true;
    } catch (const EBancoDados&) {
        return false;
    }
}

bool TProtocolo::IncluirEnvioEmpregado(const std::string& identificador, int tipoInscricao, double valorTotal,
                                       const std::string& codigoMovimentacao, TDateTime dataMovimentacao,
                                       const std::string& nomeEmpregado, const std::string& pis,
                                       const std::string& inscricao, int categoria, TDateTime dataAdmissao)
{
    std::string colunas = "NU_IDENTIFICADOR_ARQUIVO, NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NU_PIS_ENVIO, "
                          "NU_CATEGORIA_ENVIO, DT_ADMISSAO_ENVIO";
    std::string valores = SqlTexto(identificador) + ", " + SqlTexto(std::to_string(tipoInscricao)) + ", " +
                          SqlTexto(inscricao) + ", " + SqlTexto(pis) + ", " + std::to_string(categoria) +
                          ", " + SqlData(dataAdmissao, true);
    if (!nomeEmpregado.empty()) {
        colunas += ", NO_EMPREGADO";
        valores += ", " + SqlTexto(nomeEmpregado);
    }
    if (valorTotal != 0) {
        colunas += ", VR_TOTAL_RECOLHIDO";
        valores += ", " + ValorCentavos(valorTotal);
    }
    if (!codigoMovimentacao.empty()) {
        colunas += ", CO_MOVIMENTACAO";
        valores += ", " + SqlTexto(codigoMovimentacao);
    }
    if (DataInformada(dataMovimentacao)) {
        colunas += ", DT_MOVIMENTACAO";
        valores += ", " + SqlData(dataMovimentacao, true);
    }
    try {
        Sessao().ExecutarSQL("INSERT INTO SFGTBG16_ENVIO_EMPREGADO (" + colunas + ") VALUES (" + valores + ")");
        return true;
    } catch (const EBancoDados&) {
        return false;
    }
}

bool TProtocolo::TotalizarEnvioEmpresas()
{
    auto somas = Sessao().AbrirConsulta(
        "SELECT TRAB.NU_TIPO_INSCRICAO_ENVIO, TRAB.NU_INSCRICAO_ENVIO, SUM(TRAB.VR_TOTAL_RECOLHIDO) AS "
        "TOT_RECOLHIDO_EMP FROM SFGTBG16_ENVIO_EMPREGADO TRAB JOIN SFGTBG15_ENVIO_EMPRESA EMP ON "
        "(TRAB.NU_IDENTIFICADOR_ARQUIVO = EMP.NU_IDENTIFICADOR_ARQUIVO AND TRAB.NU_TIPO_INSCRICAO_ENVIO = "
        "EMP.NU_TIPO_INSCRICAO_ENVIO AND TRAB.NU_INSCRICAO_ENVIO = EMP.NU_INSCRICAO_ENVIO AND "
        "TRAB.NU_ENVIO_EMPRESA = EMP.NU_ENVIO_EMPRESA) WHERE EMP.NU_IDENTIFICADOR_ARQUIVO = " +
        SqlTexto(Identificador) +
        " GROUP BY TRAB.NU_IDENTIFICADOR_ARQUIVO, TRAB.NU_TIPO_INSCRICAO_ENVIO, TRAB.NU_INSCRICAO_ENVIO, "
        "TRAB.NU_ENVIO_EMPRESA");
    bool alterou = false;
    for (somas->First(); !somas->Eof(); somas->Next()) {
        const int64_t n = Sessao().ExecutarSQL(
            "UPDATE SFGTBG15_ENVIO_EMPRESA SET VR_TOTAL_RECOLHIDO = " +
            ValorCentavos(somas->FieldByName("TOT_RECOLHIDO_EMP").AsFloat()) +
            " WHERE NU_IDENTIFICADOR_ARQUIVO = " + SqlTexto(Identificador) +
            " AND NU_TIPO_INSCRICAO_ENVIO = " + SqlTexto(somas->FieldByName("NU_TIPO_INSCRICAO_ENVIO").AsString()) +
            " AND NU_INSCRICAO_ENVIO = " + SqlTexto(somas->FieldByName("NU_INSCRICAO_ENVIO").AsString()));
        alterou = alterou || n > 0;
    }
    return alterou;
}

std::unique_ptr<TResultado> TProtocolo::ListarEnvioEmpresas(const std::string& identificador)
{
    return Sessao().AbrirConsulta("SELECT NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO, NO_RAZAO_SOCIAL, "
                                  "VR_TOTAL_RECOLHIDO, CO_BARRAS_ENVIO_EMPRESA, DT_RECOLHIMENTO_ENVIO_EMPRESA, "
                                  "DT_PROCESSAMENTO FROM SFGTBG15_ENVIO_EMPRESA WHERE NU_IDENTIFICADOR_ARQUIVO = " +
                                  SqlTexto(identificador));
}

std::unique_ptr<TResultado> TProtocolo::ListarEnvioEmpregados(const std::string& identificador,
                                                              const std::string& inscricao)
{
    return Sessao().AbrirConsulta("SELECT DISTINCT NU_PIS_ENVIO, DT_ADMISSAO_ENVIO, NO_EMPREGADO, "
                                  "VR_TOTAL_RECOLHIDO, NU_TIPO_INSCRICAO_ENVIO, NU_INSCRICAO_ENVIO "
                                  "FROM SFGTBG16_ENVIO_EMPREGADO WHERE NU_IDENTIFICADOR_ARQUIVO = " +
                                  SqlTexto(identificador) + " AND NU_INSCRICAO_ENVIO = " + SqlTexto(inscricao));
}

bool TProtocolo::MarcarValidade(bool valido)
{
    if (!ConsultarPorIdentificador())
        return false;
    ArquivoValido = valido ? "S" : "N";
    ArquivoAtendido = "S";
    return Alterar();
}

bool TProtocolo::GravarDataProcessamento(TDateTime data)
{
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG15_ENVIO_EMPRESA SET DT_PROCESSAMENTO = " + SqlData(data, true) +
                             " WHERE NU_IDENTIFICADOR_ARQUIVO = " + SqlTexto(Identificador));
        return true;
    } catch (const EBancoDados&) {
        return false;
    }
}

} // namespace drav
