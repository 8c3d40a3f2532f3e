// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/OpenAlDevice.h"

#include "sound/WaveFile.h"

#include <QFileInfo>
#include <dlfcn.h>
#include <mutex>

namespace {

// libasound's error handler type; its declaration needs the ALSA headers, which nothing
// else here needs.
using AlsaErrorHandler = void (*)(const char* file, int line, const char* function, int err,
                                  const char* format, ...);

void ignoreAlsaError(const char*, int, const char*, int, const char*, ...) {}

// Without a sound server OpenAL Soft tries ALSA, and libasound reports every device it cannot
// open on stderr. It is the same libasound that OpenAL Soft loads, so a handler set here
// holds for it. The library stays loaded for the life of the process, as OpenAL Soft keeps it.
void silenceAlsaErrors() {
    static std::once_flag once;
    std::call_once(once, [] {
        void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_LOCAL);
        if (!alsa) {
            return;
        }
        using SetHandler = int (*)(AlsaErrorHandler);
        if (auto set = reinterpret_cast<SetHandler>(dlsym(alsa, "snd_lib_error_set_handler"))) {
            set(ignoreAlsaError);
        }
    });
}

// A mono sound as a stereo one with the same samples on both sides, so that it comes out of
// each speaker at its full level, as winmm plays it; OpenAL would spread it over the two
// at -3 dB each.
QByteArray toStereo(const QByteArray& mono, int bytesPerSample) {
    QByteArray stereo;
    stereo.reserve(mono.size() * 2);
    for (qsizetype i = 0; i + bytesPerSample <= mono.size(); i += bytesPerSample) {
        stereo.append(mono.constData() + i, bytesPerSample);
        stereo.append(mono.constData() + i, bytesPerSample);
    }
    return stereo;
}

} // namespace

std::unique_ptr<OpenAlDevice> OpenAlDevice::open(const QStringList& fileNames) {
    const OpenAlLibrary* library = OpenAlLibrary::load();
    if (!library) {
        return nullptr;
    }
    silenceAlsaErrors();
    ALCdevice* device = library->alcOpenDevice(nullptr);
    if (!device) {
        return nullptr;
    }
    std::unique_ptr<OpenAlDevice> opened(new OpenAlDevice(*library, device));
    if (!opened->start()) {
        return nullptr;
    }
    for (const QString& fileName : fileNames) {
        opened->bufferFor(fileName);
    }
    opened->rest();
    return opened;
}

OpenAlDevice::OpenAlDevice(const OpenAlLibrary& al, ALCdevice* device)
    : m_al(al), m_device(device) {
    if (m_al.alcIsExtensionPresent(device, "ALC_SOFT_pause_device")) {
        m_pause = reinterpret_cast<LPALCDEVICEPAUSESOFT>(
            m_al.alcGetProcAddress(device, "alcDevicePauseSOFT"));
        m_resume = reinterpret_cast<LPALCDEVICERESUMESOFT>(
            m_al.alcGetProcAddress(device, "alcDeviceResumeSOFT"));
        if (!m_pause || !m_resume) {
            m_pause = nullptr;
        }
    }
}

OpenAlDevice::~OpenAlDevice() {
    if (m_context) {
        m_al.alSourceStop(m_source);
        m_al.alSourcei(m_source, AL_BUFFER, 0);
        m_al.alDeleteSources(1, &m_source);
        for (auto& [path, buffer] : m_buffers) {
            release(buffer);
        }
        m_al.alcSetThreadContext(nullptr);
        m_al.alcDestroyContext(m_context);
    }
    m_al.alcCloseDevice(m_device);
}

bool OpenAlDevice::connected() const {
    if (!m_al.alcIsExtensionPresent(m_device, "ALC_EXT_disconnect")) {
        return true;
    }
    ALCint connected = ALC_TRUE;
    m_al.alcGetIntegerv(m_device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

std::optional<qint64> OpenAlDevice::play(const QString& path) {
    // Detached first, so that a changed file's buffer can be replaced.
    m_al.alSourceStop(m_source);
    m_al.alSourcei(m_source, AL_BUFFER, 0);
    const Buffer* buffer = bufferFor(path);
    if (!buffer) {
        return std::nullopt;
    }
    if (m_resting) {
        m_resume(m_device);
        m_resting = false;
    }
    m_al.alGetError();
    m_al.alSourcei(m_source, AL_BUFFER, ALint(buffer->buffer));
    m_al.alSourcePlay(m_source);
    if (m_al.alGetError() != AL_NO_ERROR) {
        return std::nullopt;
    }
    return buffer->durationMs;
}

bool OpenAlDevice::playing() const {
    ALint state = AL_STOPPED;
    m_al.alGetSourcei(m_source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
}

bool OpenAlDevice::start() {
    ALCcontext* context = m_al.alcCreateContext(m_device, nullptr);
    if (!context || !m_al.alcSetThreadContext(context)) {
        if (context) {
            m_al.alcDestroyContext(context);
        }
        return false;
    }
    m_al.alGetError();
    m_al.alGenSources(1, &m_source);
    if (m_al.alGetError() != AL_NO_ERROR) {
        m_al.alcSetThreadContext(nullptr);
        m_al.alcDestroyContext(context);
        return false;
    }
    // Heard as it is: each side of a sound to its own speaker, not placed in space.
    m_al.alSourcei(m_source, AL_SOURCE_RELATIVE, AL_TRUE);
    if (m_al.alIsExtensionPresent("AL_SOFT_direct_channels")) {
        m_al.alSourcei(m_source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    }
    m_context = context;
    return true;
}

void OpenAlDevice::rest() {
    if (!m_resting && m_pause && !playing()) {
        m_pause(m_device);
        m_resting = true;
    }
}

const OpenAlDevice::Buffer* OpenAlDevice::bufferFor(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile()) {
        if (const auto known = m_buffers.find(path); known != m_buffers.end()) {
            release(known->second);
            m_buffers.erase(known);
        }
        return nullptr;
    }
    Buffer& entry = m_buffers[path];
    if (entry.size != info.size() || entry.modified != info.lastModified()) {
        release(entry);
        entry.size = info.size();
        entry.modified = info.lastModified();
        load(path, entry);
    }
    return entry.buffer ? &entry : nullptr;
}

void OpenAlDevice::load(const QString& path, Buffer& entry) {
    const std::optional<WaveFile> wave = WaveFile::inspect(path);
    if (!wave || wave->dataBytes > MaxSampleBytes) {
        return;
    }
    QByteArray samples = wave->samples(path);
    // OpenAL takes whole frames only; a stray byte at the end is dropped.
    samples.chop(samples.size() % (wave->channels * wave->bitsPerSample / 8));
    if (wave->channels == 1) {
        samples = toStereo(samples, wave->bitsPerSample / 8);
    }
    if (samples.isEmpty()) {
        return;
    }
    m_al.alGetError();
    ALuint id = 0;
    m_al.alGenBuffers(1, &id);
    if (m_al.alGetError() != AL_NO_ERROR) {
        return;
    }
    m_al.alBufferData(id, wave->bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16,
                      samples.constData(), ALsizei(samples.size()), wave->sampleRate);
    if (m_al.alGetError() != AL_NO_ERROR) {
        m_al.alDeleteBuffers(1, &id);
        return;
    }
    entry.buffer = id;
    entry.durationMs = wave->durationMs();
}

void OpenAlDevice::release(Buffer& buffer) {
    if (buffer.buffer) {
        m_al.alDeleteBuffers(1, &buffer.buffer);
        buffer.buffer = 0;
    }
}
