// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// The floor for start-up time and memory with this toolkit: a Qt Widgets window of the
// main menu's size holding one push button, nothing else. Measured side by side with the
// game by startup_idle.sh.

#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("bare window"));
    window.setFixedSize(546, 344);
    QPushButton button(QStringLiteral("Nová hra"), &window);
    button.setGeometry(32, 296, 113, 33);
    window.showNormal();
    return app.exec();
}
