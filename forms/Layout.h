// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QRect>
#include <initializer_list>
#include <optional>

class QWidget;

// Positions and sizes as the layouts store them, in twips: 15 twips make one pixel at 96 dpi.
struct Twips {
    int left;
    int top;
    int width;
    int height;
    QRect pixels() const { return {left / 15, top / 15, width / 15, height / 15}; }
};

// A font as the layouts name it, in points at 96 dpi (20.25 pt is 27 px).
struct FontSpec {
    const char* family;
    double points;
    bool bold = false;
    bool italic = false;
};

// The controls' default font.
inline constexpr FontSpec DefaultFont{"MS Sans Serif", 8.25};

QFont layoutFont(const FontSpec& settings);

// Maps the Windows faces the layouts name to close faces where they are missing.
void installFontSubstitutes();

// Gives every control of the window whose font family is not installed its first installed
// stand-in. Given a missing family, Qt looks up the system's whole list of fallback faces
// for it and again for the stand-in it settles on (fontconfig sorting every installed face,
// milliseconds per face); given the face itself, it asks for that list only once a
// character is missing from it. Reading the installed families loads the font database,
// which is best done once the window has been handed to the window system.
void useInstalledFaces(QWidget* window);

// A control's pointer; none keeps the pointer of what lies below.
using Pointer = std::optional<QCursor>;

// Tab order: the focusable controls in the order given; the first one takes the focus
// when the form is shown.
void setTabOrder(std::initializer_list<QWidget*> controls);
