#!/usr/bin/env python3
"""Synthetic rescission-balance files, as the bank answers a balance request, for tests and trials.

The links answered come from a balance request (the envelope written by the program or by
"drav-cli solicitar-saldo", or the plain request file inside it) or from a payroll file written by
tools/gerador_folha/gerar_folha.py. A request gives the identifier to answer; a payroll gives the
workers' names (without them every account is answered under the name "TRABALHADOR n", which the
load reports as not regular). Both may be given: the links of the request, the names of the payroll.

    gerar_saldo.py --solicitacao SolicitacaoIS.KVD --folha DRAV.re --saida Saldo.KVD
    gerar_saldo.py --folha DRAV.re --identificador 202601011200000000000000012345 --saida Saldo.KVD
    gerar_saldo.py --folha DRAV.re --identificador 1 --contas 2 --nome-diferente 3 --saida Saldo.KVD

Every account is regular (situation 0); --nome-diferente K gives every K-th link PIS situation 2 and
a bank name that differs from the registered one (a pending name change); --situacao-empresa
answers every employer with that situation (1, 2: not found / irregular, no accounts; 3: the bank
holds none of its accounts).
"""
import argparse
import datetime
import os
import random
import sys
import zipfile

# The field helpers live beside the payroll generator; found from this file, whatever the current folder.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "gerador_folha"))
from campos import a, n  # noqa: E402

TAM = 160
INTERNO_SOLICITACAO = "SolicitacaoIS.GR"


def linhas_arquivo(caminho):
    """Lines of a plain file or of the request file inside an envelope (a ZIP archive)."""
    if zipfile.is_zipfile(caminho):
        with zipfile.ZipFile(caminho) as z:
            nomes = [x for x in z.namelist() if not x.startswith("selo/")]
            nome = INTERNO_SOLICITACAO if INTERNO_SOLICITACAO in nomes else (nomes[0] if nomes else None)
            if nome is None:
                sys.exit("envelope sem arquivo: " + caminho)
            dados = z.read(nome)
    else:
        with open(caminho, "rb") as f:
            dados = f.read()
    return [l.rstrip("\r") for l in dados.decode("cp1252").split("\n") if l.strip("\r")]


def ler_solicitacao(caminho):
    """(responsible type, inscription, identifier, [(type, inscription, pis, category, admission)])"""
    linhas = linhas_arquivo(caminho)
    if not linhas or linhas[0][:1] != "0" or len(linhas[0]) != 67:
        sys.exit("não é um arquivo de solicitação de saldo: " + caminho)
    h = linhas[0]
    vinculos = [(l[1:2], l[2:16], l[16:27], l[27:29], l[29:37]) for l in linhas if l[:1] == "2"]
    return h[1:2], h[2:16], h[31:61], vinculos


def ler_folha(caminho):
    """(responsible type, inscription, name, [(type, inscription, pis, category, admission)], names by PIS)"""
    linhas = linhas_arquivo(caminho)
    if not linhas or linhas[0][:2] != "00" or len(linhas[0]) != 360:
        sys.exit("não é um arquivo de folha: " + caminho)
    h = linhas[0]
    vinculos, nomes = [], {}
    for l in linhas:
        if l[:2] == "40":
            vinculos.append((l[2:3], l[3:17], l[32:43], l[51:53], l[43:51]))
            nomes[l[32:43]] = l[53:123].rstrip()
    return h[54:55], h[55:69], h[69:99].rstrip(), vinculos, nomes


def gerar(resp, identificador, vinculos, nomes, contas=1, nome_diferente=0, situacao_empresa=0, semente=1,
          gravacao=None):
    rnd = random.Random(semente)
    gravacao = gravacao or datetime.date.today()
    data = gravacao.strftime("%d%m%Y")
    competencia = (gravacao.replace(day=1) - datetime.timedelta(days=1)).strftime("%Y%m")
    tipo_resp, insc_resp, nome_resp = resp
    linhas = ["0" + "3" + "02" + "FGTS" + tipo_resp + insc_resp + a(nome_resp, 30) + data + a(identificador, 30) +
              " " * 35 + "0" * 28]
    empresas, total_contas, total = [], 0, 0
    for v in vinculos:
        if not empresas or empresas[-1][0] != v[:2]:
            empresas.append((v[:2], []))
        empresas[-1][1].append(v)
    numero_trabalhador = 0
    for e, (chave, vs) in enumerate(empresas):
        tipo, insc = chave
        if situacao_empresa:
            linhas.append("1" + "0" * 14 + " " * 40 + "0" * 8 + "0" * 8 + tipo + insc + n(situacao_empresa, 2) + "0" * 66)
            if situacao_empresa != 3:
                linhas.append("8" + "0" * 14 + n(0, 7) + n(0, 16) + "0" * 116)
                continue
        else:
            linhas.append("1" + n(500000 + e, 14) + a("EMPRESA %d" % (e + 1), 40) + data + data + tipo + insc + "00" +
                          "0" * 66)
        quantidade, soma = 0, 0
        for k, (tipo, insc, pis, categoria, admissao) in enumerate(vs):
            for c in range(contas):
                numero_trabalhador += 1
                if situacao_empresa == 3:
                    # The bank found no account: no numbers, no name, no balance.
                    linha = ("2" + "0" * 14 + "0" * 11 + " " * 40 + admissao + n(0, 13) + categoria + tipo + insc +
                             pis + "00" + "03" + "000000" + "0" * 29)
                    saldo = 0
                else:
                    diferente = nome_diferente and (numero_trabalhador - 1) % nome_diferente == 0
                    nome = nomes.get(pis, "TRABALHADOR %d" % numero_trabalhador)
                    if diferente:
                        nome = (nome + " DE TAL")[:40]
                    saldo = rnd.randrange(10000, 5000000)
                    linha = ("2" + n(500000 + e, 14) + n(70000000 + numero_trabalhador, 11) + a(nome, 40) +
                             admissao + n(saldo, 13) + categoria + tipo + insc + pis + ("02" if diferente else "01") +
                             "00" + competencia + "0" * 29)
                linhas.append(linha)
                quantidade += 1
                soma += saldo
        linhas.append("8" + "0" * 14 + n(quantidade, 7) + n(soma, 16) + "0" * 116)
        total_contas += quantidade
        total += soma
    linhas.append("9" + n(len(empresas), 7) + n(total_contas, 7) + n(len(empresas), 7) + n(total, 16) + "0" * 116)
    linhas = [l + n(i + 1, 6) for i, l in enumerate(linhas)]
    for l in linhas:
        assert len(l) == TAM, (len(l), l[:1])
    return linhas


def main():
    p = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    p.add_argument("--solicitacao", help="balance request answered (envelope .KVD or the plain file)")
    p.add_argument("--folha", help="payroll file (DRAV.re) giving links and names")
    p.add_argument("--identificador", help="request identifier (required without --solicitacao)")
    p.add_argument("--contas", type=int, default=1, help="accounts per link")
    p.add_argument("--nome-diferente", type=int, default=0, metavar="K")
    p.add_argument("--situacao-empresa", type=int, default=0, choices=[0, 1, 2, 3])
    p.add_argument("--data-gravacao", help="recording date DDMMYYYY (default: today)")
    p.add_argument("--semente", type=int, default=1)
    p.add_argument("--saida", required=True)
    args = p.parse_args()
    if not args.solicitacao and not args.folha:
        p.error("--solicitacao or --folha is required")
    nomes, resp, vinculos, identificador = {}, None, [], args.identificador
    if args.folha:
        tipo, insc, nome, vinculos, nomes = ler_folha(args.folha)
        resp = (tipo, insc, nome)
    if args.solicitacao:
        tipo, insc, identificador_solicitacao, vinculos = ler_solicitacao(args.solicitacao)
        identificador = identificador or identificador_solicitacao
        if resp is None:
            resp = (tipo, insc, "RESPONSAVEL")
    if not identificador:
        p.error("--identificador is required without --solicitacao")
    gravacao = datetime.datetime.strptime(args.data_gravacao, "%d%m%Y").date() if args.data_gravacao else None
    linhas = gerar(resp, identificador, vinculos, nomes, args.contas, args.nome_diferente, args.situacao_empresa,
                   args.semente, gravacao)
    with open(args.saida, "wb") as f:
        for l in linhas:
            f.write(l.encode("cp1252") + b"\r\n")


if __name__ == "__main__":
    main()
