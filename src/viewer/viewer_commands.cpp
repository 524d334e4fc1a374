#include "viewer/viewer_commands.h"

#include <algorithm>

namespace zov {

namespace {

constexpr ViewerCommand kCommands[] = {
    {kCmdOpenJwc, "JWCを開く(&J)", "JW_CADのデータを表示します\nJW_CADデータを開く"},
    {kCmdOpenDxf, "DXFを開く(&D)",
     "CADデータ交換用のＤＸＦファイルを表示します\nＤＸＦファイルを開く"},
    {kCmdOpenDwg, "DWGを開く(&G)", "AutoCADのデータを表示します\nＡｕｔｏＣＡＤデータを開く"},
    {kCmdOpenHistory, "経歴から開く(&I)",
     "今まで開いたファイルリストから選択します\n経歴リストから開く"},
    {kCmdPrint, "印刷(&P)...", "表示されている図面を用紙に合わせて印刷します\n印刷"},
    {kCmdPrintPreview, "印刷プレビュー(&V)", "印刷される図面を表示します\n印刷プレビュー"},
    {kCmdExit, "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)", ""},
    {kCmdStandardDisplay, "標準表示", ""},
    {kCmdLayerThumbnails, "サムネイル(レイヤー)", ""},
    {kCmdBlockThumbnails, "サムネイル(ブロック)", "", false},
    {kCmdVisibleLayers, "表示レイヤーのみ", ""},
    {kCmdAllLayers, "全てのレイヤー表示", ""},
    {kCmdHiddenLayers, "非表示レイヤーのみ", ""},
    {kCmdLockedLayers, "保護(ﾛｯｸ)レイヤーのみ", ""},
    {kCmdDimensionAsData, "元データに順ずる", ""},
    {kCmdDimensionDots, "塗潰しの円(点)", ""},
    {kCmdDimensionArrows, "矢印", ""},
    {kCmdDimensionFilledArrows, "塗潰しの矢印", ""},
    {kCmdZoom, "ズーム(&Z)", ""},
    {kCmdShowHelp, "ZovViewについて", "ZovViewの操作方法を表示します。\nZovViewについて"},
    {kCmdAbout, "ZovView のﾊﾞｰｼﾞｮﾝ情報(&A)...", ""},
    {kCmdSaveDxf, "", "表示されたデータをＤＸＦファイルで保存\n"},
    {kCmdSaveFullDxf, "文字・ブロックも含めてＤＸＦファイルで保存(&F)...",
     "文字、点、ソリッド、寸法、ブロックも含めてＤＸＦファイルで保存します\n全データをＤＸＦファイ"
     "ルで保存"},
};

constexpr ViewerCommand kNoCommand{0, "", ""};

constexpr int kFileItems[] = {kCmdOpenJwc,      kCmdOpenDxf, kCmdOpenDwg,
                              kCmdOpenHistory,  kSeparator,  kCmdPrint,
                              kCmdPrintPreview, kSeparator,  kCmdExit};
constexpr int kStyleItems[] = {kCmdStandardDisplay, kCmdLayerThumbnails, kCmdBlockThumbnails};
constexpr int kLayerItems[] = {kCmdVisibleLayers, kCmdAllLayers, kCmdHiddenLayers,
                               kCmdLockedLayers};
constexpr int kDimensionItems[] = {kCmdDimensionAsData, kCmdDimensionDots, kCmdDimensionArrows,
                                   kCmdDimensionFilledArrows};
constexpr int kHelpItems[] = {kCmdShowHelp, kCmdAbout};

constexpr ViewerMenu kMenus[] = {
    {"ﾌｧｲﾙ(&F)", kFileItems},
    {"表示スタイル", kStyleItems},
    {"レイヤーの表示属性", kLayerItems},
    {"寸法図形表示スタイル", kDimensionItems},
    {"ズーム(&Z)", {}, kCmdZoom},
    {"ﾍﾙﾌﾟ(&H)", kHelpItems},
};

constexpr int kToolbar[] = {kCmdZoom,        kCmdOpenJwc,  kCmdOpenDxf,         kCmdOpenDwg,
                            kCmdOpenHistory, kSeparator,   kCmdStandardDisplay, kCmdLayerThumbnails,
                            kSeparator,      kCmdShowHelp, kSeparator,          kCmdSaveDxf};

}  // namespace

const ViewerCommand& viewer_command(int id) {
    const auto* found = std::find_if(std::begin(kCommands), std::end(kCommands),
                                     [id](const ViewerCommand& c) { return c.id == id; });
    return found == std::end(kCommands) ? kNoCommand : *found;
}

std::string tool_tip(const ViewerCommand& command) {
    const std::string_view prompt = command.prompt;
    const std::size_t feed = prompt.find('\n');
    if (feed != std::string_view::npos && feed + 1 < prompt.size())
        return std::string(prompt.substr(feed + 1));
    if (!prompt.empty()) return status_prompt(command);
    // No prompt: the menu text without its mnemonic "(&Z)".
    const std::string_view text = command.menu_text;
    return std::string(text.substr(0, text.find("(&")));
}

std::string status_prompt(const ViewerCommand& command) {
    const std::string_view prompt = command.prompt;
    return std::string(prompt.substr(0, prompt.find('\n')));
}

std::span<const ViewerMenu> viewer_menus() { return kMenus; }

std::span<const int> viewer_toolbar() { return kToolbar; }

}  // namespace zov
