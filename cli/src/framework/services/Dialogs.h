#pragma once

#include <QString>

class QWidget;

// The boxes that tell the operator something or ask a question. Everything
// that shows one goes through the current service, so that tests replace it
// with a recording fake and never block on a real modal box.
class TDialogs {
public:
    virtual ~TDialogs();

    virtual void Error(const QString& text) = 0;
    virtual void Information(const QString& text) = 0;
    virtual void Warning(const QString& text) = 0;
    // True when the operator answers "Sim".
    virtual bool YesNo(const QString& text) = 0;

    // The current service: message boxes unless a test installed another.
    static TDialogs& Current();
    // Installs `dialogs` (not owned); null restores the message boxes.
    static void Install(TDialogs* dialogs);
};

// The product's boxes: QMessageBox with exactly the given text, over the
// active window, with Portuguese buttons.
class TMessageBoxDialogs : public TDialogs {
public:
    void Error(const QString& text) override;
    void Information(const QString& text) override;
    void Warning(const QString& text) override;
    bool YesNo(const QString& text) override;
};
