// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/Module1.h"

namespace Module1 {

bool PlaySoundFile(SoundOutput& output, const QString& fileName, bool async) {
    quint32 flags = SoundFlag::FileName | SoundFlag::NoDefault;
    if (async) {
        flags |= quint32(SoundFlag::Async);
    }
    return output.play(fileName, flags);
}

} // namespace Module1
