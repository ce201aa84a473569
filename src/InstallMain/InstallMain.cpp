#include "InstallMain/InstallMain.h"

#include "InstallMain/InstallFormTable.h"

TInstallForm* InstallForm = nullptr;

namespace InstallMain {

std::int32_t StepIndex = 0;

void Finalize()
{
}

} // namespace InstallMain

TInstallForm::TInstallForm() : tk::TForm(InstallMain::InstallFormDef())
{
    Bind(BottomPanel, "BottomPanel");
    Bind(LastStepBtn, "LastStepBtn");
    Bind(NextStepBtn, "NextStepBtn");
    Bind(CancelBtn, "CancelBtn");
    Bind(SupportLabel, "SupportLabel");
    Bind(BeginImage, "BeginImage");
    Bind(NameLabel, "NameLabel");
    Bind(MoreIntrod, "MoreIntrod");
    Bind(SelectDirBox, "SelectDirBox");
    Bind(Logo, "Logo");
    Bind(TitleLabel, "TitleLabel");
    Bind(TitleCapLabel, "TitleCapLabel");
    Bind(InstallPathGroupBox, "InstallPathGroupBox");
    Bind(ContentMemo, "ContentMemo");
    Bind(TargerGroupBox, "TargerGroupBox");
    Bind(InstallDir, "InstallDir");
    Bind(BrowseBtn, "BrowseBtn");
    Bind(StatusLabel, "StatusLabel");
    Bind(ProgressBar, "ProgressBar");
    Bind(InstallPage, "InstallPage");
    Bind(DirTabSheet, "DirTabSheet");
    Bind(ProcessTabSheet, "ProcessTabSheet");
    Bind(OverTabSheet, "OverTabSheet");
    Bind(OverLabel, "OverLabel");
    Bind(Run, "Run");
    Bind(WelcomeTabSheet, "WelcomeTabSheet");
    Bind(ProcessGroupBox, "ProcessGroupBox");
    Bind(Image1, "Image1");
    Bind(Label1, "Label1");
    Bind(Label2, "Label2");
    Bind(OverBtn, "OverBtn");
    Bind(OverGroupBox, "OverGroupBox");
    Bind(OverTitleLabel, "OverTitleLabel");
}

void TInstallForm::FormCreate(tk::TObject*)
{
    InstallMain::StepIndex = 0;
}

// The wizard's navigation is not wired yet: the buttons are bound to these
// handlers, which do nothing so far.
void TInstallForm::CancelBtnClick(tk::TObject*) {}
void TInstallForm::BrowseBtnClick(tk::TObject*) {}
void TInstallForm::NextStepBtnClick(tk::TObject*) {}
void TInstallForm::LastStepBtnClick(tk::TObject*) {}
void TInstallForm::OverBtnClick(tk::TObject*) {}
