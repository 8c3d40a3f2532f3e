// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Frame.h"

Frame::Frame(QWidget* parent, const FrameSpec& settings) : QGroupBox(settings.caption, parent) {
    setGeometry(settings.bounds.pixels());
    setFont(layoutFont(settings.captionFont));
    setAccessibleName(settings.caption);
    // Opaque like a label: without a colour of its own, the platform's button face.
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, settings.backColor.isValid()
                                           ? settings.backColor
                                           : palette.color(QPalette::Button));
    setPalette(palette);
    setAutoFillBackground(true);
}

void Frame::setCaption(const QString& caption) {
    setTitle(caption);
    setAccessibleName(caption);
}
