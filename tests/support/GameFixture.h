// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "app/Form3.h"
#include "game/Form1.h"
#include "support/TestProgram.h"

// Points of the game screen, in window coordinates.
namespace GamePoint {
inline const QPoint Picture2{264, 304};
inline const QPoint Picture3{400, 312};
inline const QPoint Picture4{536, 304};
inline const QPoint Picture5{536, 448};
inline const QPoint Picture6{264, 448};
inline const QPoint HouseFront{320, 480};
inline const QPoint Sky{100, 100};
inline const QPoint TimeCaption{410, 20};
inline const QPoint TimeDisplay{470, 20};
inline const QPoint CounterPanel{600, 60};
inline const QPoint BesideButtons{650, 200};
} // namespace GamePoint

// The figures' visibility, Picture2 to Picture6, as "X..X." (X up, . hidden).
inline QString figures(Form1& game) {
    QString row;
    for (auto* box : {game.Picture2, game.Picture3, game.Picture4, game.Picture5, game.Picture6}) {
        row += box->isHidden() ? u'.' : u'X';
    }
    return row;
}

// Shots, hits, misses and time as the game screen shows them.
inline QStringList counters(Form1& game) {
    return {game.Label7->Caption(), game.Label8->Caption(), game.Label11->Caption(),
            game.Label9->Caption()};
}

// Starts a new game from the menu and forgets the sounds made so far.
inline Form1& newGame(TestProgram& t) {
    t.click(t.form<Form3>().Command1);
    t.sound->clear();
    return t.form<Form1>();
}
