#pragma once

#include "framework/services/Dialogs.h"
#include "tests/support/QtPrinters.h"

#include <QString>
#include <QStringList>

#include <deque>
#include <functional>
#include <vector>

// Records every box the code under test shows, answers yes/no questions from
// a script, and installs itself for its lifetime. A question without a
// scripted answer fails the test and answers "Não".
class TFakeDialogs : public TDialogs {
public:
    enum class TKind { Error, Information, Warning, YesNo };
    struct TShown {
        TKind kind;
        QString text;
    };

    TFakeDialogs();
    ~TFakeDialogs() override;

    void Error(const QString& text) override { Record(TKind::Error, text); }
    void Information(const QString& text) override { Record(TKind::Information, text); }
    void Warning(const QString& text) override { Record(TKind::Warning, text); }
    bool YesNo(const QString& text) override;

    // Answers for the next questions, in order.
    void Answer(bool yes) { m_answers.push_back(yes); }

    const std::vector<TShown>& Shown() const { return m_shown; }
    // The texts shown, in order, whatever their kind.
    QStringList Texts() const;
    // The texts of one kind.
    QStringList Texts(TKind kind) const;
    void Clear() { m_shown.clear(); }

    // Runs when a box is shown, with the box already recorded: what the
    // operator does while it is up (e.g. look at the focus).
    std::function<void(const TShown&)> OnShow;

private:
    void Record(TKind kind, const QString& text);

    std::vector<TShown> m_shown;
    std::deque<bool> m_answers;
};
