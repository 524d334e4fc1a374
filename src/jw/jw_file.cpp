#include "jw/jw_file.h"

#include <cstring>

#include "common/cp932.h"

namespace zov {

JwFile::~JwFile() { close(); }

bool JwFile::open(const std::string& path) {
    close();
    records_ = std::fopen(path.c_str(), "rb");
    texts_ = std::fopen(path.c_str(), "rb");
    if (records_ == nullptr || texts_ == nullptr) {
        close();
        return false;
    }
    size_ = 0;
    if (std::fseek(records_, 0, SEEK_END) == 0) size_ = std::ftell(records_);
    std::fseek(records_, 0, SEEK_SET);
    return true;
}

void JwFile::close() {
    if (records_ != nullptr) std::fclose(records_);
    if (texts_ != nullptr) std::fclose(texts_);
    records_ = nullptr;
    texts_ = nullptr;
    size_ = 0;
}

std::int64_t JwFile::position() const { return records_ ? std::ftell(records_) : 0; }

bool JwFile::seek(std::int64_t offset) {
    if (records_ == nullptr || offset < 0 || offset > size_) return false;
    return std::fseek(records_, static_cast<long>(offset), SEEK_SET) == 0;
}

bool JwFile::read(void* buffer, std::size_t n) {
    std::size_t got = records_ ? std::fread(buffer, 1, n, records_) : 0;
    if (got == n) return true;
    std::memset(static_cast<char*>(buffer) + got, 0, n - got);
    return false;
}

bool JwFile::start_texts(std::int32_t text_count) {
    if (texts_ == nullptr) return false;
    std::int64_t offset =
        position() + std::int64_t{text_count} * static_cast<std::int64_t>(sizeof(JwTextRecord));
    if (offset <= size_ && std::fseek(texts_, static_cast<long>(offset), SEEK_SET) == 0)
        return true;
    // No text area: every text reads as the end of the file.
    std::fseek(texts_, 0, SEEK_END);
    return false;
}

bool read_jw_block(JwFile& file, JwBlock& block) { return file.read(block, kJwBlockSize); }
bool read_jw_line(JwFile& file, JwLineRecord& record) { return file.read(&record, sizeof record); }
bool read_jw_circle(JwFile& file, JwCircleRecord& record) {
    return file.read(&record, sizeof record);
}
bool read_jw_text(JwFile& file, JwTextRecord& record) { return file.read(&record, sizeof record); }
bool read_jw_point(JwFile& file, JwPointRecord& record) {
    return file.read(&record, sizeof record);
}

bool read_jw_text_string(JwFile& file, std::string& text) {
    text.clear();
    std::FILE* stream = file.text_stream();
    if (stream == nullptr) return false;
    std::string read;
    while (read.size() < kJwTextLimit) {
        int c = std::getc(stream);
        if (c == EOF) {
            text = read.substr(0, safe_prefix_length(read, kJwTextKeep));
            return false;
        }
        if (c == '\0') break;
        read.push_back(static_cast<char>(c));
    }
    text = read.substr(0, safe_prefix_length(read, kJwTextKeep));
    return true;
}

}  // namespace zov
