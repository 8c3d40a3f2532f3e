// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// Renders every screen of the game to PNG files, offscreen, for review and for README:
//   QT_QPA_PLATFORM=offscreen omvar_snapshot <output folder>
// QT_SCALE_FACTOR=2 renders them as a 200 % display shows them.
#include "app/Form2.h"
#include "app/Form3.h"
#include "app/Program.h"
#include "forms/QtClock.h"
#include "game/Form1.h"
#include "scores/Form4.h"
#include "scores/Form5.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

class Silence : public SoundOutput {
public:
    bool play(const QString&, quint32) override { return true; }
};

class NoMessages : public MessageBoxes {
public:
    void show(const QString&, const QString&, MessageIcon) override {}
};

void save(Form& form, const QDir& out, const QString& name) {
    const QString path = out.filePath(name + QStringLiteral(".png"));
    if (!form.window()->grab().save(path)) {
        std::fprintf(stderr, "omvar_snapshot: cannot write %s\n", qPrintable(path));
    }
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: omvar_snapshot <output folder>\n", stderr);
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(out.path());

    // A program folder with a few stored results.
    QTemporaryDir folder;
    QFile scores(folder.filePath(QStringLiteral("Data5.dat")));
    if (scores.open(QIODevice::WriteOnly)) {
        scores.write("Dido,3,7,10,8.12.2026\r\nJan Nov\xe1k,5,12,17,8.12.2026\r\n"
                     "Eva,0,9,9,9.12.2026\r\n");
        scores.close();
    }
    Services services;
    services.clock = std::make_unique<QtClock>();
    services.messageBoxes = std::make_unique<NoMessages>();
    services.sound = std::make_unique<Silence>();
    services.today = [] { return QDate(2026, 12, 8); };
    services.appPath = folder.path();
    Program program(std::move(services));
    program.start();

    Form3& menu = program.form<Form3>();
    save(menu, out, QStringLiteral("menu"));

    menu.Command1->click();
    Form1& game = program.form<Form1>();
    game.switchTimers(false);
    game.Label7->setCaption(QStringLiteral("12"));
    game.Label8->setCaption(QStringLiteral("9"));
    game.Label11->setCaption(QStringLiteral("3"));
    game.Label9->setCaption(QStringLiteral("42"));
    save(game, out, QStringLiteral("game"));

    game.Command2->click();
    save(program.form<Form2>(), out, QStringLiteral("pause"));
    program.form<Form2>().Command2->click();

    menu.Command3->click();
    save(menu, out, QStringLiteral("menu-task"));

    menu.Command6->click();
    Form4& table = program.form<Form4>();
    save(table, out, QStringLiteral("score-table"));

    table.Command2->click();
    Form5& dialog = program.form<Form5>();
    dialog.Text1->setText(QStringLiteral("Jan Novák"));
    save(dialog, out, QStringLiteral("name-entry"));
    return 0;
}
