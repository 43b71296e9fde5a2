#!/usr/bin/python3
"""Draws every PNG of Stellwick's skins, backgrounds and button faces, and the
program icon, into src/res/.

Run with Debian's python3 and python3-pil:

    tools/art/make_art.py                 write src/res/png/*.png and Stellwick.ico
    tools/art/make_art.py --check         redraw in memory, compare pixels with the committed files
    tools/art/make_art.py --preview FILE  also write a composite of the windows as they are put together

The output is deterministic: the same Pillow and font give the same bytes each run,
so the committed files only change when the drawing changes. The build never runs
this script; it embeds the committed files.
"""
import argparse
import io
import os
import struct
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
REPO = os.path.normpath(os.path.join(HERE, "..", ".."))
RES = os.path.join(REPO, "src", "res")
FONT_FILE = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"

SS = 4  # supersampling factor for shapes

# Palette shared by every window.
NAVY_TOP = (9, 33, 78)
NAVY_MID = (13, 52, 116)
NAVY_LOW = (20, 72, 150)
ACCENT = (24, 125, 240)
ACCENT_LIGHT = (64, 160, 255)
ACCENT_DARK = (10, 88, 190)
PALE_TEXT = (176, 202, 240)
WHITE = (255, 255, 255)
BAND_GREY = (236, 238, 242)
LINE_GREY = (218, 222, 230)
TEXT_DARK = (51, 51, 51)
PRESSED_GREY = (150, 154, 162)
DISABLED_GREY = (196, 199, 205)

# The lower white band of the main window: more-tools button and the agreement row sit on it.
MAIN_BAND_TOP = 522


def font(size):
    return ImageFont.truetype(FONT_FILE, size, index=0)


def lerp(a, b, t):
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(len(a)))


def vgradient(size, stops):
    """Vertical gradient through (position 0..1, colour) stops; every row is one colour."""
    w, h = size
    col = Image.new("RGB", (1, h))
    px = col.load()
    for y in range(h):
        t = y / max(1, h - 1)
        for i in range(len(stops) - 1):
            p0, c0 = stops[i]
            p1, c1 = stops[i + 1]
            if t <= p1 or i == len(stops) - 2:
                u = 0.0 if p1 == p0 else min(1.0, max(0.0, (t - p0) / (p1 - p0)))
                px[0, y] = lerp(c0, c1, u)
                break
    return col.resize((w, h), Image.NEAREST)


def rounded_mask(size, box, radius, ss=SS):
    """Anti-aliased mask of a rounded rectangle; box in pixels, may be fractional."""
    w, h = size
    m = Image.new("L", (w * ss, h * ss), 0)
    d = ImageDraw.Draw(m)
    x0, y0, x1, y1 = box
    d.rounded_rectangle([x0 * ss, y0 * ss, x1 * ss - 1, y1 * ss - 1], radius=radius * ss, fill=255)
    return m.resize((w, h), Image.LANCZOS)


def ellipse_mask(size, box, ss=SS):
    w, h = size
    m = Image.new("L", (w * ss, h * ss), 0)
    d = ImageDraw.Draw(m)
    x0, y0, x1, y1 = box
    d.ellipse([x0 * ss, y0 * ss, x1 * ss - 1, y1 * ss - 1], fill=255)
    return m.resize((w, h), Image.LANCZOS)


def scale_mask(mask, factor):
    return mask.point(lambda v: int(round(v * factor)))


def radial_glow(size, centre, radius, colour, strength):
    """Soft round light spot: an RGBA layer to composite over artwork."""
    w, h = size
    cx, cy = centre
    small = Image.new("L", (w // 4 + 1, h // 4 + 1), 0)
    px = small.load()
    for y in range(small.size[1]):
        for x in range(small.size[0]):
            dx = (x * 4 - cx) / radius
            dy = (y * 4 - cy) / radius
            r2 = dx * dx + dy * dy
            if r2 < 1.0:
                v = (1.0 - r2) ** 2
                px[x, y] = int(round(255 * strength * v))
    alpha = small.resize((w, h), Image.BICUBIC)
    layer = Image.new("RGBA", (w, h), colour + (0,))
    layer.putalpha(alpha)
    return layer


def paint(base, mask, colour):
    """Fill colour through mask onto an RGB or RGBA image in place."""
    layer = Image.new(base.mode, base.size, colour if base.mode == "RGB" else colour + (255,))
    base.paste(layer, (0, 0), mask)


def paint_image(base, layer, mask):
    base.paste(layer, (0, 0), mask)


def text_size(txt, fnt):
    l, t, r, b = fnt.getbbox(txt)
    return r - l, b - t


def draw_text(img, xy, txt, fnt, fill, anchor="mm", bold=False):
    if not bold:
        ImageDraw.Draw(img).text(xy, txt, font=fnt, fill=fill, anchor=anchor)
        return
    # Semi-bold: a one-pixel stroke at twice the size is half a pixel once shrunk back.
    w, h = img.size
    big = ImageFont.truetype(FONT_FILE, fnt.size * 2, index=0)
    m = Image.new("L", (w * 2, h * 2), 0)
    ImageDraw.Draw(m).text((xy[0] * 2, xy[1] * 2), txt, font=big, fill=255, anchor=anchor, stroke_width=1,
                           stroke_fill=255)
    paint(img, m.resize((w, h), Image.LANCZOS), fill[:3])


def drop_shadow(size, body, blur, opacity, offset=(0, 1), radius=0):
    """Alpha of a soft shadow cast by the body rectangle."""
    w, h = size
    m = Image.new("L", (w, h), 0)
    d = ImageDraw.Draw(m)
    x0, y0, x1, y1 = body
    ox, oy = offset
    if radius:
        d.rounded_rectangle([x0 + ox, y0 + oy, x1 + ox - 1, y1 + oy - 1], radius=radius, fill=255)
    else:
        d.rectangle([x0 + ox, y0 + oy, x1 + ox - 1, y1 + oy - 1], fill=255)
    m = m.filter(ImageFilter.GaussianBlur(blur))
    return scale_mask(m, opacity)


def skin(size, body_img, body_pos, blur, opacity, offset):
    """Window skin: a transparent margin with a soft shadow around an opaque body."""
    w, h = size
    bw, bh = body_img.size
    bx, by = body_pos
    alpha = drop_shadow(size, (bx, by, bx + bw, by + bh), blur, opacity, offset)
    out = Image.new("RGBA", size, (4, 12, 28, 0))
    out.putalpha(alpha)
    out.paste(body_img.convert("RGB"), (bx, by))
    # The body itself is fully opaque, whatever the shadow gave it.
    a = out.getchannel("A")
    a.paste(255, (bx, by, bx + bw, by + bh))
    out.putalpha(a)
    return out


def clear_transparent_rgb(img, colour):
    """Give fully transparent pixels a neutral colour so scaled drawing shows no dark fringe."""
    a = img.getchannel("A")
    solid = Image.new("RGBA", img.size, colour + (0,))
    keep = a.point(lambda v: 255 if v > 0 else 0)
    solid.paste(img, (0, 0), keep)
    return solid


def png_button_face(drawn):
    """Plain image buttons draw their face without its last column and row, scaled up to
    the button. So the face is drawn one pixel smaller than the file and the edge is
    repeated: on screen the drawing is stretched by one pixel, resampled only once."""
    w, h = drawn.size[0] + 1, drawn.size[1] + 1
    out = Image.new(drawn.mode, (w, h))
    out.paste(drawn, (0, 0))
    out.paste(drawn.crop((w - 2, 0, w - 1, h - 1)), (w - 1, 0))
    out.paste(out.crop((0, h - 2, w, h - 1)), (0, h - 1))
    return out


# ----------------------------------------------------------------------------- emblem


def emblem(size, plate=True):
    """The tool's mark: a white shield with a tick, on a blue rounded plate when plate is set."""
    big = size * 8
    img = Image.new("RGBA", (big, big), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    if plate:
        plate_mask = Image.new("L", (big, big), 0)
        ImageDraw.Draw(plate_mask).rounded_rectangle([0, 0, big - 1, big - 1], radius=big * 0.22, fill=255)
        grad = vgradient((big, big), [(0.0, ACCENT_LIGHT), (1.0, ACCENT_DARK)]).convert("RGBA")
        img.paste(grad, (0, 0), plate_mask)
        inset = 0.17
    else:
        inset = 0.0
    s = big * (1 - 2 * inset)
    ox = oy = big * inset

    def P(x, y):
        return (ox + x * s, oy + y * s)

    shield = [P(0.50, 0.02), P(0.92, 0.16), P(0.90, 0.52), P(0.78, 0.76), P(0.50, 0.98),
              P(0.22, 0.76), P(0.10, 0.52), P(0.08, 0.16)]
    d.polygon(shield, fill=(255, 255, 255, 255))
    tick_colour = ACCENT_DARK + (255,) if plate else NAVY_MID + (255,)
    lw = max(1, int(s * 0.11))
    d.line([P(0.28, 0.50), P(0.45, 0.67), P(0.74, 0.34)], fill=tick_colour, width=lw, joint="curve")
    for cx, cy in (P(0.28, 0.50), P(0.74, 0.34)):
        d.ellipse([cx - lw / 2, cy - lw / 2, cx + lw / 2, cy + lw / 2], fill=tick_colour)
    return img.resize((size, size), Image.LANCZOS)


# ----------------------------------------------------------------------------- main window


def main_background():
    w, h = 400, 600
    img = vgradient((w, h), [(0.0, NAVY_TOP), (0.55, NAVY_MID), (MAIN_BAND_TOP / h, NAVY_LOW), (1.0, NAVY_LOW)])
    img = img.convert("RGBA")
    # Light behind the title and the repair button; it fades out long before the top edge,
    # so the version label and the window buttons sit on the plain gradient.
    img.alpha_composite(radial_glow((w, h), (200, 250), 190, (70, 140, 235), 0.42))
    # A wide bright arc above the white band gives the artwork depth.
    arc = ellipse_mask((w, h), (-160, 470, 560, 800))
    arc_layer = vgradient((w, h), [(0.0, (40, 105, 200)), (1.0, (28, 88, 180))]).convert("RGBA")
    arc_alpha = scale_mask(arc, 0.55)
    img.paste(arc_layer, (0, 0), arc_alpha)
    rim = ImageChops.subtract(arc, ellipse_mask((w, h), (-158, 472, 558, 802)))
    paint(img, scale_mask(rim, 0.6), (110, 170, 245))
    img = img.convert("RGB")

    # Small mark and name at the top left, the version label's caption before it.
    img_rgba = img.convert("RGBA")
    img_rgba.alpha_composite(emblem(18), (12, 8))
    img = img_rgba.convert("RGB")
    draw_text(img, (36, 17), "Stellwick", font(13), WHITE, anchor="lm")
    draw_text(img, (184, 23), "版本", font(12), PALE_TEXT, anchor="rm")

    # Title block.
    img_rgba = img.convert("RGBA")
    halo = Image.new("RGBA", (w, h), (0, 0, 0, 0))
    ImageDraw.Draw(halo).ellipse([200 - 48, 104 - 48, 200 + 48, 104 + 48], fill=(120, 180, 255, 70))
    halo = halo.filter(ImageFilter.GaussianBlur(10))
    img_rgba.alpha_composite(halo)
    img_rgba.alpha_composite(emblem(72), (200 - 36, 104 - 36))
    img = img_rgba.convert("RGB")
    draw_text(img, (200, 172), "Stellwick", font(30), WHITE, bold=True)
    draw_text(img, (200, 207), "Windows 预览体验计划注册表修复工具", font(15), (214, 228, 250))

    # What the tool does, under the repair button.
    f12 = font(12)
    draw_text(img, (200, 352), "将预览体验计划的注册表设置恢复为正常状态", f12, PALE_TEXT)
    draw_text(img, (200, 372), "修复完成后重新启动计算机即可生效", f12, PALE_TEXT)
    # Three small feature marks.
    marks = [("一键操作", 110), ("安全可靠", 200), ("快速生效", 290)]
    for label, cx in marks:
        ring = ellipse_mask((w, h), (cx - 15, 404, cx + 15, 434))
        inner = ellipse_mask((w, h), (cx - 13.5, 405.5, cx + 13.5, 432.5))
        paint(img, ImageChops.subtract(ring, inner), (120, 176, 245))
        paint(img, scale_mask(inner, 0.25), (90, 150, 235))
        draw_text(img, (cx, 448), label, f12, (200, 218, 245))
    icon_colour = WHITE
    # hand: one-touch (a dot in a ring), shield: safe (small shield), bolt: quick
    cx = 110
    paint(img, ellipse_mask((w, h), (cx - 5, 414, cx + 5, 424)), icon_colour)
    small_shield = emblem(16, plate=False)
    img_rgba = img.convert("RGBA")
    img_rgba.alpha_composite(small_shield, (200 - 8, 411))
    img = img_rgba.convert("RGB")
    cx = 290
    bolt = Image.new("L", (w * SS, h * SS), 0)
    ImageDraw.Draw(bolt).polygon(
        [((cx + 2) * SS, 410 * SS), ((cx - 5) * SS, 420.5 * SS), ((cx - 0.5) * SS, 420.5 * SS),
         ((cx - 2) * SS, 428 * SS), ((cx + 5) * SS, 417.5 * SS), ((cx + 0.5) * SS, 417.5 * SS)], fill=255)
    paint(img, bolt.resize((w, h), Image.LANCZOS), icon_colour)

    # Lower white band: the more-tools button and the agreement row lie on plain white.
    d = ImageDraw.Draw(img)
    d.rectangle([0, MAIN_BAND_TOP, w - 1, h - 1], fill=WHITE)
    d.line([(0, MAIN_BAND_TOP), (w - 1, MAIN_BAND_TOP)], fill=(60, 130, 230))
    d.line([(8, 566), (w - 9, 566)], fill=(234, 237, 242))
    return img


def window_button(bg_crop, glyph, state):
    """26x34 caption button: white glyph on the artwork behind it."""
    w, h = bg_crop.size[0] - 1, bg_crop.size[1] - 1
    img = bg_crop.convert("RGB").crop((0, 0, w, h))
    if state == "hover":
        paint(img, Image.new("L", (w, h), 70), (0, 0, 0))
    elif state == "pressed":
        paint(img, Image.new("L", (w, h), 255), PRESSED_GREY)
    colour = (150, 166, 196) if state == "disabled" else WHITE
    m = Image.new("L", (w * SS, h * SS), 0)
    d = ImageDraw.Draw(m)
    cx, cy = w / 2 * SS, h / 2 * SS
    if glyph == "close":
        r = 5.0 * SS
        lw = int(1.6 * SS)
        d.line([(cx - r, cy - r), (cx + r, cy + r)], fill=255, width=lw)
        d.line([(cx - r, cy + r), (cx + r, cy - r)], fill=255, width=lw)
    else:
        d.rectangle([cx - 5.5 * SS, cy + 0.2 * SS, cx + 5.5 * SS, cy + 1.8 * SS], fill=255)
    paint(img, m.resize((w, h), Image.LANCZOS), colour)
    return png_button_face(img)


def glow_pill(size, body, radius, fill_top, fill_bottom, glow_colour, glow_strength, label, label_font,
              label_colour, shadow=0.0):
    """A rounded button body with a soft glow (or shadow) in its transparent margin."""
    w, h = size
    out = Image.new("RGBA", size, glow_colour + (0,))
    x0, y0, x1, y1 = body
    if glow_strength > 0:
        g = Image.new("L", size, 0)
        ImageDraw.Draw(g).rounded_rectangle([x0 - 2, y0 - 1, x1 + 1, y1 + 2], radius=radius + 2, fill=255)
        g = scale_mask(g.filter(ImageFilter.GaussianBlur(6)), glow_strength)
        glow = Image.new("RGBA", size, glow_colour + (255,))
        glow.putalpha(g)
        out.alpha_composite(glow)
    if shadow > 0:
        s = Image.new("L", size, 0)
        ImageDraw.Draw(s).rounded_rectangle([x0, y0 + 3, x1 - 1, y1 + 2], radius=radius, fill=255)
        s = scale_mask(s.filter(ImageFilter.GaussianBlur(3)), shadow)
        sh = Image.new("RGBA", size, (0, 10, 40, 255))
        sh.putalpha(s)
        out.alpha_composite(sh)
    mask = rounded_mask(size, body, radius)
    grad = vgradient((w, y1 - y0), [(0.0, fill_top), (1.0, fill_bottom)])
    body_layer = Image.new("RGBA", size, fill_top + (255,))
    body_layer.paste(grad, (0, y0))
    # A thin light edge along the top of the body.
    hl = ImageChops.subtract(mask, rounded_mask(size, (x0, y0 + 1.2, x1, y1 + 1.2), radius))
    tmp = Image.new("RGBA", size, (0, 0, 0, 0))
    tmp.paste(body_layer, (0, 0), mask)
    hl_layer = Image.new("RGBA", size, (255, 255, 255, 255))
    hl_layer.putalpha(scale_mask(hl, 0.35))
    tmp.alpha_composite(hl_layer)
    out.alpha_composite(tmp)
    d = ImageDraw.Draw(out)
    d.text(((x0 + x1) / 2, (y0 + y1) / 2), label, font=label_font, fill=label_colour + (255,), anchor="mm")
    return out


def repair_button(state):
    # Designed at the 259x85 it is drawn at, then widened to the file's 284x85.
    size = (259, 85)
    body = (19, 11, 240, 74)
    styles = {
        "normal": ((52, 158, 255), (12, 108, 230), (90, 180, 255), 0.85, WHITE),
        "hover": ((24, 124, 226), (6, 80, 184), (80, 160, 250), 0.95, WHITE),
        "pressed": ((168, 172, 180), (132, 137, 146), (150, 160, 180), 0.35, (245, 245, 245)),
        "disabled": ((118, 132, 156), (96, 110, 134), (0, 0, 0), 0.0, (186, 194, 208)),
    }
    top, bottom, glow, strength, text = styles[state]
    img = glow_pill(size, body, 31, top, bottom, glow, strength, "一键修复", font(26), text,
                    shadow=0.0 if state != "disabled" else 0.25)
    img = img.resize((284, 85), Image.LANCZOS)
    return clear_transparent_rgb(img, glow if strength else (110, 125, 150))


def more_tools_button(bg_crop, state):
    # Outlined button on the white band; designed at the 58x18 it is drawn at.
    w, h = bg_crop.size
    img = bg_crop.convert("RGB").copy()
    styles = {
        "normal": (ACCENT, None, ACCENT),
        "hover": (ACCENT_DARK, (232, 241, 253), ACCENT_DARK),
        "pressed": (PRESSED_GREY, (228, 229, 232), (120, 124, 132)),
        "disabled": (DISABLED_GREY, None, DISABLED_GREY),
    }
    edge, fill, text = styles[state]
    outer = rounded_mask((w, h), (0.5, 0.5, w - 0.5, h - 0.5), 3.5)
    inner = rounded_mask((w, h), (1.5, 1.5, w - 1.5, h - 1.5), 2.5)
    if fill:
        paint(img, inner, fill)
    paint(img, ImageChops.subtract(outer, inner), edge)
    draw_text(img, (w / 2, h / 2), "更多工具", font(11), text)
    return img


def check_sprite():
    size = (48, 16)
    out = Image.new("RGBA", size, (255, 255, 255, 0))
    for cell in range(3):
        ox = cell * 16
        box = (ox + 2, 2, ox + 14, 14)
        edge = rounded_mask(size, (box[0] - 1, box[1] - 1, box[2] + 1, box[3] + 1), 3, ss=8)
        face = rounded_mask(size, box, 2, ss=8)
        if cell == 1:
            # Ticked: a solid blue box with a white tick.
            out.paste(Image.new("RGBA", size, ACCENT + (255,)), (0, 0), edge)
            m = Image.new("L", (size[0] * 8, size[1] * 8), 0)
            ImageDraw.Draw(m).line([((ox + 4) * 8, 8.2 * 8), ((ox + 7) * 8, 11 * 8), ((ox + 12) * 8, 5 * 8)],
                                   fill=255, width=int(1.9 * 8), joint="curve")
            paint(out, m.resize(size, Image.LANCZOS), WHITE)
            continue
        # Empty and filled: a white box; the filled one holds a blue square.
        out.paste(Image.new("RGBA", size, ((128, 138, 154) if cell == 0 else ACCENT) + (255,)), (0, 0), edge)
        out.paste(Image.new("RGBA", size, WHITE + (255,)), (0, 0), face)
        if cell == 2:
            paint(out, rounded_mask(size, (ox + 4, 4, ox + 12, 12), 1.2, ss=8), ACCENT)
    return out


# ----------------------------------------------------------------------------- progress prompt


def progress_background():
    w, h = 204, 104
    img = vgradient((w, h), [(0.0, (30, 104, 206)), (1.0, (16, 72, 164))])
    img = img.convert("RGBA")
    img.alpha_composite(radial_glow((w, h), (40, 52), 120, (90, 160, 250), 0.25))
    img = img.convert("RGB")
    img_rgba = img.convert("RGBA")
    img_rgba.alpha_composite(emblem(14, plate=False), (10, 7))
    img = img_rgba.convert("RGB")
    draw_text(img, (29, 14), "Stellwick", font(11), (206, 224, 250), anchor="lm")
    d = ImageDraw.Draw(img)
    d.line([(10, 27), (w - 11, 27)], fill=(70, 136, 226))
    return img.convert("RGBA")


# ----------------------------------------------------------------------------- prompt


PROMPT_BAND = 30


def prompt_body():
    """The prompt content as it appears on screen (326x146)."""
    w, h = 326, 146
    img = Image.new("RGB", (w, h), WHITE)
    d = ImageDraw.Draw(img)
    d.rectangle([0, 0, w - 1, PROMPT_BAND - 1], fill=BAND_GREY)
    d.line([(0, PROMPT_BAND - 1), (w - 1, PROMPT_BAND - 1)], fill=LINE_GREY)
    d.rectangle([0, 0, 2, PROMPT_BAND - 2], fill=ACCENT)
    draw_text(img, (12, PROMPT_BAND / 2), "提示", font(13), TEXT_DARK, anchor="lm")
    return img


def prompt_button(label, state):
    w, h = 55 - 1, 24 - 1
    img = Image.new("RGB", (w, h), WHITE)
    fills = {"normal": ((40, 140, 250), ACCENT), "hover": ((16, 100, 206), (8, 78, 176)),
             "pressed": ((168, 171, 178), PRESSED_GREY)}
    top, bottom = fills[state]
    mask = rounded_mask((w, h), (0, 0, w, h), 3)
    grad = vgradient((w, h), [(0.0, top), (1.0, bottom)])
    img.paste(grad, (0, 0), mask)
    draw_text(img, (w / 2, h / 2), label, font(13), WHITE)
    return png_button_face(img)


def small_cross(bg, colour, state, hover_bg, pressed_bg):
    w = h = 12 - 1
    img = Image.new("RGB", (w, h), bg)
    if state == "hover":
        paint(img, rounded_mask((w, h), (0, 0, w, h), 2), hover_bg)
    elif state == "pressed":
        paint(img, rounded_mask((w, h), (0, 0, w, h), 2), pressed_bg)
    m = Image.new("L", (w * 8, h * 8), 0)
    d = ImageDraw.Draw(m)
    a, b = 2.5 * 8, 8.5 * 8
    d.line([(a, a), (b, b)], fill=255, width=int(1.4 * 8))
    d.line([(a, b), (b, a)], fill=255, width=int(1.4 * 8))
    paint(img, m.resize((w, h), Image.LANCZOS), colour)
    return png_button_face(img)


# ----------------------------------------------------------------------------- feedback window


def feedback_background():
    w, h = 400, 468
    img = vgradient((w, h), [(0.0, NAVY_TOP), (0.6, NAVY_MID), (1.0, NAVY_LOW)])
    img = img.convert("RGBA")
    img.alpha_composite(radial_glow((w, h), (200, 250), 210, (70, 140, 235), 0.36))
    arc = ellipse_mask((w, h), (-180, 400, 580, 720))
    arc_layer = Image.new("RGBA", (w, h), (34, 96, 190, 255))
    img.paste(arc_layer, (0, 0), scale_mask(arc, 0.5))
    rim = ImageChops.subtract(arc, ellipse_mask((w, h), (-178, 402, 578, 722)))
    paint(img, scale_mask(rim, 0.55), (110, 170, 245))
    img.alpha_composite(emblem(16), (12, 8))
    img = img.convert("RGB")
    draw_text(img, (34, 16), "Stellwick", font(13), WHITE, anchor="lm")

    # The question, with a speech-bubble mark above it.
    cx, cy = 200, 60
    bubble = ellipse_mask((w, h), (cx - 22, cy - 20, cx + 22, cy + 18))
    tail = Image.new("L", (w * SS, h * SS), 0)
    ImageDraw.Draw(tail).polygon([((cx - 12) * SS, (cy + 10) * SS), ((cx - 2) * SS, (cy + 16) * SS),
                                  ((cx - 16) * SS, (cy + 25) * SS)], fill=255)
    tail = tail.resize((w, h), Image.LANCZOS)
    paint(img, ImageChops.lighter(bubble, tail), WHITE)
    draw_text(img, (cx, cy - 1), "?", font(28), ACCENT_DARK, bold=True)
    draw_text(img, (200, 106), "本工具是否解决了您的问题？", font(21), WHITE, bold=True)
    draw_text(img, (200, 134), "请选择您的使用结果，帮助我们做得更好", font(12), PALE_TEXT)
    draw_text(img, (200, 428), "感谢您使用 Stellwick", font(12), (200, 218, 245))
    return img.convert("RGBA")


def answer_button(label, kind, state):
    size = (266, 60)
    body = (9, 9, 257, 51)
    if kind == "primary":
        styles = {
            "normal": ((52, 158, 255), (14, 110, 232), (90, 180, 255), 0.6, WHITE),
            "hover": ((24, 122, 224), (6, 80, 184), (80, 160, 250), 0.7, WHITE),
        }
    else:
        styles = {
            "normal": ((60, 110, 190), (40, 86, 164), (90, 150, 235), 0.35, WHITE),
            "hover": ((34, 74, 144), (22, 56, 120), (80, 140, 225), 0.45, WHITE),
        }
    styles["pressed"] = ((168, 172, 180), (132, 137, 146), (150, 160, 180), 0.2, (245, 245, 245))
    styles["disabled"] = ((92, 108, 136), (80, 95, 122), (0, 0, 0), 0.0, (160, 172, 192))
    top, bottom, glow, strength, text = styles[state]
    img = glow_pill(size, body, 21, top, bottom, glow, strength, label, font(17), text, shadow=0.35)
    return clear_transparent_rgb(img, glow if strength else (80, 95, 122))


# ----------------------------------------------------------------------------- icon


def ico_bytes(images):
    """ICO file with 32-bit BGRA bitmaps (plus AND mask) for each image."""
    entries = []
    blobs = []
    for im in images:
        w, h = im.size
        header = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, 0, 0, 0, 0, 0)
        px = im.convert("RGBA").load()
        rows = []
        for y in range(h - 1, -1, -1):
            row = bytearray()
            for x in range(w):
                r, g, b, a = px[x, y]
                row += bytes((b, g, r, a))
            rows.append(bytes(row))
        mask_stride = ((w + 31) // 32) * 4
        mask_rows = []
        for y in range(h - 1, -1, -1):
            bits = bytearray(mask_stride)
            for x in range(w):
                if px[x, y][3] == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask_rows.append(bytes(bits))
        blob = header + b"".join(rows) + b"".join(mask_rows)
        blobs.append(blob)
        entries.append((w, h))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for (w, h), blob in zip(entries, blobs):
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


# ----------------------------------------------------------------------------- all images


def build_all():
    """Every image by resource id, and the icon's frames."""
    imgs = {}
    main_bg = main_background()
    imgs[139] = main_bg
    imgs[138] = skin((410, 611), main_bg, (5, 4), blur=2.2, opacity=0.55, offset=(0, 1))
    imgs[140] = check_sprite()
    states = ["normal", "hover", "pressed", "disabled"]
    close_bg = main_bg.crop((368, 0, 394, 34))
    minimise_bg = main_bg.crop((340, 0, 366, 34))
    for i, st in enumerate(states):
        imgs[141 + i] = window_button(close_bg, "close", st)
        imgs[147 + i] = window_button(minimise_bg, "minimise", st)

    prog_bg = progress_background()
    imgs[146] = prog_bg
    imgs[145] = skin((232, 132), prog_bg, (14, 12), blur=5.0, opacity=0.6, offset=(0, 2))

    # The prompt's pictures are stretched by six pixels each way on screen: draw them at
    # their on-screen size and shrink them to the file size.
    body = prompt_body()
    imgs[152] = body.resize((320, 140), Image.LANCZOS)
    # The skin is drawn in file pixels with the body widened to whole pixels, so that once
    # stretched it still covers the whole content rectangle with full opacity.
    imgs[151] = skin((330, 150), body.resize((322, 142), Image.LANCZOS), (4, 2), blur=2.2, opacity=0.5,
                     offset=(0, 1))
    three = ["normal", "hover", "pressed"]
    for base, label in ((153, "取消"), (159, "否"), (162, "确认"), (165, "是")):
        for i, st in enumerate(three):
            imgs[base + i] = prompt_button(label, st)
    for i, st in enumerate(three):
        imgs[156 + i] = small_cross(BAND_GREY, (110, 114, 122) if st == "normal" else (60, 62, 68), st,
                                    (214, 217, 223), (178, 181, 188))

    fb_bg = feedback_background()
    imgs[169] = fb_bg
    imgs[168] = skin((410, 479), fb_bg, (5, 4), blur=2.2, opacity=0.55, offset=(0, 1))
    fb_close_bg = fb_bg.convert("RGB").getpixel((388, 12))
    for i, st in enumerate(states):
        colour = (150, 166, 196) if st == "disabled" else WHITE
        imgs[170 + i] = small_cross(fb_close_bg, colour, st if st in ("hover", "pressed") else "normal",
                                    tuple(max(0, c - 28) for c in fb_close_bg), PRESSED_GREY)

    for i, st in enumerate(states):
        imgs[174 + i] = repair_button(st)
        imgs[179 + i] = answer_button("问题已解决，继续保持！", "primary", st)
        imgs[184 + i] = answer_button("问题未解决，我要吐槽！", "secondary", st)
        imgs[188 + i] = answer_button("其 他", "secondary", st)
        imgs[192 + i] = more_tools_button(main_bg.crop((45, 540, 103, 558)), st)

    icon = [emblem(n) for n in (16, 32, 48)]
    return imgs, icon


def png_bytes(img):
    buf = io.BytesIO()
    img.save(buf, format="PNG", optimize=False, compress_level=9)
    return buf.getvalue()


def preview(imgs):
    """All four windows put together as on screen at scale 1.0, over grey."""
    W, H = 1320, 660
    canvas = Image.new("RGBA", (W, H), (128, 128, 128, 255))

    def place(img, xy, size=None, src=None, plain=False):
        im = img.convert("RGBA")
        if plain:
            # Plain image buttons leave out the last column and row and scale the rest.
            src = (0, 0, im.size[0] - 1, im.size[1] - 1)
            size = size or img.size
        if src:
            im = im.crop(src)
        if size and im.size != size:
            im = im.resize(size, Image.BILINEAR)
        canvas.alpha_composite(im, xy)

    # Main window.
    fx, fy = 20, 20
    place(imgs[138], (fx, fy))
    px, py = fx + 5, fy + 4
    place(imgs[139], (px, py))
    place(imgs[141], (px + 368, py), plain=True)
    place(imgs[148], (px + 340, py), plain=True)
    place(imgs[174], (px + 71, py + 240), size=(259, 85))
    place(imgs[192], (px + 45, py + 540))
    place(imgs[140], (px + 8, py + 577), src=(16, 0, 32, 16))
    d = ImageDraw.Draw(canvas)
    f = font(12)
    d.text((px + 188, py + 23.5), "1.8.22.1024", font=f, fill=WHITE, anchor="lm")
    d.text((px + 26, py + 585), "同意", font=f, fill=TEXT_DARK, anchor="lm")
    d.text((px + 52, py + 585), "《Torvane服务工具使用许可协议》", font=f, fill=(92, 92, 255), anchor="lm")
    d.text((px + 394, py + 585), "反馈问题", font=f, fill=(92, 92, 255), anchor="rm")

    # Feedback window.
    fx, fy = 450, 20
    place(imgs[168], (fx, fy))
    cx, cy = fx + 5, fy + 4
    place(imgs[169], (cx, cy))
    place(imgs[180], (cx + 67, cy + 154))
    place(imgs[184], (cx + 67, cy + 234))
    place(imgs[188], (cx + 67, cy + 314))

    # Prompt (skin stretched to 336x156) and progress prompt.
    fx, fy = 880, 20
    place(imgs[151], (fx, fy), size=(336, 156))
    cx, cy = fx + 5, fy + 3
    place(imgs[152], (cx, cy), size=(326, 146))
    place(imgs[156], (cx + 300, cy + 8), plain=True)
    place(imgs[165], (cx + 96, cy + 107), plain=True)
    place(imgs[160], (cx + 175, cy + 107), plain=True)
    d.text((cx + 10, cy + 50), "修复注册表成功,重新启动系统后才会生效，", font=f, fill=(0, 0, 0))
    d.text((cx + 10, cy + 66), "是否重新启动？", font=f, fill=(0, 0, 0))

    fx, fy = 880, 200
    place(imgs[145], (fx, fy))
    cx, cy = fx + 14, fy + 12
    place(imgs[146], (cx, cy))
    d.text((cx + 10, cy + 52), "正在修复，请稍等..", font=f, fill=WHITE, anchor="lm")

    # Every face set in a row, for a look at the states side by side.
    x, y = 880, 360
    for ids in ((141, 142, 143, 144), (147, 148, 149, 150), (153, 154, 155), (159, 160, 161),
                (162, 163, 164), (165, 166, 167), (156, 157, 158), (170, 171, 172, 173)):
        xx = x
        for i in ids:
            place(imgs[i], (xx, y), plain=True)
            xx += imgs[i].size[0] + 6
        y += 38 if imgs[ids[0]].size[1] > 20 else 18
        if y > 560:
            y, x = 360, x + 240
    xx = 1100
    for i in (192, 193, 194, 195):
        place(imgs[i], (xx, 600))
        xx += 64
    return canvas.convert("RGB")


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--check", action="store_true", help="compare with the committed files, write nothing")
    ap.add_argument("--preview", metavar="FILE", help="write a composite preview PNG")
    ap.add_argument("--states", metavar="FILE", help="write a sheet of the repair and answer faces")
    args = ap.parse_args()

    imgs, icon = build_all()
    expected = set(range(138, 196)) - {178, 183}
    assert set(imgs) == expected, sorted(expected ^ set(imgs))

    if args.check:
        bad = []
        for i in sorted(imgs):
            path = os.path.join(RES, "png", "%d.png" % i)
            if not os.path.exists(path):
                bad.append("%d missing" % i)
                continue
            with Image.open(path) as old:
                old.load()
                if old.mode != imgs[i].mode or old.size != imgs[i].size or old.tobytes() != imgs[i].tobytes():
                    bad.append("%d differs" % i)
        with open(os.path.join(RES, "Stellwick.ico"), "rb") as fh:
            if fh.read() != ico_bytes(icon):
                bad.append("icon differs")
        for b in bad:
            print(b)
        print("artwork up to date" if not bad else "artwork out of date: run tools/art/make_art.py")
        return 1 if bad else 0

    os.makedirs(os.path.join(RES, "png"), exist_ok=True)
    for i in sorted(imgs):
        with open(os.path.join(RES, "png", "%d.png" % i), "wb") as fh:
            fh.write(png_bytes(imgs[i]))
    with open(os.path.join(RES, "Stellwick.ico"), "wb") as fh:
        fh.write(ico_bytes(icon))
    if args.preview:
        os.makedirs(os.path.dirname(os.path.abspath(args.preview)), exist_ok=True)
        preview(imgs).save(args.preview)
    if args.states:
        sheet = Image.new("RGBA", (284 * 4 + 50, 85 + 60 * 3 + 60), (13, 52, 116, 255))
        for i in range(4):
            sheet.alpha_composite(imgs[174 + i].resize((259, 85)), (10 + i * 290, 10))
            for j, base in enumerate((179, 184, 188)):
                sheet.alpha_composite(imgs[base + i], (10 + i * 290, 110 + j * 64))
        sheet.convert("RGB").save(args.states)
    print("wrote %d images and the icon" % len(imgs))
    return 0


if __name__ == "__main__":
    sys.exit(main())
