// zovedit --analyse FILE.dxf [-o OUT.TXT] [--form 0|1|2] [--comments 0|1]
//         [--cut 0|1] [--explain 0|1] [--select NAME,...]
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
    names.load(context.start_file(zov::kItemIndexFileName));
    zov::AnalyserSettings& settings = context.settings;
    settings.KK = {};
    std::size_t slot = 0;
    std::size_t start = 0;
    while (start <= utf8_list.size()) {
        std::size_t comma = utf8_list.find(',', start);
        if (comma == std::string::npos) comma = utf8_list.size();
        std::string utf8_name = utf8_list.substr(start, comma - start);
        start = comma + 1;
        if (utf8_name.empty()) continue;
        std::optional<std::string> name = command_cp932_name(utf8_name);
        if (!name) return false;
        if (slot == settings.KK.size()) {
            std::fprintf(stderr, "error: at most %zu items can be selected\n", settings.KK.size());
            return false;
        }
        int entry = names.find(*name);
        settings.KK[slot++] = entry != 0 ? *name + "  (" + names.comment(entry) + ")" : *name;
    }
    settings.KKS = 1;
    return true;
}

}  // namespace

int analyse_command(const CommandArgs& args) {
    CommandOptions options(args, {"-o", "--form", "--comments", "--cut", "--explain", "--select"},
                           {});
    const std::vector<std::string> binary = {"0", "1"};
    int form = options.choice("--form", {"0", "1", "2"});
    int comments = options.choice("--comments", binary);
    int cut = options.choice("--cut", binary);
    int explain = options.choice("--explain", binary);
    if (!options.ok()) {
        std::fprintf(stderr, "zovedit --analyse: %s\n", options.error().c_str());
        return zov::kExitMisuse;
    }
    std::optional<std::string> dxf = command_cp932_name(options.file());
    std::optional<std::string> out = std::string();
    if (std::optional<std::string> given = options.value("-o")) out = command_cp932_name(*given);
    if (!dxf || !out) return 1;

    HeadlessSession session(false);
    if (!session.ok()) return 1;
    zov::AnalyserContext& context = session.context();
    zov::AnalyserSettings& settings = context.settings;
    if (form >= 0) settings.KTM = form;
    if (comments >= 0) settings.KHO = comments;
    if (cut >= 0) settings.KCU = cut;
    if (explain >= 0) settings.KTS = explain;
    if (std::optional<std::string> list = options.value("--select"))
        if (!select_items(context, *list)) return 1;

    if (zov::analyse_named_file(context, *dxf, *out) != 0) return 1;
    zov::print_written_file(zov::cp932_to_utf8(context.analysis_path));
    return 0;
}
