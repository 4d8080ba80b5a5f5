#pragma once

#include "core/data/DataSource.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>

class QEvent;
class QKeyEvent;
class QWidget;
class TField;

// The binding of a data-aware control to one field of a data source: follows
// the source's changes, tells whether the field may be changed, puts the data
// set into edit state on the operator's first change, and has the control
// write what it holds pending when it is left or the record is posted.
//
// A control hidden in a window that is shown (on a page not shown, say)
// shows the field's value when it is shown again, not on every move: the
// pages the operator is not looking at would otherwise lay out their texts
// on every row. Code reads the field, not the control.
class TFieldDataLink : public QObject {
    Q_OBJECT
public:
    // The link belongs to `control`, its parent.
    explicit TFieldDataLink(QWidget* control);

    TDataSource* DataSource() const { return m_source; }
    void SetDataSource(TDataSource* source);
    const QString& DataField() const { return m_fieldName; }
    void SetDataField(const QString& name);

    // The bound field of an open data set; null otherwise.
    TField* Field() const;
    // The field, the source and the data set all allow changes.
    bool CanModify() const;
    // The data set is in edit or insert state.
    bool Editing() const;
    // Puts the data set into edit state; aborts silently when it cannot be changed.
    void Edit();
    // For a control's key handler: a key that changes the text first puts the
    // data set into edit state; false when the key must be refused. In a
    // multi-line control, Enter changes the text too.
    bool AcceptKey(const QKeyEvent* event, bool multiLine = false);

    // The control holds a change that is not in the field yet.
    void SetModified() { m_modified = true; }
    bool Modified() const { return m_modified; }
    // Writes the pending change through OnUpdateData, if there is one.
    void UpdateRecord();

    // Set by the control.
    std::function<void()> OnDataChange;  // show the field's value
    std::function<void()> OnStateChange; // follow whether the field can be changed
    std::function<void()> OnUpdateData;  // write the control's value to the field

private:
    void DataChanged(const TField* field);
    void StateChanged();
    void Refresh();
    bool eventFilter(QObject* watched, QEvent* event) override;

    QWidget* m_control;
    QPointer<TDataSource> m_source;
    QString m_fieldName;
    bool m_modified = false;
    bool m_behind = false; // hidden while the field changed
};
