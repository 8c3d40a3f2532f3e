#include "sound/QtSoundOutput.h"

#include "sound/Module1.h"

#include <QAudioDevice>
#include <QEventLoop>
#include <QFileInfo>
#include <QMediaDevices>
#include <QTimer>
#include <QUrl>

namespace {

// A synchronous play gives up this long after the sound should have ended, so a sink that
// never reports the end cannot hang the caller.
constexpr int SyncGraceMs = 2000;

// Qt 6.4 stops its PulseAudio stream as soon as the last samples are handed over, and the
// server drops what it still holds, up to about 120 ms: short sounds were mostly lost. Each
// sound is therefore loaded with this much silence after it, and the silence is lost instead.
constexpr int TrailingSilenceMs = 250;

QtMessageHandler g_outerMessageHandler = nullptr;

void dropSoundServerWarning(QtMsgType type, const QMessageLogContext& context,
                            const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QLatin1String("PulseAudioService:"))) {
        return;
    }
    g_outerMessageHandler(type, context, message);
}

// The callers join the program folder and the file name with a backslash, as on Windows.
QString localPath(const QString& fileName) {
#ifdef Q_OS_WIN
    return fileName;
#else
    QString path = fileName;
    return path.replace(QLatin1Char('\\'), QLatin1Char('/'));
#endif
}

} // namespace

QtSoundOutput::QtSoundOutput() = default;

QtSoundOutput::~QtSoundOutput() = default;

// Qt's PulseAudio backend warns once, when first asked for devices, that there is no sound
// server. The game then plays no sound without a word, as winmm does, so that warning is
// kept off the console; anything else logged meanwhile goes on as usual.
bool QtSoundOutput::hasOutputDevice() {
    static bool asked = false;
    if (!asked) {
        asked = true;
        g_outerMessageHandler = qInstallMessageHandler(dropSoundServerWarning);
        QMediaDevices::audioOutputs();
        qInstallMessageHandler(g_outerMessageHandler);
    }
    return !QMediaDevices::defaultAudioOutput().isNull();
}

bool QtSoundOutput::play(const QString& fileName, quint32 flags) {
    if (m_current) {
        m_current->stop();
    }
    m_current = nullptr;
    if (!hasOutputDevice()) {
        return false;
    }
    Effect* effect = effectFor(fileName);
    // A failed load stays failed: QSoundEffect::play() would only reset its status.
    if (!effect || !effect->sound || effect->sound->status() == QSoundEffect::Error) {
        return false;
    }
    if (effect->played) {
        renew(*effect);
    }
    effect->played = true;
    QSoundEffect& sound = *effect->sound;
    m_current = &sound;
    if (!Module1::hasFlag(flags, Module1::SoundFlag::Async)) {
        return playToEnd(sound, *effect->wave);
    }
    sound.play();
    return true;
}

void QtSoundOutput::preload(const QStringList& fileNames) {
    if (!hasOutputDevice()) {
        return;
    }
    for (const QString& fileName : fileNames) {
        effectFor(fileName);
    }
}

QtSoundOutput::Effect* QtSoundOutput::effectFor(const QString& fileName) {
    const QFileInfo info(localPath(fileName));
    const QString path = info.absoluteFilePath();
    if (!info.isFile()) {
        m_effects.erase(path);
        return nullptr;
    }
    std::unique_ptr<Effect>& slot = m_effects[path];
    if (slot && slot->size == info.size() && slot->modified == info.lastModified()) {
        return slot.get();
    }
    slot.reset();
    slot = std::make_unique<Effect>();
    slot->size = info.size();
    slot->modified = info.lastModified();
    // Checked here so that QSoundEffect never sees a file it would fail on, and complain.
    slot->wave = WaveFile::inspect(path);
    if (slot->wave) {
        // Handed over in memory, padded, as a data URL: Qt loads any URL it can fetch.
        const QByteArray padded = slot->wave->withTrailingSilence(path, TrailingSilenceMs);
        if (!padded.isEmpty()) {
            slot->source = QUrl(QStringLiteral("data:audio/wav;base64,") +
                                QString::fromLatin1(padded.toBase64()));
            slot->sound = std::make_unique<QSoundEffect>();
            slot->sound->setSource(slot->source);
        }
    }
    return slot.get();
}

// Qt 6.4 asks PulseAudio for a smaller buffer each time an effect plays again, until after
// four plays the stream stalls and the sound is never heard. A new effect over the same
// source starts afresh; it finds the sample already loaded, as the old effect still holds
// it when the new one asks for it, so a replay costs no loading.
void QtSoundOutput::renew(Effect& effect) {
    auto fresh = std::make_unique<QSoundEffect>();
    fresh->setSource(effect.source);
    effect.sound = std::move(fresh);
}

// Plays the sound and returns once it has ended, still taking timer and system events in
// the meantime, since the sink is driven by them; user input waits, as on a blocked thread.
// A sound started meanwhile by a timer's handler ends the wait and keeps playing.
bool QtSoundOutput::playToEnd(QSoundEffect& sound, const WaveFile& wave) {
    QEventLoop loop;
    QTimer bound;
    bound.setSingleShot(true);
    QObject::connect(&bound, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&sound, &QSoundEffect::playingChanged, &loop, &QEventLoop::quit);
    QObject::connect(&sound, &QSoundEffect::statusChanged, &loop, &QEventLoop::quit);
    const QPointer<QSoundEffect> playing = &sound;
    bound.start(wave.durationMs() + TrailingSilenceMs + SyncGraceMs);
    sound.play();
    while (playing && playing == m_current && playing->isPlaying() && bound.isActive()) {
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    if (!playing) {
        return true;
    }
    const bool failed = playing->status() == QSoundEffect::Error;
    if (playing == m_current) {
        playing->stop();
    }
    return !failed;
}
