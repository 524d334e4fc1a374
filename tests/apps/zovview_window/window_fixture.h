#pragma once
// The viewer's real main window in a fresh program folder, with recorded
// messages, a clock that tests set and a scripted file dialog, shown on the
// offscreen platform; helpers send keys, wheel turns and mouse buttons to
// its view and read the picture and the store files.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include <QApplication>
#include <QColor>
#include <QImage>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <QWheelEvent>

#include "common/clock.h"
#include "common/encoding.h"
#include "common/files.h"
#include "common/messages.h"
#include "drawing_widget.h"
#include "fixtures/scripted_file_dialog.h"
#include "fixtures/temp_folder.h"
#include "fixtures/viewer_test_days.h"
#include "store/records.h"
#include "store/store_reader.h"
#include "viewer_window.h"

namespace zov {

// One application for the whole test program. It is never destroyed: at
// exit, Qt's own statics (input devices of the test events) are gone before
// a static application would be.
inline void ensure_widget_application() {
    static int argc = 1;
    static char name[] = "test_zovview_window";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance() == nullptr) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        new QApplication(argc, argv);
    }
}

inline const std::string kSamples = ZOV_SOURCE_DIR "/samples/";

// Runs `inside` on the modal dialog of type D as soon as it is open.
template <class D, class F>
void when_open(F inside) {
    QTimer::singleShot(0, [inside] {
        auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        inside(*dialog);
    });
}

class WindowTest : public ::testing::Test {
protected:
    WindowTest() {
        use_utc_local_time();
        ensure_widget_application();
        write_file_bytes(home.file(kHelpDrawingFileName), read_file_bytes(ZOV_BUILT_HELP_DRAWING));
    }

    // Starts the viewer as "zovview ARGUMENTS..." and runs its first repaint.
    void start(const std::vector<std::string>& arguments = {}) {
        window = open_window(arguments);
        ASSERT_TRUE(window->drawing().first_repaint_done());
    }

    // A viewer window on the program folder with its store in `store_folder`
    // ("" for the program folder), shown and through its first repaint.
    std::unique_ptr<ViewerWindow> open_window(const std::vector<std::string>& arguments,
                                              const std::string& store_folder = std::string()) {
        auto opened = std::make_unique<ViewerWindow>(
            home.path(), ViewerServices{messages, clock, dialog}, arguments, store_folder);
        opened->resize(800, 600);
        opened->drawing().splash_pause_ms = 0;
        opened->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(opened.get()));
        opened->drawing().run_first_repaint();
        for (int i = 0; i < 100 && !opened->drawing().first_repaint_done(); ++i) QTest::qWait(10);
        return opened;
    }

    DrawingWidget& view() { return window->drawing(); }
    std::string title() const { return window->windowTitle().toStdString(); }
    std::string message(std::size_t i) const {
        return i < messages.entries.size() ? cp932_to_utf8(messages.entries[i].text) : "";
    }
    std::string last_message() const { return cp932_to_utf8(messages.last()); }
    QImage picture() { return view().picture(); }

    void key(Qt::Key key) { QTest::keyClick(&view(), key); }
    void wheel(int delta) {
        const QPointF at(100, 100);
        QWheelEvent event(at, view().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&view(), &event);
    }
    // A mouse event; `buttons` are those held after it.
    void mouse(QEvent::Type type, Qt::MouseButton button, Qt::MouseButtons buttons, QPoint at,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QMouseEvent event(type, QPointF(at), view().mapToGlobal(QPointF(at)), button, buttons,
                          modifiers);
        QApplication::sendEvent(&view(), &event);
    }
    void press(Qt::MouseButton button, Qt::MouseButtons held, QPoint at,
               Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        mouse(QEvent::MouseButtonPress, button, held, at, modifiers);
    }
    void move(Qt::MouseButtons held, QPoint at) {
        mouse(QEvent::MouseMove, Qt::NoButton, held, at);
    }
    void release(Qt::MouseButton button, Qt::MouseButtons held, QPoint at) {
        mouse(QEvent::MouseButtonRelease, button, held, at);
    }

    // The flags of layer `n` (1-based) in a store file of the program folder.
    std::int32_t layer_flags(const char* store_file, std::int32_t n) {
        StoreReader store;
        LayerRecord record;
        if (store.open(home.file(store_file)) != 0 || store.read_layer(n, record) != 0) return -1;
        return record.flags;
    }

    TempFolder home;
    TempFolder files;
    RecordingMessages messages;
    FixedClock clock{kMay12};
    ScriptedFileDialog dialog;
    std::unique_ptr<ViewerWindow> window;
};

// Pixels of exactly `colour` in the rectangle.
inline int count_colour(const QImage& image, QRect area, QColor colour) {
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour) ++count;
    return count;
}

// Pixels that are mostly red (texts are drawn smoothed).
inline int count_reddish(const QImage& image, QRect area) {
    int count = 0;
    area = area.intersected(image.rect());
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.red() > 150 && c.green() < 120 && c.blue() < 120) ++count;
        }
    }
    return count;
}

}  // namespace zov
