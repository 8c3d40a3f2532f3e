// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// A Windows program that needs winmm's PlaySoundA through the sound backend's Qt-free call,
// so that linking it proves the call resolves against winmm.
#include "sound/WinmmPlaySound.h"

int main(int argc, char** argv) {
    // SND_FILENAME | SND_NODEFAULT: a missing file fails quietly.
    return argc > 1 && winmmPlaySound(argv[1], 0x20002) ? 0 : 1;
}
