#pragma once
// The world the calculation tests compute in: a calendar of weekdays, small index tables whose
// every value is chosen so a wrong row or column shows, and one dismissal used as the starting
// point of every case. The expected amounts in the tests were worked out by hand from these
// numbers with exact decimal arithmetic, cutting at every step the rules cut.
#include "calc/Calculo.h"
#include "calc/DiaUtil.h"
#include "calc/Indices.h"
#include "core/Datas.h"

#include <cmath>
#include <string>
#include <vector>

namespace drav::teste {

inline TDateTime D(int dia, int mes, int ano) { return CodificarData(ano, mes, dia); }

inline std::string Texto(TDateTime d) { return d == NullDate ? "NullDate" : DataParaTexto(d); }

// Amounts compared at the centavo.
inline long long Cent(double v) { return std::llround(v * 100.0); }

// Monday to Friday, 2001 to 2008. Day 0 (30/12/1899) was a Saturday.
inline const TCalendarioMemoria& DiasUteis()
{
    static const TCalendarioMemoria c = [] {
        std::vector<TDateTime> dias;
        for (TDateTime d = D(1, 1, 2001); d <= D(31, 12, 2008); d += 1)
            if (static_cast<int>(d) % 7 >= 2)
                dias.push_back(d);
        return TCalendarioMemoria(dias);
    }();
    return c;
}

// A simplified row whose only sensible column is the one of options from 23/09/1971 (the
// link's): any other column gives an absurd index.
inline TIndicesSimplificados Simplificado(double jam, double simplificado1 = 9.0, double simplificado2 = 9.0)
{
    TIndicesSimplificados l;
    for (int p = 0; p < kPeriodosOpcao; ++p) {
        l.Jam[p] = 0.9;
        l.Simplificado1[p] = 9.0;
        l.Simplificado2[p] = 9.0;
    }
    const int maior = static_cast<int>(PeriodoOpcao::Maior0971);
    l.Jam[maior] = jam;
    l.Simplificado1[maior] = simplificado1;
    l.Simplificado2[maior] = simplificado2;
    return l;
}

// Rows for payments on 15/06/2004 and 08/07/2004 (edital 01/06/2004) and on 08/06/2004
// (edital 01/05/2004).
inline TTabelasIndicesMemoria Tabelas()
{
    TTabelasIndicesMemoria t;
    const TDateTime junho = D(1, 6, 2004), maio = D(1, 5, 2004);
    t.AdicionarProrata(junho, D(15, 6, 2004), {0.0801, 0.0809, 0.0816});
    t.AdicionarProrata(junho, D(8, 7, 2004), {0.080444444, 0.0809, 0.0815});
    t.AdicionarProrata(maio, D(8, 6, 2004), {0.0802, 0.080654321, 0.0811});
    t.AdicionarSimplificado(junho, D(1, 4, 2004), Simplificado(0.011234567, 1.01, 1.05));
    t.AdicionarSimplificado(junho, D(1, 2, 2004), Simplificado(0.023456789));
    t.AdicionarGuia(junho, D(24, 5, 2004), D(15, 6, 2004), {0.081234567, 0.512345678});
    t.AdicionarGuia(junho, D(4, 5, 2004), D(15, 6, 2004), {0.081555555, 0.515555555});
    t.AdicionarGuia(junho, D(7, 7, 2004), D(8, 7, 2004), {0.0805, 0.504444444});
    t.AdicionarGuia(maio, D(17, 5, 2004), D(8, 6, 2004), {0.080432198, 0.504321987});
    return t;
}

// A dismissal without cause ("I1") on Friday 14/05/2004 with indemnified notice, category 1,
// option in 2000, employer FPAS 507 in SIMPLES 1, a balance of 10 000,00 informed by the employer.
inline TEntradaCalculo Dispensa()
{
    TEntradaCalculo e;
    e.TipoInscricao = 1;
    e.Inscricao = 11222333000181;
    e.Pis = 12034567899;
    e.Categoria = 1;
    e.DataAdmissao = D(2, 3, 2000);
    e.Movimentacao = "I1";
    e.DataMovimentacao = D(14, 5, 2004);
    e.DataOpcao = D(2, 3, 2000);
    e.AvisoPrevio = 2;
    e.Fpas = 507;
    e.Simples = 1;
    e.RemuneracaoAnterior = 2345.67;
    e.RemuneracaoRescisao = 1234.57;
    e.ValorAvisoPrevio = 3000.01;
    e.SaldoRescisorio = 10000.00;
    e.OrigemSaldo = "E";
    e.DataPagamento = D(6, 5, 2004);
    e.RazaoSocial = "EMPRESA TESTE LTDA";
    e.NomeEmpregado = "MARIA DA SILVA";
    return e;
}

} // namespace drav::teste
