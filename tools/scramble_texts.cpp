// Build tool: turns the plain texts of resources/texts into the scrambled text table source.
//
//   scramble_texts <texts folder> <output .cpp>

#include "tools/TextSources.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>

namespace fs = std::filesystem;
using text_sources::BuildError;

namespace {

void WriteOutput(const fs::path& output, const std::string& source) {
    if (output.has_parent_path())
        fs::create_directories(output.parent_path());
    // Written beside and renamed, so a failed run never leaves a half file for the build.
    fs::path temp = output;
    temp += ".tmp";
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        out << source;
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            throw BuildError{"cannot write " + temp.string()};
        }
    }
    fs::rename(temp, output);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr,
                     "usage: scramble_texts <texts folder> <output .cpp> [<overrides folder>]\n");
        return 2;
    }
    try {
        const std::vector<std::string> texts = argc == 4 ? text_sources::ReadTexts(argv[1], argv[3])
                                                         : text_sources::ReadTexts(argv[1]);
        WriteOutput(argv[2], text_sources::GenerateSource(texts));
    } catch (const BuildError& error) {
        std::fprintf(stderr, "scramble_texts: error: %s\n", error.message.c_str());
        return 1;
    } catch (const fs::filesystem_error& error) {
        std::fprintf(stderr, "scramble_texts: error: %s\n", error.what());
        return 1;
    }
    return 0;
}
