#include "background_pass.h"

#include <QMetaObject>

void BackgroundPass::start(QSize size, Draw draw) {
    stop();
    stop_.store(false);
    whole_ = false;
    picture_ = QImage(size, QImage::Format_RGB32);
    const unsigned generation = ++generation_;
    worker_ = std::thread([this, generation, draw = std::move(draw)] {
        whole_ = draw(picture_, stop_);
        // Collected on the window's thread, unless a newer pass or a wait
        // has taken this one's place meanwhile.
        QMetaObject::invokeMethod(
            &context_,
            [this, generation] {
                if (generation == generation_ && running()) collect();
            },
            Qt::QueuedConnection);
    });
}

void BackgroundPass::stop() {
    if (!running()) return;
    stop_.store(true);
    worker_.join();
}

void BackgroundPass::finish() {
    if (running()) collect();
}

void BackgroundPass::collect() {
    worker_.join();
    if (whole_) show_(picture_);
}
