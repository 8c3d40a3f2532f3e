// SPDX-FileCopyrightText: 2026 Omvar team
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QObject>

#include <functional>
#include <memory>

// The QtTest classes one test program holds. Each test file registers its class with a
// RegisteredTest; the shared main (TestMain.cpp) runs them all, or the one it is named.
namespace TestRegistry {
using Factory = std::function<std::unique_ptr<QObject>()>;
void add(const char* className, Factory factory);
} // namespace TestRegistry

template <class Test> struct RegisteredTest {
    RegisteredTest() {
        TestRegistry::add(Test::staticMetaObject.className(),
                          [] { return std::make_unique<Test>(); });
    }
};
