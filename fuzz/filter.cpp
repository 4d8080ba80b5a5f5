// The record-set filter: any text either parses or is refused with
// EDatabaseError, and a filter that a record set accepts shows only rows
// whose fields hold the values it names.

#include "core/data/Exceptions.h"
#include "core/data/FilterExpression.h"
#include "fuzz/FuzzInput.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString text = Fuzz::Text(data, size);
    TFilterExpression expr;
    try {
        expr = TFilterExpression::Parse(text);
    } catch (const EDatabaseError&) {
        return 0;
    }
    TRecordSet rs(Fuzz::BudgetDefs());
    Fuzz::FillBudgets(rs);
    try {
        rs.SetFilter(text);
        rs.SetFiltered(true);
    } catch (const EDatabaseError&) {
        return 0; // a field the record set does not have
    }
    for (rs.First(); !rs.Eof(); rs.Next())
        for (const TFilterCondition& c : expr.conditions)
            if (rs.FieldByName(c.field).AsString() != c.value &&
                rs.FieldByName(c.field).AsString().trimmed() != c.value.trimmed())
                Fuzz::Broken("a filtered record set shows a row its filter excludes");
    rs.SetFiltered(false);
    return 0;
}
