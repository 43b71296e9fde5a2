#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "ArtworkTable.h"
#include "framework/LiveObjectCount.h"
#include "res/resource.h"
#include "ui/toolkit/CPngDecodeAhead.h"
#include "ui/toolkit/PngResource.h"

namespace {

// What draw(dc, bits) leaves in a width x height top-down 32-bit section
// that starts out filled with 0xAB bytes.
template <class Draw>
std::vector<BYTE> PixelsPaintedOn(int width, int height, Draw draw)
{
    std::vector<BYTE> pixels;
    const BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    HBITMAP section = dc ? CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (!section) {
        if (dc)
            DeleteDC(dc);
        return pixels;
    }
    HGDIOBJ old = SelectObject(dc, section);
    const size_t size = static_cast<size_t>(width) * height * 4;
    std::fill_n(static_cast<BYTE*>(bits), size, BYTE{0xAB});
    draw(dc, static_cast<const BYTE*>(bits));
    GdiFlush();
    pixels.assign(static_cast<BYTE*>(bits), static_cast<BYTE*>(bits) + size);
    SelectObject(dc, old);
    DeleteObject(section);
    DeleteDC(dc);
    return pixels;
}

} // namespace

TEST(PngResource, EveryImageLoadsWithItsSizeAndAlpha)
{
    unsigned loaded = 0;
    for (const ArtworkRow& e : kArtworkTable) {
        for (UINT id = e.first; id <= e.last; ++id) {
            Gdiplus::Image* image = nullptr;
            ASSERT_TRUE(LoadPngResource(id, image)) << "id " << id;
            ASSERT_NE(image, nullptr);
            EXPECT_EQ(image->GetLastStatus(), Gdiplus::Ok) << "id " << id;
            EXPECT_EQ(image->GetWidth(), e.width) << "id " << id;
            EXPECT_EQ(image->GetHeight(), e.height) << "id " << id;
            EXPECT_EQ(Gdiplus::IsAlphaPixelFormat(image->GetPixelFormat()) != FALSE, e.alpha) << "id " << id;
            // Pixels of its own, not a bitmap still tied to its PNG decoder.
            GUID format = {};
            EXPECT_EQ(image->GetRawFormat(&format), Gdiplus::Ok);
            EXPECT_TRUE(IsEqualGUID(format, Gdiplus::ImageFormatMemoryBMP)) << "id " << id;
            delete image;
            ++loaded;
        }
    }
    EXPECT_EQ(loaded, kArtworkImageCount);
}

TEST(PngResource, MissingIdsFailAndLeaveTheSlotAlone)
{
    for (UINT id : {178u, 183u, 137u, 196u}) {
        Gdiplus::Image* slot = nullptr;
        EXPECT_FALSE(LoadPngResource(id, slot)) << "id " << id;
        EXPECT_EQ(slot, nullptr);
    }
    // A slot that holds something keeps it.
    Gdiplus::Image* held = nullptr;
    ASSERT_TRUE(LoadPngResource(IDB_CHECK_SPRITE, held));
    Gdiplus::Image* before = held;
    EXPECT_FALSE(LoadPngResource(178, held));
    EXPECT_EQ(held, before);
    delete held;

    const long imagesBefore = LiveObjectCount::Current(LiveObjectKind::Gdiplus);
    CImagePtr owner;
    EXPECT_FALSE(LoadPngResource(178, owner));
    EXPECT_FALSE(owner);
    ASSERT_TRUE(LoadPngResource(IDB_PROMPT_SKIN, owner));
    EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdiplus), imagesBefore + 1);
    // Loading into a full owner replaces, it does not pile up.
    ASSERT_TRUE(LoadPngResource(IDB_PROMPT_BACKGROUND, owner));
    EXPECT_EQ(owner->GetWidth(), 320u);
    EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdiplus), imagesBefore + 1);
    owner.Reset();
    EXPECT_EQ(LiveObjectCount::Current(LiveObjectKind::Gdiplus), imagesBefore);
}

TEST(PngResource, ImageStaysUsableAfterManyLoads)
{
    // The stream owns its memory block: loading and deleting repeatedly must
    // neither break later images nor exhaust memory.
    for (int i = 0; i < 200; ++i) {
        CImagePtr image;
        ASSERT_TRUE(LoadPngResource(IDB_MAIN_SKIN, image));
        ASSERT_EQ(image->GetWidth(), 410u);
    }
    CImagePtr image;
    ASSERT_TRUE(LoadPngResource(IDB_PROMPT_BACKGROUND, image));
    Gdiplus::Bitmap target(32, 32, PixelFormat32bppARGB);
    Gdiplus::Graphics g(&target);
    DrawImageWhole(g, image.Get(), 0, 0, 32, 32);
    Gdiplus::Color c;
    target.GetPixel(16, 28, &c);
    EXPECT_EQ(c.GetA(), 255) << "the decoded image still draws";
}

TEST(PngResource, DrawingStretchesAndAnEmptySourceDrawsNothing)
{
    CImagePtr skin;
    ASSERT_TRUE(LoadPngResource(IDB_PROMPT_SKIN, skin));
    // Drawn whole into 336 x 156, the 330 x 150 skin reaches further right and
    // down than at its own size: it is stretched over the whole rectangle.
    auto extent = [&](int width, int height, int* right, int* bottom) {
        Gdiplus::Bitmap target(340, 160, PixelFormat32bppARGB);
        {
            Gdiplus::Graphics g(&target);
            g.Clear(Gdiplus::Color(0, 0, 0, 0));
            DrawImageWhole(g, skin.Get(), 0, 0, width, height);
        }
        Gdiplus::Color px;
        *right = -1;
        *bottom = -1;
        for (int x = 0; x < 340; ++x) {
            target.GetPixel(x, height / 2, &px);
            if (px.GetA() > 0)
                *right = x;
        }
        for (int y = 0; y < 160; ++y) {
            target.GetPixel(width / 2, y, &px);
            if (px.GetA() > 0)
                *bottom = y;
        }
    };
    int nativeRight = 0, nativeBottom = 0, stretchedRight = 0, stretchedBottom = 0;
    extent(330, 150, &nativeRight, &nativeBottom);
    extent(336, 156, &stretchedRight, &stretchedBottom);
    EXPECT_LT(nativeRight, 330);
    EXPECT_LT(nativeBottom, 150);
    EXPECT_GT(stretchedRight, nativeRight);
    EXPECT_GT(stretchedBottom, nativeBottom);
    EXPECT_LT(stretchedRight, 336);
    EXPECT_LT(stretchedBottom, 156);

    Gdiplus::Color c;
    Gdiplus::Bitmap untouched(40, 40, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&untouched);
        g.Clear(Gdiplus::Color(255, 1, 2, 3));
        RECT dest = {0, 0, 40, 40};
        DrawImagePart(g, skin.Get(), dest, 10, 10, 0, 50);
        DrawImagePart(g, skin.Get(), dest, 10, 10, 50, 0);
        DrawImagePart(g, nullptr, dest, 0, 0, 10, 10);
    }
    for (int y = 0; y < 40; y += 13)
        for (int x = 0; x < 40; x += 13) {
            untouched.GetPixel(x, y, &c);
            EXPECT_EQ(c.GetValue(), Gdiplus::Color(255, 1, 2, 3).GetValue());
        }

    // A part is scaled into its destination: the white body of the prompt
    // background fills a rectangle drawn from it.
    CImagePtr background;
    ASSERT_TRUE(LoadPngResource(IDB_PROMPT_BACKGROUND, background));
    Gdiplus::Bitmap part(60, 60, PixelFormat32bppARGB);
    {
        Gdiplus::Graphics g(&part);
        g.Clear(Gdiplus::Color(255, 0, 0, 0));
        RECT dest = {10, 10, 50, 50};
        DrawImagePart(g, background.Get(), dest, 150, 80, 20, 20);
    }
    part.GetPixel(30, 30, &c);
    EXPECT_GT(c.GetR(), 240);
    part.GetPixel(5, 5, &c);
    EXPECT_EQ(c.GetR(), 0);

    // Scaled 1.2 times (the repair button's part of the main background at
    // 120 dpi), the part is as opaque at its edges as inside, and nothing
    // lands outside its destination.
    CImagePtr main;
    ASSERT_TRUE(LoadPngResource(IDB_MAIN_BACKGROUND, main));
    Gdiplus::Bitmap scaled(330, 120, PixelFormat32bppARGB);
    const int left = 5, top = 5, right = 5 + 311, bottom = 5 + 102;
    const RECT button = {left, top, right, bottom};
    {
        Gdiplus::Graphics g(&scaled);
        g.Clear(Gdiplus::Color(255, 255, 255, 255));
        DrawImagePart(g, main.Get(), button, 71, 240, 259, 85);
    }
    int lightEdges = 0, outsideTouched = 0;
    for (int x = left; x < right; ++x)
        for (int y : {top, bottom - 1}) {
            scaled.GetPixel(x, y, &c);
            lightEdges += c.GetR() > 200 && c.GetG() > 200 && c.GetB() > 200;
        }
    for (int y = top; y < bottom; ++y)
        for (int x : {left, right - 1}) {
            scaled.GetPixel(x, y, &c);
            lightEdges += c.GetR() > 200 && c.GetG() > 200 && c.GetB() > 200;
        }
    for (int x = 0; x < 330; ++x)
        for (int y : {top - 1, bottom}) {
            scaled.GetPixel(x, y, &c);
            outsideTouched += c.GetValue() != Gdiplus::Color(255, 255, 255, 255).GetValue();
        }
    EXPECT_EQ(lightEdges, 0) << "light pixels along the edges of a scaled part";
    EXPECT_EQ(outsideTouched, 0);
}

TEST(PngResource, OneToOneCopyAndBlitGiveTheDrawnPixelsAndAnythingElseIsRefused)
{
    // The prompt's skin has soft, half-transparent edges: premultiplying
    // them is where a copy and a drawing could differ.
    CImagePtr skin;
    ASSERT_TRUE(LoadPngResource(IDB_PROMPT_SKIN, skin));
    const int width = static_cast<int>(skin->GetWidth()), height = static_cast<int>(skin->GetHeight());
    std::vector<BYTE> drawn(static_cast<size_t>(width) * height * 4), copied(drawn.size(), 0xAB);
    {
        Gdiplus::Bitmap canvas(width, height, width * 4, PixelFormat32bppPARGB, drawn.data());
        Gdiplus::Graphics g(&canvas);
        g.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        g.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        g.Clear(Gdiplus::Color(0, 0, 0, 0));
        DrawImageWhole(g, skin.Get(), 0, 0, width, height);
        g.Flush(Gdiplus::FlushIntentionSync);
    }
    ASSERT_TRUE(CopyImagePremultiplied(skin.Get(), copied.data(), width, height));
    size_t differing = 0, halfTransparent = 0;
    for (size_t i = 0; i < drawn.size(); i += 4) {
        for (size_t k = 0; k < 4; ++k)
            differing += std::abs(int(drawn[i + k]) - int(copied[i + k])) > 1;
        halfTransparent += copied[i + 3] > 0 && copied[i + 3] < 255;
    }
    EXPECT_EQ(differing, 0u);
    EXPECT_GT(halfTransparent, 100u);

    std::vector<BYTE> untouched(static_cast<size_t>(width + 1) * height * 4, 0xAB);
    EXPECT_FALSE(CopyImagePremultiplied(skin.Get(), untouched.data(), width + 1, height));
    EXPECT_FALSE(CopyImagePremultiplied(nullptr, untouched.data(), width, height));
    EXPECT_EQ(std::count(untouched.begin(), untouched.end(), 0xAB), static_cast<long>(untouched.size()));

    // The opaque main background blitted one to one is what drawing gives;
    // a picture with alpha or another size is refused with nothing drawn.
    CImagePtr main;
    ASSERT_TRUE(LoadPngResource(IDB_MAIN_BACKGROUND, main));
    const int w = static_cast<int>(main->GetWidth()), h = static_cast<int>(main->GetHeight());
    auto paint = [&](bool blit, bool* blitted) {
        return PixelsPaintedOn(w, h, [&](HDC dc, const BYTE* bits) {
            if (blit) {
                EXPECT_FALSE(BlitOpaqueOneToOne(dc, skin.Get(), width, height)) << "a picture with alpha";
                EXPECT_FALSE(BlitOpaqueOneToOne(dc, main.Get(), w - 1, h));
                GdiFlush();
                EXPECT_EQ(std::count(bits, bits + static_cast<size_t>(w) * h * 4, BYTE{0xAB}),
                          static_cast<long>(w) * h * 4)
                    << "a refused blit drew";
                *blitted = BlitOpaqueOneToOne(dc, main.Get(), w, h);
            } else {
                Gdiplus::Graphics g(dc);
                DrawImageWhole(g, main.Get(), 0, 0, w, h);
            }
        });
    };
    bool blitted = false;
    const std::vector<BYTE> viaBlit = paint(true, &blitted), viaDrawing = paint(false, nullptr);
    ASSERT_TRUE(blitted);
    ASSERT_EQ(viaBlit.size(), viaDrawing.size());
    size_t differingPixels = 0;
    for (size_t i = 0; i < viaBlit.size(); i += 4)
        differingPixels += viaBlit[i] != viaDrawing[i] || viaBlit[i + 1] != viaDrawing[i + 1] ||
                           viaBlit[i + 2] != viaDrawing[i + 2];
    EXPECT_EQ(differingPixels, 0u);
}

TEST(PngResource, AFaceOverAnOpaquePartLooksAsDrawnAndAnythingElseIsRefused)
{
    // The repair button at 100 %: its part of the main background one to
    // one, and its 284 x 85 face squeezed to 259 x 85 over it.
    CImagePtr main, face, skin;
    ASSERT_TRUE(LoadPngResource(IDB_MAIN_BACKGROUND, main));
    ASSERT_TRUE(LoadPngResource(IDB_REPAIR_NORMAL, face));
    ASSERT_TRUE(LoadPngResource(IDB_MAIN_SKIN, skin));
    const int w = 259, h = 85;
    const RECT dest = {0, 0, w, h};
    bool composed = false;
    const std::vector<BYTE> viaComposition = PixelsPaintedOn(w, h, [&](HDC dc, const BYTE* bits) {
        EXPECT_FALSE(DrawFaceOverOpaquePart(dc, dest, skin.Get(), 0, 0, face.Get())) << "a background with alpha";
        EXPECT_FALSE(DrawFaceOverOpaquePart(dc, dest, main.Get(), 400 - w + 1, 240, face.Get()))
            << "a part past the background's edge";
        EXPECT_FALSE(DrawFaceOverOpaquePart(dc, dest, main.Get(), 71, 240, nullptr));
        GdiFlush();
        EXPECT_EQ(std::count(bits, bits + static_cast<size_t>(w) * h * 4, BYTE{0xAB}), static_cast<long>(w) * h * 4)
            << "a refused composition drew";
        composed = DrawFaceOverOpaquePart(dc, dest, main.Get(), 71, 240, face.Get());
    });
    const std::vector<BYTE> viaDrawing = PixelsPaintedOn(w, h, [&](HDC dc, const BYTE*) {
        Gdiplus::Graphics g(dc);
        DrawImagePart(g, main.Get(), dest, 71, 240, w, h);
        DrawImagePart(g, face.Get(), dest, 0, 0, 284, 85);
    });
    ASSERT_TRUE(composed);
    ASSERT_EQ(viaComposition.size(), viaDrawing.size());
    // Both filters are bilinear; they may round apart by a little, and
    // nowhere may the composition show something else.
    size_t off = 0, wayOff = 0, faceShows = 0;
    for (size_t i = 0; i < viaDrawing.size(); i += 4)
        for (size_t k = 0; k < 3; ++k) {
            const int d = std::abs(int(viaComposition[i + k]) - int(viaDrawing[i + k]));
            off += d > 2;
            wayOff += d > 24;
        }
    // The face changes the background under it: the composition is no mere copy.
    const std::vector<BYTE> backgroundOnly = PixelsPaintedOn(w, h, [&](HDC dc, const BYTE*) {
        Gdiplus::Graphics g(dc);
        DrawImagePart(g, main.Get(), dest, 71, 240, w, h);
    });
    for (size_t i = 0; i < viaComposition.size(); i += 4)
        faceShows += viaComposition[i] != backgroundOnly[i] || viaComposition[i + 1] != backgroundOnly[i + 1];
    EXPECT_LT(off, viaDrawing.size() / 4 * 3 * 3 / 100) << "more than 3 % of the channels off by more than 2";
    EXPECT_EQ(wayOff, 0u);
    EXPECT_GT(faceShows, static_cast<size_t>(w) * h / 10);
}

TEST(PngResource, PicturesDecodedAheadAreHandedOverOnceAndEverythingElseDecodesWhereNeeded)
{
    const UINT missing = 9999;
    const UINT ahead[] = {IDB_MAIN_SKIN, missing, IDB_CHECK_SPRITE, IDB_CLOSE_NORMAL};
    CPngDecodeAhead::Start(ahead, 4);

    Gdiplus::Image* taken = nullptr;
    ASSERT_TRUE(CPngDecodeAhead::Take(IDB_MAIN_SKIN, taken));
    CImagePtr skin(taken);
    CImagePtr decodedHere;
    ASSERT_TRUE(LoadPngResource(IDB_MAIN_SKIN, decodedHere)) << "asked again, it is decoded here";
    const int w = static_cast<int>(decodedHere->GetWidth()), h = static_cast<int>(decodedHere->GetHeight());
    std::vector<BYTE> a(static_cast<size_t>(w) * h * 4), b(a.size());
    ASSERT_TRUE(CopyImagePremultiplied(skin.Get(), a.data(), w, h));
    ASSERT_TRUE(CopyImagePremultiplied(decodedHere.Get(), b.data(), w, h));
    EXPECT_TRUE(a == b) << "decoded on the thread, the skin has other pixels";

    taken = nullptr;
    EXPECT_FALSE(CPngDecodeAhead::Take(IDB_MAIN_SKIN, taken)) << "handed over twice";
    EXPECT_FALSE(CPngDecodeAhead::Take(missing, taken));
    EXPECT_FALSE(CPngDecodeAhead::Take(IDB_MAIN_BACKGROUND, taken)) << "never asked for";
    EXPECT_EQ(taken, nullptr);
    Gdiplus::Image* missingImage = nullptr;
    EXPECT_FALSE(LoadPngResource(missing, missingImage));

    // The loader takes what was decoded ahead; what is left is deleted when
    // the thread is stopped, and then everything decodes where it is needed.
    CImagePtr check;
    ASSERT_TRUE(LoadPngResource(IDB_CHECK_SPRITE, check));
    EXPECT_EQ(check->GetLastStatus(), Gdiplus::Ok);
    CPngDecodeAhead::Stop();
    EXPECT_FALSE(CPngDecodeAhead::Take(IDB_CLOSE_NORMAL, taken));
    CImagePtr close;
    EXPECT_TRUE(LoadPngResource(IDB_CLOSE_NORMAL, close));
    CPngDecodeAhead::Stop();
}
