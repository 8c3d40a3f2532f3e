#pragma once

#include "forms/Layout.h"

#include <QLineEdit>
#include <functional>

struct TextBoxSpec {
    Twips bounds;
    FontSpec font = DefaultFont;
    QColor foreColor = {};
    QColor backColor = {};
    Qt::Alignment alignment = Qt::AlignLeft;
    int maxLength = 0; // characters the user may type; 0 for no limit
    bool border = true;
    bool locked = false; // the user may not type
    Pointer pointer = {};
    QString accessibleName = {};
    // Characters the user may type; all when empty.
    std::function<bool(QChar)> acceptsCharacter = {};
};

// A one-line text box. Its limits apply to typing only: text set by the program is kept
// whole.
class TextBox : public QLineEdit {
public:
    TextBox(QWidget* parent, const TextBoxSpec& settings);

    QString Text() const { return text(); }
    void setText(const QString& text) { QLineEdit::setText(text); }
};
