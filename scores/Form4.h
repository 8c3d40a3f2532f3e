// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "scores/ScoreFile.h"
#include "screens/Form4Screen.h"

class Program;

// The score table screen: the stored players, and either a saved record or the last
// game's counts ("Dočasné skóre:") in the statistics boxes.
class Form4 : public Form4Screen {
public:
    explicit Form4(Program& program);

    // Reads the score file into the score table and the list, which must be empty, and
    // selects entry 0. Every failing step is skipped; returns which one failed, if any (an
    // empty table, whose entry 0 cannot be selected, is NotRead).
    ScoreFault ReadScoreFile();
    // Shows the records as a save has left them in the file, the new one last and
    // selected. The save read them itself, so the file is not read a second time; when it
    // went on from where this table was read, its records are added to the table.
    void showSavedRecords(ScoreWriteResult saved);
    // Where the table shown was read to in the file, for a save to go on from.
    const ScoreFileEnd& loadedEnd() const { return m_loadedEnd; }
    // Tells the player that reading failed: that the table is empty, that no file lies
    // where it should, or that it is broken, and disables what cannot be used then. Saving
    // stays possible where the save mends the fault: a record cut short at the very end.
    void reportReadError(ScoreFault fault);
    // Fills the statistics boxes with the last game's counts, today's date and accuracy.
    void showTemporaryScore();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    ScoreFault showRecords(ScoreReadResult read);

    void List1_Click();
    void Command1_Click(); // "Návrat do Menu"
    void Command2_Click(); // "Uložit dočasné skóre"
    void Command3_Click(); // "Zpět do Windows"
    void Command4_Click(); // "Dočasné skóre"

    Program& m_program;
    ScoreFileEnd m_loadedEnd;
};
