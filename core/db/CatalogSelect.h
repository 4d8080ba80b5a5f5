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
    QString table;    // "PRODUTO"
    QStringList key;  // the catalogue's unique code, "CDPRODUTO", in one column or more
    QStringList code; // what holds each part of the code in the statement, "I.CDPRODUTO"
    // The catalogue's columns the rows take, by their own names or renamed
    // ("NMFANVEN AS NMFANSUP"; CatalogColumnName).
    QStringList columns;
    // A row whose code is null or not in the catalogue is left out (JOIN);
    // otherwise it takes nulls for the catalogue's columns (LEFT JOIN).
    bool inner = true;
};

// A SELECT with its catalogues. `sql` has the joins written out, for any
// engine and for whoever runs it bare; `bare` is the same statement without
// them, each part of each catalogue's code one more column (BareCodeColumn),
// from which SQLite's packet is read.
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

// The column of `bare` holding part `part` of the code of join `join`.
QString BareCodeColumn(size_t join, qsizetype part);
// The name a catalogue's column takes in the rows: "NMFANSUP" for "NMFANVEN
// AS NMFANSUP".
QString CatalogColumnName(const QString& column);
