#pragma once
// What the editor window decides outside its dialogs: the session's start
// and end, which file the program opens at start-up, the analysis file the
// rebuild works on, the bookmark line, the help text and the settings file
// shown as documents, and the font record of the view.
#include <functional>
#include <optional>
#include <string>

#include "analyser/context.h"
#include "analyser/font_record.h"

namespace zov {

inline constexpr char kHelpTextFileName[] = "ZovEdit.txt";

enum class SaveAnswer { Save, Discard, Cancel };

// The editor's document as the session sees it.
class EditorDocument {
public:
    virtual ~EditorDocument() = default;
    virtual std::string path() const = 0;  // CP932, "" while untitled
    virtual bool modified() const = 0;
    // Yes/No/Cancel question about the unsaved changes.
    virtual SaveAnswer ask_save(const std::string& question) = 0;
    // Saves the text to path(); false when it was not saved (reported).
    virtual bool save() = 0;
};

// What the program opens when it starts.
struct StartupDocument {
    std::string path;       // CP932; "" opens nothing
    bool untitled = false;  // shown as a new document (the help text)
};

class EditorSession {
public:
    // Loads the settings of the context's start folder and builds the
    // item-name index. `installed_help_folder` (CP932, ending in "/") holds
    // the help text installed with the program; help_folder turns to it
    // when help_folder holds none.
    EditorSession(AnalyserContext& context, std::string installed_help_folder);
    // Saves the settings and deletes the index, as the program does at exit.
    ~EditorSession();
    EditorSession(const EditorSession&) = delete;
    EditorSession& operator=(const EditorSession&) = delete;

    AnalyserContext& context() { return context_; }
    const std::string& analysis_path() const { return context_.analysis_path; }

    // The command line's one argument, whole (blanks kept): "" shows the help
    // text when FTX holds it; a ".TXT" opens as the analysis file; any other
    // name is converted through the options dialog and its analysis file is
    // opened (nothing after a reported failure or a cancel).
    StartupDocument startup(const std::string& argument);

    // A file opened with the open command: a ".TXT" becomes the analysis
    // file, anything else leaves none.
    void document_opened(const std::string& path);
    // A document saved under a new name: when it was the analysis file, the
    // analysis file is the new name.
    void document_renamed(const std::string& old_path, const std::string& new_path);

    // "ＤＸＦファイルを開く" after the DXF was chosen: the conversion through
    // the options dialog; the analysis file to open, or nothing.
    std::optional<std::string> analyse_from_menu(const std::string& dxf_path);

    // "ＤＸＦファイルを作成" is enabled while an analysis file is open.
    bool rebuild_enabled() const { return !context_.analysis_path.empty(); }
    // The rebuild: when `document` shows the analysis file with unsaved
    // changes, first asks whether to save them (Save: save, then rebuild;
    // Discard: rebuild the file as saved; Cancel: stop). Then the checks, the
    // output-name dialog and the writing; a finished rebuild clears the
    // bookmark. 0 with the DXF's path in `output_path`, or -1.
    int rebuild(EditorDocument& document, std::string& output_path);

    // Bookmarks: the character position of the marked line's first
    // character; 0 (also a mark on the first line) counts as none.
    void set_bookmark(int line_start) { bookmark_ = line_start; }
    int bookmark() const { return bookmark_; }
    // The position to go to, or nothing after the message that none is set.
    std::optional<int> bookmark_to_go();

    // The help text FTX + "ZovEdit.txt" when it exists; else asks whether
    // to look for it and lets `choose` (given help_folder as first folder) pick it:
    // help_folder becomes its folder and the settings are saved. Nothing when it
    // stays unfound.
    using FileChooser = std::function<std::optional<std::string>(const std::string& folder)>;
    std::optional<std::string> locate_help_text(const FileChooser& choose);

    // After the editor saved a document: what the user saved into the
    // settings file (it may be that document) becomes the session's.
    void document_saved();

    // "ZovEdit.CFGを読み込む": saves the settings, then the settings file to
    // show, or nothing after the message that it is missing.
    std::optional<std::string> settings_file_to_show();

    // After the about box: the settings are saved.
    void about_closed();

    // The view's font: ZOV_EDIT.VFN of the current folder, else the default.
    FontRecord view_font() const;
    // After the font dialog, OK or cancel: the record goes to the start folder.
    void font_dialog_closed(const FontRecord& record);

    // The wrap command: enabled while the text is not empty, checked while
    // on; every newly shown document starts unwrapped.
    static bool wrap_enabled(bool text_empty) { return !text_empty; }
    bool wrap_on() const { return wrap_on_; }
    void toggle_wrap() { wrap_on_ = !wrap_on_; }
    void document_shown() { wrap_on_ = false; }

private:
    // FTX + "ZovEdit.txt" when it exists, turning FTX to the installed help
    // folder first when only that one holds it.
    std::optional<std::string> help_text_in_settings();

    AnalyserContext& context_;
    std::string installed_help_folder_;
    int bookmark_ = 0;
    bool wrap_on_ = false;
};

// True when `path` ends in ".TXT" (letters in any case).
bool is_analysis_name(const std::string& path);

// What a file dropped on the window is taken as: an analysis file (".TXT")
// opens, a DXF (".DXF") is analysed as from the menu, anything else is
// refused (letters in any case).
enum class DroppedFile { Refused, Analysis, Dxf };
DroppedFile dropped_file_kind(const std::string& path);

}  // namespace zov
