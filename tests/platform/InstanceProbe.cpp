// A stand-in for the terminal's start-up in tests: runs InitApplication with
// the desktop platform. Prints "MESSAGE <text>" for a message box, then
// "RUNNING" when the start-up let it go on; it then keeps running (and holds
// the single-instance lock) until its standard input is closed.
// Exit status: 0 after running, 3 when the start-up ended the program.

#include <cstdio>
#include <string>

#include <unistd.h>

#include "app/CKOVAApp.h"
#include "platform/PosixAppPlatform.h"

int main()
{
    PosixAppPlatform platform;
    platform.SetMessageBoxHandler([](const std::string& text) {
        std::printf("MESSAGE %s\n", text.c_str());
        std::fflush(stdout);
    });
    CKOVAApp app;
    if (!app.InitApplication(platform)) {
        return 3;
    }
    std::printf("RUNNING\n");
    std::fflush(stdout);
    char buffer[64];
    while (::read(STDIN_FILENO, buffer, sizeof buffer) > 0) {
    }
    return 0;
}
