#include "win32/ui/ProgramIcon.h"

namespace {

constexpr int kProgramIcon = 128;

} // namespace

HICON LoadProgramIcon(int size) {
    return static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kProgramIcon),
                                         IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}
