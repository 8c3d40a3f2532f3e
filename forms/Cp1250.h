// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QChar>
#include <QString>
#include <QStringView>

// Windows-1250 (Central European) text, as the score file stores it. The conversion uses
// a table of our own rather than Qt's named codecs, which need ICU and so are missing
// from Qt's Windows builds.

// Decodes into room for bytes.size() characters at `out`. Every byte decodes to exactly
// one character, so decoding never fails and encoding what was decoded gives back the
// same bytes.
void decodeCp1250(QByteArrayView bytes, QChar* out);

// A character Windows-1250 cannot store becomes '?'.
QByteArray toCp1250(QStringView text);

// True when the character has a byte of its own in Windows-1250 (ASCII included).
bool isCp1250Encodable(QChar character);
