// setup.exe: start-up and exit of the installer.

#include "InstallMain/InstallMain.h"
#include "UnitZipModule/UnitZipModule.h"
#include "toolkit/win/Application.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    {
        tk::TApplication application; // COM for this thread, as a single-threaded apartment
        application.Initialize();
        application.SetMainFormOnTaskBar(true);
        application.SetTitle("Kelvaro安装程序");
        InstallForm = application.CreateForm<TInstallForm>();
        DataModuleZip = application.CreateDataModule<TDataModuleZip>();
        application.Run();

        application.DestroyComponents();
        InstallForm = nullptr;
        DataModuleZip = nullptr;
        InstallMain::Finalize();
    } // COM is uninitialised here, after the module's shell references are gone
    return 0;
}
