// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/TextList.h"

#include <array>

// The score table in memory: five parallel text arrays, one entry per score record, in
// file order. Entry k of every array belongs to record k (line k + 1 of a well-formed
// score file) and to entry k of the list of players. The counts stay text; only the
// accuracy turns them into numbers. Each array keeps its texts in one buffer, so a table
// of a million records takes tens of megabytes, not hundreds, and the list of players
// shares the names' buffer.
struct ScoreTable {
    TextList ScoreNames;  // player name
    TextList ScoreMisses; // shots that missed
    TextList ScoreHits;   // hits
    TextList ScoreShots;  // all shots
    TextList ScoreDates;  // date the record was saved, in that system's short format

    // Adds the records of `more` after these.
    void append(const ScoreTable& more);

    friend bool operator==(const ScoreTable&, const ScoreTable&) = default;
};

// The five arrays in the order a record's fields stand in the file.
inline constexpr std::array scoreColumns = {&ScoreTable::ScoreNames, &ScoreTable::ScoreMisses,
                                            &ScoreTable::ScoreHits, &ScoreTable::ScoreShots,
                                            &ScoreTable::ScoreDates};

inline void ScoreTable::append(const ScoreTable& more) {
    for (const auto column : scoreColumns) {
        (this->*column).append(more.*column);
    }
}
