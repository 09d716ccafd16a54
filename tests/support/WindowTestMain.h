#pragma once
// The main of a window test program: the offscreen platform unless a display is asked for,
// the application's own names (so remembered settings go where the editor keeps them), and
// no quitting when a test closes the last window.

#include <QApplication>
#include <QtTest>

#define KESTREL_WINDOW_TEST_MAIN(TestClass)                                                        \
    int main(int argc, char** argv) {                                                              \
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen"); \
        QApplication a(argc, argv);                                                                \
        QApplication::setOrganizationName("kestrel.org");                                          \
        QApplication::setApplicationName("Kestrel");                                               \
        QApplication::setQuitOnLastWindowClosed(false);                                            \
        TestClass t;                                                                               \
        return QTest::qExec(&t, argc, argv);                                                       \
    }
