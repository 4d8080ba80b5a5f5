#include "host/HostSignIn.h"

#include "host/FrmEntrar.h"

#include <QApplication>
#include <QThread>

#include <atomic>
#include <memory>

namespace {

TfrmEntrar::TSignIn SignInTo(const TSignInServer& server) {
    return [server](const QString& op, const QString& password) {
        TNetSession::SignIn(server.host, server.port, op, password);
    };
}

} // namespace

QString SignInAtStart(const TSignInServer& server, const QString& op, const QString& password) {
    if (!op.trimmed().isEmpty() && !password.isEmpty()) {
        const QString code = TfrmEntrar::OperatorCode(op);
        TNetSession::SignIn(server.host, server.port, code, password);
        return code;
    }
    TfrmEntrar dialog(SignInTo(server));
    dialog.SetOperator(op);
    return dialog.ShowModal() == TModalForm::mrOk ? dialog.Operator() : QString();
}

bool SignInAgain(const TSignInServer& server, const QString& op, const QString& sentence) {
    TfrmEntrar dialog(SignInTo(server), QApplication::activeWindow());
    dialog.RequireOperator(op);
    dialog.SetSentence(sentence);
    return dialog.ShowModal() == TModalForm::mrOk;
}

TNetSession::TRenewer HostRenewer(const TSignInServer& server, const QString& op) {
    // A call refused while the dialog is up (a timer's, another thread's,
    // run by the dialog's own event loop) fails with its sentence instead of
    // stacking a second dialog.
    auto asking = std::make_shared<std::atomic_bool>(false);
    return [server, op, asking](const QString& sentence) {
        QCoreApplication* app = QCoreApplication::instance();
        if (!app || asking->exchange(true))
            return false;
        bool renewed = false;
        if (QThread::currentThread() == app->thread())
            renewed = SignInAgain(server, op, sentence);
        else
            QMetaObject::invokeMethod(
                app, [&] { return SignInAgain(server, op, sentence); },
                Qt::BlockingQueuedConnection, &renewed);
        *asking = false;
        return renewed;
    };
}
