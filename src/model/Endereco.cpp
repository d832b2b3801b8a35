#include "model/Endereco.h"

#include "core/DBUtils.h"
#include "core/Utilitarios.h"

namespace drav {

namespace {

bool Letra(char c) { return c >= 'A' && c <= 'Z'; }
bool Digito(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool TEndereco::TextoValido(const std::string& texto)
{
    if (texto.empty() || texto[0] == ' ' || static_cast<unsigned char>(texto[0]) < ' ')
        return false;
    const std::string t = MaiusculasAscii(Aparar(texto));
    if (t.find("  ") != std::string::npos)
        return false;
    // Byte by byte: any byte of an accented letter is outside the allowed set.
    for (char c : t)
        if (c != ' ' && !Digito(c) && !Letra(c))
            return false;
    int seguidos = 1;
    for (std::size_t i = 1; i < t.size(); ++i) {
        if (t[i] == t[i - 1] && (Letra(t[i]) || t[i] == ' '))
            ++seguidos;
        else
            seguidos = 1;
        if (seguidos >= 3)
            return false;
    }
    return true;
}

bool TEndereco::ValidarTextoEndereco(const std::string& texto)
{
    CodigoMensagem.clear();
    return TextoValido(texto);
}

bool TEndereco::ValidarLogradouro()
{
    const bool ok = ValidarTextoEndereco(Logradouro);
    Logradouro = Aparar(Logradouro);
    if (!ok)
        CodigoMensagem = "0096";
    return CodigoMensagem.empty();
}

bool TEndereco::ValidarBairro()
{
    const bool ok = ValidarTextoEndereco(Bairro);
    Bairro = Aparar(Bairro);
    if (!ok)
        CodigoMensagem = "0095";
    return CodigoMensagem.empty();
}

bool TEndereco::ValidarLocalidade()
{
    const bool ok = ValidarTextoEndereco(Localidade);
    Localidade = Aparar(Localidade);
    if (!ok)
        CodigoMensagem = "0094";
    return CodigoMensagem.empty();
}

bool TEndereco::ValidarCep()
{
    CodigoMensagem.clear();
    const bool valido = [this] {
        if (Cep.size() < 8 || !SoNumeros(Cep))
            return false;
        if (Cep == "20000000" || Cep == "30000000" || Cep == "70000000" || Cep == "80000000")
            return false;
        if (TodosIguais(Cep))
            return false;
        return StrToInteiro(Cep.substr(0, 5)) >= 1000;
    }();
    if (!valido)
        CodigoMensagem = "0101";
    return CodigoMensagem.empty();
}

bool TEndereco::ValidarUf()
{
    CodigoMensagem.clear();
    if (Uf.empty()) {
        CodigoMensagem = "0132";
        return false;
    }
    if (Sessao().AbrirConsulta("SELECT SG_UF FROM SFGTBT08_UNIDADE_FEDERACAO  WHERE SG_UF = " + SqlTexto(Uf) + " ")
            ->IsEmpty())
        CodigoMensagem = "0133";
    return CodigoMensagem.empty();
}

void TEndereco::Limpar()
{
    CodigoMensagem.clear();
    Logradouro.clear();
    Bairro.clear();
    Localidade.clear();
    Cep.clear();
    Uf.clear();
}

} // namespace drav
