#pragma once

#include "catalogue/clsGame.h"

#include <QString>

#include <memory>
#include <vector>

// The games an audit finds, each put where AddGame would put it, with the
// catalogue rebuilt once at the end instead of moved up for every game.
//
// The greatest name among games 1..i never falls as i grows, so the first
// game whose name is greater than a new one is found by binary search over
// those maxima. The new game goes before that game, after the new games
// already there that are not greater than it: the new games before one game
// are their names in order, namesakes in the order they came, and one merge
// puts every game in the slot that adding them one by one would give.
class NewGamesInNameOrder {
public:
    // Taken from games 1..gamecount, which only this object may change
    // until Apply.
    NewGamesInNameOrder();

    // AddGame(name, ext, publisher), held back until Apply.
    void Add(const QString& name, const QString& ext, const QString& publisher);
    // Puts the held games into games; gamecount grows by their number.
    void Apply();

private:
    struct Held {
        int before;  // the slot of the first game greater than its name
        std::unique_ptr<clsGame> game;
    };

    void TakeMaxima();

    std::vector<const clsGame*> maxima_;  // by slot; null while every game so far is
    std::vector<Held> held_;
};
