#pragma once
// The file dialogs behind an interface, so that the open commands can run
// without a window: the windowed viewer shows the platform's dialog, headless
// commands cancel every dialog, and tests answer with queued choices.
#include <optional>
#include <string>

namespace zov {

struct FileDialogRequest {
    std::string title;           // CP932
    std::string filter;          // CP932, "description|pattern|...||"
    std::string initial_folder;  // file-system path
    bool save = false;           // a save dialog: the file need not exist yet
    std::string proposed_name;   // file-system name shown first (save dialogs)
};

class FileDialog {
public:
    virtual ~FileDialog() = default;
    // The chosen file's file-system path, or nothing when cancelled.
    virtual std::optional<std::string> choose_file(const FileDialogRequest& request) = 0;
};

// The dialog of a program without a window: every dialog is cancelled.
class CancellingFileDialog : public FileDialog {
public:
    std::optional<std::string> choose_file(const FileDialogRequest&) override {
        return std::nullopt;
    }
};

}  // namespace zov
