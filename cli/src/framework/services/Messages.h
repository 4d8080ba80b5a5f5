#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

// A screen's message catalogue (`msgPadrao`): lines "KEY|text", so that the
// texts the operator reads live in one place and rules refer to them by key.
//
// Msg(key) answers the text after the first bar of the first line whose key
// is exactly `key` (case and blanks count). The text is kept byte for byte:
// further bars, doubled or trailing blanks and all. Lines without a bar are
// no entry. A key that no line has answers "Mensagem não cadastrada: KEY",
// so that a missing entry shows up to the operator instead of an empty box.
class TMessages : public QObject {
    Q_OBJECT
public:
    explicit TMessages(QObject* parent = nullptr) : QObject(parent) {}

    const QStringList& Lines() const { return m_lines; }
    void SetLines(const QStringList& lines) { m_lines = lines; }

    QString Msg(const QString& key) const;

private:
    QStringList m_lines;
};
