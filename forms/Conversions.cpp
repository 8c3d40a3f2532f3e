// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Conversions.h"

#include "forms/RuntimeError.h"

#include <QLocale>
#include <charconv>

double textToDouble(const QString& text) {
    bool ok = false;
    const double value = QLocale().toDouble(text.trimmed(), &ok);
    if (!ok) {
        throw RuntimeError(RuntimeError::TypeMismatch, QStringLiteral("Neshoda typů"));
    }
    return value;
}

QString doubleToText(double value) {
    if (value == 0.0) {
        return QStringLiteral("0"); // also turns -0 into "0"
    }
    // The general format with 15 digits keeps 15 significant digits and drops trailing
    // zeros; it switches to the exponent form below 1E-4 and from 1E+15 on, as the
    // runtime's conversion does. to_chars ignores the C locale, so the point is ours to map.
    char buffer[40];
    const auto result =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, result.ptr - buffer).toUpper();
    return text.replace(u'.', QLocale().decimalPoint());
}
