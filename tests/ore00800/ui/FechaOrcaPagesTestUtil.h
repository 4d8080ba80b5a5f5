#pragma once

// Budgets listed with their details, for the tests of the detail pages.

#include "tests/ore00800/support/FechaOrcaTestUtil.h"

#include "core/data/OleDate.h"
#include "core/layouts/ControlLayouts.h"
#include "core/layouts/OrcaLayouts.h"
#include "framework/widgets/DBNavigator.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/TabSheet.h"

#include <QAbstractItemView>
#include <QLineEdit>
#include <QTabBar>

#include <map>

class FechaOrcaPages : public FechaOrcaTest {
protected:
    void SetUp() override {
        FechaOrcaTest::SetUp();
        if (HasFatalFailure())
            return;
        screen = &Open();
        // Totals by budget, as the server keeps them.
        server.On("GetGeral", [this](const QVariantList& args) {
            const double realised = totals[args.value(1).toString() + args.value(2).toString()];
            return TServerReply::Success(
                QVariant::fromValue(MakePacket(LayoutTotalOrca(), {{{"NRORCAEVENTO", args.value(1)},
                                                                    {"NRSEQORCAEVE", args.value(2)},
                                                                    {"VRTOTAITEM", 7000.0},
                                                                    {"VRTOTALMAO", 2000.0},
                                                                    {"VRSALAORCEVE", 1500.0},
                                                                    {"VRDESCORCEVE", 600.0},
                                                                    {"VRACREORCEVE", 100.5},
                                                                    {"TOTALIQUIDO", realised + 1},
                                                                    {"VRTOTALOREV", realised}}})));
        });
        ScriptPriceParameter("N");
    }

    void ScriptPriceParameter(const QString& origin) {
        server.Reply("GetParamOrca", QVariant::fromValue(MakePacket(
                                         LayoutParamOrca(), {{{"IDORIGPRUNITORE", origin}}})));
    }

    static TPacketRow Budget(const char* nr, const char* seq, double guests, QTime hour,
                             double hours, const char* idSitClie) {
        return {{"CDFILIAL", "0001"},
                {"NRORCAEVENTO", nr},
                {"NRSEQORCAEVE", seq},
                {"IDSITCLIOREV", idSitClie},
                {"NRINSJURCLIE", "39053344705"},
                {"IDTPIJURCLIE", "F"},
                {"QTCONVORCEVE", guests},
                {"QTHREVENTO", hours},
                {"DTEVENTO", DateTimeToOle(QDateTime(QDate(2027, 2, 20), hour))}};
    }

    static TPacketRow Item(const char* nr, const char* seq, const char* product, double qt,
                           double price, const char* invoice, const char* fixedCost) {
        return {{"NRORCAEVENTO", nr},       {"NRSEQORCAEVE", seq},
                {"CDARVPROD", product},     {"QTITEMORCEVE", qt},
                {"VRITEMORCEVE", price},    {"VRDESCITOREV", 2.0},
                {"VRACREITOREV", 1.0},      {"IDFATUITEMOREV", invoice},
                {"IDCUSTOFIXO", fixedCost}, {"NRINSJURFORN", "12345678000190"},
                {"IDTPIJURFORN", "J"}};
    }

    // 0000000101-00 (200 guests, 19:30, 4.5 hours, a registered client), its
    // child -01, and 0000000102-00 (no guests, a new client, 4.1 hours).
    void ListBudgets() {
        totals = {{"000000010100", 10000}, {"000000010101", 8000}, {"000000010200", 3000}};
        TOrcaEventoRows rows;
        rows.budgets = {Budget("0000000101", "00", 200, QTime(19, 30), 4.5, "C"),
                        Budget("0000000101", "01", 200, QTime(23, 0), 1, "C"),
                        Budget("0000000102", "00", 0, QTime(8, 15), 4.1, "N")};
        rows.items = {Item("0000000101", "00", "1.01.001", 3, 10, "S", "N"),
                      Item("0000000101", "00", "1.01.002", 1, 5, "", "S"),
                      Item("0000000101", "01", "1.02.001", 2, 7, "N", "x")};
        // The list's own totals, which the items page must not show.
        rows.totals = {{{"NRORCAEVENTO", "0000000101"}, {"NRSEQORCAEVE", "00"}}};
        for (const char* labour : {"00", "00", "01"})
            rows.labour.push_back(
                {{"NRORCAEVENTO", "0000000101"}, {"NRSEQORCAEVE", labour}, {"NRTURNO", labour}});
        ListDetails(*screen, rows);
    }

    void ClickTab(TTabSheet* page) {
        QTabBar* bar = screen->pgcPadrao->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page->PageIndex()).center());
        Settle();
    }

    void Next() { Click(screen->dbnPadrao->Button(TNavigateBtn::Next)); }

    // The texts of a grid's column, top to bottom.
    static QStringList Column(const QAbstractItemView* grid, int column) {
        QStringList shown;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            shown << grid->model()->index(r, column).data().toString();
        return shown;
    }

    // The text of the edit of that name that the operator sees (two pages
    // may each have one).
    QString Shown(const char* name) const {
        for (const QLineEdit* edit : screen->findChildren<QLineEdit*>(QLatin1String(name)))
            if (edit->isVisible())
                return edit->text();
        return QStringLiteral("(not shown)");
    }

    TfrmFechaOrca* screen = nullptr;
    std::map<QString, double> totals; // realised, by number and sequence
};
