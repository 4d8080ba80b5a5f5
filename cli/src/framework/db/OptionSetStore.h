#pragma once

#include <QString>
#include <QStringList>

class TDbConnection;

// One saved option set of a filter dialog: the values of its input controls
// (by control name) and its name=value variables, each as lines.
struct TOptionSet {
    QStringList controls;
    QStringList variables;
};

// The option sets of one screen and operator, kept in the business database
// (table OPCAOFILTRO, which the framework owns) through the session's shared
// connection. Names are kept as typed (trimmed); saving under an existing
// name replaces that set.
class TOptionSetStore {
public:
    TOptionSetStore(QString screenCode, QString operatorCode, TDbConnection* db = nullptr);

    QStringList Names() const; // in alphabetical order
    bool Exists(const QString& name) const;
    void Save(const QString& name, const TOptionSet& set);
    // Throws EDbError when there is no set of that name.
    TOptionSet Load(const QString& name) const;
    void Delete(const QString& name);

private:
    TDbConnection& Db() const;
    static QString Checked(const QString& name);

    QString m_screen;
    QString m_operator;
    TDbConnection* m_db;
};
