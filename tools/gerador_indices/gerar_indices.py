#!/usr/bin/env python3
"""Builds an index-table archive (IND_DRAV.zip) for trials of the index import.

The archive holds the four data files (one INSERT a line) and their check files. The check value
ties each data file to the modification time the archive records for it, so the archive must be
imported as it is: re-zipping its files with other times breaks the check.

The indices are sample values (round rates), not published ones.

  gerar_indices.py --edital 2027-01 --saida /tmp/IND_DRAV.zip
  gerar_indices.py --edital 2027-01 --defeito conferencia   # an archive the import must refuse
"""
import argparse
import datetime as dt
import io
import sys
import zipfile

NOMES = ["DIAUTIL", "GUIARESCISORIA", "SIMPLIFICADO", "PRORATA"]
TABELAS = ["SFGTBT15_DIA_UTIL", "SFGTBT16_INDICE_GUIA_RESCISORIA", "SFGTBT17_INDICE_SIMPLIFICADO",
           "SFGTBT18_INDICE_PRORATA"]


def valor_conferencia(t):
    """Check value of a file written at local time t (to the minute), as a signed 32-bit number."""
    d1, d2 = divmod(t.day, 10)
    m1, m2 = divmod(t.month, 10)
    y1, y2 = divmod(t.year % 100, 10)
    h2 = t.hour % 10
    n1, n2 = divmod(t.minute, 10)
    v = d1 * m1 * m2 + d2 ** 2 * y1 ** 3 * y2 ** 5 + h2 ** 3 * n1 ** 7 + n2
    v &= 0xFFFFFFFF
    return v - (1 << 32) if v >= 1 << 31 else v


def pascoa(ano):
    a, b, c = ano % 19, ano // 100, ano % 100
    d, e = divmod(b, 4)
    g = (8 * b + 13) // 25
    h = (19 * a + b - d - g + 15) % 30
    i, k = divmod(c, 4)
    l = (32 + 2 * e + 2 * i - h - k) % 7
    m = (a + 11 * h + 19 * l) // 433
    mes = (h + l - 7 * m + 90) // 25
    return dt.date(ano, mes, (h + l - 7 * m + 33 * mes + 19) % 32)


def feriados(ano):
    p = pascoa(ano)
    moveis = [p - dt.timedelta(48), p - dt.timedelta(47), p - dt.timedelta(2), p + dt.timedelta(60)]
    fixos = [(1, 1), (4, 21), (5, 1), (9, 7), (10, 12), (11, 2), (11, 15), (12, 25)]
    return set(moveis) | {dt.date(ano, m, d) for m, d in fixos}


def dias_uteis(inicio, fim):
    dia, fer = inicio, {}
    while dia <= fim:
        if dia.year not in fer:
            fer[dia.year] = feriados(dia.year)
        if dia.weekday() < 5 and dia not in fer[dia.year]:
            yield dia
        dia += dt.timedelta(1)


def mais_meses(d, n):
    m = d.year * 12 + d.month - 1 + n
    return dt.date(m // 12, m % 12 + 1, 1)


def q(d):
    return "'" + d.isoformat() + "'"


def n9(x):
    return "%.9f" % x


def gerar(edital, desde_ano, guia_desde):
    fim = mais_meses(edital, 14)
    uteis = list(dias_uteis(dt.date(desde_ano, 1, 1), fim))
    dia_util = ["INSERT INTO SFGTBT15_DIA_UTIL (DT_UTIL) VALUES (%s)" % q(d) for d in uteis]

    pagamentos = [d for d in uteis if edital + dt.timedelta(9) <= d <= mais_meses(edital, 1) + dt.timedelta(8)]
    prorata = []
    for p in pagamentos:
        pr = 1 + 0.005 * (p - edital).days / 30
        multa = 0.05 if p.month == edital.month else 0.10
        vencimento0 = mais_meses(edital, 1) + dt.timedelta(6)
        atraso0 = 1 + 0.005 * max(0, (p - vencimento0).days) / 30 + 0.05
        prorata.append("INSERT INTO SFGTBT18_INDICE_PRORATA (DT_EDITAL_PRORATA, DT_RECOLHIMENTO_PRORATA, "
                       "IN_ATRASO_MES, IN_ATRASO_1_MES, IN_ATRASO_2_MESES) VALUES (%s, %s, %s, %s, %s)"
                       % (q(edital), q(p), n9(0.08 * atraso0), n9(0.08 * (1.001 * pr + multa)), n9(0.08 * pr)))

    simplificado = []
    c = dt.date(desde_ano, 1, 1)
    while c <= edital:
        n = max(0, (edital.year * 12 + edital.month) - (c.year * 12 + c.month) - 1)
        am = c.year * 100 + c.month
        conv = 1.0
        for limite, fator in ((198602, 1000), (198812, 1000), (199307, 1000), (199406, 2750)):
            if am <= limite:
                conv *= fator
        k3, k6 = 1.003468736042 ** n - 1, 1.005872418116 ** n - 1
        s13 = (1 + k3) * (1 + 0.005 * n) + 0.10
        s16 = (1 + k6) * (1 + 0.005 * n) + 0.10
        s23 = 1.003468736042 ** (n + 1) * (1 + 0.005 * (n + 1)) + 0.10
        s26 = 1.005872418116 ** (n + 1) * (1 + 0.005 * (n + 1)) + 0.10
        valores = [k6 / conv] * 5 + [k3 / conv] + [s16] * 4 + [s26] * 4 + [s16, s13, s26, s23]
        simplificado.append(
            "INSERT INTO SFGTBT17_INDICE_SIMPLIFICADO (DT_EDITAL_SIMPLIFICADO, DT_COMPETENCIA_SIMPLIFICADO, "
            "IN_JAM_OPCAO_67, IN_JAM_OPCAO_68, IN_JAM_OPCAO_69, IN_JAM_OPCAO_70, IN_JAM_OPCAO_ATE_0971, "
            "IN_JAM_OPCAO_MAIOR_0971, IN_SIMPLIFICADO_1_OPCAO_67, IN_SIMPLIFICADO_1_OPCAO_68, "
            "IN_SIMPLIFICADO_1_OPCAO_69, IN_SIMPLIFICADO_1_OPCAO_70, IN_SIMPLIFICADO_2_OPCAO_67, "
            "IN_SIMPLIFICADO_2_OPCAO_68, IN_SIMPLIFICADO_2_OPCAO_69, IN_SIMPLIFICADO_2_OPCAO_70, "
            "IN_SMPLO_1_OPCAO_ATE_0971, IN_SMPLO_1_OPCAO_MAIOR_0971, IN_SMPLO_2_OPCAO_ATE_0971, "
            "IN_SMPLO_2_OPCAO_MAIOR_0971) VALUES (%s, %s, %s)" % (q(edital), q(c), ", ".join(n9(v) for v in valores)))
        c = mais_meses(c, 1)

    guia = []
    for p in pagamentos:
        for d in uteis:
            if d < guia_desde or d >= p:
                continue
            n = max(0, (edital.year * 12 + edital.month) - (d.year * 12 + d.month) + 1)
            multa = 0.05 if (d.year, d.month) == (p.year, p.month) else 0.10
            x = 1.005872418116 ** n * (1 + 0.005 * (p - d).days / 30) + multa
            guia.append("INSERT INTO SFGTBT16_INDICE_GUIA_RESCISORIA (DT_EDITAL_GUIA, DT_VENCIMENTO, "
                        "DT_RCLTO_INDICE_RESCISORIA, VR_INDICE, VR_INDICE_MULTA_RESCISORIA) VALUES (%s, %s, %s, %s, %s)"
                        % (q(edital), q(d), q(p), n9(0.08 * x), n9(0.5 * x)))
    return {"DIAUTIL": dia_util, "GUIARESCISORIA": guia, "SIMPLIFICADO": simplificado, "PRORATA": prorata}


DEFEITOS = ["nome", "falta", "extra", "conferencia", "linha", "pasta"]


def gravar(saida, dados, quando, defeito=None):
    def info(nome):
        z = zipfile.ZipInfo(nome, date_time=(quando.year, quando.month, quando.day, quando.hour, quando.minute, 0))
        z.compress_type = zipfile.ZIP_DEFLATED
        return z

    entradas = []
    for nome in NOMES:
        linhas = list(dados[nome])
        if defeito == "linha" and nome == "PRORATA" and linhas:
            linhas[len(linhas) // 2] = linhas[len(linhas) // 2][:40]
        entradas.append((nome, "\r\n".join(linhas) + ("\r\n" if linhas else "")))
    valor = valor_conferencia(quando)
    for nome in NOMES:
        v = valor + 1 if defeito == "conferencia" and nome == "SIMPLIFICADO" else valor
        entradas.append((nome + ".001", "%013d\r\n" % v if v >= 0 else "%d\r\n" % v))
    if defeito == "nome":
        entradas[1] = ("GUIA", entradas[1][1])
    elif defeito == "falta":
        entradas.pop(2)
    elif defeito == "extra":
        entradas.append(("LEIAME.TXT", "edital de teste\r\n"))
    elif defeito == "pasta":
        entradas = [("edital/" + n, c) for n, c in entradas]
    with zipfile.ZipFile(saida, "w") as z:
        for nome, conteudo in entradas:
            z.writestr(info(nome), conteudo.encode("ascii"))


def main(argv=None):
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--edital", default=None, help="AAAA-MM do edital (padrão: o mês corrente)")
    ap.add_argument("--saida", default="IND_DRAV.zip")
    ap.add_argument("--desde", type=int, default=1967, help="primeiro ano do calendário e das competências")
    ap.add_argument("--guia-desde", default=None,
                    help="AAAA-MM-DD, primeiro vencimento da tabela de guias (padrão: dois anos antes do edital)")
    ap.add_argument("--hora", default=None, help="AAAA-MM-DDTHH:MM gravado nas entradas (padrão: agora)")
    ap.add_argument("--defeito", choices=DEFEITOS, help="produz um arquivo que a importação deve recusar "
                    "(pasta: entradas dentro de uma pasta, que a importação aceita)")
    a = ap.parse_args(argv)
    hoje = dt.date.today()
    edital = dt.date.fromisoformat(a.edital + "-01") if a.edital else hoje.replace(day=1)
    guia_desde = dt.date.fromisoformat(a.guia_desde) if a.guia_desde else dt.date(edital.year - 2, edital.month, 1)
    quando = dt.datetime.fromisoformat(a.hora) if a.hora else dt.datetime.now()
    gravar(a.saida, gerar(edital, a.desde, guia_desde), quando, a.defeito)
    print(a.saida)
    return 0


if __name__ == "__main__":
    sys.exit(main())
