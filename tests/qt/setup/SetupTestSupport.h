#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Helpers of the setup tests. Every test works in a scratch home of its own: HOME, TMPDIR and
// the XDG_* variables point into a fresh temporary folder while a ScratchHome lives.

class ScratchHome {
public:
    ScratchHome();
    ~ScratchHome();
    ScratchHome(const ScratchHome&) = delete;
    ScratchHome& operator=(const ScratchHome&) = delete;

    // The scratch folder, with trailing '/'.
    const std::string& Root() const { return m_root; }
    std::string Home() const { return m_root + "home/"; }
    std::string DataHome() const { return m_root + "home/.local/share/"; }
    std::string Desktop() const { return m_root + "home/Desktop/"; }
    std::string Applications() const { return DataHome() + "applications/"; }
    std::string Temp() const { return m_root + "tmp/"; }

    // Sets (or with nullptr unsets) a variable until the scratch home ends.
    void SetEnv(const char* name, const char* value);

private:
    std::string m_root;
    std::map<std::string, std::pair<bool, std::string>> m_saved;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& data);
bool Exists(const std::string& path);
// Every regular file and folder below root, as paths relative to it, sorted.
std::vector<std::string> ListTree(const std::string& root);

// The delivered program as built (build/corvane) and its installed form (build/installed/).
std::string DeliveredProgram();
std::string InstalledBuildProgram();

// The setup marker, computed at run time so that the tests do not carry its bytes.
std::uint32_t MarkerWord();
std::string WordBytes(std::uint32_t word);
std::size_t CountOccurrences(const std::string& haystack, const std::string& needle);

// Runs program with arguments and the current environment;
// waits up to timeoutMs. Returns the exit code (-1 on a crash or time-out); output receives
// stdout.
int RunProgram(const std::string& program, const std::vector<std::string>& arguments,
               std::string* output = nullptr, int timeoutMs = 60000);

// Waits until path exists and holds needle (a detached process writes it); false on time-out.
bool WaitForText(const std::string& path, const std::string& needle, int timeoutMs = 60000);

// A small tmpfs mounted at a new folder for as long as it lives (needs root; Mounted() tells).
// options: tmpfs options such as "size=8m,mode=0755", and ",noexec" at the end for a mount
// whose programs cannot be started.
class SmallDisk {
public:
    SmallDisk(const std::string& path, const std::string& options);
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return m_mounted; }
    // Fills the disk with a file until at most freeBytes are left.
    void FillLeaving(std::size_t freeBytes) const;

private:
    std::string m_path;
    bool m_mounted = false;
};
