#include "platform/UninstallRegistration.h"

#include <gtest/gtest.h>

// The registered command is the only place the program's path is put into a format, so a
// stray '%' in either must come out as written.
TEST(RegistrationCommand, FillsTheFirstPlaceholderOnlyAndUnescapesPercent) {
    EXPECT_EQ(FillRegistrationCommand("\"%s\" --uninstall", "C:\\P\\corvane.exe"),
              "\"C:\\P\\corvane.exe\" --uninstall");
    EXPECT_EQ(FillRegistrationCommand("%s %s", "a"), "a %s");
    EXPECT_EQ(FillRegistrationCommand("100%% %s", "x"), "100% x");
    EXPECT_EQ(FillRegistrationCommand("%s", "50%s"), "50%s");
    EXPECT_EQ(FillRegistrationCommand("ends with %", "x"), "ends with %");
    EXPECT_EQ(FillRegistrationCommand("no place", "x"), "no place");
}
