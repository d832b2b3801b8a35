#include "model/Empresa.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Utilitarios.h"
#include "model/OuvinteArvore.h"

namespace drav {

namespace {

const char* const kSoEmpregadores = " WHERE EMP.IC_ESTADO_EMPRESA IN ('E', 'A')";
const char* const kOrdemNome = " ORDER BY EMP.NO_RAZAO_SOCIAL, EMP.NU_TIPO_INSO_EMPRA, EMP.NU_INSCRICAO";

// The role of a key as stored, or empty when the key has no row.
std::string EstadoArmazenado(TDBUtils& sessao, int tipo, const std::string& numero)
{
    auto r = sessao.AbrirConsulta("SELECT EMP.IC_ESTADO_EMPRESA FROM SFGTBG02_EMPRESA EMP WHERE EMP.NU_TIPO_INSO_EMPRA = " +
                                  std::to_string(tipo) + " AND EMP.NU_INSCRICAO = " + numero);
    return r->IsEmpty() ? std::string() : Aparar(r->FieldByName("IC_ESTADO_EMPRESA").AsString());
}

// LIKE pattern for "contains the text": the text's own % and _ are matched literally.
std::string PadraoContem(const std::string& texto)
{
    std::string p = "%";
    for (char c : texto) {
        if (c == '\\' || c == '%' || c == '_')
            p += '\\';
        p += c;
    }
    return SqlTexto(p + "%") + " ESCAPE '\\'";
}

int FpasNumero(const std::string& fpas) { return StrToInteiro(Aparar(fpas)); }

} // namespace

TEmpresa::TEmpresa(TDBUtils& sessao) : TEstabelecimento(sessao) { TEmpresa::Inicializar(); }

void TEmpresa::Inicializar()
{
    TEstabelecimento::Inicializar();
    Cnae.clear();
    Fpas.clear();
    RazaoSocial.clear();
    Simples = 0;
    SaldoEmpresa = 0;
}

void TEmpresa::CarregarCampos()
{
    TEstabelecimento::CarregarCampos();
    Cnae = Campo("NU_IBGE").AsString();
    Fpas = Campo("FPAS").AsString();
    RazaoSocial = Campo("NO_RAZAO_SOCIAL").AsString();
    Simples = static_cast<int16_t>(Campo("SIMPLES").AsInteger());
    SaldoEmpresa = ExisteCampo("SALDO_EMPRESA") ? Campo("SALDO_EMPRESA").AsFloat() : 0;
}

bool TEmpresa::ConsultarEmpresa(int tipo, int64_t numero)
{
    CodigoMensagem.clear();
    try {
        AbrirConsulta(std::string(kSoEmpregadores) + "  AND EMP.NU_TIPO_INSO_EMPRA = " + std::to_string(tipo) +
                      " AND EMP.NU_INSCRICAO = " + std::to_string(numero));
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
    }
    return CodigoMensagem.empty();
}

void TEmpresa::ListarEmpresas() { AbrirConsulta(std::string(kSoEmpregadores) + kOrdemNome); }

void TEmpresa::ListarPorRazaoSocial(const std::string& texto)
{
    AbrirConsulta(std::string(kSoEmpregadores) + " AND EMP.NO_RAZAO_SOCIAL LIKE " + PadraoContem(texto) + kOrdemNome);
}

void TEmpresa::ListarEmpresasComVinculos()
{
    AbrirConsulta(" WHERE EMP.IC_ESTADO_EMPRESA IN ('E','A') AND EXISTS( SELECT VINC.NU_TIPO_INSO_EMPRA FROM "
                  "SFGTBG04_VINCULO_EMPREGATICIO VINC WHERE VINC.NU_TIPO_INSO_EMPRA = EMP.NU_TIPO_INSO_EMPRA AND "
                  "VINC.NU_INSCRICAO = EMP.NU_INSCRICAO )" +
                  std::string(kOrdemNome));
}

void TEmpresa::ListarEmpresasComSaldo(int tipo, bool todos, int64_t numero, int64_t pis, const std::string& ordem)
{
    // The order is a column list chosen by the program; anything else is a misuse, not SQL to run.
    for (char c : ordem)
        if (!(c == ' ' || c == ',' || c == '.' || c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') ||
              (c >= 'a' && c <= 'z')))
            throw ENegocio("Ordem de listagem inválida: " + ordem);
    std::string filtro = " WHERE EMP.IC_ESTADO_EMPRESA IN ('E', 'A') AND TRAB.NU_SITUACAO_CONTA_EMPREGADO <> 3";
    if (!todos) {
        if (tipo > 0)
            filtro += " AND EMP.NU_TIPO_INSO_EMPRA = " + std::to_string(tipo);
        if (numero > 0)
            filtro += " AND EMP.NU_INSCRICAO = " + std::to_string(numero);
        if (pis > 0)
            filtro += " AND TRAB.NU_PIS = " + std::to_string(pis);
    }
    const std::string ordenacao = Aparar(ordem).empty() ? std::string() : " ORDER BY " + ordem;
    CodigoMensagem.clear();
    try {
        AtribuirDataSet(Sessao().AbrirConsulta(
            SqlSelect + ", SUM(TRAB.VR_SALDO_RESCISORIO) AS SALDO_EMPRESA " + SqlFrom +
            " LEFT JOIN SFGTBG10_CONTA_EMPREGADO_FGTS TRAB ON EMP.NU_TIPO_INSO_EMPRA = TRAB.NU_TIPO_INSO_EMPRA AND "
            "EMP.NU_INSCRICAO = TRAB.NU_INSCRICAO" +
            filtro +
            " GROUP BY EMP.NU_TIPO_INSO_EMPRA, EMP.NU_INSCRICAO, EMP.NO_RAZAO_SOCIAL, EMP.NU_SIMPLES, EMP.SG_UF, "
            "EMP.NU_IBGE, EMP.NU_INSS, EMP.DE_LOGRADOURO, EMP.NO_BAIRRO, EMP.NU_CEP, EMP.NO_LOCALIDADE, EMP.NU_DDD, "
            "EMP.NU_TELEFONE, EMP.IC_ESTADO_EMPRESA, EMP.NO_CONTATO, EMP.CO_ENDERECO_VIRTUAL_CONTATO HAVING "
            "SUM(TRAB.VR_SALDO_RESCISORIO) >= 0 " +
            ordenacao));
        Primeiro();
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
    }
}

bool TEmpresa::LocalizarInscricao(const std::string& numero)
{
    if (Aparar(numero).empty() || !TemDataSet())
        return false;
    const int64_t procurado = StrToInteiro64(numero);
    TResultado& r = DataSet();
    if (r.IsEmpty())
        return false;
    for (r.First(); !r.Eof(); r.Next()) {
        if (r.FieldByName("NU_INSCRICAO").AsInt64() == procurado) {
            CarregarCampos();
            return true;
        }
    }
    return false;
}

int TEmpresa::ContarVinculosPorCategoria(int tipo, int categoria, bool igual, int64_t numero)
{
    auto r = Sessao().AbrirConsulta(
        "SELECT COUNT(NU_TIPO_INSO_EMPRA ) AS CONTA FROM SFGTBG04_VINCULO_EMPREGATICIO  WHERE NU_TIPO_INSO_EMPRA = " +
        std::to_string(tipo) + " AND NU_INSCRICAO = " + std::to_string(numero) + " AND NU_CATEGORIA " +
        (igual ? "= " : "<> ") + std::to_string(categoria));
    return r->FieldByName("CONTA").AsInteger();
}

int TEmpresa::ContarVinculos(bool soFechados)
{
    auto r = Sessao().AbrirConsulta("SELECT COUNT(*) AS CONTA FROM SFGTBG04_VINCULO_EMPREGATICIO" + FiltroChave() +
                                    (soFechados ? " AND IC_ESTADO_MOVIMENTO IN (2, 3)" : ""));
    return r->FieldByName("CONTA").AsInteger();
}

bool TEmpresa::ValidarCnae()
{
    CodigoMensagem.clear();
    const std::string cnae = Aparar(Cnae);
    if (cnae.empty())
        CodigoMensagem = "0019";
    else if (!SoNumeros(cnae) || cnae.size() > 9)
        CodigoMensagem = "0140";
    else if (Sessao()
                 .AbrirConsulta("SELECT NU_IBGE FROM SFGTBT03_ATIVIDADE_CNAE_NIVEL_5  WHERE NU_IBGE = " +
                                NumeroSql(cnae) + " ")
                 ->IsEmpty())
        CodigoMensagem = "0140";
    return CodigoMensagem.empty();
}

bool TEmpresa::ValidarFpas()
{
    CodigoMensagem.clear();
    const std::string fpas = Aparar(Fpas);
    if (fpas.empty()) {
        CodigoMensagem = "0070";
        return false;
    }
    if (!SoNumeros(fpas) || fpas.size() > 9) {
        CodigoMensagem = "0244";
        return false;
    }
    if (Sessao().AbrirConsulta("SELECT NU_INSS FROM SFGTBT01_FPAS  WHERE NU_INSS = " + SqlTexto(fpas) + " ")->IsEmpty())
        CodigoMensagem = "0244";
    // Compared as numbers: "0868" is the domestic employer too, and must not slip past its rules.
    const bool domestico = FpasNumero(fpas) == 868;
    if (domestico && TipoInscricao != 2)
        CodigoMensagem = "0226";
    const int64_t numero = StrToInteiro64(InscricaoFormatada());
    if (!domestico && ContarVinculosPorCategoria(TipoInscricao, 6, true, numero) > 0) {
        CodigoMensagem = "0429";
        return false;
    }
    if (domestico && ContarVinculosPorCategoria(TipoInscricao, 6, false, numero) > 0)
        CodigoMensagem = "0432";
    return CodigoMensagem.empty();
}

bool TEmpresa::ValidarSimples()
{
    CodigoMensagem.clear();
    const int fpas = FpasNumero(Fpas);
    if (fpas == 868 && Simples != 1)
        CodigoMensagem = "0123";
    if ((fpas == 582 || fpas == 639) && Simples != 1 && Simples != 5)
        CodigoMensagem = "0124";
    if (Sessao()
            .AbrirConsulta("SELECT NU_SIMPLES FROM SFGTBT02_TIPO_OPCAO_SIMPLES WHERE NU_SIMPLES = " +
                           std::to_string(Simples))
            ->IsEmpty())
        CodigoMensagem = "0213";
    if (Simples == 4 && (fpas != 604 || TipoInscricao != 2))
        CodigoMensagem = "0126";
    return CodigoMensagem.empty();
}

CampoEmpresa TEmpresa::ValidarCadastro()
{
    using C = CampoEmpresa;
    TEndereco& e = Endereco();
    const auto falha = [this](const std::string& codigo, C campo) {
        CodigoMensagem = codigo;
        return campo;
    };
    if (!ValidarTipoInscricao())
        return C::TipoInscricao;
    if (!ValidarInscricao())
        return C::Inscricao;
    if (!ValidarRazaoSocial())
        return C::RazaoSocial;
    if (!e.ValidarLogradouro())
        return falha(e.CodigoMensagem, C::Logradouro);
    if (!e.ValidarBairro())
        return falha(e.CodigoMensagem, C::Bairro);
    if (!e.ValidarCep())
        return falha(e.CodigoMensagem, C::Cep);
    if (!e.ValidarLocalidade())
        return falha(e.CodigoMensagem, C::Localidade);
    if (!e.ValidarUf())
        return falha(e.CodigoMensagem, C::Uf);
    if (!ValidarDdd())
        return C::Ddd;
    if (!ValidarTelefone())
        return C::Telefone;
    if (Aparar(Cnae).empty())
        return falha("0019", C::Cnae);
    if (!ValidarCnae())
        return C::Cnae;
    if (Aparar(Fpas).empty())
        return falha("0070", C::Fpas);
    if (!ValidarFpas())
        return C::Fpas;
    if (Simples == 0)
        return falha("0125", C::Simples);
    if (!ValidarSimples())
        return C::Simples;
    CodigoMensagem.clear();
    return C::Nenhum;
}

bool TEmpresa::Incluir()
{
    CodigoMensagem.clear();
    bool virouAmbos = false;
    try {
        TTransacao transacao(Sessao());
        const std::string estado = EstadoArmazenado(Sessao(), TipoInscricao, InscricaoFormatada());
        if (estado == "E" || estado == "A") {
            CodigoMensagem = "0207";
            return false;
        }
        if (estado == "R") {
            // The responsible's own inscription: one row takes both roles.
            if (!Alterar())
                return false;
            Sessao().ExecutarSQL("UPDATE SFGTBG02_EMPRESA SET IC_ESTADO_EMPRESA = 'A' WHERE IC_ESTADO_EMPRESA = 'R'");
            virouAmbos = true;
        } else {
            TEndereco& e = Endereco();
            Sessao().ExecutarSQL(
                "INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, SG_UF, NU_IBGE, NU_INSS, "
                "NO_RAZAO_SOCIAL, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE, NU_DDD, NU_TELEFONE, NO_CONTATO, "
                "CO_ENDERECO_VIRTUAL_CONTATO, IC_ESTADO_EMPRESA) VALUES (" +
                std::to_string(TipoInscricao) + ", " + InscricaoFormatada() + ", " + SqlInteiro(Simples) + ", " +
                SqlTexto(e.Uf) + ", " + NumeroSql(Cnae) + ", " + NumeroSql(Fpas) + ", " + SqlTexto(RazaoSocial) +
                ", " + SqlTexto(e.Logradouro) + ", " + SqlTexto(e.Bairro) + ", " + NumeroSql(e.Cep) + ", " +
                SqlTexto(e.Localidade) + ", " + NumeroSql(Ddd) + ", " + NumeroSql(Telefone) + ", NULL, " +
                SqlTexto(Email) + ", 'E')");
        }
        transacao.Confirmar();
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
        return false;
    }
    if (virouAmbos) {
        EstadoEmpresa = "A";
        if (Ouvinte)
            Ouvinte->EstadoResponsavelAlterado("A");
    } else {
        EstadoEmpresa = "E";
    }
    return true;
}

bool TEmpresa::Alterar()
{
    CodigoMensagem.clear();
    try {
        TEndereco& e = Endereco();
        Sessao().ExecutarSQL("UPDATE SFGTBG02_EMPRESA SET NU_SIMPLES = " + SqlInteiro(Simples) +
                             ", SG_UF = " + SqlTexto(e.Uf) + ", NU_IBGE = " + NumeroSql(Cnae) +
                             ", NU_INSS = " + NumeroSql(Fpas) + ", NO_RAZAO_SOCIAL = " + SqlTexto(RazaoSocial) +
                             ", DE_LOGRADOURO = " + SqlTexto(e.Logradouro) + ", NO_BAIRRO = " + SqlTexto(e.Bairro) +
                             ", NU_CEP = " + NumeroSql(e.Cep) + ", NO_LOCALIDADE = " + SqlTexto(e.Localidade) +
                             ", NU_DDD = " + NumeroSql(Ddd) + ", NU_TELEFONE = " + NumeroSql(Telefone) +
                             FiltroChave());
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
    }
    return CodigoMensagem.empty();
}

bool TEmpresa::Excluir()
{
    CodigoMensagem.clear();
    std::string estado;
    try {
        TTransacao transacao(Sessao());
        const std::string numero = InscricaoFormatada();
        estado = EstadoArmazenado(Sessao(), TipoInscricao, numero);
        if (estado != "E" && estado != "A")
            throw ENegocio("Empresa não cadastrada: " + std::to_string(TipoInscricao) + " " + numero);
        const std::string filtro = FiltroChave();
        for (const char* tabela : {"SFGTBG10_CONTA_EMPREGADO_FGTS", "SFGTBG07_COMPLEMENTO_SALDO",
                                   "SFGTBG06_INFORMACAO_RESCISAO", "SFGTBG05_ALTERACAO_CADASTRAL",
                                   "SFGTBG04_VINCULO_EMPREGATICIO"})
            Sessao().ExecutarSQL(std::string("DELETE FROM ") + tabela + " " + filtro);
        // A worker exists only while some link of any employer holds them.
        Sessao().ExecutarSQL("DELETE FROM SFGTBG03_EMPREGADO EMPR  WHERE  NOT EXISTS (SELECT * FROM "
                             "SFGTBG04_VINCULO_EMPREGATICIO VINC        WHERE VINC.NU_PIS = EMPR.NU_PIS) ");
        if (estado == "E")
            Sessao().ExecutarSQL("DELETE FROM SFGTBG02_EMPRESA" + filtro + " AND IC_ESTADO_EMPRESA = 'E'");
        else
            Sessao().ExecutarSQL("UPDATE SFGTBG02_EMPRESA SET IC_ESTADO_EMPRESA = 'R', NU_SIMPLES = NULL, NU_IBGE = "
                                 "NULL, NU_INSS = NULL" +
                                 filtro + " AND IC_ESTADO_EMPRESA = 'A'");
        transacao.Confirmar();
    } catch (...) {
        CodigoMensagem = "0144";
        throw;
    }
    if (estado == "A") {
        EstadoEmpresa = "R";
        if (Ouvinte)
            Ouvinte->EstadoResponsavelAlterado("R");
    }
    return true;
}

bool TEmpresa::MarcarResponsavelComoEmpresa()
{
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG02_EMPRESA SET IC_ESTADO_EMPRESA = 'A' WHERE IC_ESTADO_EMPRESA = 'R'");
    } catch (const std::exception&) {
        return false;
    }
    if (Ouvinte)
        Ouvinte->EstadoResponsavelAlterado("A");
    return true;
}

bool TEmpresa::DesmarcarEmpresaDoResponsavel()
{
    try {
        Sessao().ExecutarSQL("UPDATE SFGTBG02_EMPRESA SET IC_ESTADO_EMPRESA = 'R', NU_SIMPLES = NULL, NU_IBGE = NULL, "
                             "NU_INSS = NULL WHERE IC_ESTADO_EMPRESA = 'A'");
    } catch (const std::exception&) {
        return false;
    }
    if (Ouvinte)
        Ouvinte->EstadoResponsavelAlterado("R");
    return true;
}

} // namespace drav
