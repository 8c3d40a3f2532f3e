// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "sound/WinmmPlaySound.h"

#include <windows.h>

#include <mmsystem.h>

// The sound helper spells these bits as plain numbers; they must stay winmm's.
static_assert(SND_ASYNC == 0x1 && SND_NODEFAULT == 0x2 && SND_FILENAME == 0x20000);

bool winmmPlaySound(const char* ansiFileName, std::uint32_t flags) {
    return PlaySoundA(ansiFileName, nullptr, flags) != FALSE;
}
