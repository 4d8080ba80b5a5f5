// A screen module for the loader's tests, built under two codes. It has the
// entry points of a LoadBPL screen but no IniProc, and writes what ran to the
// application's "moduleEvents" property, where the tests read it.

#include <QCoreApplication>
#include <QStringList>
#include <QVariant>

namespace {

void Record(const QString& event) {
    QStringList events = qApp->property("moduleEvents").toStringList();
    events << event + QStringLiteral(" ") + QStringLiteral(ORE_TEST_MODULE_CODE).toUpper();
    qApp->setProperty("moduleEvents", events);
}

} // namespace

extern "C" {

void Initialize() {
    Record(QStringLiteral("Initialize"));
}

void Finalize() {
    Record(QStringLiteral("Finalize"));
}

void LoadScreen(const char* code, const QVariantList* params) {
    QStringList texts;
    for (const QVariant& p : *params)
        texts << p.toString();
    Record(QStringLiteral("LoadScreen(%1: %2)").arg(QString::fromUtf8(code), texts.join(u',')));
}
}
