#include "jw/jww_byte_source.h"

#include <algorithm>

namespace zov {

namespace {

constexpr std::size_t kBufferSize = std::size_t{1} << 20;

}  // namespace

JwwByteSource::JwwByteSource(std::string_view bytes)
    : buffer_start_(reinterpret_cast<const unsigned char*>(bytes.data())),
      cursor_(buffer_start_),
      end_(buffer_start_ + bytes.size()),
      size_(static_cast<std::int64_t>(bytes.size())) {}

JwwByteSource::JwwByteSource(std::FILE* file, std::int64_t size)
    : file_(file), buffer_(new unsigned char[kBufferSize]), size_(size) {
    buffer_start_ = cursor_ = end_ = buffer_.get();
}

void JwwByteSource::mark_cut() {
    cut_short_ = true;
    // Nothing more is handed out: every later read gives zeros.
    consumed_ += cursor_ - buffer_start_;
    buffer_start_ = cursor_ = end_;
}

bool JwwByteSource::refill() {
    if (file_ == nullptr || cut_short_) return false;
    if (progress_ != nullptr) {
        progress_->advance_to(offset());
        if (progress_->stop_requested()) return false;
    }
    unsigned char* base = buffer_.get();
    const std::size_t unread = static_cast<std::size_t>(end_ - cursor_);
    consumed_ += cursor_ - buffer_start_;
    std::memmove(base, cursor_, unread);
    const std::int64_t left_in_file = size_ - consumed_ - static_cast<std::int64_t>(unread);
    const std::size_t wanted = static_cast<std::size_t>(
        std::min<std::int64_t>(static_cast<std::int64_t>(kBufferSize - unread), left_in_file));
    std::size_t got = wanted > 0 ? std::fread(base + unread, 1, wanted, file_) : 0;
    if (got < wanted) read_failed_ = true;
    buffer_start_ = cursor_ = base;
    end_ = base + unread + got;
    return got > 0;
}

void JwwByteSource::take_slowly(void* out, std::size_t n) {
    auto* target = static_cast<unsigned char*>(out);
    while (n > 0) {
        if (cursor_ == end_ && !refill()) {
            std::memset(target, 0, n);
            mark_cut();
            return;
        }
        const std::size_t step = std::min(n, static_cast<std::size_t>(end_ - cursor_));
        std::memcpy(target, cursor_, step);
        cursor_ += step;
        target += step;
        n -= step;
    }
}

void JwwByteSource::append(std::string& out, std::int64_t n) {
    if (n > remaining()) {
        skip(n);
        return;
    }
    out.reserve(out.size() + static_cast<std::size_t>(n));
    while (n > 0) {
        if (cursor_ == end_ && !refill()) {
            mark_cut();
            return;
        }
        const auto step = std::min<std::int64_t>(n, end_ - cursor_);
        out.append(reinterpret_cast<const char*>(cursor_), static_cast<std::size_t>(step));
        cursor_ += step;
        n -= step;
    }
}

void JwwByteSource::skip(std::int64_t n) {
    if (n > remaining()) {
        mark_cut();
        return;
    }
    while (n > 0) {
        if (cursor_ == end_ && !refill()) {
            mark_cut();
            return;
        }
        const auto step = std::min<std::int64_t>(n, end_ - cursor_);
        cursor_ += step;
        n -= step;
    }
}

}  // namespace zov
