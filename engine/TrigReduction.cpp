#include "engine/TrigReduction.h"

#include <cstdint>
#include <cstring>

namespace maths::trig {
namespace {

// Words of 2/pi multiplied by the significand in the large-argument reduction: enough that
// the fraction keeps more than 220 bits.
constexpr int kWindowWords = 8;
constexpr int kProductWords = kWindowWords + 2;

double PowerOfTwo(int exponent) { // normal range only
    const uint64_t bits = static_cast<uint64_t>(exponent + 1023) << 52;
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

uint64_t WordAt(const uint32_t* words, int index) {
    return index >= 0 && index < kProductWords ? words[index] : 0;
}

// Bits [low, low + count) of a little-endian array of 32-bit words (count <= 64); zero
// outside it.
uint64_t BitsAt(const uint32_t* words, int low, int count) {
    const int index = low >= 0 ? low / 32 : -((31 - low) / 32);
    const int shift = low - 32 * index;
    uint64_t value = (WordAt(words, index) | WordAt(words, index + 1) << 32) >> shift;
    if (shift > 0) {
        value |= WordAt(words, index + 2) << (64 - shift);
    }
    return count == 64 ? value : value & ((uint64_t{1} << count) - 1);
}

// The position of the highest set bit, or -1.
int TopBit(const uint32_t* words) {
    for (int index = kProductWords - 1; index >= 0; --index) {
        if (words[index] != 0) {
            int bit = 31;
            while (((words[index] >> bit) & 1U) == 0) {
                --bit;
            }
            return 32 * index + bit;
        }
    }
    return -1;
}

// Large x = m * 2^e: the fraction of x * 2/pi from the bits of 2/pi that matter (Payne and
// Hanek). Bits of 2/pi whose products with x are multiples of 4 are skipped; those after the
// window change the fraction by less than 2^-170.
Reduced PayneHanek(double x) {
    uint64_t bits;
    std::memcpy(&bits, &x, sizeof bits);
    const int e = static_cast<int>(bits >> 52) - 1075;
    const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
    const int first = e < 34 ? 0 : (e - 2) / 32; // first word of 2/pi that counts

    // m * window, little-endian 32-bit words.
    uint32_t product[kProductWords] = {};
    const uint64_t digits[2] = {m & 0xFFFFFFFFU, m >> 32};
    for (int row = 0; row < 2; ++row) {
        uint64_t carry = 0;
        for (int i = 0; i < kWindowWords; ++i) {
            const uint64_t word = kTwoOverPi[first + kWindowWords - 1 - i];
            const uint64_t t = digits[row] * word + product[i + row] + carry;
            product[i + row] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
        for (int k = kWindowWords + row; k < kProductWords && carry != 0; ++k) {
            const uint64_t t = product[k] + carry;
            product[k] = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
    }

    // The product has `point` bits after the binary point; the two above it give n mod 4.
    const int point = 32 * (first + kWindowWords) - e;
    int quadrant = static_cast<int>(BitsAt(product, point, 2));
    const bool negative = BitsAt(product, point - 1, 1) != 0;
    if (negative) { // fraction >= 1/2: count one more quadrant and take fraction - 1
        quadrant = (quadrant + 1) & 3;
        uint64_t carry = 1;
        for (uint32_t& word : product) {
            const uint64_t t = static_cast<uint64_t>(static_cast<uint32_t>(~word)) + carry;
            word = static_cast<uint32_t>(t);
            carry = t >> 32;
        }
    }
    // Keep the fraction only.
    for (int index = 0; index < kProductWords; ++index) {
        if (32 * index >= point) {
            product[index] = 0;
        } else if (32 * index + 32 > point) {
            product[index] &= (1U << (point - 32 * index)) - 1;
        }
    }
    const int top = TopBit(product);
    if (top < 0) {
        return {{0.0, 0.0}, quadrant};
    }
    // 106 bits of the fraction from its leading one, as a double-double.
    const auto high = static_cast<int64_t>(BitsAt(product, top - 52, 53));
    const auto low = static_cast<int64_t>(BitsAt(product, top - 105, 53));
    const DoubleDouble fraction =
        FastTwoSum(static_cast<double>(high) * PowerOfTwo(top - 52 - point),
                   static_cast<double>(low) * PowerOfTwo(top - 105 - point));
    DoubleDouble r = Mul(fraction, DoubleDouble{kHalfPiHi, kHalfPiLo});
    if (negative) {
        r = {-r.hi, -r.lo};
    }
    return {r, quadrant};
}

} // namespace

Reduced ReduceLarge(double x) {
    return PayneHanek(x);
}

} // namespace maths::trig
