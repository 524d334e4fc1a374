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

// Appends the file of `in` from `offset` on, read at its offsets, to `to`
// (unbuffered); false on a read or write error. The kernel copies between
// the files itself where it can; otherwise a large stretch at a time goes
// through memory.
bool append_file(int in, off_t offset, std::FILE* to) {
    const int out = ::fileno(to);
    const off_t start = offset;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, &offset, out, nullptr, std::size_t{1} << 30, 0);
        if (n > 0) continue;
        if (n == 0) {  // the stream learns where the copy left the file
            const off_t end = ::lseek(out, 0, SEEK_CUR);
            return end >= 0 && std::fseek(to, static_cast<long>(end), SEEK_SET) == 0;
        }
        if (offset > start ||
            (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP))
            return false;
        break;
    }
    std::vector<char> buffer(1 << 20);
    for (;;) {
        const ssize_t n = ::pread(in, buffer.data(), buffer.size(), offset);
        if (n < 0) return false;
        if (n == 0) return true;
        const auto size = static_cast<std::size_t>(n);
        if (std::fwrite(buffer.data(), 1, size, to) != size) return false;
        offset += n;
    }
}

// Appends the entity records of a continuation to `to`, the first ones
// through memory with their text offsets moved, the rest as they are.
bool append_moving_texts(const ImportState::SectionContinuation& continuation, std::FILE* to) {
    constexpr std::size_t kStretch = sizeof(EntityRecord) * 10'000;
    const int in = continuation.entities.get();
    const TextOffsetMove& move = continuation.texts;
    const off_t end = continuation.records_to_move * static_cast<off_t>(sizeof(EntityRecord));
    std::vector<char> bytes(kStretch);
    off_t offset = 0;
    while (offset < end) {
        const auto wanted = static_cast<std::size_t>(std::min<off_t>(end - offset, kStretch));
        const ssize_t n = ::pread(in, bytes.data(), wanted, offset);
        if (n < 0) return false;
        if (n == 0) break;  // the file was cut shorter since
        const auto size = static_cast<std::size_t>(n);
        for (std::size_t at = offsetof(EntityRecord, text_offset);
             at + sizeof(std::int32_t) <= size; at += sizeof(EntityRecord)) {
            std::int32_t text_offset;
            std::memcpy(&text_offset, bytes.data() + at, sizeof text_offset);
            if (text_offset < move.from) continue;
            text_offset = text_offset - move.from + move.to;
            std::memcpy(bytes.data() + at, &text_offset, sizeof text_offset);
        }
        if (std::fwrite(bytes.data(), 1, size, to) != size) return false;
        offset += n;
    }
    return append_file(in, offset, to);
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
    if (!append_file(::fileno(source), 0, to)) return false;
    const std::string_view name = section.file_name;
    for (const ImportState::SectionContinuation& continuation : state.continuations) {
        if (name == kStringFileName && !append_file(continuation.strings.get(), 0, to))
            return false;
        if (name == kEntityFileName && !append_moving_texts(continuation, to)) return false;
    }
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
