#pragma once

#include "core/data/OleDate.h"
#include "framework/widgets/MaskEdit.h"
#include "ore/ore00800/Cli_ore00800.h"
#include "ore/ore00800/Cli_ore00801.h"
#include "ore/ore00800/model/Filtro.h"
#include "tests/ore00800/support/ScreenTestUtil.h"
#include "tests/support/ModalHook.h"

#include "framework/widgets/DateEditPlus.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

// The closing screen as the filter meets it: its branch code, its server
// connection, and a retrieval that records what it found (and may fail).
class TFechaOrcaProbe : public TfrmFechaOrca {
public:
    struct TRetrieval {
        bool filterOnScreen;
        TFiltro filtro;
    };
    std::vector<TRetrieval> retrievals;
    std::function<void()> failRetrieval;

    void sbtVerificarClick() override {
        retrievals.push_back({frmFiltroFechaOrca && frmFiltroFechaOrca->isVisible(), Filtro});
        if (failRetrieval)
            failRetrieval();
    }
};

// The filter opened through its factory from the closing screen, in the
// module's screen fixture (demo database, session, faked server and boxes).
// `Open` runs `work` as what the operator does in the dialog; windows the
// dialog opens (pickers, lookups, option sets) are handed to `inWindow`. A
// dialog the operator left open is closed with Escape afterwards, so that
// every test ends with it destroyed.
class FiltroFechaOrcaTest : public ScreenTest {
protected:
    using TKind = TFakeDialogs::TKind;

    void SetUp() override {
        ScreenTest::SetUp();
        if (HasFatalFailure())
            return;
        InitializeCli_ore00801();
        screen = TfrmPadrao::Create<TFechaOrcaProbe>();
        frmFechaOrca = screen;
        screen->medCdFilial->SetText(QStringLiteral("0001"));
    }
    void TearDown() override {
        // The dialog goes once the event that closed it is over.
        EXPECT_TRUE(QTest::qWaitFor([] { return frmFiltroFechaOrca == nullptr; }, 5000));
        EXPECT_FALSE(boIdCriado);
        delete screen;
        SetFiltroDefaults(Filtro);
        FinalizeCli_ore00801();
        ScreenTest::TearDown();
    }

    // Opens the filter, lets the operator do `work` in it and returns the
    // result the opener reads right after the factory.
    int Open(std::function<void(TfrmFiltroFechaOrca&)> work) {
        return OpenFor(nullptr, std::move(work));
    }
    // The same for `host` rather than the closing screen, when given.
    int OpenFor(IFiltroHost* host, std::function<void(TfrmFiltroFechaOrca&)> work) {
        m_work = std::move(work);
        if (host)
            CriaFiltroFechaOrca(host);
        else
            CriaFiltroFechaOrca();
        EXPECT_NE(frmFiltroFechaOrca, nullptr) << "destroyed before the opener read the result";
        return frmFiltroFechaOrca ? frmFiltroFechaOrca->ModalResult() : -1;
    }

    // Near the left edge: on a radio button or check box, that is where the
    // mark and caption are, whatever width the layout gave the control.
    static void Click(QWidget* button) {
        ASSERT_TRUE(button);
        QTest::mouseClick(button, Qt::LeftButton, {},
                          QPoint(qMin(button->width() / 2, 8), button->height() / 2));
    }
    static void Click(QWidget& window, const char* name) {
        Click(window.findChild<QAbstractButton*>(QLatin1String(name)));
    }
    // Runs the handlers that a focus move queued.
    static void Settle() {
        for (int i = 0; i < 3; ++i)
            QCoreApplication::processEvents();
    }
    // Puts the focus on `control` as a click would, and lets the moves run.
    static void FocusOn(QWidget* control) {
        control->setFocus(Qt::MouseFocusReason);
        Settle();
    }
    static void TabFrom(QWidget* control) {
        QTest::keyClick(control, Qt::Key_Tab);
        Settle();
    }
    // Tabs into `control` and types `text` over what it held.
    static void Type(QLineEdit* control, const QString& text) {
        control->setFocus(Qt::TabFocusReason);
        Settle();
        control->clear();
        QTest::keyClicks(control, text);
    }

    static double Day(int d, int m = 3) { return DateToOle(QDate(2026, m, d)); }
    // A GetGerenteSup answer: code and name per manager.
    static QVariant Managers(const std::vector<std::pair<QString, QString>>& rows) {
        std::vector<TPacketRow> packet;
        for (const auto& [code, name] : rows)
            packet.push_back(
                {{QStringLiteral("CDVENDEDOR"), code}, {QStringLiteral("NMFANVEN"), name}});
        return QVariant::fromValue(
            MakePacket({StrField("CDVENDEDOR", 4), StrField("NMFANVEN", 50)}, packet));
    }

    TFechaOrcaProbe* screen = nullptr;
    std::function<void(QDialog&)> inWindow = [](QDialog& w) {
        ADD_FAILURE() << "unexpected window " << w.windowTitle().toStdString();
    };

private:
    std::function<void(TfrmFiltroFechaOrca&)> m_work;
    TModalHook m_hook{[this](QDialog& w) {
        auto* filter = qobject_cast<TfrmFiltroFechaOrca*>(&w);
        if (!filter) {
            inWindow(w);
            return;
        }
        EXPECT_TRUE(QTest::qWaitForWindowActive(filter));
        m_work(*filter);
        if (filter->isVisible())
            QTest::keyClick(filter, Qt::Key_Escape);
    }};
};
