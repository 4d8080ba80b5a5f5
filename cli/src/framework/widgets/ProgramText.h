#pragma once

#include <QString>

class QLineEdit;

// The text a program puts in a line edit, put again only when the edit would
// show something else. QLineEdit::setText lays the text out and shapes it
// even when it is the same, and a screen moving through a list puts the same
// date, code or zero in its boxes on most moves.
class TProgramText {
public:
    // As edit.setText(text), unless the edit still shows what it showed after
    // the last Put of this same text, with nobody typing in it since.
    void Put(QLineEdit& edit, const QString& text);
    // Forgets the last Put: the edit's mask or format changed what it shows.
    void Forget() { m_held = false; }

private:
    bool m_held = false;
    QString m_put;
    QString m_shown;
};
