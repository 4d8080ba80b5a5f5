// The modal result and the deferred close, as a filter dialog uses them.

#include "framework/forms/ModalForm.h"
#include "core/data/Exceptions.h"
#include "framework/services/Dispatch.h"
#include "tests/support/FakeDialogs.h"

#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// A dialog whose confirm button runs `confirm` through the dispatcher.
struct TConfirmDialog : TModalForm {
    QPushButton* button = new QPushButton(QStringLiteral("OK"), this);
    std::function<void()> confirm;
    TConfirmDialog() {
        connect(button, &QPushButton::clicked, this, [this] { Dispatch(confirm); });
    }
};

// Clicks the button once the dialog's event loop runs, then closes it from
// outside if it is still open (so a failing test cannot hang).
void ClickThenGiveUp(TConfirmDialog& d, bool* openAfterClick = nullptr) {
    QTimer::singleShot(0, &d, [&d, openAfterClick] {
        QTest::mouseClick(d.button, Qt::LeftButton);
        QCoreApplication::processEvents();
        if (openAfterClick)
            *openAfterClick = d.isVisible();
        if (d.isVisible())
            d.done(-1);
    });
}

} // namespace

TEST(ModalForm, WorkAfterSettingTheResultRunsWhileTheDialogIsStillOnScreen) {
    TFakeDialogs dialogs;
    TConfirmDialog d;
    bool visibleDuringWork = false;
    d.confirm = [&] {
        d.SetModalResult(TModalForm::mrOk);
        QCoreApplication::processEvents(); // a nested loop must not close it either
        visibleDuringWork = d.isVisible();
        throw EDatabaseError(QStringLiteral("Servidor indisponível."));
    };
    ClickThenGiveUp(d);
    EXPECT_EQ(d.ShowModal(), TModalForm::mrOk); // the failure left the result as set
    EXPECT_TRUE(visibleDuringWork);
    EXPECT_EQ(dialogs.Texts(), QStringList{QStringLiteral("Servidor indisponível.")});
}

TEST(ModalForm, AFailedValidationLeavesItOpenWithoutResult) {
    TFakeDialogs dialogs;
    TConfirmDialog d;
    d.confirm = [] { throw EAbort(); };
    bool open = false;
    ClickThenGiveUp(d, &open);
    d.ShowModal();
    EXPECT_TRUE(open);
    EXPECT_EQ(d.ModalResult(), TModalForm::mrNone);

    // Escape or the close box cancel.
    TConfirmDialog other;
    QTimer::singleShot(0, &other, [&] { QTest::keyClick(&other, Qt::Key_Escape); });
    EXPECT_EQ(other.ShowModal(), TModalForm::mrCancel);
}

TEST(ModalForm, ADialogOpenedByAHandlerClosesWhenItsOwnHandlerReturns) {
    // The closing screen opens its filter from the branch bar's exit handler:
    // the confirm inside must not wait for that outer handler, which itself
    // waits for the dialog.
    TFakeDialogs dialogs;
    TConfirmDialog d;
    d.confirm = [&] { d.SetModalResult(TModalForm::mrOk); };
    bool open = true;
    int result = TModalForm::mrNone;
    bool afterOuterRan = false;
    Dispatch([&] {
        AfterHandlers([&] { afterOuterRan = true; });
        ClickThenGiveUp(d, &open);
        result = d.ShowModal();
        EXPECT_FALSE(afterOuterRan); // still the outer handler's, run when it returns
    });
    EXPECT_FALSE(open);
    EXPECT_EQ(result, TModalForm::mrOk);
    EXPECT_TRUE(afterOuterRan);
}
