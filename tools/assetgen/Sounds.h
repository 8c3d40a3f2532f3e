// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <vector>

// The game's four sounds, synthesised as mono samples in [-1, 1] at soundRate. Each starts
// at once, peaks at -3 dBFS and fades out over its last milliseconds.
inline constexpr int soundRate = 44100;

std::vector<float> hitSound();    // a crisp gunshot with a short metallic ping
std::vector<float> alertSound();  // a two-tone chime, falling
std::vector<float> missSound();   // a shot, a dull thud and a ricochet whine
std::vector<float> buttonSound(); // a short soft click
