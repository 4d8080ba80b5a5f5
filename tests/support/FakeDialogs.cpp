#include "tests/support/FakeDialogs.h"

#include <gtest/gtest.h>

TFakeDialogs::TFakeDialogs() {
    TDialogs::Install(this);
}

TFakeDialogs::~TFakeDialogs() {
    TDialogs::Install(nullptr);
}

bool TFakeDialogs::YesNo(const QString& text) {
    Record(TKind::YesNo, text);
    if (m_answers.empty()) {
        ADD_FAILURE() << "unexpected question: " << text.toStdString();
        return false;
    }
    const bool yes = m_answers.front();
    m_answers.pop_front();
    return yes;
}

QStringList TFakeDialogs::Texts() const {
    QStringList out;
    for (const auto& s : m_shown)
        out << s.text;
    return out;
}

QStringList TFakeDialogs::Texts(TKind kind) const {
    QStringList out;
    for (const auto& s : m_shown)
        if (s.kind == kind)
            out << s.text;
    return out;
}

void TFakeDialogs::Record(TKind kind, const QString& text) {
    m_shown.push_back({kind, text});
    if (OnShow)
        OnShow(m_shown.back());
}
