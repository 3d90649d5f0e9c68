#include "SheetGenerator.h"

#include <cstdint>
#include <cstdio>

namespace {

// A tiny linear congruential generator, so the sheet is the same on every run and machine.
class Lcg {
public:
    uint32_t Next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<uint32_t>(m_state >> 33);
    }
    uint32_t Below(uint32_t n) { return Next() % n; }

private:
    uint64_t m_state = 20261208;
};

std::string Format(const char* format, uint32_t a, uint32_t b, uint32_t c) {
    char buffer[256];
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

// One line of the mix; lines that assign variables come early in each group of 16 so that the
// others can read them.
std::string MakeLine(size_t index, Lcg& rng, bool failingLines) {
    const uint32_t a = rng.Below(1000);
    const uint32_t b = rng.Below(100) + 1;
    const uint32_t c = rng.Below(10);
    // The price variable of this group of sixteen lines, assigned by its first line.
    const uint32_t k = static_cast<uint32_t>(index / 16 % 10);
    switch (index % 16) {
    case 0:
        return Format("price%u = %u.%02u * 3 + 2", k, a, b);
    case 1:
        return Format("mask = 0x%X & 0xFF00 | 0b1010 ^^ 0x%X, x", a * 977, b, 0);
    case 2:
        return Format("(price%u + %u.5) / 3 ^ 2 - %u", k, a, b);
    case 3:
        return Format("sin(pi / %u) + cos(0.%u) * tan(0.%u)", b, a, c);
    case 4:
        return Format("sqrt(%u) + ln(%u) - log(%u) + exp(0.5)", a + 1, b, a + 10);
    case 5:
        return Format("1 << %u >> 2, b", c + 4, 0, 0);
    case 6:
        return Format("-~0x%X %% %u, u", a, b, 0);
    case 7:
        return Format("pow(2, %u) - root(%u) // powers", c + 3, a, 0);
    case 8:
        return Format("asin(0.%u) + acos(0.%u) + atan(%u) + cot(1) + sec(1) + csc(1)", c, b % 10,
                      a);
    case 9:
        return Format(failingLines ? "%u / 0" : "%u / 7", a, 0, 0);
    case 10:
        return Format("total%u = mask * 2 + price%u - %u.25e2", c, k, a);
    case 11:
        return Format(failingLines ? "unknown%u + 1" : "price%u + 1", failingLines ? a : k, 0, 0);
    case 12:
        return "// a comment line";
    case 13:
        return "";
    case 14:
        return Format("0b1%u01 * 0x%X - 1.5e-%u", c % 2, a, c);
    default:
        return Format("(((%u + %u) * (%u - 1)) / 7) ^ 0.5", a, b, c);
    }
}

} // namespace

std::string MakeSheet(size_t lineCount, bool failingLines) {
    Lcg rng;
    std::string text;
    for (size_t i = 0; i < lineCount; ++i) {
        if (i > 0) {
            text += "\r\n";
        }
        text += MakeLine(i, rng, failingLines);
    }
    return text;
}
