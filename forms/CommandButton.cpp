#include "forms/CommandButton.h"

CommandButton::CommandButton(QWidget* parent, const CommandButtonSpec& settings)
    : QPushButton(settings.caption, parent) {
    setGeometry(settings.bounds.pixels());
    setFont(layoutFont(DefaultFont));
    setCursor(Qt::ArrowCursor);
    setToolTip(settings.toolTip);
    setAccessibleName(settings.caption);
    setAutoDefault(false);
    setDefault(false);
    setEnabled(settings.enabled);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_handler) {
            m_handler();
        }
    });
}
