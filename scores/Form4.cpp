// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/Form4.h"

#include "app/Form2.h"
#include "app/Form3.h"
#include "app/Program.h"
#include "forms/RuntimeError.h"
#include "game/Form1.h"
#include "scores/Accuracy.h"
#include "scores/FileKind.h"
#include "scores/Form5.h"

#include <QDir>

Form4::Form4(Program& program) : Form4Screen(program.runtime()), m_program(program) {
    List1->setClickHandler(handler(&Form4::List1_Click));
    Command1->setClickHandler(handler(&Form4::Command1_Click));
    Command2->setClickHandler(handler(&Form4::Command2_Click));
    Command3->setClickHandler(handler(&Form4::Command3_Click));
    Command4->setClickHandler(handler(&Form4::Command4_Click));
}

ScoreFault Form4::ReadScoreFile() {
    ScoreReadResult read = readScoreFile(m_program.scoreFile());
    m_loadedEnd = read.end;
    return showRecords(std::move(read));
}

void Form4::showSavedRecords(ScoreWriteResult saved) {
    // The list lets go of the names first, so that the table grows in place.
    List1->Clear();
    ScoreTable table;
    if (saved.continuesLoaded) {
        table = std::move(m_program.scores());
        table.append(saved.table);
    } else {
        table = std::move(saved.table);
    }
    m_loadedEnd = saved.end;
    showRecords({std::move(table), ScoreFault::None});
    List1->setEnabled(true);
    List1->setListIndex(List1->NewIndex());
}

ScoreFault Form4::showRecords(ScoreReadResult read) {
    ScoreTable& scores = m_program.scores();
    scores = std::move(read.table);
    List1->AddItems(scores.ScoreNames);
    try {
        List1->setListIndex(0);
    } catch (const RuntimeError&) {
        // An empty list has no entry 0.
        return read.fault == ScoreFault::None ? ScoreFault::NotRead : read.fault;
    }
    return read.fault;
}

void Form4::reportReadError(ScoreFault fault) {
    m_program.playSound(Sound::Alert);
    if (fault == ScoreFault::NotAFile) {
        const QString path = m_program.scoreFile();
        m_program.showMessage(
            QStringLiteral("Tabulku skóre nelze načíst ze souboru %1.\n%2")
                .arg(QDir::toNativeSeparators(path), notAFileText(fileKindAt(path))),
            MessageIcon::Exclamation);
        List1->setEnabled(false);
    } else if (m_program.scores().ScoreNames.isEmpty()) {
        // Decided by the records read, not by the selected entry's text: a first player
        // saved under a blank name is a record too.
        m_program.showMessage(QStringLiteral("V tabulce hráčů nejsou žádná uložená skóre."),
                              MessageIcon::Information);
        List1->setEnabled(false);
    } else {
        m_program.showMessage(QStringLiteral("Nastala chyba při načítání dat do tabulky skóre."),
                              MessageIcon::Exclamation);
        List1->setEnabled(false);
        Command4->setEnabled(false);
        if (fault != ScoreFault::LastRecordCut) {
            Command2->setEnabled(false);
        }
    }
}

void Form4::showTemporaryScore() {
    const Form1& game = m_program.form<Form1>();
    Text3->setText(game.Label7->Caption());
    Text2->setText(game.Label8->Caption());
    Text4->setText(game.Label11->Caption());
    Text5->setText(m_program.runtime().todayText());
    Text1->setText(Accuracy(game.Label8->Caption(), game.Label7->Caption()));
}

void Form4::Form_Load() {
    if (const ScoreFault fault = ReadScoreFile(); fault != ScoreFault::None) {
        reportReadError(fault);
    }
}

void Form4::Form_Unload() {
    m_program.playSound(Sound::Button);
    // During an exit sequence the menu is itself being unloaded and is not shown again.
    Form3& menu = m_program.form<Form3>();
    if (!menu.Visible()) {
        menu.Show();
    }
}

void Form4::List1_Click() {
    m_program.playSound(Sound::Button);
    Frame1->setCaption(QStringLiteral("Skóre hráče:"));
    const ScoreTable& scores = m_program.scores();
    const int k = List1->ListIndex();
    Text4->setText(scores.ScoreMisses.value(k));
    Text2->setText(scores.ScoreHits.value(k));
    Text3->setText(scores.ScoreShots.value(k));
    Text5->setText(scores.ScoreDates.value(k));
    Text1->setText(Accuracy(Text2->Text(), Text3->Text()));
}

void Form4::Command1_Click() {
    m_program.playSound(Sound::Button);
    Hide();
    m_program.form<Form3>().Show();
}

void Form4::Command2_Click() {
    m_program.playSound(Sound::Button);
    m_program.form<Form5>().Show(this);
    setEnabled(false);
}

void Form4::Command3_Click() {
    m_program.unload<Form1, Form2, Form3, Form4>();
}

void Form4::Command4_Click() {
    m_program.playSound(Sound::Button);
    Frame1->setCaption(QStringLiteral("Dočasné skóre:"));
    showTemporaryScore();
}
