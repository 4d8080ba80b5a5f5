// A screen module for the loader's tests, built under several codes. It has
// the entry points of a LoadBPL screen but no IniProc, and writes what ran to
// the application's "moduleEvents" property, where the tests read it.
//
// The broken variants (ORE_TEST_MODULE_BROKEN) also record their loading,
// and each has one fault, chosen by a definition: a missing Initialize or
// Finalize, an Initialize or Finalize that throws, a call to a function that
// no library defines.

#include "core/data/Exceptions.h"

#include <QCoreApplication>
#include <QStringList>
#include <QVariant>

#include <stdexcept>

namespace {

void Record(const QString& event) {
    QStringList events = qApp->property("moduleEvents").toStringList();
    events << event + QStringLiteral(" ") + QStringLiteral(ORE_TEST_MODULE_CODE).toUpper();
    qApp->setProperty("moduleEvents", events);
}

#ifdef ORE_TEST_MODULE_BROKEN
// Runs when the library is mapped: a second record means it was loaded again.
struct TLoadRecorder {
    TLoadRecorder() { Record(QStringLiteral("Load")); }
} g_loadRecorder;
#endif

} // namespace

#ifdef ORE_TEST_UNDEFINED_SYMBOL
extern "C" void OreTestUndefinedSymbol();
#endif

extern "C" {

#ifndef ORE_TEST_NO_INITIALIZE
void Initialize() {
    Record(QStringLiteral("Initialize"));
#if defined(ORE_TEST_INITIALIZE_THROWS)
    throw Exception(QStringLiteral("Tabela PARAMETRO não encontrada."));
#elif defined(ORE_TEST_INITIALIZE_THROWS_FOREIGN)
    throw std::runtime_error("out of handles");
#elif defined(ORE_TEST_UNDEFINED_SYMBOL)
    OreTestUndefinedSymbol();
#endif
}
#endif

#ifndef ORE_TEST_NO_FINALIZE
void Finalize() {
    Record(QStringLiteral("Finalize"));
#ifdef ORE_TEST_FINALIZE_THROWS
    throw Exception(QStringLiteral("Janela ainda aberta."));
#endif
}
#endif

void LoadScreen(const char* code, const QVariantList* params) {
    QStringList texts;
    for (const QVariant& p : *params)
        texts << p.toString();
    Record(QStringLiteral("LoadScreen(%1: %2)").arg(QString::fromUtf8(code), texts.join(u',')));
}
}
