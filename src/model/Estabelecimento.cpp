#include "model/Estabelecimento.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Utilitarios.h"

#include <cmath>

namespace drav {

const char* const TEstabelecimento::kSqlSelect =
    "SELECT EMP.NU_TIPO_INSO_EMPRA, EMP.NU_INSCRICAO AS NU_INSCRICAO, EMP.NU_SIMPLES AS SIMPLES, EMP.SG_UF  , "
    "EMP.NU_IBGE AS NU_IBGE, EMP.NU_INSS AS FPAS, EMP.DE_LOGRADOURO , EMP.NO_BAIRRO  , EMP.NU_CEP  , "
    "EMP.NO_LOCALIDADE  , EMP.NU_DDD  , EMP.NU_TELEFONE  , EMP.IC_ESTADO_EMPRESA, EMP.NO_CONTATO, "
    "EMP.CO_ENDERECO_VIRTUAL_CONTATO, TRIM(EMP.NO_RAZAO_SOCIAL)AS NO_RAZAO_SOCIAL ";
const char* const TEstabelecimento::kSqlFrom = "FROM SFGTBG02_EMPRESA EMP ";

TEstabelecimento::TEstabelecimento(TDBUtils& sessao) : TNegocio(sessao) { TEstabelecimento::Inicializar(); }

TEstabelecimento::~TEstabelecimento() = default;

void TEstabelecimento::Inicializar()
{
    CodigoMensagem.clear();
    TipoInscricao = 0;
    Inscricao.clear();
    RazaoSocial.clear();
    SqlSelect = kSqlSelect;
    SqlFrom = kSqlFrom;
}

void TEstabelecimento::Limpar() { endereco_.reset(); }

void TEstabelecimento::CarregarCampos()
{
    TNegocio::CarregarCampos();
    TipoInscricao = static_cast<uint8_t>(Campo("NU_TIPO_INSO_EMPRA").AsInteger());
    Inscricao = CompletarZeros(std::to_string(Campo("NU_INSCRICAO").AsInt64()), 14);
    EstadoEmpresa = Aparar(Campo("IC_ESTADO_EMPRESA").AsString());
    RazaoSocial = Campo("NO_RAZAO_SOCIAL").AsString();
    TEndereco& e = Endereco();
    e.Logradouro = Campo("DE_LOGRADOURO").AsString();
    e.Bairro = Campo("NO_BAIRRO").AsString();
    // The postal code is kept as a number: a code beginning with 0 (01310100) comes back with
    // seven digits and would no longer pass its own check when the record is edited.
    const TCampo cep = Campo("NU_CEP");
    e.Cep = cep.IsNull() ? std::string() : CompletarZeros(cep.AsString(), 8);
    e.Localidade = Campo("NO_LOCALIDADE").AsString();
    e.Uf = Aparar(Campo("SG_UF").AsString());
    Ddd = Campo("NU_DDD").AsString();
    Telefone = Campo("NU_TELEFONE").AsString();
}

TEndereco& TEstabelecimento::Endereco()
{
    if (!endereco_)
        endereco_ = std::make_unique<TEndereco>(Sessao());
    return *endereco_;
}

void TEstabelecimento::LimparCampos()
{
    TipoInscricao = 0;
    Inscricao.clear();
    RazaoSocial.clear();
    NomeContato.clear();
    Telefone.clear();
    Ddd.clear();
    Email.clear();
    EstadoEmpresa.clear();
    endereco_.reset();
}

bool TEstabelecimento::ConsultarPorInscricao(int tipo, int64_t numero)
{
    CodigoMensagem.clear();
    try {
        AbrirConsulta(" WHERE EMP.NU_TIPO_INSO_EMPRA = " + std::to_string(tipo) + " " +
                      "AND   EMP.NU_INSCRICAO       = " + std::to_string(numero));
    } catch (const std::exception&) {
        CodigoMensagem = "0144";
    }
    return CodigoMensagem.empty();
}

std::string TEstabelecimento::InscricaoFormatada() const
{
    if (TipoInscricao != 1 && TipoInscricao != 2)
        return "0";
    const int64_t n = StrToInteiro64(RemoverPontos(Aparar(Inscricao)));
    return CompletarZeros(std::to_string(n < 0 ? 0 : n), TipoInscricao == 1 ? 14 : 12);
}

ChaveEstabelecimento TEstabelecimento::Chave() const
{
    return {TipoInscricao, StrToInteiro64(InscricaoFormatada())};
}

std::string TEstabelecimento::FiltroChave() const
{
    return " WHERE NU_TIPO_INSO_EMPRA = " + std::to_string(TipoInscricao) +
           " AND NU_INSCRICAO = " + InscricaoFormatada();
}

std::string TEstabelecimento::NumeroSql(const std::string& texto)
{
    const std::string t = Aparar(texto);
    if (t.empty())
        return "NULL";
    if (!SoNumeros(t))
        throw ENegocio("Valor numérico inválido: '" + t + "'");
    const auto primeiro = t.find_first_not_of('0');
    return primeiro == std::string::npos ? "0" : t.substr(primeiro);
}

bool TEstabelecimento::ValidarTipoInscricao()
{
    CodigoMensagem.clear();
    if (TipoInscricao != 1 && TipoInscricao != 2)
        CodigoMensagem = "0129";
    return CodigoMensagem.empty();
}

bool TEstabelecimento::ValidarInscricao()
{
    CodigoMensagem.clear();
    if (TipoInscricao != 1 && TipoInscricao != 2)
        return true;
    // A number with decimals is no inscription; it reads as 0, which both checks refuse.
    const double valor = StrToValor(Inscricao);
    const int64_t numero =
        (valor > 0 && valor < 1e15 && std::floor(valor) == valor) ? static_cast<int64_t>(valor) : 0;
    if (TipoInscricao == 1 && !ValidarCNPJ(numero))
        CodigoMensagem = "0021";
    else if (TipoInscricao == 2 && !ValidarCEI(numero))
        CodigoMensagem = "0018";
    return CodigoMensagem.empty();
}

bool TEstabelecimento::ValidarRazaoSocial()
{
    CodigoMensagem.clear();
    if (!RazaoSocial.empty() && RazaoSocial[0] != ' ')
        RazaoSocial = Aparar(RazaoSocial);
    if (!TEndereco::TextoValido(RazaoSocial))
        CodigoMensagem = "0177";
    return CodigoMensagem.empty();
}

bool TEstabelecimento::ValidarDdd()
{
    CodigoMensagem.clear();
    const int n = StrToInteiro(Ddd);
    Ddd = n < 0 ? "-" + CompletarZeros(std::to_string(-static_cast<int64_t>(n)), 4)
                : CompletarZeros(std::to_string(n), 4);
    const std::string t = Aparar(Ddd);
    int zeros = 0;
    for (char c : t)
        zeros += c == '0';
    if (t.size() < 2 || !SoNumeros(t) || zeros >= 3)
        CodigoMensagem = "0024";
    return CodigoMensagem.empty();
}

bool TEstabelecimento::ValidarTelefone()
{
    CodigoMensagem.clear();
    Telefone = Aparar(Telefone);
    const std::string& t = Telefone;
    const bool valido = [&t] {
        if (!SoNumeros(t))
            return false;
        if (t.size() >= 8 && StrToInteiro(t.substr(2)) == 0)
            return false;
        if (t.size() < 7 || (t.size() == 7 && t[0] == '0'))
            return false;
        return std::to_string(StrToInteiro(t)).size() >= 7;
    }();
    if (!valido)
        CodigoMensagem = "0128";
    return CodigoMensagem.empty();
}

bool TEstabelecimento::ValidarEmail()
{
    CodigoMensagem.clear();
    const auto ultimo = Email.find_last_not_of(' ');
    if (ultimo == std::string::npos)
        return true;
    int arrobas = 0, pontos = 0;
    bool outros = true;
    for (std::size_t i = 0; i <= ultimo; ++i) {
        const char c = Email[i];
        if (c == '@')
            ++arrobas;
        else if (c == '.')
            ++pontos;
        else if (c == '-' || c == '_' || (c >= '0' && c <= '9'))
            continue;
        else {
            const char m = MaiusculasAscii(std::string(1, c))[0];
            if (m < 'A' || m > 'Z')
                outros = false;
        }
    }
    if (arrobas != 1 || pontos < 1 || !outros)
        CodigoMensagem = "0065";
    return CodigoMensagem.empty();
}

} // namespace drav
