#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

// One :NAME parameter of a query's statement and the value it will be bound to.
class TQueryParam {
public:
    explicit TQueryParam(QString name) : m_name(std::move(name)) {}

    const QString& Name() const { return m_name; }
    const QVariant& Value() const { return m_value; }
    bool HasValue() const { return m_set; }

    void SetValue(const QVariant& v) {
        m_value = v;
        m_set = true;
    }
    void SetAsString(const QString& v) { SetValue(v); }
    void SetAsInteger(qint64 v) { SetValue(v); }
    // Binds SQL NULL.
    void Clear() { SetValue(QVariant()); }

private:
    QString m_name;
    QVariant m_value;
    bool m_set = false;
};

// The parameters of a statement, in order of first appearance. Taking a new
// statement keeps the values of the parameters it still has.
class TQueryParams {
public:
    int Count() const { return int(m_items.size()); }
    TQueryParam& Items(int i) { return m_items.at(size_t(i)); }
    const TQueryParam& Items(int i) const { return m_items.at(size_t(i)); }
    // Ignoring case, with or without the colon; null when absent.
    TQueryParam* FindParam(const QString& name);
    const TQueryParam* FindParam(const QString& name) const;
    // Throws EDbError naming the parameter when absent.
    TQueryParam& ParamByName(const QString& name);

    // Replaces the list by `names`, keeping the values of names already known.
    void Reset(const QStringList& names);

private:
    std::vector<TQueryParam> m_items;
};

// Whether `params` holds a parameter called `name`: handlers that serve
// several statements set only the parameters the current one has.
bool ExistParam(const TQueryParams& params, const QString& name);
