#pragma once

// What the closing and contracting-client tests share: a seeded demo
// database per engine, calls through the registry the server runs, the list
// packet the screen sends, and a fingerprint of the tables a closing writes.

#include "tests/srv/ServerTestUtil.h"
#include "tests/support/QtPrinters.h"

#include "core/data/FieldDef.h"
#include "core/data/RecordSet.h"
#include "core/db/SqlStatement.h"
#include "rpc/Modules.h"
#include "storage/Commands.h"

#include <QCryptographicHash>
#include <QSqlRecord>

#include <map>

struct TListRow {
    QString filial, numero, seq;
    QString marca = QStringLiteral("S");
};

inline QString Nr(int n) {
    return QString::number(n).rightJustified(10, u'0');
}

// The screen's packet of new customers: one row of main budget `numero` of
// branch 0001, with the fields given (the others empty).
inline TDataPacket NewClientPacket(const QString& numero,
                                   const std::vector<std::pair<const char*, QString>>& values) {
    TRecordSet rs({StrField("CDFILIAL", 4), StrField("NRORCAEVENTO", 10),
                   StrField("NRSEQORCAEVE", 2), StrField("NRINSJURORCA", 30),
                   StrField("IDTPINJUORCA", 1), StrField("CDPAIS", 4), StrField("SGESTADO", 2),
                   StrField("CDMUNICIPIO", 4), StrField("DSENDECLIORE", 50),
                   StrField("NMFANTCLIE", 50)});
    rs.CreateDataSet();
    rs.Append();
    rs.FieldByName("CDFILIAL").SetAsString("0001");
    rs.FieldByName("NRORCAEVENTO").SetAsString(numero);
    rs.FieldByName("NRSEQORCAEVE").SetAsString("00");
    for (const auto& [field, value] : values)
        rs.FieldByName(QString::fromLatin1(field)).SetAsString(value);
    rs.Post();
    return rs.Data();
}

// The list as the screen sends it: the budget key, the situation and the mark.
inline TDataPacket ListPacket(const std::vector<TListRow>& rows) {
    TRecordSet rs(
        {StrField(QStringLiteral("CDFILIAL"), 4), StrField(QStringLiteral("NRORCAEVENTO"), 10),
         StrField(QStringLiteral("NRSEQORCAEVE"), 2).Fixed(),
         StrField(QStringLiteral("IDSITUORCEVE"), 1), StrField(QStringLiteral("IDMARCADO"), 1)});
    rs.CreateDataSet();
    for (const auto& r : rows) {
        rs.Append();
        rs.FieldByName(QStringLiteral("CDFILIAL")).SetAsString(r.filial);
        rs.FieldByName(QStringLiteral("NRORCAEVENTO")).SetAsString(r.numero);
        rs.FieldByName(QStringLiteral("NRSEQORCAEVE")).SetAsString(r.seq);
        rs.FieldByName(QStringLiteral("IDSITUORCEVE")).SetAsString(QStringLiteral("2"));
        rs.FieldByName(QStringLiteral("IDMARCADO")).SetAsString(r.marca);
        rs.Post();
    }
    return rs.Data();
}

inline TDataPacket ListPacket(const QString& filial, int numero, const QString& seq = "00") {
    return ListPacket({{filial, Nr(numero), seq}});
}

class ClosingDbTest : public SeededModulesTest {
protected:
    TServerReply Fechar(const TDataPacket& list, const QString& oper = "MARIA",
                        const QVariant& novoCliente = {}) {
        return Call(QStringLiteral("ORE00800.rdmFechaOrca"), QStringLiteral("FecharOrca"),
                    {QVariant::fromValue(list), oper, novoCliente});
    }

    TDbConnection& Db() { return OpenDatabase(Url()); }

    QVariant Scalar(const QString& sql, const TSqlParams& params = {}) {
        TSqlStatement st(Db(), sql);
        st.Exec(params);
        return st.Next() ? st.Value(0) : QVariant();
    }

    // Per table: its row count and a digest of every row, whatever the order.
    std::map<QString, QString> Fingerprint() {
        std::map<QString, QString> out;
        for (const char* table : {"ORCAEVENTO", "CONTRATORCA", "CLIENTE", "ENDECLIE", "PEDIDO",
                                  "ITEMPEDIDO", "CONTAREC", "PARCCONTAREC", "AJUSTECONTAREC",
                                  "CONTAPAG", "FECHAORCA", "NUMERADOR", "OPERADOR"}) {
            TSqlStatement st(Db(), QStringLiteral("SELECT * FROM %1").arg(QLatin1String(table)));
            st.Exec();
            QStringList rows;
            while (st.Next()) {
                QStringList values;
                for (int c = 0; c < st.Query().record().count(); ++c)
                    values << st.Value(c).toString();
                rows << values.join(QChar(0x1f));
            }
            rows.sort();
            out[QString::fromLatin1(table)] =
                QStringLiteral("%1 rows %2")
                    .arg(rows.size())
                    .arg(QString::fromLatin1(QCryptographicHash::hash(rows.join(u'\n').toUtf8(),
                                                                      QCryptographicHash::Sha1)
                                                 .toHex()));
        }
        return out;
    }
};
