#pragma once

#include "screens/Form4Screen.h"

class Program;

// The score table screen: the stored players, and either a saved record or the last
// game's counts ("Dočasné skóre:") in the statistics boxes.
class Form4 : public Form4Screen {
public:
    explicit Form4(Program& program);

    // Reads the score file into the score table and the list, which must be empty, and
    // selects entry 0. Every failing step is skipped; returns whether any failed.
    bool ReadScoreFile();
    // Tells the player that reading failed: that the table is empty, or that it is broken,
    // and disables what cannot be used then.
    void reportReadError();
    // Fills the statistics boxes with the last game's counts, today's date and accuracy.
    void showTemporaryScore();

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void List1_Click();
    void Command1_Click(); // "Návrat do Menu"
    void Command2_Click(); // "Uložit dočasné skóre"
    void Command3_Click(); // "Zpět do Windows"
    void Command4_Click(); // "Dočasné skóre"

    Program& m_program;
};
