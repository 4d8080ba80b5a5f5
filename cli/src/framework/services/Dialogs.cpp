#include "framework/services/Dialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

TDialogs* g_installed = nullptr;

QWidget* Parent() {
    return QApplication::activeWindow();
}

void Show(QMessageBox::Icon icon, const QString& title, const QString& text) {
    QMessageBox box(icon, title, text, QMessageBox::Ok, Parent());
    box.setObjectName(QStringLiteral("msgBox"));
    box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
    box.exec();
}

} // namespace

TDialogs::~TDialogs() = default;

TDialogs& TDialogs::Current() {
    static TMessageBoxDialogs boxes;
    return g_installed ? *g_installed : boxes;
}

void TDialogs::Install(TDialogs* dialogs) {
    g_installed = dialogs;
}

void TMessageBoxDialogs::Error(const QString& text) {
    Show(QMessageBox::Critical, QStringLiteral("Erro"), text);
}

void TMessageBoxDialogs::Information(const QString& text) {
    Show(QMessageBox::Information, QStringLiteral("Informação"), text);
}

void TMessageBoxDialogs::Warning(const QString& text) {
    Show(QMessageBox::Warning, QStringLiteral("Atenção"), text);
}

bool TMessageBoxDialogs::YesNo(const QString& text) {
    QMessageBox box(QMessageBox::Question, QStringLiteral("Confirmação"), text,
                    QMessageBox::Yes | QMessageBox::No, Parent());
    box.setObjectName(QStringLiteral("msgBox"));
    box.button(QMessageBox::Yes)->setText(QStringLiteral("&Sim"));
    box.button(QMessageBox::No)->setText(QStringLiteral("&Não"));
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}
