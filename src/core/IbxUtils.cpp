#include "core/IbxUtils.h"

#include "core/Excecoes.h"

#include <ibase.h>

#include <cctype>
#include <clocale>
#include <cstring>
#include <vector>

namespace drav {

namespace {

constexpr int kDialeto = 3;
constexpr ISC_DATE kDiaZeroIsc = 15018; // 30/12/1899 in Firebird's day count (17/11/1858 = 0)

std::string TextoStatus(const ISC_STATUS* status)
{
    std::string msg;
    const ISC_STATUS* p = status;
    char buf[1024];
    while (fb_interpret(buf, sizeof buf, &p) > 0) {
        if (!msg.empty())
            msg += "\n";
        msg += buf;
    }
    return msg.empty() ? "Erro desconhecido do banco de dados" : msg;
}

[[noreturn]] void Falhar(const ISC_STATUS* status)
{
    throw EBancoDados(TextoStatus(status), isc_sqlcode(status));
}

// Characters of a CHAR column in a UTF-8 connection: the buffer holds 4 bytes per character,
// blank-filled; keep exactly the declared number of characters.
std::string CortarCaracteres(const char* dados, size_t bytes, size_t caracteres)
{
    size_t i = 0, n = 0;
    while (i < bytes && n < caracteres) {
        const unsigned char c = static_cast<unsigned char>(dados[i]);
        const size_t tam = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : 4;
        i += tam;
        ++n;
    }
    return std::string(dados, std::min(i, bytes));
}

int64_t Inteiro(const XSQLVAR& v)
{
    switch (v.sqltype & ~1) {
    case SQL_SHORT: {
        ISC_SHORT x;
        std::memcpy(&x, v.sqldata, sizeof x);
        return x;
    }
    case SQL_LONG: {
        ISC_LONG x;
        std::memcpy(&x, v.sqldata, sizeof x);
        return x;
    }
    default: {
        ISC_INT64 x;
        std::memcpy(&x, v.sqldata, sizeof x);
        return x;
    }
    }
}

struct Comando {
    isc_stmt_handle handle = 0;
    ~Comando()
    {
        if (handle) {
            ISC_STATUS_ARRAY st;
            isc_dsql_free_statement(st, &handle, DSQL_drop);
        }
    }
};

} // namespace

struct TIbxUtils::Impl {
    isc_db_handle db = 0;
    isc_tr_handle tr = 0;

    void Iniciar(isc_tr_handle* h, bool semEspera)
    {
        // Read committed: a long transaction still sees the rows the register commits beside it.
        std::vector<char> tpb = {isc_tpb_version3, isc_tpb_write, isc_tpb_read_committed, isc_tpb_rec_version,
                                 semEspera ? static_cast<char>(isc_tpb_nowait) : static_cast<char>(isc_tpb_wait)};
        ISC_STATUS_ARRAY st;
        if (isc_start_transaction(st, h, 1, &db, static_cast<short>(tpb.size()), tpb.data()))
            Falhar(st);
    }

    static void Terminar(isc_tr_handle* h, bool confirmar)
    {
        ISC_STATUS_ARRAY st;
        const ISC_STATUS r = confirmar ? isc_commit_transaction(st, h) : isc_rollback_transaction(st, h);
        if (r) {
            if (confirmar) {
                ISC_STATUS_ARRAY st2;
                isc_rollback_transaction(st2, h);
            }
            *h = 0;
            Falhar(st);
        }
        *h = 0;
    }

    int64_t Executar(isc_tr_handle* tr, const std::string& sql)
    {
        ISC_STATUS_ARRAY st;
        Comando c;
        if (isc_dsql_allocate_statement(st, &db, &c.handle))
            Falhar(st);
        if (isc_dsql_prepare(st, tr, &c.handle, 0, sql.c_str(), kDialeto, nullptr))
            Falhar(st);
        if (isc_dsql_execute(st, tr, &c.handle, kDialeto, nullptr))
            Falhar(st);
        return LinhasAfetadas(c.handle);
    }

    static int64_t LinhasAfetadas(isc_stmt_handle& h)
    {
        ISC_STATUS_ARRAY st;
        char item = isc_info_sql_records;
        char buf[128];
        if (isc_dsql_sql_info(st, &h, 1, &item, sizeof buf, buf))
            return 0;
        if (buf[0] != isc_info_sql_records)
            return 0;
        int64_t total = 0;
        const char* p = buf + 3;
        while (*p != isc_info_end) {
            const char tipo = *p++;
            const short tam = static_cast<short>(isc_vax_integer(p, 2));
            p += 2;
            const int64_t n = isc_vax_integer(p, tam);
            p += tam;
            if (tipo == isc_info_req_insert_count || tipo == isc_info_req_update_count ||
                tipo == isc_info_req_delete_count)
                total += n;
        }
        return total;
    }

    std::string LerBlob(isc_tr_handle* tr, ISC_QUAD id)
    {
        ISC_STATUS_ARRAY st;
        isc_blob_handle b = 0;
        if (isc_open_blob2(st, &db, tr, &b, &id, 0, nullptr))
            Falhar(st);
        std::string texto;
        char buf[8192];
        unsigned short lido = 0;
        for (;;) {
            const ISC_STATUS r = isc_get_segment(st, &b, &lido, sizeof buf, buf);
            if (r != 0 && st[1] != isc_segment)
                break;
            texto.append(buf, lido);
        }
        isc_close_blob(st, &b);
        return texto;
    }

    std::unique_ptr<TResultado> Consultar(isc_tr_handle* tr, const std::string& sql)
    {
        ISC_STATUS_ARRAY st;
        Comando c;
        if (isc_dsql_allocate_statement(st, &db, &c.handle))
            Falhar(st);
        std::vector<char> mem(XSQLDA_LENGTH(20));
        auto* da = reinterpret_cast<XSQLDA*>(mem.data());
        da->version = SQLDA_VERSION1;
        da->sqln = 20;
        if (isc_dsql_prepare(st, tr, &c.handle, 0, sql.c_str(), kDialeto, da))
            Falhar(st);
        if (da->sqld > da->sqln) {
            const short n = da->sqld;
            mem.assign(XSQLDA_LENGTH(n), 0);
            da = reinterpret_cast<XSQLDA*>(mem.data());
            da->version = SQLDA_VERSION1;
            da->sqln = n;
            if (isc_dsql_describe(st, &c.handle, kDialeto, da))
                Falhar(st);
        }
        std::vector<Coluna> colunas;
        std::vector<std::vector<char>> buffers(da->sqld);
        std::vector<short> indicadores(da->sqld);
        for (int i = 0; i < da->sqld; ++i) {
            XSQLVAR& v = da->sqlvar[i];
            Coluna col;
            col.nome.assign(v.aliasname, v.aliasname_length);
            switch (v.sqltype & ~1) {
            case SQL_SHORT:
            case SQL_LONG:
            case SQL_INT64:
                col.tipo = v.sqlscale < 0 ? TipoColuna::Decimal : TipoColuna::Inteiro;
                col.escala = -v.sqlscale;
                break;
            case SQL_FLOAT:
            case SQL_DOUBLE:
            case SQL_D_FLOAT:
                col.tipo = TipoColuna::Flutuante;
                break;
            case SQL_TYPE_DATE:
                col.tipo = TipoColuna::Data;
                break;
            case SQL_TYPE_TIME:
                col.tipo = TipoColuna::Hora;
                break;
            case SQL_TIMESTAMP:
                col.tipo = TipoColuna::DataHora;
                break;
            case SQL_BOOLEAN:
                col.tipo = TipoColuna::Inteiro;
                break;
            default:
                col.tipo = TipoColuna::Texto;
            }
            colunas.push_back(col);
            size_t tam = static_cast<size_t>(v.sqllen) + ((v.sqltype & ~1) == SQL_VARYING ? 2 : 0);
            buffers[i].assign(tam + 8, 0);
            v.sqldata = buffers[i].data();
            v.sqlind = &indicadores[i];
            v.sqltype |= 1; // always ask for the null indicator
        }
        if (isc_dsql_execute(st, tr, &c.handle, kDialeto, nullptr))
            Falhar(st);
        auto r = std::make_unique<TResultado>(colunas);
        for (;;) {
            const ISC_STATUS fs = isc_dsql_fetch(st, &c.handle, kDialeto, da);
            if (fs == 100)
                break;
            if (fs)
                Falhar(st);
            std::vector<Valor> linha(da->sqld);
            for (int i = 0; i < da->sqld; ++i) {
                const XSQLVAR& v = da->sqlvar[i];
                if (*v.sqlind < 0)
                    continue;
                switch (v.sqltype & ~1) {
                case SQL_TEXT: {
                    const bool utf8 = (v.sqlsubtype & 0xFF) == 4;
                    linha[i] = utf8 ? CortarCaracteres(v.sqldata, v.sqllen, v.sqllen / 4)
                                    : std::string(v.sqldata, v.sqllen);
                    break;
                }
                case SQL_VARYING: {
                    unsigned short n;
                    std::memcpy(&n, v.sqldata, 2);
                    linha[i] = std::string(v.sqldata + 2, n);
                    break;
                }
                case SQL_SHORT:
                case SQL_LONG:
                case SQL_INT64:
                    linha[i] = Inteiro(v);
                    break;
                case SQL_BOOLEAN:
                    linha[i] = static_cast<int64_t>(v.sqldata[0] != 0);
                    break;
                case SQL_FLOAT: {
                    float f;
                    std::memcpy(&f, v.sqldata, sizeof f);
                    linha[i] = static_cast<double>(f);
                    break;
                }
                case SQL_DOUBLE:
                case SQL_D_FLOAT: {
                    double d;
                    std::memcpy(&d, v.sqldata, sizeof d);
                    linha[i] = d;
                    break;
                }
                case SQL_TYPE_DATE: {
                    ISC_DATE d;
                    std::memcpy(&d, v.sqldata, sizeof d);
                    linha[i] = static_cast<double>(d - kDiaZeroIsc);
                    break;
                }
                case SQL_TYPE_TIME: {
                    ISC_TIME t;
                    std::memcpy(&t, v.sqldata, sizeof t);
                    linha[i] = static_cast<double>(t / 10) / 86400000.0;
                    break;
                }
                case SQL_TIMESTAMP: {
                    ISC_TIMESTAMP ts;
                    std::memcpy(&ts, v.sqldata, sizeof ts);
                    const double dia = static_cast<double>(ts.timestamp_date - kDiaZeroIsc);
                    const double fracao = static_cast<double>(ts.timestamp_time / 10) / 86400000.0;
                    linha[i] = dia >= 0 ? dia + fracao : dia - fracao;
                    break;
                }
                case SQL_BLOB: {
                    ISC_QUAD id;
                    std::memcpy(&id, v.sqldata, sizeof id);
                    linha[i] = LerBlob(tr, id);
                    break;
                }
                default:
                    throw EBancoDados("Tipo de coluna não suportado: " + colunas[i].nome);
                }
            }
            r->AdicionarLinha(std::move(linha));
        }
        r->First();
        return r;
    }
};

void PrepararAmbienteBanco()
{
    if (!std::setlocale(LC_CTYPE, "C.UTF-8"))
        std::setlocale(LC_CTYPE, "C.utf8");
}

TIbxUtils::TIbxUtils() : d_(new Impl)
{
    static const bool preparado = (PrepararAmbienteBanco(), true);
    (void)preparado;
}

TIbxUtils::~TIbxUtils()
{
    try {
        FecharConexao();
    } catch (...) {
    }
    delete d_;
}

bool TIbxUtils::EmTransacao() const { return d_->tr != 0; }

void TIbxUtils::ConfigurarConexao()
{
    // Connection parameters are built in Conectar; nothing to keep between attempts.
}

void TIbxUtils::Conectar()
{
    TDBUtils::Conectar();
    FecharConexao();
    std::vector<char> dpb = {isc_dpb_version1};
    auto add = [&dpb](char item, const std::string& v) {
        dpb.push_back(item);
        dpb.push_back(static_cast<char>(v.size()));
        dpb.insert(dpb.end(), v.begin(), v.end());
    };
    add(isc_dpb_user_name, User);
    add(isc_dpb_password, Password);
    add(isc_dpb_lc_ctype, "UTF8");
    dpb.push_back(isc_dpb_utf8_filename);
    dpb.push_back(0);
    ISC_STATUS_ARRAY st;
    if (isc_attach_database(st, 0, DatabaseName.c_str(), &d_->db, static_cast<short>(dpb.size()), dpb.data())) {
        d_->db = 0;
        Falhar(st);
    }
    Conectado_ = true;
}

void TIbxUtils::FecharConexao()
{
    cache_.clear();
    if (d_->tr) {
        ISC_STATUS_ARRAY st;
        isc_rollback_transaction(st, &d_->tr);
        d_->tr = 0;
    }
    if (d_->db) {
        ISC_STATUS_ARRAY st;
        isc_detach_database(st, &d_->db);
        d_->db = 0;
    }
    Conectado_ = false;
}

void TIbxUtils::IniciarTransacao()
{
    if (!d_->db)
        throw EBancoDados("Banco de dados não conectado");
    if (d_->tr)
        throw EBancoDados("Já existe uma transação ativa");
    d_->Iniciar(&d_->tr, false);
}

void TIbxUtils::Confirmar()
{
    if (d_->tr)
        Impl::Terminar(&d_->tr, true);
}

void TIbxUtils::Desfazer()
{
    cache_.clear(); // it may hold what the undone transaction wrote
    if (d_->tr)
        Impl::Terminar(&d_->tr, false);
}

namespace {

constexpr size_t kMaximoLinhasCache = 200;
constexpr size_t kMaximoConsultasCache = 20000;

bool ContemSemCaixa(const std::string& texto, const char* parte)
{
    const size_t n = std::strlen(parte);
    if (texto.size() < n)
        return false;
    for (size_t i = 0; i + n <= texto.size(); ++i) {
        size_t j = 0;
        while (j < n && std::toupper(static_cast<unsigned char>(texto[i + j])) == parte[j])
            ++j;
        if (j == n)
            return true;
    }
    return false;
}

// A SELECT over reference tables only: nothing the program's own work changes, no clock.
bool ConsultaDeReferencia(const std::string& sql)
{
    size_t i = 0;
    while (i < sql.size() && std::isspace(static_cast<unsigned char>(sql[i])))
        ++i;
    if (sql.compare(i, 6, "SELECT") != 0 && sql.compare(i, 6, "select") != 0)
        return false;
    return ContemSemCaixa(sql, "SFGTBT") && !ContemSemCaixa(sql, "SFGTBG") && !ContemSemCaixa(sql, "RDB$") &&
           !ContemSemCaixa(sql, "MON$") && !ContemSemCaixa(sql, "CURRENT_") && !ContemSemCaixa(sql, "GEN_ID") &&
           !ContemSemCaixa(sql, "NOW") && !ContemSemCaixa(sql, "TODAY");
}

} // namespace

std::unique_ptr<TResultado> TIbxUtils::DoCache(const std::string& sql) const
{
    const auto it = cache_.find(sql);
    if (it == cache_.end())
        return nullptr;
    auto r = std::make_unique<TResultado>(it->second);
    r->First();
    return r;
}

void TIbxUtils::GuardarNoCache(const std::string& sql, const TResultado& r)
{
    if (r.RecordCount() > static_cast<int>(kMaximoLinhasCache) || !ConsultaDeReferencia(sql))
        return;
    if (cache_.size() >= kMaximoConsultasCache)
        cache_.clear();
    cache_.emplace(sql, r);
}

void TIbxUtils::InvalidarCache(const std::string& sql)
{
    if (!cache_.empty() && ContemSemCaixa(sql, "SFGTBT"))
        cache_.clear();
}

std::unique_ptr<TResultado> TIbxUtils::AbrirConsulta(const std::string& sql)
{
    if (!d_->db)
        throw EBancoDados("Banco de dados não conectado");
    const TDateTime inicio = Agora();
    if (auto r = DoCache(sql)) {
        if (LogSQL_)
            RegistrarLog(sql + "\nTempo " + HoraParaTexto(inicio) + " a " + HoraParaTexto(inicio) + " Diferença " +
                             HoraParaTexto(0),
                         nullptr);
        return r;
    }
    const bool estavaAtiva = EmTransacao();
    try {
        if (!estavaAtiva)
            IniciarTransacao();
        auto r = d_->Consultar(&d_->tr, sql);
        GuardarNoCache(sql, *r);
        const TDateTime fim = Agora();
        if (LogSQL_)
            RegistrarLog(sql + "\nTempo " + HoraParaTexto(inicio) + " a " + HoraParaTexto(fim) + " Diferença " +
                             HoraParaTexto(fim - inicio),
                         nullptr);
        if (!estavaAtiva)
            Confirmar();
        return r;
    } catch (const std::exception& e) {
        ultimoErro_ = e.what();
        if (LogSQL_)
            RegistrarLog(sql, &e);
        if (!estavaAtiva && EmTransacao()) {
            try {
                Desfazer();
            } catch (...) {
            }
        }
        throw;
    }
}

int64_t TIbxUtils::ExecutarSQL(const std::string& sql)
{
    if (!d_->db)
        throw EBancoDados("Banco de dados não conectado");
    InvalidarCache(sql);
    const bool estavaAtiva = EmTransacao();
    try {
        if (!estavaAtiva)
            IniciarTransacao();
        const int64_t n = d_->Executar(&d_->tr, sql);
        if (LogSQL_)
            RegistrarLog(sql, nullptr);
        if (!estavaAtiva)
            Confirmar();
        return n;
    } catch (const std::exception& e) {
        if (!estavaAtiva && EmTransacao()) {
            try {
                Desfazer();
            } catch (...) {
            }
        }
        ultimoErro_ = e.what();
        if (LogSQL_)
            RegistrarLog(sql, &e);
        throw;
    }
}

int64_t TIbxUtils::ExecutarSQLIndependente(const std::string& sql)
{
    if (!d_->db)
        throw EBancoDados("Banco de dados não conectado");
    InvalidarCache(sql);
    isc_tr_handle tr = 0;
    try {
        // No waiting: a lock held by the caller's own transaction must fail, never hang this thread.
        d_->Iniciar(&tr, true);
        const int64_t n = d_->Executar(&tr, sql);
        Impl::Terminar(&tr, true);
        if (LogSQL_)
            RegistrarLog(sql, nullptr);
        return n;
    } catch (const std::exception& e) {
        if (tr) {
            ISC_STATUS_ARRAY st;
            isc_rollback_transaction(st, &tr);
        }
        ultimoErro_ = e.what();
        if (LogSQL_)
            RegistrarLog(sql, &e);
        throw;
    }
}

void TIbxUtils::CriarBanco(const std::string& caminho, const std::string& usuario, const std::string& senha)
{
    std::vector<char> dpb = {isc_dpb_version1};
    auto texto = [&dpb](char item, const std::string& v) {
        dpb.push_back(item);
        dpb.push_back(static_cast<char>(v.size()));
        dpb.insert(dpb.end(), v.begin(), v.end());
    };
    auto numero = [&dpb](char item, int v) {
        dpb.push_back(item);
        dpb.push_back(4);
        for (int i = 0; i < 4; ++i)
            dpb.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    texto(isc_dpb_user_name, usuario);
    texto(isc_dpb_password, senha);
    texto(isc_dpb_lc_ctype, "UTF8");
    texto(isc_dpb_set_db_charset, "WIN1252");
    numero(isc_dpb_sql_dialect, kDialeto);
    numero(isc_dpb_page_size, 16384);
    numero(isc_dpb_force_write, 0);
    // The path is UTF-8 whatever the process locale, so folders with accents work.
    dpb.push_back(isc_dpb_utf8_filename);
    dpb.push_back(0);
    PrepararAmbienteBanco();
    ISC_STATUS_ARRAY st;
    isc_db_handle db = 0;
    if (isc_create_database(st, 0, caminho.c_str(), &db, static_cast<short>(dpb.size()), dpb.data(), 0))
        Falhar(st);
    isc_detach_database(st, &db);
}

void TIbxUtils::DefinirEscritaForcada(const std::string& caminho, const std::string& usuario, const std::string& senha,
                                      bool ligada)
{
    std::vector<char> dpb = {isc_dpb_version1};
    auto texto = [&dpb](char item, const std::string& v) {
        dpb.push_back(item);
        dpb.push_back(static_cast<char>(v.size()));
        dpb.insert(dpb.end(), v.begin(), v.end());
    };
    texto(isc_dpb_user_name, usuario);
    texto(isc_dpb_password, senha);
    dpb.push_back(isc_dpb_force_write);
    dpb.push_back(1);
    dpb.push_back(ligada ? 1 : 0);
    dpb.push_back(isc_dpb_utf8_filename);
    dpb.push_back(0);
    ISC_STATUS_ARRAY st;
    isc_db_handle db = 0;
    if (isc_attach_database(st, 0, caminho.c_str(), &db, static_cast<short>(dpb.size()), dpb.data()))
        Falhar(st);
    isc_detach_database(st, &db);
}

} // namespace drav
