#pragma once
// The help drawing ZovV_Hlp.dat: a complete store data file in the program
// folder that shows how to use the viewer. It is copied over the store at the
// first start of a day and by the help command; a Shift-click in the view
// offers the reverse copy, which makes the drawing on screen the help drawing.
#include <string>
#include <vector>

#include "common/japanese_texts.h"

namespace zov {

class ViewerShell;

// The caption the help drawing carries as its file name.
inline const char* const kHelpCaption = cp932_text(JaText::HelpCaption);

// Copies ZovV_Hlp.dat byte for byte over $VV_DAT$.TMP and writes the caption
// into the copy's header. 0; -1 without a message when there is no help
// drawing (the store stays as it was).
int copy_help_drawing(ViewerShell& shell);

// Makes the store just loaded in `program_folder` a help drawing: copies
// $VV_DAT$.TMP to `target` with the caption in its header. 0, or -1 when the
// store cannot be read or the target written.
int make_help_drawing(const std::string& program_folder, const std::string& target);

// The maintenance copy: asks "メンテナンスモードです。退出しますか？"; on No
// copies $VV_DAT$.TMP over ZovV_Hlp.dat and tells "コピー終了", or "失敗1"
// (store not opened) or "失敗2" (help file not written). 0 when done or left,
// -1 after a failure.
int maintenance_copy(ViewerShell& shell);

// Puts the help drawing into `program_folder` when it has none, from the
// first of `data_folders` that holds one. 0 when the program folder then has
// a help drawing, else -1 (the viewer still works, without help).
int install_help_drawing(const std::string& program_folder,
                         const std::vector<std::string>& data_folders);

// Where an installed program finds its data: `executable_folder`/../share/zovview/,
// then the executable's own folder (a build tree).
std::vector<std::string> installed_data_folders(const std::string& executable_folder);

}  // namespace zov
