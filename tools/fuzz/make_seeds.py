#!/usr/bin/env python3
"""Writes the seed skins of the skin fuzzer into tests/data/skins-seed.

Each seed is one byte naming the reader (0 inflated stream, 1 zlib data, 2 packed file,
3 description text) followed by that reader's input. Small on purpose: the fuzzer mutates them.

With --large DIR it writes instead the large seeds into DIR (scripts/fuzz does this for each
run rather than keeping megabytes in the repository): a description and a picture of over 1 MB,
and streams that inflate past the bound of a skin, so that the fuzzer reaches those paths.
"""
import os
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "..", "tests", "data", "skins-seed")


def bmp(width, height, bits=24, top_down=False, core=False, bitfields=False):
    stride = ((width * bits + 31) // 32) * 4
    palette = b""
    if bits <= 8:
        entries = 1 << bits
        palette = b"".join(bytes((i * 37 % 256, i * 91 % 256, i * 13 % 256) + (() if core else (0,)))
                           for i in range(entries))
    masks = struct.pack("<III", 0xF800, 0x07E0, 0x001F) if bitfields else b""
    rows = bytes((x * 7 + y * 3) % 256 for y in range(height) for x in range(stride))
    if core:
        info = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        info = struct.pack("<IiiHHIIiiII", 40, width, -height if top_down else height, 1, bits,
                           3 if bitfields else 0, len(rows), 2835, 2835, 0, 0)
    offset = 14 + len(info) + len(masks) + len(palette)
    header = b"BM" + struct.pack("<IHHI", offset + len(rows), 0, 0, offset)
    return header + info + masks + palette + rows


TEXT = "\r\n".join([
    "[VERSION]", "ver=1", "skinname=Seed", "skinauthor=Fuzz",
    "[PICTURES]", "picture=frame.bmp", "inactivepicture=", "mask=mask.bmp",
    "activepicturescount=2", "0=atlas.bmp", "1=popup.bmp",
    "[FORMINFO]", "lefttoppoint=12,36", "righttoppoint=180,30", "leftbottompoint=5,100",
    "rightbottompoint=190,110", "clientrect=14,27,208,156", "bgpictureindex=$1",
    "maskrectarea=0,0,0,0", "hittestlefttoppoint=0,9", "buttonsrect=0x10,2,60,20",
    "inactiveeffect=iegrayscale", "borderwidth=-3",
    "[POPUPWINDOW]", "windowpictureindex=1", "itemsrect=4,4,60,44", "topstretch=1",
    "[HINTWINDOW]", "windowpictureindex=0", "clientrect=2,2,40,20", "fontstyle=fsbold,fsitalic",
    "[SKINCOLORS]", "cbtnface=12345", "cwindow=$FFFFFF",
    "[SKINOBJECTS]", "count=4", "0=caption:caption", "1=close:stdbutton", "2=menuitem:menuitem",
    "3=anim:animate",
    "[caption]", "textrect=1,2,3,4", "alignment=taleftjustify", "morphing=1", "morphkind=mkpush",
    "[close]", "command=cmclose", "disableskinrsect=1,1,2,2",
    "[menuitem]", "fontheight=11", "dividerrect=0,0,10,2",
    "[anim]", "countframes=3", "command=cmsysmenu",
    "[SKINCONTROLS]", "count=6", "0=button:button", "1=panel:panel", "2=listbox:listbox",
    "3=tab:tab", "4=hscrollbar:scrollbar", "5=odd:unknown",
    "[button]", "skinrect=0,0,64,25", "clientrect=3,3,61,22", "framecount=2", "morphkind=mkleftslide",
    "[panel]", "captionrect=0,0,64,20", "fontstyle=fsunderline",
    "[listbox]", "itemrect=0,0,64,18", "vscrollbarname=vscrollbar",
    "[tab]", "tabrect=0,68,48,90", "updown=hupdown", "lefttoppoint=2,2",
    "[hscrollbar]", "thumbrect=0,0,30,19", "thumbtransparent=1", "thumbtransparentcolor=16711935",
    "",
])


def inflated(version, main, pictures, text):
    out = struct.pack("<i", version)
    for picture in main:
        out += b"\x01" if picture is None else b"\x00" + picture
    out += struct.pack("<i", len(pictures))
    for picture in pictures:
        out += picture
    return out + text.encode("latin-1")


def write(name, door, data, folder=OUT):
    with open(os.path.join(folder, name), "wb") as f:
        f.write(bytes((door,)) + data)


# The bound of the inflated data of a skin (MaxInflatedSkinSize), and a little more.
INFLATED_BOUND = 64 * 1024 * 1024
PAST_BOUND = INFLATED_BOUND + 1024 * 1024


def large(folder):
    os.makedirs(folder, exist_ok=True)
    big_text = TEXT + ";" + "c" * (1200 * 1024) + "\r\n"
    described = inflated(3, [bmp(4, 3), None, None], [bmp(3, 2)], big_text)
    write("large-description", 0, described, folder)
    write("large-description-zlib", 1, zlib.compress(described, 9), folder)
    pictured = inflated(3, [bmp(640, 640), None, bmp(2, 2)], [bmp(3, 2)], TEXT)
    write("large-picture", 0, pictured, folder)
    bomb = zlib.compress(b"\0" * PAST_BOUND, 9)
    write("bomb-zlib", 1, bomb, folder)
    write("bomb-packed", 2, struct.pack("<ii", 3, len(bomb)) + bomb, folder)


def main():
    os.makedirs(OUT, exist_ok=True)
    v3 = inflated(3, [bmp(4, 3), None, bmp(2, 2)], [bmp(3, 2), bmp(1, 1)], TEXT)
    v2 = inflated(2, [bmp(4, 3), None, None, bmp(2, 2), None], [bmp(3, 2)], TEXT)
    kinds = inflated(3, [bmp(5, 2, 8), bmp(9, 3, 1), bmp(3, 3, 4, core=True)],
                     [bmp(3, 2, 16, bitfields=True), bmp(2, 2, 32), bmp(3, 2, top_down=True), bmp(2, 1, 16)],
                     TEXT)
    write("inflated-v3", 0, v3)
    write("inflated-v2", 0, v2)
    write("inflated-kinds", 0, kinds)
    write("inflated-empty", 0, inflated(3, [None, None, None], [], ""))
    write("zlib-v3", 1, zlib.compress(v3, 9))
    write("zlib-kinds", 1, zlib.compress(kinds, 9))
    packed = zlib.compress(v3, 9)
    write("packed-v3", 2, struct.pack("<ii", 3, len(packed)) + packed)
    write("packed-v4", 2, struct.pack("<ii", 4, len(packed)) + packed)
    write("text", 3, TEXT.encode("latin-1"))


if __name__ == "__main__":
    if len(sys.argv) == 3 and sys.argv[1] == "--large":
        large(sys.argv[2])
    else:
        main()
