#include "files/Backup.h"

#include "calc/ValidacaoVinculo.h"
#include "core/DBUtils.h"
#include "core/Excecoes.h"
#include "core/Formatacao.h"
#include "core/SqlLiterais.h"
#include "core/Utilitarios.h"
#include "files/BackupLinhas.h"
#include "files/Layout.h"
#include "model/Vinculo.h"
#include "store/Tabelas.h"
#include "store/VersaoSchema.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <fstream>
#include <set>
#include <system_error>

namespace drav {

namespace fs = std::filesystem;

namespace {

constexpr const char* kArquivoVersao = "VERSAO.txt";
constexpr const char* kVersaoAntiga = "1.3.3";
constexpr const char* kInconsistencias = "SFGTBG18_INCONSISTENCIA_ARQUIVO";

// Field type numbers of the engine's catalogue.
constexpr int kTipoData = 12;
constexpr int kTipoTimestamp = 35;
constexpr int kTipoBlob = 261;

struct Renomeacao {
    const char* tabela;
    const char* antiga;
    const char* nova;
};

const Renomeacao kRenomeacoes[] = {
    {"SFGTBG04_VINCULO_EMPREGATICIO", "DT_INCO_AVISO_PRVO", "DT_INICIO_AVISO_PRVO"},
    {"SFGTBG06_INFORMACAO_RESCISAO", "VR_REMUNERACAO_ANTERIOR_RESCISAO", "VR_REMUNERACAO_ANTERIOR_RSCSO"},
    {"SFGTBG09_GUIA_INDIVIDUAL", "VR_REMUNERACAO_ANTERIOR_RESCISAO", "VR_REMUNERACAO_ANTERIOR_RSCSO"},
    {"SFGTBG06_INFORMACAO_RESCISAO", "VR_MULTA_CNTRO_ANTERIOR_RESCISAO", "VR_MULTA_CNTRO_ANTERIOR_RSCSO"},
    {"SFGTBG09_GUIA_INDIVIDUAL", "VR_MULTA_CNTRO_ANTERIOR_RESCISAO", "VR_MULTA_CNTRO_ANTERIOR_RSCSO"},
    {kInconsistencias, "CO_TIPO_INSCRICAO_RSPNL_INCONSISTENCIA", "NU_TIPO_INSCRICAO_RSPNL_INCNA"},
    {kInconsistencias, "CO_INSCRICAO_RSPNL_INCONSISTENCIA", "NU_INSCRICAO_RSPNL_INCNA"},
    {kInconsistencias, "NO_RAZAO_SOCIAL_RSPNL_INCONSISTENCIA", "NO_RAZAO_SOCIAL_RSPNL_INCNA"},
    {kInconsistencias, "CO_TIPO_INSCRICAO_EMPRESA_INCONSISTENCIA", "NU_TIPO_INSCRICAO_EMPRESA"},
    {kInconsistencias, "CO_INSCRICAO_INCONSISTENCIA", "NU_INSCRICAO_EMPRESA"},
    {"SFGTBT16_INDICE_GUIA_RESCISORIA", "DT_RECOLHIMENTO_INDICE_RESCISORIA", "DT_RCLTO_INDICE_RESCISORIA"},
    {"SFGTBT17_INDICE_SIMPLIFICADO", "IN_SIMPLIFICADO_1_OPCAO_ATE_0971", "IN_SMPLO_1_OPCAO_ATE_0971"},
    {"SFGTBT17_INDICE_SIMPLIFICADO", "IN_SIMPLIFICADO_2_OPCAO_ATE_0971", "IN_SMPLO_2_OPCAO_ATE_0971"},
    {"SFGTBT17_INDICE_SIMPLIFICADO", "IN_SIMPLIFICADO_1_OPCAO_MAIOR_0971", "IN_SMPLO_1_OPCAO_MAIOR_0971"},
    {"SFGTBT17_INDICE_SIMPLIFICADO", "IN_SIMPLIFICADO_2_OPCAO_MAIOR_0971", "IN_SMPLO_2_OPCAO_MAIOR_0971"},
};

std::string SemAspas(std::string s)
{
    s.erase(std::remove(s.begin(), s.end(), '\''), s.end());
    return s;
}

fs::path ArquivoTabela(const fs::path& pasta, const std::string& tabela)
{
    return pasta / (SemAspas(tabela) + ".txt");
}

std::string PrimeiraLinha(const fs::path& arquivo, bool& existe)
{
    std::string bytes;
    existe = LerBytesArquivo(arquivo, bytes);
    if (!existe)
        return {};
    const auto linhas = SepararLinhas(bytes);
    return linhas.empty() ? std::string() : Aparar(Cp1252ParaUtf8(linhas.front()));
}

bool EmBranco(const std::string& linha)
{
    return std::all_of(linha.begin(), linha.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

// "1.0.0" as its numbers; empty when the text is not a dotted version.
std::vector<long> PartesVersao(const std::string& v)
{
    std::vector<long> partes;
    std::size_t i = 0;
    while (i < v.size()) {
        long n = 0;
        const auto r = std::from_chars(v.data() + i, v.data() + v.size(), n);
        if (r.ec != std::errc() || r.ptr == v.data() + i)
            return {};
        partes.push_back(n);
        i = static_cast<std::size_t>(r.ptr - v.data());
        if (i == v.size())
            break;
        if (v[i] != '.' || i + 1 == v.size())
            return {};
        ++i;
    }
    return partes;
}

void GravarArquivo(const fs::path& arquivo, const std::string& bytes)
{
    std::ofstream f(arquivo, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    f.close();
    if (!f)
        throw ENegocio("Não foi possível gravar o arquivo " + arquivo.string());
}

} // namespace

TBackup::TBackup(TDBUtils& sessao) : sessao_(sessao)
{
    ListarTabelas(false);
}

TBackup::TBackup(TDBUtils& sessao, const std::string& tabela, const std::string& condicao)
    : Tabelas{tabela}, Condicao(condicao), sessao_(sessao)
{
}

void TBackup::ListarTabelas(bool formatoAntigo)
{
    const auto& todas = TabelasBackup();
    const std::size_t n = formatoAntigo ? kTabelasBackupAntigo : todas.size();
    Tabelas.assign(todas.begin(), todas.begin() + static_cast<std::ptrdiff_t>(n));
}

bool TBackup::GravarVersao(const fs::path& pasta)
{
    try {
        const std::string versao = VersaoSistema(sessao_, true);
        std::string bytes;
        if (versao.empty() || !Utf8ParaCp1252(versao, bytes))
            return false;
        GravarArquivo(pasta / kArquivoVersao, bytes + "\r\n");
        return true;
    } catch (const EDrav&) {
        return false;
    }
}

SituacaoVersaoBackup TBackup::SituacaoVersao(const fs::path& pasta)
{
    bool existe = false;
    const std::string linha = PrimeiraLinha(pasta / kArquivoVersao, existe);
    VersaoBackup.clear();
    if (!existe)
        return SituacaoVersaoBackup::Ausente;
    VersaoBackup = linha.substr(0, linha.find(' '));
    if (linha.rfind(kVersaoAntiga, 0) == 0)
        return SituacaoVersaoBackup::FormatoAntigo;
    const auto backup = PartesVersao(VersaoBackup);
    const auto atual = PartesVersao(kVersaoSchema);
    if (backup.empty())
        return SituacaoVersaoBackup::Ilegivel;
    if (backup == atual)
        return SituacaoVersaoBackup::Mesma;
    return std::lexicographical_compare(backup.begin(), backup.end(), atual.begin(), atual.end())
               ? SituacaoVersaoBackup::Anterior
               : SituacaoVersaoBackup::Posterior;
}

bool TBackup::ConferirVersao(const fs::path& pasta, int modo)
{
    MesmaVersao = false;
    const SituacaoVersaoBackup s = SituacaoVersao(pasta);
    if (s == SituacaoVersaoBackup::Ausente)
        return false;
    if (modo == 1)
        return s == SituacaoVersaoBackup::FormatoAntigo;
    if (s != SituacaoVersaoBackup::Mesma)
        return false;
    bool existe = false;
    MesmaVersao = Aparar(VersaoSistema(sessao_, true)) == PrimeiraLinha(pasta / kArquivoVersao, existe);
    return MesmaVersao;
}

bool TBackup::ApagarArquivosBackup(const fs::path& pasta)
{
    bool resultado = true;
    for (const auto& t : Tabelas) {
        std::error_code ec;
        fs::remove(ArquivoTabela(pasta, t), ec);
        resultado = !ec && !fs::exists(ArquivoTabela(pasta, t), ec);
    }
    std::error_code ec;
    fs::remove(pasta / kArquivoVersao, ec);
    return resultado;
}

bool TBackup::ArquivosCompletos(const fs::path& pasta)
{
    return std::all_of(Tabelas.begin(), Tabelas.end(), [&](const std::string& t) {
        std::error_code ec;
        return fs::is_regular_file(ArquivoTabela(pasta, t), ec);
    });
}

std::vector<TBackup::ColunaBanco> TBackup::ColunasBanco(const std::string& tabela)
{
    auto r = sessao_.AbrirConsulta(
        "SELECT RF.RDB$FIELD_NAME AS NOME, F.RDB$FIELD_TYPE AS TIPO, F.RDB$DIMENSIONS AS DIMENSOES "
        "FROM RDB$RELATION_FIELDS RF JOIN RDB$FIELDS F ON F.RDB$FIELD_NAME = RF.RDB$FIELD_SOURCE "
        "WHERE RF.RDB$RELATION_NAME = " +
        SqlTexto(SemAspas(tabela)) + " ORDER BY RF.RDB$FIELD_POSITION");
    std::vector<ColunaBanco> colunas;
    for (r->First(); !r->Eof(); r->Next()) {
        const int tipo = r->FieldByName("TIPO").AsInteger();
        // Binary objects and arrays have no literal form; they are not part of a backup.
        if (tipo == kTipoBlob || r->FieldByName("DIMENSOES").AsInteger() > 0)
            continue;
        colunas.push_back({Aparar(r->FieldByName("NOME").AsString()), tipo});
    }
    if (colunas.empty())
        throw ENegocio("A tabela " + tabela + " não existe no banco de dados.");
    return colunas;
}

std::string TBackup::Exportar(const std::string& tabela)
{
    const auto colunas = ColunasBanco(tabela);
    std::vector<std::string> nomes;
    std::string lista;
    for (const auto& c : colunas) {
        nomes.push_back(c.nome);
        lista += (lista.empty() ? "" : ", ") + c.nome;
    }
    std::string sql = "SELECT " + lista + " FROM " + SemAspas(tabela);
    if (!Condicao.empty())
        sql += " " + Condicao;
    const auto r = sessao_.AbrirConsulta(sql);
    std::string bytes;
    std::vector<std::string> literais(colunas.size());
    for (int linha = 0; linha < r->RecordCount(); ++linha) {
        for (int i = 0; i < r->FieldCount(); ++i) {
            const Valor& v = r->Celula(linha, i);
            const Coluna& c = r->Colunas()[static_cast<std::size_t>(i)];
            std::string& lit = literais[static_cast<std::size_t>(i)];
            if (std::holds_alternative<std::monostate>(v)) {
                lit = "NULL";
                continue;
            }
            switch (c.tipo) {
            case TipoColuna::Texto: {
                std::string t = std::get<std::string>(v);
                while (!t.empty() && t.back() == ' ')
                    t.pop_back();
                lit = LiteralTextoBackup(t);
                break;
            }
            case TipoColuna::Inteiro: lit = std::to_string(std::get<int64_t>(v)); break;
            case TipoColuna::Decimal: lit = LiteralDecimalBackup(std::get<int64_t>(v), c.escala); break;
            case TipoColuna::Flutuante: lit = LiteralFlutuanteBackup(std::get<double>(v)); break;
            case TipoColuna::Data: lit = LiteralDataBackup(std::get<double>(v), false); break;
            case TipoColuna::DataHora: lit = LiteralDataBackup(std::get<double>(v), true); break;
            case TipoColuna::Hora: lit = LiteralHoraBackup(std::get<double>(v)); break;
            }
        }
        std::string cp;
        const std::string texto = LinhaInsercao(SemAspas(tabela), nomes, literais);
        if (!Utf8ParaCp1252(texto, cp))
            throw ENegocio("A tabela " + tabela + " tem um texto que o arquivo de backup não pode guardar (linha " +
                           std::to_string(linha + 1) + ").");
        bytes += cp + "\r\n";
    }
    return bytes;
}

bool TBackup::ExportarTabelas(const fs::path& pasta)
{
    std::error_code ec;
    if (!fs::is_directory(pasta, ec))
        throw ENegocio("Diretório não exite.");
    if (!GravarVersao(pasta))
        throw ENegocio("Erro ao criar arquivo de versão");
    for (const auto& t : Tabelas)
        GravarArquivo(ArquivoTabela(pasta, t), Exportar(t));
    return true;
}

void TBackup::LimparTabelas()
{
    for (auto t = Tabelas.rbegin(); t != Tabelas.rend(); ++t)
        sessao_.ExecutarSQL("DELETE FROM " + SemAspas(*t) + (Condicao.empty() ? "" : " " + Condicao));
}

bool TBackup::ConferirEstrutura(const std::string& tabela, const std::string& primeiraLinha)
{
    TInstrucaoBackup instrucao;
    std::string erro;
    if (!LerInstrucaoBackup(primeiraLinha, instrucao, erro))
        return true;
    for (const auto& c : ColunasBanco(tabela))
        if (std::find(instrucao.colunas.begin(), instrucao.colunas.end(), c.nome) == instrucao.colunas.end())
            return true;
    return false;
}

void TBackup::CarregarTabela(const std::string& tabela, const fs::path& arquivo)
{
    std::string bytes;
    if (!LerBytesArquivo(arquivo, bytes))
        throw ENegocio("Não foi possível ler o arquivo " + arquivo.filename().string());
    const std::string nome = SemAspas(tabela);
    std::set<std::string> conhecidas;
    for (const auto& c : ColunasBanco(tabela))
        conhecidas.insert(c.nome);
    bool primeira = true;
    int numero = 0;
    for (const std::string& bruta : SepararLinhas(bytes)) {
        ++numero;
        if (EmBranco(bruta))
            continue;
        const std::string linha = Cp1252ParaUtf8(bruta);
        const std::string onde = arquivo.filename().string() + ", linha " + std::to_string(numero) + ": ";
        TInstrucaoBackup instrucao;
        std::string erro;
        if (!LerInstrucaoBackup(linha, instrucao, erro))
            throw ENegocio(onde + erro);
        if (instrucao.tabela != nome)
            throw ENegocio(onde + "inclusão na tabela " + instrucao.tabela);
        std::set<std::string> vistas;
        for (const auto& c : instrucao.colunas)
            if (!conhecidas.count(c) || !vistas.insert(c).second)
                throw ENegocio(onde + "coluna " + c + " desconhecida ou repetida");
        // An empty table has nothing to compare; a table that gained a column is refused as a
        // whole, since its rows would come back without it.
        if (primeira) {
            primeira = false;
            EstruturaAlterada = ConferirEstrutura(tabela, linha);
            if (EstruturaAlterada)
                return;
        }
        sessao_.ExecutarSQL(MontarInsercao(instrucao));
    }
}

void TBackup::AvancarGeradores()
{
    // Keys of restored rows come from generators; a generator behind them would hand out a key
    // that already exists. Generators are outside transactions, so they are only ever moved on.
    const auto avancar = [this](const std::string& gerador, int64_t maior) {
        const auto r = sessao_.AbrirConsulta("SELECT GEN_ID(" + gerador + ", 0) AS V FROM RDB$DATABASE");
        const int64_t atual = r->FieldByName("V").AsInt64();
        if (maior > atual)
            sessao_.AbrirConsulta("SELECT GEN_ID(" + gerador + ", " + std::to_string(maior - atual) +
                                  ") AS V FROM RDB$DATABASE");
    };
    const auto contem = [this](const char* t) { return std::find(Tabelas.begin(), Tabelas.end(), t) != Tabelas.end(); };
    if (contem(kInconsistencias)) {
        const auto r = sessao_.AbrirConsulta("SELECT MAX(NU_INCONSISTENCIA) AS M FROM " + std::string(kInconsistencias));
        avancar("GEN_SFGTBG18_ARQUIVO_ID", r->FieldByName("M").AsInt64());
    }
    if (contem("SFGTBG19_RESPONSAVEL_HMLGO")) {
        const auto r = sessao_.AbrirConsulta("SELECT NU_IDENTIFICADOR_ARQUIVO AS I FROM SFGTBG19_RESPONSAVEL_HMLGO");
        int64_t maior = 0;
        for (r->First(); !r->Eof(); r->Next()) {
            const std::string id = Aparar(r->FieldByName("I").AsString());
            int64_t n = 0;
            const auto res = std::from_chars(id.data(), id.data() + id.size(), n);
            if (res.ec == std::errc() && res.ptr == id.data() + id.size())
                maior = std::max(maior, n);
        }
        avancar("S_SFGTBG19_RESPONSAVEL_HMLGO", maior);
    }
}

void TBackup::AposRestaurar()
{
    if (ValidarAposRestaurar) {
        // Inside the restore's transaction: the register's own short transactions could not
        // delete rows this transaction has just replaced.
        sessao_.ExecutarSQL("DELETE FROM " + std::string(kInconsistencias) + " WHERE NU_ARQUIVO = 3");
        TValidacaoVinculo validacao(sessao_);
        validacao.Registrar = true;
        InconsistenciasGravadas = validacao.ValidarTodos().Gravado;
    } else {
        TVinculo vinculo(sessao_);
        if (!vinculo.GravarValidacao(true, true))
            throw ENegocio("Não foi possível marcar os vínculos para nova validação.");
    }
}

bool TBackup::Transacao(const std::function<void()>& trabalho)
{
    MotivoFalha.clear();
    try {
        TTransacao t(sessao_);
        try {
            trabalho();
            t.Confirmar();
            return true;
        } catch (...) {
            t.Desfazer();
            throw;
        }
    } catch (const std::exception& e) {
        MotivoFalha = e.what();
        return false;
    }
}

bool TBackup::RestaurarDaPasta(const fs::path& pasta, const std::function<void()>& carga)
{
    InconsistenciasGravadas = false;
    EstruturaAlterada = false;
    return Transacao([&] {
        std::error_code ec;
        if (!fs::is_directory(pasta, ec))
            throw ENegocio("Diretório não exite.");
        if (!ArquivosCompletos(pasta))
            throw ENegocio("Arquivo de Backup inválido.");
        carga();
    });
}

bool TBackup::RestaurarTabelas(const fs::path& pasta)
{
    return RestaurarDaPasta(pasta, [&] {
        const SituacaoVersaoBackup s = SituacaoVersao(pasta);
        if (s == SituacaoVersaoBackup::Posterior)
            throw ENegocio(TextoVersaoPosterior(VersaoBackup));
        if (s == SituacaoVersaoBackup::FormatoAntigo)
            throw ENegocio("O backup é do formato da versão 1.3.3; restaure-o como backup da versão 1.3.3.");
        LimparTabelas();
        for (const auto& t : Tabelas) {
            CarregarTabela(t, ArquivoTabela(pasta, t));
            if (EstruturaAlterada)
                throw ENegocio("Estrutura da tabela alterada.");
        }
        AvancarGeradores();
        // The single-table form replaces rows no link depends on; the links stay as they were.
        if (!MesmaVersao && Condicao.empty())
            AposRestaurar();
    });
}

std::string TBackup::AjustarColunasAntigas(const std::string& tabela, const std::string& cabecalho)
{
    std::vector<std::string> nomes = LerCabecalhoAntigo(cabecalho);
    std::string r;
    for (auto& n : nomes) {
        for (const auto& ren : kRenomeacoes)
            if (tabela == ren.tabela && n == ren.antiga)
                n = ren.nova;
        r += (r.empty() ? "" : ",") + n;
    }
    return r;
}

void TBackup::CarregarTabelaAntiga(const std::string& tabela, const fs::path& arquivo)
{
    std::string bytes;
    if (!LerBytesArquivo(arquivo, bytes))
        throw ENegocio("Não foi possível ler o arquivo " + arquivo.filename().string());
    const auto linhas = SepararLinhas(bytes);
    if (linhas.empty())
        return;
    const std::string nome = SemAspas(tabela);
    std::vector<std::string> cabecalho =
        LerCabecalhoAntigo(AjustarColunasAntigas(nome, Cp1252ParaUtf8(linhas.front())));
    const auto colunas = ColunasBanco(tabela);
    std::vector<int> tipos;
    for (const auto& c : cabecalho) {
        const auto it = std::find_if(colunas.begin(), colunas.end(), [&](const ColunaBanco& b) { return b.nome == c; });
        if (it == colunas.end())
            throw ENegocio(arquivo.filename().string() + ": coluna " + c + " desconhecida");
        tipos.push_back(it->tipo);
    }
    // The register's key came from its generator then as now.
    const bool gerarChave = nome == kInconsistencias &&
                            std::find(cabecalho.begin(), cabecalho.end(), "NU_INCONSISTENCIA") == cabecalho.end();
    std::vector<std::string> colunasInsercao = cabecalho;
    if (gerarChave)
        colunasInsercao.insert(colunasInsercao.begin(), "NU_INCONSISTENCIA");

    for (std::size_t n = 1; n < linhas.size(); ++n) {
        if (AoLerLinha)
            AoLerLinha();
        if (EmBranco(linhas[n]))
            continue;
        const std::string onde = arquivo.filename().string() + ", linha " + std::to_string(n + 1) + ": ";
        std::vector<TValorBackup> valores;
        std::string erro;
        if (!LerValoresAntigos(Cp1252ParaUtf8(linhas[n]), valores, erro))
            throw ENegocio(onde + erro);
        if (valores.size() != cabecalho.size())
            throw ENegocio(onde + std::to_string(valores.size()) + " valores para " +
                           std::to_string(cabecalho.size()) + " colunas");
        for (std::size_t i = 0; i < valores.size(); ++i) {
            TValorBackup& v = valores[i];
            const bool data = tipos[i] == kTipoData || tipos[i] == kTipoTimestamp;
            if (!data || cabecalho[i].rfind("DT_", 0) != 0 || v.tipo != TValorBackup::Tipo::Numero)
                continue;
            double dia = 0;
            const auto res = std::from_chars(v.texto.data(), v.texto.data() + v.texto.size(), dia);
            if (res.ec != std::errc() || !std::isfinite(dia))
                throw ENegocio(onde + "data inválida: " + v.texto);
            const TDateTime d = DataFormatoAntigo(dia);
            // A DATE column takes the day only; the time of day is kept where the column has one.
            v.texto = tipos[i] == kTipoData ? SqlData(SomenteData(d), true) : SqlData(d, false, true);
            v.tipo = TValorBackup::Tipo::Sql;
        }
        std::vector<std::string> literais;
        if (gerarChave)
            literais.push_back("GEN_ID(GEN_SFGTBG18_ARQUIVO_ID, 1)");
        for (const auto& v : valores)
            literais.push_back(LiteralValor(v));
        std::string sql = LinhaInsercao(nome, colunasInsercao, literais);
        sql.pop_back();
        sessao_.ExecutarSQL(sql);
    }
}

bool TBackup::RestaurarFormatoAntigo(const fs::path& pasta)
{
    ListarTabelas(true);
    return RestaurarDaPasta(pasta, [&] {
        if (SituacaoVersao(pasta) != SituacaoVersaoBackup::FormatoAntigo)
            throw ENegocio("O arquivo não é um backup da versão 1.3.3.");
        LimparTabelas();
        for (const auto& t : Tabelas)
            CarregarTabelaAntiga(t, ArquivoTabela(pasta, t));
        AvancarGeradores();
    });
}

std::string TextoVersaoPosterior(const std::string& versaoBackup)
{
    return "O backup foi gerado por uma versão mais nova do DRAV (" + versaoBackup +
           ") e não pode ser restaurado por esta versão (" + std::string(kVersaoSchema) +
           "). Atualize o programa antes de restaurar este backup. Nenhum dado foi alterado.";
}

} // namespace drav
