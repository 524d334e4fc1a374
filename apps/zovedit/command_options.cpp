#include <algorithm>
#include <cstdio>

#include "analyser/disk.h"
#include "commands.h"
#include "common/encoding.h"
#include "common/files.h"

CommandOptions::CommandOptions(const CommandArgs& args, const std::vector<std::string>& valued,
                               const std::vector<std::string>& flags) {
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (std::find(valued.begin(), valued.end(), arg) != valued.end()) {
            if (i + 1 >= args.size()) {
                error_ = arg + " needs a value";
                return;
            }
            values_.emplace_back(arg, args[++i]);
        } else if (std::find(flags.begin(), flags.end(), arg) != flags.end()) {
            flags_.push_back(arg);
        } else if (!arg.empty() && arg[0] == '-') {
            error_ = "unknown option " + arg;
            return;
        } else if (file_.empty()) {
            file_ = arg;
        } else {
            error_ = "more than one file named";
            return;
        }
    }
    if (file_.empty()) error_ = "no file named";
}

std::optional<std::string> CommandOptions::value(const std::string& option) const {
    std::optional<std::string> found;
    for (const auto& [name, value] : values_)
        if (name == option) found = value;
    return found;
}

bool CommandOptions::flag(const std::string& option) const {
    return std::find(flags_.begin(), flags_.end(), option) != flags_.end();
}

int CommandOptions::choice(const std::string& option, const std::vector<std::string>& choices) {
    std::optional<std::string> given = value(option);
    if (!given) return -1;
    auto it = std::find(choices.begin(), choices.end(), *given);
    if (it == choices.end()) {
        if (error_.empty()) error_ = "invalid value for " + option + ": " + *given;
        return -1;
    }
    return static_cast<int>(it - choices.begin());
}

std::string command_cp932_name(const std::string& name) { return zov::file_name_to_cp932(name); }

namespace {

// A name with every byte above 0x7F shown as \xHH, as any console shows it.
std::string escaped_name(const std::string& name) {
    std::string shown;
    for (const unsigned char byte : name) {
        char hex[5];
        std::snprintf(hex, sizeof hex, "\\x%02X", byte);
        shown += byte < 0x80 ? std::string(1, static_cast<char>(byte)) : std::string(hex);
    }
    return shown;
}

}  // namespace

std::optional<std::string> command_file_name(const char* command, const std::string& name) {
    const std::string cp932 = command_cp932_name(name);
    // The analyser opens names as given and also makes them absolute.
    const std::string absolute = name.starts_with('/') ? name : zov::current_folder() + name;
    const std::string touched = zov::cp932_to_file_name(cp932);
    if (touched == name && zov::cp932_to_file_name(zov::full_path(cp932)) == absolute) return cp932;
    std::fprintf(stderr,
                 "zovedit %s: the file %s would be taken as %s; name it in UTF-8 "
                 "with characters that CP932 holds\n",
                 command, escaped_name(name).c_str(), escaped_name(touched).c_str());
    return std::nullopt;
}
