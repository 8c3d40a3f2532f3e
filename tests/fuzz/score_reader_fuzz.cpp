// libFuzzer target for the score file reader: any bytes must read without a crash or a hang
// into five arrays of equal length. The same bytes, taken as a player name that the name
// box would accept, must survive a round trip through the writer's line format.

#include "scores/Cp1250.h"
#include "scores/ScoreFile.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

void checkReading(QByteArrayView bytes) {
    const ScoreReadResult result = readScoreRecords(bytes);
    const ScoreTable& table = result.table;
    const qsizetype records = table.ScoreNames.size();
    require(table.ScoreMisses.size() == records && table.ScoreHits.size() == records &&
            table.ScoreShots.size() == records && table.ScoreDates.size() == records);
    // Every record takes at least one byte, so the count can never exceed the input.
    require(records <= bytes.size());
}

// The name as the reader gives it back: whole when the writer quoted it (it holds a
// comma), otherwise without the blanks in front.
QString readBack(const QString& text) {
    if (text.contains(u',')) {
        return text;
    }
    qsizetype start = 0;
    while (start < text.size() && text[start] == u' ') {
        ++start;
    }
    return text.mid(start);
}

void checkRoundTrip(QByteArrayView bytes) {
    const QString name = fromCp1250(bytes);
    if (!isStorableName(name)) {
        return;
    }
    const QByteArray line = formatScoreRecord(name, "3", "7", "10", name);
    const ScoreReadResult result = readScoreRecords(line);
    require(!result.errorOccurred);
    require(result.table.ScoreNames == QStringList{readBack(name)});
    require(result.table.ScoreMisses == QStringList{"3"});
    require(result.table.ScoreHits == QStringList{"7"});
    require(result.table.ScoreShots == QStringList{"10"});
    require(result.table.ScoreDates == QStringList{readBack(name)});
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes(data, qsizetype(size));
    checkReading(bytes);
    checkRoundTrip(bytes);
    return 0;
}
