// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QTemporaryFile>
#include <cstdio>
#include <unistd.h>

// Catches what is written to the process's stderr (file descriptor 2, as C libraries write
// it, not only Qt's messages) from construction until text() is called.
class StderrCapture {
public:
    StderrCapture() {
        std::fflush(stderr);
        if (m_file.open()) {
            m_saved = dup(STDERR_FILENO);
            dup2(m_file.handle(), STDERR_FILENO);
        }
    }
    ~StderrCapture() { restore(); }

    // Ends the capture and returns what was written meanwhile.
    QByteArray text() {
        restore();
        m_file.seek(0);
        return m_file.readAll();
    }

private:
    void restore() {
        if (m_saved >= 0) {
            std::fflush(stderr);
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
            m_saved = -1;
        }
    }

    QTemporaryFile m_file;
    int m_saved = -1;
};
