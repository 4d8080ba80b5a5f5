#pragma once

#include <QObject>

#include <functional>

class TDataSet;
class TField;
enum class TDataSetState;

// Links a data set to whoever shows or follows it (widgets, a screen's handlers)
// and tells them when its state or its data changes.
class TDataSource : public QObject {
    Q_OBJECT
public:
    explicit TDataSource(QObject* parent = nullptr);
    ~TDataSource() override;

    TDataSet* DataSet() const { return m_dataSet; }
    void SetDataSet(TDataSet* dataSet);
    TDataSetState State() const;

    // A read-only source lets its controls show the data but not change it.
    bool ReadOnly() const { return m_readOnly; }
    void SetReadOnly(bool on);

    // Handlers a screen sets; they may throw, and the exception reaches
    // whoever changed the data set.
    std::function<void(TDataSource&)> OnStateChange;
    std::function<void(TDataSource&, const TField*)> OnDataChange;

signals:
    // For widgets; emitted after the handlers above.
    void stateChanged();
    void dataChanged(const TField* field); // null: the row or the whole data changed
    // The data set is about to post: controls write their pending text now;
    // an exception thrown by a receiver stops the post.
    void updateRecord();

private:
    friend class TDataSet;
    void NotifyStateChanged();
    void NotifyDataChanged(const TField* field);
    void Detach() { m_dataSet = nullptr; }

    TDataSet* m_dataSet = nullptr;
    bool m_readOnly = false;
};
