// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/SoundOutput.h"

// Wave playback through winmm, as the game has always played its sounds on Windows.
class WinmmSoundOutput : public SoundOutput {
public:
    bool play(const QString& fileName, quint32 flags) override;
};
