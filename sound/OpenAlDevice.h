#pragma once

#include <AL/al.h>
#include <AL/alc.h>
#include <AL/alext.h>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>

// One open OpenAL output: the device, its context (current for the whole process), the one
// source every sound plays through, and each file decoded into a buffer on its first play.
// Buffers belong to the device, so they go with it. Opened on any thread, then used from
// one thread at a time.
class OpenAlDevice {
public:
    // Samples beyond this are not loaded: a file this large is no sound effect, and reading
    // it would hold up the click that plays it.
    static constexpr qint64 MaxSampleBytes = 16 * 1024 * 1024;

    // Opens the default output device and decodes `fileNames` ahead; null when there is no
    // device. Nothing is printed, whatever the sound libraries meet on the way.
    static std::unique_ptr<OpenAlDevice> open(const QStringList& fileNames);

    ~OpenAlDevice();
    OpenAlDevice(const OpenAlDevice&) = delete;
    OpenAlDevice& operator=(const OpenAlDevice&) = delete;

    // False once the device has been lost, as when its sound server went away.
    bool connected() const;
    // Stops the sound playing and starts this file's; its length in ms, or nullopt (and
    // silence) when the file is not a playable wave file.
    std::optional<int> play(const QString& path);
    bool playing() const;
    // Stops mixing while nothing plays, so that an idle game neither uses the processor nor
    // wakes up; the next play starts it again.
    void rest();

private:
    // A file as last seen on disk; `buffer` is 0 when it could not be decoded.
    struct Buffer {
        qint64 size = -1;
        QDateTime modified;
        ALuint buffer = 0;
        int durationMs = 0;
    };

    OpenAlDevice(ALCdevice* device, ALCcontext* context, ALuint source);
    const Buffer* bufferFor(const QString& path);
    static void load(const QString& path, Buffer& entry);
    static void release(Buffer& buffer);

    ALCdevice* m_device;
    ALCcontext* m_context;
    ALuint m_source;
    LPALCDEVICEPAUSESOFT m_pause = nullptr; // null where the device cannot rest
    LPALCDEVICERESUMESOFT m_resume = nullptr;
    bool m_resting = false;
    std::map<QString, Buffer> m_buffers; // by the path as played
};
