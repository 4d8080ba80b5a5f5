#pragma once

#include <QString>

#include <optional>

// The refusals of the closing call that the operator reads from the screen's
// catalogue: the server raises them as an error text that is a catalogue key,
// optionally followed by "|" and one argument.
struct TCatalogueRefusal {
    QString key;
    std::optional<QString> argument;
};

// The catalogue key of closing error `text`: a text holding "N_PARAM_" splits
// at its first bar into key and argument (further bars belong to the
// argument) and is the key as a whole without a bar; one holding
// "N_BOLETOS_ABERTOS" is the key as a whole. Nothing for any other text,
// which is shown as it stands.
std::optional<TCatalogueRefusal> ClosingRefusal(const QString& text);

// Catalogue text `text` with its "%s" filled by `argument`; a text without
// "%s" comes back unchanged.
QString FormatMsg(const QString& text, const QString& argument);
