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
#include <QSqlRecord>

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

} // namespace

TScaleDatabase PrepareScaleDatabase(const QString& path, int budgets, const QString& folder) {
    TScaleDatabase out;
    const QString file =
        path.isEmpty() ? QDir(folder).filePath(QStringLiteral("scale-%1.db").arg(budgets)) : path;
    out.url = QStringLiteral("sqlite:") + QFileInfo(file).absoluteFilePath();
    out.budgets = QFileInfo::exists(file) ? BranchBudgets(out.url) : 0;
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
        TSqlStatement st(m_db, select.sql);
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
