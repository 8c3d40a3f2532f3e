#include "forms/Layout.h"

#include <QFontDatabase>
#include <QWidget>
#include <QtMath>

namespace {

// The face that draws a family: the family where it is installed, else its first installed
// stand-in (installFontSubstitutes), else the family as named, for Qt's own matching. Given
// a missing family, Qt looks up the system's whole list of fallback faces for it and for the
// stand-in it settles on (fontconfig sorting every installed face, milliseconds at start-up);
// given the face itself, it asks for that list only once a character is missing from it.
// (Installed families are looked up in Qt's list: asking whether it has one family makes
// fontconfig resolve the name as an alias first, which costs as much as the fallbacks.)
QString installedFamily(const QString& family) {
    const QStringList installed = QFontDatabase::families();
    if (installed.contains(family, Qt::CaseInsensitive)) {
        return family;
    }
    for (const QString& substitute : QFont::substitutes(family)) {
        if (installed.contains(substitute, Qt::CaseInsensitive)) {
            return substitute;
        }
    }
    return family;
}

} // namespace

QFont layoutFont(const FontSpec& settings) {
    QFont font(installedFamily(QString::fromLatin1(settings.family)));
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
