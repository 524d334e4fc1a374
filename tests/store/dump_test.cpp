#include <cstdlib>
#include <ctime>
#include <string>

#include "common/cp932.h"
#include "common/encoding.h"
#include "fixtures/sample_store.h"
#include "store/header_dump.h"
#include "store_folder.h"

namespace zov {
namespace {

// The dump's time line is local time: fix the zone for the test.
class HeaderDump : public StoreFolder {
protected:
    void SetUp() override {
        const char* zone = std::getenv("TZ");
        saved_zone_ = zone ? zone : "";
        had_zone_ = zone != nullptr;
        setenv("TZ", "JST-9", 1);
        tzset();
    }
    void TearDown() override {
        if (had_zone_)
            setenv("TZ", saved_zone_.c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }
    std::string saved_zone_;
    bool had_zone_ = false;
};

const std::string kSampleDump = utf8_to_cp932(
    "ver  =ZovView Version 1.0\n"
    "kind =2\n"
    "fname=/samples/平面図.dxf\n"
    "ftime=Sat Jan 01 09:00:00 2000\n"
    "paper_x  =0.000000 0.000000\n"
    "pe_flag  =0\n"
    "pe_min_x =0.000000 0.000000\n"
    "pe_max_x =0.000000 0.000000\n"
    "   min_x =0.000000 0.000000\n"
    "   max_x =3600.000000 2700.000000\n"
    "scale    =50.000000\n"
    "add_lin  =1108\n"
    "add_lay  =580\n"
    "add_bro  =1244\n"
    "add_bda  =1628\n"
    "add_str  =576\n"
    "add_ent  =1940\n"
    "lay_num  =3\n"
    "lay_num2 =2\n"
    "bro_num  =2\n"
    "bro_num2 =1\n"
    "line_num =2\n"
    "cir_num  =0\n"
    "str_num  =1\n"
    "ent_num  =7\n"
    "dsp_mode =0\n");

TEST_F(HeaderDump, SampleStoreDumpIsWrittenWithCrLf) {
    ASSERT_EQ(build_sample_store(state()), 0);
    EXPECT_EQ(header_dump_text(state().header), kSampleDump);
    ASSERT_EQ(write_header_dump(state()), 0);
    std::string expected;
    for (char c : std::string(kSampleDump)) {
        if (c == '\n') expected += '\r';
        expected += c;
    }
    EXPECT_EQ(bytes_of(kHeaderDumpFileName), expected);
    EXPECT_TRUE(messages_.entries.empty());
}

TEST_F(HeaderDump, FieldsPrintInTheirOwnFormats) {
    StoreHeader h;
    copy_bounded(h.ver, "v");
    h.kind = 1;
    copy_bounded(h.fname, utf8_to_cp932("C:\\玄関.jwc"));  // CP932 bytes pass through
    h.ftime = 0;
    h.paper_x = 420;
    h.paper_y = 297;
    h.pe_max_x = 1.25;  // printed on the pe_max_x line, after pe_min_x
    h.pe_min_y = -0.5;
    h.scale = 0.0000004;
    h.add_ent = -1;
    h.lay_num = 256;
    h.lay_num2 = 256;
    const std::string text = header_dump_text(h);
    EXPECT_NE(text.find(utf8_to_cp932("fname=C:\\玄関.jwc\nftime=Thu Jan 01 09:00:00 1970\n")),
              std::string::npos);
    EXPECT_NE(text.find("\npaper_x  =420.000000 297.000000\n"), std::string::npos);
    EXPECT_NE(text.find("\npe_min_x =0.000000 -0.500000\npe_max_x =1.250000 0.000000\n"),
              std::string::npos);
    EXPECT_NE(text.find("\nscale    =0.000000\n"), std::string::npos);
    EXPECT_NE(text.find("\nadd_ent  =-1\nlay_num  =256\nlay_num2 =256\n"), std::string::npos);
}

TEST_F(HeaderDump, UnwritableDumpIsReportedUnderTheViewerDumpName) {
    std::filesystem::create_directory(path(kHeaderDumpFileName));
    EXPECT_EQ(write_header_dump(state()), -1);
    ASSERT_EQ(messages_.entries.size(), 1u);
    EXPECT_EQ(messages_.last(), utf8_to_cp932("ZovView.txt をオープンできない"));
}

}  // namespace
}  // namespace zov
