#include "dxf_import/dxf_group_reader.h"

#include "common/encoding.h"
#include "dxf_import/dxf_numbers.h"

namespace zov {

namespace {

bool has_non_ascii(std::string_view text) {
    for (char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80) return true;
    }
    return false;
}

}  // namespace

int DxfGroupReader::read_group() {
    int result = lines_.read_line();
    ended_ = result < 0;
    expect_value_ = !expect_value_;
    value_ = lines_.line();
    if (expect_value_) {
        code_ = parse_dxf_int(value_);
    } else if (utf8_text_ && has_non_ascii(value_)) {
        converted_ = utf8_to_cp932(value_);
        value_ = converted_;
    }
    return result;
}

bool DxfGroupReader::read_pair(bool stop_at_9) {
    if (read_group() < 0) return false;
    if (code_ == 0 || (stop_at_9 && code_ == 9)) return false;
    return read_group() > 0;
}

double DxfGroupReader::real() const { return parse_dxf_real(value_); }

int DxfGroupReader::integer() const { return parse_dxf_int(value_); }

void DxfGroupReader::return_to(const Mark& mark) {
    lines_.seek(mark.position);
    expect_value_ = mark.expect_value;
    ended_ = false;
}

}  // namespace zov
