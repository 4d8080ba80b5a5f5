#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// A small catalogue (products, suppliers, shifts) joined to every row of a
// SELECT by its code. The engine's join seeks the catalogue once per row;
// on SQLite the packet writer looks each code up once per read instead
// (CatalogCells.h), which costs far less when a few codes repeat over many
// rows. The packet is the same either way.
struct TCatalogJoin {
    QString table;       // "PRODUTO"
    QString key;         // the catalogue's unique code column, "CDPRODUTO"
    QString code;        // what holds the code in the statement, "I.CDPRODUTO"
    QStringList columns; // the catalogue's columns the rows take, by their own names
    // A row whose code is null or not in the catalogue is left out (JOIN);
    // otherwise it takes nulls for the catalogue's columns (LEFT JOIN).
    bool inner = true;
};

// A SELECT with its catalogues. `sql` has the joins written out, for any
// engine and for whoever runs it bare; `bare` is the same statement without
// them, each catalogue's code one more column (BareCodeColumn), from which
// SQLite's packet is read.
struct TCatalogSelect {
    QString sql;
    QString bare;
    std::vector<TCatalogJoin> joins;
};

// "SELECT `columns` FROM `from` `rest`" with `joins`: `from` is where the
// joins go after, `rest` the WHERE, ORDER BY and whatever follows.
TCatalogSelect CatalogSelect(const QString& columns, const QString& from, const QString& rest,
                             std::vector<TCatalogJoin> joins);

// A statement with no catalogue.
inline TCatalogSelect PlainSelect(const QString& sql) {
    return {sql, sql, {}};
}

// The column of `bare` holding the code of join `index`.
QString BareCodeColumn(size_t index);
