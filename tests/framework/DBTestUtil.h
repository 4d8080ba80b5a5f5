#pragma once

#include "core/data/DataSource.h"
#include "core/data/OleDate.h"
#include "core/data/RecordSet.h"
#include "tests/framework/WidgetsTestUtil.h"
#include "tests/support/FakeDialogs.h"

#include <QDate>

// A budget's header as the data-aware controls see it: two rows, browsing the first.
class DBControlsTest : public ::testing::Test {
protected:
    DBControlsTest() : budgets(Defs()) {
        budgets.CreateDataSet();
        AddRow(QStringLiteral("SP01"), QStringLiteral("Ana Lima"), 1234.5, QDate(2024, 12, 25),
               QStringLiteral("S"), QStringLiteral("C"));
        AddRow(QStringLiteral("RJ02"), QStringLiteral("Bruno Reis"), 80, QDate(),
               QStringLiteral("N"), QStringLiteral("F"));
        budgets.MergeChangeLog();
        budgets.First();
        source.SetDataSet(&budgets);
    }

    static TFieldDefs Defs() {
        return {StrField("CDFILIAL", 4).Mask(">aaaa;0; "),
                StrField("NMCLIENTE", 40),
                FloatField("VRTOTAL").Format("#,##0.00"),
                DateField("DTEVENTO"),
                StrField("IDCONFIRMADO", 1),
                StrField("TPEVENTO", 1),
                MemoField("DSOBSERVACAO")};
    }

    TField& Field(const char* name) { return budgets.FieldByName(QLatin1String(name)); }

    TRecordSet budgets;
    TDataSource source;
    TFakeDialogs dialogs;
    TTestWindow window;

private:
    void AddRow(const QString& branch, const QString& client, double total, const QDate& date,
                const QString& confirmed, const QString& kind) {
        budgets.Append();
        Field("CDFILIAL").SetAsString(branch);
        Field("NMCLIENTE").SetAsString(client);
        Field("VRTOTAL").SetAsFloat(total);
        if (date.isValid())
            Field("DTEVENTO").SetAsDateTime(DateToOle(date));
        Field("IDCONFIRMADO").SetAsString(confirmed);
        Field("TPEVENTO").SetAsString(kind);
        budgets.Post();
    }
};

// Binds a data-aware control of any kind.
template <class T> T* Bind(T* control, TDataSource& source, const char* field) {
    control->SetDataSource(&source);
    control->SetDataField(QLatin1String(field));
    return control;
}
