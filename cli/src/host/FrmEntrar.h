#pragma once

#include "framework/forms/ModalForm.h"

#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;

// The sign-in dialog: operator code and password. The sign-in itself is
// handed in, so that the host's start and the renewal of a lost session use
// the same dialog. A refusal is shown inside the dialog, which stays open with
// the password cleared; Escape or "Cancelar" closes it with mrCancel.
class TfrmEntrar : public TModalForm {
    Q_OBJECT
public:
    // Signs `op` in with `password`; throws Exception with the sentence to show.
    using TSignIn = std::function<void(const QString& op, const QString& password)>;

    explicit TfrmEntrar(TSignIn signIn, QWidget* parent = nullptr);

    // The operator code offered; the password then takes the focus.
    void SetOperator(const QString& op);
    // Only `op` may sign in: another code is refused without asking the server.
    void RequireOperator(const QString& op);
    // A sentence shown when the dialog opens (why it asks).
    void SetSentence(const QString& sentence);

    // The operator who signed in (after mrOk).
    QString Operator() const { return m_signedIn; }

    // Operator codes are upper case; what is typed is compared as such.
    static QString OperatorCode(const QString& typed);

    QLineEdit* edtOperador;
    QLineEdit* edtSenha;
    QLabel* lblMensagem;
    QPushButton* btnEntrar;
    QPushButton* btnCancelar;

private:
    void btnEntrarClick();
    // Shows `sentence`, clears the password and gives `focus` the focus.
    void Refuse(const QString& sentence, QLineEdit* focus);

    TSignIn m_signIn;
    QString m_required;
    QString m_signedIn;
};
