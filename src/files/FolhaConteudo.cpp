// The content checks of each record type of the payroll file. Every check records its own row and
// the others still run; a field whose format is wrong skips its content check. The business
// objects' own checks are used with the file's values put into them: nothing is loaded from the
// database around them.
#include "files/Folha.h"

#include "core/Conversao.h"
#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Resultado.h"
#include "core/SqlLiterais.h"
#include "core/Utilitarios.h"
#include "core/Verificacoes.h"
#include "files/FolhaComplemento.h"
#include "model/Empregado.h"
#include "model/Empresa.h"
#include "model/Estabelecimento.h"
#include "model/InformacaoRescisao.h"
#include "model/Responsavel.h"
#include "model/Vinculo.h"

namespace drav {

namespace {

bool Brancos(const std::string& s) { return s.find_first_not_of(' ') == std::string::npos; }
bool Zeros(const std::string& s) { return !s.empty() && s.find_first_not_of('0') == std::string::npos; }
bool Digitos(const std::string& s) { return !s.empty() && SoNumeros(s); }
// A zero-filled optional number is "not informed".
std::string SemZeros(const std::string& s) { return Zeros(s) ? std::string() : s; }

} // namespace

// The responsible's and each employer's address are checked alike.
void TArqFolha::ValidarEndereco(std::size_t i, TEndereco& end, const std::string& logradouro,
                                const std::string& bairro, const std::string& cep, const std::string& localidade,
                                const std::string& uf)
{
    end.Logradouro = logradouro;
    if (!end.ValidarLogradouro())
        Registrar(i, logradouro, end.CodigoMensagem);
    end.Bairro = bairro;
    if (!end.ValidarBairro())
        Registrar(i, bairro, end.CodigoMensagem);
    if (Numerico(i, cep, "CEP: ")) {
        end.Cep = cep;
        if (!end.ValidarCep())
            Registrar(i, cep, end.CodigoMensagem);
    }
    end.Localidade = localidade;
    if (!end.ValidarLocalidade())
        Registrar(i, localidade, end.CodigoMensagem);
    end.Uf = uf;
    if (!end.ValidarUf())
        Registrar(i, uf, end.CodigoMensagem);
}

void TArqFolha::ValidarIdentificacao(std::size_t i, TEstabelecimento& e, const std::string& tipo,
                                     const std::string& inscricao, const std::string& razaoSocial)
{
    e.TipoInscricao = static_cast<uint8_t>(StrToInteiro(tipo));
    e.Inscricao = inscricao;
    if (!e.ValidarTipoInscricao())
        Registrar(i, tipo, e.CodigoMensagem);
    if (!e.ValidarInscricao())
        Registrar(i, inscricao, e.CodigoMensagem);
    e.RazaoSocial = AparaDireita(razaoSocial);
    if (!e.ValidarRazaoSocial())
        Registrar(i, razaoSocial, e.CodigoMensagem);
}

void TArqFolha::ValidarHeader(std::size_t i, const TRegFolha& reg)
{
    namespace C = CamposHeader;
    TResponsavel& resp = *responsavel_;
    TEndereco& end = resp.Endereco();

    if (Numerico(i, reg[C::TipoRemessa], "Tipo Remessa: ") && reg[C::TipoRemessa] != "2")
        Registrar(i, reg[C::TipoRemessa], 131);
    ValidarIdentificacao(i, resp, reg[C::TipoInscricao], reg[C::Inscricao], reg[C::RazaoSocial]);
    const std::string& telefone = reg[C::Telefone];
    if (Numerico(i, telefone, "Telefone: ")) {
        resp.Telefone = telefone.substr(4);
        if (!resp.ValidarTelefone())
            Registrar(i, resp.Telefone, resp.CodigoMensagem);
        resp.Ddd = telefone.substr(0, 4);
        if (!resp.ValidarDdd())
            Registrar(i, resp.Ddd, resp.CodigoMensagem);
    }
    resp.NomeContato = AparaDireita(reg[C::NomeContato]);
    if (!resp.ValidarNomeContato())
        Registrar(i, reg[C::NomeContato], resp.CodigoMensagem);
    resp.Email = AparaDireita(reg[C::Email]);
    if (!resp.ValidarEmail())
        Registrar(i, reg[C::Email], resp.CodigoMensagem);
    ValidarEndereco(i, end, reg[C::Logradouro], reg[C::Bairro], reg[C::Cep], reg[C::Localidade], reg[C::Uf]);

    const std::string& campoData = reg[C::DataPagamento];
    const std::string conteudoData = "Data Recolhimento: " + campoData;
    const TDateTime pagamento = Data(i, campoData, "", false);
    if (pagamento == NullDate)
        Registrar(i, conteudoData, 62);
    else if (pagamento == DataInvalida || DataValida(pagamento) != 0)
        Registrar(i, conteudoData, 63);
    else {
        if (Sessao()
                .AbrirConsulta("SELECT DT_RECOLHIMENTO_PRORATA FROM SFGTBT18_INDICE_PRORATA WHERE "
                               "DT_RECOLHIMENTO_PRORATA = " +
                               SqlData(pagamento))
                ->IsEmpty())
            Registrar(i, campoData, 201);
        if (!EhDiaUtil(Sessao(), pagamento))
            Registrar(i, campoData, 397);
    }
    if (!Brancos(reg[C::Filler1]))
        Registrar(i, reg[C::Filler1], 9);
    if (!Brancos(reg[C::Filler2]))
        Registrar(i, reg[C::Filler2], 9);
    if (reg[C::FimRegistro] != "*")
        Registrar(i, reg[C::FimRegistro], 211);
}

void TArqFolha::ValidarEmpresa(std::size_t i, const TRegFolha& reg)
{
    namespace C = CamposEmpresa;
    TEmpresa& e = *empresa_;
    TEndereco& end = e.Endereco();
    ValidarIdentificacao(i, e, reg[C::TipoInscricao], reg[C::Inscricao], reg[C::RazaoSocial]);
    const std::string& telefone = reg[C::Telefone];
    const bool telefoneOk = Numerico(i, telefone, "Telefone: ");
    if (telefoneOk) {
        e.Telefone = telefone.substr(4);
        if (!e.ValidarTelefone())
            Registrar(i, e.Telefone, e.CodigoMensagem);
    }
    if (Numerico(i, reg[C::Cnae], "CNAE: ")) {
        e.Cnae = reg[C::Cnae];
        if (!e.ValidarCnae())
            Registrar(i, reg[C::Cnae], e.CodigoMensagem);
    }
    const bool simplesOk = Numerico(i, reg[C::Simples], "Simples: ");
    const bool fpasOk = Numerico(i, reg[C::Fpas], "FPAS: ");
    e.Fpas = fpasOk ? reg[C::Fpas] : std::string();
    if (simplesOk) {
        e.Simples = static_cast<int16_t>(StrToInteiro(reg[C::Simples]));
        if (!e.ValidarSimples())
            Registrar(i, reg[C::Simples], e.CodigoMensagem);
    }
    if (fpasOk && !e.ValidarFpas())
        Registrar(i, reg[C::Fpas], e.CodigoMensagem);
    if (telefoneOk) {
        e.Ddd = telefone.substr(0, 4);
        if (!e.ValidarDdd())
            Registrar(i, e.Ddd, e.CodigoMensagem);
    }
    ValidarEndereco(i, end, reg[C::Logradouro], reg[C::Bairro], reg[C::Cep], reg[C::Localidade], reg[C::Uf]);
    if (!Brancos(reg[C::Filler]))
        Registrar(i, reg[C::Filler], 9);
    if (!Zeros(reg[C::Zeros]) || reg[C::Zeros].size() != 36)
        Registrar(i, reg[C::Zeros], 13);
    if (reg[C::FimRegistro] != "*")
        Registrar(i, reg[C::FimRegistro], 211);
}

void TArqFolha::PreencherTrabalhador(const TRegFolha& reg, TEmpregado& w)
{
    namespace C = CamposTrabalhador;
    TVinculo& v = w.Vinculo();
    TInformacaoRescisao& r = v.Rescisao();
    v.TipoInscricao = StrToInteiro(reg[C::TipoInscricao]);
    v.Inscricao = StrToInteiro64(reg[C::Inscricao]);
    v.Pis = StrToInteiro64(reg[C::Pis]);
    v.Categoria = StrToInteiro(reg[C::Categoria]);
    v.DataAdmissao = StrToData(reg[C::DataAdmissao], 0);
    r.TipoInscricao = v.TipoInscricao;
    r.Inscricao = v.Inscricao;
    r.Pis = v.Pis;
    r.Categoria = v.Categoria;
    r.DataAdmissao = v.DataAdmissao;
    v.EstadoMovimento = EstadoRegistrado;
    v.Inconsistente = false;
    v.TipoInscricaoTomador = Digitos(reg[C::TipoInscricaoTomador]) ? StrToInteiro(reg[C::TipoInscricaoTomador]) : 0;
    v.InscricaoTomador = Digitos(reg[C::InscricaoTomador]) ? StrToInteiro64(reg[C::InscricaoTomador]) : 0;
    w.Pis = reg[C::Pis];
    w.Nome = AparaDireita(reg[C::Nome]);
    w.Cpf = Digitos(reg[C::Cpf]) ? SemZeros(reg[C::Cpf]) : reg[C::Cpf];
    w.Ctps = Digitos(reg[C::NumeroCtps]) ? SemZeros(reg[C::NumeroCtps]) : reg[C::NumeroCtps];
    w.SerieCtps = Digitos(reg[C::SerieCtps]) ? SemZeros(reg[C::SerieCtps]) : reg[C::SerieCtps];
    w.Sexo = Digitos(reg[C::Sexo]) ? StrToInteiro(reg[C::Sexo]) : 0;
    w.GrauInstrucao = Digitos(reg[C::GrauInstrucao]) ? std::to_string(StrToInteiro(reg[C::GrauInstrucao])) : "";
    const std::string nascimento = DataArquivo(reg[C::DataNascimento], false);
    w.DataNascimento = UltimoErro() == "0212" ? DataInvalida : StrToData(nascimento, 0);
    v.HorasSemanais = Digitos(reg[C::HorasSemanais]) ? StrToInteiro(reg[C::HorasSemanais]) : 0;
    v.Cbo = MaiusculasAscii(AparaDireita(reg[C::Cbo]));
    auto data = [](const std::string& campo) {
        const std::string t = DataArquivo(campo, false);
        return UltimoErro() == "0212" ? DataInvalida : StrToData(t, 0);
    };
    v.DataOpcao = data(reg[C::DataOpcao]);
    v.Movimentacao = MaiusculasAscii(AparaDireita(reg[C::CodigoMovimentacao]));
    v.DataMovimentacao = data(reg[C::DataMovimentacao]);
    v.Saque = AparaDireita(reg[C::CodigoSaque]);
    v.AvisoPrevio = Digitos(reg[C::AvisoPrevio]) ? StrToInteiro(reg[C::AvisoPrevio]) : 0;
    v.DataInicioAviso = data(reg[C::DataAviso]);
    v.ReposicaoVagas = reg[C::ReposicaoVagas];
    v.Banco = Digitos(reg[C::Banco]) ? SemZeros(reg[C::Banco]) : reg[C::Banco];
    v.Agencia = Digitos(reg[C::Agencia]) ? SemZeros(reg[C::Agencia]) : reg[C::Agencia];
    v.Conta = Digitos(reg[C::Conta]) ? SemZeros(reg[C::Conta]) : reg[C::Conta];
    r.DtDissidio = data(reg[C::DataDissidio]);
    r.VrDissidio = LerValor15(reg[C::ValorDissidio]);
    r.VrRemuneracaoAnteriorRscso = LerValor15(reg[C::RemuneracaoAnterior]);
    r.VrRemuneracaoRescisao = LerValor15(reg[C::RemuneracaoRescisao]);
    r.VrAvisoPrevio = LerValor15(reg[C::ValorAvisoPrevio]);
    r.TipoPensao = MaiusculasAscii(reg[C::TipoPensao]);
    const double percentual = Digitos(reg[C::PercentualPensao]) && reg[C::PercentualPensao].size() == 5
                                  ? StrToInteiro(reg[C::PercentualPensao]) / 100.0
                                  : 0;
    const double valorPensao = LerValor15(reg[C::ValorPensao]);
    r.VrPensaoAlmna = r.TipoPensao == "P" ? percentual : r.TipoPensao == "V" ? valorPensao : 0;
    r.VrSaldoRescisorio = LerValor15(reg[C::SaldoInformado]);
    r.OrigemSaldo = r.VrSaldoRescisorio > 0 ? OrigemSaldoEmpresa : OrigemSaldoNenhum;
    if (r.VrSaldoRescisorio < 0)
        r.VrSaldoRescisorio = 0;
    r.VrDepositoCmploSaldo = 0;
    r.VrJamSaldoRescisorio = 0;
    v.Empresa().Fpas = fpasAtual_;
    v.Empresa().TipoInscricao = static_cast<uint8_t>(v.TipoInscricao);
    v.Empresa().Inscricao = reg[C::Inscricao];
}

void TArqFolha::ValidarTrabalhador(std::size_t i, const TRegFolha& reg)
{
    namespace C = CamposTrabalhador;
    TEmpregado& w = *trabalhador_;
    PreencherTrabalhador(reg, w);
    TVinculo& v = w.Vinculo();
    v.Gravados = gravados_.get();
    TInformacaoRescisao& r = v.Rescisao();
    TEmpresa& e = *empresa_;
    auto falha = [&](TNegocio& n, const std::string& conteudo) { Registrar(i, conteudo, n.CodigoMensagem); };

    NascimentoAtual = w.DataNascimento;
    DissidioAtual = r.DtDissidio;
    OpcaoAtual = v.DataOpcao;
    movimentoAtual_ = v.DataMovimentacao;
    movimentacaoAtual_ = v.Movimentacao;

    // 1. the link's employer
    e.TipoInscricao = static_cast<uint8_t>(v.TipoInscricao);
    e.Inscricao = reg[C::Inscricao];
    if (!e.ValidarTipoInscricao())
        falha(e, reg[C::TipoInscricao]);
    if (!e.ValidarInscricao())
        falha(e, reg[C::Inscricao]);
    // 2. service taker
    if (Numerico(i, reg[C::TipoInscricaoTomador], "Tipo Inscrição Tomador: ") && !v.ValidarTipoTomador())
        falha(v, reg[C::TipoInscricaoTomador]);
    if (Numerico(i, reg[C::InscricaoTomador], "Inscrição Tomador: ") && !v.ValidarInscricaoTomador())
        falha(v, reg[C::InscricaoTomador]);
    // 3. admission, against the worker's other links in this file and in the database
    {
        auto it = registrosPorPis_.find(reg[C::Pis]);
        const TArrRegRegistro* doPis = it != registrosPorPis_.end() ? &it->second : nullptr;
        if (!v.ValidarDataAdmissao(true, doPis))
            falha(v, v.CodigoMensagem == "0443" ? reg[C::DataNascimento] : reg[C::DataAdmissao]);
    }
    // 4. category and name
    if (!v.ValidarCategoria(false))
        falha(v, reg[C::Categoria]);
    if (!w.ValidarNome())
        falha(w, reg[C::Nome]);
    // 5. personal documents
    if (Numerico(i, reg[C::Cpf], "CPF: ") && !w.ValidarCpf())
        falha(w, reg[C::Cpf]);
    if (Numerico(i, reg[C::NumeroCtps], "Número CTPS: ") && !w.ValidarCtps(false))
        falha(w, reg[C::NumeroCtps]);
    if (Numerico(i, reg[C::SerieCtps], "Serie CTPS: ") && !w.ValidarSerieCtps(false))
        falha(w, reg[C::SerieCtps]);
    if (Numerico(i, reg[C::Sexo], "Sexo: ") && !w.ValidarSexo())
        falha(w, reg[C::Sexo]);
    if (Numerico(i, reg[C::GrauInstrucao], "Grau Instrução: ") && !w.ValidarGrauInstrucao())
        falha(w, reg[C::GrauInstrucao]);
    if (Data(i, reg[C::DataNascimento], "Data Nascimento: ") != DataInvalida && !w.ValidarDataNascimento())
        falha(w, reg[C::DataNascimento]);
    // 6. occupation, hours, replacement, withdrawal
    if (!v.ValidarCbo())
        falha(v, reg[C::Cbo]);
    if (Numerico(i, reg[C::HorasSemanais], "Horas Trabalhadas: ") && !v.ValidarHorasSemanais())
        falha(v, reg[C::HorasSemanais]);
    if (!v.ValidarReposicaoVagas())
        falha(v, reg[C::ReposicaoVagas]);
    if (!v.ValidarSaque())
        falha(v, reg[C::CodigoSaque]);
    // 7. bank account
    if (Numerico(i, reg[C::Banco], "Banco: ") && !v.ValidarBanco())
        falha(v, reg[C::Banco]);
    if (Numerico(i, reg[C::Agencia], "Agência: ") && !v.ValidarAgencia())
        falha(v, reg[C::Agencia]);
    if (Numerico(i, reg[C::Conta], "Conta Corrente: ") && !v.ValidarConta())
        falha(v, reg[C::Conta]);
    // 8. option, movement, notice
    if (Data(i, reg[C::DataOpcao], "Data Opção: ") != DataInvalida && !v.ValidarDataOpcao())
        falha(v, reg[C::DataOpcao]);
    if (!v.ValidarMovimentacao())
        falha(v, reg[C::CodigoMovimentacao]);
    if (Data(i, reg[C::DataMovimentacao], "Data Movimento: ") != DataInvalida && !v.ValidarDataMovimentacao())
        falha(v, reg[C::DataMovimentacao]);
    if (Numerico(i, reg[C::AvisoPrevio], "Aviso: ") && !v.ValidarAvisoPrevio())
        falha(v, reg[C::AvisoPrevio]);
    if (Data(i, reg[C::DataAviso], "Data Aviso: ") != DataInvalida && !v.ValidarDataInicioAviso())
        falha(v, reg[C::DataAviso]);
    // 9. agreement and amounts
    if (Data(i, reg[C::DataDissidio], "Data Dissídio: ") != DataInvalida && !r.ValidarDataDissidio())
        falha(r, reg[C::DataDissidio]);
    double valor = 0;
    if (Valor(i, reg[C::ValorDissidio], "Valor Dissídio: ", valor) && !r.ValidarValorDissidio())
        falha(r, reg[C::ValorDissidio]);
    if (Valor(i, reg[C::RemuneracaoAnterior], "Valor Remuneração do Mês Anterior a Rescisão: ", valor) &&
        !r.ValidarRemuneracaoAnterior())
        falha(r, reg[C::RemuneracaoAnterior]);
    if (Valor(i, reg[C::RemuneracaoRescisao], "Valor Remuneração do Mês da Rescisão: ", valor) &&
        !r.ValidarRemuneracaoRescisao())
        falha(r, reg[C::RemuneracaoRescisao]);
    if (Valor(i, reg[C::ValorAvisoPrevio], "Valor Aviso Indenizado: ", valor)) {
        if (!r.ValidarAvisoPrevioIndenizado())
            falha(r, reg[C::ValorAvisoPrevio]);
        if (!r.ValidarTotalRemuneracoes())
            falha(r, reg[C::CodigoMovimentacao]);
        else if (!r.ValidarRemuneracoesI3(true))
            falha(r, reg[C::CodigoMovimentacao]);
    }
    // 10. alimony. The percentage rule runs for type "P" (and the value rule for "V") unless the
    // other field is filled where it must not be: a "P" with 0 % or 150 % is refused, as is a "V"
    // without a value.
    if (!r.ValidarTipoPensao())
        falha(r, reg[C::TipoPensao]);
    const std::string tipoPensao = r.TipoPensao;
    const bool percentualOk = Numerico(i, reg[C::PercentualPensao], "Valor Percentual da Pensão: ");
    double valorPensao = 0;
    const bool valorOk = Valor(i, reg[C::ValorPensao], "Valor da Pensão: ", valorPensao);
    const double percentual = percentualOk ? StrToInteiro(reg[C::PercentualPensao]) / 100.0 : 0;
    const double guardado = r.VrPensaoAlmna;
    if (percentualOk) {
        if ((tipoPensao == "P" || tipoPensao == "N") && valorOk && valorPensao > 0) {
            Registrar(i, reg[C::ValorPensao], 334);
        } else {
            r.VrPensaoAlmna = percentual;
            if (!r.ValidarLimitePensaoPercentual())
                falha(r, reg[C::PercentualPensao]);
        }
    }
    if (valorOk) {
        if ((tipoPensao == "V" || tipoPensao == "N") && percentualOk && percentual > 0) {
            Registrar(i, reg[C::PercentualPensao], 335);
        } else {
            r.VrPensaoAlmna = valorPensao;
            if (!r.ValidarPensaoValorInformado())
                falha(r, reg[C::ValorPensao]);
        }
    }
    r.VrPensaoAlmna = guardado;
    // 11. balance informed by the employer
    Valor(i, reg[C::SaldoInformado], "Valor de Saldo Informado pela Empresa: ", valor);
    // 12. filler and end mark
    if (!Brancos(reg[C::Filler]))
        Registrar(i, reg[C::Filler], 9);
    if (reg[C::FimRegistro] != "*")
        Registrar(i, reg[C::FimRegistro], 211);
}

void TArqFolha::ValidarComplemento(std::size_t i, const TRegFolha& reg)
{
    namespace C = CamposComplemento;
    TComplementoFolha& c = *complemento_;
    c.TipoInscricao = StrToInteiro(reg[C::TipoInscricao]);
    c.Inscricao = StrToInteiro64(reg[C::Inscricao]);
    c.Pis = StrToInteiro64(reg[C::Pis]);
    c.Categoria = StrToInteiro(reg[C::Categoria]);
    c.DataAdmissao = StrToData(reg[C::DataAdmissao], 0);
    c.DataOpcao = OpcaoAtual;
    c.DataMovimentacao = movimentoAtual_;
    c.DataDissidio = DissidioAtual;
    c.Movimentacao = movimentacaoAtual_;
    c.NumeroComplemento = reg.Tipo - 42;
    if (!c.ValidarPermiteComplemento()) {
        Registrar(i, "", c.CodigoMensagem);
        return;
    }
    if (reg[C::Zero] != "0")
        Registrar(i, reg[C::Zero], 13);
    if (!Zeros(reg[C::Zeros]))
        Registrar(i, reg[C::Zeros], 13);

    auto competencia = [&](int k) -> const std::string& { return reg[C::Competencia(k)]; };
    auto remuneracao = [&](int k) -> const std::string& { return reg[C::Remuneracao(k)]; };
    auto vazio = [&](int k) { return StrToInteiro(competencia(k)) == 0 && LerValor15(remuneracao(k)) == 0; };
    auto preenchido = [&](int k) { return StrToInteiro(competencia(k)) > 0 && LerValor15(remuneracao(k)) > 0; };
    bool todosVazios = true;
    for (int k = 0; k < C::Pares; ++k)
        todosVazios = todosVazios && vazio(k);
    if (vazio(0) && todosVazios)
        Registrar(i, FormatarData(DissidioAtual), 360);
    for (int k = 0; k + 1 < C::Pares; ++k)
        if (vazio(k) && preenchido(k + 1))
            Registrar(i, competencia(k + 1) + remuneracao(k + 1), 361);

    const std::string tipo = Registros[i].TipoRegistro;
    for (int k = 0; k < C::Pares; ++k) {
        const std::string& comp = competencia(k);
        c.AnoCompetencia = comp.substr(0, 4);
        c.MesCompetencia = comp.size() > 4 ? comp.substr(4) : std::string();
        if (Digitos(comp) && StrToInteiro(comp) > 0 && !CompetenciasVistas.insert(tipo + comp).second)
            Registrar(i, comp, 292);
        if (!Digitos(comp) || comp.size() != 6) {
            Registrar(i, comp, 34);
        } else if (!c.ValidarCompetencia(true)) {
            Registrar(i, comp, c.CodigoMensagem);
        }
        double valor = 0;
        if (Valor(i, remuneracao(k), "Valor da Competência: ", valor)) {
            c.ValorRemuneracao = valor;
            if (Digitos(comp) && !c.ValidarRemuneracao())
                Registrar(i, remuneracao(k), c.CodigoMensagem);
        }
    }
    if (!Brancos(reg[C::Filler]))
        Registrar(i, reg[C::Filler], 9);
    if (reg[C::FimRegistro] != "*")
        Registrar(i, reg[C::FimRegistro], 211);
}

void TArqFolha::ValidarTrailer(std::size_t i, const TRegFolha& reg)
{
    namespace C = CamposTrailer;
    if (!TodosNoves(reg[C::Noves], 51))
        Registrar(i, reg[C::Noves], 10);
    if (!Brancos(reg[C::Filler1]))
        Registrar(i, reg[C::Filler1], 9);
    if (!Brancos(reg[C::Filler2]))
        Registrar(i, reg[C::Filler2], 9);
    if (reg[C::FimRegistro] != "*")
        Registrar(i, reg[C::FimRegistro], 211);
}

} // namespace drav
