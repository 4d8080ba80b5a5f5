// The busy indicator over the main window while a synchronous call runs.

#include "framework/services/BusyIndicator.h"
#include "framework/services/BusyOverlay.h"
#include "tests/support/FakeBusy.h"

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

class BusyIndicator : public ::testing::Test {
protected:
    void SetUp() override {
        m_form.setObjectName(QStringLiteral("frmPrincipal"));
        m_button = new QPushButton(QStringLiteral("Fechar"), &m_form);
        m_form.setCentralWidget(m_button);
        m_form.resize(400, 300);
        m_form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_form));
    }
    void TearDown() override { ASSERT_EQ(QApplication::overrideCursor(), nullptr); }

    // The box while the operator can see it.
    QWidget* Panel() const {
        auto* box = m_form.findChild<QWidget*>(QStringLiteral("pnlAguarde"));
        return box && box->isVisible() ? box : nullptr;
    }
    QString Text() const {
        auto* label = m_form.findChild<QLabel*>(QStringLiteral("lblAguarde"));
        return label ? label->text() : QString();
    }

    QMainWindow m_form;
    QPushButton* m_button = nullptr;
};

} // namespace

TEST_F(BusyIndicator, StandsOverTheMainWindowWithTheWaitCursorUntilTheLastDeactivation) {
    ActiveShowAvi(&m_form, 1);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_TRUE(Panel()->isVisible());
    EXPECT_EQ(Panel()->geometry().center(), m_form.rect().center());
    EXPECT_EQ(Text(), QStringLiteral("Aguarde..."));
    ASSERT_NE(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
    // It stands over the window's contents.
    const QPoint onButton = m_button->mapTo(&m_form, m_button->rect().center());
    EXPECT_NE(m_form.childAt(onButton), m_button);

    ActiveShowAvi(&m_form, 6); // a nested call
    DeactiveShowAvi();
    EXPECT_NE(Panel(), nullptr);
    EXPECT_NE(QApplication::overrideCursor(), nullptr);

    DeactiveShowAvi();
    EXPECT_EQ(Panel(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_EQ(m_form.childAt(onButton), m_button);
    DeactiveShowAvi(); // one too many changes nothing
}

TEST_F(BusyIndicator, LongProcessingSaysSoAndStaysCentredOnTheWindow) {
    // After a short call, and with the window resized in between.
    ActiveShowAvi(&m_form, 1);
    DeactiveShowAvi();
    m_form.resize(500, 400);
    ActiveShowAvi(&m_form, 6);
    EXPECT_EQ(Text(), QStringLiteral("Processando..."));
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Panel()->geometry().center(), m_form.rect().center());
    m_form.resize(640, 480);
    ASSERT_NE(Panel(), nullptr);
    EXPECT_EQ(Panel()->geometry().center(), m_form.rect().center());
    DeactiveShowAvi();
}

TEST_F(BusyIndicator, RunsNothingQueuedWhileShownOrRemoved) {
    bool ran = false;
    QMetaObject::invokeMethod(
        qApp, [&] { ran = true; }, Qt::QueuedConnection);
    QPointer<QObject> doomed = new QObject;
    doomed->deleteLater();

    ActiveShowAvi(&m_form, 1);
    DeactiveShowAvi();
    EXPECT_FALSE(ran);
    EXPECT_FALSE(doomed.isNull());

    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(ran);
}

// Painted at once, with no event loop, and alone: what else of the window
// waits to be painted (a control just changed) waits until the call is over.
// The box looks as the window's own painting shows it, on the next call too.
TEST_F(BusyIndicator, PaintsItsBoxAtOnceAndNothingElse) {
    const auto shown = [&] { return m_form.screen()->grabWindow(m_form.winId()).toImage(); };
    for (const QString& text : {QStringLiteral("Outro orçamento"), QStringLiteral("Mais um")}) {
        const QImage before = shown();
        m_button->setText(text);
        ActiveShowAvi(&m_form, 1);
        const QImage during = shown();
        const QRect box(Panel()->mapTo(&m_form, QPoint(0, 0)), Panel()->size());
        int changedInside = 0, changedOutside = 0;
        for (int y = 0; y < before.height(); ++y)
            for (int x = 0; x < before.width(); ++x)
                if (before.pixel(x, y) != during.pixel(x, y))
                    ++(box.contains(x, y) ? changedInside : changedOutside);
        EXPECT_GT(changedInside, box.width() * box.height() / 2);
        EXPECT_EQ(changedOutside, 0);
        EXPECT_EQ(during.copy(box), m_form.grab(box).toImage().convertToFormat(during.format()));
        DeactiveShowAvi();
        QCoreApplication::sendPostedEvents();
        EXPECT_EQ(shown(), m_form.grab().toImage().convertToFormat(during.format()));
    }
}

// A call made as the window opens or just after it was resized, before it
// has been painted at its size: the box shows, with the window around it.
TEST_F(BusyIndicator, PaintsItsBoxOverAWindowNotYetPaintedAtItsSize) {
    m_form.resize(500, 400);
    ActiveShowAvi(&m_form, 1);
    const QImage shown = m_form.screen()->grabWindow(m_form.winId()).toImage();
    EXPECT_EQ(shown.size(), m_form.size());
    // Inside the box's border, left of its text.
    const QPoint inside = Panel()->mapTo(&m_form, QPoint(4, Panel()->height() / 2));
    EXPECT_EQ(QColor(shown.pixel(inside)), QColor(Qt::white));
    DeactiveShowAvi();
}

TEST(BusyScope, EndsTheIndicatorHoweverTheCallEnds) {
    TFakeBusy busy;
    QWidget form;
    {
        TBusyScope scope(&form, 6);
        EXPECT_EQ(busy.Depth(), 1);
        EXPECT_EQ(busy.LastForm(), &form);
    }
    EXPECT_THROW(
        {
            TBusyScope scope(&form);
            throw std::runtime_error("servidor fora do ar");
        },
        std::runtime_error);
    EXPECT_EQ(busy.Depth(), 0);
    EXPECT_EQ(busy.Log(), (QStringList{"Active(6)", "Deactive", "Active(1)", "Deactive"}));
}
