#include "ui/toolkit/PngResource.h"

#include <objidl.h>

#include <algorithm>
#include <cstring>

#include "framework/CWinApp.h"
#include "framework/StartupPhases.h"
#include "ui/toolkit/CPngDecodeAhead.h"
#include "ui/toolkit/PremultipliedPixels.h"

namespace {

// A bitmap made from a stream keeps the stream and its decoder for its whole
// life, and the decoder keeps the decoded rows: the pixels twice over, and the
// PNG's bytes. A copy holds only its pixels, in the same format; the decoded
// bitmap is then let go. Where no copy can be had, the decoded one is kept.
Gdiplus::Image* KeepPixelsOnly(Gdiplus::Bitmap* decoded)
{
    if (decoded->GetLastStatus() != Gdiplus::Ok)
        return decoded;
    Gdiplus::Bitmap* copy = decoded->Clone(0, 0, static_cast<INT>(decoded->GetWidth()),
                                           static_cast<INT>(decoded->GetHeight()), decoded->GetPixelFormat());
    if (!copy || copy->GetLastStatus() != Gdiplus::Ok) {
        delete copy;
        return decoded;
    }
    delete decoded;
    return copy;
}

} // namespace

Gdiplus::Image* DecodePngResource(UINT id)
{
    HINSTANCE module = AfxGetResourceHandle();
    HRSRC res = ::FindResourceW(module, MAKEINTRESOURCEW(id), L"PNG");
    if (!res)
        return nullptr;
    DWORD size = ::SizeofResource(module, res);
    HGLOBAL loaded = ::LoadResource(module, res);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    if (!bytes || size == 0)
        return nullptr;

    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block)
        return nullptr;
    void* dest = ::GlobalLock(block);
    if (!dest) {
        ::GlobalFree(block);
        return nullptr;
    }
    std::memcpy(dest, bytes, size);
    ::GlobalUnlock(block);

    // The stream owns the block: a decoded image holds its own reference to
    // the stream, so the block goes exactly when that image is deleted
    // instead of staying behind after every load.
    IStream* stream = nullptr;
    if (FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream)) || !stream) {
        ::GlobalFree(block);
        return nullptr;
    }
    // A bitmap, so its pixels can be locked (CopyImagePremultiplied).
    Gdiplus::Bitmap* decoded = new Gdiplus::Bitmap(stream, FALSE);
    stream->Release();
    return KeepPixelsOnly(decoded);
}

BOOL LoadPngResource(UINT id, Gdiplus::Image*& out)
{
    STARTUP_PHASE_MARK("decode", static_cast<int>(id));
    Gdiplus::Image* image = nullptr;
    if (!CPngDecodeAhead::Take(id, image))
        image = DecodePngResource(id);
    STARTUP_PHASE_MARK("decoded", static_cast<int>(id));
    if (!image)
        return FALSE;
    out = image;
    return TRUE;
}

BOOL LoadPngResource(UINT id, CImagePtr& out)
{
    Gdiplus::Image* image = nullptr;
    if (!LoadPngResource(id, image))
        return FALSE;
    out.Reset(image);
    return TRUE;
}

namespace {

// One to one there is nothing to interpolate; the nearest pixel is the pixel.
class CNoInterpolationOneToOne
{
public:
    CNoInterpolationOneToOne(Gdiplus::Graphics& g, int srcWidth, int srcHeight, int destWidth, int destHeight)
        : m_g(g), m_saved(g.GetInterpolationMode()),
          m_active(srcWidth == destWidth && srcHeight == destHeight &&
                   m_saved != Gdiplus::InterpolationModeNearestNeighbor)
    {
        if (m_active)
            m_g.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
    }
    ~CNoInterpolationOneToOne()
    {
        if (m_active)
            m_g.SetInterpolationMode(m_saved);
    }
    CNoInterpolationOneToOne(const CNoInterpolationOneToOne&) = delete;
    CNoInterpolationOneToOne& operator=(const CNoInterpolationOneToOne&) = delete;

private:
    Gdiplus::Graphics& m_g;
    Gdiplus::InterpolationMode m_saved;
    bool m_active;
};

} // namespace

void DrawImageWhole(Gdiplus::Graphics& g, Gdiplus::Image* image, int x, int y, int width, int height)
{
    if (!image)
        return;
    CNoInterpolationOneToOne oneToOne(g, static_cast<int>(image->GetWidth()),
                                      static_cast<int>(image->GetHeight()), width, height);
    g.DrawImage(image, x, y, width, height);
}

void DrawImagePart(Gdiplus::Graphics& g, Gdiplus::Image* image, const RECT& dest, int srcX, int srcY,
                   int srcWidth, int srcHeight)
{
    if (!image || srcWidth == 0 || srcHeight == 0)
        return;
    Gdiplus::Rect target(dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top);
    if (srcWidth == target.Width && srcHeight == target.Height) {
        CNoInterpolationOneToOne oneToOne(g, srcWidth, srcHeight, target.Width, target.Height);
        g.DrawImage(image, target, srcX, srcY, srcWidth, srcHeight, Gdiplus::UnitPixel);
        return;
    }
    // Scaled, the filter also reads past the edges of the part and finds
    // nothing there: the edge rows would come out (half) transparent, a light
    // line along the top of a button at 120 dpi. The part is drawn with one
    // more source pixel on each side where the picture has one, over a target
    // grown to match, and clipped to the target.
    const int imageWidth = static_cast<int>(image->GetWidth());
    const int imageHeight = static_cast<int>(image->GetHeight());
    const int l = srcX > 0 ? 1 : 0, t = srcY > 0 ? 1 : 0;
    const int r = srcX + srcWidth < imageWidth ? 1 : 0, b = srcY + srcHeight < imageHeight ? 1 : 0;
    const Gdiplus::REAL sx = static_cast<Gdiplus::REAL>(target.Width) / srcWidth;
    const Gdiplus::REAL sy = static_cast<Gdiplus::REAL>(target.Height) / srcHeight;
    const Gdiplus::RectF grown(target.X - l * sx, target.Y - t * sy, target.Width + (l + r) * sx,
                               target.Height + (t + b) * sy);
    Gdiplus::ImageAttributes edges;
    edges.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
    Gdiplus::Region saved;
    g.GetClip(&saved);
    g.SetClip(target, Gdiplus::CombineModeIntersect);
    g.DrawImage(image, grown, static_cast<Gdiplus::REAL>(srcX - l), static_cast<Gdiplus::REAL>(srcY - t),
                static_cast<Gdiplus::REAL>(srcWidth + l + r), static_cast<Gdiplus::REAL>(srcHeight + t + b),
                Gdiplus::UnitPixel, &edges);
    g.SetClip(&saved);
}

BITMAPINFO TopDownBitmapInfo(int width, int height, WORD bitCount)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

namespace {

// About this many bytes of converted pixels per band of a one-to-one blit.
constexpr int BLIT_BAND_BYTES = 64 * 1024;

// The picture as a bitmap when it is exactly width x height, else nullptr.
Gdiplus::Bitmap* BitmapOfSize(Gdiplus::Image* image, int width, int height)
{
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(image);
    if (!bitmap || width <= 0 || height <= 0 || static_cast<int>(bitmap->GetWidth()) != width ||
        static_cast<int>(bitmap->GetHeight()) != height)
        return nullptr;
    return bitmap;
}

} // namespace

namespace {

// The part of the bitmap converted by GDI+ straight into the caller's
// premultiplied bits (stride width * 4): no copy of its own.
bool LockPremultipliedInto(Gdiplus::Bitmap* bitmap, int x, int y, int width, int height, void* bits)
{
    Gdiplus::BitmapData target = {};
    target.Width = static_cast<UINT>(width);
    target.Height = static_cast<UINT>(height);
    target.Stride = width * 4;
    target.PixelFormat = PixelFormat32bppPARGB;
    target.Scan0 = bits;
    Gdiplus::Rect part(x, y, width, height);
    if (bitmap->LockBits(&part, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         PixelFormat32bppPARGB, &target) != Gdiplus::Ok)
        return false;
    bitmap->UnlockBits(&target);
    return true;
}

bool IsOpaqueFormat(Gdiplus::PixelFormat format)
{
    return format == PixelFormat24bppRGB || format == PixelFormat32bppRGB;
}

} // namespace

bool CopyImagePremultiplied(Gdiplus::Image* image, void* bits, int width, int height)
{
    Gdiplus::Bitmap* bitmap = BitmapOfSize(image, width, height);
    return bitmap && bits && LockPremultipliedInto(bitmap, 0, 0, width, height, bits);
}

std::vector<uint32_t> ReadPremultiplied(Gdiplus::Image* image, int x, int y, int width, int height)
{
    std::vector<uint32_t> pixels;
    auto* bitmap = dynamic_cast<Gdiplus::Bitmap*>(image);
    if (!bitmap || x < 0 || y < 0 || width <= 0 || height <= 0 ||
        x + width > static_cast<int>(bitmap->GetWidth()) || y + height > static_cast<int>(bitmap->GetHeight()))
        return pixels;
    pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    if (!LockPremultipliedInto(bitmap, x, y, width, height, pixels.data()))
        pixels.clear();
    return pixels;
}

bool DrawFaceOverOpaquePart(HDC dc, const RECT& dest, Gdiplus::Image* background, int srcX, int srcY,
                            Gdiplus::Image* face)
{
    const int width = dest.right - dest.left, height = dest.bottom - dest.top;
    if (!dc || !background || !face || !IsOpaqueFormat(background->GetPixelFormat()))
        return false;
    std::vector<uint32_t> pixels = ReadPremultiplied(background, srcX, srcY, width, height);
    const int faceWidth = static_cast<int>(face->GetWidth()), faceHeight = static_cast<int>(face->GetHeight());
    const std::vector<uint32_t> scaled =
        ScaleBilinear(ReadPremultiplied(face, 0, 0, faceWidth, faceHeight), faceWidth, faceHeight, width, height);
    if (pixels.empty() || scaled.size() != pixels.size())
        return false;
    BlendOver(scaled.data(), pixels.data(), pixels.size());
    const BITMAPINFO info = TopDownBitmapInfo(width, height, 32);
    return ::SetDIBitsToDevice(dc, dest.left, dest.top, static_cast<DWORD>(width), static_cast<DWORD>(height), 0,
                               0, 0, static_cast<UINT>(height), pixels.data(), &info, DIB_RGB_COLORS) == height;
}

bool BlitOpaqueOneToOne(HDC dc, Gdiplus::Image* image, int width, int height)
{
    Gdiplus::Bitmap* bitmap = BitmapOfSize(image, width, height);
    if (!bitmap || !dc)
        return false;
    // Only pictures without alpha: there is nothing to blend, so the pixels
    // themselves are the result, read in the picture's own format.
    const Gdiplus::PixelFormat format = bitmap->GetPixelFormat();
    if (!IsOpaqueFormat(format))
        return false;
    Gdiplus::BitmapData data = {};
    Gdiplus::Rect all(0, 0, width, height);
    if (bitmap->LockBits(&all, Gdiplus::ImageLockModeRead, format, &data) != Gdiplus::Ok)
        return false;
    const int bytesPerPixel = format == PixelFormat24bppRGB ? 3 : 4;
    bool done = false;
    // A device-independent bitmap's rows are DWORD-aligned and, with a
    // negative height, run top-down: the locked rows must be laid out so.
    // The rows go in bands: a device whose pixels have another format
    // converts what it is given, and a band is all it then has to hold.
    if (data.Stride == ((width * bytesPerPixel + 3) & ~3)) {
        const int bandRows = std::max(1, BLIT_BAND_BYTES / (width * 4));
        done = true;
        for (int top = 0; done && top < height; top += bandRows) {
            const int rows = std::min(bandRows, height - top);
            const BITMAPINFO info = TopDownBitmapInfo(width, rows, static_cast<WORD>(bytesPerPixel * 8));
            const BYTE* band = static_cast<const BYTE*>(data.Scan0) + static_cast<size_t>(top) * data.Stride;
            done = ::SetDIBitsToDevice(dc, 0, top, static_cast<DWORD>(width), static_cast<DWORD>(rows), 0, 0, 0,
                                       static_cast<UINT>(rows), band, &info, DIB_RGB_COLORS) == rows;
        }
    }
    bitmap->UnlockBits(&data);
    return done;
}
