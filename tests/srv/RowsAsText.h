#pragma once

#include "core/data/Field.h"
#include "core/data/RecordSet.h"

#include <QString>

#include <map>
#include <vector>

// A row as text, by field name: what two reads of the same data must agree on.
using TTextRow = std::map<QString, QString>;

// Every row of a record set, field by field: strings as they are, numbers
// and OLE days unformatted; calculated fields are left out.
inline std::vector<TTextRow> Rows(TRecordSet& rs) {
    std::vector<TTextRow> rows;
    for (rs.First(); !rs.Eof(); rs.Next()) {
        TTextRow row;
        for (const TFieldDef& d : rs.FieldDefs())
            if (d.calculated)
                continue;
            else if (d.kind == TFieldKind::String || d.kind == TFieldKind::Blob)
                row[d.name] = rs.FieldByName(d.name).AsString();
            else
                row[d.name] = QString::number(rs.FieldByName(d.name).AsFloat(), 'f', 6);
        rows.push_back(std::move(row));
    }
    return rows;
}
