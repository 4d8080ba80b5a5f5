#pragma once

#include "core/data/Exceptions.h"

// A failure of the database or of its use: a bad URL, a refused connection, a
// statement the engine rejected. The message carries the engine's own text.
class EDbError : public Exception {
public:
    using Exception::Exception;
};
