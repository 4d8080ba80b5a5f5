#pragma once

#include <QString>

#include <vector>

// Kinds of value a record-set field holds.
enum class TFieldKind : quint8 {
    String,   // text of at most `size` characters (Unicode code points)
    Float,    // double
    DateTime, // OLE Automation date: days since 1899-12-30, fraction = time; 0 = no date
    Blob,     // bytes of any length, NUL bytes included
    Memo,     // text of any length
    Integer,  // 64-bit signed
    Boolean,
};

// Change state of a row since the data was loaded. Discarded marks a row
// inserted and deleted again: it is in no packet.
enum class TUpdateStatus : quint8 {
    Unmodified = 0,
    Modified = 1,
    Inserted = 2,
    Deleted = 3,
    Discarded = 4
};

// The definition of one field, as a layout declares it.
struct TFieldDef {
    QString name;
    TFieldKind kind = TFieldKind::String;
    int size = 0;       // characters, for String; 0 otherwise
    bool fixed = false; // String padded with blanks to `size`
    QString label;      // display label; empty means the field name
    QString displayFormat;
    QString editFormat;
    QString editMask;
    bool visible = true;
    bool required = false; // a value is expected (lookups read it as a key)
    int displayWidth = 0;  // characters a grid column shows; 0: the size
    bool update = true;    // false: not written back nor used to find the row
    bool calculated = false;

    // Fluent setters, so that a layout reads as one line per field.
    TFieldDef& Label(QString v) {
        label = std::move(v);
        return *this;
    }
    TFieldDef& Format(QString v) {
        displayFormat = std::move(v);
        return *this;
    }
    TFieldDef& EditFormat(QString v) {
        editFormat = std::move(v);
        return *this;
    }
    TFieldDef& Mask(QString v) {
        editMask = std::move(v);
        return *this;
    }
    TFieldDef& Hidden() {
        visible = false;
        return *this;
    }
    TFieldDef& Required() {
        required = true;
        return *this;
    }
    TFieldDef& Width(int characters) {
        displayWidth = characters;
        return *this;
    }
    TFieldDef& NoUpdate() {
        update = false;
        return *this;
    }
    TFieldDef& Fixed() {
        fixed = true;
        return *this;
    }
    TFieldDef& Calculated() {
        calculated = true;
        return *this;
    }
};

using TFieldDefs = std::vector<TFieldDef>;

// Short constructors for layouts.
inline TFieldDef MakeField(QString name, TFieldKind kind, int size = 0) {
    TFieldDef d;
    d.name = std::move(name);
    d.kind = kind;
    d.size = size;
    return d;
}
inline TFieldDef StrField(QString name, int size) {
    return MakeField(std::move(name), TFieldKind::String, size);
}
inline TFieldDef FloatField(QString name) {
    return MakeField(std::move(name), TFieldKind::Float);
}
inline TFieldDef DateField(QString name) {
    return MakeField(std::move(name), TFieldKind::DateTime);
}
inline TFieldDef BlobField(QString name) {
    return MakeField(std::move(name), TFieldKind::Blob);
}
inline TFieldDef MemoField(QString name) {
    return MakeField(std::move(name), TFieldKind::Memo);
}
inline TFieldDef IntField(QString name) {
    return MakeField(std::move(name), TFieldKind::Integer);
}
inline TFieldDef BoolField(QString name) {
    return MakeField(std::move(name), TFieldKind::Boolean);
}

// Name of a kind as the packet layout and error messages spell it.
QString FieldKindName(TFieldKind kind);

// The fields that hold data (in packets and storage): all but the calculated ones.
TFieldDefs DataFieldDefs(const TFieldDefs& defs);

// Text sizes count characters (code points), not UTF-16 units.
qsizetype CharacterCount(const QString& text);
// The first `n` characters of `text`, never splitting a surrogate pair.
QString LeftCharacters(const QString& text, qsizetype n);
