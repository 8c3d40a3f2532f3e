#include "forms/Layout.h"

#include <QWidget>
#include <QtMath>

QFont layoutFont(const FontSpec& settings) {
    QFont font(QString::fromLatin1(settings.family));
    font.setPixelSize(qRound(settings.points * 96.0 / 72.0));
    font.setBold(settings.bold);
    font.setItalic(settings.italic);
    return font;
}

void installFontSubstitutes() {
    QFont::insertSubstitutions(
        QStringLiteral("Times New Roman"),
        {QStringLiteral("Liberation Serif"), QStringLiteral("DejaVu Serif")});
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"),
                                QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
    QFont::insertSubstitutions(QStringLiteral("Comic Sans MS"),
                               {QStringLiteral("Comic Neue"), QStringLiteral("DejaVu Sans")});
}

void setTabOrder(std::initializer_list<QWidget*> controls) {
    QWidget* previous = nullptr;
    for (QWidget* control : controls) {
        if (previous != nullptr) {
            QWidget::setTabOrder(previous, control);
        }
        previous = control;
    }
    if (controls.size() > 0) {
        (*controls.begin())->setFocus();
    }
}
