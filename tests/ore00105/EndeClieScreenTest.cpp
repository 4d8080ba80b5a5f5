#include "tests/ore00105/EndeClieTestUtil.h"

#include "framework/widgets/MaskEdit.h"

#include <QLineEdit>

namespace {

// What the operator enters for a new individual client, all of it.
void FillIndividual(QDialog& w) {
    Click(w, "rbtFisica");
    Type(w, "medNrInscricao", QStringLiteral("52998224725"));
    Type(w, "edtNmFantasia", QStringLiteral("Ana Festas"));
    Type(w, "edtNmRazaoSocial", QStringLiteral("Ana Maria Souza"));
    Choose(w, "cmbPais", QStringLiteral("B"), QStringLiteral("Brasil"));
    Choose(w, "cmbEstado", QStringLiteral("S"), QStringLiteral("São Paulo"));
    Choose(w, "cmbMunicipio", QStringLiteral("Sa"), QStringLiteral("Santos"));
    Type(w, "edtEndereco", QStringLiteral("Rua das Flores, 10"));
    Type(w, "edtCep", QStringLiteral("11010-000"));
    TypeCell(w, 0, 0, QStringLiteral("Carla"));
    TypeCell(w, 0, 2, QStringLiteral("13 3222-0000"));
}

TEST_F(EndeClieTest, ConfirmWritesOneRowOfTheBudgetAndItsContactsAsPendingChanges) {
    AddRow(cdsEndeNovoClie, QStringLiteral("0000000002"), {{"NRINSJURORCA", "11222333000181"}});
    AddRow(cdsInteclieOrev, QStringLiteral("0000000002"), {{"NMINTECLIEOREV", "Davi"}});

    EXPECT_EQ(Open(Params(),
                   [](QDialog& w) {
                       FillIndividual(w);
                       Shot(w, "ore00105.png");
                       Click(w, "btnConfirmar");
                   }),
              "");
    EXPECT_EQ(dialogs.Texts(), QStringList());
    EXPECT_EQ(cdsEndeNovoClie.ChangeCount(), 2);
    EXPECT_EQ(Column(cdsEndeNovoClie, "NRORCAEVENTO"), QStringList({"0000000002", "0000000001"}));
    EXPECT_EQ(Column(cdsEndeNovoClie, "NRINSJURORCA"),
              QStringList({"11222333000181", "52998224725"}));
    // The closing reads the row it is left on.
    const auto field = [this](const char* name) {
        return cdsEndeNovoClie.FieldByName(QString::fromLatin1(name)).AsString();
    };
    const QStringList written = {
        field("CDFILIAL"),     field("NRSEQORCAEVE"), field("IDTPINJUORCA"), field("NMFANTCLIE"),
        field("NMRAZSOCCLIE"), field("CDPAIS"),       field("SGESTADO"),     field("CDMUNICIPIO"),
        field("NMMUNICIPIO"),  field("DSENDECLIORE"), field("NRCEPCLIEORE")};
    EXPECT_EQ(written, QStringList({"0001", "00", "F", "Ana Festas", "Ana Maria Souza", "1058",
                                    "SP", "0002", "Santos", "Rua das Flores, 10", "11010-000"}));
    EXPECT_EQ(Column(cdsInteclieOrev, "NRORCAEVENTO"), QStringList({"0000000002", "0000000001"}));
    EXPECT_EQ(Column(cdsInteclieOrev, "NMINTECLIEOREV"), QStringList({"Davi", "Carla"}));
    EXPECT_EQ(Column(cdsInteclieOrev, "NRTEL1INCLOREV"), QStringList({"", "13 3222-0000"}));
    EXPECT_EQ(Column(cdsInteclieOrev, "CDINTECLIEOREV"), QStringList({"", "01"}));
}

TEST_F(EndeClieTest, ReopeningShowsTheRowAndConfirmingAgainReplacesIt) {
    Open(Params(), [](QDialog& w) {
        FillIndividual(w);
        Click(w, "btnConfirmar");
    });
    Open(Params(), [](QDialog& w) {
        EXPECT_EQ(Find<TMaskEdit>(w, "medNrInscricao")->Text(), "52998224725");
        EXPECT_EQ(Find<QLineEdit>(w, "edtNmFantasia")->text(), "Ana Festas");
        EXPECT_EQ(Find<QComboBox>(w, "cmbMunicipio")->currentText(), "Santos");
        EXPECT_EQ(Find<QTableWidget>(w, "grdContatos")->item(0, 0)->text(), "Carla");
        Click(w, "rbtJuridica");
        Type(w, "medNrInscricao", QStringLiteral("11222333000181"));
        Type(w, "edtNmFantasia", QStringLiteral("Festas Ana"));
        Click(w, "btnConfirmar");
    });
    EXPECT_EQ(dialogs.Texts(), QStringList());
    EXPECT_EQ(Column(cdsEndeNovoClie, "NRINSJURORCA"), QStringList({"11222333000181"}));
    EXPECT_EQ(Column(cdsEndeNovoClie, "IDTPINJUORCA"), QStringList({"J"}));
    EXPECT_EQ(Column(cdsEndeNovoClie, "NMFANTCLIE"), QStringList({"Festas Ana"}));
    EXPECT_EQ(cdsEndeNovoClie.ChangeCount(), 1);
    EXPECT_EQ(Column(cdsInteclieOrev, "NMINTECLIEOREV"), QStringList({"Carla"}));
}

TEST_F(EndeClieTest, CancellingLeavesBothRecordSetsAsTheyWere) {
    AddRow(cdsEndeNovoClie, QStringLiteral("0000000001"),
           {{"IDTPINJUORCA", "F"}, {"NRINSJURORCA", "52998224725"}, {"NMFANTCLIE", "Ana"}});
    AddRow(cdsInteclieOrev, QStringLiteral("0000000001"), {{"NMINTECLIEOREV", "Carla"}});
    const auto cancels = {
        std::function<void(QDialog&)>([](QDialog& w) { Click(w, "btnCancelar"); }),
        std::function<void(QDialog&)>([](QDialog& w) { QTest::keyClick(&w, Qt::Key_Escape); }),
        std::function<void(QDialog&)>([](QDialog& w) { w.close(); }),
    };
    for (const auto& cancel : cancels) {
        Open(Params(), [&](QDialog& w) {
            Type(w, "edtNmFantasia", QStringLiteral("Outro nome"));
            TypeCell(w, 0, 0, QStringLiteral("Outro contato"));
            cancel(w);
            EXPECT_FALSE(w.isVisible());
        });
        EXPECT_EQ(Column(cdsEndeNovoClie, "NMFANTCLIE"), QStringList({"Ana"}));
        EXPECT_EQ(Column(cdsInteclieOrev, "NMINTECLIEOREV"), QStringList({"Carla"}));
        EXPECT_EQ(cdsEndeNovoClie.ChangeCount() + cdsInteclieOrev.ChangeCount(), 2);
    }
}

TEST_F(EndeClieTest, ConfirmRefusesWhatIsMissingOrWrongAndWritesNothing) {
    const struct {
        const char* what;
        std::function<void(QDialog&)> change;
        QString refusal;
        const char* focus;
    } cases[] = {
        {"no kind", [](QDialog& w) { Type(w, "edtNmFantasia", QStringLiteral("Ana")); },
         QStringLiteral("Informe o tipo de inscrição do cliente: pessoa física ou jurídica."),
         "rbtFisica"},
        {"bad check digit",
         [](QDialog& w) {
             FillIndividual(w);
             Type(w, "medNrInscricao", QStringLiteral("52998224726"));
         },
         QStringLiteral("O número informado não é um CPF válido."), "medNrInscricao"},
        {"an individual's number as a company",
         [](QDialog& w) {
             FillIndividual(w);
             Click(w, "rbtJuridica");
         },
         QStringLiteral("O número informado não é um CNPJ válido."), "medNrInscricao"},
        {"no trade name",
         [](QDialog& w) {
             FillIndividual(w);
             Type(w, "edtNmFantasia", QString());
         },
         QStringLiteral("Informe o nome fantasia do cliente."), "edtNmFantasia"},
        {"street without place",
         [](QDialog& w) {
             FillIndividual(w);
             auto* pais = Find<QComboBox>(w, "cmbPais");
             pais->setFocus();
             QTest::keyClick(pais, Qt::Key_Home);
         },
         QStringLiteral("Para cadastrar o endereço principal, informe também o país, o estado e "
                        "o município."),
         "cmbPais"},
        {"place without street",
         [](QDialog& w) {
             FillIndividual(w);
             Type(w, "edtEndereco", QString());
         },
         QStringLiteral("Para cadastrar o endereço principal, informe também o logradouro."),
         "edtEndereco"},
        {"contact without name",
         [](QDialog& w) {
             FillIndividual(w);
             Click(w, "btnIncluirContato");
             TypeCell(w, 1, 2, QStringLiteral("9999-0000"));
         },
         QStringLiteral("Informe o nome de cada contato."), "grdContatos"},
    };
    for (const auto& c : cases) {
        dialogs.Clear();
        Open(Params(), [&](QDialog& w) {
            c.change(w);
            Click(w, "btnConfirmar");
            EXPECT_TRUE(w.isVisible()) << c.what;
            EXPECT_EQ(QApplication::focusWidget(), Find<QWidget>(w, c.focus)) << c.what;
        });
        EXPECT_EQ(dialogs.Texts(), QStringList({c.refusal})) << c.what;
        EXPECT_EQ(cdsEndeNovoClie.RecordCount() + cdsInteclieOrev.RecordCount(), 0) << c.what;
    }
}

} // namespace
