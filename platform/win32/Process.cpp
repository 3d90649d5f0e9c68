#include "platform/Process.h"
#include "platform/SystemError.h"
#include "platform/win32/ArgumentQuote.h"
#include "platform/win32/WideText.h"

#include <windows.h>

#include <tlhelp32.h>

namespace {

// Owns one kernel handle.
class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : m_handle(handle) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE)
            CloseHandle(m_handle);
    }
    HANDLE Get() const { return m_handle; }
    bool Valid() const { return m_handle != nullptr && m_handle != INVALID_HANDLE_VALUE; }

private:
    HANDLE m_handle;
};

// The id of the process that started this one, or 0.
DWORD StarterProcessId() {
    const DWORD self = GetCurrentProcessId();
    Handle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.Valid())
        return 0;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more;
         more = Process32NextW(snapshot.Get(), &entry)) {
        if (entry.th32ProcessID == self)
            return entry.th32ParentProcessID;
    }
    return 0;
}

ULONGLONG CreationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user))
        return 0;
    return static_cast<ULONGLONG>(created.dwHighDateTime) << 32 | created.dwLowDateTime;
}

} // namespace

bool SpawnDetached(const std::string& program, const std::vector<std::string>& arguments,
                   std::string* reason) {
    std::wstring application;
    std::wstring commandLine;
    if (!Utf8ToWide(program, application) || application.empty() ||
        !Utf8ToWide(BuildCommandLine(program, arguments), commandLine)) {
        if (reason != nullptr)
            *reason = SystemErrorText(ERROR_INVALID_NAME);
        return false;
    }
    // The new process starts in its own folder: a process whose current folder is the
    // install folder would keep that folder from being removed.
    std::wstring folder = application;
    const size_t slash = folder.find_last_of(L"\\/");
    folder = slash == std::wstring::npos ? std::wstring() : folder.substr(0, slash + 1);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    // No handle of this process is inherited, so nothing it holds open (the page view's
    // helpers, files) lives on in the new process.
    if (!CreateProcessW(application.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_NEW_PROCESS_GROUP, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        if (reason != nullptr)
            *reason = SystemErrorText(LastSystemError());
        return false;
    }
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

void EndProcessNow(int exitCode) {
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
    ExitProcess(static_cast<UINT>(exitCode)); // not reached
}

void WaitForStarterToEnd(unsigned timeoutMs) {
    // A running program's file cannot be deleted on Windows: wait on the starter's handle.
    const DWORD starter = StarterProcessId();
    if (starter == 0)
        return;
    Handle process(OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION, FALSE, starter));
    if (!process.Valid())
        return; // already gone
    // A process id is reused once its process has ended: a process younger than this one is
    // not the starter.
    const ULONGLONG starterCreated = CreationTime(process.Get());
    const ULONGLONG selfCreated = CreationTime(GetCurrentProcess());
    if (starterCreated == 0 || selfCreated == 0 || starterCreated > selfCreated)
        return;
    WaitForSingleObject(process.Get(), timeoutMs);
}
