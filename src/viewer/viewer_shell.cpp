#include "viewer/viewer_shell.h"

#include "common/files.h"

namespace zov {

ViewerShell::ViewerShell(const std::string& folder, Messages& messages_, const Clock& clock_,
                         FileDialog& file_dialog_, const std::string& store)
    : program_folder(absolute_folder(folder)),
      store_folder(store.empty() ? program_folder : absolute_folder(store)),
      import(store_folder, messages_),
      messages(messages_),
      clock(clock_),
      file_dialog(file_dialog_) {
    state.load_date = kNoLoadDate;
    state.jwc_folder = state.dxf_folder = state.dwg_folder = state.converter_folder =
        program_folder;
    import.progress = &activity.reading();
}

}  // namespace zov
