#pragma once
// TInstallForm: the wizard window and its handlers.

#include "toolkit/win/Controls.h"
#include "toolkit/win/Forms.h"

#include <cstdint>
#include <string>

class TInstallForm : public tk::TForm {
public:
    TInstallForm();

    // Component references, bound by name from the window's table.
    tk::TPanel* BottomPanel = nullptr;
    tk::TButton* LastStepBtn = nullptr;
    tk::TButton* NextStepBtn = nullptr;
    tk::TButton* CancelBtn = nullptr;
    tk::TLabel* SupportLabel = nullptr;
    tk::TImage* BeginImage = nullptr;
    tk::TLabel* NameLabel = nullptr;
    tk::TMemo* MoreIntrod = nullptr;
    tk::TGroupBox* SelectDirBox = nullptr;
    tk::TImage* Logo = nullptr;
    tk::TLabel* TitleLabel = nullptr;
    tk::TLabel* TitleCapLabel = nullptr;
    tk::TGroupBox* InstallPathGroupBox = nullptr;
    tk::TMemo* ContentMemo = nullptr;
    tk::TGroupBox* TargerGroupBox = nullptr;
    tk::TEdit* InstallDir = nullptr;
    tk::TButton* BrowseBtn = nullptr;
    tk::TLabel* StatusLabel = nullptr;
    tk::TProgressBar* ProgressBar = nullptr;
    tk::TPageControl* InstallPage = nullptr;
    tk::TTabSheet* DirTabSheet = nullptr;
    tk::TTabSheet* ProcessTabSheet = nullptr;
    tk::TTabSheet* OverTabSheet = nullptr;
    tk::TLabel* OverLabel = nullptr;
    tk::TCheckBox* Run = nullptr;
    tk::TTabSheet* WelcomeTabSheet = nullptr;
    tk::TGroupBox* ProcessGroupBox = nullptr;
    tk::TImage* Image1 = nullptr;
    tk::TLabel* Label1 = nullptr;
    tk::TLabel* Label2 = nullptr;
    tk::TButton* OverBtn = nullptr;
    tk::TGroupBox* OverGroupBox = nullptr;
    tk::TLabel* OverTitleLabel = nullptr;

    // Event handlers.
    void CancelBtnClick(tk::TObject* sender);
    void FormCreate(tk::TObject* sender);
    void BrowseBtnClick(tk::TObject* sender);
    void NextStepBtnClick(tk::TObject* sender);
    void LastStepBtnClick(tk::TObject* sender);
    void OverBtnClick(tk::TObject* sender);

    // Operations of the installation run.
    void CreateAppShortcuts(const std::string& targetFolder);
    void CreateUninstallShortcut(const std::string& targetFolder);
    void DeleteTempFolder(const std::string& path);
};

// The wizard window, created first at start-up.
extern TInstallForm* InstallForm;

namespace InstallMain {

// The wizard's step counter: 0 welcome, 1 folder, 2 copying and finished.
extern std::int32_t StepIndex;

// Releases the module's state at exit, before COM is shut down.
void Finalize();

} // namespace InstallMain
