// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/FileKind.h"

QString notAFileText(FileKind kind) {
    switch (kind) {
    case FileKind::Folder:
        return QStringLiteral("Na místě souboru se skóre je složka.");
    case FileKind::Pipe:
        return QStringLiteral("Na místě souboru se skóre je roura (FIFO), ne soubor.");
    case FileKind::Device:
        return QStringLiteral("Na místě souboru se skóre je zařízení, ne soubor.");
    case FileKind::Socket:
        return QStringLiteral("Na místě souboru se skóre je soket, ne soubor.");
    case FileKind::LinkLoop:
        return QStringLiteral("Na místě souboru se skóre je zacyklený odkaz, ne soubor.");
    case FileKind::Missing:
    case FileKind::File:
    case FileKind::Other:
        break;
    }
    return QStringLiteral("Na místě souboru se skóre není obyčejný soubor.");
}

bool isFileOrMissing(FileKind kind) {
    return kind == FileKind::File || kind == FileKind::Missing;
}
