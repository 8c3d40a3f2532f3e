// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "sound/SoundOutput.h"

#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>
#include <functional>

// Records every sound request instead of playing it; the result it reports is settable.
class RecordingSound : public SoundOutput {
public:
    struct Call {
        QString fileName;
        quint32 flags;
    };

    bool play(const QString& fileName, quint32 flags) override {
        calls.push_back({fileName, flags});
        if (whilePlaying) {
            whilePlaying();
        }
        return result;
    }

    // The bare file names played, in order ("Data4.dat", ...).
    QStringList played() const {
        QStringList names;
        for (const Call& call : calls) {
            names << QFileInfo(call.fileName).fileName();
        }
        return names;
    }

    void clear() { calls.clear(); }

    std::vector<Call> calls;
    bool result = true;
    // Runs at every sound request, so a test can look at the program at that moment.
    std::function<void()> whilePlaying;
};
