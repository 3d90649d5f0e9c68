#pragma once

#include <string>

// The program's icon as a PNG picture (its largest size), built in from resources/icon, for
// systems whose shortcuts take the icon from a picture file beside the program.
const std::string& ProgramIconPicture();
