#include "tests/ore00800/support/PacketBuilder.h"

#include "core/data/OleDate.h"
#include "ore/ore00800/model/FechaOrcaData.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QObject>
#include <QSet>

#include <map>

namespace {

class FechaOrcaDataTest : public ::testing::Test {
protected:
    QObject screen;
    TFechaOrcaData data{&screen};
};

TEST_F(FechaOrcaDataTest, EveryRecordSetIsANamedChildOfTheScreen) {
    ASSERT_EQ(FechaOrcaRecordSets().size(), 20u);
    for (const TRecordSetDecl& decl : FechaOrcaRecordSets()) {
        SCOPED_TRACE(decl.name);
        auto* byObjectName = screen.findChild<TRecordSet*>(decl.name, Qt::FindDirectChildrenOnly);
        ASSERT_NE(byObjectName, nullptr);
        EXPECT_EQ(data.RecordSet(QLatin1StringView(decl.name)), byObjectName);
        EXPECT_EQ(data.*decl.member, byObjectName);
    }
    EXPECT_EQ(data.RecordSet(u"cdsNaoExiste"), nullptr);
    EXPECT_EQ(data.RecordSet(u"cdsorcaevento"), nullptr); // object names are exact
}

TEST_F(FechaOrcaDataTest, DataSourcesShowTheirRecordSets) {
    const std::map<QString, TRecordSet*> expected = {
        {"dtsPadrao", data.cdsOrcaEvento},         {"dtsItemOrcaEven", data.cdsItemOrcaEven},
        {"dtsItMaoObra", data.cdsItMaoObra},       {"dtsObsExtOrcaEv", data.cdsObsExtOrcaEv},
        {"dtsObsIntOrcaEv", data.cdsObsIntOrcaEv}, {"dtsPrazoPgto", data.cdsPrazoPgto},
        {"dtsSalaoEven", data.cdsSalaoEven},       {"dtsTotalGrupo", data.cdsTotalGrupo},
        {"dtsTotalOpcao", data.cdsTotalOpcao},     {"dtsNovoClie", data.cdsEndeNovoClie},
        {"dtsEndeNovoClie", data.cdsEndeNovoClie}, {"dtsInteclieOrev", data.cdsInteclieOrev},
    };
    const auto sources = screen.findChildren<TDataSource*>();
    EXPECT_EQ(sources.size(), qsizetype(expected.size()));
    for (const auto& [name, recordSet] : expected) {
        SCOPED_TRACE(name.toStdString());
        TDataSource* source = data.DataSource(name);
        ASSERT_NE(source, nullptr);
        EXPECT_EQ(source->objectName(), name);
        EXPECT_EQ(source->parent(), &screen);
        EXPECT_EQ(source->DataSet(), recordSet);
    }
}

TEST(FechaOrcaDataOnABaseScreen, TheBaseScreensListSourceShowsTheBudgets) {
    QObject screen;
    auto* base = new TDataSource(&screen);
    base->setObjectName(QStringLiteral("dtsPadrao"));
    TFechaOrcaData data(&screen);
    EXPECT_EQ(data.dtsPadrao, base);
    EXPECT_EQ(base->DataSet(), data.cdsOrcaEvento);
    EXPECT_EQ(screen.findChildren<TDataSource*>(QStringLiteral("dtsPadrao")).size(), 1);
}

TEST_F(FechaOrcaDataTest, OnlyTheNewClientSetsStartOpen) {
    for (const TRecordSetDecl& decl : FechaOrcaRecordSets()) {
        SCOPED_TRACE(decl.name);
        const TRecordSet& cds = *(data.*decl.member);
        const bool newClient =
            cds.objectName() == "cdsEndeNovoClie" || cds.objectName() == "cdsInteclieOrev";
        EXPECT_EQ(cds.Active(), newClient);
        EXPECT_TRUE(cds.IsEmpty());
    }
    // Another screen fills the new client through a data source: it must be writable.
    data.cdsEndeNovoClie->Append();
    data.cdsEndeNovoClie->FieldByName("NRINSJURORCA").SetAsString("12345678000190");
    data.cdsEndeNovoClie->FieldByName("DSPTOREFEORE").SetAsString(QString("perto ").repeated(100));
    data.cdsEndeNovoClie->Post();
    EXPECT_EQ(data.cdsEndeNovoClie->ChangeCount(), 1);
}

TEST_F(FechaOrcaDataTest, LayoutsHaveUniqueNamesAndSizedStrings) {
    for (const TRecordSetDecl& decl : FechaOrcaRecordSets()) {
        SCOPED_TRACE(decl.name);
        QSet<QString> names;
        for (const TFieldDef& def : decl.layout()) {
            EXPECT_FALSE(names.contains(def.name)) << def.name.toStdString();
            names.insert(def.name);
            EXPECT_TRUE(def.kind != TFieldKind::String || def.size > 0) << def.name.toStdString();
        }
    }
}

TEST_F(FechaOrcaDataTest, OnlyTheThreeScreenFieldsAreCalculated) {
    QStringList calculated;
    for (const TRecordSetDecl& decl : FechaOrcaRecordSets())
        for (const TFieldDef& def : decl.layout())
            if (def.calculated)
                calculated << QString(decl.name) + "." + def.name;
    EXPECT_EQ(calculated, QStringList({"cdsOrcaEvento.DSCLIENTEORCA", "cdsOrcaEvento.DSORCAEVEN",
                                       "cdsItemOrcaEven.VRTOTALITEM"}));
}

// A value that fills a field of `def`'s kind and size, different per row.
QVariant FullValue(const TFieldDef& def, int row) {
    switch (def.kind) {
    case TFieldKind::String: {
        // Accented letters: sizes count characters, not bytes.
        QString s = QString::number(row) + QString("ã").repeated(def.size);
        return s.left(def.size);
    }
    case TFieldKind::Memo:
        return QString("Observação %1\n").arg(row).repeated(500);
    case TFieldKind::Blob:
        // Rich text is bytes: keep a NUL and a non-UTF-8 byte in it.
        return QByteArray("{\\rtf1 ") + QByteArray(1, '\0') + QByteArray(1, char(0xE9)) +
               QByteArray::number(row) + "}";
    case TFieldKind::Float:
        return 1234567.125 + row;
    case TFieldKind::DateTime:
        return DateTimeToOle(QDateTime(QDate(2024, 12, 31), QTime(23, 30))) + row;
    case TFieldKind::Integer:
        return qint64(1) << 40 | row;
    case TFieldKind::Boolean:
        return row % 2 == 1;
    }
    return {};
}

TEST_F(FechaOrcaDataTest, EveryLayoutTakesAFullPacketAndReadsItBackByName) {
    for (const TRecordSetDecl& decl : FechaOrcaRecordSets()) {
        SCOPED_TRACE(decl.name);
        const TFieldDefs layout = decl.layout();
        std::vector<TPacketRow> rows(2);
        for (const TFieldDef& def : layout)
            if (!def.calculated)
                for (int r = 0; r < 2; ++r)
                    rows[size_t(r)].emplace_back(def.name, FullValue(def, r));

        TRecordSet& cds = *(data.*decl.member);
        ASSERT_NO_THROW(cds.SetData(MakePacket(layout, rows)));
        ASSERT_EQ(cds.RecordCount(), 2);
        EXPECT_EQ(cds.ChangeCount(), 0);
        for (int r = 0; r < 2; ++r) {
            cds.SetRecNo(r + 1);
            for (const auto& [name, value] : rows[size_t(r)]) {
                const TField& field = cds.FieldByName(name);
                EXPECT_EQ(field.Value(), value) << name.toStdString();
            }
        }
    }
}

TEST_F(FechaOrcaDataTest, FieldSetupMasksTheProductCodesAndTheDueDate) {
    const QString productMask = "!9.99.999;0;_";
    const QString dateMask = "!99/99/9999;1;_";
    data.SetupFields(productMask, dateMask);

    EXPECT_EQ(data.cdsItemOrcaEven->FieldByName("CDARVPROD").EditMask(), productMask);
    EXPECT_EQ(data.cdsItMaoObra->FieldByName("CDARVPROD").EditMask(), productMask);
    EXPECT_EQ(data.cdsProdSemDep->FieldByName("CDARVPROD").EditMask(), productMask);
    EXPECT_EQ(data.cdsPrazoPgto->FieldByName("DTVENCPARCOREV").EditMask(), dateMask);
    // The copy of the labour lines is never shown, so it keeps no mask.
    EXPECT_EQ(data.cdsItMaoObraAux->FieldByName("CDARVPROD").EditMask(), "");

    // The set-up is done once, before any packet: loading must not undo it.
    data.cdsItemOrcaEven->SetData(
        MakePacket(data.cdsItemOrcaEven->FieldDefs(), {{{"CDARVPROD", "123456"}}}));
    data.cdsPrazoPgto->SetData(MakePacket(data.cdsPrazoPgto->FieldDefs(), {}));
    EXPECT_EQ(data.cdsItemOrcaEven->FieldByName("CDARVPROD").EditMask(), productMask);
    EXPECT_EQ(data.cdsPrazoPgto->FieldByName("DTVENCPARCOREV").EditMask(), dateMask);
}

} // namespace
