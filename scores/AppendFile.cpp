// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/AppendFile.h"

#include "scores/FileKind.h"

AppendFile::~AppendFile() {
    close();
}

void AppendFile::fail(unsigned long systemError) {
    switch (reasonOf(systemError)) {
    case Reason::IsFolder:
        m_errorText = notAFileText(FileKind::Folder);
        return;
    case Reason::LinkLoop:
        m_errorText = notAFileText(FileKind::LinkLoop);
        return;
    case Reason::NoFolder:
        m_errorText = QStringLiteral("Složka pro soubor se skóre neexistuje.");
        return;
    case Reason::NoPermission:
        m_errorText = QStringLiteral("Program nemá právo do souboru se skóre zapisovat.");
        return;
    case Reason::ReadOnlyDisk:
        m_errorText = QStringLiteral("Disk se souborem se skóre je jen pro čtení.");
        return;
    case Reason::DiskFull:
        m_errorText = QStringLiteral("Na disku není dost místa.");
        return;
    case Reason::Locked:
        m_errorText = QStringLiteral("Soubor se skóre je uzamčen jiným programem.");
        return;
    case Reason::Other:
        break;
    }
    m_errorText = QStringLiteral("Systém ohlásil chybu: %1").arg(systemText(systemError));
}

void AppendFile::failToLock(unsigned long systemError) {
    m_errorText =
        QStringLiteral("Soubor se skóre nelze zamknout proti současnému ukládání z jiného "
                       "počítače (%1).")
            .arg(systemError);
}
