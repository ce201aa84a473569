#include "UnitZipModule/UnitZipModule.h"

TDataModuleZip* DataModuleZip = nullptr;
