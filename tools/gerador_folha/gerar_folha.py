#!/usr/bin/env python3
"""Synthetic payroll files ("DRAV.re") for tests and benchmarks.

Writes a valid file of N employers with M links each (and balance complements), every check digit
computed and every code taken from the reference data the database is built from. With --mutacoes
it also writes one variant per row of a mutation table (one field changed in one line) and a
manifest "mutacoes.tsv": file, line, record type, expected message code.

    gerar_folha.py --empresas 10 --vinculos 100 --saida /tmp/DRAV.re
    gerar_folha.py --empresas 1 --vinculos 3 --saida /tmp/DRAV.re --mutacoes /tmp/mutacoes
"""
import argparse
import os
import random
import re
import sys

from campos import a, n

RAIZ = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
DADOS = os.path.join(RAIZ, "src", "store", "dados")
TAM = 360


def ler_referencia():
    def valores(arquivo, padrao):
        with open(os.path.join(DADOS, arquivo), encoding="utf-8") as f:
            return re.findall(padrao, f.read())
    ref = {
        "cnae": valores("03_atividades_cnae.sql", r"SFGTBT03_ATIVIDADE_CNAE_NIVEL_5 \(NU_IBGE, DE_ATIVIDADE\) VALUES \((\d+),"),
        "cbo": [c for c in valores("04_ocupacoes_cbo.sql", r"SFGTBT05_OCUPACAO_NIVEL_4 \(CO_CBO, DE_OCUPACAO\) VALUES \('(\d{6})'")
                if c != "005121"],
        "fpas": valores("02_tabelas_codigos.sql", r"SFGTBT01_FPAS \(NU_INSS\) VALUES \((\d+)\)"),
        "uf": valores("02_tabelas_codigos.sql", r"SFGTBT08_UNIDADE_FEDERACAO \(SG_UF, NO_UF\) VALUES \('(\w\w)'"),
        "saque": valores("02_tabelas_codigos.sql",
                         r"SFGTBT23_SAQUE_MVMNO_CATEGORIA \(CO_SAQUE, CO_MOVIMENTACAO, NU_CATEGORIA\) VALUES \('(\w+)', '(\w+)', (\d+)\)"),
    }
    # Ordinary employers only: the domestic and rural FPAS codes carry rules of their own.
    ref["fpas"] = [f for f in ref["fpas"] if int(f) not in (868, 604, 582, 639)]
    # Category 1 links dismissed without cause: the common case, and one the rate table covers.
    ref["saque_i1"] = sorted({s for s, m, c in ref["saque"] if m == "I1" and c == "1"})
    for chave in ("cnae", "cbo", "fpas", "uf", "saque_i1"):
        if not ref[chave]:
            sys.exit("referência sem valores para " + chave)
    return ref


def dv_mod11(digitos, pesos):
    s = sum(int(d) * p for d, p in zip(digitos, pesos))
    r = s % 11
    return 0 if r < 2 else 11 - r


def cnpj(n):
    base = "%08d0001" % n
    d1 = dv_mod11(base, [5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2])
    d2 = dv_mod11(base + str(d1), [6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2])
    return base + str(d1) + str(d2)


def pis(n):
    base = "%010d" % (1000000001 + n * 7)
    return base + str(dv_mod11(base, [3, 2, 9, 8, 7, 6, 5, 4, 3, 2]))


def cpf(n):
    base = "%09d" % (100000001 + n * 13)
    d1 = dv_mod11(base, range(10, 1, -1))
    d2 = dv_mod11(base + str(d1), range(11, 1, -1))
    return base + str(d1) + str(d2)


def v(centavos):
    return n(centavos, 15)


NOMES = ["ANA", "BRUNO", "CARLA", "DANIEL", "EDUARDO", "FERNANDA", "GABRIEL", "HELENA", "IGOR", "JULIANA",
         "LUCAS", "MARIANA", "NELSON", "OLIVIA", "PAULO", "RAFAELA", "SERGIO", "TATIANA", "VICENTE", "WILMA"]
SOBRENOMES = ["SILVA", "SOUZA", "OLIVEIRA", "PEREIRA", "COSTA", "RODRIGUES", "ALMEIDA", "NASCIMENTO", "LIMA",
              "ARAUJO", "FERREIRA", "CARVALHO", "GOMES", "MARTINS", "ROCHA", "RIBEIRO", "BARBOSA", "MOREIRA"]


def nome_pessoa(i):
    return "%s %s %s" % (NOMES[i % len(NOMES)], SOBRENOMES[(i // len(NOMES)) % len(SOBRENOMES)],
                         SOBRENOMES[(i // 7) % len(SOBRENOMES)])


def nome_empresa(i):
    return "COMERCIO E SERVICOS %05d LTDA" % (i + 1)


def header(resp):
    l = ("00" + " " * 51 + "2" + "1" + resp + a("ESCRITORIO CONTABIL MODELO", 30) + a("MARIA SANTOS", 20) +
         a("RUA DAS FLORES 100", 50) + a("CENTRO", 20) + "01310100" + a("SAO PAULO", 20) + "SP" +
         "001132345678" + a("contato@exemplo.com.br", 60) + "10122026" + " " * 60 + "*")
    return l


def empresa(tipo, inscricao, i, ref):
    return ("10" + str(tipo) + inscricao + "0" * 36 + a(nome_empresa(i), 40) + a("AVENIDA BRASIL %d" % (i + 1), 50) +
            a("JARDIM AMERICA", 20) + "20040002" + a("RIO DE JANEIRO", 20) + ref["uf"][i % len(ref["uf"])] +
            "002132345678" + n(ref["cnae"][i % len(ref["cnae"])], 7) + "1" + n(ref["fpas"][i % len(ref["fpas"])], 3) +
            " " * 143 + "*")


def trabalhador(tipo, inscricao, p, k, ref, rnd):
    rem = 150000 + rnd.randrange(0, 900000)
    return ("40" + str(tipo) + inscricao + "0" + "0" * 14 + p + "01032010" + "01" + a(nome_pessoa(k), 70) +
            n(1234567 + k % 1000, 7) + "00123" + str(1 + k % 2) + "07" + "15051980" + "44" +
            ref["cbo"][k % len(ref["cbo"])] + "01032010" + "I1" + "30112026" + a(ref["saque_i1"][0], 3) +
            "1" + "01112026" + "N" + "00000000" + v(0) + v(rem) + v(rem) + v(0) + "N" + "00000" + v(0) +
            cpf(k) + "001" + "1234" + n(98765 + k, 13) + v(0) + " " * 39 + "*")


def complemento(tipo_reg, tipo, inscricao, p, competencias):
    pares = ""
    for c, valor in competencias:
        pares += c + v(valor)
    pares += ("000000" + v(0)) * (14 - len(competencias))
    return tipo_reg + str(tipo) + inscricao + "0" + "0" * 14 + p + "01032010" + "01" + pares + " " * 12 + "*"


def trailer():
    return "90" + "9" * 51 + " " * 255 + " " * 51 + "*"


def gerar(empresas, vinculos, semente, complementos=True):
    ref = ler_referencia()
    rnd = random.Random(semente)
    resp = cnpj(99999990)
    linhas = [header(resp)]
    k = 0
    chaves = sorted((1, cnpj(1000 + i)) for i in range(empresas))
    for i, (tipo, inscricao) in enumerate(chaves):
        linhas.append(empresa(tipo, inscricao, i, ref))
        pises = sorted(pis(k + j) for j in range(vinculos))
        for p in pises:
            linhas.append(trabalhador(tipo, inscricao, p, k, ref, rnd))
            if complementos and k % 2 == 0:
                linhas.append(complemento("43", tipo, inscricao, p, [("202001", 250000), ("202002", 250000)]))
            k += 1
    linhas.append(trailer())
    for l in linhas:
        assert len(l) == TAM, (len(l), l[:2])
    return linhas


def escrever(caminho, linhas):
    with open(caminho, "wb") as f:
        for l in linhas:
            f.write(l.encode("cp1252") + b"\r\n")


def trocar(linha, inicio, texto):
    return linha[:inicio - 1] + texto + linha[inicio - 1 + len(texto):]


# One field changed in one line: (name, line index or record type to find, position, new text, code).
# The line is the first line of that record type.
MUTACOES = [
    ("remessa_nao_numerica", "00", 54, "X", "0011"),
    ("remessa_diferente_de_2", "00", 54, "1", "0131"),
    ("responsavel_cnpj_invalido", "00", 56, "11111111111112", "0021"),
    ("cep_responsavel_nao_numerico", "00", 190, "0131010A", "0011"),
    ("pagamento_vazio", "00", 292, "00000000", "0062"),
    ("pagamento_invalido", "00", 292, "31022026", "0063"),
    ("pagamento_fora_da_tabela", "00", 292, "10112026", "0201"),
    ("brancos_do_header", "00", 10, "X", "0009"),
    ("empresa_zeros", "10", 20, "1", "0013"),
    ("empresa_cnae_desconhecido", "10", 206, "9999999", "0140"),
    ("empresa_fpas_nao_numerico", "10", 214, "5A7", "0011"),
    ("empresa_uf_desconhecida", "10", 192, "XX", "0133"),
    ("pis_invalido", "40", 43, "9", "0109"),
    ("categoria_nao_numerica", "40", 52, "A1", "0011"),
    ("nome_com_digito", "40", 54, "JOAO 2 SILVA", "0093"),
    ("cpf_invalido", "40", 285, "9", "0038"),
    ("sexo_invalido", "40", 136, "7", "0122"),
    ("nascimento_invalido", "40", 139, "31021980", "0212"),
    ("horas_zero", "40", 147, "00", "0111"),
    ("cbo_desconhecido", "40", 149, "999999", "0337"),
    ("movimentacao_desconhecida", "40", 163, "ZZ", "0338"),
    ("aviso_invalido", "40", 176, "9", "0080"),
    ("valor_dissidio_nao_numerico", "40", 194, "00000000000A000", "0011"),
    ("pensao_percentual_zero", "40", 254, "P00000", "0183"),
    ("pensao_percentual_150", "40", 254, "P15000", "0378"),
    ("pensao_valor_zero", "40", 254, "V00000", "0210"),
    ("pensao_nenhuma_com_valor", "40", 260, "000000000010000", "0334"),
    ("brancos_do_trabalhador", "40", 330, "X", "0009"),
    ("complemento_par_com_intervalo", "43", 75, "000000" + "0" * 15 + "202003" + "000000000100000", "0361"),
    ("complemento_competencia_mes_13", "43", 54, "202013", "0034"),
    ("complemento_antes_da_opcao", "43", 54, "200901", "0395"),
    ("trailer_noves", "90", 10, "8", "0010"),
]


def mutacoes(destino, linhas):
    os.makedirs(destino, exist_ok=True)
    with open(os.path.join(destino, "mutacoes.tsv"), "w", encoding="utf-8") as manifesto:
        manifesto.write("arquivo\tlinha\tregistro\tcodigo\n")
        for nome, tipo, pos, texto, codigo in MUTACOES:
            i = next(j for j, l in enumerate(linhas) if l.startswith(tipo))
            novas = list(linhas)
            novas[i] = trocar(novas[i], pos, texto)
            assert len(novas[i]) == TAM
            pasta = os.path.join(destino, nome)
            os.makedirs(pasta, exist_ok=True)
            escrever(os.path.join(pasta, "DRAV.re"), novas)
            manifesto.write("%s\t%d\t%s\t%s\n" % (os.path.join(nome, "DRAV.re"), i + 1, tipo, codigo))


def script_sql(caminho, linhas):
    """The rows the import writes for these lines, as plain INSERTs in one transaction: the floor a
    benchmark of the import is compared with."""
    def data(ddmmyyyy):
        return "'%s-%s-%s'" % (ddmmyyyy[4:8], ddmmyyyy[2:4], ddmmyyyy[0:2])

    def txt(t):
        return "'" + t.rstrip().replace("'", "''") + "'"

    saida = ["SET AUTODDL OFF;"]
    for l in linhas:
        t = l[:2]
        if t == "00":
            saida.append("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NO_RAZAO_SOCIAL, NO_CONTATO, "
                         "DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE, SG_UF, NU_DDD, NU_TELEFONE, "
                         "CO_ENDERECO_VIRTUAL_CONTATO, IC_ESTADO_EMPRESA) VALUES (%s, %s, %s, %s, %s, %s, %s, %s, %s, "
                         "%s, %s, %s, 'R');" % (l[54], int(l[55:69]), txt(l[69:99]), txt(l[99:119]), txt(l[119:169]),
                                                txt(l[169:189]), int(l[189:197]), txt(l[197:217]), txt(l[217:219]),
                                                int(l[219:223]), int(l[223:231]), txt(l[231:291])))
            saida.append("INSERT INTO SFGTBG01_ABERTURA_RECOLHIMENTO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, DT_PAGAMENTO) "
                         "VALUES (%s, %s, %s);" % (l[54], int(l[55:69]), data(l[291:299])))
        elif t == "10":
            saida.append("INSERT INTO SFGTBG02_EMPRESA (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_SIMPLES, SG_UF, NU_IBGE, "
                         "NU_INSS, NO_RAZAO_SOCIAL, DE_LOGRADOURO, NO_BAIRRO, NU_CEP, NO_LOCALIDADE, NU_DDD, NU_TELEFONE, "
                         "IC_ESTADO_EMPRESA) VALUES (%s, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s, 'E');"
                         % (l[2], int(l[3:17]), l[212], txt(l[191:193]), int(l[205:212]), int(l[213:216]),
                            txt(l[53:93]), txt(l[93:143]), txt(l[143:163]), int(l[163:171]), txt(l[171:191]),
                            int(l[193:197]), int(l[197:205])))
        elif t == "40":
            chave = "%s, %s, %s, %s, %s" % (l[2], int(l[3:17]), int(l[32:43]), int(l[51:53]), data(l[43:51]))
            saida.append("INSERT INTO SFGTBG03_EMPREGADO (NU_PIS, NU_GRAU_INSTRUCAO, NO_EMPREGADO, NU_CTPS, NU_SERIE_CTPS, "
                         "IC_SEXO, DT_NASCIMENTO, NU_INSCRICAO_CPF) VALUES (%s, %s, %s, %s, %s, '%s', %s, %s);"
                         % (int(l[32:43]), int(l[136:138]), txt(l[53:123]), int(l[123:130]), int(l[130:135]), l[135],
                            data(l[138:146]), int(l[274:285])))
            saida.append("INSERT INTO SFGTBG04_VINCULO_EMPREGATICIO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                         "NU_CATEGORIA, DT_ADMISSAO_VINCULO, CO_MOVIMENTACAO, CO_CBO, CO_SAQUE, DT_OPCAO, "
                         "IC_AVISO_PREVIO, DT_INICIO_AVISO_PRVO, IC_REPOSICAO_VAGAS, QT_HORAS_TRBS_SMNA, "
                         "IC_ESTADO_MOVIMENTO, DT_MOVIMENTACAO_VINCULO, NU_BANCO_CONTA, NU_AGENCIA_CONTA, "
                         "NU_CONTA_BANCARIA) VALUES (%s, %s, %s, %s, %s, '%s', %s, %s, %s, 0, %s, %s, %s, %s);"
                         % (chave, txt(l[162:164]), txt(l[148:154]), txt(l[172:175]), data(l[154:162]), l[175],
                            data(l[176:184]), txt(l[184]), int(l[146:148]), data(l[164:172]), int(l[285:288]),
                            int(l[288:292]), int(l[292:305])))
            saida.append("INSERT INTO SFGTBG06_INFORMACAO_RESCISAO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                         "NU_CATEGORIA, DT_ADMISSAO_VINCULO, VR_DISSIDIO, VR_REMUNERACAO_ANTERIOR_RSCSO, "
                         "VR_REMUNERACAO_RESCISAO, VR_AVISO_PREVIO, IC_TIPO_PNSO_ALMNA, VR_PENSAO_ALMNA, "
                         "IC_ORIGEM_SALDO_RESCISORIO, VR_SALDO_RESCISORIO) VALUES (%s, %.2f, %.2f, %.2f, %.2f, '%s', "
                         "0, 'N', 0);" % (chave, int(l[193:208]) / 100, int(l[208:223]) / 100, int(l[223:238]) / 100,
                                          int(l[238:253]) / 100, l[253]))
            ultima = chave
        elif t in ("43", "44", "45"):
            for k in range(14):
                c = l[53 + 21 * k:59 + 21 * k]
                if int(c) == 0:
                    continue
                saida.append("INSERT INTO SFGTBG07_COMPLEMENTO_SALDO (NU_TIPO_INSO_EMPRA, NU_INSCRICAO, NU_PIS, "
                             "NU_CATEGORIA, DT_ADMISSAO_VINCULO, NU_COMPLEMENTO, AA_COMPETENCIA, MM_COMPETENCIA, "
                             "VR_REMUNERACAO, VR_DEPOSITO) VALUES (%s, %d, %s, %s, %.2f, 200.00);"
                             % (ultima, int(t) - 42, c[:4], int(c[4:]), int(l[59 + 21 * k:74 + 21 * k]) / 100))
    saida.append("COMMIT;")
    with open(caminho, "w", encoding="utf-8") as f:
        f.write("\n".join(saida) + "\n")


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--empresas", type=int, default=1)
    p.add_argument("--vinculos", type=int, default=3, help="links per employer")
    p.add_argument("--semente", type=int, default=1)
    p.add_argument("--sem-complementos", action="store_true")
    p.add_argument("--saida", required=True)
    p.add_argument("--mutacoes", help="folder for the mutated variants")
    p.add_argument("--sql", help="also write the rows as a plain SQL script (the benchmark floor)")
    args = p.parse_args()
    linhas = gerar(args.empresas, args.vinculos, args.semente, not args.sem_complementos)
    escrever(args.saida, linhas)
    if args.mutacoes:
        mutacoes(args.mutacoes, linhas)
    if args.sql:
        script_sql(args.sql, linhas)


if __name__ == "__main__":
    main()
