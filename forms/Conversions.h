// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

// Text and numbers as the forms runtime converts them, by the default QLocale
// (the system's, unless a test sets another).

// Text to a double; leading and trailing blanks are ignored. A text that is not a number
// raises the runtime's "type mismatch" error (RuntimeError).
double textToDouble(const QString& text);

// A double as text: at most 15 significant digits, trailing zeros dropped, the locale's
// decimal separator, and an exponent form ("1E+15", "1.5E-05") for very large or small
// values. 2 / 3 * 100 gives "66.6666666666667".
QString doubleToText(double value);
