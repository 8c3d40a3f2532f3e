// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Conversions.h"
#include "forms/Cp1250.h"
#include "scores/Form4.h"
#include "scores/Form5.h"
#include "support/Files.h"
#include "support/GameFixture.h"

#include <QFile>

// The five statistics boxes: misses, hits, shots, accuracy, date.
inline QStringList statistics(Form4& table) {
    return {table.Text4->Text(), table.Text2->Text(), table.Text3->Text(), table.Text1->Text(),
            table.Text5->Text()};
}

inline QStringList listEntries(Form4& table) {
    QStringList entries;
    for (int i = 0; i < table.List1->ListCount(); ++i) {
        entries << table.List1->List(i);
    }
    return entries;
}

// Opens the score table from the menu.
inline Form4& openScoreTable(TestProgram& t) {
    t.click(t.form<Form3>().Command6);
    return t.form<Form4>();
}

// Clicks entry `row` of the list of players.
inline void clickEntry(TestProgram& t, Form4& table, int row) {
    const QRect item = table.List1->visualRect(table.List1->model()->index(row, 0));
    t.click(table.List1->viewport(), item.center());
}

// Plays a game of one hit and two misses to its end.
inline void playShortGame(TestProgram& t) {
    Form1& game = newGame(t);
    t.clickInWindow(game.window(), GamePoint::Picture2);
    t.clickInWindow(game.window(), GamePoint::HouseFront);
    t.clickInWindow(game.window(), GamePoint::HouseFront);
    t.clock->advance(60000);
}
