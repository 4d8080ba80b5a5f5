#pragma once

#include "core/data/DataSource.h"

#include <QLineEdit>
#include <QPointer>
#include <QToolButton>

#include <functional>

// The lookup button placed next to an edit. A click, or F9 in the edit,
// offers the rows of DataSource in a search window (TfrmPesquisa); the row
// picked becomes the data set's current record and its key field's value
// goes into the edit. Cancelling changes nothing.
class TBtnPesquisa : public QToolButton {
    Q_OBJECT
public:
    explicit TBtnPesquisa(QWidget* parent = nullptr);

    QLineEdit* Associate() const { return m_associate; }
    void SetAssociate(QLineEdit* edit);

    QString Title() const { return m_title; }
    void SetTitle(const QString& title) { m_title = title; }

    TDataSource* DataSource() const { return m_source; }
    void SetDataSource(TDataSource* source) { m_source = source; }

    // The field whose value goes into the edit; empty: the first field.
    QString KeyField() const { return m_keyField; }
    void SetKeyField(const QString& name) { m_keyField = name; }

    // Shown as an error when there are no rows to offer; the window then
    // does not open. Empty: the window opens anyway.
    QString EmptyError() const { return m_emptyError; }
    void SetEmptyError(const QString& text) { m_emptyError = text; }

    // What a click or F9 does, through Dispatch.
    void Pesquisar();

    // Before anything else: allowPesq = false (or an abort) ends the lookup.
    std::function<void(TBtnPesquisa& sender, bool& allowPesq)> OnBeforePesq;
    // After a pick, once the edit has the key.
    std::function<void(TBtnPesquisa& sender)> OnAfterPesq;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Run();

    QPointer<QLineEdit> m_associate;
    QPointer<TDataSource> m_source;
    QString m_title;
    QString m_keyField;
    QString m_emptyError;
};
