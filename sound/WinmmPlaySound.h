// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>

// winmm's PlaySoundA on a file name: a NUL-terminated path in the system's ANSI code page,
// no module handle, the SND_* flags as given. True when winmm reports success.
// Kept free of Qt so that it compiles with nothing but the Windows headers.
bool winmmPlaySound(const char* ansiFileName, std::uint32_t flags);
