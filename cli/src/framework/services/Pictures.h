#pragma once

#include <QString>

#include <vector>

// The picture of a structured code (kind 0 is the product code "1.01.001"):
// its edit mask in the host's notation, the separator between levels and the
// digits of each level, as the business tables PICTURE and PICTURENIVEL hold
// them.
class TPicture {
public:
    int kind = 0;
    QString name;
    QString mask;            // "0.00.000;0;_"
    QString separator;       // "."; empty when the code has none
    std::vector<int> digits; // per level, first level first

    // Number of levels: the level of the leaves, the codes that are sold.
    int GetTtNiveis() const { return int(digits.size()); }
};

// The picture of `kind`, read from the session's shared database on first use
// and kept for the session. Throws EDbError when there is no shared database
// or no picture of that kind.
const TPicture& DBPictObj(int kind);
// Its edit mask.
QString DBPict(int kind);

// Forgets the pictures read, so that a new session (or a test on another
// database) reads them again.
void ResetPictureCache();
