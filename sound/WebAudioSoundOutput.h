// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sound/SoundOutput.h"

#include <QStringList>

// Wave playback through the browser's Web Audio, as winmm plays for the game: a new sound
// stops the one playing; a missing file, one the browser cannot decode, or a sound asked for
// while it is still being decoded plays nothing and prints nothing. Every file is decoded
// once, ahead, by the browser off the page's thread; a play only starts a decoded buffer.
// The audio context is the page's `Module.audioContext`, made by the first play when the
// page has not made it yet: browsers let it run only after the player's first click or key.
class WebAudioSoundOutput : public SoundOutput {
public:
    explicit WebAudioSoundOutput(const QStringList& preloadFileNames);
    ~WebAudioSoundOutput() override;
    WebAudioSoundOutput(const WebAudioSoundOutput&) = delete;
    WebAudioSoundOutput& operator=(const WebAudioSoundOutput&) = delete;

    bool play(const QString& fileName, quint32 flags) override;
};
