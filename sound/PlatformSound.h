#pragma once

#include "sound/SoundOutput.h"

#include <QStringList>
#include <memory>

// The platform's wave player: winmm on Windows, Qt Multimedia elsewhere. The files named in
// `preloadFileNames` (as later passed to play) are made ready now where the backend loads
// sounds ahead, so that the first click's sound is not late.
std::unique_ptr<SoundOutput> createPlatformSoundOutput(const QStringList& preloadFileNames = {});
