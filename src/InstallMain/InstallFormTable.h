#pragma once
// The wizard window declared as a table of components.

#include "toolkit/win/ComponentTable.h"

namespace InstallMain {

// The maker's web address, shown on the window and recorded for the
// installed programs list.
#define INSTALL_MAKER_WEB_ADDRESS "http://www.dovrik.example/"

const tk::FormDef& InstallFormDef();

} // namespace InstallMain
