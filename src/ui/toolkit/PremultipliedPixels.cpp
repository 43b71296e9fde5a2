#include "ui/toolkit/PremultipliedPixels.h"

#include <utility>

namespace {

// Where one destination column or row samples the source: the two source
// indices and the weight of the second, in 1/256.
struct Tap
{
    int first;
    int second;
    unsigned weight;
};

std::vector<Tap> Taps(int source, int dest)
{
    std::vector<Tap> taps(static_cast<size_t>(dest));
    const double step = static_cast<double>(source) / dest;
    for (int i = 0; i < dest; ++i) {
        double at = (i + 0.5) * step - 0.5;
        if (at < 0)
            at = 0;
        if (at > source - 1)
            at = source - 1;
        const int first = static_cast<int>(at);
        const int second = first + 1 < source ? first + 1 : first;
        taps[static_cast<size_t>(i)] = {first, second, static_cast<unsigned>((at - first) * 256.0 + 0.5)};
    }
    return taps;
}

// a and b mixed, weight (of b) in 1/256, per 8-bit channel, rounded.
uint32_t Mix(uint32_t a, uint32_t b, unsigned weight)
{
    if (weight == 0)
        return a;
    if (weight >= 256)
        return b;
    uint32_t out = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        const unsigned ca = (a >> shift) & 0xFF, cb = (b >> shift) & 0xFF;
        out |= ((ca * (256 - weight) + cb * weight + 128) >> 8) << shift;
    }
    return out;
}

} // namespace

std::vector<uint32_t> ScaleBilinear(const std::vector<uint32_t>& pixels, int width, int height, int destWidth,
                                    int destHeight)
{
    std::vector<uint32_t> out;
    if (width <= 0 || height <= 0 || destWidth <= 0 || destHeight <= 0 ||
        pixels.size() < static_cast<size_t>(width) * static_cast<size_t>(height))
        return out;
    const std::vector<Tap> columns = Taps(width, destWidth), rows = Taps(height, destHeight);
    out.resize(static_cast<size_t>(destWidth) * static_cast<size_t>(destHeight));
    // One source row resampled across, kept for the two rows a destination row mixes.
    std::vector<uint32_t> upper(static_cast<size_t>(destWidth)), lower(upper.size());
    int upperRow = -1, lowerRow = -1;
    auto across = [&](int row, std::vector<uint32_t>& line) {
        const uint32_t* src = pixels.data() + static_cast<size_t>(row) * static_cast<size_t>(width);
        for (size_t x = 0; x < columns.size(); ++x)
            line[x] = Mix(src[columns[x].first], src[columns[x].second], columns[x].weight);
    };
    uint32_t* dest = out.data();
    for (const Tap& row : rows) {
        if (row.first != upperRow) {
            if (row.first == lowerRow) {
                upper.swap(lower);
                std::swap(upperRow, lowerRow);
            } else {
                across(row.first, upper);
                upperRow = row.first;
            }
        }
        if (row.second != lowerRow && row.weight != 0) {
            across(row.second, lower);
            lowerRow = row.second;
        }
        for (size_t x = 0; x < columns.size(); ++x)
            *dest++ = row.weight == 0 ? upper[x] : Mix(upper[x], lower[x], row.weight);
    }
    return out;
}

void BlendOver(const uint32_t* source, uint32_t* destination, size_t count)
{
    for (size_t i = 0; i < count; ++i) {
        const uint32_t s = source[i];
        const unsigned alpha = s >> 24;
        if (alpha == 255) {
            destination[i] = s;
            continue;
        }
        if (alpha == 0 && s == 0)
            continue;
        const uint32_t d = destination[i];
        const unsigned keep = 255 - alpha;
        uint32_t out = 0;
        for (int shift = 0; shift < 32; shift += 8) {
            const unsigned cs = (s >> shift) & 0xFF, cd = (d >> shift) & 0xFF;
            // cd * keep / 255, rounded, without a division.
            unsigned scaled = cd * keep + 128;
            scaled = (scaled + (scaled >> 8)) >> 8;
            const unsigned c = cs + scaled;
            out |= (c > 255 ? 255u : c) << shift;
        }
        destination[i] = out;
    }
}
