#!/usr/bin/python3
# Decodes an image file with PIL (an independent decoder) and prints what the
# export tests compare, one item a line:
#   format <PIL format>   mode <mode>   size <w> <h>   dpi <x> <y>
#   sampling <n>   progressive <0|1>   quant0 <64 values>   pixels <hex>
#   markers <APPn/COM names in file order>   exif<tag hex> <value>   comment <text>
# Pixels are given top row first, in the image's own mode (RGB, L, P, RGBA).
import sys
from PIL import Image, JpegImagePlugin

im = Image.open(sys.argv[1])
im.load()
print("format", im.format)
print("mode", im.mode)
print("size", im.size[0], im.size[1])
if "dpi" in im.info:
    print("dpi", round(im.info["dpi"][0]), round(im.info["dpi"][1]))
if im.format == "JPEG":
    print("sampling", JpegImagePlugin.get_sampling(im))
    print("progressive", 1 if im.info.get("progressive") or im.info.get("progression") else 0)
    print("quant0", " ".join(str(v) for v in im.quantization[0]))
    print("markers", " ".join(name for name, _ in im.applist))
    exif = im.getexif()
    for tag in (0x010F, 0x0110, 0x0112, 0x011A):
        if tag in exif:
            print("exif%04X" % tag, exif[tag])
    if "comment" in im.info:
        print("comment", im.info["comment"].decode("latin-1"))
if im.mode in ("P", "1"):
    im = im.convert("RGB" if im.mode == "P" else "L")
print("pixelmode", im.mode)
print("pixels", im.tobytes().hex())
