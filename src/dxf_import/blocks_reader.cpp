// The BLOCKS section, read twice: a counting pass appends every block record
// (name, base point, first entity and count), so that the writing pass, which
// writes the blocks' entities to the block-data file, resolves inserts of
// blocks that are defined further down.
#include <cstdint>
#include <string_view>
#include <utility>

#include "common/cp932.h"
#include "common/paths.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_readers.h"

namespace zov {

namespace {

// The names of paper-space layout blocks begin so, in any case.
constexpr std::string_view kPaperLayoutPrefix = "*Paper_Space";

// An arrow-head dot block: DOT or _ORIGIN, or a name whose second to fourth
// characters are DOT (_DOT, _DOTSMALL, _DOTBLANK), in any case.
bool is_dot_block_name(std::string_view name) {
    return equals_ignore_case(name, "DOT") || equals_ignore_case(name, "_ORIGIN") ||
           (name.size() >= 4 && equals_ignore_case(name.substr(1, 3), "DOT"));
}

// The first entity of a dot block, which draws the dot, is replaced by a
// point record when it is one of these.
bool is_dot_shape(std::string_view name) {
    return name == "LWPOLYLINE" || name == "POLYLINE" || name == "CIRCLE" || name == "ARC" ||
           name == "POINT";
}

// The end of the section: ENDSEC, or (when ENDSEC is missing) the start of
// the next section or the end-of-file item.
bool ends_section(std::string_view value) {
    return value == "ENDSEC" || value == "SECTION" || value == "EOF";
}

class BlocksPass {
public:
    BlocksPass(DxfContext& context, bool counting, int first_number, std::size_t first_tally)
        : context_(context), counting_(counting), number_(first_number), tally_(first_tally) {
        context.counting = counting;
        // Characters are counted once, in the writing pass.
        if (counting) context.reader.count_lost_characters(nullptr);
    }
    ~BlocksPass() {
        context_.counting = false;
        context_.reader.count_lost_characters(&context_.state.dropped);
    }

    void run() {
        start_block();
        DxfGroupReader& reader = context_.reader;
        bool at_item = false;  // a code line with code 0 has just been read
        while (true) {
            if (!at_item) {
                if (reader.read_group() < 0) break;
                if (reader.code() != 0) {
                    if (reader.read_group() < 0) break;
                    if (in_header_) take_header_group();
                    continue;
                }
            }
            if (reader.read_group() < 0) break;
            const std::string_view item = reader.value();
            if (ends_section(item)) break;
            at_item = take_item(item);
            if (reader.ended()) break;
        }
        // A block whose ENDBLK is missing ends with its section.
        if (block_open_) end_block();
    }

private:
    void start_block() {
        record_ = BlockRecord{};
        in_header_ = true;
        block_open_ = false;
        header_items_ = 0;
        dot_block_ = false;
        first_entity_ = true;
        records_ = 0;
        kept_ = number_ < kMaxTableRecords;
    }

    void take_header_group() {
        const DxfGroupReader& reader = context_.reader;
        switch (reader.code()) {
            case 8: copy_bounded(record_.layer_name, reader.value()); break;
            case 2:
            case 3: copy_bounded(record_.name, reader.value()); break;
            case 10: record_.base_x = reader.real(); break;
            case 20: record_.base_y = reader.real(); break;
            default: break;
        }
    }

    // Handles the item named `item`; true when its reader stopped at the
    // code line of the next item.
    bool take_item(std::string_view item) {
        if (in_header_) {
            // The first item is the BLOCK itself; the second, the first
            // entity or ENDBLK, ends the header.
            if (++header_items_ == 1) {
                block_open_ = true;
                return false;
            }
            in_header_ = false;
            dot_block_ = is_dot_block_name(fixed_text(record_.name));
            if (dot_block_ && kept_) {
                EntityRecord dot;
                dot.kind = kEntityPoint;
                records_ += context_.write_entity(dot);
            }
        }
        if (item == "ENDBLK") {
            end_block();
            start_block();
            return false;
        }
        const bool first = std::exchange(first_entity_, false);
        const ItemReader read = find_entity_reader(item);
        if (!kept_ || read == nullptr || (dot_block_ && first && is_dot_shape(item))) {
            skip_item(context_);
        } else {
            records_ += read(context_);
        }
        return true;
    }

    void end_block() {
        block_open_ = false;
        if (kept_) {
            counting_ ? record_block() : finish_block();
        } else if (counting_) {
            // Remembered, so that the entities naming it count as left out.
            context_.blocks.add(fixed_text(record_.name));
            context_.beyond_block_numbers.count("BLOCK");
        }
        ++number_;
    }

    void record_block() {
        record_.first = context_.block_entity_index;
        record_.count = records_;
        record_.last = records_ > 0 ? record_.first + records_ - 1 : record_.first;
        context_.block_entity_index += records_;
        append_block(context_.state, record_);
        const std::string_view name = fixed_text(record_.name);
        if (context_.blocks.add(name) && context_.paper_layout == 0 && records_ > 0 &&
            equals_ignore_case(name.substr(0, kPaperLayoutPrefix.size()), kPaperLayoutPrefix)) {
            context_.paper_layout = context_.blocks.count();
            context_.paper_layout_x = record_.base_x;
            context_.paper_layout_y = record_.base_y;
        }
        context_.block_tallies.push_back({records_, 0});
    }

    void finish_block() {
        ++context_.state.header.bro_num;
        if (tally_ < context_.block_tallies.size())
            context_.block_tallies[tally_].written = records_;
        ++tally_;
    }

    DxfContext& context_;
    const bool counting_;
    int number_;  // blocks of the file before this one
    std::size_t tally_;
    BlockRecord record_;
    bool in_header_ = true;
    bool block_open_ = false;
    int header_items_ = 0;
    bool dot_block_ = false;
    bool first_entity_ = true;
    bool kept_ = true;
    int records_ = 0;
};

}  // namespace

int insert_paper_layout(DxfContext& context) {
    if (context.paper_layout <= 0 || context.paper_layout > INT16_MAX) return 0;
    EntityRecord insert;
    insert.kind = kEntityInsert;
    insert.block = static_cast<std::int16_t>(context.paper_layout);
    insert.colour = 7;
    insert.line_type = kLineContinuous;
    insert.x1 = context.paper_layout_x;
    insert.y1 = context.paper_layout_y;
    insert.insert.scale_x = insert.insert.scale_y = 1.0;
    return context.write_entity(insert);
}

int read_blocks_section(DxfContext& context) {
    const DxfGroupReader::Mark start = context.reader.mark();
    const int first_number = context.blocks.count();
    const std::size_t first_tally = context.block_tallies.size();
    const std::int64_t budget = context.records_left;
    BlocksPass(context, true, first_number, first_tally).run();
    context.reader.return_to(start);
    context.records_left = budget;
    if (context.write_to_block_data() != 0) {
        context.failed = true;
        return 0;
    }
    BlocksPass(context, false, first_number, first_tally).run();
    context.write_to_drawing();
    return 0;
}

}  // namespace zov
