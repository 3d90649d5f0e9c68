// A small program that the Win32 platform tests start, to see from outside what a started
// process gets. The first argument is the file it reports to, the second what it does:
//   args HANDLE      writes its arguments (one a line), its current folder, and whether the
//                    handle value HANDLE is open in it ("inherited" or "not inherited")
//   starter WAITER   starts itself as "waiter" through SpawnDetached, sleeps a while, writes
//                    "starter ended" to the report file + ".starter" and ends
//   waiter           waits with WaitForStarterToEnd, then reports whether the starter's file
//                    was there (it is written just before the starter ends)
//   sleep MS         sleeps, then ends
#include "platform/CommandLine.h"
#include "platform/ModulePath.h"
#include "platform/Process.h"
#include "platform/WholeFile.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string CurrentFolder() {
    std::wstring buffer(32768, L'\0');
    const DWORD length = GetCurrentDirectoryW(static_cast<DWORD>(buffer.size()), buffer.data());
    buffer.resize(length);
    return WideToUtf8(buffer);
}

} // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args = GetUtf8Arguments(argc, argv);
    if (args.size() < 3)
        return 2;
    const std::string& report = args[1];
    const std::string& mode = args[2];
    if (mode == "args" && args.size() >= 4) {
        const HANDLE handle = reinterpret_cast<HANDLE>(
            static_cast<std::uintptr_t>(std::strtoull(args[3].c_str(), nullptr, 10)));
        DWORD flags = 0;
        std::string text;
        for (size_t i = 4; i < args.size(); ++i)
            text += args[i] + "\n";
        text += "folder " + CurrentFolder() + "\n";
        text += GetHandleInformation(handle, &flags) ? "inherited\n" : "not inherited\n";
        return WriteFileAtomically(report, text) ? 0 : 1;
    }
    if (mode == "starter") {
        if (!SpawnDetached(GetModulePath(), {report, "waiter"}))
            return 1;
        Sleep(1500);
        WriteFileAtomically(report + ".starter", "starter ended\n");
        return 0;
    }
    if (mode == "waiter") {
        const DWORD start = GetTickCount();
        WaitForStarterToEnd(20000);
        const DWORD waited = GetTickCount() - start;
        std::string ignored;
        const bool starterDone = ReadWholeFile(report + ".starter", ignored);
        return WriteFileAtomically(report,
                                   std::string(starterDone ? "after starter" : "too early") + " " +
                                       std::to_string(waited) + "\n")
                   ? 0
                   : 1;
    }
    if (mode == "sleep" && args.size() >= 4) {
        Sleep(static_cast<DWORD>(std::strtoul(args[3].c_str(), nullptr, 10)));
        return 0;
    }
    return 2;
}
