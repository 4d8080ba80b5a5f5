#pragma once

#include "core/data/FieldDef.h"

#include <QByteArray>
#include <QPointer>
#include <QVariant>

#include <functional>

class TDataSet;

// A field of a data set: typed access to the value of the data set's active row.
// Fields are owned by their data set and keep their address for its whole life.
class TField {
public:
    // Get-text handler: fills `text` for display (displayText true) or editing.
    using GetTextHandler =
        std::function<void(const TField& sender, QString& text, bool displayText)>;

    TField(TDataSet& dataSet, int index, TFieldDef def);

    TDataSet& DataSet() const { return m_dataSet; }
    int Index() const { return m_index; }
    const TFieldDef& Def() const { return m_def; }
    const QString& FieldName() const { return m_def.name; }
    TFieldKind Kind() const { return m_def.kind; }
    int Size() const { return m_def.size; }
    bool Calculated() const { return m_def.calculated; }
    bool Visible() const { return m_def.visible; }
    QString DisplayLabel() const { return m_def.label.isEmpty() ? m_def.name : m_def.label; }

    // Run-time settings (a screen sets masks and handlers when it is created).
    void SetDisplayLabel(const QString& v) { m_def.label = v; }
    void SetDisplayFormat(const QString& v) { m_def.displayFormat = v; }
    void SetEditFormat(const QString& v) { m_def.editFormat = v; }
    void SetEditMask(const QString& v) { m_def.editMask = v; }
    void SetVisible(bool v) { m_def.visible = v; }
    const QString& DisplayFormat() const { return m_def.displayFormat; }
    const QString& EditFormat() const { return m_def.editFormat; }
    const QString& EditMask() const { return m_def.editMask; }
    GetTextHandler OnGetText;
    // Controls do not change a read-only field; calculated fields always are.
    bool ReadOnly() const { return m_readOnly || m_def.calculated; }
    void SetReadOnly(bool v) { m_readOnly = v; }

    // The control bound to this field, so that a rule can give it the focus.
    void SetFocusControl(QObject* control) { m_focusControl = control; }
    QObject* FocusControl() const { return m_focusControl.data(); }

    // Reading. A null value reads as "", 0, false or an empty byte array.
    bool IsNull() const;
    QVariant Value() const; // invalid QVariant for null
    QString AsString() const;
    double AsFloat() const;
    qint64 AsInteger() const;
    bool AsBoolean() const;
    double AsDateTime() const;
    QByteArray AsBytes() const;

    // Writing; only in edit or insert state, or for a calculated field while
    // the data set computes its calculated fields.
    void SetValue(const QVariant& v);
    void SetAsString(const QString& v);
    void SetAsFloat(double v);
    void SetAsInteger(qint64 v);
    void SetAsBoolean(bool v);
    void SetAsDateTime(double v);
    void SetAsBytes(const QByteArray& v);
    void Clear();

    // Text for display: get-text handler, else display format, else edit mask,
    // else the plain text of the value.
    QString DisplayText() const;
    // Text for editing: get-text handler, else edit format, else the plain text.
    QString Text() const;

    // The value converted to this field's kind; throws EDatabaseError when it
    // does not fit (a text longer than the field, a non-number for a number).
    QVariant Coerce(const QVariant& v) const;

private:
    TDataSet& m_dataSet;
    int m_index;
    TFieldDef m_def;
    QPointer<QObject> m_focusControl;
    bool m_readOnly = false;
};
