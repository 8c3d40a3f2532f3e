// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Opening the score table screen over a large score file: from the click on the menu's
// "Skóre" until the screen is shown with the list filled and painted (wall time, and the
// CPU time of the user-interface thread, which other work on the machine changes less),
// the memory that takes (growth of the peak resident memory), and selecting the last
// entry, from code (ListIndex) and by a click on it after scrolling the list to its end.
// Then saving: the name entry dialog's "Ok" until the table shows the new record, which
// it takes from the bytes the save read under its lock, against the same save followed by
// a second reading of the file (what "Ok" did before), alternately, median of 5 each.
//
// Run without arguments: measures 32,767 records (the highest list position) and
// 1,000,000 records, each in a process of its own so that one size's peak memory does not
// hide the other's. With a record count as argument: measures that one.
// Run with QT_QPA_PLATFORM=offscreen.

#include "BenchSupport.h"
#include "app/Form3.h"
#include "game/Form1.h"
#include "scores/Form4.h"
#include "scores/Form5.h"
#include "scores/ScoreFile.h"
#include "support/ManualClock.h"
#include "support/ProgramHarness.h"
#include "support/RecordingSound.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <array>

namespace {

QTextStream out(stdout);

// Records as the game writes them, in Windows-1250: "Hráč <k>,misses,hits,shots,date".
QByteArray playerName(int k) {
    return "Hr\xe1\xe8 " + QByteArray::number(k);
}

double msSince(const QElapsedTimer& timer) {
    return timer.nsecsElapsed() / 1e6;
}

struct Took {
    double wall = 0; // ms
    double cpu = 0;  // ms of the user-interface thread
};

// "wall (CPU)", each the median of its own.
template <std::size_t N> QString medians(std::array<Took, N> runs) {
    std::array<double, N> wall;
    std::array<double, N> cpu;
    std::transform(runs.begin(), runs.end(), wall.begin(), [](Took t) { return t.wall; });
    std::transform(runs.begin(), runs.end(), cpu.begin(), [](Took t) { return t.cpu; });
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return QStringLiteral("%1 (%2)").arg(wall[N / 2], 0, 'f', 1).arg(cpu[N / 2], 0, 'f', 1);
}

// "Ok" in the name entry dialog until the table shows the new record; with `readAgain`
// the save is followed by a reading of the file instead, as "Ok" did before.
Took saveFromTheDialog(ProgramHarness& bench, Form4& table, bool readAgain) {
    bench.click(table.Command2);
    Form5& dialog = bench.form<Form5>();
    const qint64 cpuBefore = threadCpuNs();
    QElapsedTimer timer;
    timer.start();
    if (readAgain) {
        AppendScoreRecord(bench.path(QStringLiteral("Data5.dat")), QStringLiteral("Dido"),
                          QStringLiteral("3"), QStringLiteral("7"), QStringLiteral("10"),
                          QStringLiteral("8.12.2026"));
        table.List1->Clear();
        table.ReadScoreFile();
        table.List1->setListIndex(table.List1->NewIndex());
        bench.click(dialog.Command2); // unloads the dialog as "Ok" does, with the same sound
    } else {
        bench.click(dialog.Command1);
    }
    QCoreApplication::processEvents();
    return {msSince(timer), (threadCpuNs() - cpuBefore) / 1e6};
}

int measure(int records) {
    auto clock = std::make_unique<ManualClock>();
    ManualClock* time = clock.get();
    ProgramHarness bench(std::move(clock), std::make_unique<RecordingSound>());
    if (!writeScoreFile(bench.path(QStringLiteral("Data5.dat")), records, playerName,
                        "8.12.2026")) {
        out << "cannot write the score file\n";
        return 1;
    }
    // A game played to its end first, as before a real "Skóre".
    Form3& menu = bench.form<Form3>();
    bench.click(menu.Command1);
    time->advance(60000);
    QCoreApplication::processEvents();

    const long peakBefore = peakMemoryKiB();
    QElapsedTimer timer;
    const qint64 cpuBefore = threadCpuNs();
    timer.start();
    bench.click(menu.Command6);
    const double clicked = msSince(timer);
    QCoreApplication::processEvents();
    const double shown = msSince(timer);
    const double shownCpu = (threadCpuNs() - cpuBefore) / 1e6;
    const long peakAfter = peakMemoryKiB();

    Form4& table = bench.form<Form4>();
    if (!table.Visible() || table.List1->ListCount() != records || !bench.messages->shown.empty()) {
        out << "the score table did not open as expected\n";
        return 1;
    }
    const int last = records - 1;
    timer.restart();
    table.List1->setListIndex(last);
    QCoreApplication::processEvents();
    const double byCode = msSince(timer);

    table.List1->setListIndex(0);
    table.List1->scrollToBottom();
    QCoreApplication::processEvents();
    const QRect row = table.List1->visualRect(table.List1->model()->index(last, 0));
    timer.restart();
    bench.click(table.List1->viewport(), row.center());
    const double byClick = msSince(timer);
    if (table.List1->ListIndex() != last ||
        table.Text3->Text() != QString::number(last % 97 + last % 13)) {
        out << "the last entry was not selected\n";
        return 1;
    }
    // The file's part of the opening: reading it alone, into a table of its own.
    timer.restart();
    const ScoreReadResult read = readScoreFile(bench.path(QStringLiteral("Data5.dat")));
    const double reading = msSince(timer);

    std::array<Took, 5> once{};
    std::array<Took, 5> twice{};
    for (std::size_t i = 0; i < once.size(); ++i) {
        twice[i] = saveFromTheDialog(bench, table, true);
        once[i] = saveFromTheDialog(bench, table, false);
    }
    if (table.List1->ListCount() != records + 10 || !bench.messages->shown.empty()) {
        out << "the saves did not show as expected\n";
        return 1;
    }

    out << QStringLiteral("| %1 | %2 | %3 | %4 | %5 | %6 MiB | %7 | %8 | %9 | %10 |\n")
               .arg(records)
               .arg(clicked, 0, 'f', 1)
               .arg(shown, 0, 'f', 1)
               .arg(shownCpu, 0, 'f', 1)
               .arg(read.table.ScoreNames.size() == records ? reading : -1, 0, 'f', 1)
               .arg((peakAfter - peakBefore) / 1024.0, 0, 'f', 1)
               .arg(byCode, 0, 'f', 2)
               .arg(byClick, 0, 'f', 2)
               .arg(medians(twice), medians(once));
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc > 1) {
        return measure(QString::fromLocal8Bit(argv[1]).toInt());
    }
    out << "| records | \"Skóre\" click returned, ms | shown and painted, ms | its CPU time, ms "
           "| reading the file alone, ms | peak memory growth | last entry by ListIndex, ms | "
           "last entry by a click, ms | save, file read again, ms (CPU) | \"Ok\", file read once, ms (CPU) |\n"
           "|---|---|---|---|---|---|---|---|---|---|\n";
    out.flush();
    for (const int records : {32767, 1000000}) {
        QProcess child;
        child.setProcessChannelMode(QProcess::ForwardedChannels);
        child.start(QCoreApplication::applicationFilePath(), {QString::number(records)});
        if (!child.waitForFinished(-1) || child.exitCode() != 0) {
            return 1;
        }
    }
    return 0;
}
