// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "support/ManualClock.h"
#include "support/ProgramHarness.h"
#include "support/RecordingSound.h"

// A program for a test: time moves only when the test advances the manual clock, and the
// sounds are recorded.
class TestProgram : public ProgramHarness {
public:
    TestProgram()
        : ProgramHarness(std::make_unique<ManualClock>(), std::make_unique<RecordingSound>()),
          clock(static_cast<ManualClock*>(program->runtime().services().clock.get())),
          sound(static_cast<RecordingSound*>(program->runtime().services().sound.get())) {}

    ManualClock* clock;
    RecordingSound* sound;
};
