#pragma once

#include "sound/SoundOutput.h"
#include "sound/WaveFile.h"

#include <QDateTime>
#include <QPointer>
#include <QSoundEffect>
#include <QStringList>
#include <QUrl>
#include <map>
#include <memory>
#include <optional>

// Wave playback through Qt Multimedia (QSoundEffect), for platforms without winmm. Each
// file is loaded once and kept in memory, so a click's sound starts at once; a file changed
// on disk is loaded again. It behaves as winmm does for the game: a new sound stops the one
// playing; a file that is missing, not a PCM wave file, or no output device gives false
// without any message. An async play of a file still loading returns true and plays once
// loaded. Lives on the user-interface thread.
class QtSoundOutput : public SoundOutput {
public:
    QtSoundOutput();
    ~QtSoundOutput() override;

    bool play(const QString& fileName, quint32 flags) override;

    // Starts loading these files now, so that their first play needs no loading.
    void preload(const QStringList& fileNames);

private:
    // One file as last seen on disk, and its effect when the file is a playable wave.
    // `played` tells that the effect's stream has been used (see renew()).
    struct Effect {
        qint64 size = -1;
        QDateTime modified;
        std::optional<WaveFile> wave;
        QUrl source; // the samples with trailing silence, in memory
        std::unique_ptr<QSoundEffect> sound;
        bool played = false;
    };

    static bool hasOutputDevice();
    Effect* effectFor(const QString& fileName);
    static void renew(Effect& effect);
    bool playToEnd(QSoundEffect& sound, const WaveFile& wave);

    std::map<QString, std::unique_ptr<Effect>> m_effects; // by absolute path
    QPointer<QSoundEffect> m_current;
};
