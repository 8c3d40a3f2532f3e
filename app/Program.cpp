// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/Program.h"

#include "app/Form3.h"
#include "scores/FileKind.h"
#include "sound/Module1.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <algorithm>

namespace {
constexpr int FormCount = 5;
const QString ScoreFileName = QStringLiteral("Data5.dat");
// The message boxes' caption: one space where the windows' titles have two.
const QString MessageCaption = QStringLiteral("Omvar v2.0");

// Whether a new file can be made in the folder, found by making one: permission bits say
// nothing for an administrator, and on Windows nothing about access lists. The probe goes
// again when it is closed.
bool takesNewFiles(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/Data5-XXXXXX.tmp"));
    return probe.open();
}
} // namespace

Program::Program(Services services)
    : m_runtime(std::move(services), QStringLiteral("Omvar  v2.0"), FormCount) {}

Program::~Program() = default;

void Program::start() {
    m_runtime.run([this] { form<Form3>().Show(); });
}

QString programFilePath(const QString& appPath, const QString& fileName) {
    return QDir::toNativeSeparators(appPath + u'/' + fileName);
}

ProgramFolder findProgramFolder(const QString& executableFolder, const QString& dataFolder) {
    const auto holdsSounds = [](const QString& folder) {
        return std::any_of(
            Program::soundFiles().begin(), Program::soundFiles().end(),
            [&folder](const QString& name) { return QFileInfo(folder + u'/' + name).isFile(); });
    };
    const QString data = QDir::cleanPath(executableFolder + u'/' + dataFolder);
    if (!holdsSounds(executableFolder) && holdsSounds(data)) {
        return {data, true};
    }
    return {executableFolder, false};
}

QString Program::programFile(const QString& fileName) const {
    return programFilePath(m_runtime.services().appPath, fileName);
}

QString Program::scoreFile() const {
    if (m_scoreFile.isEmpty()) {
        m_scoreFile = findScoreFile();
    }
    return m_scoreFile;
}

QString Program::findScoreFile() const {
    const QString beside = programFile(ScoreFileName);
    // Whatever lies there is the table to show: a shared one in a read-only folder too,
    // whose saves say they cannot write, and anything that is no file, whose load says so.
    // It is only looked at, never opened: opening a pipe would wait for a writer.
    const Services& services = m_runtime.services();
    if (fileKindAt(beside) != FileKind::Missing ||
        (!services.installed && takesNewFiles(services.appPath))) {
        return beside;
    }
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    if (folder.isEmpty() || !QDir().mkpath(folder)) {
        return beside; // nowhere better: reading and saving report their own failures
    }
    return QDir::toNativeSeparators(folder + u'/' + ScoreFileName);
}

const QStringList& Program::soundFiles() {
    static const QStringList files{QStringLiteral("Data1.dat"), QStringLiteral("Data2.dat"),
                                   QStringLiteral("Data3.dat"), QStringLiteral("Data4.dat")};
    return files;
}

void Program::playSound(Sound sound) {
    if (SoundOutput* output = m_runtime.services().sound.get()) {
        Module1::PlaySoundFile(*output, programFile(soundFiles().at(int(sound))), true);
    }
}

void Program::showMessage(const QString& text, MessageIcon icon) {
    m_runtime.services().messageBoxes->show(text, MessageCaption, icon);
}
