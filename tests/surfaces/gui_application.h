#pragma once
// The Qt surface's fonts need a GUI application; tests paint offscreen.
#include <QGuiApplication>

namespace zov {

inline void ensure_gui_application() {
    static int argc = 1;
    static char name[] = "test_surfaces";
    static char* argv[] = {name, nullptr};
    if (QGuiApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QGuiApplication application(argc, argv);
    }
}

}  // namespace zov
