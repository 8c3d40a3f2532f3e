// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// The accuracy shown beside "Úspěšnost:", in percent, from a hits text and a total-shots
// text: "0" when the hits text is exactly "0", otherwise hits / (shots / 100) by the
// default number-to-text conversion (15 significant digits, the locale's decimal
// separator): 7 of 10 give "70", 2 of 3 "66.6666666666667".
// A broken saved record (a count that is not a number, a total of 0 with hits, any result
// that is not a finite number) gives the empty text rather than an error or a misleading
// number.
QString Accuracy(const QString& hitsText, const QString& shotsText);
