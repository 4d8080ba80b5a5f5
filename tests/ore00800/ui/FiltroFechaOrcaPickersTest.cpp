// The pickers behind the search buttons, on a database with rows (and with
// none), opened by a click or by F9 on a "Lista" radio; and the manager or
// supervisor picked from the server's list.

#include "tests/ore00800/ui/FiltroFechaOrcaTestUtil.h"
#include "tests/ore00800/ui/FiltroTestDb.h"

#include "framework/widgets/BtnPesquisa.h"
#include "tests/ore00800/support/PacketBuilder.h"
#include "tests/support/CutTexts.h"
#include "tests/support/QtPrinters.h"

#include <QPushButton>
#include <QTableView>

namespace {

class FiltroFechaOrcaPickers : public FiltroFechaOrcaTest {
protected:
    void SetUp() override {
        FiltroFechaOrcaTest::SetUp();
        db = std::make_unique<TFiltroTestDb>();
    }

    // What the operator saw in each picker: its title and, per row, the
    // first two columns (or the text shown instead of rows).
    struct TSeen {
        QString title;
        QStringList first, second;
        QString emptyText;
    };
    // The next pickers are looked at, then `pick` rows are ticked and OK
    // clicked (none: cancelled).
    void Expect(const QStringList& pick = {}) {
        inWindow = [this, pick](QDialog& w) {
            TSeen s{w.windowTitle(), {}, {}, {}};
            auto* empty = w.findChild<QLabel*>(QStringLiteral("lblVazio"));
            if (empty && empty->isVisible()) {
                s.emptyText = empty->text();
            } else {
                s.first = Column(w, 0);
                s.second = Column(w, 1);
            }
            seen.push_back(s);
            if (pick.isEmpty())
                Click(w, "btnCancelar");
            else
                Pick(w, pick);
        };
    }

    // Pick-list helpers: rows shown, ticking by a text shown in the row, OK.
    static QTableView* Grid(QDialog& window) {
        return window.findChild<QTableView*>(QStringLiteral("grdLista"));
    }
    static QStringList Column(QDialog& window, int column) {
        QStringList out;
        QAbstractItemModel* m = Grid(window)->model();
        for (int r = 0; r < m->rowCount(); ++r)
            out << m->index(r, column).data().toString();
        return out;
    }
    static void Tick(QDialog& window, const QString& shown) {
        QAbstractItemModel* m = Grid(window)->model();
        for (int r = 0; r < m->rowCount(); ++r)
            for (int c = 0; c < m->columnCount(); ++c)
                if (m->index(r, c).data().toString() == shown) {
                    Grid(window)->setCurrentIndex(m->index(r, 0));
                    QTest::keyClick(Grid(window), Qt::Key_Space);
                    return;
                }
        ADD_FAILURE() << "no row shows " << shown.toStdString();
    }
    static void Pick(QDialog& window, const QStringList& shown) {
        for (const QString& s : shown)
            Tick(window, s);
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("btnOK")), Qt::LeftButton);
    }

    std::unique_ptr<TFiltroTestDb> db;
    std::vector<TSeen> seen;
};

} // namespace

TEST_F(FiltroFechaOrcaPickers, PickedSellersGoToTheirListAndASecondSearchReusesTheRows) {
    Expect({"Ana", "Carla"});
    Open([this](TfrmFiltroFechaOrca& f) {
        Type(f.edtTitulo, QStringLiteral("Formatura"));
        Click(f.rbtLVendedor);
        Click(f.sbtVendedor);
        EXPECT_EQ(stVendedor, QStringLiteral("0001_0009"));
        EXPECT_TRUE(f.rbtLVendedor->isChecked());
        EXPECT_EQ(f.edtTitulo->text(), QStringLiteral("Formatura"));

        db->Exec(
            QStringLiteral("INSERT INTO VENDEDOR (CDVENDEDOR, NMFANVEN) VALUES ('0003', 'Davi')"));
        Expect();
        Click(f.sbtVendedor);
        EXPECT_EQ(stVendedor, QStringLiteral("0001_0009")); // cancelled
        Click(f, "sbtConfirma");
    });
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, QStringLiteral("Vendedor"));
    EXPECT_EQ(seen[0].first, (QStringList{"0001", "0002", "0009"}));
    EXPECT_EQ(seen[1].first, seen[0].first);
    EXPECT_EQ(Filtro.CdVend, (TVendedor{false, "0001_0009"}));
}

TEST_F(FiltroFechaOrcaPickers, CustomersShowTheirRegistrationByKindAndOnlyWithAMainAddress) {
    Expect({"Maria"});
    Open([this](TfrmFiltroFechaOrca& f) {
        Click(f.rbtLCliente);
        Click(f.sbtCliente);
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_EQ(seen[0].title, QStringLiteral("Cliente"));
        EXPECT_EQ(seen[0].first, (QStringList{"12.345.678/0001-99", "123.456.789-01"}));
        EXPECT_EQ(seen[0].second, (QStringList{"Festas", "Maria"}));
        EXPECT_EQ(stCliente, QStringLiteral("F12345678901"));
    });
}

TEST_F(FiltroFechaOrcaPickers, EmptySellerCustomerOrServiceListsAreToldBeforeAnyPicker) {
    db->Exec(
        QStringLiteral("DELETE FROM CLIENTE; DELETE FROM VENDEDOR; DELETE FROM TIPOSERVEVEN;"));
    Filtro.CdVend = {false, QStringLiteral("0001")};
    Filtro.CdClie = {false, QStringLiteral("F1")};
    Filtro.CdServ = {false, QStringLiteral("BUF")};
    Open([this](TfrmFiltroFechaOrca& f) {
        const std::vector<std::tuple<QToolButton*, QString, QWidget*>> cases{
            {f.sbtVendedor, "Não há vendedor cadastrado.", f.rbtLVendedor},
            {f.sbtCliente, "Não há cliente cadastrado.", f.rbtLCliente},
            // The service types send the operator to "Todos".
            {f.sbtFiliDest, "Não há tipo de serviço cadastrado.", f.rbtTTipoServ}};
        for (const auto& [button, text, focus] : cases) {
            dialogs.Clear();
            FocusOn(f.edtTitulo);
            Click(button);
            EXPECT_EQ(dialogs.Texts(TKind::Error), QStringList{text});
            EXPECT_EQ(QApplication::focusWidget(), focus);
        }
        EXPECT_EQ((QStringList{stVendedor, stCliente, stTipoServ}),
                  (QStringList{"0001", "F1", "BUF"}));
    });
    EXPECT_TRUE(seen.empty());
}

TEST_F(FiltroFechaOrcaPickers, EventTypesOpenEvenWhenNoneAndADatabaseErrorKeepsTheList) {
    Filtro.CdEven = {false, QString()};
    const auto search = [this](const QStringList& pick) {
        Expect(pick);
        Open([](TfrmFiltroFechaOrca& f) { Click(f.sbtTipoEven); });
        EXPECT_TRUE(QTest::qWaitFor([] { return frmFiltroFechaOrca == nullptr; }, 5000));
    };
    search({"Formatura"});
    EXPECT_EQ(stTipoEven, QStringLiteral("FOR"));
    db->Exec(QStringLiteral("DELETE FROM TIPOEVENTO"));
    search({});
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].title, QStringLiteral("Tipo de Evento"));
    EXPECT_EQ(seen[0].first, (QStringList{"CAS", "FOR"}));
    EXPECT_EQ(seen[1].title, QStringLiteral("Tipo de Evento"));
    EXPECT_EQ(seen[1].emptyText, QStringLiteral("Não há tipo de evento cadastrado."));
    EXPECT_TRUE(dialogs.Texts().isEmpty());

    Filtro.CdEven = {false, QStringLiteral("CAS")};
    db->Exec(QStringLiteral("DROP TABLE TIPOEVENTO"));
    search({});
    EXPECT_EQ(seen.size(), 2u);
    EXPECT_EQ(dialogs.Texts(TKind::Error).size(), 1);
    EXPECT_EQ(stTipoEven, QStringLiteral("CAS"));
}

TEST_F(FiltroFechaOrcaPickers, ProductsAndLabourAreSeparateListsOfTheScreensBranch) {
    Open([this](TfrmFiltroFechaOrca& f) {
        Click(f.rbtLProduto);
        Click(f.rbtLMaoObra);
        Expect({"Suco de Uva"});
        Click(f.sbtProduto);
        Expect({"Garçom"});
        Click(f.sbtMaoObra);
        EXPECT_EQ(stProduto, QStringLiteral("12"));
        EXPECT_EQ(stMaoObra, QStringLiteral("21"));

        // Read again for the branch the screen holds now.
        screen->medCdFilial->SetText(QStringLiteral("0002"));
        Expect();
        Click(f.sbtProduto);
        screen->medCdFilial->SetText(QStringLiteral("0003"));
        Click(f.sbtMaoObra);
        EXPECT_EQ(stProduto, QStringLiteral("12"));
        EXPECT_EQ(stMaoObra, QStringLiteral("21"));
        Click(f, "sbtConfirma");
    });
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].title, QStringLiteral("Produto"));
    EXPECT_EQ(seen[0].first, (QStringList{"1.01.001", "1.01.002", "2.01.001"}));
    EXPECT_EQ(seen[0].second, (QStringList{"Suco de Laranja", "Suco de Uva", "Garçom"}));
    EXPECT_EQ(seen[1].first, seen[0].first);
    EXPECT_EQ(seen[2].first, QStringList{"1.01.002"});
    EXPECT_EQ(seen[3].title, QStringLiteral("Produto"));
    EXPECT_EQ(seen[3].emptyText, QStringLiteral("Não há produto cadastrado para a filial 0003."));
    EXPECT_EQ(Filtro.CdProd, (TProduto{false, "12"}));
    EXPECT_EQ(Filtro.CdObra, (TMaoObra{false, "21"}));
}

TEST_F(FiltroFechaOrcaPickers, F9OnAListaRadioSearchesWhateverModifiersAreHeld) {
    Expect();
    Open([this](TfrmFiltroFechaOrca& f) {
        Click(f.rbtLTipoEven);
        for (Qt::KeyboardModifiers held :
             {Qt::KeyboardModifiers(), Qt::KeyboardModifiers(Qt::ShiftModifier),
              Qt::KeyboardModifiers(Qt::ControlModifier)})
            QTest::keyClick(f.rbtLTipoEven, Qt::Key_F9, held);
        EXPECT_EQ(seen.size(), 3u);
        QTest::keyClick(f.rbtTTipoEven, Qt::Key_F9);
        QTest::keyClick(f.rbtLTipoEven, Qt::Key_F8);
        EXPECT_EQ(seen.size(), 3u);
        Click(f.rbtLVendedor);
        QTest::keyClick(f.rbtLVendedor, Qt::Key_F9);
    });
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[0].title, QStringLiteral("Tipo de Evento"));
    EXPECT_EQ(seen[3].title, QStringLiteral("Vendedor"));
}

TEST_F(FiltroFechaOrcaPickers, AManagerIsPickedFromTheServersListWithCodeAndName) {
    Filtro.CdGerenteSup = QStringLiteral("0009");
    Filtro.NmGerenteSup = QStringLiteral("Carla");
    QString title;
    inWindow = [&](QDialog& w) {
        title = w.windowTitle();
        auto* search = w.findChild<QLineEdit*>(QStringLiteral("edtPesquisa"));
        QTest::keyClicks(search, "davi");
        QTest::keyClick(search, Qt::Key_Return);
    };
    Open([this](TfrmFiltroFechaOrca& f) {
        server.Reply(QStringLiteral("GetGerenteSup"), Managers({}));
        Click(f.btnGerenteSup);
        EXPECT_EQ(dialogs.Texts(TKind::Error),
                  QStringList{"Não há vendedor cadastrado como gerente ou supervisor."});
        server.Refuse(QStringLiteral("GetGerenteSup"), QStringLiteral("Operador sem acesso."));
        QTest::keyClick(f.edtCdVendedor, Qt::Key_F9);
        EXPECT_EQ(dialogs.Texts(TKind::Error).last(), QStringLiteral("Operador sem acesso."));
        EXPECT_EQ(f.edtNmVendedor->text(), QStringLiteral("Carla")); // as it was

        server.Reply(QStringLiteral("GetGerenteSup"),
                     Managers({{"0009", "Carla"}, {"0010", "Davi"}}));
        Click(f.btnGerenteSup);
        EXPECT_EQ(f.edtCdVendedor->text(), QStringLiteral("0010"));
        EXPECT_EQ(f.edtNmVendedor->text(), QStringLiteral("Davi"));
    });
    EXPECT_EQ(title, QStringLiteral("Gerente/Supervisor"));
    const auto calls = server.CallsOf(QStringLiteral("GetGerenteSup"));
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls.back().args, QVariantList{QStringLiteral("")});
}

TEST_F(FiltroFechaOrcaPickers, EveryPickerAndTheManagerLookupShowTheirTextsWhole) {
    server.Reply(QStringLiteral("GetGerenteSup"),
                 Managers({{"0009", "Carla Mendes"}, {"0010", "Davi"}}));
    std::vector<std::pair<QString, QStringList>> cut; // per window: its title, the texts cut
    inWindow = [&](QDialog& w) {
        cut.emplace_back(w.windowTitle(), CutTexts(*w.findChild<QTableView*>()));
        Click(w, "btnCancelar");
    };
    Open([](TfrmFiltroFechaOrca& f) {
        for (QRadioButton* lista : {f.rbtLVendedor, f.rbtLCliente, f.rbtLTipoServ, f.rbtLTipoEven,
                                    f.rbtLProduto, f.rbtLMaoObra}) {
            Click(lista);
            QTest::keyClick(lista, Qt::Key_F9);
        }
        Click(f.btnGerenteSup);
    });
    ASSERT_EQ(cut.size(), 7u);
    for (const auto& [title, texts] : cut)
        EXPECT_EQ(texts, QStringList()) << title.toStdString();
}
