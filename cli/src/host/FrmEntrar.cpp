#include "host/FrmEntrar.h"

#include "core/data/Exceptions.h"
#include "framework/services/CursorScope.h"
#include "framework/services/Dispatch.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr int kOperatorCodeMax = 12; // OPERADOR.CDOPERADOR
constexpr int kDialogWidth = 340;
} // namespace

TfrmEntrar::TfrmEntrar(TSignIn signIn, QWidget* parent)
    : TModalForm(parent), edtOperador(new QLineEdit(this)), edtSenha(new QLineEdit(this)),
      lblMensagem(new QLabel(this)), btnEntrar(new QPushButton(QStringLiteral("&Entrar"), this)),
      btnCancelar(new QPushButton(QStringLiteral("&Cancelar"), this)), m_signIn(std::move(signIn)) {
    setObjectName(QStringLiteral("frmEntrar"));
    setWindowTitle(QStringLiteral("Entrar"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    edtOperador->setObjectName(QStringLiteral("edtOperador"));
    edtSenha->setObjectName(QStringLiteral("edtSenha"));
    lblMensagem->setObjectName(QStringLiteral("lblMensagem"));
    btnEntrar->setObjectName(QStringLiteral("btnEntrar"));
    btnCancelar->setObjectName(QStringLiteral("btnCancelar"));

    edtOperador->setMaxLength(kOperatorCodeMax);
    edtSenha->setEchoMode(QLineEdit::Password);
    lblMensagem->setWordWrap(true);
    lblMensagem->setVisible(false);
    QPalette alert = lblMensagem->palette();
    alert.setColor(QPalette::WindowText, QColor(0xa0, 0x10, 0x10));
    lblMensagem->setPalette(alert);
    btnEntrar->setDefault(true);
    btnCancelar->setAutoDefault(false);

    auto* fields = new QFormLayout;
    auto* lblOperador = new QLabel(QStringLiteral("&Operador"), this);
    auto* lblSenha = new QLabel(QStringLiteral("&Senha"), this);
    lblOperador->setBuddy(edtOperador);
    lblSenha->setBuddy(edtSenha);
    fields->addRow(lblOperador, edtOperador);
    fields->addRow(lblSenha, edtSenha);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btnEntrar);
    buttons->addWidget(btnCancelar);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addWidget(lblMensagem);
    layout->addLayout(buttons);
    // One width whatever the sentence: it wraps onto more lines instead, and
    // the dialog stays far inside an 800 × 600 desktop.
    const QMargins margins = layout->contentsMargins();
    const int inside = kDialogWidth - margins.left() - margins.right();
    layout->addStrut(inside);
    lblMensagem->setFixedWidth(inside);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(btnEntrar, &QPushButton::clicked, this,
            [this] { Dispatch([this] { btnEntrarClick(); }); });
    connect(btnCancelar, &QPushButton::clicked, this, [this] { reject(); });
    edtOperador->setFocus();
}

QString TfrmEntrar::OperatorCode(const QString& typed) {
    return typed.trimmed().toUpper();
}

void TfrmEntrar::SetOperator(const QString& op) {
    edtOperador->setText(OperatorCode(op));
    (op.trimmed().isEmpty() ? edtOperador : edtSenha)->setFocus();
}

void TfrmEntrar::RequireOperator(const QString& op) {
    m_required = OperatorCode(op);
    SetOperator(op);
}

void TfrmEntrar::SetSentence(const QString& sentence) {
    lblMensagem->setText(sentence);
    lblMensagem->setVisible(!sentence.isEmpty());
}

void TfrmEntrar::Refuse(const QString& sentence, QLineEdit* focus) {
    SetSentence(sentence);
    edtSenha->clear();
    focus->setFocus();
    focus->selectAll();
}

void TfrmEntrar::btnEntrarClick() {
    const QString op = OperatorCode(edtOperador->text());
    edtOperador->setText(op);
    if (op.isEmpty())
        return Refuse(QStringLiteral("Informe o operador."), edtOperador);
    // The screens already open work in the name of the operator who signed
    // in first; another one would close budgets under that name.
    if (!m_required.isEmpty() && op != m_required)
        return Refuse(QStringLiteral("Somente %1 pode entrar novamente: as telas abertas "
                                     "trabalham em nome desse operador.")
                          .arg(m_required),
                      edtOperador);
    if (edtSenha->text().isEmpty())
        return Refuse(QStringLiteral("Informe a senha."), edtSenha);
    try {
        TCursorScope wait(Qt::WaitCursor);
        m_signIn(op, edtSenha->text());
    } catch (const Exception& e) {
        return Refuse(e.Message(), edtSenha);
    }
    edtSenha->clear();
    m_signedIn = op;
    SetModalResult(mrOk);
}
