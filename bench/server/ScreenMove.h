#pragma once

// Moving through the list of the scale branch on the closing screen itself,
// with the items page shown: the screen's own scroll handler, its server
// calls (GetGeral, GetSalaoEven) over HTTP to the benchmark's server, the
// local filters of the items and totals, the totals shown and everything else
// that the move refreshes. The screen is the module's TfrmFechaOrca, shown on
// the offscreen platform, listing the whole branch as its retrieval lists it.

#include <QString>

#include <string>
#include <vector>

// What the benchmark measured, per repetition.
struct TScreenMoveFigures {
    std::vector<double> move;    // seconds per move: the scroll handler, start to end
    std::vector<double> calls;   // of which in the server calls, request to answer
    std::vector<double> paint;   // painting what the move changed, after it
    std::vector<double> overlay; // of the move: showing and removing the busy indicator
    std::vector<double> cpu;     // the screen's thread's processor time in the move
};

// Where the screen finds its session: the business database, the branch it
// lists and the port of the benchmark's server on 127.0.0.1.
struct TScreenMoveSetup {
    QString dbUrl;
    QString branch;
    int port = 0;
    TScreenMoveFigures figures;
};

// Registers "Move/ItemsPage", `moves` moves per repetition. Its first run
// opens the screen (which needs the QApplication), lists the branch, shows
// the items page and checks a few moves against what the server holds for
// each budget, all before the timed moves.
void RegisterScreenMoves(int moves, TScreenMoveSetup* setup);
// Closes the screen, if a run opened it.
void CloseScreenForMoves();
