#pragma once
// The editor's commands by the ids the menus, toolbar, keys and the command
// palette share.

namespace zovedit {

// Command ids of the menus, as the program has always numbered them.
enum CommandId {
    kNoCommand = 0,
    kFileNew = 57600,
    kFileOpen = 57601,
    kFileSave = 57603,
    kFileSaveAs = 57604,
    kAnalyseDxf = 32771,
    kRebuildDxf = 32772,
    kFileExit = 57665,
    kRecentFiles = 57616,
    kEditUndo = 57643,
    kEditCut = 57635,
    kEditCopy = 57634,
    kEditPaste = 57637,
    kEditSelectAll = 57642,
    kEditFind = 57636,
    kEditFindNext = 57640,
    kEditReplace = 57641,
    kSetBookmark = 32782,
    kGoToBookmark = 32780,
    kViewToolBar = 59392,
    kViewStatusBar = 59393,
    kFont = 32773,
    kWrap = 32775,
    kShowSettingsFile = 32784,
    kAbout = 57664,
    kShowHelpText = 32783,
};

}  // namespace zovedit
