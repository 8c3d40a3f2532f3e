// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Conversions.h"

#include "forms/RuntimeError.h"

#include <QLocale>

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
    // runtime's conversion does. QString::number ignores every locale (and, unlike
    // std::to_chars, every C++ library has it), so the point is ours to map.
    QString text = QString::number(value, 'g', 15).toUpper();
    return text.replace(u'.', QLocale().decimalPoint());
}
