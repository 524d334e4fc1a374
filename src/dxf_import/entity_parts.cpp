#include "dxf_import/entity_parts.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstddef>
#include <cstring>
#include <memory>
#include <system_error>
#include <thread>
#include <vector>

#include "common/file_descriptor.h"
#include "common/messages.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_reading_loop.h"
#include "dxf_import/entity_split.h"

namespace zov {

namespace {

// A part numbers its texts from here, so that every text offset it makes,
// also one a reader copied into another record, is told from the offset 0
// of a record without text and moved behind the texts before the part.
constexpr std::int32_t kPartTextBase = std::int32_t{1} << 30;

// A file of the folder that has no name and goes when the last descriptor
// of it is closed; invalid when it cannot be made.
FileDescriptor unnamed_file(const std::string& folder) {
    return FileDescriptor(::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600));
}

// One part after the first: its own store state (only the entity and text
// files), context and reader, read on its own thread.
struct EntityPart {
    EntityPart(const DxfContext& whole, std::int64_t start_at)
        : start(start_at), state(whole.state.program_folder, messages), context(state) {
        state.progress = whole.state.progress;
        context.source_path = whole.source_path;
        context.tables = whole.tables.part_copy();
        context.blocks = whole.blocks;
        context.records_left = budget = whole.records_left;
        state.string_length = kPartTextBase;
    }

    // False when the part's files or reader cannot be made.
    bool open(const DxfContext& whole) {
        entity_file = unnamed_file(state.program_folder);
        string_file = unnamed_file(state.program_folder);
        if (!entity_file.valid() || !string_file.valid()) return false;
        state.entities = section_stream_on(entity_file.get(), entity_buffer);
        state.strings = section_stream_on(string_file.get(), string_buffer);
        if (state.entities == nullptr || state.strings == nullptr) return false;
        if (!context.reader.open(context.source_path)) return false;
        context.reader.read_text_as(whole.reader);
        context.reader.return_to({start, true, 0});
        context.reader.count_lost_characters(&state.dropped);
        if (state.progress != nullptr) context.reader.report_part_to(state.progress);
        return true;
    }

    void read(std::int64_t stop_at) {
        ItemLoop loop{.in_entities = true};
        result = read_items(context, loop, {.stop_at = stop_at, .entities_only = true});
        context.reader.close();
        // Only the files go on: their streams would share the file offsets.
        written = close_written(state.entities) & close_written(state.strings);
    }

    std::int64_t records_taken() const { return budget - context.records_left; }
    std::int32_t text_bytes() const { return state.string_length - kPartTextBase; }

    const std::int64_t start;  // offset of the part's first name line
    RecordingMessages messages;
    // The part's files; its streams and their buffers, which outlive them.
    FileDescriptor entity_file, string_file;
    std::unique_ptr<char[]> entity_buffer, string_buffer;
    ImportState state;
    DxfContext context;
    std::int64_t budget = 0;
    ItemsResult result{ItemsEnd::Refused, {}};
    bool written = false;
};

// Whether the part read alone gave what reading on through it would, after
// everything before it has been joined into `whole`.
bool joins_as_read(const EntityPart& part, const DxfContext& whole) {
    return part.result.end != ItemsEnd::Refused && part.written && !part.context.failed &&
           !part.context.write_failed() && part.messages.entries.empty() &&
           part.context.left_out.empty() && !part.context.tables.used_unknown_layer() &&
           part.records_taken() <= whole.records_left &&
           part.text_bytes() <= INT32_MAX - whole.state.string_length;
}

void include_extents(Extents& into, const Extents& part) {
    into.min_x = std::min(into.min_x, part.min_x);
    into.min_y = std::min(into.min_y, part.min_y);
    into.max_x = std::max(into.max_x, part.max_x);
    into.max_y = std::max(into.max_y, part.max_y);
}

// Adds the part to the import as if it had been read where it stands: its
// files become the import's STR and ENT outputs. False when they cannot be
// taken in, and the import is then as it was.
bool join_part(EntityPart& part, DxfContext& whole) {
    ImportState& into = whole.state;
    const ImportState& from = part.state;
    const Continuation taken = continue_sections_in(
        into, part.string_file.get(), part.entity_file.get(), {kPartTextBase, into.string_length});
    if (taken == Continuation::NotTaken) return false;
    whole.note_write(taken == Continuation::Taken ? 0 : -1, kEntityFileName);
    into.string_length += part.text_bytes();
    into.header.ent_num += from.header.ent_num;
    into.header.str_num += from.header.str_num;
    if (from.header.pe_flag != 0) into.header.pe_flag = from.header.pe_flag;
    include_extents(into.entity_extents, from.entity_extents);
    into.notes.insert(into.notes.end(), from.notes.begin(), from.notes.end());
    into.dropped.add(from.dropped);
    whole.tables.add_part(part.context.tables);
    whole.records_left -= part.records_taken();
    ++whole.joined_parts;
    return true;
}

int threads_for(const DxfContext& context) {
    int threads = context.entity_threads;
    if (threads <= 0) threads = static_cast<int>(std::thread::hardware_concurrency());
    return std::clamp(threads, 1, kMostEntityThreads);
}

std::int64_t file_bytes(int fd) {
    struct stat info {};
    return ::fstat(fd, &info) == 0 ? static_cast<std::int64_t>(info.st_size) : 0;
}

}  // namespace

void read_entities_in_parts(DxfContext& context, ItemLoop& loop) {
    DxfGroupReader& reader = context.reader;
    const int threads = threads_for(context);
    if (threads < 2 || reader.is_binary() || context.counting || context.in_block()) return;
    const FileDescriptor source(::open(context.source_path.c_str(), O_RDONLY | O_CLOEXEC));
    const std::int64_t size = source.valid() ? file_bytes(source.get()) : 0;
    if (size < context.parts_from_bytes) return;
    const std::int64_t begin = reader.mark().position;
    std::vector<std::unique_ptr<EntityPart>> parts;
    for (std::int64_t start :
         entity_part_starts(source.get(), reader.line_end(), begin, size, threads)) {
        auto part = std::make_unique<EntityPart>(context, start);
        if (!part->open(context)) break;
        parts.push_back(std::move(part));
    }
    if (parts.empty()) return;

    const int other_items_before = loop.other_items;
    ItemsResult first;
    {
        std::vector<std::jthread> workers;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            const std::int64_t stop_at = i + 1 < parts.size() ? parts[i + 1]->start : -1;
            // A part without a thread is never read, so never joined.
            try {
                workers.emplace_back([&part = *parts[i], stop_at] { part.read(stop_at); });
            } catch (const std::system_error&) {
                break;
            }
        }
        first = read_items(context, loop, {.stop_at = parts.front()->start});
    }
    // The reader goes on from the end of what is joined, or reads the parts again.
    if (context.state.progress != nullptr) context.state.progress->forget_read_ahead();
    // A stopped import keeps nothing. The parts were read with the tables
    // and text settings of the section's start, inside the section: when
    // the first part changed them, left the section or read on past the
    // cut, the reading goes on from where it stands.
    if (import_stop_requested(context.state) || first.end != ItemsEnd::AtStop ||
        loop.other_items != other_items_before || !loop.in_entities || loop.section_starts ||
        context.plane != nullptr)
        return;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        EntityPart& part = *parts[i];
        if (!joins_as_read(part, context) || !join_part(part, context)) {
            reader.return_to({part.start, true, 0});
            return;
        }
        const bool next_follows = part.result.end == ItemsEnd::AtStop && i + 1 < parts.size();
        if (!next_follows) {
            reader.return_to(part.result.item);
            return;
        }
    }
}

}  // namespace zov
