// zovedit --analyse FILE.dxf [-o OUT.TXT] [--form 0|1|2] [--comments 0|1]
//         [--cut 0|1] [--explain 0|1] [--select NAME,...] [--yes] [--force]
// An analysis that a rebuild cannot turn back into the same drawing is
// written and reported; the exit is then 1 unless --force is given.
#include <cstdio>

#include "analyser/context.h"
#include "analyser/conversion.h"
#include "analyser/item_index.h"
#include "commands.h"
#include "common/encoding.h"

namespace {

// The selected items as the options dialog stores them: the name, two
// blanks and its comment in parentheses when the index knows it.
bool select_items(zov::AnalyserContext& context, const std::string& utf8_list) {
    zov::ItemNames names;
    names.load(context.scratch_file(zov::kItemIndexFileName));
    zov::AnalyserSettings& settings = context.settings;
    settings.selected_items = {};
    std::size_t slot = 0;
    std::size_t start = 0;
    while (start <= utf8_list.size()) {
        std::size_t comma = utf8_list.find(',', start);
        if (comma == std::string::npos) comma = utf8_list.size();
        std::string utf8_name = utf8_list.substr(start, comma - start);
        start = comma + 1;
        if (utf8_name.empty()) continue;
        const std::string name = command_cp932_name(utf8_name);
        if (slot == settings.selected_items.size()) {
            std::fprintf(stderr, "error: at most %zu items can be selected\n",
                         settings.selected_items.size());
            return false;
        }
        int entry = names.find(name);
        settings.selected_items[slot++] =
            entry != 0 ? name + "  (" + names.comment(entry) + ")" : name;
    }
    settings.selected_only = 1;
    return true;
}

}  // namespace

int analyse_command(const CommandArgs& args) {
    CommandOptions options(args, {"-o", "--form", "--comments", "--cut", "--explain", "--select"},
                           {"--yes", "--force"});
    const std::vector<std::string> binary = {"0", "1"};
    int form = options.choice("--form", {"0", "1", "2"});
    int comments = options.choice("--comments", binary);
    int cut = options.choice("--cut", binary);
    int explain = options.choice("--explain", binary);
    if (!options.ok()) {
        std::fprintf(stderr, "zovedit --analyse: %s\n", options.error().c_str());
        return zov::kExitMisuse;
    }
    const std::optional<std::string> dxf = command_file_name("--analyse", options.file());
    if (!dxf) return 1;
    std::string out;
    if (std::optional<std::string> given = options.value("-o")) {
        std::optional<std::string> name = command_file_name("--analyse", *given);
        if (!name) return 1;
        out = *name;
    }

    HeadlessSession session(options.flag("--yes"));
    zov::AnalyserContext& context = session.context();
    zov::AnalyserSettings& settings = context.settings;
    if (form >= 0) settings.analysis_form = form;
    if (comments >= 0) settings.item_comments = comments;
    if (cut >= 0) settings.cut_handles = cut;
    if (explain >= 0) settings.explanation = explain;
    if (std::optional<std::string> list = options.value("--select"))
        if (!select_items(context, *list)) return 1;

    if (zov::analyse_named_file(context, *dxf, out) != 0) return 1;
    zov::print_written_file(zov::cp932_to_utf8(context.analysis_path));
    return context.round_trip_losses > 0 && !options.flag("--force") ? 1 : 0;
}
