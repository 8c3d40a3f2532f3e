#include "forms/Frame.h"

Frame::Frame(QWidget* parent, const FrameSpec& spec) : QGroupBox(spec.caption, parent) {
    setGeometry(spec.bounds.pixels());
    setFont(layoutFont(spec.captionFont));
    setAccessibleName(spec.caption);
    if (spec.backColor.isValid()) {
        QPalette palette = this->palette();
        palette.setColor(QPalette::Window, spec.backColor);
        setPalette(palette);
        setAutoFillBackground(true);
    }
}

void Frame::setCaption(const QString& caption) {
    setTitle(caption);
    setAccessibleName(caption);
}
