// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms/TextBox.h"

#include <QValidator>
#include <algorithm>

// Keeps what the user types, pastes or drops within the box's limits: the inserted text
// loses its refused characters and is cut to the room left, and the rest of the text stays
// as it was. Deleting is always allowed, even from a text the program set past the limit.
class TypingRule : public QValidator {
public:
    TypingRule(QObject* parent, int maxLength, std::function<bool(QChar)> acceptsCharacter)
        : QValidator(parent), m_maxLength(maxLength), m_accepts(std::move(acceptsCharacter)) {}

    State validate(QString& input, int& cursor) const override {
        if (settingFromCode) {
            return Acceptable;
        }
        // The edit replaced before[start, before.size() - kept) by input[start, end).
        const qsizetype shorter = std::min(input.size(), before.size());
        qsizetype kept = input.size() - cursor;
        if (kept < 0 || kept > shorter || input.last(kept) != before.last(kept)) {
            kept = 0; // the cursor is not after the inserted text: keep the common tail
            while (kept < shorter &&
                   input[input.size() - 1 - kept] == before[before.size() - 1 - kept]) {
                ++kept;
            }
        }
        qsizetype start = 0;
        while (start < shorter - kept && input[start] == before[start]) {
            ++start;
        }
        QString inserted = input.mid(start, input.size() - kept - start);
        if (m_accepts) {
            // Composed first: text handed over decomposed (a letter, then its accent) keeps
            // the letters the filter accepts whole instead of losing their accents.
            inserted = inserted.normalized(QString::NormalizationForm_C);
            inserted.removeIf([this](QChar c) { return !m_accepts(c); });
        }
        if (m_maxLength > 0) {
            inserted.truncate(std::max<qsizetype>(0, m_maxLength - start - kept));
        }
        input = before.first(start) + inserted + before.last(kept);
        cursor = int(start + inserted.size());
        return Acceptable;
    }

    QString before;               // the text before the edit being checked
    bool settingFromCode = false; // the program's text passes whole

private:
    int m_maxLength;
    std::function<bool(QChar)> m_accepts;
};

TextBox::TextBox(QWidget* parent, const TextBoxSpec& settings) : QLineEdit(parent) {
    setGeometry(settings.bounds.pixels());
    setFont(layoutFont(settings.font));
    setAlignment(settings.alignment | Qt::AlignVCenter);
    setFrame(settings.border);
    setReadOnly(settings.locked);
    setAccessibleName(settings.accessibleName);
    // A text box's own pointer is the text cursor, locked or not; a read-only line edit
    // would take the arrow.
    setCursor(settings.pointer.value_or(QCursor(Qt::IBeamCursor)));
    QPalette palette = this->palette();
    if (settings.foreColor.isValid()) {
        palette.setColor(QPalette::Text, settings.foreColor);
    }
    if (settings.backColor.isValid()) {
        palette.setColor(QPalette::Base, settings.backColor);
    }
    setPalette(palette);
    if (settings.maxLength > 0 || settings.acceptsCharacter) {
        m_rule = new TypingRule(this, settings.maxLength, settings.acceptsCharacter);
        setValidator(m_rule);
        connect(this, &QLineEdit::textChanged, m_rule,
                [rule = m_rule](const QString& text) { rule->before = text; });
    }
}

void TextBox::setText(const QString& text) {
    if (m_rule != nullptr) {
        m_rule->settingFromCode = true;
    }
    QLineEdit::setText(text);
    if (m_rule != nullptr) {
        m_rule->settingFromCode = false;
    }
    // A line edit leaves the cursor at the end and scrolls a long text to its tail; the
    // box shows the text from its start instead, cut at its right edge.
    setCursorPosition(0);
}
