#pragma once
// Threads kept for the bands of a pass besides the first, from pass to pass:
// a band thread keeps what it set up in one pass (the fonts it opened) for
// the next, where a new thread for every pass would open them again.
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace zov {

class BandThreads {
public:
    BandThreads() = default;
    ~BandThreads();
    BandThreads(const BandThreads&) = delete;
    BandThreads& operator=(const BandThreads&) = delete;

    // Runs `work(band)` for every band of `count`: band 0 on the calling
    // thread, the others on kept threads (started when fewer are kept);
    // returns once every band's work has ended.
    void run(std::size_t count, const std::function<void(std::size_t band)>& work);

private:
    // The loop of the thread of `band`: runs its work in each round.
    void serve(std::size_t band);

    std::mutex mutex_;
    std::condition_variable round_started_;
    std::condition_variable round_ended_;
    std::vector<std::thread> threads_;  // thread k - 1 draws band k
    const std::function<void(std::size_t)>* work_ = nullptr;
    unsigned round_ = 0;
    std::size_t bands_ = 0;    // of the round running
    std::size_t running_ = 0;  // band threads of the round not yet ended
    bool ending_ = false;
};

}  // namespace zov
