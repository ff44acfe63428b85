#pragma once

#include "catalogue/clsGame.h"

#include <QString>

#include <vector>

// For each slot i, the game with the greatest name among games 1..i. These
// maxima never fall, so the first of them greater than a name is found by
// binary search, and it is the first game in slot order greater than that
// name: the insertion point of InsertGameInNameOrder without its walk. Valid
// while every change to the games goes through Inserted.
class RunningNameMaxima {
public:
    // Taken from games 1..gamecount.
    RunningNameMaxima();
    // The slot InsertGameInNameOrder(name) would give.
    int Slot(const QString& name) const;
    // A game was just inserted at `slot`, named as it stays, and the games
    // from that slot on moved up one.
    void Inserted(int slot);

private:
    std::vector<const clsGame*> maxima_;  // by slot; null while every game so far is
};
