// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <vector>

// A RIFF WAVE file, 16-bit PCM mono, from samples in [-1, 1].
QByteArray waveFile(const std::vector<float>& samples, int sampleRate);
