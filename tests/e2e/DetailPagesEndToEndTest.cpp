// An operator browsing a budget's detail pages against the real application
// server; what each page shows is checked against the database.

#include "tests/e2e/ServerScreenTest.h"

#include "core/data/NumberFormat.h"
#include "core/data/OleDate.h"
#include "core/db/SqlStatement.h"
#include "framework/widgets/DBEdit.h"
#include "framework/widgets/DBGrid.h"
#include "framework/widgets/DBNavigator.h"
#include "framework/widgets/DBRichView.h"
#include "framework/widgets/MaskEdit.h"
#include "framework/widgets/NumberEdit.h"
#include "framework/widgets/PageControl.h"
#include "framework/widgets/RtfText.h"
#include "framework/widgets/TabSheet.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QSqlRecord>
#include <QStyle>
#include <QTabBar>
#include <QTextDocument>

namespace {

// The screen's size in the host maximised on an 800 × 600 desktop under a
// window manager: the pictures show what the operator sees there.
constexpr QSize kInHost(780, 512);

class DetailPagesEndToEnd : public ServerScreenTest {
protected:
    // The rows of `sql` for budget 1029-`seq` of branch 0001, whose
    // condition stands for %1 in it.
    QList<QVariantList> Rows(const QString& sql, const char* seq) {
        TSqlStatement st(Db(), sql.arg(QStringLiteral("CDFILIAL = '0001' AND NRORCAEVENTO = "
                                                      "'0000001029' AND NRSEQORCAEVE = :S")));
        st.Exec({{QStringLiteral("S"), QString::fromLatin1(seq)}});
        QList<QVariantList> rows;
        while (st.Next()) {
            QVariantList row;
            for (int c = 0; c < st.Query().record().count(); ++c)
                row << st.Value(c);
            rows << row;
        }
        return rows;
    }
    // The first column of those rows as `shown` writes it.
    QStringList Texts(
        const QString& sql, const char* seq,
        QString (*shown)(const QVariant&) = [](const QVariant& v) { return v.toString(); }) {
        QStringList texts;
        for (const QVariantList& row : Rows(sql, seq))
            texts << shown(row.value(0));
        return texts;
    }

    static QString Money(const QVariant& value) {
        return FormatFloat(QStringLiteral("#,##0.00"), value.toDouble());
    }
    static QString Plain(const QVariant& rtf) {
        QTextDocument doc;
        RtfToDocument(QString::fromLatin1(rtf.toByteArray()), doc);
        return doc.toPlainText();
    }
    static QStringList Column(const QAbstractItemView* grid, int column) {
        QStringList shown;
        for (int r = 0; r < grid->model()->rowCount(); ++r)
            shown << grid->model()->index(r, column).data().toString();
        return shown;
    }
    static void ClickTab(TPageControl* pages, TTabSheet* page) {
        QTabBar* bar = pages->tabBar();
        QTest::mouseClick(bar, Qt::LeftButton, {}, bar->tabRect(page->PageIndex()).center());
        Settle();
    }
    static void Choose(QAction* entry) {
        entry->trigger();
        Settle();
    }
    // The titles of `grid` that its columns cut: drawn in the header's own
    // font, which the grids never make bold.
    static QStringList CutTitles(const QTableView& grid) {
        const QHeaderView* header = grid.horizontalHeader();
        const int margins = 2 * grid.style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
        QStringList cut;
        for (int c = 0; c < grid.model()->columnCount(); ++c) {
            const QString title = grid.model()->headerData(c, Qt::Horizontal).toString();
            if (header->fontMetrics().horizontalAdvance(title) + margins > grid.columnWidth(c))
                cut << title;
        }
        return cut;
    }
    // The control shows its value in the text's dark ink, not greyed out.
    static bool Readable(QWidget* control) {
        const QImage shown = control->grab().toImage();
        for (int y = 0; y < shown.height(); ++y)
            for (int x = 0; x < shown.width(); ++x)
                if (qGray(shown.pixel(x, y)) < 80)
                    return true;
        return false;
    }
    void NoMessages() {
        EXPECT_TRUE(dialogs.Texts().isEmpty()) << dialogs.Texts().join(u'\n').toStdString();
    }
};

} // namespace

TEST_F(DetailPagesEndToEnd, AnOperatorBrowsesEveryPageOfABudget) {
    TfrmFechaOrca& s = Open();
    s.resize(kInHost);
    // Tab out of the branch code, where the screen opens, brings the filter,
    // whose defaults list the branch's approved budgets.
    ASSERT_EQ(QApplication::focusWidget(), s.medCdFilial);
    {
        TModalHook filter([](QDialog& dialog) { ClickIn(dialog, "sbtConfirma"); });
        QTest::keyClick(s.medCdFilial, Qt::Key_Tab);
        Settle();
        ASSERT_EQ(filter.Opened(), 1);
    }
    Reactivate(s);
    TRecordSet& orca = *s.data.cdsOrcaEvento;
    const auto current = [&](const char* field) { return orca.FieldByName(field).AsString(); };
    s.dbgPadrao->setFocus(Qt::MouseFocusReason);
    for (int moves = orca.RecordCount(); moves > 0 && current("NRORCAEVENTO") != u"0000001029";
         --moves) {
        QTest::keyClick(s.dbgPadrao, Qt::Key_Down);
        Settle();
    }
    ASSERT_EQ(current("NRORCAEVENTO"), QStringLiteral("0000001029"));
    ASSERT_EQ(current("NRSEQORCAEVE"), QStringLiteral("00"));
    NoMessages();
    const QVariantList stored = Rows(QStringLiteral("SELECT DTEVENTO, QTHREVENTO, QTCONVORCEVE, "
                                                    "VRTOTALOREV, NRDIAPGTOREV, QTPARCPGTOREV "
                                                    "FROM ORCAEVENTO WHERE %1"),
                                     "00")
                                    .value(0);
    ASSERT_EQ(stored.size(), 6);

    // "Formulário": the hour and the duration as hh:mm.
    ClickTab(s.pgcPadrao, s.tshFormulario);
    EXPECT_EQ(s.findChild<QLineEdit*>("dbeNRORCAEVENTO")->text(), QStringLiteral("0000001029"));
    EXPECT_EQ(s.medHoraEve->text(), OleToDateTime(stored[0].toDouble()).toString("hh:mm"));
    EXPECT_EQ(s.medDuracao->text(),
              QTime(0, 0).addSecs(qRound(stored[1].toDouble() * 3600)).toString("hh:mm"));
    Shot(s, "closing-formulario.png");

    // "Itens": the server's totals, 50,00 per person, and the item of
    // 3 × 10 − 2 + 1 as 29,00.
    Choose(s.mnuItens);
    ASSERT_EQ(s.pgcPadrao->ActivePage(), s.tshItens);
    const QString items =
        QStringLiteral("SELECT QTITEMORCEVE * VRITEMORCEVE - VRDESCITOREV + VRACREITOREV FROM "
                       "ITEMORCAEVEN WHERE %1 ORDER BY NRITEMORCEVE");
    EXPECT_EQ(Column(s.dbgItemOrcaEven, 8), Texts(items, "00", Money));
    double sum = 0;
    for (const QVariantList& row : Rows(items, "00"))
        sum += row.value(0).toDouble();
    EXPECT_EQ(s.nedTotalItem->text(), Money(sum));
    EXPECT_EQ(s.nedTotLiq->text(), Money(stored[3]));
    EXPECT_EQ(s.nedVrPessoa->text(), Money(stored[3].toDouble() / stored[2].toDouble()));
    Shot(s, "closing-itens.png");

    // "Mão de Obra": this budget's labour only.
    ClickTab(s.pgcPadrao, s.tshMaoObra);
    EXPECT_EQ(Column(s.dbgItMaoObra, 3),
              Texts(QStringLiteral("SELECT P.NMPRODUTO FROM ITMAOOBRAORCA M JOIN PRODUTO P ON "
                                   "P.CDPRODUTO = M.CDPRODUTO WHERE %1 ORDER BY M.NRTURNO, "
                                   "M.CDPRODUTO"),
                    "00"));
    Shot(s, "closing-mao-obra.png");

    // "Dados Adicionais": the halls with their booking texts, whatever the
    // stored case ("a" in the demo).
    Choose(s.mnuDadosAdic);
    ASSERT_EQ(s.pgcPadrao->ActivePage(), s.tshDadosAdic);
    EXPECT_EQ(Column(s.dbgSalaoEven, 0),
              Texts(QStringLiteral("SELECT CDSALAOEVEN FROM SALAOORCA WHERE %1 ORDER BY 1"), "00"));
    EXPECT_EQ(Column(s.dbgSalaoEven, 2),
              Texts(QStringLiteral("SELECT IDSITAGENSAL FROM SALAOORCA WHERE %1 ORDER BY "
                                   "CDSALAOEVEN"),
                    "00", [](const QVariant& v) {
                        return v.toString().toUpper() == u"A" ? QStringLiteral("Agendado")
                                                              : QStringLiteral("Reservado");
                    }));
    EXPECT_EQ(CutTitles(*s.dbgSalaoEven), QStringList());
    EXPECT_FALSE(s.dbgSalaoEven->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(Readable(s.cbbEndeCliente));
    Shot(s, "closing-dados-adicionais.png");

    // "Observação": the first department's text, and the external one.
    ClickTab(s.pgcPadrao, s.tshObservacao);
    const QStringList internal =
        Texts(QStringLiteral("SELECT TXOBSINTOREV FROM OBSINTORCAEV WHERE %1 ORDER BY CDDEPTO"),
              "00", Plain);
    ASSERT_FALSE(internal.isEmpty());
    EXPECT_EQ(s.dbrObsInt->toPlainText(), internal.front());
    Shot(s, "closing-observacao.png");
    ClickTab(s.pgcObservacao, s.tshObsExt);
    EXPECT_EQ(QStringList{s.dbrObsExt->toPlainText()},
              Texts(QStringLiteral("SELECT TXOBSEXTOREV FROM OBSEXTORCAEV WHERE %1"), "00", Plain));

    // "Forma de Pagamento": a fixed day and its instalments; the child pays
    // by form, with its terms.
    Choose(s.mnuFormaPgto);
    ASSERT_EQ(s.pgcPadrao->ActivePage(), s.tshFormaPgto);
    EXPECT_EQ(s.speDiaFixo->value(), stored[4].toInt());
    EXPECT_EQ(s.speParcela->value(), stored[5].toInt());
    EXPECT_TRUE(Readable(s.speDiaFixo));
    EXPECT_TRUE(Readable(s.speParcela));
    EXPECT_FALSE(s.dbgPrazoPgClie->isVisible());
    Click(s.dbnPadrao->Button(TNavigateBtn::Next));
    ASSERT_EQ(current("NRSEQORCAEVE"), QStringLiteral("01"));
    EXPECT_TRUE(s.dbgPrazoPgClie->isVisible());
    EXPECT_TRUE(Readable(s.dbeCDFORMPGTO));
    const QStringList terms = Texts(
        QStringLiteral("SELECT VRPARCELAOREV FROM PRAZOPGTOORCA WHERE %1 ORDER BY NRPARCOREV"),
        "01", Money);
    EXPECT_EQ(terms.size(), 3);
    EXPECT_EQ(Column(s.dbgPrazoPgClie, 3), terms);
    Shot(s, "closing-forma-pgto.png");
    NoMessages();
}
