#pragma once
// TDataModuleZip: the non-visual data module that turns a payload record
// into the file it stands for.

#include "toolkit/core/DataModule.h"

class TDataModuleZip : public tk::TDataModule {
public:
    using tk::TDataModule::TDataModule;
};

extern TDataModuleZip* DataModuleZip;
