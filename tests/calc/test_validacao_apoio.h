#pragma once
// A link that passes every check, written straight to the tables from SQL literals, so that a
// test can change one literal and see which rule catches it.
#include "core/DBUtils.h"
#include "core/Resultado.h"

#include <cstdint>
#include <string>
#include <vector>

namespace drav::teste {

inline constexpr int64_t kCnpjValidacao = 11222333000181;
inline constexpr int64_t kCeiValidacao = 510000000013;

struct CadastroTeste {
    // employer
    std::string tipo = "1", inscricao = "11222333000181", fpas = "515", razao = "'EMPRESA MODELO LTDA'";
    // worker
    std::string pis = "12034567899", nome = "'MARIA DA SILVA'", grau = "7", ctps = "1234567", serie = "123",
                sexo = "'2'", nascimento = "'1985-07-20'", cpf = "52998224725";
    // link
    std::string categoria = "1", admissao = "'2015-03-02'", opcao = "'2015-03-02'", movimentacao = "'I1'",
                dataMovimentacao = "'2024-05-31'", saque = "'01'", cbo = "'000101'", aviso = "'2'",
                inicioAviso = "NULL", reposicao = "'N'", horas = "44", tipoTomador = "0", inscricaoTomador = "0",
                banco = "1", agencia = "1234", conta = "987654", estado = "0";
    // rescission data
    std::string dataDissidio = "NULL", valorDissidio = "0", remuneracaoAnterior = "2500",
                remuneracaoRescisao = "2600.50", valorAviso = "3000", tipoPensao = "'N'", pensao = "0",
                origem = "'N'", saldo = "0";
    // further statements (balance complements, other links)
    std::vector<std::string> extras;
};

inline std::string ChaveSql(const CadastroTeste& c)
{
    return "NU_TIPO_INSO_EMPRA = " + c.tipo + " AND NU_INSCRICAO = " + c.inscricao + " AND NU_PIS = " + c.pis +
           " AND NU_CATEGORIA = " + c.categoria + " AND DT_ADMISSAO_VINCULO = " + c.admissao;
}

inline void GravarEmpresa(TDBUtils& s, const CadastroTeste& c)
{
    auto existe = s.AbrirConsulta("SELECT 1 AS X FROM SFGTBG02_EMPRESA WHERE NU_TIPO_INSO_EMPRA = " + c.tipo +
                                  " AND NU_INSCRICAO = " + c.inscricao);
    if (existe->IsEmpty())
        s.ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, SG_UF, NU_INSS, "
                      "NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (" + c.tipo + ", " + c.inscricao + ", 1, 'SP', " +
                      c.fpas + ", " + c.razao + ", 'E')");
}

inline void GravarCadastro(TDBUtils& s, const CadastroTeste& c)
{
    GravarEmpresa(s, c);
    auto trabalhador = s.AbrirConsulta("SELECT 1 AS X FROM SFGTBG03_EMPREGADO WHERE NU_PIS = " + c.pis);
    if (trabalhador->IsEmpty())
        s.ExecutarSQL("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, NO_EMPREGADO, NU_CTPS, "
                      "NU_SERIE_CTPS, IC_SEXO, DT_NASCIMENTO, NU_INSCRICAO_CPF) VALUES (" + c.pis + ", " + c.grau +
                      ", " + c.nome + ", " + c.ctps + ", " + c.serie + ", " + c.sexo + ", " + c.nascimento + ", " +
                      c.cpf + ")");
    const std::string chave = c.tipo + ", " + c.inscricao + ", " + c.pis + ", " + c.categoria + ", " + c.admissao;
    s.ExecutarSQL("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                  "DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, DT_MOVIMENTACAO_VINCULO, CO_CBO, CO_SAQUE, DT_OPCAO, "
                  "NU_TIPO_INSO_TMDR, NU_INSCRICAO_TMDR, IC_AVISO_PREVIO, DT_INICIO_AVISO_PRVO, IC_REPOSICAO_VAGAS, "
                  "QT_HORAS_TRBS_SMNA, NU_BANCO_CONTA, NU_AGENCIA_CONTA, NU_CONTA_BANCARIA, IC_ESTADO_MOVIMENTO, "
                  "IC_VALIDACAO_VINCULO) VALUES (" + chave + ", " + c.movimentacao + ", " + c.dataMovimentacao + ", " +
                  c.cbo + ", " + c.saque + ", " + c.opcao + ", " + c.tipoTomador + ", " + c.inscricaoTomador + ", " +
                  c.aviso + ", " + c.inicioAviso + ", " + c.reposicao + ", " + c.horas + ", " + c.banco + ", " +
                  c.agencia + ", " + c.conta + ", " + c.estado + ", NULL)");
    s.ExecutarSQL("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                  "DT_ADMISSAO_VINCULO, DT_DISSIDIO, VR_DISSIDIO, VR_REMUNERACAO_ANTERIOR_RSCSO, "
                  "VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, IC_TIPO_PNSO_ALMNA, VR_PENSAO_ALMNA, "
                  "IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO) VALUES (" + chave + ", " + c.dataDissidio + ", " +
                  c.valorDissidio + ", " + c.remuneracaoAnterior + ", " + c.remuneracaoRescisao + ", " +
                  c.valorAviso + ", " + c.tipoPensao + ", " + c.pensao + ", " + c.origem + ", " + c.saldo + ")");
    for (const std::string& sql : c.extras)
        s.ExecutarSQL(sql);
}

inline std::string Coluna(TDBUtils& s, const std::string& sql)
{
    auto r = s.AbrirConsulta(sql);
    return r->IsEmpty() ? std::string("<nenhuma linha>") : r->Field(0).AsString();
}

} // namespace drav::teste
