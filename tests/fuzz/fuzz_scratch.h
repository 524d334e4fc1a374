#pragma once
// What every fuzz target shares: one private scratch folder per process, the
// input written there as a file, and messages that go nowhere.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/messages.h"

namespace zov::fuzz {

// A folder of this process's own (made with mkdtemp under $TMPDIR, else
// /tmp, on first use), ending in "/"; removed when the process ends normally.
const std::string& scratch_folder();

// Writes the input as the file `name` in the scratch folder and returns its
// path; aborts when it cannot be written, since every later result would lie.
std::string write_input(const char* name, const std::uint8_t* data, std::size_t size);

// Drops every message and answers every question No, so that no run is
// slowed by console output and no question lets an output replace a file.
class SilentMessages : public Messages {
public:
    void show(MessageIcon, const std::string&) override {}
    bool ask(const std::string&) override { return false; }
};

}  // namespace zov::fuzz
