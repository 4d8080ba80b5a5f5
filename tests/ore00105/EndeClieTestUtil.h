#pragma once

#include "core/data/DataSource.h"
#include "core/data/Exceptions.h"
#include "core/data/RecordSet.h"
#include "core/db/DbConnection.h"
#include "core/layouts/ControlLayouts.h"
#include "framework/db/SharedDatabase.h"
#include "framework/services/Handles.h"
#include "ore/ore00105/Pkg_ore00105.h"
#include "storage/Schema.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/ModalHook.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QHeaderView>
#include <QScreen>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest/QTest>

#include <gtest/gtest.h>

#include <memory>

// The caller's side of ORE00105: a scratch database with the real schema made
// the shared connection (countries Brasil and Argentina; states SP and RJ of
// Brasil; municipalities Campinas and Santos of SP, Niterói of RJ; budgets
// 0001/0000000001-00 and 0000000002-00 of unregistered customers), the two
// record sets with the closing's layouts behind their data sources, and the
// fake message boxes.
class EndeClieTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_db = std::make_unique<TDbConnection>(m_dir.filePath(QStringLiteral("ore.db")));
        CreateSchema(*m_db);
        m_db->ExecScript(QStringLiteral(
            "INSERT INTO PAIS VALUES ('1058', 'Brasil'), ('0639', 'Argentina');"
            "INSERT INTO ESTADO VALUES ('1058', 'SP', 'São Paulo'), ('1058', 'RJ', 'Rio de "
            "Janeiro');"
            "INSERT INTO MUNICIPIO VALUES ('1058', 'SP', '0001', 'Campinas'),"
            " ('1058', 'SP', '0002', 'Santos'), ('1058', 'RJ', '0003', 'Niterói');"
            "INSERT INTO FILIAL (CDFILIAL, NMFILIAL) VALUES ('0001', 'Centro');"
            "INSERT INTO ORCAEVENTO (CDFILIAL, NRORCAEVENTO, NRSEQORCAEVE, IDSITUORCEVE,"
            " IDSITCLIOREV, NMCLIEORCEVE) VALUES ('0001', '0000000001', '00', '2', 'N', 'Ana'),"
            " ('0001', '0000000002', '00', '2', 'N', 'Beto');"));
        SetSharedDatabase(m_db.get());
        for (auto [rs, ds] : {std::pair{&cdsEndeNovoClie, &dtsEndeNovoClie},
                              std::pair{&cdsInteclieOrev, &dtsInteclieOrev}}) {
            rs->CreateDataSet();
            ds->SetDataSet(rs);
        }
    }
    void TearDown() override { SetSharedDatabase(nullptr); }

    QVariantList Params(const QString& numero = QStringLiteral("0000000001")) {
        return {QStringLiteral("0001"),
                numero,
                QStringLiteral("00"),
                true,
                DataSourceHandle(&dtsEndeNovoClie),
                DataSourceHandle(&dtsInteclieOrev)};
    }

    // Opens the screen as LoadBPL does, `drive` working it as the operator;
    // returns the text of a refusal, "" when it opened.
    QString Open(const QVariantList& params, const std::function<void(QDialog&)>& drive) {
        TModalHook hook([&drive](QDialog& w) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
            drive(w);
        });
        try {
            LoadScreen("ORE00105", &params);
        } catch (const Exception& e) {
            EXPECT_EQ(hook.Opened(), 0) << "refused after showing";
            return e.Message();
        }
        EXPECT_EQ(hook.Opened(), 1);
        return {};
    }

    // A row of `rs` for budget `numero`, as an earlier run left it.
    static void AddRow(TRecordSet& rs, const QString& numero,
                       const QList<QPair<const char*, QString>>& values) {
        rs.Append();
        rs.FieldByName(QStringLiteral("CDFILIAL")).SetAsString(QStringLiteral("0001"));
        rs.FieldByName(QStringLiteral("NRORCAEVENTO")).SetAsString(numero);
        rs.FieldByName(QStringLiteral("NRSEQORCAEVE")).SetAsString(QStringLiteral("00"));
        for (const auto& [field, value] : values)
            rs.FieldByName(QString::fromLatin1(field)).SetAsString(value);
        rs.Post();
    }

    // The values of `field` in the rows of `rs`, in order.
    static QStringList Column(TRecordSet& rs, const char* field) {
        QStringList values;
        for (int r = 1; r <= rs.RecordCount(); ++r)
            rs.ReadRow(r, [&] { values << rs.FieldByName(QString::fromLatin1(field)).AsString(); });
        return values;
    }

    QTemporaryDir m_dir;
    std::unique_ptr<TDbConnection> m_db;
    TRecordSet cdsEndeNovoClie{LayoutEndeNovoClie()};
    TRecordSet cdsInteclieOrev{LayoutInteclieOrev()};
    TDataSource dtsEndeNovoClie, dtsInteclieOrev;
    TFakeDialogs dialogs;
};

// With ORE_SCREENSHOT_DIR set, a picture of the screen as the operator sees
// it: the whole desktop where the platform has one (xcb under a window
// manager), else the window alone.
inline void Shot(QWidget& w, const char* name) {
    const QString dir = qEnvironmentVariable("ORE_SCREENSHOT_DIR");
    if (dir.isEmpty())
        return;
    // What was typed is painted and on the screen before it is taken.
    w.repaint();
    QApplication::processEvents();
    QPixmap picture = w.screen()->grabWindow(0);
    if (picture.isNull())
        picture = w.grab();
    EXPECT_TRUE(picture.save(dir + u'/' + QLatin1String(name)));
}

// The operator's hands on the screen's controls.
template <class W> W* Find(QWidget& window, const char* name) {
    W* w = window.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

inline void Click(QWidget& window, const char* name) {
    QTest::mouseClick(Find<QWidget>(window, name), Qt::LeftButton);
}

// Clicks into an edit, selects what it holds and types `text` over it.
inline void Type(QWidget& window, const char* name, const QString& text) {
    QWidget* w = Find<QWidget>(window, name);
    QTest::mouseClick(w, Qt::LeftButton);
    QTest::keyClick(w, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(w, Qt::Key_Delete);
    QTest::keyClicks(w, text);
}

// Focuses a combo and types the start of an entry's name (keys are ASCII);
// the entry `shown` is then chosen.
inline void Choose(QWidget& window, const char* name, const QString& typed, const QString& shown) {
    auto* combo = Find<QComboBox>(window, name);
    combo->setFocus();
    QTest::keyClicks(combo, typed);
    EXPECT_EQ(combo->currentText(), shown) << name;
}

// Double-clicks a contact cell and types `text`, Tab ending the edit.
inline void TypeCell(QWidget& window, int row, int column, const QString& text) {
    auto* grid = Find<QTableWidget>(window, "grdContatos");
    const QRect cell = grid->visualRect(grid->model()->index(row, column));
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
    QWidget* editor = QApplication::focusWidget();
    ASSERT_TRUE(editor && editor != grid) << "no cell editor";
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Tab);
}
