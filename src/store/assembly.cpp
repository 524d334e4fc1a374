#include "store/import_state.h"

#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <memory>
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

// Appends the whole of `from` (not read from yet) to `to` (unbuffered); false
// on a read or write error. The kernel copies between the files itself where
// it can; otherwise a large stretch at a time goes through memory.
bool copy_stream(std::FILE* from, std::FILE* to) {
    const int in = ::fileno(from), out = ::fileno(to);
    bool copied_any = false;
    for (;;) {
        const ssize_t n = ::copy_file_range(in, nullptr, out, nullptr, std::size_t{1} << 30, 0);
        if (n > 0) {
            copied_any = true;
            continue;
        }
        if (n == 0) {  // the stream learns where the copy left the file
            const off_t end = ::lseek(out, 0, SEEK_CUR);
            return end >= 0 && std::fseek(to, static_cast<long>(end), SEEK_SET) == 0;
        }
        if (copied_any ||
            (errno != EXDEV && errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP))
            return false;
        break;
    }
    std::vector<char> buffer(1 << 20);
    std::size_t n;
    while ((n = std::fread(buffer.data(), 1, buffer.size(), from)) > 0) {
        if (std::fwrite(buffer.data(), 1, n, to) != n) return false;
    }
    return std::ferror(from) == 0;
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
        if (!copy_stream(source.get(), data.stream())) return report_not_created();
        source.reset();
        delete_file(path);
    }

    if (std::fseek(data.stream(), 0, SEEK_SET) != 0 ||
        std::fwrite(&header, sizeof header, 1, data.stream()) != 1 ||
        !data.commit(ExistingTarget::Replace, state.store_durability))
        return report_not_created();
    return 0;
}

}  // namespace zov
