#!/usr/bin/env python3
"""Writes the seed inputs of the fuzz targets into fuzz/corpus/.

walk: two bytes choosing the symbol size (value % 8192 + 1), then the font text.
params: the arguments separated by NUL bytes.
"""
import pathlib

here = pathlib.Path(__file__).resolve().parent
corpus = here / "corpus"


def size_prefix(symbol_size):
    value = symbol_size - 1
    return bytes([value >> 8, value & 0xFF])


walk = {
    "example_8x8": (8, (here.parent / "examples" / "8x8_basic_dhepper.h").read_bytes()),
    "two_symbols": (2, b"{{0x01,0x02},{3,4}}"),
    "hex_short": (2, b"{{0x1,255}}"),
    "decimal_too_big": (2, b"{{256,1}}"),
    "hex_three_digits": (2, b"{{0x123}}"),
    "hex_three_digits_size1": (1, b"{{0x123}}"),
    "hex_empty": (2, b"{{0x,1}}"),
    "double_prefix": (2, b"{{0x10x5,1}}"),
    "space_inside": (2, b"{{1 2,3}}"),
    "huge_decimal": (2, b"{{4294967296,1}}"),
    "prefix_after_number": (2, b"{{0x01 0x02}}"),
    "commas_inside": (2, b"{{0x01,,0x02}}"),
    "comma_first": (2, b"{{,1,2}}"),
    "trailing_comma": (2, b"{{0x01,}}"),
    "commas_between": (2, b"{{1,2},,{3,4}}"),
    "letter_between": (2, b"{{1,2} A {3,4}}"),
    "brace_inside": (2, b"{{1,{2}}"),
    "close_first": (2, b"} {{1,2}}"),
    "comments": (2, b"// {{\n/* } */ # {\n{ /*x*/{1,/**/2}//}\n,{3,4}}"),
    "directive_block": (2, b"# define /* spans\nlines */ {{1,2}}"),
    "block_star_slash": (1, b"/*/ {{ */{{7}}"),
    "crlf": (2, b"{\r\n{1,\r\n2}\r\n}\r\n"),
    "nul_bytes": (2, b"{\0{0\0x1,2}}"),
    "big_symbol": (8192, b"{{" + b",".join(b"0x%02x" % (i % 256) for i in range(8192)) + b"}}"),
    "many_symbols": (1, b"{" + b",".join(b"{%d}" % (i % 256) for i in range(4100)) + b"}"),
}

params = {
    "none": [],
    "font": ["8x16_font.h"],
    "options": ["-cg10123456", "/cd000000", "8x16_font.h", "/bw", "-v", "/nd"],
    "png_first": ["8x16_font.h", "8x16_a.png"],
    "help": ["-?", "1x8_t.h"],
    "eleven": ["/x"] * 10 + ["8x16_font.h"],
    "empty": ["", "8x8_a.h", ""],
    "gone": ["8x8_gone.h"],
    "big": ["8x8_big.h"],
    "nosize": ["8x8_nosize.h"],
    "short": ["8x8_short.h"],
    "dir": ["8x8_dir.h", "9x9_b.h"],
    "out_of_range": ["300x8_f.h", "0x8_f.h", "8x0_f.h"],
    "utf8": ["8x16_\u00e9t\u00e9.h", "/cb\u00e9\u00e9\u00e9\u00e9\u00e9\u00e9"],
    "paths": ["dir.x\\8x8_f", "a/b/16x16_c.txt", "c:8x8_d"],
}

for name, (symbol_size, text) in walk.items():
    (corpus / "walk").mkdir(parents=True, exist_ok=True)
    (corpus / "walk" / name).write_bytes(size_prefix(symbol_size) + text)
for name, arguments in params.items():
    (corpus / "params").mkdir(parents=True, exist_ok=True)
    data = b"\0".join(argument.encode("utf-8") for argument in arguments)
    (corpus / "params" / name).write_bytes(data)
params_latin1 = corpus / "params" / "latin1"
params_latin1.write_bytes(b"8x16_\xe9t\xe9.h\0/CB\xff\xfe")


# array: five bytes choosing the rules (see array_fuzzer.cpp), then the text.
def array_rules(bits=8, skip=0, per_symbol=2, max_symbols=4, index=0, defines=0, mapped=False):
    return bytes([{8: 0, 16: 1, 32: 2}[bits] + 3 * skip, per_symbol + 5 * (max_symbols - 1),
                  index, defines, int(mapped)])


array = {
    "flat": (array_rules(), b"const unsigned char font[] = {0x01, 0x02, 3, 4};\n"),
    "nested_crlf": (array_rules(per_symbol=3),
                    b"uint8_t f[][3] PROGMEM = {\r\n  {1, 2, 3},  // a\r\n  {4, 5, 6},\r\n};\r\n"),
    "spellings": (array_rules(bits=16, per_symbol=1),
                  b"int f[] = {0, 010, 0X1f, 0b101, 7uLL, 'A', '\\777', B1010, 0xFFFF, 08};"),
    "groups": (array_rules(defines=5),
               b"#define X 1\n#undef Y\nchar f[] = {\n#if X && 1\n1,\n#elif defined(a)\n2,\n"
               b"#else\n3,\n#endif\n#ifdef B\n4,\n#endif\n};"),
    "splices": (array_rules(), b"char f\\\n[] = {0x\\\r\n1F, 2, // c \\\n x,\n 3};"),
    "two_arrays": (array_rules(index=1, per_symbol=0),
                   b"std::array<int, 2> w{1, 2};\nstruct S { char g[2]; };\n"
                   b"FONTDECL(big) = {{1}, {2, 3}, {}};"),
    "too_many": (array_rules(per_symbol=1, max_symbols=2), b"char f[]={{1},{2},{3},x"),
    "skip": (array_rules(skip=2, per_symbol=2), b"char f[]={9, 9, 1, 2, 3};"),
    "mapped": (array_rules(mapped=True), bytes(range(0, 256, 3))),
    "mapped_nested": (array_rules(per_symbol=0, mapped=True),
                      bytes([29, 1, 23, 2, 31, 23, 29, 3, 31, 23, 29, 31, 31])),
    "example": (array_rules(per_symbol=8),
                (here.parent / "examples" / "8x8_basic_dhepper.h").read_bytes()),
}
for name, (rules, text) in array.items():
    (corpus / "array").mkdir(parents=True, exist_ok=True)
    (corpus / "array" / name).write_bytes(rules + text)
