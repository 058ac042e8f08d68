#pragma once
// One QApplication for every window test of the executable.
#include <QApplication>

namespace kotou {

inline QApplication& ensureApplication() {
    static int argc = 1;
    static char name[] = "test_qt_window";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        auto* a = new QApplication(argc, argv);
        a->setQuitOnLastWindowClosed(false);
        return a;
    }();
    return *app;
}

}  // namespace kotou
