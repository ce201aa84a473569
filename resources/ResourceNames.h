#pragma once
// Names of the program's own resources (resources/setup.rc) that the
// program loads at run time.

namespace ResourceNames {

// Icon group of the application icon: the window's icon and the page icons.
inline constexpr const char MainIcon[] = "MAINICON";

// Bitmap shown on the welcome page.
inline constexpr const char BeginImage[] = "BEGINIMAGE";

} // namespace ResourceNames
