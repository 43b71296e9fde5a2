// PNG artwork embedded as resources of type "PNG", decoded with GDI+, and the
// few drawing operations every window and control uses.
#pragma once

#include <windows.h>

#include <objidl.h>

#include <gdiplus.h>

#include <cstdint>
#include <vector>

#include "framework/CImagePtr.h"

// Decodes one PNG resource into a new image; nullptr when it is missing or
// cannot be read. Any thread may call it once GDI+ has started.
Gdiplus::Image* DecodePngResource(UINT id);
// TRUE: out holds a newly created image (what it held before is overwritten,
// not deleted). FALSE: the resource is missing or could not be loaded; out is unchanged.
// A picture decoded ahead for id (CPngDecodeAhead) is taken instead of decoding it again.
BOOL LoadPngResource(UINT id, Gdiplus::Image*& out);
// The same into an owner; whatever the owner held is deleted first on success.
BOOL LoadPngResource(UINT id, CImagePtr& out);

// The whole image scaled into a rectangle.
void DrawImageWhole(Gdiplus::Graphics& g, Gdiplus::Image* image, int x, int y, int width, int height);
// Part of an image (source in the image's own pixels) scaled into a rectangle
// in device pixels. A source of width or height 0 draws nothing. Drawn one to
// one (the same size as the source), it is copied without interpolation,
// whatever mode the Graphics has: that gives the same pixels for less work.
void DrawImagePart(Gdiplus::Graphics& g, Gdiplus::Image* image, const RECT& dest, int srcX, int srcY,
                   int srcWidth, int srcHeight);
// The header of a top-down device-independent bitmap (rows from the top,
// uncompressed) of the given size and depth.
BITMAPINFO TopDownBitmapInfo(int width, int height, WORD bitCount);
// One to one without drawing: the picture's pixels, premultiplied, written
// into width x height top-down 32-bit bits. False (nothing written) when the
// picture is not exactly that size or cannot be read so.
bool CopyImagePremultiplied(Gdiplus::Image* image, void* bits, int width, int height);
// An opaque picture of exactly width x height put on the device context at
// (0, 0) as it is, in bands of rows. False (nothing drawn) for a picture with
// alpha, of another size, or one that cannot be read so.
bool BlitOpaqueOneToOne(HDC dc, Gdiplus::Image* image, int width, int height);
// The part (x, y, width, height) of a picture as premultiplied 32-bit pixels,
// rows top-down (PremultipliedPixels.h). Empty when the part does not lie
// within the picture or cannot be read so.
std::vector<uint32_t> ReadPremultiplied(Gdiplus::Image* image, int x, int y, int width, int height);
// The part of an opaque background at (srcX, srcY) with dest's own size, and
// the whole face scaled bilinearly over dest, put on the device context in
// one operation: what drawing both with DrawImagePart gives, for a fraction
// of GDI+'s work on a scaled face. False (nothing drawn) for a background
// with alpha or a part that lies outside it, or a face that cannot be read.
bool DrawFaceOverOpaquePart(HDC dc, const RECT& dest, Gdiplus::Image* background, int srcX, int srcY,
                            Gdiplus::Image* face);
