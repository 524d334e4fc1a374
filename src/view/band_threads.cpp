#include "view/band_threads.h"

namespace zov {

BandThreads::~BandThreads() {
    {
        const std::lock_guard lock(mutex_);
        ending_ = true;
    }
    round_started_.notify_all();
    for (std::thread& thread : threads_) thread.join();
}

void BandThreads::run(std::size_t count, const std::function<void(std::size_t)>& work) {
    if (count == 0) return;
    {
        const std::lock_guard lock(mutex_);
        while (threads_.size() + 1 < count) {
            const std::size_t band = threads_.size() + 1;
            threads_.emplace_back([this, band] { serve(band); });
        }
        work_ = &work;
        bands_ = count;
        running_ = count - 1;
        ++round_;
    }
    round_started_.notify_all();
    work(0);
    std::unique_lock lock(mutex_);
    round_ended_.wait(lock, [this] { return running_ == 0; });
    work_ = nullptr;
}

void BandThreads::serve(std::size_t band) {
    unsigned done = 0;  // the last round seen
    std::unique_lock lock(mutex_);
    for (;;) {
        round_started_.wait(lock, [&] { return ending_ || round_ != done; });
        if (ending_) return;
        done = round_;
        if (band >= bands_) continue;
        const std::function<void(std::size_t)>& work = *work_;
        lock.unlock();
        work(band);
        lock.lock();
        if (--running_ == 0) round_ended_.notify_one();
    }
}

}  // namespace zov
