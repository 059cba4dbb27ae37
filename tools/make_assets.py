#!/usr/bin/python3
"""Draws every picture and synthesises every sound that Dunmarrow loads at run time.

Run from anywhere with `tools/make_assets.sh`; it rewrites gfx/, sfx/ and fonts/ in the
repository, and the desktop icon in dist/icons/. Everything is computed from fixed numbers (no clock, no system randomness), so
two runs give byte-identical files.

Needs Debian's python3-pil and ttf-bitstream-vera.
"""

import math
import shutil
import struct
import wave
from pathlib import Path

from PIL import Image, ImageDraw, ImageFilter, ImageFont

ROOT = Path(__file__).resolve().parent.parent
VERA_DIR = Path("/usr/share/fonts/truetype/ttf-bitstream-vera")
VERA_LICENCE = Path("/usr/share/doc/ttf-bitstream-vera/copyright")

TILE = 30
SUPER = 4  # shapes are drawn this many times larger, then scaled down for smooth edges

# The colours players of the genre know the counts by.
NUMBER_COLOURS = {
    1: (25, 60, 220),
    2: (28, 130, 40),
    3: (210, 30, 30),
    4: (16, 28, 128),
    5: (128, 16, 16),
    6: (12, 130, 130),
    7: (10, 10, 10),
    8: (118, 118, 118),
}


def bold_font(size):
    return ImageFont.truetype(str(VERA_DIR / "VeraBd.ttf"), size)


def regular_font(size):
    return ImageFont.truetype(str(VERA_DIR / "Vera.ttf"), size)


class Noise:
    """A small linear congruential generator, so the textures never change between runs."""

    def __init__(self, seed):
        self.state = seed & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 1664525 + 1013904223) & 0xFFFFFFFF
        return self.state / 0x100000000

    def signed(self):
        return self.next() * 2.0 - 1.0


def mix(a, b, t):
    return tuple(int(round(x + (y - x) * t)) for x, y in zip(a, b))


def vertical_gradient(size, top, bottom):
    width, height = size
    image = Image.new("RGBA", size)
    draw = ImageDraw.Draw(image)
    for y in range(height):
        t = y / max(height - 1, 1)
        draw.line([(0, y), (width - 1, y)], fill=mix(top, bottom, t))
    return image


def rounded_mask(size, radius):
    """An anti-aliased rounded-rectangle mask."""
    width, height = size
    big = Image.new("L", (width * SUPER, height * SUPER), 0)
    ImageDraw.Draw(big).rounded_rectangle(
        [0, 0, width * SUPER - 1, height * SUPER - 1], radius=radius * SUPER, fill=255
    )
    return big.resize(size, Image.LANCZOS)


def centred_text(draw, box, text, font, fill, shadow=None):
    left, top, right, bottom = box
    x0, y0, x1, y1 = draw.textbbox((0, 0), text, font=font)
    x = left + (right - left - (x1 - x0)) / 2 - x0
    y = top + (bottom - top - (y1 - y0)) / 2 - y0
    if shadow:
        draw.text((x + 1, y + 1), text, font=font, fill=shadow)
    draw.text((x, y), text, font=font, fill=fill)


# ---------------------------------------------------------------------------------------
# Cell tiles

def covered_tile():
    tile = vertical_gradient((TILE, TILE), (132, 150, 178), (92, 108, 136))
    draw = ImageDraw.Draw(tile)
    light, dark = (196, 208, 226), (50, 60, 80)
    for i in range(3):
        draw.line([(i, i), (TILE - 1 - i, i)], fill=light)
        draw.line([(i, i), (i, TILE - 1 - i)], fill=light)
        draw.line([(i, TILE - 1 - i), (TILE - 1 - i, TILE - 1 - i)], fill=dark)
        draw.line([(TILE - 1 - i, i), (TILE - 1 - i, TILE - 1 - i)], fill=dark)
    return tile


def opened_tile(base=(222, 216, 202)):
    tile = Image.new("RGBA", (TILE, TILE), base + (255,))
    draw = ImageDraw.Draw(tile)
    edge = mix(base, (0, 0, 0), 0.25)
    draw.rectangle([0, 0, TILE - 1, TILE - 1], outline=edge)
    draw.line([(1, 1), (TILE - 2, 1)], fill=mix(base, (0, 0, 0), 0.08))
    draw.line([(1, 1), (1, TILE - 2)], fill=mix(base, (0, 0, 0), 0.08))
    return tile


def number_tile(number):
    tile = opened_tile()
    draw = ImageDraw.Draw(tile)
    centred_text(draw, (0, 0, TILE, TILE), str(number), bold_font(21), NUMBER_COLOURS[number])
    return tile


def mine_tile():
    tile = opened_tile((214, 70, 56))
    size = TILE * SUPER
    big = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    centre = size / 2
    body = 8.5 * SUPER
    spike = 12.5 * SUPER
    for k in range(8):
        angle = k * math.pi / 4
        dx, dy = math.cos(angle), math.sin(angle)
        draw.line(
            [(centre - dx * spike, centre - dy * spike), (centre + dx * spike, centre + dy * spike)],
            fill=(20, 20, 24, 255),
            width=int(2.2 * SUPER),
        )
    draw.ellipse([centre - body, centre - body, centre + body, centre + body], fill=(20, 20, 24, 255))
    shine = 2.6 * SUPER
    sx, sy = centre - 3.2 * SUPER, centre - 3.2 * SUPER
    draw.ellipse([sx - shine, sy - shine, sx + shine, sy + shine], fill=(235, 235, 240, 255))
    tile.alpha_composite(big.resize((TILE, TILE), Image.LANCZOS))
    return tile


def flag_tile():
    tile = covered_tile()
    size = TILE * SUPER
    big = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    s = SUPER
    draw.polygon([(8 * s, 24 * s), (22 * s, 24 * s), (20 * s, 21 * s), (10 * s, 21 * s)], fill=(24, 24, 28, 255))
    draw.rectangle([15 * s, 5 * s, 17 * s, 22 * s], fill=(24, 24, 28, 255))
    draw.polygon([(17 * s, 4.5 * s), (17 * s, 15.5 * s), (5.5 * s, 10 * s)], fill=(222, 28, 28, 255))
    draw.polygon([(17 * s, 4.5 * s), (17 * s, 8.5 * s), (9 * s, 8 * s)], fill=(250, 96, 84, 255))
    tile.alpha_composite(big.resize((TILE, TILE), Image.LANCZOS))
    return tile


def sprite_sheet():
    tiles = [covered_tile()] + [number_tile(n) for n in range(1, 9)]
    tiles += [opened_tile(), mine_tile(), flag_tile()]
    sheet = Image.new("RGBA", (TILE * len(tiles), TILE))
    for i, tile in enumerate(tiles):
        sheet.paste(tile, (i * TILE, 0))
    return sheet.convert("RGB")


# ---------------------------------------------------------------------------------------
# Menu strip: buttons in two looks, slider track and knob

def button(size, label, top, bottom, border, text, glow=None):
    width, height = size
    face = vertical_gradient(size, top, bottom)
    draw = ImageDraw.Draw(face)
    draw.line([(3, 1), (width - 4, 1)], fill=mix(top, (255, 255, 255), 0.35))
    centred_text(draw, (0, 0, width, height - 1), label, bold_font(15), text, shadow=(0, 0, 0))
    outline = Image.new("RGBA", size, (0, 0, 0, 0))
    o_draw = ImageDraw.Draw(outline)
    o_draw.rounded_rectangle([0, 0, width - 1, height - 1], radius=7, outline=border, width=2 if glow else 1)
    face.alpha_composite(outline)
    face.putalpha(rounded_mask(size, 7))
    return face


def slider_track():
    track = Image.new("RGBA", (111, 18), (0, 0, 0, 0))
    groove = Image.new("RGBA", (111, 8), (0, 0, 0, 0))
    g_draw = ImageDraw.Draw(groove)
    g_draw.rounded_rectangle([0, 0, 110, 7], radius=4, fill=(14, 18, 26, 255), outline=(120, 140, 170, 255))
    g_draw.line([(4, 2), (106, 2)], fill=(40, 48, 62, 255))
    track.alpha_composite(groove, (0, 5))
    return track


def slider_knob():
    size = 10 * SUPER
    big = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    draw = ImageDraw.Draw(big)
    draw.ellipse([0, 0, size - 1, size - 1], fill=(120, 84, 20, 255))
    draw.ellipse([SUPER, SUPER, size - 1 - SUPER, size - 1 - SUPER], fill=(240, 196, 90, 255))
    draw.ellipse([3 * SUPER, 2 * SUPER, 6 * SUPER, 5 * SUPER], fill=(255, 240, 200, 255))
    return big.resize((10, 10), Image.LANCZOS)


def menu_strip():
    strip = Image.new("RGBA", (533, 32), (0, 0, 0, 0))
    start_normal = button((134, 29), "Start", (58, 104, 150), (28, 58, 92), (150, 180, 215, 255), (255, 255, 255))
    quit_normal = button((71, 32), "Quit", (150, 60, 56), (92, 30, 28), (215, 160, 150, 255), (255, 255, 255))
    start_high = button((134, 29), "Start", (96, 158, 214), (44, 96, 150), (255, 214, 110, 255), (255, 240, 170), glow=True)
    quit_high = button((71, 32), "Quit", (212, 92, 84), (140, 44, 40), (255, 214, 110, 255), (255, 240, 170), glow=True)
    strip.paste(start_normal, (0, 0))
    strip.paste(quit_normal, (134, 0))
    strip.paste(slider_track(), (205, 0))
    strip.paste(slider_knob(), (316, 0))
    strip.paste(start_high, (326, 0))
    strip.paste(quit_high, (462, 0))
    return strip


# ---------------------------------------------------------------------------------------
# Panel, background and win picture

def settings_panel():
    size = (221, 290)
    panel = Image.new("RGBA", size, (12, 18, 30, 0))
    body = Image.new("RGBA", size, (14, 20, 34, 214))
    panel.paste(body, (0, 0), rounded_mask(size, 14))
    draw = ImageDraw.Draw(panel)
    draw.rounded_rectangle([0, 0, 220, 289], radius=14, outline=(150, 172, 206, 230), width=2)
    draw.rounded_rectangle([4, 4, 216, 285], radius=11, outline=(70, 86, 114, 150), width=1)
    for y in (62, 226):
        draw.line([(22, y), (198, y)], fill=(120, 140, 172, 120))
    return panel


def background():
    width, height = 800, 600
    image = vertical_gradient((width, height), (34, 44, 62), (10, 13, 20))
    noise = Noise(20261208)
    coarse = Image.new("L", (100, 75))
    coarse.putdata([int(128 + 60 * noise.signed()) for _ in range(100 * 75)])
    texture = coarse.resize((width, height), Image.BICUBIC).filter(ImageFilter.GaussianBlur(2))
    fine = Image.new("L", (400, 300))
    fine.putdata([int(128 + 40 * noise.signed()) for _ in range(400 * 300)])
    texture = Image.blend(texture, fine.resize((width, height), Image.BICUBIC), 0.35)
    dark = Image.new("RGBA", (width, height), (0, 0, 0, 255))
    light = Image.new("RGBA", (width, height), (120, 140, 170, 255))
    rock = Image.composite(light, dark, texture)
    image = Image.blend(image, rock, 0.12)

    vignette = Image.new("L", (width, height), 0)
    v_draw = ImageDraw.Draw(vignette)
    steps = 60
    for i in range(steps):
        t = i / steps
        v_draw.ellipse(
            [-200 + t * 260, -180 + t * 200, 1000 - t * 260, 780 - t * 200], fill=int(150 * t)
        )
    vignette = vignette.filter(ImageFilter.GaussianBlur(30))
    shade = Image.new("RGBA", (width, height), (0, 0, 0, 255))
    image = Image.composite(image, shade, vignette.point(lambda v: 110 + v))

    # No title or any other mark: a board of up to 780 x 600 pixels, centred, may lie over any
    # part of the background, and must never cut a word in half.
    return image.convert("RGB")


WIN_BACKDROP_ALPHA = 140


def win_picture():
    """A smoked-glass ribbon with a gold edge: the solved board stays readable through it.

    The inside is one even translucency, with no seam that shows more of the board than the
    rest. The words must hold wherever the game shows the picture, over an empty board as
    well, so they only celebrate the cleared field.
    """
    size = (400, 96)
    width, height = size
    radius = 16
    picture = Image.new("RGBA", size, (0, 0, 0, 0))
    glass = vertical_gradient(size, (30, 38, 56), (12, 16, 26))
    glass.putalpha(rounded_mask(size, radius).point(lambda a: a * WIN_BACKDROP_ALPHA // 255))
    picture = Image.alpha_composite(picture, glass)

    # The edge, drawn large and scaled down so its curves stay smooth; opaque gold throughout.
    edge = Image.new("RGBA", (width * SUPER, height * SUPER), (0, 0, 0, 0))
    ImageDraw.Draw(edge).rounded_rectangle(
        [SUPER, SUPER, width * SUPER - 1 - SUPER, height * SUPER - 1 - SUPER],
        radius=(radius - 1) * SUPER, outline=(232, 190, 92, 255), width=2 * SUPER)
    picture = Image.alpha_composite(picture, edge.resize(size, Image.LANCZOS))

    words = Image.new("RGBA", size, (0, 0, 0, 0))
    draw = ImageDraw.Draw(words)
    title_font = bold_font(34)
    for dx, dy in ((-2, 0), (2, 0), (0, -2), (0, 2), (-1, -1), (1, 1), (-1, 1), (1, -1), (2, 2)):
        centred_text(draw, (dx, 10 + dy, width + dx, 56 + dy), "Field cleared!", title_font,
                     (10, 8, 4, 255))
    centred_text(draw, (0, 10, width, 56), "Field cleared!", title_font, (255, 214, 110, 255))
    subtitle_font = regular_font(15)
    for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1), (1, 1)):
        centred_text(draw, (dx, 58 + dy, width + dx, 80 + dy), "Every safe cell is open",
                     subtitle_font, (10, 8, 4, 255))
    centred_text(draw, (0, 58, width, 80), "Every safe cell is open", subtitle_font,
                 (226, 232, 244, 255))
    for cx in (40, width - 40):
        star = []
        for k in range(10):
            star_radius = 15 if k % 2 == 0 else 6
            angle = -math.pi / 2 + k * math.pi / 5
            star.append((cx + star_radius * math.cos(angle), 40 + star_radius * math.sin(angle)))
        draw.polygon(star, fill=(255, 226, 130, 255), outline=(40, 26, 4, 255))
    return Image.alpha_composite(picture, words)


# ---------------------------------------------------------------------------------------
# Desktop icon: a covered cell with a flag planted on it, beside a mine

ICON_SIZES = (32, 48, 64, 128, 256)


ICON_FACE = ((140, 160, 190), (70, 84, 112))


def icon_master():
    """The icon at 1024 pixels; each installed size is scaled down from it."""
    size = 1024
    image = Image.new("RGBA", (size, size), (0, 0, 0, 0))
    face = vertical_gradient((size, size), *ICON_FACE)
    image.paste(face, (0, 0), rounded_mask_exact((size, size), 180))
    draw = ImageDraw.Draw(image)
    draw.rounded_rectangle([24, 24, size - 25, size - 25], radius=160, outline=(206, 218, 234, 255), width=28)
    draw.rounded_rectangle([52, 52, size - 53, size - 53], radius=136, outline=(46, 56, 76, 255), width=20)
    draw_icon_marks(draw)
    return image


def icon_full_bleed(size):
    """The icon for launchers that cut their own shape out of it (Android's maskable icons,
    iOS): the face to every edge, and the mine and flag within the middle 80 %, which every
    shape keeps."""
    marks = Image.new("RGBA", (1024, 1024), (0, 0, 0, 0))
    draw_icon_marks(ImageDraw.Draw(marks))
    image = vertical_gradient((1024, 1024), *ICON_FACE).convert("RGBA")
    small = marks.resize((716, 716), Image.LANCZOS)
    image.alpha_composite(small, (154, 154))
    return image.resize((size, size), Image.LANCZOS)


def draw_icon_marks(draw):
    # The mine, low on the left.
    cx, cy, body, spike = 400, 610, 190, 280
    for k in range(8):
        angle = k * math.pi / 4
        dx, dy = math.cos(angle), math.sin(angle)
        draw.line([(cx - dx * spike, cy - dy * spike), (cx + dx * spike, cy + dy * spike)], fill=(20, 20, 24, 255), width=56)
    draw.ellipse([cx - body, cy - body, cx + body, cy + body], fill=(20, 20, 24, 255))
    draw.ellipse([cx - 120, cy - 120, cx - 20, cy - 20], fill=(235, 235, 240, 255))

    # The flag, high on the right.
    draw.polygon([(560, 860), (880, 860), (840, 790), (600, 790)], fill=(24, 24, 28, 255))
    draw.rectangle([700, 170, 744, 810], fill=(24, 24, 28, 255))
    draw.polygon([(744, 150), (744, 470), (440, 310)], fill=(222, 28, 28, 255))
    draw.polygon([(744, 150), (744, 260), (540, 250)], fill=(250, 96, 84, 255))


def rounded_mask_exact(size, radius):
    mask = Image.new("L", size, 0)
    ImageDraw.Draw(mask).rounded_rectangle([0, 0, size[0] - 1, size[1] - 1], radius=radius, fill=255)
    return mask


# ---------------------------------------------------------------------------------------
# Sounds: 44.1 kHz, 16-bit, stereo

RATE = 44100


def envelope(i, count, attack=0.003, release=0.01):
    t = i / RATE
    rest = (count - 1 - i) / RATE
    return min(1.0, t / attack, rest / release)


def write_wav(path, samples, peak):
    top = max(abs(s) for s in samples) or 1.0
    scale = peak / top
    frames = bytearray()
    for s in samples:
        value = int(round(s * scale * 32767))
        frames += struct.pack("<hh", value, value)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(bytes(frames))


def open_sound():
    """A soft brush of loose earth: muffled noise, no pitch, gone in a tenth of a second."""
    count = int(0.14 * RATE)
    noise = Noise(7)
    low = 0.0
    lower = 0.0
    samples = []
    for i in range(count):
        t = i / RATE
        # Two gentle low-pass stages keep the grit soft; the swell and fall shape a brush.
        low += 0.22 * (noise.signed() - low)
        lower += 0.35 * (low - lower)
        swell = min(1.0, t / 0.012) * math.exp(-t / 0.03)
        samples.append(lower * swell * envelope(i, count, attack=0.002, release=0.02))
    return samples


def explosion_sound():
    """A deep thump under a rumble, with a gritty crackle that small speakers can carry."""
    count = int(0.9 * RATE)
    noise = Noise(1234)
    crackle_noise = Noise(4321)
    low = 0.0
    lower = 0.0
    band_low = 0.0
    band_high = 0.0
    phase = 0.0
    samples = []
    for i in range(count):
        t = i / RATE
        cutoff = 0.02 + 0.25 * math.exp(-t / 0.05)
        low += cutoff * (noise.signed() - low)
        lower += 0.5 * (low - lower)
        rumble = lower * math.exp(-t / 0.28) * 3.0
        phase += 2 * math.pi * (70 * math.exp(-t / 0.25) + 30) / RATE
        thump = math.sin(phase) * math.exp(-t / 0.18)
        crack = noise.signed() * math.exp(-t / 0.012) * 0.6
        # Noise kept between a few hundred hertz and a few kilohertz: the body of the blast
        # where laptop speakers still play, fading over the first third of a second.
        raw = crackle_noise.signed()
        band_low += 0.45 * (raw - band_low)
        band_high += 0.06 * (band_low - band_high)
        crackle = (band_low - band_high) * 5.0 * math.exp(-t / 0.4)
        samples.append((rumble + thump + crack + crackle) * envelope(i, count, release=0.08))
    return samples


def flag_sound():
    """A crisp wooden click: the flag pole set down."""
    count = int(0.07 * RATE)
    noise = Noise(99)
    samples = []
    for i in range(count):
        t = i / RATE
        tone = math.sin(2 * math.pi * 1900 * t) * 0.7 + math.sin(2 * math.pi * 3100 * t) * 0.35
        body = math.sin(2 * math.pi * 620 * t) * 0.5 * math.exp(-t / 0.02)
        tick = noise.signed() * math.exp(-t / 0.003) * 0.5
        samples.append((tone * math.exp(-t / 0.012) + body + tick) * envelope(i, count, attack=0.0005))
    return samples


def main():
    gfx, sfx, fonts = ROOT / "gfx", ROOT / "sfx", ROOT / "fonts"
    for folder in (gfx, sfx, fonts):
        folder.mkdir(exist_ok=True)

    sprite_sheet().save(gfx / "sprites.png", optimize=True)
    menu_strip().save(gfx / "menu.png", optimize=True)
    settings_panel().save(gfx / "alphatest.png", optimize=True)
    win_picture().save(gfx / "win.png", optimize=True)
    background().save(gfx / "back800.png", optimize=True)

    write_wav(sfx / "mvstn.wav", open_sound(), 0.2)
    write_wav(sfx / "explosion.wav", explosion_sound(), 0.85)
    write_wav(sfx / "click.wav", flag_sound(), 0.5)

    icons = ROOT / "dist" / "icons"
    icons.mkdir(parents=True, exist_ok=True)
    master = icon_master()
    for size in ICON_SIZES:
        master.resize((size, size), Image.LANCZOS).save(icons / f"{size}.png", optimize=True)
    # The web game's, for its manifest and the home screens it is added to.
    web_icons = ROOT / "dist" / "web" / "icons"
    web_icons.mkdir(parents=True, exist_ok=True)
    for size in (192, 512):
        master.resize((size, size), Image.LANCZOS).save(web_icons / f"{size}.png", optimize=True)
    icon_full_bleed(512).save(web_icons / "maskable-512.png", optimize=True)
    icon_full_bleed(180).save(web_icons / "apple-touch-180.png", optimize=True)
    # The Windows program's and installer's icon, every size in one file.
    master.save(ROOT / "dist" / "windows" / "dunmarrow.ico",
                sizes=[(size, size) for size in (16, 24, 32, 48, 64, 128, 256)])

    shutil.copyfile(VERA_DIR / "Vera.ttf", fonts / "vera.ttf")
    shutil.copyfile(VERA_LICENCE, fonts / "vera-licence.txt")


if __name__ == "__main__":
    main()
