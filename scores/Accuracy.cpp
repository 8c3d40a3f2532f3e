// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scores/Accuracy.h"

#include "forms/Conversions.h"
#include "forms/RuntimeError.h"

#include <cmath>
#include <optional>

namespace {

std::optional<double> toNumber(const QString& text) {
    try {
        return textToDouble(text);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

} // namespace

QString Accuracy(const QString& hitsText, const QString& shotsText) {
    const std::optional<double> shots = toNumber(shotsText);
    if (!shots) {
        return {};
    }
    const double factor = *shots / 100;
    if (hitsText == u"0") {
        return QStringLiteral("0");
    }
    const std::optional<double> hits = toNumber(hitsText);
    if (!hits) {
        return {};
    }
    const double accuracy = *hits / factor;
    return std::isfinite(accuracy) ? doubleToText(accuracy) : QString();
}
