// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <stdexcept>

// A failing statement of the program: the error boundary shows it and ends the program.
class RuntimeError : public std::runtime_error {
public:
    enum Number {
        TypeMismatch = 13,
        InvalidPropertyValue = 380,
    };
    RuntimeError(Number number, const QString& description)
        : std::runtime_error(description.toStdString()), m_number(number) {}
    Number number() const { return m_number; }
    QString description() const { return QString::fromStdString(what()); }

private:
    Number m_number;
};
