// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Layout.h"

#include <QLineEdit>
#include <functional>

class TypingRule;

struct TextBoxSpec {
    Twips bounds;
    FontSpec font = DefaultFont;
    QColor foreColor = {};
    QColor backColor = {};
    Qt::Alignment alignment = Qt::AlignLeft;
    int maxLength = 0; // characters the user may type; 0 for no limit
    bool border = true;
    bool locked = false; // the user may not type
    Pointer pointer = {};
    QString accessibleName = {};
    // Characters the user may type; all when empty.
    std::function<bool(QChar)> acceptsCharacter = {};
};

// A one-line text box. Its limits apply to what the user types or pastes: refused
// characters are dropped and the rest is cut to the room left. Text set by the program is
// kept whole and shown from its start.
class TextBox : public QLineEdit {
public:
    TextBox(QWidget* parent, const TextBoxSpec& settings);

    QString Text() const { return text(); }
    void setText(const QString& text);

private:
    TypingRule* m_rule = nullptr;
};
