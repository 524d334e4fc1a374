#include "jw/jww_scan.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace zov {

namespace {

// Marks the layer of every record and counts the records of the innermost
// open definition (none: a definition left out, or the drawing itself).
class ScanSink : public JwwRecordSink {
public:
    explicit ScanSink(JwwScan& scan) : scan_(scan) {}
    void put(EntityRecord& record, std::string_view) override {
        if (record.layer > 0) scan_.used_layers[static_cast<std::size_t>(record.layer - 1)] = true;
        if (open_.empty() || open_.back() < 0 || block_records_ >= kJwwMaxBlockRecords) return;
        ++scan_.blocks[static_cast<std::size_t>(open_.back())].count;
        ++block_records_;
    }
    std::vector<int> open_;  // indices into scan_.blocks, -1 for one left out

private:
    JwwScan& scan_;
    std::int64_t block_records_ = 0;
};

class ScanVisitor : public JwwRecordVisitor {
public:
    ScanVisitor(JwwScan& scan, JwwRecordContext& context, ScanSink& sink)
        : JwwRecordVisitor(context, sink), scan_(scan), open_(sink.open_) {}

    void header(const JwwHeader& h) override { scan_.header = h; }

    void begin_block(const JwwBlockDefinition& d) override {
        if (scan_.blocks.size() >= kJwwMaxStoreBlocks) {
            ++scan_.blocks_left_out;
            scan_.block_numbers.try_emplace(d.number, std::int16_t{0});
            open_.push_back(-1);
            return;
        }
        scan_.blocks.push_back({d.number, jww_block_display_name(d.name), d.referred, 0, 0});
        const auto store_number = static_cast<std::int16_t>(scan_.blocks.size());
        scan_.block_numbers.try_emplace(d.number, store_number);
        open_.push_back(static_cast<int>(scan_.blocks.size()) - 1);
    }

    void end_block() override {
        if (!open_.empty()) open_.pop_back();
    }

private:
    JwwScan& scan_;
    std::vector<int>& open_;
};

}  // namespace

std::string jww_block_display_name(const std::string& stored) {
    static constexpr std::string_view kMarker = "@@sfigorgflag@@";
    std::string folded(stored);
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const std::size_t at = folded.rfind(kMarker);
    if (at == std::string::npos) return stored;
    const std::string_view rest = std::string_view(folded).substr(at + kMarker.size());
    const bool digits =
        std::all_of(rest.begin(), rest.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
    return digits ? stored.substr(0, at) : stored;
}

JwwScan scan_jww_file(const std::string& path) {
    JwwScan scan;
    JwwRecordContext context;
    context.header = &scan.header;
    // Layer numbers that name their own slot, so that every record tells its layer.
    std::iota(context.layers.begin(), context.layers.end(), std::int16_t{1});
    ScanSink sink(scan);
    ScanVisitor visitor(scan, context, sink);
    scan.result = read_jww_file(path, visitor);
    std::int32_t first = 0;
    for (JwwBlockPlan& block : scan.blocks) {
        block.first = first;
        first += block.count;
    }
    return scan;
}

}  // namespace zov
