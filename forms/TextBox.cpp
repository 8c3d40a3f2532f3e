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

TextBox::TextBox(QWidget* parent, const TextBoxSpec& spec) : QLineEdit(parent) {
    setGeometry(spec.bounds.pixels());
    setFont(layoutFont(spec.font));
    setAlignment(spec.alignment | Qt::AlignVCenter);
    setFrame(spec.border);
    setReadOnly(spec.locked);
    setAccessibleName(spec.accessibleName);
    if (spec.pointer) {
        setCursor(*spec.pointer);
    }
    QPalette palette = this->palette();
    if (spec.foreColor.isValid()) {
        palette.setColor(QPalette::Text, spec.foreColor);
    }
    if (spec.backColor.isValid()) {
        palette.setColor(QPalette::Base, spec.backColor);
    }
    setPalette(palette);
    if (spec.maxLength > 0 || spec.acceptsCharacter) {
        setValidator(new TypingRule(this, spec.maxLength, spec.acceptsCharacter));
    }
}
