#include "win32/setup/SetupMarker.h"

// The only place where the marker's value is written. Nothing else may name it: the copy step
// finds it as "word + 10 == 0x1111AAD6".
const volatile std::uint32_t g_setupMarker = 0x1111AACC;

bool IsSetupPackage() {
    return (g_setupMarker & 0xFFFFu) == 0xAACCu;
}
