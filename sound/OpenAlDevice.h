// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/OpenAlLibrary.h"

#include <AL/alext.h>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>

// One open OpenAL output: the device, its context, the one source every sound plays
// through, and each file decoded into a buffer on its first play. Buffers belong to the
// device, so they go with it. The context is current on the opening thread only, so the
// device is used and closed on that thread; it reads the sound files, so never the
// user-interface thread.
class OpenAlDevice {
public:
    // Samples beyond this are not loaded: a file this large is no sound effect, and reading
    // it would hold up the sounds of the clicks after it.
    static constexpr qint64 MaxSampleBytes = 16 * 1024 * 1024;

    // Loads OpenAL Soft, opens the default output device and decodes `fileNames` ahead; null
    // when the library or a device is missing. Nothing is printed, whatever the sound
    // libraries meet on the way.
    static std::unique_ptr<OpenAlDevice> open(const QStringList& fileNames);

    ~OpenAlDevice();
    OpenAlDevice(const OpenAlDevice&) = delete;
    OpenAlDevice& operator=(const OpenAlDevice&) = delete;

    // False once the device has been lost, as when its sound server went away.
    bool connected() const;
    // Stops the sound playing and starts this file's; its length in ms, or nullopt (and
    // silence) when the file is not a playable wave file.
    std::optional<qint64> play(const QString& path);
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
        qint64 durationMs = 0;
    };

    OpenAlDevice(const OpenAlLibrary& al, ALCdevice* device);
    // Makes the context and its source; false when that fails.
    bool start();
    const Buffer* bufferFor(const QString& path);
    void load(const QString& path, Buffer& entry);
    void release(Buffer& buffer);

    const OpenAlLibrary& m_al;
    ALCdevice* m_device;
    ALCcontext* m_context = nullptr;
    ALuint m_source = 0;
    LPALCDEVICEPAUSESOFT m_pause = nullptr; // null where the device cannot rest
    LPALCDEVICERESUMESOFT m_resume = nullptr;
    bool m_resting = false;
    std::map<QString, Buffer> m_buffers; // by the path as played
};
