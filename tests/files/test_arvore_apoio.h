#pragma once
// A small registration written straight to the tables, for the tree and participation tests and
// the main window's tests: a responsible, employers, workers with links in any state, the bank's
// accounts and pending name changes.
#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/Mensagens.h"
#include "core/Resultado.h"

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

namespace drav::teste {

inline constexpr int64_t kResponsavel = 11222333000181;
inline constexpr int64_t kEmpresaA = 11444777000161;
inline constexpr int64_t kEmpresaB = 33000167000101;
inline constexpr int64_t kEmpresaC = 60746948000112;

// A business day with pro-rata indices in the sample tables.
inline TDateTime DataPagamentoTeste() { return CodificarData(2026, 12, 14); }
inline TDateTime AdmissaoTeste() { return CodificarData(2015, 3, 2); }

inline std::string Aspas(const std::string& t)
{
    std::string r = "'";
    for (char c : t)
        r += c == '\'' ? std::string("''") : std::string(1, c);
    return r + "'";
}

inline void CriarEstabelecimento(TDBUtils& s, int tipo, int64_t inscricao, const std::string& razao,
                                 const std::string& papel)
{
    s.ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, SG_UF, NU_IBGE, NU_INSS, "
                  "NO_RAZAO_SOCIAL, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE, NU_DDD, NU_TELEFONE, "
                  "NO_CONTATO, IC_ESTADO_EMPRESA) VALUES (" +
                  std::to_string(tipo) + ", " + std::to_string(inscricao) + ", " +
                  (papel == "R" ? "NULL, 'SP', NULL, NULL" : "1, 'SP', 4781400, 515") + ", " + Aspas(razao) +
                  ", 'RUA DAS FLORES 100', 'CENTRO', 1310100, 'SAO PAULO', 11, 32145678, " +
                  (papel == "E" ? "NULL" : "'JOSE CARLOS'") + ", " + Aspas(papel) + ")");
}

struct VinculoTeste {
    int tipo = 1;
    int64_t inscricao = kEmpresaA;
    int64_t pis = 0;
    int categoria = 1;
    TDateTime admissao = AdmissaoTeste();
    int estado = 0;
    std::string nome;
    std::string movimentacao = "I1";
    TDateTime dataMovimentacao = CodificarData(2026, 11, 30);
    double remuneracao = 2500;
    std::string validacao = "N";
};

// A worker (inserted when its PIS is new) with one link and its rescission row.
inline void CriarVinculo(TDBUtils& s, const VinculoTeste& v)
{
    if (s.AbrirConsulta("SELECT NU_PIS FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " + std::to_string(v.pis))->IsEmpty())
        s.ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, NO_EMPREGADO, NU_CTPS, "
                      "NU_SERIE_CTPS, IC_SEXO, DT_NASCIMENTO) VALUES (" +
                      std::to_string(v.pis) + ", 7, " + Aspas(v.nome) + ", 1234567, 123, '1', '1985-07-20')");
    const std::string chave = std::to_string(v.tipo) + ", " + std::to_string(v.inscricao) + ", " +
                              std::to_string(v.pis) + ", " + std::to_string(v.categoria) + ", '" +
                              DataIso(v.admissao) + "'";
    s.ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                  "DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, DT_MOVIMENTACAO_VINCULO, CO_CBO, CO_SAQUE, DT_OPCAO, "
                  "IC_AVISO_PREVIO, IC_REPOSICAO_VAGAS, QT_HORAS_TRBS_SMNA, IC_ESTADO_MOVIMENTO, "
                  "IC_VALIDACAO_VINCULO) VALUES (" +
                  chave + ", " + Aspas(v.movimentacao) + ", '" + DataIso(v.dataMovimentacao) + "', '000101', '01', '" +
                  DataIso(v.admissao) + "', '2', 'N', 44, " + std::to_string(v.estado) + ", " + Aspas(v.validacao) +
                  ")");
    s.ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                  "DT_ADMISSAO_VINCULO, VR_REMUNERACAO_ANTERIOR_RSCSO, VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, "
                  "IC_TIPO_PNSO_ALMNA, IC_ORIGEM_SALDO_RESCISORIO, VR_DEPOSITO_RESCISAO) VALUES (" +
                  chave + ", " + FormatarValorPonto(v.remuneracao) + ", " + FormatarValorPonto(v.remuneracao) +
                  ", 0, 'N', 'N', " + (v.estado >= 2 ? "123.45" : "NULL") + ")");
}

inline std::string ChaveSql(const VinculoTeste& v)
{
    return "NU_TIPO_INSO_EMPRA = " + std::to_string(v.tipo) + " AND NU_INSCRICAO = " + std::to_string(v.inscricao) +
           " AND NU_PIS = " + std::to_string(v.pis) + " AND NU_CATEGORIA = " + std::to_string(v.categoria) +
           " AND DT_ADMISSAO_VINCULO = '" + DataIso(v.admissao) + "'";
}

// One of the bank's accounts for the link.
inline void CriarConta(TDBUtils& s, const VinculoTeste& v, int64_t numero, const std::string& nomeBanco,
                       double saldo = 1000, int situacao = 0, int situacaoPis = 1,
                       TDateTime gravacao = CodificarData(2026, 12, 10), int situacaoEmpresa = 0)
{
    s.ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                  "DT_ADMISSAO_VINCULO, NO_EMPREGADO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, "
                  "NU_SITUACAO_PIS, NU_SITUACAO_CONTA_EMPRESA, VR_SALDO_RESCISORIO, DT_GRAVACAO_ARQUIVO) VALUES (" +
                  std::to_string(v.tipo) + ", " + std::to_string(v.inscricao) + ", " + std::to_string(v.pis) + ", " +
                  std::to_string(v.categoria) + ", '" + DataIso(v.admissao) + "', " + Aspas(nomeBanco) + ", " +
                  std::to_string(numero) + ", " + std::to_string(situacao) + ", " + std::to_string(situacaoPis) +
                  ", " + std::to_string(situacaoEmpresa) + ", " + FormatarValorPonto(saldo) + ", '" +
                  DataIso(gravacao) + "')");
}

// A name change of kind 406 for one account of the link: "N" pending, "S" confirmed.
inline void CriarAlteracao(TDBUtils& s, const VinculoTeste& v, int64_t numeroConta, const std::string& confirmacao,
                           const std::string& nomeBanco)
{
    s.ExecutarSQL("INSERT INTO SFGTBG05_ALTERACAO_CADASTRAL (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                  "DT_ADMISSAO_VINCULO, NU_TIPO_ALTERACAO, DE_CONTEUDO_ANTERIOR, IC_CONFIRMACAO, "
                  "NU_EMPREGADO_QUELD_ALT_CDSTL) VALUES (" +
                  std::to_string(v.tipo) + ", " + std::to_string(v.inscricao) + ", " + std::to_string(v.pis) + ", " +
                  std::to_string(v.categoria) + ", '" + DataIso(v.admissao) + "', 406, " + Aspas(nomeBanco) + ", " +
                  Aspas(confirmacao) + ", " + std::to_string(numeroConta) + ")");
}

inline void AbrirColeta(TDBUtils& s, TDateTime data = DataPagamentoTeste())
{
    s.ExecutarSQL("DELETE FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
    s.ExecutarSQL("INSERT INTO SFGTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, DT_PAGAMENTO) "
                  "VALUES (1, " + std::to_string(kResponsavel) + ", '" + DataIso(data) + "')");
}

inline int EstadoGravado(TDBUtils& s, const VinculoTeste& v)
{
    auto r = s.AbrirConsulta("SELECT COALESCE(IC_ESTADO_MOVIMENTO, 0) AS E FROM SFGTBG04_VINCULO_EMPREGATICIO WHERE " +
                             ChaveSql(v));
    return r->IsEmpty() ? -1 : r->Field(0).AsInteger();
}

inline int64_t ContarLinhas(TDBUtils& s, const std::string& tabela, const std::string& onde = "1 = 1")
{
    return s.AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela + " WHERE " + onde)->Field(0).AsInt64();
}

// The registration most tests start from:
//   responsible "ESCRITORIO CONTABIL" ("R");
//   employer A "ACME INDUSTRIA" with four links, one in each state 0..3;
//   employer B "BETA COMERCIO" whose two links are closed (2) and processed (3);
//   employer C "CASA DAS PECAS" without links.
struct CadastroPadrao {
    std::vector<VinculoTeste> a; // states 0, 1, 2, 3
    std::vector<VinculoTeste> b; // states 2, 3
};

inline CadastroPadrao CriarCadastroPadrao(TDBUtils& s)
{
    CriarEstabelecimento(s, 1, kResponsavel, "ESCRITORIO CONTABIL", "R");
    CriarEstabelecimento(s, 1, kEmpresaA, "ACME INDUSTRIA", "E");
    CriarEstabelecimento(s, 1, kEmpresaB, "BETA COMERCIO", "E");
    CriarEstabelecimento(s, 1, kEmpresaC, "CASA DAS PECAS", "E");
    CadastroPadrao c;
    const char* nomesA[] = {"ANA PAULA SOUZA", "BRUNO LIMA", "CARLA DIAS", "DANIEL ROCHA"};
    for (int e = 0; e < 4; ++e) {
        VinculoTeste v;
        v.inscricao = kEmpresaA;
        v.pis = 12000000000 + e;
        v.estado = e;
        v.nome = nomesA[e];
        CriarVinculo(s, v);
        c.a.push_back(v);
    }
    const char* nomesB[] = {"EDUARDO MELO", "FABIANA COSTA"};
    for (int e = 0; e < 2; ++e) {
        VinculoTeste v;
        v.inscricao = kEmpresaB;
        v.pis = 13000000000 + e;
        v.estado = 2 + e;
        v.nome = nomesB[e];
        CriarVinculo(s, v);
        c.b.push_back(v);
    }
    return c;
}

// Records every message and answers the questions from a list (Yes when the list is empty).
class ApresentadorRoteiro : public IApresentador {
public:
    std::vector<DialogoMensagem> mostrados;
    std::deque<int> respostas;
    int Mostrar(const DialogoMensagem& d) override
    {
        mostrados.push_back(d);
        if ((d.botoes & Botoes::Sim) == 0)
            return mrOk;
        if (respostas.empty())
            return mrYes;
        const int r = respostas.front();
        respostas.pop_front();
        return r;
    }
    void MostrarErroSistema(const std::string& texto, const std::string&) override { erros.push_back(texto); }
    std::vector<std::string> erros;

    // The texts shown, in order.
    std::vector<std::string> Textos() const
    {
        std::vector<std::string> t;
        for (const auto& d : mostrados)
            t.push_back(d.texto);
        return t;
    }
    bool Mostrou(const std::string& prefixoTexto) const
    {
        for (const auto& d : mostrados)
            if (d.texto.rfind(prefixoTexto, 0) == 0)
                return true;
        return false;
    }
};

} // namespace drav::teste
