// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/ClickArea.h"
#include "forms/Layout.h"

#include <QPixmap>
#include <QString>

struct PictureBoxSpec {
    Twips bounds;
    QPixmap picture = {}; // drawn from the top-left corner, clipped to the box
    QColor backColor = {};
    Pointer pointer = {};
    QString toolTip = {};
    bool visible = true;
    QString accessibleName = {};
};

// A picture box: shows its picture and takes clicks while visible; a hidden box lets
// clicks through to what lies below.
class PictureBox : public ClickArea {
public:
    PictureBox(QWidget* parent, const PictureBoxSpec& settings);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    QColor m_backColor;
};
