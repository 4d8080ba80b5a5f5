// The base filter dialog as an operator uses it: confirming and cancelling,
// undoing edits, and saving, loading and deleting option sets per operator.

#include "framework/forms/FrmFiltroPadrao.h"
#include "core/db/DbConnection.h"
#include "framework/db/OptionSetStore.h"
#include "framework/db/SharedDatabase.h"
#include "framework/services/Session.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/ModalHook.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

namespace {

using TKind = TFakeDialogs::TKind;

// A screen's filter: an edit, two radio buttons and a check box, with a
// confirm that can do more work after the base has asked to close.
class TfrmFiltroTeste : public TfrmFiltroPadrao {
public:
    explicit TfrmFiltroTeste(QWidget* parent = nullptr) : TfrmFiltroPadrao(parent) {
        lblCodTela->setText(QStringLiteral("ORE00800"));
        auto* layout = new QVBoxLayout(panFiltro);
        edtTitulo = Add<QLineEdit>(layout, "edtTitulo");
        rbtTodos = Add<QRadioButton>(layout, "rbtTodos");
        rbtLista = Add<QRadioButton>(layout, "rbtLista");
        chbFechado = Add<QCheckBox>(layout, "chbFechado");
        edtTitulo->setText(QStringLiteral("Formatura"));
        rbtTodos->setChecked(true);
    }

    QLineEdit* edtTitulo;
    QRadioButton* rbtTodos;
    QRadioButton* rbtLista;
    QCheckBox* chbFechado;
    std::function<void()> afterConfirm;
    int created = 0, closed = 0;
    QList<bool> loads; // what each load reported

protected:
    void FormCreate() override {
        TfrmFiltroPadrao::FormCreate();
        ++created;
    }
    void FormClose() override { ++closed; }
    void btfLoadOpcClick() override { loads << LoadOptionSet(); }
    void sbtConfirmaClick() override {
        TfrmFiltroPadrao::sbtConfirmaClick();
        if (afterConfirm)
            afterConfirm();
    }

private:
    template <class T> T* Add(QVBoxLayout* layout, const char* name) {
        auto* w = new T(panFiltro);
        w->setObjectName(QLatin1String(name));
        layout->addWidget(w);
        return w;
    }
};

void Click(QWidget& window, const char* name) {
    auto* b = window.findChild<QAbstractButton*>(QLatin1String(name));
    ASSERT_TRUE(b) << name;
    QTest::mouseClick(b, Qt::LeftButton);
}

QListWidget* List(QDialog& window) {
    return window.findChild<QListWidget*>(QStringLiteral("lstOpcoes"));
}

QStringList Rows(QDialog& window) {
    QStringList names;
    for (int i = 0; i < List(window)->count(); ++i)
        names << List(window)->item(i)->text();
    return names;
}

// Clicks (or double-clicks) the row with `name` in the option-set window.
void ClickRow(QDialog& window, const QString& name, bool twice = false) {
    QListWidget* list = List(window);
    const auto found = list->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString();
    const QPoint at = list->visualItemRect(found.first()).center();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at);
    if (twice)
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, at);
}

// Runs `act` once the dialog's event loop runs, then closes the dialog from
// outside if it is still open, so that a failing test cannot hang.
void ActOnceShown(TModalForm& form, std::function<void()> act) {
    QTimer::singleShot(0, &form, [&form, act] {
        act();
        QCoreApplication::processEvents();
        if (form.isVisible())
            form.done(-1);
    });
}

// The session's database with the option-set table, operator MARIA, and a
// filter dialog on screen; option-set windows are driven by `drive`.
class FiltroPadrao : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<TDbConnection>(m_dir.filePath(QStringLiteral("ore.db")));
        m_db->ExecRaw(QStringLiteral(
            "CREATE TABLE OPCAOFILTRO ("
            " CDTELA TEXT NOT NULL CHECK (length(CDTELA) <= 20),"
            " CDOPERADOR TEXT NOT NULL CHECK (length(CDOPERADOR) <= 12),"
            " NMOPCAO TEXT NOT NULL CHECK (length(NMOPCAO) <= 60),"
            " TXCONTROLES TEXT NOT NULL, TXVARIAVEIS TEXT NOT NULL, DTALTEOPCAO REAL,"
            " PRIMARY KEY (CDTELA, CDOPERADOR, NMOPCAO)) STRICT"));
        SetSharedDatabase(m_db.get());
        SetOperator(QStringLiteral("MARIA"));
        m_form.reset(TfrmFiltroPadrao::Create<TfrmFiltroTeste>());
        m_form->show();
    }
    void TearDown() override {
        m_form.reset();
        StartSession({});
        SetSharedDatabase(nullptr);
        m_db.reset();
    }

    static void SetOperator(const QString& code) {
        TSessionInfo info;
        info.operador = code;
        StartSession(info);
    }

    // Saves the dialog's values under `name`, typed in the save window.
    void SaveAs(const QString& name) {
        drive = [&](QDialog& w) {
            QTest::keyClicks(w.findChild<QLineEdit*>(QStringLiteral("edtNome")), name);
            Click(w, "btnOK");
        };
        Click(*m_form, "btfSaveOpc");
    }
    // Loads the set `name`, double-clicked in the load window.
    void Load(const QString& name) {
        drive = [&](QDialog& w) { ClickRow(w, name, true); };
        Click(*m_form, "btfLoadOpc");
    }
    QStringList SavedNames() const {
        return TOptionSetStore(QStringLiteral("ORE00800"), Operador()).Names();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TDbConnection> m_db;
    TFakeDialogs dialogs;
    std::function<void(QDialog&)> drive;
    TModalHook hook{[this](QDialog& w) { drive(w); }};
    std::unique_ptr<TfrmFiltroTeste> m_form;
};

} // namespace

TEST_F(FiltroPadrao, SavedSetRestoresTheControlsAndReplacesTheVariablesWholly) {
    TfrmFiltroTeste& f = *m_form;
    f.edtTitulo->clear();
    QTest::keyClicks(f.edtTitulo, QStringLiteral("Casamento = 2026"));
    QTest::keyClick(f.rbtLista, Qt::Key_Space);
    QTest::keyClick(f.chbFechado, Qt::Key_Space);
    f.stlVariaveis.SetValue(QStringLiteral("stVendedor"), QStringLiteral("0001,0002"));
    SaveAs(QStringLiteral("  Casamentos "));
    EXPECT_TRUE(dialogs.Texts().isEmpty()); // saving says nothing
    EXPECT_EQ(SavedNames(), QStringList{"Casamentos"});

    f.edtTitulo->setText(QStringLiteral("outro"));
    f.rbtTodos->setChecked(true);
    f.chbFechado->setChecked(false);
    f.stlVariaveis.SetValue(QStringLiteral("stCliente"), QStringLiteral("F1"));
    f.stlVariaveis.SetValue(QStringLiteral("stVendedor"), QString());
    Load(QStringLiteral("Casamentos"));

    EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("Casamento = 2026"));
    EXPECT_TRUE(f.rbtLista->isChecked());
    EXPECT_FALSE(f.rbtTodos->isChecked());
    EXPECT_TRUE(f.chbFechado->isChecked());
    EXPECT_EQ(f.stlVariaveis.Lines(), QStringList{"stVendedor=0001,0002"});
    EXPECT_TRUE(f.isVisible()); // loading does not confirm the filter
    EXPECT_TRUE(dialogs.Texts().isEmpty());
    EXPECT_EQ(f.loads, QList<bool>{true});
}

TEST_F(FiltroPadrao, LoadingWithNothingSavedTellsAndOpensNoWindow) {
    Click(*m_form, "btfLoadOpc");
    EXPECT_EQ(dialogs.Texts(TKind::Information),
              QStringList{"Não há opções salvas para esta tela."});
    EXPECT_EQ(hook.Opened(), 0);

    // Sets belong to the operator who saved them.
    SaveAs(QStringLiteral("Minha"));
    SetOperator(QStringLiteral("JOAO"));
    dialogs.Clear();
    Click(*m_form, "btfLoadOpc");
    EXPECT_EQ(dialogs.Texts(TKind::Information),
              QStringList{"Não há opções salvas para esta tela."});
    EXPECT_EQ(hook.Opened(), 1);
    SetOperator(QStringLiteral("MARIA"));
    EXPECT_EQ(SavedNames(), QStringList{"Minha"});
    EXPECT_EQ(m_form->loads, (QList<bool>{false, false}));
}

TEST_F(FiltroPadrao, SavingUnderAnExistingNameAsksBeforeReplacing) {
    TfrmFiltroTeste& f = *m_form;
    f.edtTitulo->setText(QStringLiteral("primeira"));
    SaveAs(QStringLiteral("Formaturas"));
    f.edtTitulo->setText(QStringLiteral("segunda"));

    // The operator picks the existing name from the list.
    QString typed;
    drive = [&](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Salvar opções"));
        ClickRow(w, QStringLiteral("Formaturas"));
        typed = w.findChild<QLineEdit*>(QStringLiteral("edtNome"))->text();
        Click(w, "btnOK");
    };
    dialogs.Answer(false);
    Click(f, "btfSaveOpc");
    EXPECT_EQ(typed, QStringLiteral("Formaturas"));
    EXPECT_EQ(dialogs.Texts(TKind::YesNo), QStringList{"Substituir a opção \"Formaturas\"?"});
    Load(QStringLiteral("Formaturas"));
    EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("primeira"));

    f.edtTitulo->setText(QStringLiteral("segunda"));
    dialogs.Answer(true);
    SaveAs(QStringLiteral("Formaturas"));
    f.edtTitulo->clear();
    Load(QStringLiteral("Formaturas"));
    EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("segunda"));
    EXPECT_EQ(SavedNames(), QStringList{"Formaturas"});
}

TEST_F(FiltroPadrao, SaveWindowRefusesAnEmptyNameAndCancelSavesNothing) {
    bool openAfterOk = false;
    drive = [&](QDialog& w) {
        QTest::keyClicks(w.findChild<QLineEdit*>(QStringLiteral("edtNome")), QStringLiteral("  "));
        Click(w, "btnOK");
        openAfterOk = w.isVisible();
        EXPECT_FALSE(w.findChild<QPushButton*>(QStringLiteral("btnExcluir"))->isVisible());
        Click(w, "btnCancelar");
    };
    Click(*m_form, "btfSaveOpc");
    EXPECT_TRUE(openAfterOk);
    EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{"Informe o nome da opção."});
    EXPECT_TRUE(SavedNames().isEmpty());
}

TEST_F(FiltroPadrao, LoadWindowDeletesAfterAskingAndCancelChangesNothing) {
    TfrmFiltroTeste& f = *m_form;
    SaveAs(QStringLiteral("A"));
    SaveAs(QStringLiteral("B"));
    f.edtTitulo->setText(QStringLiteral("editado"));

    QStringList rowsAfterNo, rowsAfterYes;
    drive = [&](QDialog& w) {
        EXPECT_EQ(w.windowTitle(), QStringLiteral("Carregar opções"));
        ClickRow(w, QStringLiteral("B"));
        Click(w, "btnExcluir");
        rowsAfterNo = Rows(w);
        ClickRow(w, QStringLiteral("B"));
        Click(w, "btnExcluir");
        rowsAfterYes = Rows(w);
        Click(w, "btnCancelar");
    };
    dialogs.Answer(false);
    dialogs.Answer(true);
    Click(f, "btfLoadOpc");

    EXPECT_EQ(dialogs.Texts(TKind::YesNo),
              (QStringList{"Excluir a opção \"B\"?", "Excluir a opção \"B\"?"}));
    EXPECT_EQ(rowsAfterNo, (QStringList{"A", "B"}));
    EXPECT_EQ(rowsAfterYes, QStringList{"A"});
    EXPECT_EQ(SavedNames(), QStringList{"A"});
    EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("editado"));
    EXPECT_EQ(f.loads, QList<bool>{false});
}

TEST_F(FiltroPadrao, DesfazerPutsBackTheValuesTheDialogWasCreatedWith) {
    TfrmFiltroTeste& f = *m_form;
    EXPECT_EQ(f.created, 1);
    QTest::keyClicks(f.edtTitulo, QStringLiteral(" 2026"));
    QTest::keyClick(f.rbtLista, Qt::Key_Space);
    QTest::keyClick(f.chbFechado, Qt::Key_Space);
    Click(f, "sbtLimpa");
    EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("Formatura"));
    EXPECT_TRUE(f.rbtTodos->isChecked());
    EXPECT_FALSE(f.chbFechado->isChecked());

    Click(f, "sbtHelp");
    EXPECT_EQ(dialogs.Texts(TKind::Information),
              QStringList{"Não há ajuda disponível para esta tela."});
}

TEST_F(FiltroPadrao, ToolButtonsLeaveTheFocusInTheControlBeingEdited) {
    TfrmFiltroTeste& f = *m_form;
    f.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.edtTitulo->setFocus();
    QTest::keyClicks(f.edtTitulo, QStringLiteral("X"));
    QWidget* focusDuringConfirm = nullptr;
    f.afterConfirm = [&] { focusDuringConfirm = QApplication::focusWidget(); };
    Click(f, "sbtConfirma");
    EXPECT_EQ(focusDuringConfirm, f.edtTitulo);
}

TEST(FiltroPadraoModal, ConfirmClosesWithResultOkOnlyAfterItsHandler) {
    TFakeDialogs dialogs;
    TfrmFiltroTeste f; // not through Create: ShowModal runs FormCreate
    bool visibleAfterBase = false;
    f.afterConfirm = [&] { visibleAfterBase = f.isVisible(); };
    ActOnceShown(f, [&f] { Click(f, "sbtConfirma"); });
    EXPECT_EQ(f.ShowModal(), TModalForm::mrOk);
    EXPECT_TRUE(visibleAfterBase);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.created, 1);
    EXPECT_EQ(f.closed, 1);

    TfrmFiltroTeste cancelled;
    ActOnceShown(cancelled, [&cancelled] { Click(cancelled, "sbtCancel"); });
    EXPECT_EQ(cancelled.ShowModal(), TModalForm::mrCancel);
    TfrmFiltroTeste escaped;
    ActOnceShown(escaped, [&escaped] { QTest::keyClick(&escaped, Qt::Key_Escape); });
    EXPECT_EQ(escaped.ShowModal(), TModalForm::mrCancel);
    EXPECT_EQ(escaped.closed, 1);
    EXPECT_TRUE(dialogs.Texts().isEmpty());
}

TEST(FiltroPadraoModal, AFilterLargerThanTheDesktopKeepsConfirmAndCancelOnIt) {
    TFakeDialogs dialogs;
    TfrmFiltroTeste f;
    const QRect desktop = QGuiApplication::primaryScreen()->availableGeometry();
    f.edtTitulo->setMinimumSize(desktop.width() + 300, desktop.height() + 100);
    QStringList off;
    ActOnceShown(f, [&] {
        for (const char* name : {"sbtConfirma", "sbtCancel"}) {
            auto* b = f.findChild<QToolButton*>(QLatin1String(name));
            if (!desktop.contains(QRect(b->mapToGlobal(QPoint(0, 0)), b->size())))
                off << QLatin1String(name);
        }
    });
    f.ShowModal();
    EXPECT_EQ(off, QStringList());
}
