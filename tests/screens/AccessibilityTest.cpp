// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Every window and control of the five forms tells assistive technology what it is; the
// decorative lines are hidden from it.
#include "app/Form2.h"
#include "app/Form3.h"
#include "forms/CommandButton.h"
#include "forms/Frame.h"
#include "forms/Label.h"
#include "forms/Line.h"
#include "forms/ListBox.h"
#include "forms/PictureBox.h"
#include "forms/TextBox.h"
#include "game/Form1.h"
#include "scores/Form4.h"
#include "scores/Form5.h"
#include "support/TestProgram.h"
#include "support/TestRegistry.h"

#include <QAccessible>
#include <QTest>

namespace {

// The kind of control a widget is, or nothing for a widget that is not one of ours.
QString controlKind(const QWidget* widget) {
    if (dynamic_cast<const Label*>(widget)) {
        return QStringLiteral("label");
    }
    if (dynamic_cast<const PictureBox*>(widget)) {
        return QStringLiteral("picture box");
    }
    if (dynamic_cast<const CommandButton*>(widget)) {
        return QStringLiteral("button");
    }
    if (dynamic_cast<const TextBox*>(widget)) {
        return QStringLiteral("text box");
    }
    if (dynamic_cast<const ListBox*>(widget)) {
        return QStringLiteral("list box");
    }
    if (dynamic_cast<const Frame*>(widget)) {
        return QStringLiteral("frame");
    }
    if (dynamic_cast<const Line*>(widget)) {
        return QStringLiteral("line");
    }
    return {};
}

bool isControl(const QWidget* widget) {
    return !controlKind(widget).isEmpty();
}

// Qt's own parts of a control (a list's viewport and scroll bars, ...) speak through it.
// Controls may lie on other controls, as on a picture box or in a frame.
bool insideControl(const QWidget* widget, const QWidget* client) {
    for (const QWidget* up = widget->parentWidget(); up && up != client; up = up->parentWidget()) {
        if (isControl(up)) {
            return true;
        }
    }
    return false;
}

QString accessibleName(QWidget* widget) {
    QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
    return face ? face->text(QAccessible::Name) : QString();
}

QString describe(const QWidget* widget) {
    const QString kind = controlKind(widget);
    return QStringLiteral("%1 at %2,%3 (%4)")
        .arg(kind.isEmpty() ? QString::fromLatin1(widget->metaObject()->className()) : kind)
        .arg(widget->x())
        .arg(widget->y())
        .arg(widget->window()->windowTitle());
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

private slots:
    void windowsAndControlsAreNamedAndLinesHidden_data() {
        QTest::addColumn<int>("slot");
        QTest::newRow("game screen") << Form1::Slot;
        QTest::newRow("pause dialog") << Form2::Slot;
        QTest::newRow("main menu") << Form3::Slot;
        QTest::newRow("score table screen") << Form4::Slot;
        QTest::newRow("name entry dialog") << Form5::Slot;
    }

    void windowsAndControlsAreNamedAndLinesHidden() {
        QFETCH(int, slot);
        TestProgram t;
        Form* form = loadForm(t, slot);
        form->Show(); // a hidden form's controls all count as invisible
        QWidget* window = form->window();
        QVERIFY2(!accessibleName(window).isEmpty(), qPrintable(describe(window)));
        QWidget* client = form->client();

        QStringList unnamed;
        QStringList announcedLines;
        QStringList unknown;
        int controls = 0;
        for (QWidget* widget : client->findChildren<QWidget*>()) {
            if (!isControl(widget)) {
                if (!insideControl(widget, client)) {
                    unknown << describe(widget);
                }
                continue;
            }
            ++controls;
            if (dynamic_cast<const Line*>(widget)) {
                const QAccessibleInterface* face = QAccessible::queryAccessibleInterface(widget);
                if (face && !face->state().invisible) {
                    announcedLines << describe(widget);
                }
            } else if (accessibleName(widget).trimmed().isEmpty()) {
                unnamed << describe(widget);
            }
        }
        QVERIFY(controls > 0);
        QVERIFY2(unknown.isEmpty(), qPrintable(QStringLiteral("not a control: ") +
                                               unknown.join(QStringLiteral("; "))));
        QVERIFY2(unnamed.isEmpty(), qPrintable(QStringLiteral("no accessible name: ") +
                                               unnamed.join(QStringLiteral("; "))));
        QVERIFY2(announcedLines.isEmpty(), qPrintable(QStringLiteral("announced decoration: ") +
                                                      announcedLines.join(QStringLiteral("; "))));
    }

private:
    static Form* loadForm(TestProgram& t, int slot) {
        switch (slot) {
        case Form1::Slot:
            return &t.form<Form1>();
        case Form2::Slot:
            return &t.form<Form2>();
        case Form3::Slot:
            return &t.form<Form3>();
        case Form4::Slot:
            return &t.form<Form4>();
        default:
            return &t.form<Form5>();
        }
    }
};

static const RegisteredTest<AccessibilityTest> registered;
#include "AccessibilityTest.moc"
