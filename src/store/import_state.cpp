#include "store/import_state.h"

#include "store/source_line_types.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cstdint>
#include <utility>

#include "common/cp932.h"
#include "common/encoding.h"
#include "common/files.h"
#include "common/japanese_texts.h"
#include "common/messages.h"

namespace zov {

void Extents::include(double x, double y) {
    if (x < min_x) min_x = x;
    if (y < min_y) min_y = y;
    if (x > max_x) max_x = x;
    if (y > max_y) max_y = y;
}

namespace {

std::string with_trailing_slash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

void close_stream(std::FILE*& stream) {
    if (stream != nullptr) std::fclose(stream);
    stream = nullptr;
}

// A section file cannot be opened.
const char* const kCannotOpenSection = cp932_text(JaText::CannotOpenSection);

// Records are appended a hundred bytes at a time: a large stream buffer
// keeps that to one system call per stretch.
constexpr std::size_t kSectionBuffer = std::size_t{256} * 1024;

}  // namespace

std::FILE* section_stream_on(int fd, std::unique_ptr<char[]>& buffer) {
    const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (own < 0) return nullptr;
    std::FILE* stream = ::fdopen(own, "r+b");
    if (stream == nullptr) {
        ::close(own);
        return nullptr;
    }
    buffer = std::make_unique<char[]>(kSectionBuffer);
    std::setvbuf(stream, buffer.get(), _IOFBF, kSectionBuffer);
    return stream;
}

namespace {

// A section stream at the end of the file of `fd`; nullptr when it cannot be made.
std::FILE* stream_at_end(int fd, std::unique_ptr<char[]>& buffer) {
    std::FILE* stream = section_stream_on(fd, buffer);
    if (stream != nullptr && std::fseek(stream, 0, SEEK_END) != 0) {
        std::fclose(stream);
        return nullptr;
    }
    return stream;
}

}  // namespace

bool close_written(std::FILE*& stream) {
    const bool written = stream == nullptr || std::fclose(stream) == 0;
    stream = nullptr;
    return written;
}

Continuation continue_sections_in(ImportState& state, int strings, int entities,
                                  TextOffsetMove texts) {
    ImportState::SectionContinuation next{FileDescriptor(::fcntl(strings, F_DUPFD_CLOEXEC, 0)),
                                          FileDescriptor(::fcntl(entities, F_DUPFD_CLOEXEC, 0)),
                                          nullptr,
                                          nullptr,
                                          texts,
                                          0};
    struct stat info {};
    if (!next.strings.valid() || !next.entities.valid() || ::fstat(entities, &info) != 0)
        return Continuation::NotTaken;
    next.records_to_move = info.st_size / static_cast<off_t>(sizeof(EntityRecord));
    std::FILE* string_stream = stream_at_end(next.strings.get(), next.string_buffer);
    std::FILE* entity_stream = stream_at_end(next.entities.get(), next.entity_buffer);
    if (string_stream == nullptr || entity_stream == nullptr) {
        close_written(string_stream);
        close_written(entity_stream);
        return Continuation::NotTaken;
    }
    const bool written = close_written(state.strings) & close_written(state.entities);
    state.strings = string_stream;
    state.entities = entity_stream;
    state.continuations.push_back(std::move(next));
    return written ? Continuation::Taken : Continuation::TakenAfterFailedWrite;
}

int create_section_file(ImportState& state, const char* name, std::FILE*& stream) {
    close_stream(stream);
    const std::string path = state.path(name);
    stream = std::fopen(path.c_str(), "w+b");
    if (stream == nullptr) {
        show_error(state.messages, kCannotOpenSection, utf8_to_cp932(path).c_str());
        return -1;
    }
    std::unique_ptr<char[]>& buffer = state.section_buffers[name];
    if (!buffer) buffer = std::make_unique<char[]>(kSectionBuffer);
    std::setvbuf(stream, buffer.get(), _IOFBF, kSectionBuffer);
    return 0;
}

namespace {

void clear_record_buffers(ImportState& state) {
    state.entity = EntityRecord{};
    state.layer = LayerRecord{};
    state.block = BlockRecord{};
    state.line_type = LineTypeRecord{};
}

// A state's streams are written by one thread only (each part of a section
// read on a thread of its own has a state of its own): no stream lock.
int write_at_current_position(std::FILE* file, const void* data, std::size_t size) {
    if (file == nullptr) return -1;
    return ::fwrite_unlocked(data, size, 1, file) == 1 ? 0 : -1;
}

}  // namespace

ImportState::ImportState(std::string folder, Messages& messages_)
    : program_folder(with_trailing_slash(std::move(folder))), messages(messages_) {}

ImportState::~ImportState() { close_all_streams(*this); }

std::string ImportState::path(std::string_view file_name) const {
    return program_folder + std::string(file_name);
}

void prepare_header(ImportState& state, const std::string& source_path) {
    state.header = StoreHeader{};
    copy_bounded(state.header.ver, kStoreBanner);
    copy_bounded(state.header.fname, file_name_to_cp932(source_path));
    state.header.ftime = file_write_time(source_path);
    state.header.fsize = file_size(source_path);
}

int open_section_files(ImportState& state) {
    forget_source_line_types(state.program_folder);
    for (auto [name, stream] : {std::pair{kLineTypeFileName, &state.line_types},
                                {kLayerFileName, &state.layers},
                                {kBlockFileName, &state.blocks},
                                {kEntityFileName, &state.entities},
                                {kStringFileName, &state.strings}}) {
        if (create_section_file(state, name, *stream) != 0) return -1;
    }
    state.entities_are_block_data = false;
    state.continuations.clear();
    clear_record_buffers(state);
    state.header.kind = kSourceDxf;
    state.string_length = 0;
    state.extents_taken = 0;
    state.entity_extents = Extents{};
    state.notes.clear();
    state.dropped = LossReport{};
    state.header.min_x = state.header.min_y = kEmptyBoxMinimum;
    state.header.max_x = state.header.max_y = kEmptyBoxMaximum;
    return 0;
}

int open_jw_section_files(ImportState& state) {
    forget_source_line_types(state.program_folder);
    for (auto [name, stream] : {std::pair{kLayerFileName, &state.layers},
                                {kEntityFileName, &state.entities},
                                {kStringFileName, &state.strings}}) {
        if (create_section_file(state, name, *stream) != 0) return -1;
    }
    state.entities_are_block_data = false;
    state.continuations.clear();
    clear_record_buffers(state);
    state.notes.clear();
    state.dropped = LossReport{};
    return 0;
}

int begin_block_data(ImportState& state) {
    close_stream(state.entities);
    state.entities_are_block_data = true;
    return create_section_file(state, kBlockDataFileName, state.entities);
}

int end_block_data(ImportState& state) {
    close_stream(state.entities);
    state.entities_are_block_data = false;
    return create_section_file(state, kEntityFileName, state.entities);
}

std::int32_t append_text(ImportState& state, const char* bytes, std::int32_t n) {
    // The STR section's offsets are 32-bit: a text that would pass them is refused.
    if (state.strings == nullptr || n < 0 || n > INT32_MAX - state.string_length) return -1;
    if (n > 0 && write_at_current_position(state.strings, bytes, static_cast<std::size_t>(n)) != 0)
        return -1;
    const std::int32_t offset = state.string_length;
    state.string_length += n;
    return offset;
}

int append_line_type(ImportState& state, const LineTypeRecord& record) {
    return write_at_current_position(state.line_types, &record, sizeof record);
}

int append_layer(ImportState& state, const LayerRecord& record) {
    return write_at_current_position(state.layers, &record, sizeof record);
}

int append_block(ImportState& state, const BlockRecord& record) {
    return write_at_current_position(state.blocks, &record, sizeof record);
}

int append_entity(ImportState& state, const EntityRecord& record) {
    return write_at_current_position(state.entities, &record, sizeof record);
}

void close_all_streams(ImportState& state) {
    close_stream(state.line_types);
    close_stream(state.layers);
    close_stream(state.blocks);
    close_stream(state.entities);
    close_stream(state.strings);
    state.entities_are_block_data = false;
}

bool import_stop_requested(const ImportState& state) {
    return state.progress != nullptr && state.progress->stop_requested();
}

void discard_section_files(ImportState& state) {
    close_all_streams(state);
    state.continuations.clear();
    for (const char* file_name : kSectionFileNames) delete_file(state.path(file_name));
}

}  // namespace zov
