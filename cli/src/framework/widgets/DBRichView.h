#pragma once

#include "framework/widgets/FieldBinding.h"
#include <QTextBrowser>

// A read-only view of a memo field kept as RTF: shows the formatted text;
// a value that is not RTF is shown as plain text.
class TDBRichView : public QTextBrowser, public TFieldBinding {
    Q_OBJECT
public:
    explicit TDBRichView(QWidget* parent = nullptr);

private:
    void ShowField();
};
