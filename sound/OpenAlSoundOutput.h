#pragma once

#include "sound/OpenAlDevice.h"
#include "sound/SoundOutput.h"

#include <QStringList>
#include <QTemporaryFile>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <future>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>

// Wave playback through OpenAL Soft, for platforms without winmm. It behaves as winmm does
// for the game: a new sound stops the one playing; a file that is missing or not a PCM wave
// file, or no output device, plays nothing and prints nothing.
//
// Everything that touches the library or the sound files runs on a worker thread started
// with the object, so that neither start-up nor a click waits for the sound server or the
// disk. The worker opens the device and decodes the preloaded files, then plays the
// requests in the order they came. An asynchronous play hands its file over and returns
// true at once when the device is open (whether the file plays is only known on the
// worker); a synchronous one waits until the sound has ended, and is true when it played.
// A play while the device is still opening waits up to ReadyWaitMs for it and gives false
// if it is not open by then. A device that is lost (its server went away) is closed at the
// next play and opened again; while there is none, a play tries again at most once a
// RetryIntervalMs. Mixing rests from RestAfterMs after the end of the last sound until the
// next play. One at a time in a process, since OpenAL's current context is the process's.
class OpenAlSoundOutput : public SoundOutput {
public:
    using Opener = std::function<std::unique_ptr<OpenAlDevice>(const QStringList&)>;

    static constexpr int ReadyWaitMs = 100;
    static constexpr int RetryIntervalMs = 1000;
    static constexpr int RestAfterMs = 2000;

    // Starts the worker, which opens the device and decodes `preloadFileNames` ahead.
    // `opener` stands in for OpenAlDevice::open in tests.
    explicit OpenAlSoundOutput(const QStringList& preloadFileNames = {},
                               Opener opener = &OpenAlDevice::open);
    ~OpenAlSoundOutput() override;

    bool play(const QString& fileName, quint32 flags) override;

private:
    using Clock = std::chrono::steady_clock;
    enum class DeviceState { Opening, Open, Closed };
    struct Request {
        QString path;
        std::shared_ptr<std::promise<bool>> played; // a synchronous play's answer
    };

    void prepareEnvironment();
    void run();
    void openDevice(std::unique_lock<std::mutex>& lock);
    bool playNow(const Request& request, std::unique_lock<std::mutex>& lock);
    static void waitForEnd(OpenAlDevice& device, qint64 durationMs);

    QTemporaryFile m_settings; // read by OpenAL Soft when it is first called, then removed
    const QStringList m_preload;
    const Opener m_opener;

    // Shared between the two threads, under m_mutex.
    std::mutex m_mutex;
    std::condition_variable m_changed; // a request, a state, or the end
    DeviceState m_state = DeviceState::Opening;
    bool m_openWanted = true;
    bool m_stopping = false;
    Clock::time_point m_lastAttempt;
    std::deque<Request> m_requests;

    // The worker's own.
    std::unique_ptr<OpenAlDevice> m_device;
    std::optional<Clock::time_point> m_restAt;

    std::thread m_worker; // last: started once everything above is in place
};
