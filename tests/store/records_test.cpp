#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/cp932.h"
#include "store/records.h"

namespace zov {
namespace {

template <class T>
std::string image(const T& record) {
    return std::string(reinterpret_cast<const char*>(&record), sizeof record);
}

std::string le32(std::uint32_t v) {
    std::string s;
    for (int i = 0; i < 4; ++i) s += static_cast<char>((v >> (8 * i)) & 0xff);
    return s;
}

std::string le16(std::uint16_t v) {
    return std::string{static_cast<char>(v & 0xff), static_cast<char>(v >> 8)};
}

// Little-endian IEEE bytes of a double (1.5 = 00 00 00 00 00 00 F8 3F).
std::string le64(double v) {
    std::uint64_t bits;
    std::memcpy(&bits, &v, 8);
    std::string s;
    for (int i = 0; i < 8; ++i) s += static_cast<char>((bits >> (8 * i)) & 0xff);
    return s;
}

TEST(StoreRecords, EmptyRecordsAreAllZeroBytes) {
    EXPECT_EQ(image(StoreHeader{}), std::string(576, '\0'));
    EXPECT_EQ(image(LineTypeRecord{}), std::string(68, '\0'));
    EXPECT_EQ(image(LayerRecord{}), std::string(176, '\0'));
    EXPECT_EQ(image(BlockRecord{}), std::string(192, '\0'));
    EXPECT_EQ(image(EntityRecord{}), std::string(104, '\0'));
    EXPECT_EQ(le64(1.5), std::string("\0\0\0\0\0\0\xF8\x3F", 8));
}

TEST(StoreRecords, HeaderBytes) {
    StoreHeader h;
    copy_bounded(h.ver, "ZovView");
    h.kind = 2;
    copy_bounded(h.fname, "/d/plan.dxf");
    h.ftime = 0x01020304;
    h.fsize = 0x0A0B0C0D;
    h.paper_x = 420.0;
    h.paper_y = 297.0;
    h.pe_flag = 1;
    h.pe_max_x = 11.0;
    h.pe_max_y = 12.0;
    h.pe_min_x = -1.0;
    h.pe_min_y = -2.0;
    h.min_x = 3.0;
    h.min_y = 4.0;
    h.max_x = 5.0;
    h.max_y = 6.0;
    h.scale = 100.0;
    std::int32_t* counts[] = {&h.add_lin,  &h.add_lay, &h.add_bro,  &h.add_bda,
                              &h.add_str,  &h.add_ent, &h.line_num, &h.lay_num,
                              &h.lay_num2, &h.bro_num, &h.bro_num2};
    for (int i = 0; i < 11; ++i) *counts[i] = 1000 + i;
    h.cir_num = 2001;
    h.str_num = 2002;
    h.ent_num = 2003;
    h.dsp_mode = 2004;

    const std::string b = image(h);
    EXPECT_EQ(b.substr(0, 8), std::string("ZovView\0", 8));
    EXPECT_EQ(b.substr(128, 4), le32(2));
    EXPECT_EQ(b.substr(132, 12), std::string("/d/plan.dxf\0", 12));
    EXPECT_EQ(b.substr(392, 4), "\x04\x03\x02\x01");
    EXPECT_EQ(b.substr(396, 4), "\x0D\x0C\x0B\x0A");
    EXPECT_EQ(b.substr(400, 16), std::string(16, '\0'));
    EXPECT_EQ(b.substr(416, 16), le64(420.0) + le64(297.0));
    EXPECT_EQ(b.substr(432, 8), le32(1) + le32(0));
    EXPECT_EQ(b.substr(440, 16), le64(11.0) + le64(12.0));
    EXPECT_EQ(b.substr(456, 16), le64(-1.0) + le64(-2.0));
    EXPECT_EQ(b.substr(472, 32), le64(3.0) + le64(4.0) + le64(5.0) + le64(6.0));
    EXPECT_EQ(b.substr(504, 8), le64(100.0));
    for (int i = 0; i < 11; ++i) EXPECT_EQ(b.substr(512 + 4 * i, 4), le32(1000 + i)) << i;
    EXPECT_EQ(b.substr(556, 20), le32(0) + le32(2001) + le32(2002) + le32(2003) + le32(2004));
}

TEST(StoreRecords, LineTypeAndLayerBytes) {
    LineTypeRecord t;
    t.line_type = kLineHidden;
    copy_bounded(t.name, "HIDDEN");
    const std::string tb = image(t);
    EXPECT_EQ(tb.substr(0, 4), le32(9));
    EXPECT_EQ(tb.substr(4, 7), std::string("HIDDEN\0", 7));

    LayerRecord l;
    l.flags = set_bit(set_bit(0, kLayerHiddenBit), kLayerLockedBit);
    l.source_number = 17;
    l.used_index = -1;
    l.used_number = 3;
    l.use_count = 4;
    copy_bounded(l.line_type_name, "CONTINUOUS");
    copy_bounded(l.name, std::string(80, 'N'));  // cut to 66 bytes + NUL
    l.colour = 256;
    l.line_type = -2;
    const std::string lb = image(l);
    EXPECT_EQ(lb.substr(0, 32), le32(5) + le32(17) + le32(0) + le32(0xFFFFFFFF) + le32(0) +
                                    le32(3) + le32(4) + le32(0));
    EXPECT_EQ(lb.substr(32, 11), std::string("CONTINUOUS\0", 11));
    EXPECT_EQ(lb.substr(97, 67), std::string(66, 'N') + '\0');
    EXPECT_EQ(lb.substr(164, 12), le32(0) + le32(256) + le16(0xFFFE) + std::string(2, '\0'));
}

TEST(StoreRecords, BlockAndEntityBytes) {
    BlockRecord k;
    k.used_index = 2;
    k.use_count = 9;
    k.base_x = 1.5;
    k.base_y = -1.5;
    copy_bounded(k.name, "DOOR");
    copy_bounded(k.layer_name, "0");
    k.first = 10;
    k.last = 12;
    k.count = 3;
    k.used_number = 3;
    const std::string kb = image(k);
    EXPECT_EQ(kb.substr(0, 16), le32(0) + le32(2) + le32(9) + le32(0));
    EXPECT_EQ(kb.substr(16, 16), le64(1.5) + le64(-1.5));
    EXPECT_EQ(kb.substr(32, 5), std::string("DOOR\0", 5));
    EXPECT_EQ(kb.substr(97, 2), std::string("0\0", 2));
    EXPECT_EQ(kb.substr(164, 28),
              le32(0) + le32(0) + le32(10) + le32(12) + le32(3) + le32(0) + le32(3));

    EntityRecord e;
    e.flags = 0x05;
    e.paper_space = 1;
    e.kind = kEntityText;
    e.line_type = kLineDot;
    e.h_align = 1;
    e.v_align = 3;
    e.text_style = 21;
    e.colour = 0x00FFFFFF;
    e.layer = 300;
    e.block = 2;
    e.text_length = 4;
    e.text_offset = 70000;
    double reals[] = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto fields = all_reals(e);
    for (int i = 0; i < 8; ++i) *fields[i] = reals[i];
    const std::string eb = image(e);
    EXPECT_EQ(eb.substr(0, 4), std::string("\x05\x01\0\0", 4));
    EXPECT_EQ(eb.substr(4, 24),
              le32(5) + le32(2) + le32(1) + le32(3) + le32(21) + le32(0x00FFFFFF));
    EXPECT_EQ(eb.substr(28, 12), le16(300) + le16(2) + le16(4) + le16(0) + le32(70000));
    for (int i = 0; i < 8; ++i) EXPECT_EQ(eb.substr(40 + 8 * i, 8), le64(reals[i])) << i;
}

TEST(StoreRecords, FlagBits) {
    EXPECT_EQ(test_bit(0, 0), 0);
    EXPECT_EQ(test_bit(5, 0), 1);
    EXPECT_EQ(test_bit(5, 1), 0);
    EXPECT_EQ(test_bit(5, 2), 1);
    EXPECT_EQ(test_bit(INT32_MIN, 31), 1);
    EXPECT_EQ(test_bit(-1, 32), 0);
    EXPECT_EQ(set_bit(0, 31), INT32_MIN);
    EXPECT_EQ(set_bit(4, 2), 4);
    EXPECT_EQ(toggle_bit(5, 0), 4);
    EXPECT_EQ(toggle_bit(toggle_bit(5, 0), 0), 5);
    EXPECT_EQ(toggle_bit(0, 31), INT32_MIN);
    EXPECT_EQ(set_bit(7, -1), 7);
    EXPECT_EQ(toggle_bit(7, 40), 7);
}

}  // namespace
}  // namespace zov
