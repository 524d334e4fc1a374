#include "viewer/viewer_shell.h"

namespace zov {

namespace {

std::string with_trailing_slash(std::string folder) {
    if (folder.empty() || folder.back() != '/') folder += '/';
    return folder;
}

}  // namespace

ViewerShell::ViewerShell(std::string folder, Messages& messages_, const Clock& clock_,
                         FileDialog& file_dialog_)
    : program_folder(with_trailing_slash(std::move(folder))),
      import(program_folder, messages_),
      messages(messages_),
      clock(clock_),
      file_dialog(file_dialog_) {
    state.load_date = kNoLoadDate;
    state.jwc_folder = state.dxf_folder = state.dwg_folder = state.converter_folder =
        program_folder;
}

}  // namespace zov
