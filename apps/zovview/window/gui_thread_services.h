#pragma once
// The viewer's messages and file dialogs for a load that runs on a thread of
// its own: each call is carried to the application's thread and waited for
// there, so that boxes and dialogs always belong to the window (and a test's
// recording services are only ever used from one thread). Calls made on the
// application's thread go straight through.
#include "common/messages.h"
#include "viewer/file_dialog.h"

class GuiThreadMessages : public zov::Messages {
public:
    explicit GuiThreadMessages(zov::Messages& target) : target_(target) {}
    void show(zov::MessageIcon icon, const std::string& text) override;
    bool ask(const std::string& text) override;

private:
    zov::Messages& target_;
};

class GuiThreadFileDialog : public zov::FileDialog {
public:
    explicit GuiThreadFileDialog(zov::FileDialog& target) : target_(target) {}
    std::optional<std::string> choose_file(const zov::FileDialogRequest& request) override;

private:
    zov::FileDialog& target_;
};
