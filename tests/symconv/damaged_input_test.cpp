// Truncated, corrupted and absurd symbol files go through whole conversions:
// no crash, no hang, output bounded by what the files hold.
#include <gtest/gtest.h>

#include <filesystem>
#include <random>

#include "common/encoding.h"
#include "converter_test_support.h"
#include "fixtures/windows_symbols.h"
#include "symconv/texts.h"

namespace zov {
namespace {

using fixtures::JwSymbolSpec;
using testing::write_bytes;

std::string sample_symbol_bytes() {
    JwSymbolSpec content;
    content.scale = 20;
    content.elements.lines.push_back({0, 0, 10, 5, 2, 3, 0});
    content.elements.circles.push_back({1, 1, 4, 6000, 0, 90 * 65536, 30 * 65536, 1, 1, 0});
    content.elements.points.push_back({2, 2, 0, 4});
    content.elements.texts.push_back({0, 0, 0, 10, 12, 0, 32, utf8_to_cp932("階段 stairs")});
    content.elements.texts.push_back({5, 5, 9, 5, 0, 0, 0, "AB"});
    return fixtures::build_jw_symbol_file(content);
}

// A .jws symbol with blocks nested and inserting themselves, solids, a
// dimension, points and texts.
fixtures::JwwBytes sample_jws() {
    std::vector<fixtures::WindowsSymbol> symbols = fixtures::windows_symbol_library();
    fixtures::JwwContent content = symbols[2].content;
    for (const fixtures::JwwObject& entity : symbols[1].content.entities)
        content.entities.push_back(entity);
    return fixtures::build_jww(content);
}

class DamagedInput : public testing::ConverterTest {
protected:
    // Converts a library of the one damaged file in both layouts; the DXF must
    // end properly and stay small.
    void convert(const std::string& bytes, const std::string& file_name = "X.JWK") {
        write_bytes(library + file_name, bytes);
        for (const char* layout : {"-n", "-s"}) {
            ASSERT_EQ(run({library, layout}), kExitNormal);
            std::string out = dxf();
            ASSERT_GE(out.size(), 8u);
            ASSERT_EQ(out.substr(out.size() - 8), "0\r\nEOF\r\n");
            ASSERT_LT(out.size(), 200000u);
        }
    }
};

TEST_F(DamagedInput, EveryPrefixOfASymbolFile) {
    std::string whole = sample_symbol_bytes();
    for (std::size_t length = 0; length <= whole.size(); length += 7) {
        SCOPED_TRACE(length);
        convert(whole.substr(0, length));
    }
}

TEST_F(DamagedInput, AJwsSymbolCutAnywhereIsConvertedAsFarAsItGoes) {
    // Cut inside the header, and inside and after every entity and block.
    fixtures::JwwBytes whole = sample_jws();
    std::vector<std::size_t> lengths = {0, 7, 150, 230};
    for (const fixtures::JwwPart& part : whole.parts) {
        lengths.push_back(part.ready - 1);
        lengths.push_back(part.end);
    }
    for (std::size_t length : lengths) {
        SCOPED_TRACE(length);
        convert(whole.bytes.substr(0, std::min(length, whole.bytes.size() - 1)), "X.jws");
        if (length >= 200) {  // beyond the signature: cut short, as a .jwk is
            EXPECT_NE(console().find(format_text(kSymbolCutShort, (library + "X.jws").c_str())),
                      std::string::npos);
        }
    }
}

TEST_F(DamagedInput, RandomByteFlips) {
    for (const char* name : {"X.JWK", "X.jws"}) {
        const bool jwk = name[3] == 'K';
        std::string whole = jwk ? sample_symbol_bytes() : sample_jws().bytes;
        std::mt19937 random(7);
        for (int round = 0; round < (jwk ? 150 : 60); ++round) {
            std::string bytes = whole;
            for (int flips = 0; flips < 4; ++flips)
                bytes[random() % bytes.size()] = static_cast<char>(random());
            SCOPED_TRACE(round);
            convert(bytes, name);
        }
    }
}

TEST_F(DamagedInput, AbsurdCountsAndGarbageNumbers) {
    std::string whole = sample_symbol_bytes();
    for (std::string counts :
         {"-5,-5,-5,-5,x,y,z,-1,-1e300", "99999999999999999999,1,1,1,0,0,0,0,nan",
          "1,1,1,1,0,0,0,0,inf", "1,1,1,1,0,0,0,0,1e38", ",,,,,,,,", ""}) {
        std::string bytes = whole;
        counts.resize(200, '\0');
        bytes.replace(200, 200, counts);
        SCOPED_TRACE(counts.c_str());
        convert(bytes);
    }
    std::string nan_coordinates = whole;
    for (int i = 400; i < 416; ++i) nan_coordinates[i] = '\xFF';  // the first line's four reals
    convert(nan_coordinates);
}

}  // namespace
}  // namespace zov
