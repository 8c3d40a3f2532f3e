// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

// The platform's wave player, as the sound helper calls it: winmm's PlaySoundA on Windows,
// OpenAL Soft elsewhere, a recorder in tests. `flags` are winmm's SND_* bits.
// Returns false, silently, when the file cannot be played.
class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    virtual bool play(const QString& fileName, quint32 flags) = 0;
};
