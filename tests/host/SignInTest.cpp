// Signing in before the first screen and again when the server has lost the
// session, driven through the sign-in dialog as the operator would.

#include "framework/net/NetConnection.h"
#include "framework/net/NetSession.h"
#include "host/FrmEntrar.h"
#include "host/HostSignIn.h"
#include "tests/support/FakeServer.h"
#include "tests/support/ModalHook.h"
#include "tests/support/RawSocket.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <unistd.h>

#include <gtest/gtest.h>

namespace {

const QString kInvalid = QStringLiteral("Operador ou senha inválidos.");
const QString kExpired = QStringLiteral("Sessão inválida ou expirada. Entre novamente.");
const TSignInServer kServer{QStringLiteral("127.0.0.1"), 8211};

// The sign-in dialog the hook was handed, once it has the keyboard.
TfrmEntrar& Dialog(QDialog& window) {
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
    return dynamic_cast<TfrmEntrar&>(window);
}

// Types `text` where the focus is and presses Enter, as the operator would.
void TypeAndEnter(const QString& text) {
    QWidget* focus = QApplication::focusWidget();
    ASSERT_NE(focus, nullptr);
    QTest::keyClicks(focus, text);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
}

// A loopback port that nothing listens on.
int ClosedPort() {
    int port = 0;
    ::close(RawSocket::Listen(1, &port));
    return port;
}

class SignIn : public ::testing::Test {
protected:
    void SetUp() override { TNetSession::SetToken({}); }
    void TearDown() override { TNetSession::SetToken({}); }

    // Entrar accepts `password` (any operator) with a new token each time.
    void AcceptPassword(const QString& password) {
        server.On(QStringLiteral("Entrar"), [this, password](const QVariantList& args) {
            if (args.value(1).toString() != password)
                return TServerReply::Failure(kInvalid);
            return TServerReply::Success(QStringLiteral("token-%1").arg(++signIns));
        });
    }

    TFakeServer server;
    int signIns = 0;
};

} // namespace

TEST_F(SignIn, TheOperatorSignsInWithTheDialogAndTheScreensRunAsThatOperator) {
    AcceptPassword(QStringLiteral("maria123"));
    TModalHook hook([](QDialog& window) {
        TfrmEntrar& d = Dialog(window);
        EXPECT_EQ(d.edtOperador->text(), QStringLiteral("MARIA"));
        EXPECT_EQ(d.edtSenha->echoMode(), QLineEdit::Password);
        EXPECT_EQ(QApplication::focusWidget(), d.edtSenha);
        EXPECT_FALSE(d.lblMensagem->isVisible());
        TypeAndEnter(QStringLiteral("maria123"));
    });
    EXPECT_EQ(SignInAtStart(kServer, QStringLiteral("maria"), {}), QStringLiteral("MARIA"));
    EXPECT_EQ(hook.Opened(), 1);
    EXPECT_EQ(TNetSession::Token(), QStringLiteral("token-1"));
    ASSERT_EQ(server.Calls().size(), 1u);
    EXPECT_EQ(server.Calls()[0].server, QStringLiteral("ORE.rdmSessao"));
    EXPECT_EQ(server.Calls()[0].args,
              (QVariantList{QStringLiteral("MARIA"), QStringLiteral("maria123")}));
}

TEST_F(SignIn, ARefusalIsShownInTheDialogWhichStaysOpenForAnotherTry) {
    const QString throttled =
        QStringLiteral("Muitas tentativas de entrada. Tente novamente em 30 segundos.");
    const int down = ClosedPort();
    struct TCase {
        const char* name;
        QString password;
        QString sentence; // shown in the dialog
        int calls;        // of Entrar through the fake, the second try's included
    };
    const std::vector<TCase> cases = {
        {"wrong password", QStringLiteral("errada"), kInvalid, 2},
        {"throttle", QStringLiteral("maria123"), throttled, 2},
        {"no password", {}, QStringLiteral("Informe a senha."), 1},
        // Reached over HTTP for real.
        {"server down", QStringLiteral("maria123"),
         QStringLiteral("Não foi possível conectar ao servidor de aplicação 127.0.0.1:%1: "
                        "conexão recusada.")
             .arg(down),
         1},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.name);
        server.Clear();
        signIns = 0;
        if (c.sentence == throttled)
            server.Refuse(QStringLiteral("Entrar"), throttled);
        else
            AcceptPassword(QStringLiteral("maria123"));
        if (c.calls == 1 && !c.password.isEmpty())
            TCallTransport::Install(nullptr);
        TModalHook hook([&](QDialog& window) {
            TfrmEntrar& d = Dialog(window);
            TypeAndEnter(c.password);
            EXPECT_TRUE(d.isVisible());
            EXPECT_TRUE(d.lblMensagem->isVisible());
            EXPECT_EQ(d.lblMensagem->text(), c.sentence);
            EXPECT_TRUE(d.edtSenha->text().isEmpty());
            EXPECT_EQ(QApplication::focusWidget(), d.edtSenha);
            TCallTransport::Install(&server);
            AcceptPassword(QStringLiteral("maria123"));
            TypeAndEnter(QStringLiteral("maria123"));
            EXPECT_FALSE(d.isVisible());
        });
        EXPECT_EQ(SignInAtStart({kServer.host, down}, QStringLiteral("MARIA"), {}),
                  QStringLiteral("MARIA"));
        EXPECT_EQ(hook.Opened(), 1);
        EXPECT_EQ(int(server.CallsOf(QStringLiteral("Entrar")).size()), c.calls);
        EXPECT_FALSE(TNetSession::Token().isEmpty());
        TNetSession::SetToken({});
    }
}

TEST_F(SignIn, EscapeOrCancelarQuitsWithoutSigningIn) {
    AcceptPassword(QStringLiteral("maria123"));
    for (const bool escape : {true, false}) {
        SCOPED_TRACE(escape ? "Escape" : "Cancelar");
        TModalHook hook([escape](QDialog& window) {
            TfrmEntrar& d = Dialog(window);
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("maria123"));
            if (escape)
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
            else
                QTest::mouseClick(d.btnCancelar, Qt::LeftButton);
        });
        EXPECT_TRUE(SignInAtStart(kServer, QStringLiteral("MARIA"), {}).isEmpty());
        EXPECT_EQ(hook.Opened(), 1);
    }
    EXPECT_TRUE(server.Calls().empty());
    EXPECT_TRUE(TNetSession::Token().isEmpty());
}

TEST_F(SignIn, OperatorAndPasswordFromTheEnvironmentSignInWithoutTheDialog) {
    AcceptPassword(QStringLiteral("maria123"));
    TModalHook hook([](QDialog&) { ADD_FAILURE() << "the dialog opened"; });
    EXPECT_EQ(SignInAtStart(kServer, QStringLiteral("MARIA"), QStringLiteral("maria123")),
              QStringLiteral("MARIA"));
    EXPECT_EQ(TNetSession::Token(), QStringLiteral("token-1"));
    try {
        SignInAtStart(kServer, QStringLiteral("MARIA"), QStringLiteral("errada"));
        ADD_FAILURE() << "a refused sign-in went on";
    } catch (const EServerCallError& e) {
        EXPECT_EQ(e.Message(), kInvalid);
    }
    EXPECT_EQ(hook.Opened(), 0);
}

TEST_F(SignIn, TheRenewerLetsOnlyTheSameOperatorSignInAgain) {
    AcceptPassword(QStringLiteral("maria123"));
    TNetSession::SetToken(QStringLiteral("lost"));
    const TNetSession::TRenewer renew = HostRenewer(kServer, QStringLiteral("MARIA"));

    int opened = 0;
    TModalHook again([&](QDialog& window) {
        if (++opened > 1)
            return; // a second dialog: left to be cancelled
        TfrmEntrar& d = Dialog(window);
        // Another call refused meanwhile fails rather than stack a dialog.
        EXPECT_FALSE(renew(kExpired));
        EXPECT_EQ(d.lblMensagem->text(), kExpired);
        EXPECT_TRUE(d.lblMensagem->isVisible());
        EXPECT_EQ(d.edtOperador->text(), QStringLiteral("MARIA"));
        TypeAndEnter(QStringLiteral("maria123"));
    });
    EXPECT_TRUE(renew(kExpired));
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(TNetSession::Token(), QStringLiteral("token-1"));
    EXPECT_EQ(server.Calls().size(), 1u);

    server.Clear();
    TModalHook other([](QDialog& window) {
        TfrmEntrar& d = Dialog(window);
        d.edtOperador->clear();
        QTest::keyClicks(d.edtOperador, QStringLiteral("joao"));
        QTest::keyClick(d.edtOperador, Qt::Key_Tab);
        TypeAndEnter(QStringLiteral("maria123"));
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.lblMensagem->text(),
                  QStringLiteral("Somente MARIA pode entrar novamente: as telas abertas "
                                 "trabalham em nome desse operador."));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    EXPECT_FALSE(renew(kExpired));
    EXPECT_TRUE(server.Calls().empty());
    EXPECT_EQ(TNetSession::Token(), QStringLiteral("token-1"));
}
