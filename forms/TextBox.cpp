#include "forms/TextBox.h"

#include <QValidator>

namespace {

// Refuses typed text that would pass the length limit or holds a refused character.
class TypingRule : public QValidator {
public:
    TypingRule(QObject* parent, int maxLength, std::function<bool(QChar)> acceptsCharacter)
        : QValidator(parent), m_maxLength(maxLength), m_accepts(std::move(acceptsCharacter)) {}

    State validate(QString& input, int&) const override {
        if (m_maxLength > 0 && input.size() > m_maxLength) {
            return Invalid;
        }
        if (m_accepts) {
            for (QChar c : input) {
                if (!m_accepts(c)) {
                    return Invalid;
                }
            }
        }
        return Acceptable;
    }

private:
    int m_maxLength;
    std::function<bool(QChar)> m_accepts;
};

} // namespace

TextBox::TextBox(QWidget* parent, const TextBoxSpec& settings) : QLineEdit(parent) {
    setGeometry(settings.bounds.pixels());
    setFont(layoutFont(settings.font));
    setAlignment(settings.alignment | Qt::AlignVCenter);
    setFrame(settings.border);
    setReadOnly(settings.locked);
    setAccessibleName(settings.accessibleName);
    if (settings.pointer) {
        setCursor(*settings.pointer);
    }
    QPalette palette = this->palette();
    if (settings.foreColor.isValid()) {
        palette.setColor(QPalette::Text, settings.foreColor);
    }
    if (settings.backColor.isValid()) {
        palette.setColor(QPalette::Base, settings.backColor);
    }
    setPalette(palette);
    if (settings.maxLength > 0 || settings.acceptsCharacter) {
        setValidator(new TypingRule(this, settings.maxLength, settings.acceptsCharacter));
    }
}
