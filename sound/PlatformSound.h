// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/SoundOutput.h"

#include <QStringList>
#include <memory>

// The platform's wave player: winmm on Windows, Web Audio in the browser, OpenAL Soft
// elsewhere. The files named in `preloadFileNames` (as later passed to play) are decoded
// ahead where the backend keeps sounds in memory, off the caller's thread, so that the first
// click's sound is not late.
std::unique_ptr<SoundOutput> createPlatformSoundOutput(const QStringList& preloadFileNames = {});
