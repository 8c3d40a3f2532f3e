// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// libFuzzer target for the score file reader: any bytes must read without a crash or a hang
// into five arrays of equal length.

#include "scores/ScoreFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    const ScoreReadResult result = readScoreRecords(bytes);
    const ScoreTable& table = result.table;
    const qsizetype records = table.ScoreNames.size();
    // Every record takes at least one byte, so the count can never exceed the input.
    if (table.ScoreMisses.size() != records || table.ScoreHits.size() != records ||
        table.ScoreShots.size() != records || table.ScoreDates.size() != records ||
        records > bytes.size()) {
        std::abort();
    }
    return 0;
}
