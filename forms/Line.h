// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "forms/Layout.h"

#include <QWidget>

struct LineSpec {
    int x1, y1, x2, y2; // twips
    QColor color = {};  // invalid: the system's window-text colour
    int width = 1;      // pixels
};

// A horizontal or vertical line. It takes no clicks: they reach what lies below. Assistive
// technology does not announce it.
class Line : public QWidget {
    Q_OBJECT

public:
    Line(QWidget* parent, const LineSpec& settings);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_color;
};
