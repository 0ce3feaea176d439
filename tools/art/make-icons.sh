#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Renders the application icon into the hicolor theme sizes the desktop menus look for:
# assets/icons/hicolor/<n>x<n>/apps/quillet.png, plus the scalable SVG itself.
# Needs rsvg-convert (librsvg2-bin). Run after make_art.py changes assets/art/quillet.svg.
set -euo pipefail
cd "$(dirname "$0")/../.."
out=assets/icons/hicolor
for n in 16 32 48 64 128 256; do
  mkdir -p "$out/${n}x${n}/apps"
  rsvg-convert -w "$n" -h "$n" -o "$out/${n}x${n}/apps/quillet.png" assets/art/quillet.svg
done
mkdir -p "$out/scalable/apps"
cp assets/art/quillet.svg "$out/scalable/apps/quillet.svg"
echo "icons written to $out"
