#pragma once
// How far an import has read its source, and the user's request to stop it:
// the importer's reader advances the count as it reads and looks at the stop
// request as it goes; a window on another thread reads both. Every member
// may be used from any thread.
#include <atomic>
#include <cstdint>
#include <string>

namespace zov {

// The share of `total` bytes that `done` bytes are, in whole percent from 0
// to 100; 0 while the total is unknown (0 or less).
int percent_done(std::int64_t done, std::int64_t total);

class ReadProgress {
public:
    // A new source of `total_bytes` (0: unknown), nothing read yet. The stop
    // request stays as it is: a stop asked for before reading began counts.
    void start(std::int64_t total_bytes) {
        done_.store(0, std::memory_order_relaxed);
        read_ahead_.store(0, std::memory_order_relaxed);
        total_.store(total_bytes, std::memory_order_relaxed);
    }
    // A new source: the file at `path` (a file-system path), by its length.
    void start_file(const std::string& path);
    // The reader stands `bytes` into the source; a reader going back to read
    // a part again does not take the count back.
    void advance_to(std::int64_t bytes) {
        std::int64_t seen = done_.load(std::memory_order_relaxed);
        while (bytes > seen &&
               !done_.compare_exchange_weak(seen, bytes, std::memory_order_relaxed)) {
        }
    }
    // Bytes read further on in the source by readers of parts of it on
    // other threads, counted beside the reader's own; forgotten once the
    // reader has come past those parts.
    void add_read_ahead(std::int64_t bytes) {
        read_ahead_.fetch_add(bytes, std::memory_order_relaxed);
    }
    void forget_read_ahead() { read_ahead_.store(0, std::memory_order_relaxed); }
    int percent() const {
        return percent_done(
            done_.load(std::memory_order_relaxed) + read_ahead_.load(std::memory_order_relaxed),
            total_.load(std::memory_order_relaxed));
    }

    void request_stop() { stop_.store(true); }
    bool stop_requested() const { return stop_.load(); }
    void clear_stop() { stop_.store(false); }

private:
    std::atomic<std::int64_t> done_{0};
    std::atomic<std::int64_t> total_{0};
    std::atomic<std::int64_t> read_ahead_{0};
    std::atomic<bool> stop_{false};
};

}  // namespace zov
