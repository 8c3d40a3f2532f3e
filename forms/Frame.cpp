#include "forms/Frame.h"

Frame::Frame(QWidget* parent, const FrameSpec& settings) : QGroupBox(settings.caption, parent) {
    setGeometry(settings.bounds.pixels());
    setFont(layoutFont(settings.captionFont));
    setAccessibleName(settings.caption);
    if (settings.backColor.isValid()) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, settings.backColor);
        setPalette(palette);
        setAutoFillBackground(true);
    }
}

void Frame::setCaption(const QString& caption) {
    setTitle(caption);
    setAccessibleName(caption);
}
