#pragma once

#include "catalogue/clsGame.h"

#include <QString>

#include <map>
#include <memory>
#include <vector>

// The games an audit finds, each put where AddGame would put it, with the
// catalogue rebuilt once at the end instead of moved up for every game.
//
// The greatest name among games 1..i never falls as i grows, so the first
// game whose name is greater than a new one is found by binary search over
// those maxima; the new games before one old game come after every new game
// before an earlier one. Among themselves a new game goes before the first
// whose stored name is greater than its name as found; the stored name may
// be shorter (cut at a "("), so only a game greater than every one before it
// can stop another: the new games before one old game are runs, each led by
// such a game, kept in order of the leaders' names, and one merge puts every
// game in the slot that adding them one by one would give.
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
    struct Leader {
        int before;  // the slot of the first old game greater than its name
        QString name;  // as stored
    };
    struct LeaderOrder {
        bool operator()(const Leader& a, const Leader& b) const;
    };
    using Run = std::vector<std::unique_ptr<clsGame>>;

    void TakeMaxima();

    std::vector<const clsGame*> maxima_;  // by slot; null while every game so far is
    std::map<Leader, Run, LeaderOrder> runs_;
};
