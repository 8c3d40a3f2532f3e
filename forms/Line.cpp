// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/Line.h"

#include <QAccessibleWidget>
#include <QPainter>

namespace {

// A line is decoration, so assistive technology passes over it: an invisible object is
// neither announced nor reached when moving between a window's parts.
class DecorationAccessible : public QAccessibleWidget {
public:
    explicit DecorationAccessible(QWidget* widget)
        : QAccessibleWidget(widget, QAccessible::Separator) {}

    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.invisible = true;
        return state;
    }
};

QAccessibleInterface* lineAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String(Line::staticMetaObject.className())) {
        return nullptr;
    }
    return new DecorationAccessible(static_cast<Line*>(object));
}

} // namespace

Line::Line(QWidget* parent, const LineSpec& settings) : QWidget(parent), m_color(settings.color) {
    [[maybe_unused]] static const bool factoryInstalled = [] {
        QAccessible::installFactory(lineAccessible);
        return true;
    }();
    const QPoint from(settings.x1 / 15, settings.y1 / 15);
    const QPoint to(settings.x2 / 15, settings.y2 / 15);
    setGeometry(
        QRect(from, to).normalized().adjusted(0, 0, settings.width - 1, settings.width - 1));
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), m_color.isValid() ? m_color : palette().color(QPalette::WindowText));
}
