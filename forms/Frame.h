// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Layout.h"

#include <QGroupBox>

struct FrameSpec {
    Twips bounds;
    QString caption = {};
    FontSpec captionFont = DefaultFont;
    QColor backColor = {}; // invalid: the platform's button face
};

// A frame: a captioned border; its controls are placed from its top-left corner.
class Frame : public QGroupBox {
public:
    Frame(QWidget* parent, const FrameSpec& settings);

    QString Caption() const { return title(); }
    void setCaption(const QString& caption);
};
