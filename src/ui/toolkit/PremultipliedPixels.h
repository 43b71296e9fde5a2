// Pictures as rows of 32-bit premultiplied pixels (0xAARRGGBB, the layout of
// a 32-bit DIB section and of GDI+'s PARGB), top row first, no padding. For
// the compositions that are cheaper done here than drawn by GDI+: a button
// face squeezed to its button and laid over its background. Platform-neutral
// so it is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The picture resampled to destWidth x destHeight with bilinear filtering:
// pixel centres are mapped onto each other, and past its edges the picture's
// own border pixels continue (no transparent seam along a scaled edge). The
// same size gives the same pixels. Empty when either size is not positive or
// the picture holds fewer than width x height pixels.
std::vector<uint32_t> ScaleBilinear(const std::vector<uint32_t>& pixels, int width, int height, int destWidth,
                                    int destHeight);

// source over destination, pixel by pixel, both premultiplied: the source's
// alpha decides how much of the destination shows through.
void BlendOver(const uint32_t* source, uint32_t* destination, size_t count);
