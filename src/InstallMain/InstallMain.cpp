#include "InstallMain/InstallMain.h"

#include "InstallMain/InstallFormTable.h"
#include "InstallMain/ProductRecords.h"
#include "InstallMain/Shortcuts.h"
#include "InstallMain/TempFolder.h"
#include "InstallMain/TempPaths.h"
#include "RegEdit/RegEdit.h"
#include "toolkit/win/SelectDirectory.h"

TInstallForm* InstallForm = nullptr;

namespace InstallMain {

std::int32_t StepIndex = 0;

void Finalize()
{
    TempDir.clear();
    ReleaseShortcutState();
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

// Finds the temporary folder and fills the target folder: the default, or the
// folder an earlier installation recorded.
void TInstallForm::FormCreate(tk::TObject*)
{
    InstallMain::StepIndex = 0;
    InstallMain::InitTempPaths();
    InstallDir->SetText(InstallMain::DefaultInstallDir());
    using InstallMain::InstallDirValue;
    using InstallMain::ProductKey;
    if (KeyValueExists(HKEY_LOCAL_MACHINE, ProductKey, false, InstallDirValue)) {
        std::string folder;
        ReadKeyValue(HKEY_LOCAL_MACHINE, ProductKey, false, InstallDirValue, RegEdit::ValueKindString, folder);
        InstallDir->SetText(folder);
    }
}

// The chosen folder, followed by the product's own subfolder, replaces the
// target; cancelling changes nothing.
void TInstallForm::BrowseBtnClick(tk::TObject*)
{
    std::string chosen;
    tk::SelectDirectory("请选择文件夹。", "", chosen, Handle());
    if (!chosen.empty())
        InstallDir->SetText(chosen + "\\VTQ");
}

void TInstallForm::CreateAppShortcuts(const std::string& targetFolder)
{
    InstallMain::CreateAppShortcuts(targetFolder, [this] { StatusLabel->SetText("正在创建快捷方式"); });
}

void TInstallForm::CreateUninstallShortcut(const std::string& targetFolder)
{
    InstallMain::CreateUninstallShortcut(targetFolder);
}

void TInstallForm::DeleteTempFolder(const std::string& path)
{
    InstallMain::DeleteTempFolder(Handle(), path);
}

// The wizard's navigation is not wired yet: the buttons are bound to these
// handlers, which do nothing so far.
void TInstallForm::CancelBtnClick(tk::TObject*) {}
void TInstallForm::NextStepBtnClick(tk::TObject*) {}
void TInstallForm::LastStepBtnClick(tk::TObject*) {}
void TInstallForm::OverBtnClick(tk::TObject*) {}
