#pragma once
// The view's drawing pass on a thread of its own, so that a large drawing
// never holds up the window: the pass draws into a picture of its own, which
// is handed to the window's thread once drawn whole. One pass runs at a
// time; a new one stops the one running first (within a few thousand
// entities), so that the newest zoom or pan is the one drawn.
#include <atomic>
#include <functional>
#include <thread>

#include <QImage>
#include <QObject>

class BackgroundPass {
public:
    // Draws the picture; a null image when it stopped on `stop` before the end.
    using Draw = std::function<QImage(const std::atomic<bool>& stop)>;
    // `show` takes a picture drawn whole, on the thread of `context`.
    BackgroundPass(QObject& context, std::function<void(const QImage&)> show)
        : context_(context), show_(std::move(show)) {}
    ~BackgroundPass() { stop(); }
    BackgroundPass(const BackgroundPass&) = delete;
    BackgroundPass& operator=(const BackgroundPass&) = delete;

    // Stops the pass running, then draws `draw`.
    void start(Draw draw);
    // Stops the pass running and waits for its thread; its picture is dropped.
    void stop();
    // Waits for the pass running to end and shows its picture.
    void finish();
    bool running() const { return worker_.joinable(); }

private:
    // Joins the thread that has ended and shows what it drew whole.
    void collect();

    QObject& context_;
    std::function<void(const QImage&)> show_;
    std::thread worker_;
    std::atomic<bool> stop_{false};
    QImage picture_;           // null unless drawn whole
    unsigned generation_ = 0;  // of the pass started last
};
