#pragma once

#include "sound/SoundOutput.h"

#include <QFileInfo>
#include <QStringList>
#include <QtGlobal>

// Records every sound request instead of playing it; the result it reports is settable.
class RecordingSound : public SoundOutput {
public:
    struct Call {
        QString fileName;
        quint32 flags;
    };

    bool play(const QString& fileName, quint32 flags) override {
        calls.push_back({fileName, flags});
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
};
