# Build step: writes the bytes of INPUT as the C++ function ProgramIconPicture() into OUTPUT.
file(READ ${INPUT} bytes HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${bytes}")
string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
file(WRITE ${OUTPUT}.part
"// Generated from ${INPUT} at build time; do not edit.
#include \"setuplogic/ProgramIconPicture.h\"

namespace {
const unsigned char kPicture[] = {
    ${bytes}
};
} // namespace

const std::string& ProgramIconPicture() {
    static const std::string picture(reinterpret_cast<const char*>(kPicture), sizeof kPicture);
    return picture;
}
")
file(RENAME ${OUTPUT}.part ${OUTPUT})
