// What a filter dialog keeps in an option set: its controls' values and its
// name=value variables.

#include "framework/forms/ControlValues.h"
#include "framework/services/NameValueList.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

TEST(NameValueList, EmptyValuesRemoveEntriesAndMissingOnesReadEmpty) {
    TNameValueList list;
    list.SetValue(QStringLiteral("stCliente"), QStringLiteral("F1_J2"));
    list.SetValue(QStringLiteral("stVendedor"), QStringLiteral("0001=x"));
    list.SetValue(QStringLiteral("STCLIENTE"), QStringLiteral("F3"));
    EXPECT_EQ(list.Lines(), (QStringList{"stCliente=F3", "stVendedor=0001=x"}));
    EXPECT_EQ(list.Value(QStringLiteral("stvendedor")), QStringLiteral("0001=x"));
    list.SetValue(QStringLiteral("stCliente"), QString());
    EXPECT_EQ(list.Lines(), QStringList{"stVendedor=0001=x"});
    EXPECT_TRUE(list.Value(QStringLiteral("stProduto")).isEmpty());
    list.SetValue(QStringLiteral("stProduto"), QString()); // removing nothing is fine
    EXPECT_EQ(list.Count(), 1);
}

TEST(ControlValues, RoundTripEditsChecksAndRadiosByName) {
    QWidget dialog;
    auto* layout = new QVBoxLayout(&dialog);
    auto* box = new QGroupBox(&dialog);
    auto* boxLayout = new QVBoxLayout(box);
    auto* todos = new QRadioButton(box);
    todos->setObjectName("rbtTVendedor");
    auto* lista = new QRadioButton(box);
    lista->setObjectName("rbtLVendedor");
    boxLayout->addWidget(todos);
    boxLayout->addWidget(lista);
    auto* edit = new QLineEdit(&dialog);
    edit->setObjectName("edtTitulo");
    auto* check = new QCheckBox(&dialog);
    check->setObjectName("chbFechado");
    auto* unnamed = new QLineEdit(&dialog);
    for (QWidget* w : {static_cast<QWidget*>(box), static_cast<QWidget*>(edit),
                       static_cast<QWidget*>(check), static_cast<QWidget*>(unnamed)})
        layout->addWidget(w);

    todos->setChecked(true);
    edit->setText(QStringLiteral("Formatura = 2026"));
    check->setChecked(true);
    unnamed->setText("x");
    const QStringList saved = CaptureControls(&dialog);
    EXPECT_EQ(saved, (QStringList{"rbtTVendedor=1", "rbtLVendedor=0", "edtTitulo=Formatura = 2026",
                                  "chbFechado=1"}));

    lista->setChecked(true);
    edit->clear();
    check->setChecked(false);
    RestoreControls(&dialog, saved + QStringList{"semControle=1", "chbFechado"});
    EXPECT_TRUE(todos->isChecked());
    EXPECT_FALSE(lista->isChecked());
    EXPECT_EQ(edit->text(), QStringLiteral("Formatura = 2026"));
    EXPECT_TRUE(check->isChecked());
}
