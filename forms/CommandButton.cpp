#include "forms/CommandButton.h"

CommandButton::CommandButton(QWidget* parent, const CommandButtonSpec& spec)
    : QPushButton(spec.caption, parent) {
    setGeometry(spec.bounds.pixels());
    setFont(layoutFont(DefaultFont));
    setCursor(Qt::ArrowCursor);
    setToolTip(spec.toolTip);
    setAccessibleName(spec.caption);
    setAutoDefault(false);
    setDefault(false);
    setEnabled(spec.enabled);
    connect(this, &QPushButton::clicked, this, [this] {
        if (m_handler) {
            m_handler();
        }
    });
}
