// The filter dialog as it opens: the choices it allows, the tab order, the
// factory's cursor and lifetime, and the controls loaded from Filtro once
// per opening.

#include "tests/ore00800/ui/FiltroFechaOrcaTestUtil.h"

#include "framework/services/Messages.h"

#include <QScreen>
#include <QStyle>

namespace {

using FiltroFechaOrcaLayout = FiltroFechaOrcaTest;

// Where `widget` lies, in global coordinates.
QRect GlobalRect(const QWidget* widget) {
    return {widget->mapToGlobal(QPoint(0, 0)), widget->size()};
}

// Where a label's caption is drawn, in global coordinates.
QRect CaptionRect(const QLabel* label) {
    const QRect inLabel = label->style()->itemTextRect(
        label->fontMetrics(), label->contentsRect(), int(label->alignment()), true, label->text());
    return inLabel.translated(label->mapToGlobal(QPoint(0, 0)));
}

} // namespace

TEST_F(FiltroFechaOrcaLayout, OpensWithItsCatalogueAndOnlyTheChoicesItAllows) {
    Open([](TfrmFiltroFechaOrca& f) {
        EXPECT_EQ(f.windowTitle(), QStringLiteral("Filtro de Fechamento"));
        EXPECT_EQ(f.findChild<TMessages*>(QStringLiteral("msgPadrao"))->Lines().size(), 43);
        for (QToolButton* search : {f.sbtVendedor, f.sbtCliente, f.sbtFiliDest, f.sbtTipoEven,
                                    f.sbtProduto, f.sbtMaoObra})
            EXPECT_FALSE(search->isEnabled()) << search->objectName().toStdString();
        QStringList enabled;
        for (QCheckBox* c : f.grbSituacao->findChildren<QCheckBox*>())
            if (c->isEnabled())
                enabled << c->objectName();
        EXPECT_EQ(enabled, (QStringList{"chbAprovado", "chbFechado"}));
    });
}

TEST_F(FiltroFechaOrcaLayout, TabRunsThroughTheCriteriaInTheirDesignedOrder) {
    Open([](TfrmFiltroFechaOrca& f) {
        FocusOn(f.medOrcaDe);
        QStringList visited{QApplication::focusWidget()->objectName()};
        for (int i = 0; i < 17; ++i) {
            TabFrom(QApplication::focusWidget());
            visited << QApplication::focusWidget()->objectName();
        }
        EXPECT_EQ(visited, (QStringList{"medOrcaDe", "medOrcaAte", "depDeEvento", "depAteEvento",
                                        "depDeEntrega", "depAteEntrega", "rbtTVendedor",
                                        "rbtTCliente", "rbtTTipoServ", "chbAprovado", "chbFechado",
                                        "rbtTTipoEven", "rbtTProduto", "rbtTMaoObra", "edtNovoClie",
                                        "edtTitulo", "edtCdVendedor", "medOrcaDe"}));
    });
}

TEST_F(FiltroFechaOrcaLayout, FactoryShowsTheNormalCursorAndLeavesTheResultToTheOpener) {
    Qt::CursorShape cursor = Qt::BlankCursor;
    const int result = Open([&](TfrmFiltroFechaOrca& f) {
        cursor = QApplication::overrideCursor()->shape();
        EXPECT_TRUE(boIdCriado);
        Type(f.edtTitulo, QStringLiteral("Formatura"));
        Click(f, "sbtCancel");
    });
    EXPECT_EQ(result, TModalForm::mrCancel);
    EXPECT_EQ(cursor, Qt::ArrowCursor);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_FALSE(boIdCriado); // closed, though still readable until the event is over

    // The next opening gets a fresh dialog.
    QPointer<TfrmFiltroFechaOrca> first = frmFiltroFechaOrca;
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }, 5000));
    Open([](TfrmFiltroFechaOrca& f) { EXPECT_EQ(f.edtTitulo->text(), QString()); });

    // A failure while the dialog is up leaves no cursor behind either.
    EXPECT_THROW(Open([](TfrmFiltroFechaOrca&) { throw std::runtime_error("falhou"); }),
                 std::runtime_error);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    QTest::keyClick(frmFiltroFechaOrca, Qt::Key_Escape);
}

TEST_F(FiltroFechaOrcaLayout, ConfirmingWhatWasLoadedGivesFiltroBack) {
    Filtro.NrOrca = {QStringLiteral("0000000010"), QStringLiteral("0000000020")};
    Filtro.DtEven = {Day(10, 1), Day(31, 1)};
    Filtro.DtVali = {Day(1, 12), Day(2, 12)}; // the edits are emptied at creation, then loaded
    Filtro.CdClie = {false, QStringLiteral("F1_J2")};
    Filtro.CdObra = {false, QStringLiteral("21")};
    Filtro.CdEven = {true, QStringLiteral("CAS")}; // "Todos" with an old pick
    Filtro.IdSitu = QStringLiteral("3");
    Filtro.NmNovoClie = QStringLiteral("Noiva");
    Filtro.DsTitulo = QStringLiteral("Festa");
    Filtro.CdGerenteSup = QStringLiteral("0009");
    Filtro.NmGerenteSup = QStringLiteral("Carla");
    const TFiltro loaded = Filtro;
    stCliente = QStringLiteral("velho");
    server.Reply(QStringLiteral("GetGerenteSup"), Managers({{"0009", "Carla"}}));
    Open([](TfrmFiltroFechaOrca& f) {
        EXPECT_TRUE(f.sbtCliente->isEnabled());
        EXPECT_FALSE(f.sbtTipoEven->isEnabled());
        EXPECT_EQ(f.edtNmVendedor->text(), QStringLiteral("Carla")); // after the code
        // Coming back from a box or a picker keeps what the operator typed.
        f.edtTitulo->setText(QStringLiteral("Outra"));
        f.hide();
        f.show();
        EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("Outra"));
        f.edtTitulo->setText(QStringLiteral("Festa"));
        Click(f, "sbtConfirma");
    });
    EXPECT_EQ(Filtro, loaded);
}

TEST_F(FiltroFechaOrcaLayout, FitsAnOperatorsDesktopWithEachCaptionBesideItsEdit) {
    Open([](TfrmFiltroFechaOrca& f) {
        // The title bar and borders a window manager adds around the dialog.
        const QRect framed = f.frameGeometry().marginsAdded(QMargins(4, 30, 4, 4));
        EXPECT_LE(framed.width(), 800);
        EXPECT_LE(framed.height(), 600);
        const QRect desktop = f.screen()->availableGeometry();
        EXPECT_TRUE(desktop.contains(f.frameGeometry()));
        for (const char* name : {"sbtConfirma", "sbtCancel"}) {
            auto* button = f.findChild<QToolButton*>(QLatin1String(name));
            EXPECT_TRUE(button->isVisible()) << name;
            EXPECT_TRUE(desktop.contains(GlobalRect(button))) << name;
        }

        int captions = 0;
        for (const QLabel* label : f.findChildren<QLabel*>()) {
            if (!label->buddy())
                continue;
            ++captions;
            SCOPED_TRACE(label->text().toStdString());
            const QRect caption = CaptionRect(label);
            const QRect edit = GlobalRect(label->buddy());
            const int gap = edit.left() - caption.right();
            EXPECT_GE(gap, 0);
            EXPECT_LE(gap, 16);
            EXPECT_TRUE(edit.top() <= caption.center().y() &&
                        caption.center().y() <= edit.bottom());
        }
        EXPECT_EQ(captions, 9); // "de" and "até" thrice, the three free texts

        for (const QGroupBox* box : f.findChildren<QGroupBox*>())
            EXPECT_LE(box->height(), box->sizeHint().height()) << box->objectName().toStdString();
    });
}
