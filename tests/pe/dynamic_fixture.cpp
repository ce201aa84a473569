// A console program linked against the shared C++ run-time: the image
// inspection must reject it (wrong subsystem, non-system DLLs).
#include <iostream>
#include <string>

int main()
{
    const std::string text = "fixture";
    std::cout << text << '\n';
    return 0;
}
