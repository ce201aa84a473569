#include "InstallMain/InstallFormTable.h"

#include "InstallMain/InstallMain.h"

#include <array>

namespace InstallMain {

namespace {

using tk::Align;
using tk::Color;
using tk::ComponentDef;
using tk::Handler;
using K = tk::ComponentKind;

constexpr tk::FontSpec NameFont{"Tahoma", -19, true};
constexpr tk::FontSpec TitleFont{"Tahoma", -13, true};

#define SUPPORT_TEXT "技术支持：Dovrik工作室（" INSTALL_MAKER_WEB_ADDRESS "）"

// The welcome text keeps its hard line breaks; "　" is the ideographic space.
constexpr const char* WelcomeText =
    "　　Kelvaro是一款完全免费的屏幕捕捉软件，捕捉图像方\r\n"
    "式灵活，可轻松截取包括全屏，活动窗口，活动对象，特定\r\n"
    "窗口，固定窗口等的图像。软件操作简便，快捷，上手容易\r\n"
    "。\r\n"
    "\r\n"
    "　　软件作者：Dovrik网（" INSTALL_MAKER_WEB_ADDRESS "）\r\n"
    "\r\n"
    "　　更新历史：一.解决固定区域和选定控件下截图时看不\r\n"
    "清边框的BUG\r\n"
    "　　　　　　　二.优化选项配置\r\n"
    "　　　　　　　三.程序加入系统托盘，最小化后仍可继续\r\n"
    "捕捉\r\n"
    "\r\n"
    "　　请单击【下一步】继续安装。";

constexpr const char* FolderText =
    "安装程序将安装【Kelvaro】到下面的文件夹。要安装到不同的文件夹，请单击【浏\r\n"
    "览】并选择其它的文件夹。\r\n"
    "\r\n"
    "单击下一步继续。";

const std::array<ComponentDef, 33> Components = {{
    // kind, name, parent, left, top, width, height, align, tab order, text, font, options, colour, picture, maximum, click
    {K::Panel, "BottomPanel", nullptr, 0, 283, 493, 57, Align::Bottom, 0, "", nullptr, tk::RaisedBevel},
    {K::Label, "SupportLabel", "BottomPanel", 3, 3, 215, 13, Align::None, -1, SUPPORT_TEXT, nullptr, tk::Disabled},
    {K::Button, "LastStepBtn", "BottomPanel", 229, 21, 75, 25, Align::None, 0, "上一步", nullptr, tk::Hidden,
        Color::Default, nullptr, 0, Handler(&TInstallForm::LastStepBtnClick)},
    {K::Button, "NextStepBtn", "BottomPanel", 314, 21, 75, 25, Align::None, 1, "下一步", nullptr, tk::NoOptions,
        Color::Default, nullptr, 0, Handler(&TInstallForm::NextStepBtnClick)},
    {K::Button, "CancelBtn", "BottomPanel", 395, 21, 75, 25, Align::None, 2, "取消", nullptr, tk::NoOptions,
        Color::Default, nullptr, 0, Handler(&TInstallForm::CancelBtnClick)},
    {K::Button, "OverBtn", "BottomPanel", 314, 21, 75, 25, Align::None, 3, "完成", nullptr, tk::Hidden,
        Color::Default, nullptr, 0, Handler(&TInstallForm::OverBtnClick)},
    {K::PageControl, "InstallPage", nullptr, 0, 0, 493, 283, Align::Client, 1, ""},

    {K::TabSheet, "WelcomeTabSheet", "InstallPage", 4, 6, 485, 273, Align::None, -1, "欢迎页面", nullptr,
        tk::ActivePage},
    {K::Image, "BeginImage", "WelcomeTabSheet", 0, 0, 160, 273, Align::Left, -1, "", nullptr, tk::NoOptions,
        Color::Default, "BEGINIMAGE"},
    {K::Label, "NameLabel", "WelcomeTabSheet", 166, 29, 123, 23, Align::None, -1, "KelvaroV1.4", &NameFont},
    {K::Memo, "MoreIntrod", "WelcomeTabSheet", 162, 70, 320, 195, Align::None, 0, WelcomeText, nullptr,
        tk::ReadOnly | tk::Borderless, Color::Window},

    {K::TabSheet, "DirTabSheet", "InstallPage", 4, 6, 485, 273, Align::None, -1, "选择目录"},
    {K::GroupBox, "InstallPathGroupBox", "DirTabSheet", 0, 65, 485, 208, Align::Client, 0, ""},
    {K::Memo, "ContentMemo", "InstallPathGroupBox", 16, 18, 457, 57, Align::None, 0, FolderText, nullptr,
        tk::ReadOnly | tk::Borderless, Color::White},
    {K::GroupBox, "TargerGroupBox", "InstallPathGroupBox", 16, 112, 449, 65, Align::None, 1, "目标文件夹"},
    {K::Edit, "InstallDir", "TargerGroupBox", 10, 27, 383, 21, Align::None, 0, ""},
    {K::Button, "BrowseBtn", "TargerGroupBox", 399, 25, 47, 25, Align::None, 1, "浏览", nullptr, tk::NoOptions,
        Color::Default, nullptr, 0, Handler(&TInstallForm::BrowseBtnClick)},
    {K::GroupBox, "SelectDirBox", "DirTabSheet", 0, 0, 485, 65, Align::Top, 1, ""},
    {K::Image, "Logo", "SelectDirBox", 422, 8, 48, 48, Align::None, -1, "", nullptr, tk::IconPicture,
        Color::Default, "MAINICON"},
    {K::Label, "TitleCapLabel", "SelectDirBox", 56, 33, 180, 13, Align::None, -1, "选择【Kelvaro】的安装文件夹。"},
    {K::Label, "TitleLabel", "SelectDirBox", 26, 14, 112, 16, Align::None, -1, "选择安装路径：", &TitleFont},

    {K::TabSheet, "ProcessTabSheet", "InstallPage", 4, 6, 485, 273, Align::None, -1, "复制文件"},
    {K::Label, "StatusLabel", "ProcessTabSheet", 40, 88, 24, 13, Align::None, -1, "正在"},
    {K::ProgressBar, "ProgressBar", "ProcessTabSheet", 40, 116, 393, 25, Align::None, 0, "", nullptr, tk::NoOptions,
        Color::Default, nullptr, 150},
    {K::GroupBox, "ProcessGroupBox", "ProcessTabSheet", 0, 0, 485, 57, Align::Top, 1, ""},
    {K::Image, "Image1", "ProcessGroupBox", 427, 8, 48, 48, Align::None, -1, "", nullptr, tk::IconPicture,
        Color::Default, "MAINICON"},
    {K::Label, "Label1", "ProcessGroupBox", 26, 13, 64, 16, Align::None, -1, "正在复制", &TitleFont},
    {K::Label, "Label2", "ProcessGroupBox", 64, 35, 156, 13, Align::None, -1, "正在复制文件到选择的文件夹"},

    {K::TabSheet, "OverTabSheet", "InstallPage", 4, 6, 485, 273, Align::None, -1, "完成"},
    {K::Label, "OverLabel", "OverTabSheet", 96, 120, 60, 13, Align::None, -1, "安装完成！"},
    {K::CheckBox, "Run", "OverTabSheet", 98, 152, 116, 17, Align::None, 0, "立即运行Kelvaro", nullptr, tk::Checked},
    {K::GroupBox, "OverGroupBox", "OverTabSheet", 0, 0, 485, 89, Align::Top, 1, ""},
    {K::Label, "OverTitleLabel", "OverGroupBox", 48, 16, 64, 16, Align::None, -1, "安装完成", &TitleFont},
}};

} // namespace

const tk::FormDef& InstallFormDef()
{
    static const tk::FormDef def{"TInstallForm", "Kelvaro安装程序", 493, 340, {"Tahoma", -11, false}, "MAINICON",
        Handler(&TInstallForm::FormCreate), Components};
    return def;
}

} // namespace InstallMain
