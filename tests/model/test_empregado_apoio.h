#pragma once
// Small builders shared by the worker and link tests: employers, a complete worker with one link,
// and worker accounts, written straight to the tables so each test shows only what it checks.
#include "model/Empregado.h"
#include "model/InformacaoRescisao.h"
#include "model/Vinculo.h"

#include "core/DBUtils.h"
#include "core/Datas.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"

#include <cstdint>
#include <string>

namespace drav::teste {

inline constexpr int64_t kCnpjA = 11222333000181;
inline constexpr int64_t kCnpjB = 11444777000161;
inline constexpr int64_t kCei = 510000000013;

inline void CriarEmpresa(TDBUtils& s, int tipo, int64_t inscricao, const std::string& razao,
                         const std::string& fpas = "515")
{
    s.ExecutarSQL("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, SG_UF, NU_INSS, "
                  "NO_RAZAO_SOCIAL, IC_ESTADO_EMPRESA) VALUES (" +
                  std::to_string(tipo) + ", " + std::to_string(inscricao) + ", 1, 'SP', " + fpas + ", '" + razao +
                  "', 'E')");
}

// A worker and a link that pass every check: category 1, admitted 02/03/2015, dismissed without
// cause on 31/05/2024 with indemnified notice.
inline void PreencherTrabalhador(TEmpregado& t, const std::string& pis, int tipo, int64_t inscricao,
                                 TDateTime admissao = CodificarData(2015, 3, 2), int categoria = 1)
{
    t.Pis = pis;
    t.Nome = "MARIA DA SILVA";
    t.GrauInstrucao = "7";
    t.Ctps = "1234567";
    t.SerieCtps = "00123";
    t.Sexo = 2;
    t.DataNascimento = CodificarData(1985, 7, 20);
    t.Cpf = "52998224725";
    TVinculo& v = t.Vinculo();
    v.TipoInscricao = tipo;
    v.Inscricao = inscricao;
    v.Pis = std::stoll(pis);
    v.Categoria = categoria;
    v.DataAdmissao = admissao;
    v.DataOpcao = admissao;
    v.Movimentacao = "I1";
    v.DataMovimentacao = CodificarData(2024, 5, 31);
    v.Saque = "01";
    v.Cbo = "000101";
    v.AvisoPrevio = 2;
    v.HorasSemanais = 44;
    v.ReposicaoVagas = "N";
    v.Banco = "001";
    v.Agencia = "1234";
    v.Conta = "987654";
    TInformacaoRescisao& r = v.Rescisao();
    r.VrRemuneracaoAnteriorRscso = 2500;
    r.VrRemuneracaoRescisao = 2600.5;
    r.VrAvisoPrevio = 3000;
    r.TipoPensao = "N";
    r.OrigemSaldo = "N";
}

// One worker account of the bank for a link.
inline void CriarConta(TDBUtils& s, int tipo, int64_t inscricao, const std::string& pis, int categoria,
                       TDateTime admissao, int64_t numeroConta, double saldo, int situacaoPis = 1, int situacao = 0)
{
    s.ExecutarSQL("INSERT INTO SFGTBG10_CONTA_EMPREGADO_FGTS (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, NU_CATEGORIA, "
                  "DT_ADMISSAO_VINCULO, NU_EMPREGADO_QUELD, NU_SITUACAO_CONTA_EMPREGADO, NU_SITUACAO_PIS, "
                  "VR_SALDO_RESCISORIO) VALUES (" +
                  std::to_string(tipo) + ", " + std::to_string(inscricao) + ", " + pis + ", " +
                  std::to_string(categoria) + ", '" + DataIso(admissao) + "', " + std::to_string(numeroConta) + ", " +
                  std::to_string(situacao) + ", " + std::to_string(situacaoPis) + ", " + FormatarValorPonto(saldo) + ")");
}

inline int64_t Contar(TDBUtils& s, const std::string& tabela, const std::string& onde = "1 = 1")
{
    return s.AbrirConsulta("SELECT COUNT(*) AS N FROM " + tabela + " WHERE " + onde)->FieldByName("N").AsInt64();
}

} // namespace drav::teste
