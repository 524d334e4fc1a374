#include "large_drawing.h"

#include <cstdio>
#include <random>
#include <string>

#include "dxf/binary_groups.h"
#include "fixtures/dxf_binary.h"
#include "fixtures/dxf_fixture.h"

namespace zov {

namespace {

// Reals as AutoCAD writes them: no trailing zeros.
std::string real(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.12g", value);
    return text;
}

class DrawingWriter {
public:
    DrawingWriter(const std::string& path, const LargeDrawingShape& shape)
        : file_(std::fopen(path.c_str(), "wb")), shape_(shape) {}
    ~DrawingWriter() {
        if (file_ != nullptr) std::fclose(file_);
    }

    // Size of the finished file, or 0 when it could not be written.
    long write() {
        if (file_ == nullptr) return 0;
        write_header_and_tables();
        dxf_.end_section().section("BLOCKS");
        for (int b = 0; b < shape_.blocks; ++b) {
            dxf_.block(block_name(b));
            for (int k = 0; k < 12; ++k) add_entity(b * 12 + k);
            dxf_.end_block();
        }
        dxf_.end_section().section("ENTITIES");
        for (long i = 0; shape_.entities > 0 ? i < shape_.entities : written_ < shape_.target_bytes;
             ++i) {
            add_entity(i);
            if (dxf_.size() > (1 << 20)) flush();
        }
        dxf_.end_section().end_of_file();
        flush();
        const bool closed = std::fclose(file_) == 0;
        file_ = nullptr;
        return closed && !failed_ ? written_ : 0;
    }

private:
    std::string layer_name(long i) {
        const long n = shape_.random_layers ? static_cast<long>(random_() % shape_.layers)
                                            : i * 7 % shape_.layers;
        return "LAYER-" + std::to_string(n);
    }
    std::string block_name(long i) const { return "PART-" + std::to_string(i % shape_.blocks); }

    void flush() {
        std::string bytes = dxf_.text(shape_.lf_line_ends ? "\n" : "\r\n");
        if (shape_.binary) {
            // Only the first piece keeps the sentinel.
            bytes = binary_dxf(dxf_.text("\n"));
            if (written_ > 0) bytes.erase(0, kBinaryDxfSentinel.size());
        }
        if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) failed_ = true;
        written_ += static_cast<long>(bytes.size());
        dxf_.clear();
    }

    void write_header_and_tables() {
        dxf_.section("HEADER")
            .group(9, "$ACADVER")
            .group(1, "AC1015")
            .header_point("$EXTMIN", 0, 0)
            .header_point("$EXTMAX", 12500, 8250)
            .group(9, "$DIMSCALE")
            .group(40, real(100.0))
            .end_section();
        dxf_.section("TABLES")
            .item("TABLE")
            .group(2, "LTYPE")
            .item("LTYPE")
            .group(2, "DASHED")
            .group(73, 2)
            .group(49, real(12.7))
            .group(49, real(-6.35))
            .item("LTYPE")
            .group(2, "CENTER")
            .group(73, 4)
            .group(49, real(31.75))
            .group(49, real(-6.35))
            .group(49, real(6.35))
            .group(49, real(-6.35))
            .item("ENDTAB")
            .item("TABLE")
            .group(2, "LAYER");
        for (int i = 0; i < shape_.layers; ++i)
            dxf_.layer("LAYER-" + std::to_string(i), 1 + i % 255,
                       i % 3 == 0 ? "DASHED" : "CONTINUOUS");
        dxf_.item("ENDTAB");
    }

    // Groups shared by every entity: handle, owner, subclass and layer.
    DxfFixture& entity(const char* name, const char* subclass, long i) {
        char handle[24];
        std::snprintf(handle, sizeof handle, "%lX", 0x1000 + i);
        return dxf_.item(name)
            .group(5, handle)
            .group(330, "1F")
            .group(100, "AcDbEntity")
            .group(8, layer_name(i))
            .group(100, subclass);
    }

    // A point of groups `code`, `code` + 10 and `code` + 20 (z = 0).
    DxfFixture& point(int code, double x, double y) {
        return dxf_.group(code, real(x)).group(code + 10, real(y)).group(code + 20, real(0.0));
    }

    void add_entity(long i) {
        const double x = static_cast<double>(i % 1000) * 12.5;
        const double y = static_cast<double>(i / 1000 % 1000) * 8.25;
        switch (i % 10) {
            case 0:
            case 1:
            case 2:
            case 3:
                entity("LINE", "AcDbLine", i);
                point(10, x, y);
                point(11, x + 10, y + 5);
                break;
            case 4:
                entity("ARC", "AcDbCircle", i);
                point(10, x, y).group(40, real(3.5)).group(100, "AcDbArc");
                dxf_.group(50, real(15.0)).group(51, real(200.0));
                break;
            case 5:
                entity("TEXT", "AcDbText", i);
                point(10, x, y).group(40, real(2.5));
                dxf_.group(1, "ROOM %%c" + std::to_string(i % 500)).group(50, real(0.0));
                dxf_.group(100, "AcDbText");
                break;
            case 6:
                entity("LWPOLYLINE", "AcDbPolyline", i).group(90, 5).group(70, 1);
                for (int k = 0; k < 5; ++k) {
                    dxf_.group(10, real(x + k * 2.0)).group(20, real(y + (k % 2) * 3.0));
                    if (k == 2) dxf_.group(42, real(0.4142));
                }
                break;
            case 7:
                entity("INSERT", "AcDbBlockReference", i).group(2, block_name(i));
                point(10, x, y).group(41, real(1.0)).group(42, real(1.0));
                dxf_.group(50, real(90.0));
                break;
            case 8:
                entity("CIRCLE", "AcDbCircle", i);
                point(10, x, y).group(40, real(1.25));
                break;
            default:
                if (i % 20 == 9) {
                    entity("MTEXT", "AcDbMText", i);
                    point(10, x, y).group(40, real(2.0)).group(41, real(40.0));
                    dxf_.group(71, 1).group(72, 5).group(1, "{\\fMS Gothic|b0;Note}\\Psecond line");
                } else {
                    entity("POLYLINE", "AcDb2dPolyline", i).group(66, 1).group(70, 0);
                    for (int k = 0; k < 4; ++k)
                        entity("VERTEX", "AcDbVertex", i)
                            .group(10, real(x + k))
                            .group(20, real(y - k));
                    entity("SEQEND", "AcDbSequenceEnd", i);
                }
                break;
        }
    }

    std::FILE* file_;
    const LargeDrawingShape shape_;
    DxfFixture dxf_;
    std::mt19937 random_{20260112u};
    long written_ = 0;
    bool failed_ = false;
};

}  // namespace

long write_large_drawing(const std::string& path, const LargeDrawingShape& shape) {
    if (shape.layers < 1 || shape.blocks < 1) return 0;
    return DrawingWriter(path, shape).write();
}

long write_overlapping_solids(const std::string& path, int count) {
    std::mt19937 random(5000u);
    std::uniform_int_distribution<int> corner(0, 400);
    DxfFixture dxf;
    dxf.section("HEADER")
        .header_point("$EXTMIN", 0, 0)
        .header_point("$EXTMAX", 1000, 1000)
        .end_section()
        .section("TABLES")
        .item("TABLE")
        .group(2, "LAYER");
    for (int i = 0; i < 4; ++i) dxf.layer("SOLIDS-" + std::to_string(i), 1 + i);
    dxf.item("ENDTAB").end_section().section("ENTITIES");
    for (int i = 0; i < count; ++i) {
        // A quadrilateral about half the drawing wide somewhere on it.
        const int x = corner(random), y = corner(random);
        dxf.item("SOLID")
            .group(8, "SOLIDS-" + std::to_string(i % 4))
            .group(10, real(x))
            .group(20, real(y))
            .group(11, real(x + 600 - corner(random) / 4.0))
            .group(21, real(y))
            .group(12, real(x))
            .group(22, real(y + 600 - corner(random) / 4.0))
            .group(13, real(x + 600 - corner(random) / 4.0))
            .group(23, real(y + 600 - corner(random) / 4.0));
    }
    dxf.end_section().end_of_file();
    const std::string text = dxf.text();
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (file == nullptr) return 0;
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    return std::fclose(file) == 0 && written ? static_cast<long>(text.size()) : 0;
}

}  // namespace zov
