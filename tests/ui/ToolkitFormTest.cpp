// The window toolkit in-process: the default error display, an error in a
// form's creation handler, and the keyboard interface, on small test forms.

#include "../common/TestThread.h"
#include "UiDriver.h"
#include "toolkit/core/Exceptions.h"
#include "toolkit/win/Application.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <optional>

namespace {

using Helper = testsupport::Thread;

// Answers the next box of this process with OK and reports what it showed.
std::optional<ui::MessageBoxInfo> AnswerNextBox(const std::function<void()>& show)
{
    std::optional<ui::MessageBoxInfo> seen;
    {
        Helper answer([&] {
            seen = ui::FindMessageBox(::GetCurrentProcessId(), 10000);
            if (seen)
                ui::Answer(*seen, IDOK);
        });
        show();
    }
    return seen;
}

class TestForm : public tk::TForm {
public:
    TestForm();
    void FormCreate(tk::TObject*)
    {
        created = true;
        if (failOnCreate)
            throw tk::EReadError();
    }
    void FirstClick(tk::TObject*) { clicks += "First;"; }
    void SecondClick(tk::TObject*) { clicks += "Second;"; }

    static inline bool failOnCreate = false;
    bool created = false;
    std::string clicks;
};

using K = tk::ComponentKind;
const std::array<tk::ComponentDef, 6> TestComponents = {{
    {K::Button, "First", nullptr, 10, 10, 75, 25, tk::Align::None, 0, "First", nullptr, tk::NoOptions,
        tk::Color::Default, nullptr, 0, tk::Handler(&TestForm::FirstClick)},
    {K::Button, "Second", nullptr, 100, 10, 75, 25, tk::Align::None, 1, "Second", nullptr, tk::NoOptions,
        tk::Color::Default, nullptr, 0, tk::Handler(&TestForm::SecondClick)},
    {K::PageControl, "Pages", nullptr, 0, 50, 300, 150, tk::Align::None, 2, ""},
    {K::TabSheet, "PageA", "Pages", 0, 0, 0, 0, tk::Align::None, -1, "A", nullptr, tk::ActivePage},
    {K::Edit, "OnA", "PageA", 10, 10, 100, 21, tk::Align::None, 0, ""},
    {K::TabSheet, "PageB", "Pages", 0, 0, 0, 0, tk::Align::None, -1, "B"},
}};

const tk::FormDef TestFormDef{"TTestForm", "Test", 320, 220, {"Tahoma", -11, false}, nullptr,
    tk::Handler(&TestForm::FormCreate), TestComponents};

TestForm::TestForm() : tk::TForm(TestFormDef) {}

struct ErrorCase {
    const char* message;
    const char* shown;
};

class DefaultErrorDisplay : public testing::TestWithParam<ErrorCase> {};

TEST_P(DefaultErrorDisplay, ShowsTheMessageWithTitleStopIconAndOkOnly)
{
    tk::TApplication application;
    application.SetTitle("Kelvaro安装程序");
    const auto box = AnswerNextBox([&] { application.ShowException(GetParam().message); });
    ASSERT_TRUE(box.has_value()) << "no box appeared";
    EXPECT_EQ(box->text, GetParam().shown);
    EXPECT_EQ(box->caption, "Kelvaro安装程序");
    EXPECT_TRUE(box->stopIcon);
    EXPECT_TRUE(box->hasOk);
    EXPECT_FALSE(box->hasCancel);
}

INSTANTIATE_TEST_SUITE_P(Endings, DefaultErrorDisplay,
    testing::Values(ErrorCase{"Disk full.", "Disk full."}, ErrorCase{"Stop!", "Stop!"},
        ErrorCase{"(see above)", "(see above)"}, ErrorCase{"one,", "one,"}, ErrorCase{"space ", "space "},
        ErrorCase{"error", "error."}, ErrorCase{"I/O error 183", "I/O error 183."},
        ErrorCase{"无法创建", "无法创建."}, ErrorCase{"", ""}));

TEST(FormCreation, AnErrorInTheCreationHandlerIsShownAndTheWindowStillAppears)
{
    tk::TApplication application;
    application.SetTitle("Kelvaro安装程序");
    TestForm::failOnCreate = true;
    TestForm* form = nullptr;
    const auto box = AnswerNextBox([&] { form = application.CreateForm<TestForm>(); });
    TestForm::failOnCreate = false;
    ASSERT_TRUE(box.has_value());
    EXPECT_EQ(box->text, "Stream read error.");
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->created);

    bool appeared = false;
    Helper closer([&] {
        appeared = ui::WaitFor([&] { return ::IsWindowVisible(form->Handle()) != FALSE; }, 10000);
        ::PostMessageA(form->Handle(), WM_CLOSE, 0, 0);
    });
    application.Run(); // returns once the close request is taken
    EXPECT_TRUE(appeared);
    EXPECT_TRUE(application.Terminated());
}

class Keyboard : public testing::Test {
protected:
    void SetUp() override
    {
        form = application.CreateForm<TestForm>();
        form->Show();
        ::SetForegroundWindow(form->Handle());
        application.ProcessMessages();
        ::SetFocus(form->Component<tk::TControl>("First")->Handle());
    }
    void Key(WORD key, bool control = false)
    {
        BYTE state[256];
        ::GetKeyboardState(state);
        state[VK_CONTROL] = control ? 0x80 : 0;
        ::SetKeyboardState(state);
        ::PostMessageA(::GetFocus(), WM_KEYDOWN, key, 0);
        application.ProcessMessages();
        state[VK_CONTROL] = 0;
        ::SetKeyboardState(state);
    }
    HWND Handle(const char* name) { return form->Component<tk::TControl>(name)->Handle(); }

    tk::TApplication application;
    TestForm* form = nullptr;
};

TEST_F(Keyboard, EnterClicksOnlyTheFocusedButton)
{
    ::SetFocus(Handle("Second"));
    Key(VK_RETURN);
    EXPECT_EQ(form->clicks, "Second;");
    ::SetFocus(Handle("OnA"));
    Key(VK_RETURN);
    EXPECT_EQ(form->clicks, "Second;") << "Enter in an edit has no default button to press";
}

TEST_F(Keyboard, EscapeTriggersNothing)
{
    Key(VK_ESCAPE);
    ::SetFocus(Handle("OnA"));
    Key(VK_ESCAPE);
    EXPECT_EQ(form->clicks, "");
    EXPECT_TRUE(::IsWindowVisible(form->Handle()));
    EXPECT_FALSE(application.Terminated());
}

TEST_F(Keyboard, TabFollowsTheTabOrderAndCtrlTabChangesNoPage)
{
    ASSERT_EQ(::GetFocus(), Handle("First"));
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), Handle("Second"));
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), Handle("OnA"));
    Key(VK_TAB);
    EXPECT_EQ(::GetFocus(), Handle("First"));

    auto* pages = form->Component<tk::TPageControl>("Pages");
    ::SetFocus(Handle("OnA"));
    Key(VK_TAB, true);
    EXPECT_EQ(pages->ActivePage(), form->Component<tk::TTabSheet>("PageA"));
    EXPECT_EQ(::GetFocus(), Handle("OnA"));
}

} // namespace
