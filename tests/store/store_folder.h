#pragma once
// A fresh program folder per test, with recorded messages and an import state.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <set>
#include <string>

#include "common/messages.h"
#include "fixtures/temp_folder.h"
#include "store/import_state.h"

namespace zov {

class StoreFolder : public ::testing::Test {
protected:
    StoreFolder() { state_ = std::make_unique<ImportState>(folder_.string(), messages_); }
    ~StoreFolder() override { state_.reset(); }

    ImportState& state() { return *state_; }
    std::string path(const char* name) const { return (folder_ / name).string(); }

    std::set<std::string> files() const {
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder_))
            names.insert(entry.path().filename().string());
        return names;
    }

    std::string bytes_of(const char* name) const {
        std::ifstream in(path(name), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    void write_bytes(const char* name, const std::string& bytes) const {
        std::ofstream(path(name), std::ios::binary) << bytes;
    }

    TempFolder scratch_;
    std::filesystem::path folder_ = scratch_.folder();
    RecordingMessages messages_;
    std::unique_ptr<ImportState> state_;
};

}  // namespace zov
