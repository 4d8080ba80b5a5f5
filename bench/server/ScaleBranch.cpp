#include "bench/server/ScaleBranch.h"

#include "core/db/DbConnection.h"
#include "core/db/SqlStatement.h"
#include "core/wire/ListString.h"
#include "core/wire/WireVariant.h"
#include "seed/ScaleSeed.h"
#include "storage/Commands.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QSqlDriver>
#include <QSqlRecord>

#include <sqlite3.h>

#include <algorithm>

namespace {

const QString kBranch = QString::fromLatin1(kScaleBranch);

int BranchBudgets(const QString& url) {
    TDbConnection db(url);
    if (!db.HasTable(QStringLiteral("ORCAEVENTO")))
        return 0;
    TSqlStatement st(db, QStringLiteral("SELECT COUNT(*) FROM ORCAEVENTO WHERE CDFILIAL = :F"));
    st.Exec({{QStringLiteral("F"), kBranch}});
    return st.Next() ? st.Value(0).toInt() : 0;
}

// Monday 5 April 2027 as an OLE day number.
constexpr double kWeekFirstDay = 46482;

// Every column the list reads from each table, in the order of the packets;
// the halls give the totals their hall values.
const char* const kFloorBudgetColumns =
    "CDFORMPGTO, IDTPFORMPGTOREV, NRDIAPGTOREV, QTPARCPGTOREV, IDMESINIPGTOREV, CDFILIAL, "
    "NRORCAEVENTO, NRSEQORCAEVE, NMCLIEORCEVE, CDALTEORCEVE, DTINCLORCEVE, CDOPEINCOREV, "
    "CDVENDEDOR, CDTIPOEVENTO, CDTPSERVEVEN, CDCLIENTE, IDSITCLIOREV, DTVALIORCEVE, DSTITUORCEVE, "
    "QTCONVORCEVE, QTADULORCEVE, QTCRIAORCEVE, DTEVENTO, QTHREVENTO, IDSITUORCEVE, IDENDENTOREV, "
    "CDPAIS, SGESTADO, CDMUNICIPIO, CDBAIRRO, DSENDENTOREV, NMBAIENTOREV, VRDESCORCEVE, "
    "CDMODPGTO, CDPRECOBASE, CDESCOLA, CDCURSO, CDPREBAMOBRA, IDTPORCAEVEN, IDTPPGTOOREV, "
    "CDCLICONTORC, DSREFENDOREV, VRPEACREOREV, CDTPRECEOREV, VRPEREALOREV, DSCOMPENDORCEVE, "
    "VRTOTALOREV, CDSUPVENDEDOR, CDGERVENDEDOR, IDORCAFILHODISTRATO, VRACREORCEVE";
constexpr int kFloorKeyColumn = 6; // NRORCAEVENTO, then NRSEQORCAEVE

struct TFloorDetail {
    const char* table;
    const char* columns;
    const char* order; // after the budget's key
};
const TFloorDetail kFloorDetails[] = {
    {"ITEMORCAEVEN",
     "CDFILIAL, NRORCAEVENTO, NRITEMORCEVE, CDPRODUTO, QTITEMORCEVE, VRITEMORCEVE, VRDESCITOREV, "
     "VRACREITOREV, IDITOREVPROD, NROPCAITOREV, CDFORNECEDOR, NRSEQORCAEVE, VRPGFORNOREV, "
     "DTPGFORNOREV, IDFATUITEMOREV, IDCUSTOFIXO",
     "NRITEMORCEVE"},
    {"SALAOORCA", "CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, VRSALAORCEVE", "CDSALAOEVEN"},
    {"ITMAOOBRAORCA",
     "CDFILIAL, NRORCAEVENTO, NRTURNO, CDPRODUTO, QTPRODMOBRA, VRCOBRMOBRA, VRPAGOMOBRA, "
     "NRSEQORCAEVE, IDMOBRAEXTRA",
     "NRTURNO, CDPRODUTO"},
    {"OBSEXTORCAEV", "CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, TXOBSEXTOREV", nullptr},
    {"OBSINTORCAEV", "CDFILIAL, NRORCAEVENTO, CDDEPTO, TXOBSINTOREV, NRSEQORCAEVE", "CDDEPTO"},
};

QByteArray FloorSql(const char* table, const char* columns, const char* where, const char* order) {
    QByteArray sql = QByteArray("SELECT ") + columns + " FROM " + table + " WHERE " + where +
                     " ORDER BY NRORCAEVENTO, NRSEQORCAEVE";
    if (order)
        sql += QByteArray(", ") + order;
    return sql;
}

using TBudgetKeys = std::vector<std::pair<QString, QString>>;

// A floor statement on the connection's own SQLite handle, prepared once and
// run as often as needed: every value of every row taken as the engine holds
// it (texts as their UTF-8 bytes), as the server reads its packets.
class TFloorStatement {
public:
    TFloorStatement(TDbConnection& db, const QByteArray& sql) {
        const QVariant h = db.Database().driver()->handle();
        sqlite3* handle = *static_cast<sqlite3* const*>(h.constData());
        if (sqlite3_prepare_v2(handle, sql.constData(), int(sql.size()), &m_st, nullptr) !=
            SQLITE_OK)
            throw Exception(QStringLiteral("The floor's statement does not prepare: %1")
                                .arg(QString::fromUtf8(sqlite3_errmsg(handle))));
    }
    ~TFloorStatement() { sqlite3_finalize(m_st); }
    TFloorStatement(const TFloorStatement&) = delete;
    TFloorStatement& operator=(const TFloorStatement&) = delete;

    // Runs with `values` bound in order, reading into `read` and the budget
    // keys at `keyColumn` into `keys`; returns the rows read.
    long long Run(std::initializer_list<QVariant> values, TListRead& read,
                  TBudgetKeys* keys = nullptr, int keyColumn = 0) {
        sqlite3_reset(m_st);
        int i = 0;
        for (const QVariant& v : values) {
            ++i;
            if (v.typeId() == QMetaType::Double) {
                sqlite3_bind_double(m_st, i, v.toDouble());
            } else {
                const QByteArray text = v.toString().toUtf8();
                sqlite3_bind_text(m_st, i, text.constData(), int(text.size()), SQLITE_TRANSIENT);
            }
        }
        const int columns = sqlite3_column_count(m_st);
        long long rows = 0;
        int rc;
        while ((rc = sqlite3_step(m_st)) == SQLITE_ROW) {
            for (int c = 0; c < columns; ++c) {
                switch (sqlite3_column_type(m_st, c)) {
                case SQLITE_INTEGER:
                case SQLITE_FLOAT:
                    read.digest += sqlite3_column_double(m_st, c);
                    break;
                case SQLITE_TEXT:
                    read.digest += double(*sqlite3_column_text(m_st, c)) +
                                   double(sqlite3_column_bytes(m_st, c));
                    break;
                case SQLITE_BLOB:
                    read.digest += (sqlite3_column_blob(m_st, c) ? 1.0 : 0.0) +
                                   double(sqlite3_column_bytes(m_st, c));
                    break;
                default:
                    break;
                }
            }
            if (keys)
                keys->emplace_back(Text(keyColumn), Text(keyColumn + 1));
            ++rows;
        }
        if (rc != SQLITE_DONE)
            throw Exception(QStringLiteral("The floor's statement failed: %1")
                                .arg(QString::fromUtf8(sqlite3_errstr(rc))));
        read.values += rows * columns;
        return rows;
    }

private:
    QString Text(int c) const {
        return QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(m_st, c)),
                                 sqlite3_column_bytes(m_st, c));
    }

    sqlite3_stmt* m_st = nullptr;
};

} // namespace

TScaleDatabase PrepareScaleDatabase(const QString& path, int budgets, const QString& folder) {
    const QString file =
        path.isEmpty() ? QDir(folder).filePath(QStringLiteral("scale-%1.db").arg(budgets)) : path;
    return PrepareScaleUrl(QStringLiteral("sqlite:") + QFileInfo(file).absoluteFilePath(), budgets);
}

TScaleDatabase PrepareScaleUrl(const QString& url, int budgets) {
    TScaleDatabase out;
    out.url = url;
    out.budgets = BranchBudgets(out.url);
    if (out.budgets == 0) {
        QElapsedTimer clock;
        clock.start();
        if (RunSeedScale(out.url, budgets) != 0)
            throw Exception(QStringLiteral("Could not seed %1.").arg(out.url));
        out.seedSeconds = double(clock.nsecsElapsed()) / 1e9;
        out.generated = true;
        out.budgets = BranchBudgets(out.url);
    }
    return out;
}

QVariantList WholeBranchCriteria() {
    const QVariant noDate = QVariant::fromValue(TOleDateTime{0});
    return {kBranch, "", "", noDate, noDate, noDate, noDate, "", "",
            "",      "", "", "",     "",     "",     "",     ""};
}

QVariantList ApprovedWeekCriteria() {
    QVariantList c = WholeBranchCriteria();
    c[3] = QVariant::fromValue(TOleDateTime{kWeekFirstDay});
    c[4] = QVariant::fromValue(TOleDateTime{kWeekFirstDay + 6});
    c[13] = QStringLiteral("2");
    return c;
}

QVariantList HallBudgetKey(TDbConnection& db) {
    TSqlStatement count(db, QStringLiteral("SELECT COUNT(*) FROM SALAOORCA WHERE CDFILIAL = :F"));
    count.Exec({{QStringLiteral("F"), kBranch}});
    const int halls = count.Next() ? count.Value(0).toInt() : 0;
    if (halls == 0)
        throw Exception(QStringLiteral("The branch %1 has no booked halls.").arg(kBranch));
    TSqlStatement st(db, QStringLiteral("SELECT NRORCAEVENTO, NRSEQORCAEVE FROM SALAOORCA "
                                        "WHERE CDFILIAL = :F ORDER BY NRORCAEVENTO, "
                                        "NRSEQORCAEVE LIMIT 1 OFFSET :SKIP"));
    st.Exec({{QStringLiteral("F"), kBranch}, {QStringLiteral("SKIP"), halls / 2}});
    st.Next();
    return {kBranch, st.Value(0).toString(), st.Value(1).toString()};
}

TCodeListCriteria CodeListCriteria(TDbConnection& db, int codes) {
    TSqlStatement st(db, QStringLiteral("SELECT NRORCAEVENTO, NRSEQORCAEVE, CDVENDEDOR, "
                                        "CDCLIENTE, CDTPSERVEVEN, CDTIPOEVENTO FROM ORCAEVENTO "
                                        "WHERE CDFILIAL = :F AND CDCLIENTE IS NOT NULL ORDER BY "
                                        "NRORCAEVENTO, NRSEQORCAEVE LIMIT 1"));
    st.Exec({{QStringLiteral("F"), kBranch}});
    if (!st.Next())
        throw Exception(
            QStringLiteral("The branch %1 has no budget of a registered customer.").arg(kBranch));
    TCodeListCriteria out;
    out.budget = st.Value(0).toString() + u'-' + st.Value(1).toString();
    out.plain = WholeBranchCriteria();
    out.padded = out.plain;
    const int perList = std::max(1, codes / 4);
    int fake = 0;
    for (int i = 0; i < 4; ++i) {
        const QString real = st.Value(2 + i).toString();
        QStringList list;
        list.reserve(perList);
        for (int k = 0; k + 1 < perList; ++k)
            list << QStringLiteral("Z%1").arg(++fake, 9, 10, QChar(u'0'));
        list.insert(list.size() / 2, real);
        out.plain[7 + i] = real;
        out.padded[7 + i] = ListString::Encode(list);
    }
    return out;
}

TBareList::TBareList(TDbConnection& db, const QVariantList& criteria)
    : m_db(db), m_selects(OrcaEventoSelects(db, criteria)) {}

TListRead TBareList::Run() {
    TListRead read;
    TTransaction tr(m_db, TTransaction::TMode::Read);
    for (const auto& select : m_selects.selects) {
        TSqlStatement st(m_db, select.statement.sql);
        st.Exec(m_selects.params);
        const int columns = st.Query().record().count();
        long long rows = 0;
        while (st.Next()) {
            for (int c = 0; c < columns; ++c) {
                const QVariant v = st.Value(c);
                if (v.typeId() == QMetaType::QString)
                    read.digest += double(v.toString().size());
                else if (!v.isNull())
                    read.digest += v.toDouble();
            }
            ++rows;
        }
        read.rows.push_back(rows);
        read.values += rows * columns;
    }
    tr.Commit();
    return read;
}

TFloorList::TFloorList(TDbConnection& db, TScope scope) : m_db(db), m_scope(scope) {}

TListRead TFloorList::Run() {
    TListRead read;
    TTransaction tr(m_db, TTransaction::TMode::Read);
    if (m_scope == TScope::Branch) {
        TFloorStatement budgets(
            m_db, FloorSql("ORCAEVENTO", kFloorBudgetColumns, "CDFILIAL = ?", nullptr));
        read.rows.push_back(budgets.Run({kBranch}, read));
        for (const TFloorDetail& d : kFloorDetails) {
            TFloorStatement st(m_db, FloorSql(d.table, d.columns, "CDFILIAL = ?", d.order));
            read.rows.push_back(st.Run({kBranch}, read));
        }
        tr.Commit();
        return read;
    }
    // The week: its budgets by the event date's index, then each one's details by its key.
    TFloorStatement budgets(m_db, FloorSql("ORCAEVENTO", kFloorBudgetColumns,
                                           "CDFILIAL = ? AND DTEVENTO >= ? AND DTEVENTO < ? AND "
                                           "IDSITUORCEVE = '2'",
                                           nullptr));
    TBudgetKeys keys;
    read.rows.push_back(
        budgets.Run({kBranch, kWeekFirstDay, kWeekFirstDay + 7}, read, &keys, kFloorKeyColumn));
    for (const TFloorDetail& d : kFloorDetails) {
        TFloorStatement st(m_db, FloorSql(d.table, d.columns,
                                          "CDFILIAL = ? AND NRORCAEVENTO = ? AND NRSEQORCAEVE = ?",
                                          d.order));
        long long rows = 0;
        for (const auto& [number, sequence] : keys)
            rows += st.Run({kBranch, number, sequence}, read);
        read.rows.push_back(rows);
    }
    tr.Commit();
    return read;
}

bool TFloorList::SameRows(const TListRead& floor, const TListRead& list) {
    if (floor.rows.size() != 6 || list.rows.size() != 6)
        return false;
    for (const size_t i : {0, 1, 3, 4, 5})
        if (floor.rows[i] != list.rows[i])
            return false;
    return true;
}
