#pragma once

#include "framework/forms/ModalForm.h"
#include "framework/services/NameValueList.h"

#include <QStringList>

#include <utility>

class QLabel;
class QToolButton;
class QVBoxLayout;
class TMessages;

// The base filter dialog: a screen's filter controls go in `panFiltro` (the
// derived dialog gives it a layout), the side panel `panBotoes` has the tool
// buttons, and each button runs its virtual handler through Dispatch. The
// controls' values and `stlVariaveis` are what option sets save and load,
// under the screen code shown in `lblCodTela` and the session's operator.
//
// FormCreate is virtual, so it cannot run from the constructor: Create<T>
// builds the dialog and runs it, and ShowModal runs it first if nobody has.
// FormClose runs whenever the dialog closes (confirm, cancel, Escape).
class TfrmFiltroPadrao : public TModalForm {
    Q_OBJECT
public:
    explicit TfrmFiltroPadrao(QWidget* parent = nullptr);
    ~TfrmFiltroPadrao() override;

    template <class T, class... Args> static T* Create(Args&&... args) {
        auto* form = new T(std::forward<Args>(args)...);
        form->RunFormCreate();
        return form;
    }

    int ShowModal() override;
    // Runs FormClose, then closes.
    void done(int result) override;

    // Name=value variables the filter keeps besides its controls (lists picked, codes).
    TNameValueList stlVariaveis;

protected:
    virtual void FormCreate();
    virtual void FormClose() {}
    virtual void sbtConfirmaClick();
    virtual void sbtCancelClick();
    virtual void sbtLimpaClick();
    virtual void sbtHelpClick();
    virtual void btfSaveOpcClick();
    virtual void btfLoadOpcClick();

    void showEvent(QShowEvent* event) override;

    // What btfLoadOpcClick does: the operator picks a set, which restores the
    // controls and stlVariaveis. False when none was loaded (none saved, or
    // the window cancelled), so that an extension leaves its state alone.
    bool LoadOptionSet();

    // The screen code option sets are kept under.
    QString CodTela() const;

    QWidget* panFiltro;
    QWidget* panBotoes;
    QToolButton* sbtConfirma;
    QToolButton* sbtCancel;
    QToolButton* sbtLimpa;
    QToolButton* sbtHelp;
    QToolButton* btfSaveOpc;
    QToolButton* btfLoadOpc;
    QLabel* lblCodTela;
    TMessages* msgPadrao;

private:
    void RunFormCreate();
    QToolButton* AddButton(QVBoxLayout* layout, const QString& name, int icon, const QString& hint,
                           void (TfrmFiltroPadrao::*handler)());
    void CenterOnScreen();

    bool m_created = false;
    bool m_centered = false;
    QStringList m_createValues; // what Desfazer puts back
};
