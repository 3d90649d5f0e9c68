#include "GifWriter.h"

#include <QFile>
#include <QHash>

#include <algorithm>
#include <array>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace {

struct Box {
    std::vector<std::pair<QRgb, int>> colours; // colour, pixel count
};

int Channel(QRgb c, int axis) {
    return axis == 0 ? qRed(c) : axis == 1 ? qGreen(c) : qBlue(c);
}

// Median cut: splits the box with the widest channel range at its weighted median until there
// are `count` boxes; each box's weighted mean is a palette colour.
std::vector<QRgb> MedianCut(const QHash<QRgb, int>& histogram, int count) {
    std::vector<Box> boxes(1);
    for (auto it = histogram.begin(); it != histogram.end(); ++it)
        boxes[0].colours.emplace_back(it.key(), it.value());
    while (static_cast<int>(boxes.size()) < count) {
        int best = -1, bestRange = 0, bestAxis = 0;
        for (size_t i = 0; i < boxes.size(); ++i) {
            if (boxes[i].colours.size() < 2)
                continue;
            for (int axis = 0; axis < 3; ++axis) {
                int lo = 255, hi = 0;
                for (const auto& [c, n] : boxes[i].colours) {
                    lo = std::min(lo, Channel(c, axis));
                    hi = std::max(hi, Channel(c, axis));
                }
                if (hi - lo > bestRange) {
                    bestRange = hi - lo;
                    best = static_cast<int>(i);
                    bestAxis = axis;
                }
            }
        }
        if (best < 0)
            break;
        auto& colours = boxes[best].colours;
        std::sort(colours.begin(), colours.end(), [bestAxis](const auto& a, const auto& b) {
            return Channel(a.first, bestAxis) < Channel(b.first, bestAxis);
        });
        long long total = 0;
        for (const auto& entry : colours)
            total += entry.second;
        long long running = 0;
        size_t split = 1;
        for (size_t i = 0; i + 1 < colours.size(); ++i) {
            running += colours[i].second;
            split = i + 1;
            if (running * 2 >= total)
                break;
        }
        Box upper;
        upper.colours.assign(colours.begin() + static_cast<long>(split), colours.end());
        colours.resize(split);
        boxes.push_back(std::move(upper));
    }
    std::vector<QRgb> palette;
    for (const Box& box : boxes) {
        long long r = 0, g = 0, b = 0, n = 0;
        for (const auto& [c, k] : box.colours) {
            r += static_cast<long long>(qRed(c)) * k;
            g += static_cast<long long>(qGreen(c)) * k;
            b += static_cast<long long>(qBlue(c)) * k;
            n += k;
        }
        if (n > 0)
            palette.push_back(qRgb(int(r / n), int(g / n), int(b / n)));
    }
    return palette;
}

int Nearest(const std::vector<QRgb>& palette, QRgb c, int skip) {
    int best = 0, bestDistance = INT32_MAX;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        if (i == skip)
            continue;
        const int dr = qRed(c) - qRed(palette[i]);
        const int dg = qGreen(c) - qGreen(palette[i]);
        const int db = qBlue(c) - qBlue(palette[i]);
        const int d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// LZW-compresses the indexes the way the GIF decoder expects (the scheme of giflib's encoder).
class LzwEncoder {
public:
    LzwEncoder(int minCodeSize, QByteArray& out) : m_minCodeSize(minCodeSize), m_out(out) {}

    void Encode(const std::vector<uint8_t>& pixels) {
        const int clearCode = 1 << m_minCodeSize;
        const int eofCode = clearCode + 1;
        Reset(eofCode);
        Output(clearCode);
        if (pixels.empty()) {
            Output(eofCode);
            Flush();
            return;
        }
        int current = pixels[0];
        for (size_t i = 1; i < pixels.size(); ++i) {
            const int pixel = pixels[i];
            const uint32_t key =
                (static_cast<uint32_t>(current) << 8) | static_cast<uint32_t>(pixel);
            auto it = m_table.find(key);
            if (it != m_table.end()) {
                current = it->second;
                continue;
            }
            Output(current);
            current = pixel;
            if (m_runningCode >= 4095) {
                Output(clearCode);
                Reset(eofCode);
            } else {
                m_table.emplace(key, m_runningCode++);
            }
        }
        Output(current);
        Output(eofCode);
        Flush();
    }

private:
    void Reset(int eofCode) {
        m_table.clear();
        m_runningCode = eofCode + 1;
        m_runningBits = m_minCodeSize + 1;
        m_maxCode = 1 << m_runningBits;
    }

    void Output(int code) {
        m_bits |= static_cast<uint32_t>(code) << m_bitCount;
        m_bitCount += m_runningBits;
        while (m_bitCount >= 8) {
            m_bytes.push_back(static_cast<char>(m_bits & 0xFF));
            m_bits >>= 8;
            m_bitCount -= 8;
        }
        if (m_runningCode >= m_maxCode && code <= 4095 && m_runningBits < 12)
            m_maxCode = 1 << ++m_runningBits;
    }

    void Flush() {
        if (m_bitCount > 0)
            m_bytes.push_back(static_cast<char>(m_bits & 0xFF));
        // Sub-blocks of at most 255 bytes, then the block terminator.
        for (int pos = 0; pos < m_bytes.size(); pos += 255) {
            const int n = std::min(255, static_cast<int>(m_bytes.size()) - pos);
            m_out.append(static_cast<char>(n));
            m_out.append(m_bytes.mid(pos, n));
        }
        m_out.append('\0');
    }

    int m_minCodeSize;
    QByteArray& m_out;
    QByteArray m_bytes;
    std::unordered_map<uint32_t, int> m_table;
    uint32_t m_bits = 0;
    int m_bitCount = 0;
    int m_runningCode = 0;
    int m_runningBits = 0;
    int m_maxCode = 0;
};

void Put16(QByteArray& out, int value) {
    out.append(static_cast<char>(value & 0xFF));
    out.append(static_cast<char>((value >> 8) & 0xFF));
}

} // namespace

bool WriteGif(const QImage& source, const QString& path) {
    const QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int w = image.width();
    const int h = image.height();

    QHash<QRgb, int> histogram;
    bool transparent = false;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) < 128)
                transparent = true;
            else
                ++histogram[c | 0xFF000000u];
        }
    }

    std::vector<QRgb> palette;
    const int maxColours = transparent ? 255 : 256;
    if (histogram.size() <= maxColours) {
        for (auto it = histogram.begin(); it != histogram.end(); ++it)
            palette.push_back(it.key());
        std::sort(palette.begin(), palette.end());
    } else {
        palette = MedianCut(histogram, maxColours);
    }
    int transparentIndex = -1;
    if (transparent) {
        transparentIndex = static_cast<int>(palette.size());
        palette.push_back(qRgb(255, 0, 255));
    }
    int bits = 1;
    while ((1 << bits) < static_cast<int>(palette.size()))
        ++bits;
    const int tableSize = 1 << bits;

    std::vector<uint8_t> indexes;
    indexes.reserve(static_cast<size_t>(w) * h);
    QHash<QRgb, int> cache;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb c = image.pixel(x, y);
            if (qAlpha(c) < 128) {
                indexes.push_back(static_cast<uint8_t>(transparentIndex));
                continue;
            }
            auto it = cache.find(c);
            if (it == cache.end())
                it = cache.insert(c, Nearest(palette, c, transparentIndex));
            indexes.push_back(static_cast<uint8_t>(it.value()));
        }
    }

    QByteArray out("GIF89a");
    Put16(out, w);
    Put16(out, h);
    out.append(static_cast<char>(0x80 | 0x70 | (bits - 1))); // global table, 8-bit colour
    out.append('\0');                                        // background index
    out.append('\0');                                        // aspect ratio
    for (int i = 0; i < tableSize; ++i) {
        const QRgb c = i < static_cast<int>(palette.size()) ? palette[i] : qRgb(0, 0, 0);
        out.append(static_cast<char>(qRed(c)));
        out.append(static_cast<char>(qGreen(c)));
        out.append(static_cast<char>(qBlue(c)));
    }
    if (transparentIndex >= 0) {
        out.append("\x21\xF9\x04\x01\x00\x00", 6); // graphic control: transparent, no delay
        out.append(static_cast<char>(transparentIndex));
        out.append('\0');
    }
    out.append('\x2C');
    Put16(out, 0);
    Put16(out, 0);
    Put16(out, w);
    Put16(out, h);
    out.append('\0'); // no local table, not interlaced
    const int minCodeSize = std::max(2, bits);
    out.append(static_cast<char>(minCodeSize));
    LzwEncoder(minCodeSize, out).Encode(indexes);
    out.append('\x3B');

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    return file.write(out) == out.size();
}
