#include "uilogic/StartUpChoice.h"

#include "settings/TextTable.h"

StartRun ChooseStartRun(const std::vector<std::string>& arguments, bool setupPackage) {
    if (arguments.size() > 1 && arguments[1] == GetText(TextId::UninstallSwitch))
        return StartRun::Uninstall;
    return setupPackage ? StartRun::Setup : StartRun::Calculator;
}

std::vector<std::string> ArgumentsAfterProgram(const std::vector<std::string>& arguments) {
    if (arguments.empty())
        return {};
    return std::vector<std::string>(arguments.begin() + 1, arguments.end());
}

const char* StartRunName(StartRun run) {
    switch (run) {
    case StartRun::Uninstall:
        return "uninstall";
    case StartRun::Setup:
        return "setup";
    case StartRun::Calculator:
        return "calculator";
    }
    return "calculator";
}
