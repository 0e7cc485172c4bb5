#!/usr/bin/env bash
# Writes the pictures of tests/data/photos: small.jpg with metadata written by
# exiftool, names and dates disagreeing, and pictures whose metadata is
# damaged. Run from this folder after changing it; the results are committed.
set -euo pipefail
out=photos
rm -rf "$out" && mkdir "$out"
tag() { cp pictures/small.jpg "$out/$1"; shift 1; exiftool -q -overwrite_original "$@" "$out/$name"; }
name=zebra.jpg; tag "$name" -DateTimeOriginal='2019:05:01 08:00:00' \
  -IPTC:Caption-Abstract='Zebra & friends' -Make=Canon -Model='Canon EOS 5D' \
  -LensModel='EF 35mm f/2' -ExposureTime=0.004 -FNumber=8 -ISO=100 -FocalLength=35 \
  -IPTC:Keywords=zoo -IPTC:Keywords=stripes
name=apple.jpg; tag "$name" -XMP-photoshop:DateCreated='2020:01:02' \
  -XMP-dc:Description='Apple tree' -XMP-dc:Subject=garden -XMP-dc:Subject=fruit
name=mango.jpg; tag "$name" -CreateDate='2018:03:04 05:06:07' \
  -ImageDescription='OLYMPUS DIGITAL CAMERA' -Make='NIKON CORPORATION' -Model='NIKON D750' \
  -ExposureTime=2 -FNumber=2.8
cp pictures/small.jpg "$out/banana.jpg"
cp pictures/small.gif "$out/cherry.gif"
# Damaged: the EXIF block's first directory points beyond the block, the XMP
# packet is cut in the middle, an IPTC record claims more bytes than it has.
python3 - "$out" <<'PY'
import sys
out = sys.argv[1]
jpeg = open(f"{out}/zebra.jpg", "rb").read()
exif = jpeg.find(b"Exif\0\0")
ifd = exif + 6 + 4
bad = bytearray(jpeg); bad[ifd:ifd + 4] = b"\x7f\xff\xff\xf0" if jpeg[exif + 6] == 0x4d else b"\xf0\xff\xff\x7f"
open(f"{out}/broken-exif.jpg", "wb").write(bytes(bad))
apple = open(f"{out}/apple.jpg", "rb").read()
cut = apple.find(b"<rdf:Description")
open(f"{out}/broken-xmp.jpg", "wb").write(apple[:cut + 20] + b"\x00<<" + apple[cut + 20:])
iptc = jpeg.find(b"\x1c\x02\x78")
bad = bytearray(jpeg); bad[iptc + 3:iptc + 5] = b"\x7f\xff"
open(f"{out}/broken-iptc.jpg", "wb").write(bytes(bad))
open(f"{out}/cut.jpg", "wb").write(jpeg[:exif + 40])
PY
