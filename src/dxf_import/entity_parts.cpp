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

#include "common/messages.h"
#include "dxf_import/dxf_context.h"
#include "dxf_import/dxf_reading_loop.h"
#include "dxf_import/entity_split.h"

namespace zov {

namespace {

// Records and texts go through memory this many bytes at a time when a part
// is joined; a whole number of entity records.
constexpr std::size_t kJoinBytes = sizeof(EntityRecord) * 10'000;
// A part numbers its texts from here, so that every text offset it makes,
// also one a reader copied into another record, is told from the offset 0
// of a record without text and moved behind the texts before the part.
constexpr std::int32_t kPartTextBase = std::int32_t{1} << 30;
constexpr std::size_t kPartStreamBuffer = std::size_t{256} * 1024;

// A file of the folder that has no name and goes when it is closed, for
// update, with a large stream buffer; nullptr when it cannot be made.
std::FILE* unnamed_file(const std::string& folder, std::unique_ptr<char[]>& buffer) {
    const int fd = ::open(folder.c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0600);
    if (fd < 0) return nullptr;
    std::FILE* file = ::fdopen(fd, "w+b");
    if (file == nullptr) {
        ::close(fd);
        return nullptr;
    }
    buffer = std::make_unique<char[]>(kPartStreamBuffer);
    std::setvbuf(file, buffer.get(), _IOFBF, kPartStreamBuffer);
    return file;
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
        state.entities = unnamed_file(state.program_folder, entity_buffer);
        state.strings = unnamed_file(state.program_folder, string_buffer);
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
        flushed = std::fflush(state.entities) == 0 && std::fflush(state.strings) == 0;
    }

    std::int64_t records_taken() const { return budget - context.records_left; }
    std::int32_t text_bytes() const { return state.string_length - kPartTextBase; }

    const std::int64_t start;  // offset of the part's first name line
    RecordingMessages messages;
    // The streams' buffers outlive the streams, which the state closes.
    std::unique_ptr<char[]> entity_buffer, string_buffer;
    ImportState state;
    DxfContext context;
    std::int64_t budget = 0;
    ItemsResult result{ItemsEnd::Refused, {}};
    bool flushed = false;
};

// Whether the part read alone gave what reading on through it would, after
// everything before it has been joined into `whole`.
bool joins_as_read(const EntityPart& part, const DxfContext& whole) {
    return part.result.end != ItemsEnd::Refused && part.flushed && !part.context.failed &&
           !part.context.write_failed() && part.messages.entries.empty() &&
           part.context.left_out.empty() && !part.context.tables.used_unknown_layer() &&
           part.records_taken() <= whole.records_left &&
           part.text_bytes() <= INT32_MAX - whole.state.string_length;
}

// Appends the file behind `from` to the stream `to`; with `text_base` >= 0
// the file holds entity records, whose text offsets of the part are moved
// to follow `text_base`.
bool append_part_file(std::FILE* from, std::FILE* to, std::int32_t text_base) {
    std::vector<char> bytes(kJoinBytes);
    std::int64_t offset = 0;
    for (;;) {
        const ssize_t n =
            ::pread(::fileno(from), bytes.data(), bytes.size(), static_cast<off_t>(offset));
        if (n < 0) return false;
        if (n == 0) return true;
        const auto size = static_cast<std::size_t>(n);
        for (std::size_t at = offsetof(EntityRecord, text_offset);
             text_base >= 0 && at + sizeof(std::int32_t) <= size; at += sizeof(EntityRecord)) {
            std::int32_t text_offset;
            std::memcpy(&text_offset, bytes.data() + at, sizeof text_offset);
            if (text_offset < kPartTextBase) continue;
            text_offset = text_offset - kPartTextBase + text_base;
            std::memcpy(bytes.data() + at, &text_offset, sizeof text_offset);
        }
        if (std::fwrite(bytes.data(), 1, size, to) != size) return false;
        offset += n;
    }
}

void include_extents(Extents& into, const Extents& part) {
    into.min_x = std::min(into.min_x, part.min_x);
    into.min_y = std::min(into.min_y, part.min_y);
    into.max_x = std::max(into.max_x, part.max_x);
    into.max_y = std::max(into.max_y, part.max_y);
}

// Adds the part to the import as if it had been read where it stands.
void join_part(EntityPart& part, DxfContext& whole) {
    ImportState& into = whole.state;
    const ImportState& from = part.state;
    const std::int32_t text_base = into.string_length;
    whole.note_write(append_part_file(from.strings, into.strings, -1) ? 0 : -1, kStringFileName);
    whole.note_write(append_part_file(from.entities, into.entities, text_base) ? 0 : -1,
                     kEntityFileName);
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

struct Descriptor {
    explicit Descriptor(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    const int fd;
};

}  // namespace

void read_entities_in_parts(DxfContext& context, ItemLoop& loop) {
    DxfGroupReader& reader = context.reader;
    const int threads = threads_for(context);
    if (threads < 2 || reader.is_binary() || context.counting || context.in_block()) return;
    const Descriptor source(context.source_path);
    const std::int64_t size = source.fd < 0 ? 0 : file_bytes(source.fd);
    if (size < context.parts_from_bytes) return;
    const std::int64_t begin = reader.mark().position;
    std::vector<std::unique_ptr<EntityPart>> parts;
    for (std::int64_t start :
         entity_part_starts(source.fd, reader.line_end(), begin, size, threads)) {
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
        if (!joins_as_read(part, context)) {
            reader.return_to({part.start, true, 0});
            return;
        }
        join_part(part, context);
        const bool next_follows = part.result.end == ItemsEnd::AtStop && i + 1 < parts.size();
        if (!next_follows) {
            reader.return_to(part.result.item);
            return;
        }
    }
}

}  // namespace zov
