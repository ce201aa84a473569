#pragma once
// printf-style formatting into a std::string, for messages.

#include <string>

namespace tk {

#if defined(__GNUC__)
__attribute__((format(printf, 1, 2)))
#endif
std::string Format(const char* format, ...);

// The default error display's text: a full stop is added when the message
// is not empty and its last character sorts after "." (a letter, a digit or a
// two-byte character of the code page).
std::string WithFinalPeriod(const std::string& message);

} // namespace tk
