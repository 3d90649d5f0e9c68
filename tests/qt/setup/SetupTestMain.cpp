// The setup tests run offscreen with a QApplication (the wizard and the folder browser need
// one). The whole run, test listing included, sees a scratch home instead of the real one;
// each test then makes a scratch home of its own (ScratchHome).
#include "qt/controls/AppSetup.h"

#include <QApplication>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::string root = (fs::temp_directory_path() / "corvane-setup-run-XXXXXX").string();
    if (::mkdtemp(root.data()) == nullptr)
        return 1;
    for (const char* name : {"HOME", "TMPDIR", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME",
                             "XDG_STATE_HOME", "XDG_RUNTIME_DIR"})
        ::setenv(name, root.c_str(), 1);
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);

    int result = 1;
    {
        PrepareApplication();
        QApplication app(argc, argv);
        StartControls();
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    std::error_code error;
    fs::remove_all(root, error); // the run's own scratch folder only
    return result;
}
