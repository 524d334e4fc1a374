#include "store/import_state.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>
#include <thread>
#include <vector>

#include "common/encoding.h"
#include "common/files.h"
#include "common/japanese_texts.h"
#include "common/messages.h"
#include "common/whole_file.h"

namespace zov {

namespace {

struct FileCloser {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

// Copies the file of `in` from `from` on into `out` at `at`, both read and
// written at their offsets (neither file's position moves, so two copies
// into one file may run at once); the bytes copied, or -1 on an error. The
// kernel copies between the files itself where it can; otherwise a large
// stretch at a time goes through memory.
off_t copy_at(int in, off_t from, int out, off_t at) {
    const off_t start = from;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, &from, out, &at, std::size_t{1} << 30, 0);
        if (n > 0) continue;
        if (n == 0) return from - start;
        if (from > start ||
            (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP))
            return -1;
        break;
    }
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::pread(in, buffer.data(), buffer.size(), from);
        if (n < 0) return -1;
        if (n == 0) return from - start;
        if (!write_all_at(out, buffer.data(), static_cast<std::size_t>(n), at)) return -1;
        from += n;
        at += n;
    }
}

// Appends the file of `in` from `offset` on to `to`; false on a read or
// write error.
bool append_file(int in, off_t offset, std::FILE* to) {
    if (std::fflush(to) != 0) return false;
    const long at = std::ftell(to);
    if (at < 0) return false;
    const off_t copied = copy_at(in, offset, ::fileno(to), at);
    return copied >= 0 && std::fseek(to, static_cast<long>(at + copied), SEEK_SET) == 0;
}

// Copies the entity records of a continuation into `out` at `at`, the first
// ones through memory with their text offsets moved, the rest as they are;
// the bytes copied, or -1 on an error.
off_t copy_moving_texts_at(const ImportState::SectionContinuation& continuation, int out,
                           off_t at) {
    constexpr std::size_t kStretch = sizeof(EntityRecord) * 10'000;
    const int in = continuation.entities.get();
    const TextOffsetMove& move = continuation.texts;
    const off_t end = continuation.records_to_move * static_cast<off_t>(sizeof(EntityRecord));
    std::vector<char> bytes(kStretch);
    off_t offset = 0;
    while (offset < end) {
        const auto wanted = static_cast<std::size_t>(std::min<off_t>(end - offset, kStretch));
        const ssize_t n = ::pread(in, bytes.data(), wanted, offset);
        if (n < 0) return -1;
        if (n == 0) break;  // the file was cut shorter since
        const auto size = static_cast<std::size_t>(n);
        for (std::size_t at_record = offsetof(EntityRecord, text_offset);
             at_record + sizeof(std::int32_t) <= size; at_record += sizeof(EntityRecord)) {
            std::int32_t text_offset;
            std::memcpy(&text_offset, bytes.data() + at_record, sizeof text_offset);
            if (text_offset < move.from) continue;
            text_offset = text_offset - move.from + move.to;
            std::memcpy(bytes.data() + at_record, &text_offset, sizeof text_offset);
        }
        if (!write_all_at(out, bytes.data(), size, at + offset)) return -1;
        offset += n;
    }
    const off_t rest = copy_at(in, offset, out, at + offset);
    return rest < 0 ? -1 : offset + rest;
}

// Appends the entity section file and its continuations to `to`. The
// section file is copied on a thread of its own while the continuations
// are copied behind where it ends: the two write different stretches of
// the store, and the copy of tens of megabytes takes half the time.
bool append_entities(const ImportState& state, std::FILE* source, std::FILE* to) {
    struct stat first {};
    if (std::fflush(to) != 0 || ::fstat(::fileno(source), &first) != 0) return false;
    const long start = std::ftell(to);
    if (start < 0) return false;
    const int out = ::fileno(to);
    off_t first_copied = -1;
    std::thread first_copy([&] { first_copied = copy_at(::fileno(source), 0, out, start); });
    off_t end = start + first.st_size;
    bool copied = true;
    for (const ImportState::SectionContinuation& continuation : state.continuations) {
        const off_t n = copy_moving_texts_at(continuation, out, end);
        if (n < 0) {
            copied = false;
            break;
        }
        end += n;
    }
    first_copy.join();
    // A section file that changed size meanwhile would leave a gap or an overlap.
    return copied && first_copied == first.st_size &&
           std::fseek(to, static_cast<long>(end), SEEK_SET) == 0;
}

// True when the store's folder can take the store that its section files
// make beside the previous store, which stays until the new one is whole.
bool room_for_store(const ImportState& state) {
    struct statvfs disk {};
    if (::statvfs(state.program_folder.c_str(), &disk) != 0) return true;  // not known: try
    std::uint64_t needed = sizeof(StoreHeader);
    for (const char* name : kSectionFileNames) {
        struct stat info {};
        if (::stat(state.path(name).c_str(), &info) == 0)
            needed += static_cast<std::uint64_t>(info.st_size);
    }
    for (const ImportState::SectionContinuation& continuation : state.continuations) {
        for (int fd : {continuation.strings.get(), continuation.entities.get()}) {
            struct stat info {};
            if (::fstat(fd, &info) == 0) needed += static_cast<std::uint64_t>(info.st_size);
        }
    }
    const std::uint64_t room = static_cast<std::uint64_t>(disk.f_bavail) * disk.f_frsize;
    return needed <= room;
}

// kCannotCreate (cannot create) and kNotFound (not found) in CP932.
const char* const kCannotCreate = cp932_text(JaText::CannotCreate);
const char* const kNotFound = cp932_text(JaText::NotFound);

struct Section {
    const char* file_name;
    std::int32_t count;
    std::int32_t StoreHeader::*offset;
    bool may_be_missing;
};

// Appends a section file and, for STR and ENT, their continuations to `to`.
bool append_section(const ImportState& state, const Section& section, std::FILE* source,
                    std::FILE* to) {
    const std::string_view name = section.file_name;
    if (name == kEntityFileName && !state.continuations.empty())
        return append_entities(state, source, to);
    if (!append_file(::fileno(source), 0, to)) return false;
    if (name != kStringFileName) return true;
    for (const ImportState::SectionContinuation& continuation : state.continuations)
        if (!append_file(continuation.strings.get(), 0, to)) return false;
    return true;
}

}  // namespace

int assemble_store(ImportState& state) {
    close_all_streams(state);

    StoreHeader& header = state.header;
    const std::string data_path = state.path(kDataFileName);
    auto report_not_created = [&] {
        show_error(state.messages, kCannotCreate, utf8_to_cp932(data_path).c_str());
        return -1;
    };
    // On a disk that cannot hold the new store beside the previous one, stop
    // before writing, so that the previous store stays and nothing is left.
    if (!room_for_store(state)) {
        discard_section_files(state);
        return report_not_created();
    }
    WholeFileOutput data;
    if (!data.open(data_path)) return report_not_created();
    std::setvbuf(data.stream(), nullptr, _IONBF, 0);

    if (state.extents_taken < 2) {
        header.min_x = state.entity_extents.min_x;
        header.min_y = state.entity_extents.min_y;
        header.max_x = state.entity_extents.max_x;
        header.max_y = state.entity_extents.max_y;
    }
    if (std::fwrite(&header, sizeof header, 1, data.stream()) != 1) return report_not_created();

    const Section sections[] = {
        {kStringFileName, header.str_num, &StoreHeader::add_str, false},
        {kLayerFileName, header.lay_num, &StoreHeader::add_lay, false},
        {kLineTypeFileName, header.line_num, &StoreHeader::add_lin, false},
        {kBlockFileName, header.bro_num, &StoreHeader::add_bro, false},
        {kBlockDataFileName, header.bro_num, &StoreHeader::add_bda, true},
        {kEntityFileName, header.ent_num, &StoreHeader::add_ent, false},
    };
    for (const Section& section : sections) {
        if (section.count == 0) continue;
        const long position = std::ftell(data.stream());
        if (position < 0 || position > INT32_MAX) return report_not_created();
        header.*section.offset = static_cast<std::int32_t>(position);
        const std::string path = state.path(section.file_name);
        File source(std::fopen(path.c_str(), "rb"));
        if (!source) {
            if (section.may_be_missing) continue;
            show_error(state.messages, kNotFound, utf8_to_cp932(path).c_str());
            return -1;
        }
        if (!append_section(state, section, source.get(), data.stream()))
            return report_not_created();
        source.reset();
        delete_file(path);
    }

    state.continuations.clear();
    if (std::fseek(data.stream(), 0, SEEK_SET) != 0 ||
        std::fwrite(&header, sizeof header, 1, data.stream()) != 1 ||
        !data.commit(ExistingTarget::Replace, state.store_durability))
        return report_not_created();
    return 0;
}

}  // namespace zov
