#pragma once

#include "core/data/DataSource.h"

#include <QFlags>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <map>

class QToolButton;

enum class TNavigateBtn {
    First = 0x001,
    Prior = 0x002,
    Next = 0x004,
    Last = 0x008,
    Insert = 0x010,
    Delete = 0x020,
    Edit = 0x040,
    Post = 0x080,
    Cancel = 0x100,
    Refresh = 0x200,
};
Q_DECLARE_FLAGS(TNavButtons, TNavigateBtn)
Q_DECLARE_OPERATORS_FOR_FLAGS(TNavButtons)

// A row of tool buttons that move and edit the data set of a data source.
// A button is enabled when its operation makes sense in the data set's
// state; clicking runs the operation through Dispatch. The buttons take no
// focus, so clicking one does not take the focus from the control in edition.
class TDBNavigator : public QWidget {
    Q_OBJECT
public:
    explicit TDBNavigator(QWidget* parent = nullptr);

    TDataSource* DataSource() const { return m_source; }
    void SetDataSource(TDataSource* source);

    TNavButtons VisibleButtons() const { return m_visible; }
    void SetVisibleButtons(TNavButtons buttons);

    // Delete asks first (default true).
    bool ConfirmDelete() const { return m_confirmDelete; }
    void SetConfirmDelete(bool confirm) { m_confirmDelete = confirm; }

    QToolButton* Button(TNavigateBtn button) const { return m_buttons.at(button); }

    // What a click on `button` does, handlers included.
    void BtnClick(TNavigateBtn button);

    // Before the operation; an abort skips it.
    std::function<void(TDBNavigator&, TNavigateBtn)> BeforeAction;
    // After the operation.
    std::function<void(TDBNavigator&, TNavigateBtn)> OnClick;

private:
    void AddButton(TNavigateBtn button, const QString& name, const QString& glyph,
                   const QString& hint);
    void UpdateButtons();
    bool Allowed(TNavigateBtn button) const;
    void Run(TNavigateBtn button);

    QPointer<TDataSource> m_source;
    std::map<TNavigateBtn, QToolButton*> m_buttons;
    TNavButtons m_visible;
    bool m_confirmDelete = true;
};
