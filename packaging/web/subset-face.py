#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Omvar team
# SPDX-License-Identifier: GPL-3.0-or-later
#
# Cuts a face down to the characters the game can show: the printable characters of
# Windows-1250, the score file's encoding, which every caption and every player's name
# keeps to. Outlines, hinting, metrics and layout tables stay as they are, so the glyphs
# that are kept draw and space as before; the rest of the face (Cyrillic, Greek, symbols) would
# only make the page larger.
# Usage: subset-face.py <face> <subset face>
import sys

from fontTools import subset

# The bytes below 0x20 and 0x7F are control characters; the five bytes Windows-1250 leaves
# undefined are skipped.
printable = (bytes(range(0x20, 0x7F)) + bytes(range(0x80, 0x100))).decode('cp1250', errors='ignore')
source, target = sys.argv[1:]
subset.main([source, f'--output-file={target}', f'--text={printable}',
             "--layout-features=*", '--glyph-names', '--legacy-kern', '--notdef-outline', "--name-IDs=*",
             "--name-languages=*", '--drop-tables+=FFTM'])
