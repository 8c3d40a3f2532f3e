// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#include "sound/WebAudioSoundOutput.h"

#include "sound/Module1.h"

#include <emscripten.h>

namespace {

// The sounds live in Module.omvarSounds: the decoded buffer of each file by its path (null
// while it is decoded, or for good when it cannot be), and the source node playing now.
// The files are decoded one after another, in the order given, so that the browser's
// decoder never holds more than one of them.
EM_JS(void, omvarSoundsLoad, (const char* joinedPaths), {
    const sounds = Module.omvarSounds = { buffers: new Map(), playing: null };
    const paths = UTF8ToString(joinedPaths).split('\n');
    paths.forEach(path => sounds.buffers.set(path, null));
    const decoder = new OfflineAudioContext(1, 1, 44100);
    paths.reduce((previous, path) => previous.then(() => {
        let bytes;
        try {
            bytes = FS.readFile(path);
        } catch (missing) {
            return undefined;
        }
        return decoder.decodeAudioData(bytes.buffer)
            .then(buffer => { sounds.buffers.set(path, buffer); }, () => {});
    }), Promise.resolve());
});

EM_JS(void, omvarSoundsUnload, (), {
    const sounds = Module.omvarSounds;
    if (sounds && sounds.playing) {
        sounds.playing.stop();
    }
    Module.omvarSounds = null;
});

// Starts the file's buffer, stopping the one playing; false when there is nothing to play.
EM_JS(bool, omvarSoundStart, (const char* path), {
    const sounds = Module.omvarSounds;
    const buffer = sounds ? sounds.buffers.get(UTF8ToString(path)) : null;
    if (!buffer) {
        return false;
    }
    if (!Module.audioContext) {
        Module.audioContext = new AudioContext();
    }
    const context = Module.audioContext;
    if (sounds.playing) {
        sounds.playing.stop();
    }
    const source = context.createBufferSource();
    source.buffer = buffer;
    source.connect(context.destination);
    source.onended = () => {
        if (sounds.playing === source) {
            sounds.playing = null;
        }
    };
    sounds.playing = source;
    source.start();
    return true;
});

// Waits until the sound started last has ended or been stopped.
EM_ASYNC_JS(void, omvarSoundWait, (), {
    const sounds = Module.omvarSounds;
    const source = sounds ? sounds.playing : null;
    if (source) {
        await new Promise(ended => source.addEventListener('ended', ended));
    }
});

} // namespace

WebAudioSoundOutput::WebAudioSoundOutput(const QStringList& preloadFileNames) {
    omvarSoundsLoad(preloadFileNames.join(u'\n').toUtf8().constData());
}

WebAudioSoundOutput::~WebAudioSoundOutput() {
    omvarSoundsUnload();
}

bool WebAudioSoundOutput::play(const QString& fileName, quint32 flags) {
    if (!omvarSoundStart(fileName.toUtf8().constData())) {
        return false;
    }
    if (!Module1::hasFlag(flags, Module1::SoundFlag::Async)) {
        omvarSoundWait();
    }
    return true;
}
