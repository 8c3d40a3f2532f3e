#pragma once

#include <QStringList>

// The score table in memory: five parallel text arrays, one entry per score record, in
// file order. Entry k of every array belongs to record k (line k + 1 of a well-formed
// score file) and to entry k of the list of players. The counts stay text; only the
// accuracy turns them into numbers.
struct ScoreTable {
    QStringList ScoreNames;  // player name
    QStringList ScoreMisses; // shots that missed
    QStringList ScoreHits;   // hits
    QStringList ScoreShots;  // all shots
    QStringList ScoreDates;  // date the record was saved, in that system's short format
};
