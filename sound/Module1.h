// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/SoundOutput.h"

#include <QString>
#include <QtGlobal>

namespace Module1 {

// winmm's SND_* bits as the sound helper uses them, named apart from <mmsystem.h>'s macros.
enum class SoundFlag : quint32 {
    Async = 0x1,        // return at once while the sound plays
    NoDefault = 0x2,    // play no system sound when the file cannot be played
    FileName = 0x20000, // the name is a file's path
};

constexpr quint32 operator|(SoundFlag a, SoundFlag b) {
    return quint32(a) | quint32(b);
}

constexpr bool hasFlag(quint32 flags, SoundFlag flag) {
    return (flags & quint32(flag)) != 0;
}

// Plays a wave file by its full path. `async` true returns at once, false when the sound has
// ended. A new sound stops the one still playing. True when the output played it; a file
// that cannot be played, or no sound device, gives false and nothing else.
bool PlaySoundFile(SoundOutput& output, const QString& fileName, bool async);

} // namespace Module1
