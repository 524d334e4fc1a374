#include "background_pass.h"

#include <QMetaObject>

void BackgroundPass::start(Draw draw) {
    stop();
    stop_.store(false);
    picture_ = QImage();
    const unsigned generation = ++generation_;
    worker_ = std::thread([this, generation, draw = std::move(draw)] {
        picture_ = draw(stop_);
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
    if (!picture_.isNull()) show_(picture_);
}
