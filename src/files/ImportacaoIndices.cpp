#include "files/ImportacaoIndices.h"

#include "calc/ComplementoSaldo.h"
#include "calc/Indices.h"
#include "core/DBUtils.h"
#include "core/Formatacao.h"
#include "core/Inicializacao.h"

#include <zip.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <system_error>

namespace drav {

namespace fs = std::filesystem;

namespace {

// An edital's largest table is a few megabytes; an entry that claims more is not an edital and is
// refused rather than inflated onto the disk.
constexpr zip_uint64_t kLimiteEntrada = zip_uint64_t{256} << 20;

std::string NomeSemPasta(const std::string& nome)
{
    const auto p = nome.find_last_of("/\\");
    return p == std::string::npos ? nome : nome.substr(p + 1);
}

int IndiceDoNome(const std::string& nomeMaiusculo)
{
    const auto& nomes = NomesArquivosIndice();
    for (int i = 0; i < kArquivosIndice; ++i)
        if (nomes[static_cast<size_t>(i)] == nomeMaiusculo)
            return i;
    return -1;
}

std::string ErroZip(int codigo)
{
    zip_error_t e;
    zip_error_init_with_code(&e, codigo);
    std::string texto = zip_error_strerror(&e);
    zip_error_fini(&e);
    return texto;
}

// The file's lines without their line ends (CR LF or LF); false when it cannot be read.
bool LerLinhas(const fs::path& p, std::vector<std::string>& linhas)
{
    std::ifstream f(p, std::ios::binary);
    if (!f)
        return false;
    linhas.clear();
    std::string linha;
    while (std::getline(f, linha)) {
        if (!linha.empty() && linha.back() == '\r')
            linha.pop_back();
        linhas.push_back(std::move(linha));
    }
    return !f.bad();
}

// The first word of a statement and the name that follows "INSERT INTO", upper-cased.
bool InsercaoNaTabela(const std::string& linha, const std::string& tabela)
{
    const std::string s = MaiusculasAscii(linha);
    size_t i = 0;
    auto pular = [&] {
        while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i])))
            ++i;
    };
    auto palavra = [&] {
        pular();
        const size_t ini = i;
        while (i < s.size() && (std::isalnum(static_cast<unsigned char>(s[i])) || s[i] == '_' || s[i] == '$'))
            ++i;
        return s.substr(ini, i - ini);
    };
    if (palavra() != "INSERT" || palavra() != "INTO")
        return false;
    pular();
    std::string nome;
    if (i < s.size() && s[i] == '"') {
        const size_t fim = s.find('"', i + 1);
        if (fim == std::string::npos)
            return false;
        nome = s.substr(i + 1, fim - i - 1);
    } else {
        nome = palavra();
    }
    return nome == tabela;
}

// A first line of a check file as a 64-bit integer; -1 when it is not one.
int64_t LerValorConferencia(std::string linha)
{
    if (linha.size() >= 3 && linha.compare(0, 3, "\xEF\xBB\xBF") == 0)
        linha.erase(0, 3);
    linha = Aparar(linha);
    size_t i = 0;
    bool negativo = false;
    if (i < linha.size() && (linha[i] == '+' || linha[i] == '-'))
        negativo = linha[i++] == '-';
    if (i == linha.size())
        return -1;
    uint64_t v = 0;
    for (; i < linha.size(); ++i) {
        const char c = linha[i];
        if (c < '0' || c > '9')
            return -1;
        const unsigned d = static_cast<unsigned>(c - '0');
        if (v > (static_cast<uint64_t>(INT64_MAX) + (negativo ? 1u : 0u) - d) / 10)
            return -1;
        v = v * 10 + d;
    }
    return negativo ? static_cast<int64_t>(0 - v) : static_cast<int64_t>(v);
}

bool HoraLocal(const fs::path& p, std::tm& t)
{
    std::error_code ec;
    const auto quando = fs::last_write_time(p, ec);
    if (ec)
        return false;
    const std::time_t tt = std::chrono::system_clock::to_time_t(
        std::chrono::time_point_cast<std::chrono::system_clock::duration>(std::chrono::file_clock::to_sys(quando)));
    return localtime_r(&tt, &t) != nullptr;
}

// Removes one file whatever its permission bits say.
bool RemoverArquivo(const fs::path& p)
{
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(p, ec)))
        return true;
    fs::permissions(p, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    return fs::remove(p, ec) && !ec;
}

} // namespace

const std::array<std::string, kArquivosIndice>& NomesArquivosIndice()
{
    static const std::array<std::string, kArquivosIndice> nomes = {
        "DIAUTIL",     "GUIARESCISORIA",     "SIMPLIFICADO",     "PRORATA",
        "DIAUTIL.001", "GUIARESCISORIA.001", "SIMPLIFICADO.001", "PRORATA.001"};
    return nomes;
}

const std::array<std::string, 4>& TabelasIndice()
{
    static const std::array<std::string, 4> tabelas = {"SFGTBT15_DIA_UTIL", "SFGTBT16_INDICE_GUIA_RESCISORIA",
                                                       "SFGTBT17_INDICE_SIMPLIFICADO", "SFGTBT18_INDICE_PRORATA"};
    return tabelas;
}

bool NomeArquivoIndicesAceito(const fs::path& arquivo)
{
    const std::string nome = arquivo.filename().string();
    if (nome != "IndicesDRAV.zip" && MaiusculasAscii(nome) != "IND_DRAV.ZIP")
        return false;
    std::error_code ec;
    return fs::is_regular_file(arquivo, ec);
}

fs::path PastaTrabalhoIndices(const fs::path& pastaDados)
{
    return PastaConfigurada(pastaDados) / "TEMP";
}

int32_t ValorConferenciaIndice(int dia, int mes, int ano, int hora, int minuto)
{
    const double d1 = dia / 10, d2 = dia % 10, m1 = mes / 10, m2 = mes % 10;
    const double y1 = (ano % 100) / 10, y2 = ano % 10, h2 = hora % 10, n1 = minuto / 10, n2 = minuto % 10;
    const double v = d1 * m1 * m2 + d2 * d2 * std::pow(y1, 3) * std::pow(y2, 5) + std::pow(h2, 3) * std::pow(n1, 7) + n2;
    // The value is written as 13 digits and read back as a 64-bit integer, then kept in 32 bits.
    const auto inteiro = static_cast<int64_t>(std::llround(v));
    return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(inteiro) & 0xFFFFFFFFu));
}

bool ConferirArquivoIndice(const fs::path& dados, const fs::path& conferencia)
{
    std::error_code ec;
    if (!fs::is_regular_file(dados, ec) || !fs::is_regular_file(conferencia, ec))
        return false;
    std::vector<std::string> linhas;
    if (!LerLinhas(conferencia, linhas) || linhas.empty())
        return false;
    std::tm t{};
    if (!HoraLocal(dados, t))
        return false;
    const int32_t esperado = ValorConferenciaIndice(t.tm_mday, t.tm_mon + 1, t.tm_year + 1900, t.tm_hour, t.tm_min);
    return LerValorConferencia(linhas.front()) == esperado;
}

// --- the import ------------------------------------------------------------------------------------

TImportacaoIndices::TImportacaoIndices(TDBUtils& sessao, fs::path pastaTrabalho)
    : sessao_(sessao), pasta_(std::move(pastaTrabalho))
{
}

TResultadoImportacaoIndices TImportacaoIndices::Importar(const fs::path& arquivo)
{
    TResultadoImportacaoIndices r;
    std::error_code ec;
    if (!fs::is_directory(pasta_, ec)) {
        fs::create_directories(pasta_, ec);
        if (!fs::is_directory(pasta_, ec)) {
            r.ResultadoImportacao = "0227";
            r.Detalhe = "Pasta de trabalho " + pasta_.string() + " não pôde ser criada.";
            return r;
        }
    }
    if (Extrair(arquivo, r)) {
        if (Progresso)
            Progresso();
        const auto& nomes = NomesArquivosIndice();
        for (size_t i = 0; i < 4 && r.Sucesso(); ++i)
            if (!ConferirArquivoIndice(pasta_ / nomes[i], pasta_ / nomes[i + 4])) {
                r.ResultadoImportacao = "0192";
                r.Detalhe = "O arquivo " + nomes[i] + " não confere com " + nomes[i + 4] + ".";
            }
        if (r.Sucesso())
            Instalar(r);
        if (Progresso)
            Progresso();
    }
    RemoverExtraidos(&r);
    RelerDatas();
    return r;
}

bool TImportacaoIndices::Extrair(const fs::path& arquivo, TResultadoImportacaoIndices& r)
{
    auto falhar = [&r](std::string detalhe) {
        r.ResultadoImportacao = "0192";
        r.Detalhe = std::move(detalhe);
        return false;
    };
    // A file left by a run that never reached its clean-up must not stand in for one this archive
    // lacks.
    RemoverExtraidos(nullptr);

    int erro = 0;
    zip_t* za = zip_open(arquivo.string().c_str(), ZIP_RDONLY | ZIP_CHECKCONS, &erro);
    if (!za)
        return falhar("Arquivo " + arquivo.string() + " ilegível: " + ErroZip(erro));
    struct Fechar {
        zip_t* z;
        ~Fechar() { zip_discard(z); }
    } fechar{za};

    const zip_int64_t n = zip_get_num_entries(za, 0);
    if (n != kArquivosIndice)
        return falhar("O arquivo contém " + std::to_string(n) + " entradas; são esperadas 8.");
    std::vector<int> destino(kArquivosIndice);
    for (zip_uint64_t i = 0; i < kArquivosIndice; ++i) {
        const char* nome = zip_get_name(za, i, 0);
        const std::string simples = MaiusculasAscii(NomeSemPasta(nome ? nome : ""));
        destino[i] = IndiceDoNome(simples);
        if (destino[i] < 0)
            return falhar("Entrada inesperada no arquivo: " + std::string(nome ? nome : "?") + ".");
        // A folder in the name is normal; one that climbs out or starts at the root is worth telling.
        const std::string caminho = nome;
        if (caminho.find("..") != std::string::npos || caminho[0] == '/' || caminho[0] == '\\' ||
            caminho.find(':') != std::string::npos)
            r.Avisos.push_back("Entrada " + caminho + " extraída na pasta de trabalho como " + simples + ".");
    }

    const auto& nomes = NomesArquivosIndice();
    for (zip_uint64_t i = 0; i < kArquivosIndice; ++i) {
        const std::string& nome = nomes[static_cast<size_t>(destino[i])];
        const fs::path alvo = pasta_ / nome;
        zip_stat_t st;
        zip_stat_init(&st);
        if (zip_stat_index(za, i, 0, &st) != 0 || !(st.valid & ZIP_STAT_SIZE) || !(st.valid & ZIP_STAT_MTIME))
            return falhar("Entrada " + nome + " ilegível: " + zip_strerror(za));
        if (st.size > kLimiteEntrada)
            return falhar("Entrada " + nome + " grande demais.");
        zip_file_t* f = zip_fopen_index(za, i, 0);
        if (!f)
            return falhar("Entrada " + nome + " ilegível: " + zip_strerror(za));
        // A second entry of the same name replaces the first, as extracting over a file does.
        RemoverArquivo(alvo);
        std::ofstream saida(alvo, std::ios::binary | std::ios::trunc);
        char buffer[65536];
        zip_uint64_t total = 0;
        bool ok = static_cast<bool>(saida);
        while (ok) {
            const zip_int64_t lidos = zip_fread(f, buffer, sizeof buffer);
            if (lidos < 0)
                ok = false;
            else if (lidos == 0)
                break;
            else {
                total += static_cast<zip_uint64_t>(lidos);
                ok = total <= st.size && saida.write(buffer, lidos);
            }
        }
        const std::string erroEntrada = ok ? std::string() : zip_file_strerror(f);
        zip_fclose(f);
        saida.close();
        if (!ok || total != st.size || !saida)
            return falhar("Entrada " + nome + " não pôde ser extraída" +
                          (erroEntrada.empty() ? std::string(".") : ": " + erroEntrada));
        // The check ties the data file to the time the archive records for it.
        std::error_code ec;
        fs::last_write_time(alvo,
                            std::chrono::file_clock::from_sys(std::chrono::system_clock::from_time_t(st.mtime)), ec);
        if (ec)
            return falhar("Data da entrada " + nome + " não pôde ser mantida: " + ec.message());
    }
    return true;
}

bool TImportacaoIndices::CarregarTabelasIndice(const fs::path& pasta, std::string& erro)
{
    const auto& nomes = NomesArquivosIndice();
    const auto& tabelas = TabelasIndice();
    size_t arquivo = 0, numero = 0;
    try {
        for (const std::string& tabela : tabelas)
            sessao_.ExecutarSQL("DELETE FROM " + tabela);
        std::vector<std::string> linhas;
        for (arquivo = 0; arquivo < 4; ++arquivo) {
            numero = 0;
            if (!LerLinhas(pasta / nomes[arquivo], linhas)) {
                erro = "O arquivo " + nomes[arquivo] + " não pôde ser lido.";
                return false;
            }
            for (const std::string& linha : linhas) {
                ++numero;
                if (Aparar(linha).empty())
                    continue;
                // Only rows of its own table: a COMMIT would end the transaction halfway, and any
                // other statement would reach the user's data.
                if (!InsercaoNaTabela(linha, tabelas[arquivo])) {
                    erro = nomes[arquivo] + ", linha " + std::to_string(numero) + ": comando recusado (só " +
                           "inclusões em " + tabelas[arquivo] + ").";
                    return false;
                }
                sessao_.ExecutarSQL(linha);
            }
        }
        return true;
    } catch (const std::exception& e) {
        erro = arquivo < 4 ? nomes[arquivo] + ", linha " + std::to_string(numero) + ": " + e.what() : e.what();
        return false;
    }
}

bool TImportacaoIndices::Instalar(TResultadoImportacaoIndices& r)
{
    auto falhar = [&r](std::string detalhe) {
        r.ResultadoImportacao = "0192";
        r.Detalhe = std::move(detalhe);
        return false;
    };
    try {
        sessao_.IniciarTransacao();
    } catch (const std::exception& e) {
        return falhar(e.what());
    }
    try {
        std::string erro;
        if (!CarregarTabelasIndice(pasta_, erro))
            throw std::runtime_error(erro);

        sessao_.ExecutarSQL("DELETE FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
        if (DataPagamento)
            *DataPagamento = NullDate;

        TDateTime edital = NullDate;
        auto e = sessao_.AbrirConsulta("SELECT DISTINCT DT_EDITAL_PRORATA AS DATA_EDITAL FROM SFGTBT18_INDICE_PRORATA");
        if (!e->IsEmpty())
            edital = e->FieldByName("DATA_EDITAL").AsDateTime();
        if (e->RecordCount() > 1)
            r.Avisos.push_back("A tabela pró-rata traz mais de um edital; vale o primeiro, " + DataParaTexto(edital) +
                               ".");

        const TTabelasIndicesBanco tabelas(sessao_);
        TComplementoSaldo complemento(sessao_, tabelas, edital);
        if (!complemento.RecalcularComplementosAbertos(-1, -1, -1)) {
            if (complemento.CodigoMensagem != "0372")
                throw std::runtime_error("Os complementos de saldo não puderam ser recalculados (" +
                                         complemento.CodigoMensagem + ").");
            r.Avisos.push_back("Há complementos de saldo sem índice no novo edital: mantiveram o depósito anterior.");
        }
        if (!complemento.AtualizarDepositosRescisao(-1, -1, NullDate, -1, -1))
            throw std::runtime_error("Os depósitos dos complementos não puderam ser atualizados.");

        sessao_.Confirmar();
        return true;
    } catch (const std::exception& ex) {
        try {
            sessao_.Desfazer();
        } catch (...) {
            // The connection is gone; nothing was confirmed.
        }
        return falhar(ex.what());
    }
}

void TImportacaoIndices::RemoverExtraidos(TResultadoImportacaoIndices* r)
{
    for (const std::string& nome : NomesArquivosIndice())
        if (!RemoverArquivo(pasta_ / nome) && r)
            r->Avisos.push_back("O arquivo " + (pasta_ / nome).string() + " não pôde ser apagado.");
}

void TImportacaoIndices::RelerDatas()
{
    try {
        if (DataEdital) {
            *DataEdital = NullDate;
            auto e = sessao_.AbrirConsulta(
                "SELECT DISTINCT DT_EDITAL_PRORATA AS DATA_EDITAL FROM SFGTBT18_INDICE_PRORATA");
            if (!e->IsEmpty())
                *DataEdital = e->FieldByName("DATA_EDITAL").AsDateTime();
        }
        if (DataPagamento) {
            *DataPagamento = NullDate;
            auto p = sessao_.AbrirConsulta("SELECT DT_PAGAMENTO FROM SFGTBG01_ABERTURA_RECOLHIMENTO");
            if (!p->IsEmpty())
                *DataPagamento = p->FieldByName("DT_PAGAMENTO").AsDateTime();
        }
    } catch (const std::exception&) {
        // The dates stay as the import left them; the caller reads them again from the database.
    }
}

} // namespace drav
