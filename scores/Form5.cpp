// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/Form5.h"

#include "app/Program.h"
#include "game/Form1.h"
#include "scores/Form4.h"
#include "scores/ScoreFile.h"

// The name box refuses what the score file cannot store faithfully.
Form5::Form5(Program& program)
    : Form5Screen(program.runtime(), isStorableNameCharacter), m_program(program) {
    Command1->setClickHandler(handler(&Form5::Command1_Click));
    Command2->setClickHandler(handler(&Form5::Command2_Click));
}

void Form5::Command1_Click() {
    m_program.playSound(Sound::Button);
    if (Text1->Text().isEmpty()) {
        Text1->setText(QStringLiteral("Neznámý hráč"));
    }
    const Form1& game = m_program.form<Form1>();
    FormsRuntime& runtime = m_program.runtime();
    Form4& table = m_program.form<Form4>();
    ScoreWriteResult saved = AppendScoreRecord(
        m_program.scoreFile(), Text1->Text(), game.Label11->Caption(), game.Label8->Caption(),
        game.Label7->Caption(), dateForScoreFile(runtime.todayText(), runtime.services().today()),
        table.loadedEnd());
    if (!saved.written) {
        // Nothing was written: the dialog stays open with the name, and the game's counts
        // stay for another try.
        m_program.showMessage(saved.errorText, MessageIcon::Exclamation);
        return;
    }
    table.showSavedRecords(std::move(saved));
    table.Frame1->setCaption(QStringLiteral("Skóre hráče:"));
    m_program.unload<Form5>();
}

void Form5::Command2_Click() {
    m_program.playSound(Sound::Button);
    m_program.unload<Form5>();
}

void Form5::Form_Unload() {
    m_program.playSound(Sound::Button);
    Text1->setText(QString());
    m_program.form<Form4>().setEnabled(true);
}
