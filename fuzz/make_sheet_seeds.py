#!/usr/bin/env python3
"""Writes the seed inputs of the sheet fuzz target into fuzz/corpus/sheet/.

Each seed is six bytes choosing the run (see ReadSetup in sheet_fuzzer.cpp), then a PNG file:
sheets drawn by fontsheet itself from the example and test fonts and from small fonts made here,
sheets drawn here in every PNG colour type, bit depth and interlace method, and damaged ones.
The small sheets come once more in the raw form, their IDAT data uncompressed (the fuzz target
compresses it and makes every CRC right), so that mutations reach the pixels.

    fuzz/make_sheet_seeds.py [path/to/fontsheet]     (default: build/fontsheet)
"""
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

here = pathlib.Path(__file__).resolve().parent
root = here.parent
corpus = here / "corpus" / "sheet"
fontsheet = pathlib.Path(sys.argv[1] if len(sys.argv) > 1 else root / "build" / "fontsheet")

SCALES = [None, 1, 1, 1, 1, 1, 2, 2, 3, 3, 4, 5, 7, 8, 12, 16]
PER_LINE = [None, 1, 2, 3, 4, 5, 7, 8, 10, 16, 17, 32, 64, 255, 1000, 4096]
COLOURS = [0x000000, 0xFFFFFF, 0x00FF00, 0xFF0000, 0x0000FF, 0x808080, 0x313131, 0xE6E6E6]
OUTPUTS = ["free", "exists", "write_fails", "appears"]
INPUTS = ["whole", "pieces", "short", "no_open"]
FORMS = ["as_is", "crc", "raw"]

BG, FG, DM, G5, G10 = 0xE6E6E6, 0x000000, 0x00FF00, 0xCCFFFF, 0x99FFFF


def size_byte(n):
    if 1 <= n <= 24:
        return n - 1
    assert n % 4 == 0 and 4 <= n <= 256, n
    return 192 + (n - 4) // 4


def prefix(w, h, scale=None, per_line=None, v=False, nd=False, rows=False, pages=False,
           lsb=False, msb=False, y=False, cd=None, bw=False, output="free", input="whole",
           form="as_is"):
    flags = (v << 0) | (nd << 1) | (rows << 2) | (pages << 3) | (lsb << 4) | (msb << 5)
    flags |= (y << 6) | ((cd is not None) << 7)
    extra = (COLOURS.index(cd) if cd is not None else 0) | (bw << 3)
    extra |= OUTPUTS.index(output) << 4 | INPUTS.index(input) << 6
    return bytes([size_byte(w), size_byte(h), SCALES.index(scale) | PER_LINE.index(per_line) << 4,
                  flags, extra, FORMS.index(form)])


def options_of(scale=None, per_line=None, v=False, nd=False, rows=False, pages=False,
               lsb=False, msb=False, y=False, cd=None, bw=False, **_):
    """The command line options that draw a sheet read back with these prefix choices."""
    options = []
    if scale is not None:
        options.append("/S%d" % scale)
    if per_line is not None:
        options.append("/L%d" % per_line)
    for flag, text in ((v, "/V"), (nd, "/ND"), (rows, "/ROWS"), (pages, "/PAGES"), (lsb, "/LSB"),
                       (msb, "/MSB"), (bw, "/BW")):
        if flag:
            options.append(text)
    if cd is not None:
        options.append("/CD%06X" % cd)
    return options


# --- PNG writing ---------------------------------------------------------------------------------

def chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def filter_rows(rows, bpp):
    """Filters each row with the types 0 to 4 in turn."""
    out = bytearray()
    previous = bytes(len(rows[0])) if rows else b""
    for index, row in enumerate(rows):
        kind = index % 5
        out.append(kind)
        for i, x in enumerate(row):
            a = row[i - bpp] if i >= bpp else 0
            b = previous[i]
            c = previous[i - bpp] if i >= bpp else 0
            predictor = [0, a, b, (a + b) >> 1, paeth(a, b, c)][kind]
            out.append((x - predictor) & 0xFF)
        previous = row
    return bytes(out)


def pack_row(samples, depth):
    """Samples of one row (each a tuple of channel values) as bytes."""
    if depth == 16:
        return b"".join(struct.pack(">H", s) for pixel in samples for s in pixel)
    if depth == 8:
        return bytes(s for pixel in samples for s in pixel)
    out = bytearray()
    bits = 0
    count = 0
    for pixel in samples:
        for s in pixel:
            bits = (bits << depth) | s
            count += depth
            if count == 8:
                out.append(bits)
                bits = count = 0
    if count:
        out.append(bits << (8 - count))
    return bytes(out)


ADAM7 = [(0, 0, 8, 8), (4, 0, 8, 8), (0, 4, 4, 8), (2, 0, 4, 4), (0, 2, 2, 4), (1, 0, 2, 2),
         (0, 1, 1, 2)]


def chunks(data):
    """The chunks of a PNG file as (type, data) pairs."""
    at = 8
    while at + 12 <= len(data):
        length = struct.unpack(">I", data[at:at + 4])[0]
        yield data[at + 4:at + 8], data[at + 8:at + 8 + length]
        at += 12 + length


def raw_form(data):
    """The file with its image data uncompressed, in one IDAT chunk, for the raw form."""
    out = data[:8]
    image = b""
    for kind, body in chunks(data):
        if kind == b"IDAT":
            image += body
            continue
        if image:
            out += chunk(b"IDAT", zlib.decompress(image))
            image = b""
        out += chunk(kind, body)
    return out


def png(samples, colour_type, depth, palette=None, interlace=False, before_idat=b"",
        after_idat=b""):
    """samples: rows of pixels, each pixel a tuple of channel values at the depth."""
    height = len(samples)
    width = len(samples[0])
    channels = len(samples[0][0])
    bpp = max(1, channels * depth // 8)
    if interlace:
        data = b""
        for x0, y0, dx, dy in ADAM7:
            rows = [pack_row(samples[y][x0::dx], depth) for y in range(y0, height, dy)]
            rows = [r for r in rows if r]
            if rows:
                data += filter_rows(rows, bpp)
    else:
        data = filter_rows([pack_row(r, depth) for r in samples], bpp)
    out = b"\x89PNG\r\n\x1a\n"
    out += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, depth, colour_type, 0, 0,
                                      int(interlace)))
    if palette is not None:
        out += chunk(b"PLTE", b"".join(bytes(rgb) for rgb in palette))
    out += before_idat
    compressed = zlib.compress(data, 9)
    half = len(compressed) // 2
    out += chunk(b"IDAT", compressed[:half]) + chunk(b"IDAT", compressed[half:])
    out += after_idat
    out += chunk(b"IEND", b"")
    return out


# --- Sheets drawn here ---------------------------------------------------------------------------

def rgb(colour):
    return (colour >> 16 & 0xFF, colour >> 8 & 0xFF, colour & 0xFF)


def draw(glyphs, w, h, k=1, per_line=16, d=1, vertical=False, bg=BG, fg=FG, dm=DM, g5=G5,
         g10=G10):
    """A sheet as rows of RGB colours; glyphs are lists of h strings of w characters, '#' ink."""
    n = len(glyphs)
    along = min(per_line, n)
    lines = (n + per_line - 1) // per_line
    across, down = (lines, along) if vertical else (along, lines)
    width = across * w * k + (across + 1) * d
    height = down * h * k + (down + 1) * d
    pixels = [[dm] * width for _ in range(height)]
    for i, glyph in enumerate(glyphs):
        line, place = divmod(i, per_line)
        col, row = (line, place) if vertical else (place, line)
        x0 = d + col * (w * k + d)
        y0 = d + row * (h * k + d)
        for r in range(h):
            for c in range(w):
                if glyph[r][c] == "#":
                    colour = fg
                elif (c + 1) % 10 == 0 or (r + 1) % 10 == 0:
                    colour = g10
                elif (c + 1) % 5 == 0 or (r + 1) % 5 == 0:
                    colour = g5
                else:
                    colour = bg
                for y in range(y0 + r * k, y0 + (r + 1) * k):
                    for x in range(x0 + c * k, x0 + (c + 1) * k):
                        pixels[y][x] = colour
    return pixels


def glyph_set(w, h, count):
    """A few recognisable shapes: a frame, diagonals, a checker board, stripes."""
    shapes = []
    for i in range(count):
        rows = []
        for r in range(h):
            row = ""
            for c in range(w):
                kind = i % 4
                on = [r in (0, h - 1) or c in (0, w - 1), (r + i) % max(w, 1) == c,
                      (r + c + i) % 2 == 0, (c + i) % 3 == 0][kind]
                row += "#" if on else "."
            rows.append(row)
        shapes.append(rows)
    return shapes


def as_rgb(pixels):
    return [[rgb(p) for p in row] for row in pixels]


# --- Fonts drawn by fontsheet --------------------------------------------------------------------

def font_text(w, h, glyphs):
    """A font of column bytes, LSB at the top, as C source."""
    size = w * ((h + 7) // 8)
    lines = []
    for glyph in glyphs:
        data = []
        for c in range(w):
            for page in range((h + 7) // 8):
                byte = 0
                for bit in range(8):
                    r = page * 8 + bit
                    if r < h and glyph[r][c] == "#":
                        byte |= 1 << bit
                data.append("0x%02X" % byte)
        lines.append("  {" + ", ".join(data) + "}")
    return "const unsigned char f[%d][%d] = {\n%s\n};\n" % (len(glyphs), size, ",\n".join(lines))


def drawn(work, font_path, w, h, choices, draw_options=()):
    """The sheet fontsheet draws for this font, with the options the choices stand for."""
    name = "%dx%d_f.h" % (w, h)
    target = work / name
    shutil.copyfile(font_path, target)
    sheet = work / ("%dx%d_f.png" % (w, h))
    if sheet.exists():
        sheet.unlink()
    command = [str(fontsheet), name] + options_of(**choices) + list(draw_options)
    result = subprocess.run(command, cwd=work, capture_output=True)
    if result.returncode != 0:
        sys.exit("fontsheet failed: %s\n%s" % (command, result.stdout.decode("latin-1")))
    return sheet.read_bytes()


def main():
    if not fontsheet.exists():
        sys.exit("build fontsheet first (cmake --preset default && cmake --build --preset "
                 "default), or give its path")
    seeds = {}
    work = pathlib.Path(tempfile.mkdtemp())
    try:
        made = work / "made"
        made.mkdir()

        def font(w, h, count):
            path = made / ("%dx%d.h" % (w, h))
            path.write_text(font_text(w, h, glyph_set(w, h, count)))
            return path

        fonts = {
            "example_8x8": (root / "examples" / "8x8_basic_dhepper.h", 8, 8),
            "ht1632_5x7": (root / "tests" / "data" / "fonts" / "5x7_commented_decl_ht1632.h", 5,
                           7),
            "stm32_5x7": (root / "tests" / "data" / "fonts" / "5x7_utf8_turkish_comments_stm32.h",
                          5, 7),
            "citren_8x8": (root / "tests" / "data" / "fonts" / "8x8_cpp_attribute_citren0.h", 8,
                           8),
        }
        for name, (path, w, h) in fonts.items():
            seeds["drawn_" + name] = prefix(w, h) + drawn(work, path, w, h, {})
        variants = [
            ("example_8x8_vertical_nd", "example_8x8", dict(v=True, nd=True, per_line=32)),
            ("example_8x8_rows_msb", "example_8x8", dict(rows=True, per_line=64)),
            ("example_8x8_pages_bw", "example_8x8", dict(pages=True, bw=True, per_line=32)),
            ("ht1632_scale2_l10", "ht1632_5x7", dict(scale=2, per_line=10)),
            ("stm32_lsb_cd", "stm32_5x7", dict(lsb=True, cd=0x808080, per_line=17)),
        ]
        for name, base, choices in variants:
            path, w, h = fonts[base]
            seeds["drawn_" + name] = prefix(w, h, **choices) + drawn(work, path, w, h, choices)

        small = [
            ("1x1", 1, 1, 5, dict(per_line=2)),
            ("3x5", 3, 5, 7, dict(scale=3, per_line=3)),
            ("8x16_rows", 8, 16, 6, dict(rows=True, per_line=4)),
            ("8x16_pages_v", 8, 16, 6, dict(pages=True, v=True, per_line=5)),
            ("10x10_grid", 10, 10, 4, dict(scale=2, per_line=3)),
            ("12x12_msb", 12, 12, 3, dict(msb=True, nd=True)),
            ("16x16_rows_lsb", 16, 16, 2, dict(rows=True, lsb=True, y=True)),
            ("24x9_s16", 24, 9, 1, dict(scale=16, per_line=1)),
            ("20x3_l1_v", 20, 3, 3, dict(per_line=1, v=True, cd=0xFFFFFF)),
            ("7x13", 7, 13, 9, dict(per_line=4, cd=0xFF0000)),
        ]
        for name, w, h, count, choices in small:
            seeds["drawn_" + name] = prefix(w, h, **choices) + drawn(work, font(w, h, count), w, h,
                                                                     choices)
        # Colours of a paint program: red ink, a darker paper; the delimiter as it was.
        path, w, h = fonts["ht1632_5x7"]
        seeds["drawn_red_ink"] = prefix(w, h, per_line=32) + drawn(
            work, path, w, h, dict(per_line=32), ["/CFC00000", "/CBFFFFE0", "/CG5E0E0E0"])
        # Paper that reads as ink: every block is ink, including the grid lines.
        seeds["drawn_dark_paper"] = prefix(w, h, per_line=32) + drawn(
            work, path, w, h, dict(per_line=32), ["/CB202020"])
    finally:
        shutil.rmtree(work)

    base = seeds["drawn_example_8x8"]
    png_part = base[6:]
    # The run's other outcomes on a good sheet.
    seeds["output_exists"] = prefix(8, 8, output="exists") + png_part
    seeds["output_exists_y"] = prefix(8, 8, y=True, output="exists") + png_part
    seeds["output_write_fails"] = prefix(8, 8, output="write_fails") + png_part
    seeds["output_appears"] = prefix(8, 8, output="appears") + png_part
    seeds["input_pieces"] = prefix(8, 8, input="pieces") + png_part
    seeds["input_short"] = prefix(8, 8, input="short") + png_part
    seeds["input_no_open"] = prefix(8, 8, input="no_open") + png_part
    # Options that don't match the sheet.
    seeds["wrong_scale"] = prefix(8, 8, scale=2) + png_part
    seeds["wrong_delimiter"] = prefix(8, 8, nd=True) + png_part
    seeds["wrong_per_line"] = prefix(8, 8, per_line=8) + png_part
    seeds["wrong_size"] = prefix(7, 8) + png_part
    seeds["rows_width_5"] = prefix(5, 7, rows=True) + seeds["drawn_ht1632_5x7"][6:]

    # Every colour type and depth, drawn here. Greys keep to the levels of their depth.
    glyphs = glyph_set(5, 7, 5)
    colours = draw(glyphs, 5, 7, per_line=3)
    seeds["rgb8_filters"] = prefix(5, 7, per_line=3) + png(as_rgb(colours), 2, 8)
    seeds["rgb8_interlaced"] = prefix(5, 7, per_line=3) + png(as_rgb(colours), 2, 8,
                                                              interlace=True)
    seeds["rgb16"] = prefix(5, 7, per_line=3) + png(
        [[tuple(s * 256 + (x & 0x7F) for s in rgb(p)) for x, p in enumerate(row)]
         for row in colours], 2, 16)
    seeds["rgba8"] = prefix(5, 7, per_line=3) + png(
        [[rgb(p) + ((x * 37) & 0xFF,) for x, p in enumerate(row)] for row in colours], 6, 8)
    seeds["rgba16_interlaced"] = prefix(5, 7, per_line=3) + png(
        [[tuple(s * 257 for s in rgb(p)) + (x * 999,) for x, p in enumerate(row)]
         for row in colours], 6, 16, interlace=True)
    palette = sorted({p for row in colours for p in row})
    indices = [[(palette.index(p),) for p in row] for row in colours]
    seeds["palette8"] = prefix(5, 7, per_line=3) + png(indices, 3, 8,
                                                       palette=[rgb(p) for p in palette])
    seeds["palette4_interlaced"] = prefix(5, 7, per_line=3) + png(
        indices, 3, 4, palette=[rgb(p) for p in palette], interlace=True)
    seeds["palette4_trns_text"] = prefix(5, 7, per_line=3) + png(
        indices, 3, 4, palette=[rgb(p) for p in palette],
        before_idat=chunk(b"tRNS", b"\x00\x80") + chunk(b"tEXt", b"Comment\x00drawn by hand"))
    seeds["palette_index_out_of_range"] = prefix(5, 7, per_line=3) + png(
        [[(min(i[0] + 1, 15),) for i in row] for row in indices], 3, 4,
        palette=[rgb(p) for p in palette])

    def grey_sheet(depth, ink, paper, delimiter, cd, interlace=False, nd=False):
        levels = (1 << depth) - 1
        pixels = draw(glyphs, 5, 7, per_line=3, d=0 if nd else 1, bg=paper, fg=ink, dm=delimiter,
                      g5=paper, g10=paper)
        samples = [[((p & 0xFF) * levels // 255,) for p in row] for row in pixels]
        return prefix(5, 7, per_line=3, cd=cd, nd=nd) + png(samples, 0, depth,
                                                            interlace=interlace)

    seeds["grey1_nd"] = grey_sheet(1, 0x000000, 0xFFFFFF, 0xFFFFFF, None, nd=True)
    seeds["grey1_white_delimiter"] = grey_sheet(1, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF)
    seeds["grey2_interlaced"] = grey_sheet(2, 0x000000, 0xAAAAAA, 0xFFFFFF, 0xFFFFFF,
                                           interlace=True)
    seeds["grey4"] = grey_sheet(4, 0x000000, 0xEEEEEE, 0xFFFFFF, 0xFFFFFF)
    seeds["grey8_dark_delimiter"] = grey_sheet(8, 0x000000, 0xE6E6E6, 0x313131, 0x313131)
    seeds["grey8_bw"] = grey_sheet(8, 0x000000, 0xE6E6E6, 0xE6E6E6, 0xE6E6E6)
    grey16 = [[((p & 0xFF) * 256 + (x % 2),) for x, p in enumerate(row)]
              for row in draw(glyphs, 5, 7, per_line=3, dm=0x808080, bg=0xE6E6E6, g5=0xCCCCCC,
                              g10=0x999999)]
    seeds["grey16_interlaced"] = prefix(5, 7, per_line=3, cd=0x808080) + png(grey16, 0, 16,
                                                                             interlace=True)
    seeds["grey_alpha8"] = prefix(5, 7, per_line=3, cd=0x808080) + png(
        [[(s[0] >> 8, 200) for s in row] for row in grey16], 4, 8)

    # Geometry and reading faults on sheets drawn here.
    mixed = draw(glyphs, 5, 7, k=2, per_line=3)
    mixed[1 + 2 * 3 + 1][1 + 2 * 2 + 1] = 0x000000  # not the top-left pixel of a paper block
    seeds["mixed_block"] = prefix(5, 7, scale=2, per_line=3) + png(as_rgb(mixed), 2, 8)
    gap = draw(glyphs + [glyphs[0]], 5, 7, per_line=3)
    for y in range(1 + 8, 1 + 8 + 7):  # empty the fourth cell, the first of the second line
        for x in range(1, 6):
            gap[y][x] = DM
    seeds["empty_before_used"] = prefix(5, 7, per_line=3) + png(as_rgb(gap), 2, 8)
    hole = draw(glyphs[:3] + glyphs[:3], 5, 7, per_line=3)
    for y in range(1 + 8, 1 + 8 + 7):  # empty the fifth cell only, between two used ones
        for x in range(7, 12):
            hole[y][x] = DM
    seeds["used_after_empty"] = prefix(5, 7, per_line=3) + png(as_rgb(hole), 2, 8)
    # Colours on both sides of the ink rule: 49 is ink, 50 is not.
    seeds["ink_threshold"] = prefix(5, 7, per_line=3) + png(
        as_rgb(draw(glyphs, 5, 7, per_line=3, fg=0xFF31FF, bg=0x32FFFF, g5=0xFF3232,
                    g10=0x323232)), 2, 8)
    blank = [["." * 5] * 7]
    seeds["blank_symbols"] = prefix(5, 7, per_line=3) + png(
        as_rgb(draw(blank * 4, 5, 7, per_line=3, bg=DM, g5=DM, g10=DM)), 2, 8)
    many = [[0x000000] * 4096 for _ in range(2)]
    many[1][1:] = [0x00FF00] * 4095
    seeds["symbols_4097"] = prefix(1, 1, per_line=4096, nd=True) + png(as_rgb(many), 2, 8)
    seeds["symbols_4096"] = prefix(1, 1, per_line=4096, nd=True) + png(as_rgb(many[:1]), 2, 8)

    # Damaged files.
    good = seeds["rgb8_filters"][6:]
    head = prefix(5, 7, per_line=3)
    seeds["truncated"] = head + good[:len(good) // 2]
    seeds["no_iend"] = head + good[:-12]
    seeds["after_iend"] = head + good + b"trailing bytes"
    broken = bytearray(good)
    broken[40] ^= 0x01
    seeds["bad_crc"] = head + bytes(broken)
    seeds["text_before_ihdr"] = head + good[:8] + chunk(b"tEXt", b"a\x00b") + good[8:]
    seeds["unknown_critical"] = head + png(as_rgb(colours), 2, 8, before_idat=chunk(b"QzQz", b""))
    split = png(as_rgb(colours), 2, 8)
    first_idat = split.find(b"IDAT") - 4
    length = struct.unpack(">I", split[first_idat:first_idat + 4])[0]
    cut = first_idat + 12 + length
    seeds["idat_split"] = head + split[:cut] + chunk(b"tEXt", b"a\x00b") + split[cut:]
    seeds["plte_in_grey"] = head + png([[(0,)]], 0, 8, palette=[(0, 0, 0)])
    raw = b"\x05" + bytes(3)
    seeds["filter_type_5"] = prefix(1, 1, nd=True) + (
        b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 2, 0, 0, 0)) +
        chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))
    seeds["too_much_data"] = prefix(1, 1, nd=True) + (
        b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 2, 0, 0, 0)) +
        chunk(b"IDAT", zlib.compress(bytes(8))) + chunk(b"IEND", b""))
    seeds["huge_header"] = prefix(8, 8) + (
        b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 10000, 10000, 8, 2, 0, 0, 0)) +
        chunk(b"IDAT", zlib.compress(bytes(100))))
    seeds["not_png"] = prefix(8, 8) + (root / "examples" / "8x8_basic_dhepper.h").read_bytes()[:2000]

    # Damaged files whose CRCs the fuzz target makes right, and faults behind them.
    seeds["crc_bad_crc"] = prefix(5, 7, per_line=3, form="crc") + bytes(broken)
    seeds["crc_unknown_critical"] = seeds["unknown_critical"][:5] + b"\x01" + seeds[
        "unknown_critical"][6:]
    seeds["raw_filter_type_5"] = prefix(1, 1, nd=True, form="raw") + (
        b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 1, 1, 8, 2, 0, 0, 0)) +
        chunk(b"IDAT", raw) + chunk(b"IEND", b""))
    seeds["raw_too_little_data"] = prefix(2, 1, nd=True, form="raw") + (
        b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", 2, 1, 8, 2, 0, 0, 0)) +
        chunk(b"IDAT", bytes(5)) + chunk(b"IEND", b""))

    # The raw form of every small sheet that decodes.
    for name in sorted(seeds):
        data = seeds[name]
        if name.startswith(("crc_", "raw_")) or data[5] != 0:
            continue
        try:
            raw_sheet = raw_form(data[6:])
        except zlib.error:
            continue
        if len(raw_sheet) < 6 * 1024 and b"IEND" in raw_sheet:
            seeds["raw_" + name] = data[:5] + bytes([FORMS.index("raw")]) + raw_sheet

    if corpus.exists():
        shutil.rmtree(corpus)
    corpus.mkdir(parents=True)
    for name, data in sorted(seeds.items()):
        assert len(data) < 20 * 1024, (name, len(data))
        (corpus / name).write_bytes(data)
    print("%d seeds written to %s" % (len(seeds), corpus))


main()
