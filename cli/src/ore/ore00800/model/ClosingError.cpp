#include "ore/ore00800/model/ClosingError.h"

std::optional<TCatalogueRefusal> ClosingRefusal(const QString& text) {
    // A parameter's key comes first: a text may name both.
    if (text.contains(QLatin1String("N_PARAM_"))) {
        const qsizetype bar = text.indexOf(QLatin1Char('|'));
        if (bar < 0)
            return TCatalogueRefusal{text, std::nullopt};
        return TCatalogueRefusal{text.left(bar), text.mid(bar + 1)};
    }
    if (text.contains(QLatin1String("N_BOLETOS_ABERTOS")))
        return TCatalogueRefusal{text, std::nullopt};
    return std::nullopt;
}

QString FormatMsg(const QString& text, const QString& argument) {
    const qsizetype at = text.indexOf(QLatin1String("%s"));
    if (at < 0)
        return text;
    QString formatted = text;
    return formatted.replace(at, 2, argument);
}
