// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/ClickArea.h"
#include "forms/Layout.h"

#include <QString>

struct LabelSpec {
    Twips bounds;
    QString caption = {};
    FontSpec font = DefaultFont;
    QColor foreColor = {}; // invalid: the system's text colour
    QColor backColor = {}; // invalid: the system's button face
    bool transparent = false;
    Qt::Alignment alignment = Qt::AlignLeft;
    bool border = false; // a thin sunken frame
    Pointer pointer = {};
    QString toolTip = {};
    QString accessibleName = {}; // for a label without a caption
};

// A label: text wrapped within its bounds from the top, on its own colour or transparent.
class Label : public ClickArea {
public:
    Label(QWidget* parent, const LabelSpec& settings);

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_caption;
    QColor m_foreColor;
    QColor m_backColor;
    bool m_transparent;
    Qt::Alignment m_alignment;
    bool m_border;
    QString m_name; // the accessible name while there is no caption
};
