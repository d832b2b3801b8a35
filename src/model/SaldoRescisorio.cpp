#include "model/SaldoRescisorio.h"

#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "model/ChaveVinculo.h"

namespace drav {

int64_t AtualizarSaldosPorContas(TDBUtils& sessao, const std::string& filtroVinculos)
{
    if (Aparar(filtroVinculos).empty())
        throw ENegocio("Recálculo de saldo rescisório sem vínculos definidos");
    const std::string contas = "FROM SFGTBG10_CONTA_EMPREGADO_FGTS CTA WHERE " + SqlMesmaChave("CTA", "INFO") +
                               " AND COALESCE(CTA.NU_SITUACAO_CONTA_EMPREGADO, 0) <> 3";
    const std::string temContas = "EXISTS (SELECT 1 " + contas + ")";
    const std::string soma = "COALESCE((SELECT SUM(CTA.VR_SALDO_RESCISORIO) " + contas +
                             " AND CTA.NU_SITUACAO_PIS = 1), 0)";
    const std::string sql =
        "UPDATE SFGTBG06_INFORMACAO_RESCISAO INFO SET "
        "VR_SALDO_RESCISORIO = CASE WHEN " + temContas + " THEN " + soma + " ELSE 0 END, "
        "VR_JAM_SALDO_RESCISORIO = CASE WHEN " + temContas + " THEN INFO.VR_JAM_SALDO_RESCISORIO ELSE 0 END, "
        "IC_ORIGEM_SALDO_RESCISORIO = CASE WHEN " + temContas + " THEN 'C' ELSE 'N' END "
        "WHERE (" + filtroVinculos + ") "
        "AND EXISTS (SELECT 1 FROM SFGTBG04_VINCULO_EMPREGATICIO VINC WHERE " + SqlMesmaChave("VINC", "INFO") +
        " AND COALESCE(VINC.IC_ESTADO_MOVIMENTO, 0) IN (0, 1)) "
        "AND (" + temContas + " OR COALESCE(INFO.IC_ORIGEM_SALDO_RESCISORIO, 'N') IN ('C', ''))";
    return sessao.ExecutarSQL(sql);
}

} // namespace drav
