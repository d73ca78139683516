#!/usr/bin/env bash
# Rebuilds the program's .ico files from the XPM pixel sources beside this script.
# The .ico files are committed so that a build needs no image tools; run this after
# editing an XPM.
set -euo pipefail
cd "$(dirname "$0")"
convert=/usr/bin/convert   # ImageMagick; /usr/local/bin may hold a stand-in
"$convert" pivora_16.xpm -define png:color-type=6 /tmp/pivora_16.png
"$convert" pivora_32.xpm -define png:color-type=6 /tmp/pivora_32.png
# icotool writes classic BMP images with an AND mask, which every Windows loads.
icotool -c -r /tmp/pivora_16.png -r /tmp/pivora_32.png -o Pivora.ico
icotool -c -r /tmp/pivora_16.png -o PivoraSmall.ico
rm -f /tmp/pivora_16.png /tmp/pivora_32.png
icotool -l Pivora.ico PivoraSmall.ico
