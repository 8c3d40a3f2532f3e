// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Layout.h"

#include <QFontDatabase>
#include <QWidget>
#include <QtMath>
#include <algorithm>

QFont layoutFont(const FontSpec& settings) {
    QFont font(QString::fromLatin1(settings.family));
    font.setPixelSize(qRound(settings.points * 96.0 / 72.0));
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    return font;
}

void installFontSubstitutes() {
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
}

void useInstalledFaces(QWidget* window) {
    const QStringList installed = QFontDatabase::families();
    const auto isInstalled = [&installed](const QString& family) {
        return installed.contains(family, Qt::CaseInsensitive);
    };
    QList<QWidget*> widgets = window->findChildren<QWidget*>();
    widgets.prepend(window);
    for (QWidget* widget : widgets) {
        QFont font = widget->font();
        if (!widget->testAttribute(Qt::WA_SetFont) || isInstalled(font.family())) {
            continue;
        }
        const QStringList substitutes = QFont::substitutes(font.family());
        const auto standIn = std::find_if(substitutes.begin(), substitutes.end(), isInstalled);
        if (standIn != substitutes.end()) {
            font.setFamily(*standIn);
            widget->setFont(font);
        }
    }
}

void setTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
    if (controls.size() > 0) {
        (*controls.begin())->setFocus();
    }
}
