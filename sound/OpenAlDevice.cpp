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
    silenceAlsaErrors();
    ALCdevice* device = alcOpenDevice(nullptr);
    if (!device) {
        return nullptr;
    }
    ALCcontext* context = alcCreateContext(device, nullptr);
    if (!context || !alcMakeContextCurrent(context)) {
        if (context) {
            alcDestroyContext(context);
        }
        alcCloseDevice(device);
        return nullptr;
    }
    alGetError();
    ALuint source = 0;
    alGenSources(1, &source);
    if (alGetError() != AL_NO_ERROR) {
        alcMakeContextCurrent(nullptr);
        alcDestroyContext(context);
        alcCloseDevice(device);
        return nullptr;
    }
    // Heard as it is: each side of a sound to its own speaker, not placed in space.
    alSourcei(source, AL_SOURCE_RELATIVE, AL_TRUE);
    if (alIsExtensionPresent("AL_SOFT_direct_channels")) {
        alSourcei(source, AL_DIRECT_CHANNELS_SOFT, AL_TRUE);
    }
    std::unique_ptr<OpenAlDevice> opened(new OpenAlDevice(device, context, source));
    for (const QString& fileName : fileNames) {
        opened->bufferFor(fileName);
    }
    opened->rest();
    return opened;
}

OpenAlDevice::OpenAlDevice(ALCdevice* device, ALCcontext* context, ALuint source)
    : m_device(device), m_context(context), m_source(source) {
    if (alcIsExtensionPresent(device, "ALC_SOFT_pause_device")) {
        m_pause =
            reinterpret_cast<LPALCDEVICEPAUSESOFT>(alcGetProcAddress(device, "alcDevicePauseSOFT"));
        m_resume = reinterpret_cast<LPALCDEVICERESUMESOFT>(
            alcGetProcAddress(device, "alcDeviceResumeSOFT"));
        if (!m_pause || !m_resume) {
            m_pause = nullptr;
        }
    }
}

OpenAlDevice::~OpenAlDevice() {
    alSourceStop(m_source);
    alSourcei(m_source, AL_BUFFER, 0);
    alDeleteSources(1, &m_source);
    for (auto& [path, buffer] : m_buffers) {
        release(buffer);
    }
    alcMakeContextCurrent(nullptr);
    alcDestroyContext(m_context);
    alcCloseDevice(m_device);
}

bool OpenAlDevice::connected() const {
    if (!alcIsExtensionPresent(m_device, "ALC_EXT_disconnect")) {
        return true;
    }
    ALCint connected = ALC_TRUE;
    alcGetIntegerv(m_device, ALC_CONNECTED, 1, &connected);
    return connected != ALC_FALSE;
}

std::optional<int> OpenAlDevice::play(const QString& path) {
    if (m_resting) {
        m_resume(m_device);
        m_resting = false;
    }
    // Detached first, so that a changed file's buffer can be replaced.
    alSourceStop(m_source);
    alSourcei(m_source, AL_BUFFER, 0);
    const Buffer* buffer = bufferFor(path);
    if (!buffer) {
        return std::nullopt;
    }
    alGetError();
    alSourcei(m_source, AL_BUFFER, ALint(buffer->buffer));
    alSourcePlay(m_source);
    if (alGetError() != AL_NO_ERROR) {
        return std::nullopt;
    }
    return buffer->durationMs;
}

bool OpenAlDevice::playing() const {
    ALint state = AL_STOPPED;
    alGetSourcei(m_source, AL_SOURCE_STATE, &state);
    return state == AL_PLAYING;
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
    alGetError();
    ALuint id = 0;
    alGenBuffers(1, &id);
    if (alGetError() != AL_NO_ERROR) {
        return;
    }
    alBufferData(id, wave->bitsPerSample == 8 ? AL_FORMAT_STEREO8 : AL_FORMAT_STEREO16,
                 samples.constData(), ALsizei(samples.size()), wave->sampleRate);
    if (alGetError() != AL_NO_ERROR) {
        alDeleteBuffers(1, &id);
        return;
    }
    entry.buffer = id;
    entry.durationMs = wave->durationMs();
}

void OpenAlDevice::release(Buffer& buffer) {
    if (buffer.buffer) {
        alDeleteBuffers(1, &buffer.buffer);
        buffer.buffer = 0;
    }
}
