#pragma once
// The one QApplication of the ui tests, on the offscreen platform unless another one is asked for.
#include <QApplication>

#include <cstdlib>

namespace z7::test {

inline QApplication& testApplication() {
    static QApplication* application = [] {
        if (!std::getenv("QT_QPA_PLATFORM")) ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        static int argc = 1;
        static char name[] = "test_ui";
        static char* argv[] = {name, nullptr};
        return new QApplication(argc, argv);
    }();
    return *application;
}

}  // namespace z7::test
