#pragma once

#include "FormFixture.h"

#include <QApplication>
#include <QtTest>

// A test's main that runs the whole test once for each way a desktop's clipboard announces
// the program's own writes: inside the write call (X11) and not at all (Wayland).
#define QUILLERY_MAIN_FOR_EACH_CLIPBOARD(TestObject)                                               \
    int main(int argc, char** argv) {                                                              \
        QApplication app(argc, argv);                                                              \
        app.setAttribute(Qt::AA_Use96Dpi, true);                                                   \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        int failed = 0;                                                                            \
        for (const auto way :                                                                      \
             {TFakeClipboard::TOwnWrites::Announced, TFakeClipboard::TOwnWrites::Silent}) {        \
            FixtureOwnWrites = way;                                                                \
            qInfo("Own writes %s", way == TFakeClipboard::TOwnWrites::Announced                    \
                                       ? "announced inside the write"                              \
                                       : "never announced");                                       \
            TestObject test;                                                                       \
            failed += QTest::qExec(&test, argc, argv);                                             \
        }                                                                                          \
        return failed;                                                                             \
    }
