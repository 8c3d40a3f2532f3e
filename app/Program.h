// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/FormsRuntime.h"
#include "scores/ScoreTable.h"

#include <QString>

enum class Sound {
    Hit,    // Data1.dat
    Alert,  // Data2.dat
    Miss,   // Data3.dat
    Button, // Data4.dat
};

// A file in the program's folder: the folder, the native separator and the name.
QString programFilePath(const QString& appPath, const QString& fileName);

// The folder that holds the program's files. The build folder, a portable copy and the
// Windows folder keep the sound files beside the executable, and that folder is used
// whenever it holds any of them. An installed copy keeps them in a data folder of its own,
// given relative to the executable's folder. With the sounds in neither, the executable's.
struct ProgramFolder {
    QString path;
    bool installed = false; // the installed copy's data folder
};
ProgramFolder findProgramFolder(const QString& executableFolder, const QString& dataFolder);

// The program: its five forms, each created and loaded on first reference, and the
// services they use. One Program lives from start-up to exit; a test makes its own.
class Program {
public:
    explicit Program(Services services);
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Shows the start-up form, the main menu.
    void start();

    // Form F, created and loaded (Form_Load) when first referred to.
    template <class F> F& form() {
        if (Form* loaded = m_runtime.loaded(F::Slot)) {
            return static_cast<F&>(*loaded);
        }
        auto* created = new F(*this);
        m_runtime.load(created);
        return *created;
    }
    // Unloads the forms in the order given; one that is not loaded or is already being
    // unloaded is passed over.
    template <class... F> void unload() { (m_runtime.unload(F::Slot), ...); }

    FormsRuntime& runtime() { return m_runtime; }

    // The score table in memory: the five arrays, refilled from the score file whenever
    // the score table screen loads and after every save.
    ScoreTable& scores() { return m_scores; }
    // The score file's path. It lies beside the program wherever something already lies
    // there (even a read-only file in a read-only folder, a table shared from a network
    // drive) and wherever the folder takes a new one, unless it is an installed copy's: that
    // folder is no player's to write, not even an administrator's who can. Without a
    // Data5.dat there it lies in the player's own data folder, which is created when chosen.
    // Decided once, on first use.
    QString scoreFile() const;

    // A file in the program's folder (App.Path followed by the separator and the name).
    QString programFile(const QString& fileName) const;
    // Plays a sound asynchronously; one that cannot be played, or that is asked for before
    // there is a sound output, is simply not heard.
    void playSound(Sound sound);
    // A message box under the program's message caption.
    void showMessage(const QString& text, MessageIcon icon);
    // The sound files beside the program, in the order of the enum.
    static const QStringList& soundFiles();

private:
    QString findScoreFile() const;

    FormsRuntime m_runtime;
    ScoreTable m_scores;
    mutable QString m_scoreFile;
};
