#pragma once

#include <QString>

// One line on the server's log (stderr), in one write so that lines of calls
// on other threads do not interleave. Control characters of what a caller
// typed are shown as '?', so that nobody can forge lines of the log.
void SessionLog(const QString& line);
