// The resources linked into a module from stellwick_res, looked up the way the program
// looks them up: artwork by id and type "PNG", dialog templates, string, icon, version
// record and manifest.
#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>
#include <gdiplus.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "ArtworkTable.h"
#include "res/resource.h"

namespace {

struct ResourceBytes {
    const uint8_t* data = nullptr;
    DWORD size = 0;
};

ResourceBytes FindBytes(LPCWSTR name, LPCWSTR type) {
    ResourceBytes out;
    HRSRC res = FindResourceW(nullptr, name, type);
    if (!res) return out;
    HGLOBAL block = LoadResource(nullptr, res);
    if (!block) return out;
    out.data = static_cast<const uint8_t*>(LockResource(block));
    out.size = SizeofResource(nullptr, res);
    return out;
}

uint32_t BigEndian32(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

struct PngHeader {
    bool valid = false;
    uint32_t width = 0, height = 0;
    int bitDepth = 0, colourType = 0;
};

PngHeader ReadPngHeader(const ResourceBytes& bytes) {
    static const uint8_t signature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    PngHeader h;
    if (!bytes.data || bytes.size < 33) return h;
    if (std::memcmp(bytes.data, signature, 8) != 0) return h;
    if (BigEndian32(bytes.data + 8) != 13 || std::memcmp(bytes.data + 12, "IHDR", 4) != 0) return h;
    h.width = BigEndian32(bytes.data + 16);
    h.height = BigEndian32(bytes.data + 20);
    h.bitDepth = bytes.data[24];
    h.colourType = bytes.data[25];
    h.valid = true;
    return h;
}

constexpr int kRgb = 2;
constexpr int kRgba = 6;

int ColourType(const ArtworkRow& row) { return row.alpha ? kRgba : kRgb; }

TEST(ResArtwork, EveryTabledImageIsAPngOfItsSizeAndFormat) {
    std::set<unsigned> seen;
    for (const ArtworkRow& row : kArtworkTable) {
        for (unsigned id = row.first; id <= row.last; ++id) {
            SCOPED_TRACE("PNG " + std::to_string(id));
            seen.insert(id);
            PngHeader h = ReadPngHeader(FindBytes(MAKEINTRESOURCEW(id), L"PNG"));
            ASSERT_TRUE(h.valid);
            EXPECT_EQ(h.width, row.width);
            EXPECT_EQ(h.height, row.height);
            EXPECT_EQ(h.bitDepth, 8);
            EXPECT_EQ(h.colourType, ColourType(row));
        }
    }
    EXPECT_EQ(seen.size(), kArtworkImageCount);
}

TEST(ResArtwork, GapsAndNeighboursOfTheRangeAreAbsent) {
    for (int id : {178, 183, 137, 196}) {
        SCOPED_TRACE(id);
        EXPECT_EQ(FindResourceW(nullptr, MAKEINTRESOURCEW(id), L"PNG"), nullptr);
    }
}

// The embedded bytes are the committed files, not a stale copy.
TEST(ResArtwork, EmbeddedBytesMatchTheCommittedFiles) {
    const char* source = std::getenv("STELLWICK_SOURCE_DIR");
    if (!source) GTEST_SKIP() << "STELLWICK_SOURCE_DIR not set";
    for (int id : {138, 152, 174, 195}) {
        SCOPED_TRACE(id);
        // Wine shows the Unix root as drive Z:.
        std::string path = std::string("Z:") + source + "/src/res/png/" + std::to_string(id) + ".png";
        FILE* f = std::fopen(path.c_str(), "rb");
        ASSERT_NE(f, nullptr) << path;
        std::vector<uint8_t> file;
        uint8_t buf[4096];
        size_t n;
        while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) file.insert(file.end(), buf, buf + n);
        std::fclose(f);
        ResourceBytes res = FindBytes(MAKEINTRESOURCEW(id), L"PNG");
        ASSERT_EQ(res.size, file.size());
        EXPECT_EQ(std::memcmp(res.data, file.data(), file.size()), 0);
    }
}

// ----------------------------------------------------------------------------- decoded pixels

class GdiplusSession {
public:
    GdiplusSession() {
        Gdiplus::GdiplusStartupInput input;
        m_ok = Gdiplus::GdiplusStartup(&m_token, &input, nullptr) == Gdiplus::Ok;
    }
    ~GdiplusSession() {
        if (m_ok) Gdiplus::GdiplusShutdown(m_token);
    }
    bool ok() const { return m_ok; }

private:
    ULONG_PTR m_token = 0;
    bool m_ok = false;
};

// One decoded image as 32-bit straight-alpha pixels, 0xAARRGGBB.
struct Pixels {
    int width = 0, height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> argb;
    uint32_t at(int x, int y) const { return argb[size_t(y) * width + x]; }
    int alpha(int x, int y) const { return int(at(x, y) >> 24); }
};

Pixels Decode(int id) {
    Pixels out;
    ResourceBytes bytes = FindBytes(MAKEINTRESOURCEW(id), L"PNG");
    if (!bytes.data) return out;
    IStream* stream = SHCreateMemStream(bytes.data, bytes.size);
    if (!stream) return out;
    std::unique_ptr<Gdiplus::Bitmap> bmp(Gdiplus::Bitmap::FromStream(stream, FALSE));
    stream->Release();
    if (!bmp || bmp->GetLastStatus() != Gdiplus::Ok) return out;
    out.width = int(bmp->GetWidth());
    out.height = int(bmp->GetHeight());
    out.hasAlpha = Gdiplus::IsAlphaPixelFormat(bmp->GetPixelFormat());
    Gdiplus::Rect all(0, 0, out.width, out.height);
    Gdiplus::BitmapData data;
    if (bmp->LockBits(&all, Gdiplus::ImageLockModeRead, PixelFormat32bppARGB, &data) != Gdiplus::Ok) return out;
    out.argb.resize(size_t(out.width) * out.height);
    for (int y = 0; y < out.height; ++y)
        std::memcpy(&out.argb[size_t(y) * out.width], static_cast<uint8_t*>(data.Scan0) + y * data.Stride,
                    size_t(out.width) * 4);
    bmp->UnlockBits(&data);
    return out;
}

int Channel(uint32_t argb, int shift) { return int((argb >> shift) & 0xFF); }

int ColourDistance(uint32_t a, uint32_t b) {
    int d = 0;
    for (int shift : {0, 8, 16}) d = std::max(d, std::abs(Channel(a, shift) - Channel(b, shift)));
    return d;
}

TEST(ResPixels, EveryImageDecodesWithItsSizeAndAlphaChannel) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    for (const ArtworkRow& row : kArtworkTable) {
        for (unsigned id = row.first; id <= row.last; ++id) {
            SCOPED_TRACE(id);
            Pixels p = Decode(id);
            ASSERT_FALSE(p.argb.empty());
            EXPECT_EQ(p.width, int(row.width));
            EXPECT_EQ(p.height, int(row.height));
            EXPECT_EQ(p.hasAlpha, ColourType(row) == kRgba);
        }
    }
}

// A skin is a soft shadow around an opaque body, and the content window covers exactly that
// body: every body pixel is opaque, the outer corners are (nearly) clear.
TEST(ResPixels, SkinsHaveAnOpaqueBodyInsideATransparentShadowMargin) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    struct {
        int id;
        RECT body;
    } skins[] = {{IDB_MAIN_SKIN, {5, 4, 405, 604}},
                 {IDB_FEEDBACK_SKIN, {5, 4, 405, 472}},
                 {IDB_EXECUTE_SKIN, {14, 12, 218, 116}},
                 // Stretched from 330x150 to 336x156 on screen: the body at insets 5, 3, 5, 7
                 // there is (4.9, 2.9)-(325.1, 143.3) in file pixels.
                 {IDB_PROMPT_SKIN, {4, 2, 326, 144}}};
    for (auto& s : skins) {
        SCOPED_TRACE(s.id);
        Pixels p = Decode(s.id);
        ASSERT_FALSE(p.argb.empty());
        int clearBody = 0;
        for (int y = s.body.top; y < s.body.bottom; ++y)
            for (int x = s.body.left; x < s.body.right; ++x) clearBody += p.alpha(x, y) != 255;
        EXPECT_EQ(clearBody, 0);
        for (POINT c : {POINT{0, 0}, POINT{p.width - 1, 0}, POINT{0, p.height - 1}, POINT{p.width - 1, p.height - 1}})
            EXPECT_LT(p.alpha(c.x, c.y), 16) << c.x << "," << c.y;
        // A shadow, not a hard edge: the margin next to the body is partly covered.
        int below = p.alpha(p.width / 2, s.body.bottom + 1);
        EXPECT_GT(below, 0);
        EXPECT_LT(below, 255);
    }
}

TEST(ResPixels, ContentBackgroundsAreOpaque) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    for (int id : {IDB_EXECUTE_BACKGROUND, IDB_FEEDBACK_BACKGROUND}) {
        SCOPED_TRACE(id);
        Pixels p = Decode(id);
        ASSERT_FALSE(p.argb.empty());
        int clear = 0;
        for (uint32_t v : p.argb) clear += (v >> 24) != 255;
        EXPECT_EQ(clear, 0);
    }
}

// The main panel draws its labels, links and buttons over the background picture.
TEST(ResPixels, MainBackgroundLeavesRoomForWhatThePanelDrawsOnIt) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    Pixels bg = Decode(IDB_MAIN_BACKGROUND);
    ASSERT_FALSE(bg.argb.empty());
    // The agreement box and the links fill their rectangles white.
    int notWhite = 0;
    for (int y = 575; y < 595; ++y)
        for (int x = 0; x < 400; ++x) notWhite += (bg.at(x, y) & 0xFFFFFF) != 0xFFFFFF;
    EXPECT_EQ(notWhite, 0);
    // White version text needs a dark, plain strip.
    for (int y = 16; y < 31; ++y)
        for (int x = 188; x < 328; ++x) {
            uint32_t v = bg.at(x, y);
            ASSERT_LT(std::max({Channel(v, 0), Channel(v, 8), Channel(v, 16)}), 110) << x << "," << y;
            ASSERT_LE(ColourDistance(v, bg.at(188, y)), 6) << x << "," << y;
        }
    // Faces that are painted over the picture carry the colour that lies under them.
    struct {
        int face;
        int x, y;
    } faces[] = {{IDB_CLOSE_NORMAL, 368, 0}, {IDB_MINIMIZE_NORMAL, 340, 0}, {IDB_MORE_TOOLS_NORMAL, 45, 540}};
    for (auto& f : faces) {
        SCOPED_TRACE(f.face);
        Pixels face = Decode(f.face);
        ASSERT_FALSE(face.argb.empty());
        for (POINT c : {POINT{3, 3}, POINT{face.width - 4, face.height / 2}, POINT{3, face.height - 4}})
            EXPECT_LE(ColourDistance(face.at(c.x, c.y), bg.at(f.x + c.x, f.y + c.y)), 8) << c.x << "," << c.y;
    }
}

TEST(ResPixels, HoverIsDarkerAndPressedIsGrey) {
    GdiplusSession gdiplus;
    ASSERT_TRUE(gdiplus.ok());
    auto brightness = [](uint32_t v) { return Channel(v, 0) + Channel(v, 8) + Channel(v, 16); };
    auto saturation = [](uint32_t v) {
        int r = Channel(v, 16), g = Channel(v, 8), b = Channel(v, 0);
        return std::max({r, g, b}) - std::min({r, g, b});
    };
    // The prompt buttons: a point of the face away from the label.
    for (int normal : {IDB_CANCEL_NORMAL, IDB_NO_NORMAL, IDB_CONFIRM_NORMAL, IDB_YES_NORMAL}) {
        SCOPED_TRACE(normal);
        Pixels n = Decode(normal), h = Decode(normal + 1), p = Decode(normal + 2);
        ASSERT_FALSE(n.argb.empty() || h.argb.empty() || p.argb.empty());
        EXPECT_LT(brightness(h.at(4, 12)), brightness(n.at(4, 12)));
        EXPECT_GT(Channel(n.at(4, 12), 0), Channel(n.at(4, 12), 16) + 100);  // blue
        EXPECT_LT(saturation(p.at(4, 12)), 20);                               // grey
    }
    // The feature buttons: the middle of the body, left of the label.
    for (int normal : {IDB_REPAIR_NORMAL, IDB_SOLVED_NORMAL, IDB_UNSOLVED_NORMAL, IDB_OTHER_NORMAL}) {
        SCOPED_TRACE(normal);
        Pixels n = Decode(normal), h = Decode(normal + 1), p = Decode(normal + 2), d = Decode(normal + 3);
        ASSERT_FALSE(n.argb.empty() || h.argb.empty() || p.argb.empty() || d.argb.empty());
        int x = n.width / 10 + 6, y = n.height / 2;
        EXPECT_EQ(n.alpha(x, y), 255);
        EXPECT_LT(brightness(h.at(x, y)), brightness(n.at(x, y)));
        EXPECT_LT(saturation(p.at(x, y)), 30);
        EXPECT_LT(saturation(d.at(x, y)), saturation(n.at(x, y)));
        // The glow or shadow fades out before the edge of the face.
        EXPECT_EQ(n.alpha(0, 0), 0);
    }
}

// ----------------------------------------------------------------------------- templates

struct Control {
    uint32_t id = 0;
    uint32_t style = 0;
    uint16_t classAtom = 0;  // 0x80 button, 0x82 static, 0 when named
    std::wstring text;
};

struct Template {
    bool valid = false;
    uint32_t style = 0, exStyle = 0;
    int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::wstring title;
    uint16_t pointSize = 0, weight = 0;
    uint8_t italic = 0, charset = 0;
    std::wstring face;
    std::vector<Control> controls;
};

class Reader {
public:
    Reader(const uint8_t* data, DWORD size) : m_base(data), m_p(data), m_end(data + size) {}
    bool ok() const { return m_ok; }
    template <class T> T Get() {
        T v{};
        if (m_p + sizeof(T) > m_end) {
            m_ok = false;
            return v;
        }
        std::memcpy(&v, m_p, sizeof(T));
        m_p += sizeof(T);
        return v;
    }
    std::wstring String() {
        std::wstring s;
        for (;;) {
            uint16_t c = Get<uint16_t>();
            if (!m_ok || c == 0) return s;
            s.push_back(wchar_t(c));
        }
    }
    // A name or ordinal: 0 none, 0xFFFF then a 16-bit ordinal, or a string.
    std::wstring NameOrOrdinal(uint16_t* ordinal) {
        *ordinal = 0;
        uint16_t first = Get<uint16_t>();
        if (first == 0) return L"";
        if (first == 0xFFFF) {
            *ordinal = Get<uint16_t>();
            return L"";
        }
        std::wstring s(1, wchar_t(first));
        s += String();
        return s;
    }
    void AlignDword() {
        while ((m_p - m_base) % 4) ++m_p;
    }
    void Skip(size_t n) { m_p += n; }

private:
    const uint8_t* m_base;
    const uint8_t* m_p;
    const uint8_t* m_end;
    bool m_ok = true;
};

Template ParseTemplate(int id) {
    Template t;
    ResourceBytes bytes = FindBytes(MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(5) /* RT_DIALOG */);
    if (!bytes.data) return t;
    Reader r(bytes.data, bytes.size);
    uint16_t version = r.Get<uint16_t>();
    uint16_t signature = r.Get<uint16_t>();
    if (version != 1 || signature != 0xFFFF) return t;
    r.Get<uint32_t>();  // help id
    t.exStyle = r.Get<uint32_t>();
    t.style = r.Get<uint32_t>();
    uint16_t count = r.Get<uint16_t>();
    t.x = r.Get<int16_t>();
    t.y = r.Get<int16_t>();
    t.cx = r.Get<int16_t>();
    t.cy = r.Get<int16_t>();
    uint16_t ord;
    r.NameOrOrdinal(&ord);  // menu
    r.NameOrOrdinal(&ord);  // class
    t.title = r.String();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Get<uint16_t>();
        t.weight = r.Get<uint16_t>();
        t.italic = r.Get<uint8_t>();
        t.charset = r.Get<uint8_t>();
        t.face = r.String();
    }
    for (uint16_t i = 0; i < count; ++i) {
        r.AlignDword();
        Control c;
        r.Get<uint32_t>();  // help id
        r.Get<uint32_t>();  // extended style
        c.style = r.Get<uint32_t>();
        r.Skip(8);  // x, y, cx, cy
        c.id = r.Get<uint32_t>();
        std::wstring cls = r.NameOrOrdinal(&c.classAtom);
        if (!cls.empty()) {
            if (_wcsicmp(cls.c_str(), L"Button") == 0) c.classAtom = 0x80;
            if (_wcsicmp(cls.c_str(), L"Static") == 0) c.classAtom = 0x82;
        }
        uint16_t textOrdinal;
        c.text = r.NameOrOrdinal(&textOrdinal);
        uint16_t extra = r.Get<uint16_t>();
        r.Skip(extra);
        t.controls.push_back(c);
    }
    t.valid = r.ok();
    return t;
}

const Control* FindControl(const Template& t, uint32_t id) {
    for (const Control& c : t.controls)
        if (c.id == id) return &c;
    return nullptr;
}

void ExpectPairTemplate(const Template& t, int16_t cx, int16_t cy, bool mainFrame) {
    ASSERT_TRUE(t.valid);
    EXPECT_EQ(t.x, 0);
    EXPECT_EQ(t.y, 0);
    EXPECT_EQ(t.cx, cx);
    EXPECT_EQ(t.cy, cy);
    EXPECT_TRUE(t.style & WS_POPUP);
    EXPECT_TRUE(t.style & WS_SYSMENU);
    EXPECT_TRUE(t.style & DS_SETFONT);
    EXPECT_FALSE((t.style & WS_CAPTION) == WS_CAPTION);
    EXPECT_FALSE(t.style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN));
    EXPECT_FALSE(t.exStyle & WS_EX_LAYERED);
    EXPECT_EQ(bool(t.style & WS_VISIBLE), mainFrame);
    EXPECT_EQ(bool(t.exStyle & WS_EX_APPWINDOW), mainFrame);
    EXPECT_EQ(t.pointSize, 10);
    EXPECT_EQ(t.weight, 400);
    EXPECT_EQ(t.italic, 0);
    EXPECT_EQ(t.face, L"宋体");
}

void ExpectPushButton(const Template& t, uint32_t id, const wchar_t* text) {
    SCOPED_TRACE(id);
    const Control* c = FindControl(t, id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->classAtom, 0x80);
    // Plain push buttons only: a default button would take Enter.
    EXPECT_EQ(c->style & BS_TYPEMASK, uint32_t(BS_PUSHBUTTON));
    EXPECT_TRUE(c->style & WS_TABSTOP);
    if (text) {
        EXPECT_EQ(c->text, text);
    }
}

void ExpectLabel(const Template& t, uint32_t id, const wchar_t* text) {
    SCOPED_TRACE(id);
    const Control* c = FindControl(t, id);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->classAtom, 0x82);
    // Presses on labels must reach the dialog underneath them.
    EXPECT_FALSE(c->style & SS_NOTIFY);
    if (text) {
        EXPECT_EQ(c->text, text);
    }
}

TEST(ResTemplates, FramesAreEmptyCaptionlessPopups) {
    struct {
        int id;
        int16_t cx, cy;
        bool main;
    } frames[] = {{IDD_PELLMARSTELLWICK_DIALOG, 457, 369, true},
                  {IDD_FEEDBACK, 440, 343, false},
                  {IDD_PROMPT, 224, 104, false},
                  {IDD_EXECUTE_PROMPT, 155, 88, false}};
    for (auto& f : frames) {
        SCOPED_TRACE(f.id);
        Template t = ParseTemplate(f.id);
        ExpectPairTemplate(t, f.cx, f.cy, f.main);
        EXPECT_TRUE(t.controls.empty());
    }
}

TEST(ResTemplates, MainPanelHoldsItsEightControls) {
    Template t = ParseTemplate(IDD_STELLWICK_PANEL);
    ExpectPairTemplate(t, 457, 369, false);
    EXPECT_EQ(t.controls.size(), 8u);
    ExpectPushButton(t, IDC_BTN_CLOSE, L"关闭");
    ExpectPushButton(t, IDC_BTN_MINIMIZE, L"最小化");
    ExpectPushButton(t, IDC_BTN_REPAIR, L"修复");
    ExpectPushButton(t, IDC_BTN_MORE_TOOLS, L"更多工具");
    ExpectLabel(t, IDC_STATIC_VERSION, L"1.0.0");
    ExpectLabel(t, IDC_STATIC_AGREEMENT, L"《Torvane服务工具使用许可协议》");
    ExpectLabel(t, IDC_STATIC_FEEDBACK, L"反馈问题");
    const Control* agree = FindControl(t, IDC_CHK_AGREE);
    ASSERT_NE(agree, nullptr);
    EXPECT_EQ(agree->classAtom, 0x80);
    EXPECT_EQ(agree->style & BS_TYPEMASK, uint32_t(BS_AUTOCHECKBOX));
    EXPECT_EQ(agree->text, L"同意");
}

TEST(ResTemplates, FeedbackPromptAndProgressContents) {
    Template fb = ParseTemplate(IDD_FEEDBACK_CHILD);
    ExpectPairTemplate(fb, 440, 343, false);
    EXPECT_EQ(fb.controls.size(), 4u);
    ExpectPushButton(fb, IDC_FB_CLOSE, L"关闭");
    ExpectPushButton(fb, IDC_FB_SOLVED, L"解决");
    ExpectPushButton(fb, IDC_FB_UNSOLVED, L"未解决");
    ExpectPushButton(fb, IDC_FB_OTHER, L"更多方案");

    Template prompt = ParseTemplate(IDD_PROMPT_CHILD);
    ExpectPairTemplate(prompt, 224, 104, false);
    EXPECT_EQ(prompt.controls.size(), 4u);
    ExpectPushButton(prompt, IDC_BTN_CLOSE, nullptr);
    ExpectPushButton(prompt, IDC_PROMPT_FIRST, nullptr);
    ExpectPushButton(prompt, IDC_PROMPT_SECOND, nullptr);
    ExpectLabel(prompt, IDC_PROMPT_MESSAGE, nullptr);

    Template progress = ParseTemplate(IDD_EXECUTE_PROMPT_CHILD);
    ExpectPairTemplate(progress, 155, 88, false);
    EXPECT_EQ(progress.controls.size(), 1u);
    ExpectLabel(progress, IDC_STATIC_PROGRESS, nullptr);
}

TEST(ResTemplates, AboutBoxIsACaptionedModalDialog) {
    Template t = ParseTemplate(IDD_ABOUTBOX);
    ASSERT_TRUE(t.valid);
    EXPECT_EQ(t.cx, 170);
    EXPECT_EQ(t.cy, 62);
    EXPECT_EQ(t.title, L"关于 PellmarStellwick");
    EXPECT_EQ(t.style & WS_CAPTION, uint32_t(WS_CAPTION));
    EXPECT_TRUE(t.style & DS_MODALFRAME);
    EXPECT_FALSE(t.style & (DS_CENTER | DS_CENTERMOUSE | DS_ABSALIGN));
    EXPECT_EQ(t.pointSize, 9);
    EXPECT_EQ(t.face, L"MS Shell Dlg");
    const Control* ok = FindControl(t, IDOK);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->style & BS_TYPEMASK, uint32_t(BS_DEFPUSHBUTTON));
    EXPECT_EQ(ok->text, L"确定");
    bool line = false;
    for (const Control& c : t.controls) line |= c.text == L"PellmarStellwick，1.0 版";
    EXPECT_TRUE(line);
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT msg, WPARAM, LPARAM) { return msg == WM_INITDIALOG; }

// The system itself builds every template into a window with its controls.
TEST(ResTemplates, EveryTemplateCreatesItsWindowAndControls) {
    struct {
        int id;
        std::vector<int> controls;
    } all[] = {{IDD_ABOUTBOX, {IDOK}},
               {IDD_PELLMARSTELLWICK_DIALOG, {}},
               {IDD_STELLWICK_PANEL,
                {IDC_BTN_CLOSE, IDC_BTN_MINIMIZE, IDC_CHK_AGREE, IDC_STATIC_AGREEMENT, IDC_BTN_REPAIR,
                 IDC_BTN_MORE_TOOLS, IDC_STATIC_VERSION, IDC_STATIC_FEEDBACK}},
               {IDD_FEEDBACK, {}},
               {IDD_FEEDBACK_CHILD, {IDC_FB_CLOSE, IDC_FB_SOLVED, IDC_FB_UNSOLVED, IDC_FB_OTHER}},
               {IDD_PROMPT, {}},
               {IDD_PROMPT_CHILD, {IDC_BTN_CLOSE, IDC_PROMPT_FIRST, IDC_PROMPT_SECOND, IDC_PROMPT_MESSAGE}},
               {IDD_EXECUTE_PROMPT, {}},
               {IDD_EXECUTE_PROMPT_CHILD, {IDC_STATIC_PROGRESS}}};
    for (auto& d : all) {
        SCOPED_TRACE(d.id);
        HWND wnd = CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(d.id), nullptr,
                                      QuietDialogProc, 0);
        ASSERT_NE(wnd, nullptr);
        for (int id : d.controls) EXPECT_NE(GetDlgItem(wnd, id), nullptr) << id;
        DestroyWindow(wnd);
    }
}

// ----------------------------------------------------------------------------- the rest

TEST(ResOther, AboutMenuString) {
    wchar_t text[128] = {};
    ASSERT_GT(LoadStringW(GetModuleHandleW(nullptr), IDS_ABOUTBOX, text, 128), 0);
    EXPECT_STREQ(text, L"关于 PellmarStellwick(&A)...");
}

TEST(ResOther, IconHasSmallMediumAndLargeImages) {
    ResourceBytes group = FindBytes(MAKEINTRESOURCEW(IDR_MAINFRAME), MAKEINTRESOURCEW(14) /* RT_GROUP_ICON */);
    ASSERT_NE(group.data, nullptr);
    ASSERT_GE(group.size, 6u);
    uint16_t count;
    std::memcpy(&count, group.data + 4, 2);
    ASSERT_GE(group.size, 6u + 14u * count);
    std::set<int> sizes;
    for (uint16_t i = 0; i < count; ++i) sizes.insert(group.data[6 + 14 * i]);
    EXPECT_EQ(sizes, (std::set<int>{16, 32, 48}));
    for (int px : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME),
                                                   IMAGE_ICON, px, px, 0));
        EXPECT_NE(icon, nullptr) << px;
        if (icon) DestroyIcon(icon);
    }
}

std::wstring VersionString(const std::vector<uint8_t>& info, const wchar_t* key) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\080404b0\\") + key;
    void* value = nullptr;
    UINT len = 0;
    if (!VerQueryValueW(info.data(), path.c_str(), &value, &len) || !value) return L"<none>";
    return static_cast<const wchar_t*>(value);
}

TEST(ResOther, VersionRecordIs1_8_22_1024InTheChineseBlock) {
    wchar_t exe[MAX_PATH];
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    DWORD handle = 0;
    DWORD size = GetFileVersionInfoSizeW(exe, &handle);
    ASSERT_GT(size, 0u);
    std::vector<uint8_t> info(size);
    ASSERT_TRUE(GetFileVersionInfoW(exe, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT len = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &len));
    EXPECT_EQ(fixed->dwFileVersionMS, (1u << 16) | 8u);
    EXPECT_EQ(fixed->dwFileVersionLS, (22u << 16) | 1024u);
    EXPECT_EQ(fixed->dwProductVersionMS, (1u << 16) | 8u);
    EXPECT_EQ(fixed->dwProductVersionLS, (22u << 16) | 1024u);

    EXPECT_EQ(VersionString(info, L"FileVersion"), L"1.8.22.1024");
    EXPECT_EQ(VersionString(info, L"ProductVersion"), L"1.8.22.1024");
    EXPECT_EQ(VersionString(info, L"ProductName"), L"Stellwick");
    EXPECT_EQ(VersionString(info, L"CompanyName"), L"Torvane");
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"Stellwick.exe");
    EXPECT_NE(VersionString(info, L"FileDescription"), L"<none>");
    EXPECT_NE(VersionString(info, L"LegalCopyright"), L"<none>");

    WORD* translation = nullptr;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation),
                               &len));
    ASSERT_GE(len, 4u);
    EXPECT_EQ(translation[0], 0x804);
    EXPECT_EQ(translation[1], 1200);
}

TEST(ResOther, ManifestAsksForAdministratorDpiAwarenessAndCommonControls6) {
    ResourceBytes m = FindBytes(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24) /* RT_MANIFEST */);
    ASSERT_NE(m.data, nullptr);
    std::string text(reinterpret_cast<const char*>(m.data), m.size);
    for (const char* needle :
         {"level=\"requireAdministrator\"", "uiAccess=\"false\"", ">true</dpiAware>",
          sizeof(void*) == 4 ? "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
                               "processorArchitecture=\"x86\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\""
                             : "name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\" "
                               "processorArchitecture=\"amd64\" publicKeyToken=\"6595b64144ccf1df\" language=\"*\"",
          "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>"}) {
        EXPECT_NE(text.find(needle), std::string::npos) << needle;
    }
    // The loader honours it: the process runs DPI-aware.
    EXPECT_TRUE(IsProcessDPIAware());
}

}  // namespace
