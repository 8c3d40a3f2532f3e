// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/OpenAlDevice.h"
#include "sound/SoundOutput.h"

#include <QStringList>
#include <functional>
#include <memory>
#include <thread>

// Wave playback through OpenAL Soft, for platforms without winmm, as winmm plays for the
// game: a new sound stops the one playing; a missing or unplayable file, or no device, plays
// nothing and prints nothing. The library and the files are used on a worker thread only, so
// neither start-up nor a click waits for the sound server or the disk: an asynchronous play is
// true once the device is open, a synchronous one once its sound has been played out.
// A hung sound server holds a library call for half a minute: the destructor waits at most
// CloseWaitMs for the worker, then leaves it to end on its own or with the process.
class OpenAlSoundOutput : public SoundOutput {
public:
    using Opener = std::function<std::unique_ptr<OpenAlDevice>(const QStringList&)>;

    static constexpr int ReadyWaitMs = 100;      // a play waits this long for the device to open
    static constexpr int RetryIntervalMs = 1000; // a missing or lost device is tried this often
    static constexpr int RestAfterMs = 2000;     // mixing stops this long after the last sound
    static constexpr int CloseWaitMs = 500;

    // Starts the worker, which opens the device and decodes `preloadFileNames` ahead.
    // `opener` stands in for OpenAlDevice::open in tests.
    explicit OpenAlSoundOutput(const QStringList& preloadFileNames = {},
                               Opener opener = &OpenAlDevice::open);
    ~OpenAlSoundOutput() override;
    OpenAlSoundOutput(const OpenAlSoundOutput&) = delete;
    OpenAlSoundOutput& operator=(const OpenAlSoundOutput&) = delete;

    bool play(const QString& fileName, quint32 flags) override;

private:
    class Worker;

    std::shared_ptr<Worker> m_worker; // shared with the thread, which may outlive this object
    std::thread m_thread;
};
