// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

// The main of every test program: `program Class [QtTest options]` runs the QtTest class
// named (CTest runs one class per test); `program [QtTest options]` runs each class the
// program holds in a process of its own, as CTest does, so that none sees what another left
// behind (a plugin loaded, a default locale set).
#include "support/TestRegistry.h"

#include <QApplication>
#include <QProcess>
#include <QTest>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

std::map<std::string, TestRegistry::Factory>& classes() {
    static std::map<std::string, TestRegistry::Factory> registered;
    return registered;
}

} // namespace

void TestRegistry::add(const char* className, Factory factory) {
    classes().emplace(className, std::move(factory));
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    if (argc > 1 && argv[1][0] != '-') {
        const auto named = classes().find(argv[1]);
        if (named == classes().end()) {
            std::fprintf(stderr, "%s: no test class %s; it holds:\n", argv[0], argv[1]);
            for (const auto& [name, factory] : classes()) {
                std::fprintf(stderr, "  %s\n", name.c_str());
            }
            return 2;
        }
        std::vector<char*> arguments(argv, argv + argc);
        arguments.erase(arguments.begin() + 1);
        const std::unique_ptr<QObject> test = named->second();
        return QTest::qExec(test.get(), int(arguments.size()), arguments.data());
    }
    const QStringList options = app.arguments().mid(1);
    int failed = 0;
    for (const auto& [name, factory] : classes()) {
        const int status = QProcess::execute(app.applicationFilePath(),
                                             QStringList(QString::fromStdString(name)) + options);
        failed += status == 0 ? 0 : 1;
    }
    return failed;
}
