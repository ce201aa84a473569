// The real setup.exe, started and driven from this process.

#include "InstallFormRows.h"
#include "UiDriver.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

class WizardWindow : public testing::Test {
protected:
    void SetUp() override { ASSERT_NE(setup.MainWindow(), nullptr) << "the wizard window did not appear"; }
    HWND C(std::string_view name) { return setup.Component(RowOf(name)); }
    RECT RectInParent(HWND window)
    {
        RECT r;
        ::GetWindowRect(window, &r);
        ::MapWindowPoints(nullptr, ::GetParent(window), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    ui::SetupProcess setup{ui::SetupExe()};
};

TEST_F(WizardWindow, StartsOnTheWelcomePage)
{
    EXPECT_TRUE(ui::Visible(C("WelcomeTabSheet")));
    for (auto page : {"DirTabSheet", "ProcessTabSheet", "OverTabSheet"})
        EXPECT_FALSE(ui::Visible(C(page))) << page;
    for (auto button : {"NextStepBtn", "CancelBtn"}) {
        EXPECT_TRUE(ui::Visible(C(button))) << button;
        EXPECT_TRUE(ui::Enabled(C(button))) << button;
    }
    EXPECT_FALSE(ui::Visible(C("LastStepBtn")));
    EXPECT_FALSE(ui::Visible(C("OverBtn")));
    EXPECT_TRUE(ui::Checked(C("Run")));
    EXPECT_EQ(ui::ProgressPosition(C("ProgressBar")), 0);
    EXPECT_EQ(ui::ProgressMaximum(C("ProgressBar")), 150);
    EXPECT_EQ(ui::Text(C("StatusLabel")), "正在");
    EXPECT_EQ(ui::Text(setup.MainWindow()), "Kelvaro安装程序");
    EXPECT_FALSE(ui::Enabled(C("SupportLabel"))) << "the support line is drawn as disabled text";
}

TEST_F(WizardWindow, ClosingFromTheTitleBarEndsWithExitCodeZeroAndNoBox)
{
    ::PostMessageA(setup.MainWindow(), WM_SYSCOMMAND, SC_CLOSE, 0);
    // A question or an error box would hold the process past the wait.
    EXPECT_EQ(setup.WaitForExit(15000), DWORD{0});
}

TEST_F(WizardWindow, FixedSizeCentredWithOnlySystemMenuAndClose)
{
    HWND window = setup.MainWindow();
    const LONG style = ::GetWindowLongA(window, GWL_STYLE);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_FALSE(style & WS_THICKFRAME) << "resizable";
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(::GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_CONTEXTHELP);
    RECT client;
    ::GetClientRect(window, &client);
    EXPECT_EQ(client.right, 493);
    EXPECT_EQ(client.bottom, 340);
    RECT frame;
    ::GetWindowRect(window, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(WizardWindow, ComponentsStandWhereTheTableAndAlignmentPutThem)
{
    struct Place {
        const char* name;
        RECT rect; // left, top, right, bottom in the parent
    };
    const Place places[] = {
        {"BottomPanel", {0, 283, 493, 340}},
        {"InstallPage", {0, 0, 493, 283}},
        {"NextStepBtn", {314, 21, 389, 46}},
        {"OverBtn", {314, 21, 389, 46}},
        {"CancelBtn", {395, 21, 470, 46}},
        {"LastStepBtn", {229, 21, 304, 46}},
        {"BeginImage", {0, 0, 160, 273}},
        {"MoreIntrod", {162, 70, 482, 265}},
        {"SelectDirBox", {0, 0, 485, 65}},
        {"InstallPathGroupBox", {0, 65, 485, 273}},
        {"InstallDir", {10, 27, 393, 48}},
        {"BrowseBtn", {399, 25, 446, 50}},
        {"ProgressBar", {40, 116, 433, 141}},
        {"ProcessGroupBox", {0, 0, 485, 57}},
        {"OverGroupBox", {0, 0, 485, 89}},
        {"Run", {98, 152, 214, 169}},
        {"Logo", {422, 8, 470, 56}},
        {"Image1", {427, 8, 475, 56}},
    };
    for (const auto& place : places) {
        const RECT r = RectInParent(C(place.name));
        EXPECT_EQ(r.left, place.rect.left) << place.name;
        EXPECT_EQ(r.top, place.rect.top) << place.name;
        EXPECT_EQ(r.right, place.rect.right) << place.name;
        EXPECT_EQ(r.bottom, place.rect.bottom) << place.name;
    }
    for (auto page : {"WelcomeTabSheet", "DirTabSheet", "ProcessTabSheet", "OverTabSheet"}) {
        RECT client;
        ::GetClientRect(C(page), &client);
        EXPECT_EQ(client.right, 485) << page;
        EXPECT_EQ(client.bottom, 273) << page;
    }
}

TEST_F(WizardWindow, TextsKeepTheirHardLineBreaks)
{
    const std::string welcome = ui::Text(C("MoreIntrod"));
    std::vector<std::string> lines;
    for (std::size_t start = 0;;) {
        const auto end = welcome.find("\r\n", start);
        lines.push_back(welcome.substr(start, end - start));
        if (end == std::string::npos)
            break;
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 14u);
    EXPECT_EQ(lines[0], "　　Kelvaro是一款完全免费的屏幕捕捉软件，捕捉图像方");
    EXPECT_EQ(lines[3], "。");
    EXPECT_EQ(lines[4], "");
    EXPECT_EQ(lines[5], "　　软件作者：Dovrik网（http://www.dovrik.example/）");
    EXPECT_EQ(lines[9], "　　　　　　　二.优化选项配置");
    EXPECT_EQ(lines[13], "　　请单击【下一步】继续安装。");
    EXPECT_EQ(ui::Text(C("ContentMemo")),
        "安装程序将安装【Kelvaro】到下面的文件夹。要安装到不同的文件夹，请单击【浏\r\n"
        "览】并选择其它的文件夹。\r\n\r\n单击下一步继续。");
    EXPECT_EQ(ui::Text(C("SupportLabel")), "技术支持：Dovrik工作室（http://www.dovrik.example/）");
}

TEST_F(WizardWindow, EscapeAndCtrlTabDoNothing)
{
    HWND window = setup.MainWindow();
    ui::PressKey(window, VK_ESCAPE);
    ui::PressKey(window, VK_TAB, true);
    EXPECT_TRUE(setup.Running());
    EXPECT_FALSE(setup.FindMessageBox(500).has_value());
    EXPECT_TRUE(ui::Visible(C("WelcomeTabSheet")));
    EXPECT_FALSE(ui::Visible(C("DirTabSheet")));
}

TEST_F(WizardWindow, TabMovesTheFocusInTabOrder)
{
    HWND window = setup.MainWindow();
    ASSERT_TRUE(ui::WaitFor([&] { return ui::FocusOf(window) == C("NextStepBtn"); }, 5000))
        << "the first tab stop has the focus at start";
    ui::PressKey(window, VK_TAB);
    EXPECT_EQ(ui::FocusOf(window), C("CancelBtn"));
    ui::PressKey(window, VK_TAB);
    EXPECT_EQ(ui::FocusOf(window), C("MoreIntrod"));
    ui::PressKey(window, VK_TAB);
    EXPECT_EQ(ui::FocusOf(window), C("NextStepBtn"));
}

} // namespace
