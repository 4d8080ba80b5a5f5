#include "session/SessionLog.h"

#include <cstdio>

void SessionLog(const QString& line) {
    QString clean = line;
    for (QChar& c : clean)
        if (c.category() == QChar::Other_Control || c == QChar::LineSeparator ||
            c == QChar::ParagraphSeparator)
            c = u'?';
    std::fprintf(stderr, "ore-server: %s\n", clean.toUtf8().constData());
}
