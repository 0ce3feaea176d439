#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Generate Quillet's artwork.

Every picture is written as an SVG source to assets/art/<name>.svg and
rendered with rsvg-convert at its exact pixel size to assets/images/<name>.png
and at twice that size to assets/images/<name>@2x.png. Only the standard
library is used so the script runs anywhere rsvg-convert does.

Usage: python3 tools/art/make_art.py [name ...]   (no names = everything)
"""

import math
import os
import shutil
import subprocess
import sys
from xml.sax.saxutils import escape

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
ART_DIR = os.path.join(ROOT, "assets", "art")
IMG_DIR = os.path.join(ROOT, "assets", "images")

# Palette. BLUE must stay exactly RGB(0,79,129): widgets painted with that
# colour sit on top of the background and have to blend in.
BLUE = "#004f81"
BLUE_LIGHT = "#1c6fa3"
BLUE_BRIGHT = "#3a8cc2"
NAVY = "#003659"
NAVY_DEEP = "#00233b"
EDGE = "#001c30"
BEIGE = "#ece9d8"
BEIGE_LIGHT = "#f7f5ec"
BEIGE_EDGE = "#c7c0a0"
GOLD = "#e2ad4b"
GOLD_DARK = "#a8731c"
WHITE = "#ffffff"

FONT = 'font-family="DejaVu Sans"'


# ---------------------------------------------------------------- helpers

def doc(w, h, body, defs="", vb=None):
    vb = vb or f"0 0 {w} {h}"
    d = f"<defs>{defs}</defs>" if defs else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
            f'viewBox="{vb}">{d}{body}</svg>\n')


def lin(gid, stops, x1=0, y1=0, x2=0, y2=1):
    s = "".join(_stop(*st) for st in stops)
    return (f'<linearGradient id="{gid}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">'
            f"{s}</linearGradient>")


def rad(gid, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None):
    fx = cx if fx is None else fx
    fy = cy if fy is None else fy
    s = "".join(_stop(*st) for st in stops)
    return (f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}" fx="{fx}" fy="{fy}">'
            f"{s}</radialGradient>")


def _stop(offset, color, opacity=1):
    op = f' stop-opacity="{opacity}"' if opacity != 1 else ""
    return f'<stop offset="{offset}" stop-color="{color}"{op}/>'


def text(x, y, s, size, fill=WHITE, bold=False, anchor="start", opacity=1, extra=""):
    w = ' font-weight="bold"' if bold else ""
    a = f' text-anchor="{anchor}"' if anchor != "start" else ""
    o = f' fill-opacity="{opacity}"' if opacity != 1 else ""
    return (f'<text x="{x}" y="{y}" {FONT} font-size="{size}"{w}{a} fill="{fill}"{o}{extra}>'
            f"{escape(s)}</text>")


def place(x, y, scale, body):
    return f'<g transform="translate({x} {y}) scale({scale})">{body}</g>'


def blur_filter(fid, std):
    return (f'<filter id="{fid}" x="-20%" y="-20%" width="140%" height="140%">'
            f'<feGaussianBlur stdDeviation="{std}"/></filter>')


def grey(color, lighten=0.45):
    """Washed-out grey for disabled pictures."""
    if not color.startswith("#") or len(color) != 7:
        return color
    r, g, b = (int(color[i:i + 2], 16) for i in (1, 3, 5))
    lum = 0.299 * r + 0.587 * g + 0.114 * b
    v = round(lum * (1 - lighten) + 255 * lighten)
    return f"#{v:02x}{v:02x}{v:02x}"


# ------------------------------------------------------------- line icons
# Drawn on a 20x20 grid in one colour so they work white on blue and blue
# on beige alike; `accent` tints a detail.

def ic_globe(c, sw=1.6, accent=None):
    return (f'<g fill="none" stroke="{c}" stroke-width="{sw}" stroke-linecap="round">'
            f'<circle cx="10" cy="10" r="7.6"/>'
            f'<ellipse cx="10" cy="10" rx="3.3" ry="7.6"/>'
            f'<path d="M2.6 10H17.4M3.9 6.2H16.1M3.9 13.8H16.1" stroke-width="{sw * 0.8}"/>'
            f"</g>")


def ic_envelope(c, sw=1.6, accent=None):
    return (f'<g fill="none" stroke="{c}" stroke-width="{sw}" stroke-linejoin="round" '
            f'stroke-linecap="round">'
            f'<rect x="2" y="4.5" width="16" height="11" rx="1.6"/>'
            f'<path d="M2.6 5.4L10 11.2L17.4 5.4"/>'
            f"</g>")


def ic_notepad(c, sw=1.6, accent=None):
    return (f'<g fill="none" stroke="{c}" stroke-width="{sw}" stroke-linejoin="round" '
            f'stroke-linecap="round">'
            f'<rect x="4" y="3" width="12" height="15" rx="1.6"/>'
            f'<path d="M6.8 8H13.2M6.8 11H13.2M6.8 14H11" stroke-width="{sw * 0.8}"/>'
            f'<path d="M7 1.6V4.4M10 1.6V4.4M13 1.6V4.4"/>'
            f"</g>")


def ic_checklist(c, sw=1.6, accent=None):
    a = accent or c
    return (f'<g fill="none" stroke="{c}" stroke-width="{sw}" stroke-linejoin="round" '
            f'stroke-linecap="round">'
            f'<path d="M9 5H17.5M9 10H17.5M9 15H15" stroke-width="{sw * 0.9}"/>'
            f'<rect x="2.5" y="12.5" width="4" height="4" rx="0.8" stroke-width="{sw * 0.8}"/>'
            f'<path d="M2.3 5.2L4 6.9L7 3.2M2.3 10.2L4 11.9L7 8.2" stroke="{a}"/>'
            f"</g>")


def ic_speaker(c, sw=1.6, accent=None):
    return (f'<path d="M2.5 7.5H5.8L10 3.8V16.2L5.8 12.5H2.5Z" fill="{c}" stroke="{c}" '
            f'stroke-width="1" stroke-linejoin="round"/>'
            f'<g fill="none" stroke="{c}" stroke-width="{sw}" stroke-linecap="round">'
            f'<path d="M12.8 7.4Q14.3 10 12.8 12.6"/>'
            f'<path d="M15.2 5.2Q18.4 10 15.2 14.8"/></g>')


def ic_sync(c, sw=1.6, accent=None):
    # Two arrows chasing each other round a circle: what goes out comes back.
    return (f'<g fill="none" stroke="{c}" stroke-width="{sw}" stroke-linecap="round" '
            f'stroke-linejoin="round">'
            f'<path d="M16.2 8.2A6.6 6.6 0 0 0 4.4 6.2"/>'
            f'<path d="M3.8 11.8A6.6 6.6 0 0 0 15.6 13.8"/></g>'
            f'<path d="M2.2 3.2L3.6 8.2L8.2 6.2Z" fill="{c}"/>'
            f'<path d="M17.8 16.8L16.4 11.8L11.8 13.8Z" fill="{c}"/>')


SECTION_ICONS = {"web": ic_globe, "email": ic_envelope, "notes": ic_notepad,
                 "todo": ic_checklist}


# ------------------------------------------------------------- quill mark
# The app's mark: a feather pen on a 32x32 grid, nib at bottom left. The
# outline is computed along a curved shaft so the vane tapers like a real
# feather and gets a couple of splits in its edge.

def _bez(p0, p1, p2, t):
    u = 1 - t
    return (u * u * p0[0] + 2 * u * t * p1[0] + t * t * p2[0],
            u * u * p0[1] + 2 * u * t * p1[1] + t * t * p2[1])


def _bez_normal(p0, p1, p2, t):
    dx = 2 * (1 - t) * (p1[0] - p0[0]) + 2 * t * (p2[0] - p1[0])
    dy = 2 * (1 - t) * (p1[1] - p0[1]) + 2 * t * (p2[1] - p1[1])
    n = math.hypot(dx, dy)
    return (-dy / n, dx / n)   # points to the upper left side


_SHAFT = ((30.0, 1.8), (20.5, 9.0), (11.2, 21.4))   # tip .. end of the vane


def _profile(t):
    return t * ((1 - t) ** 0.45)


_PROFILE_MAX = max(_profile(i / 200) for i in range(201))


def _vane_width(t, widest, notches):
    w = widest * _profile(t) / _PROFILE_MAX
    for tn in notches:
        w *= 1 - 0.5 * math.exp(-((t - tn) / 0.03) ** 2)
    return w


def _vane_edge(side, widest, notches, steps=32):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        x, y = _bez(*_SHAFT, t)
        nx, ny = _bez_normal(*_SHAFT, t)
        w = _vane_width(t, widest, notches) * side
        pts.append((x + nx * w, y + ny * w))
    return pts


def _fmt(pts):
    return " ".join(f"{x:.2f} {y:.2f}" for x, y in pts)


UPPER_W, LOWER_W = 6.2, 3.8


def quill(feather=BEIGE_LIGHT, shade="#e2dcc4", barbs="#b9b39a", shaft=GOLD_DARK,
          nib=NAVY_DEEP, shadow=None):
    upper = _vane_edge(1, UPPER_W, (0.4,))
    lower = _vane_edge(-1, LOWER_W, (0.66,))
    spine = [_bez(*_SHAFT, i / 32) for i in range(33)]
    vane = "M" + _fmt(upper) + " L" + _fmt(lower[::-1]) + "Z"
    under = "M" + _fmt(spine) + " L" + _fmt(lower[::-1]) + "Z"
    lines = []
    # barbs run from the shaft out toward the tip
    for side, widest, ts in ((1, UPPER_W, (0.25, 0.4, 0.55, 0.7, 0.84)),
                             (-1, LOWER_W, (0.3, 0.46, 0.62, 0.78))):
        for t in ts:
            x, y = _bez(*_SHAFT, t)
            t2 = t - 0.09
            ex, ey = _bez(*_SHAFT, t2)
            nx, ny = _bez_normal(*_SHAFT, t2)
            w = _vane_width(t2, widest, ()) * side * 0.8
            lines.append(f"M{x:.2f} {y:.2f}L{ex + nx * w:.2f} {ey + ny * w:.2f}")
    stem = [_bez(*_SHAFT, 0.06 + 0.94 * i / 16) for i in range(17)] + [(6.8, 26.6)]
    body = ""
    if shadow:
        body += f'<path d="{vane}" fill="{shadow}" transform="translate(0.8 1)"/>'
    body += (f'<path d="{vane}" fill="{feather}"/>'
             f'<path d="{under}" fill="{shade}"/>'
             f'<path d="{"".join(lines)}" fill="none" stroke="{barbs}" stroke-width="0.5" '
             f'stroke-linecap="round"/>'
             # shaft, running on past the vane as the bare quill
             f'<path d="M{_fmt(stem)}" fill="none" stroke="{shaft}" stroke-width="1.1" '
             f'stroke-linecap="round" stroke-linejoin="round"/>'
             f'<path d="M8.1 25.3L5.5 27.6L2.2 31L6.1 28.9L8.4 26.9Z" fill="{nib}" '
             f'stroke="{nib}" stroke-width="0.6" stroke-linejoin="round"/>')
    return body


# ---------------------------------------------------------------- writers

PICTURES = {}


def picture(name, w, h):
    def deco(fn):
        PICTURES[name] = (w, h, fn)
        return fn
    return deco


def build(name):
    w, h, fn = PICTURES[name]
    svg_path = os.path.join(ART_DIR, name + ".svg")
    png_path = os.path.join(IMG_DIR, name + ".png")
    with open(svg_path, "w", encoding="utf-8") as f:
        f.write(fn())
    # The same drawing at twice the size, for screens of device pixel ratio 2; the big
    # application icon is only installed, never drawn by the program.
    scales = [(1, png_path)]
    if name != "quillet_256":
        scales.append((2, os.path.join(IMG_DIR, name + "@2x.png")))
    for scale, path in scales:
        subprocess.run(["rsvg-convert", "-w", str(w * scale), "-h", str(h * scale), "-o", path,
                        svg_path], check=True)


# ------------------------------------------------------- main background

@picture("main_background", 600, 400)
def main_background():
    defs = (lin("head", [(0, "#2277ab"), (1, "#0b5d92")])
            + lin("bar", [(0, "#003a60"), (1, NAVY_DEEP)])
            + lin("well", [(0, "#00182a"), (1, "#002238")])
            + lin("panelEdge", [(0, "#7fb0d3", 0.45), (1, "#7fb0d3", 0.15)])
            + blur_filter("soft", 2.2))
    b = []
    b.append(f'<rect width="600" height="400" fill="{BLUE}"/>')
    # header
    b.append('<rect width="600" height="40" fill="url(#head)"/>')
    b.append('<rect y="0" width="600" height="1" fill="#ffffff" fill-opacity="0.18"/>')
    b.append(f'<rect y="40" width="600" height="1" fill="{NAVY}"/>')
    b.append('<rect y="41" width="600" height="1" fill="#ffffff" fill-opacity="0.06"/>')
    b.append(place(9, 5, 0.9, quill(shadow="#003a60")))
    b.append(text(40, 28, "Quillet", 18, bold=True))
    # quote box: exact accent fill under the label, with a light frame around it
    b.append('<rect x="5.5" y="213.5" width="163" height="95" rx="4" fill="none" '
             'stroke="#5e9dc8" stroke-opacity="0.55"/>')
    b.append(f'<rect x="8" y="216" width="157" height="89" fill="{BLUE}"/>')
    # divider between the sections and the quote
    b.append('<rect x="14" y="206" width="146" height="1" fill="#ffffff" fill-opacity="0.12"/>')
    # right panel: shadow, dark rim and a faint light edge so it sits in the window
    b.append('<rect x="176" y="46" width="420" height="309" rx="3" fill="#000000" '
             'fill-opacity="0.45" filter="url(#soft)"/>')
    b.append(f'<rect x="174.5" y="42.5" width="423" height="313" rx="3" fill="none" '
             f'stroke="url(#panelEdge)"/>')
    b.append(f'<rect x="175.5" y="43.5" width="421" height="311" fill="{BEIGE}" '
             f'stroke="{NAVY_DEEP}"/>')
    # bottom bar
    b.append('<rect y="356" width="600" height="44" fill="url(#bar)"/>')
    b.append(f'<rect y="356" width="600" height="1" fill="{EDGE}"/>')
    b.append('<rect y="357" width="600" height="1" fill="#ffffff" fill-opacity="0.07"/>')
    # clock well
    b.append('<rect x="5.5" y="361.5" width="157" height="34" rx="5" fill="url(#well)" '
             'stroke="#3d7fab" stroke-opacity="0.5"/>')
    # window edge (the window has no frame of its own)
    b.append(f'<rect x="0.5" y="0.5" width="599" height="399" fill="none" stroke="{EDGE}"/>')
    b.append('<rect x="1.5" y="1.5" width="597" height="397" fill="none" stroke="#ffffff" '
             'stroke-opacity="0.06"/>')
    return doc(600, 400, "".join(b), defs)


# -------------------------------------------------------- section buttons

SECTIONS = [("web", "Websites"), ("email", "E-mail Contacts"), ("notes", "Notes"),
            ("todo", "To-Dos")]


def section_button(key, label, state):
    w, h = 166, 38
    icon = SECTION_ICONS[key]
    if state == "c":
        # selected: takes the panel's beige and stays open on the right,
        # as if it were part of the panel
        defs = lin("g", [(0, BEIGE_LIGHT), (1, BEIGE)])
        shape = "M166 0.5H6.5Q0.5 0.5 0.5 6.5V31.5Q0.5 37.5 6.5 37.5H166Z"
        edge = "M166 0.5H6.5Q0.5 0.5 0.5 6.5V31.5Q0.5 37.5 6.5 37.5H166"
        body = (f'<path d="{shape}" fill="url(#g)"/>'
                f'<path d="{edge}" fill="none" stroke="{BEIGE_EDGE}"/>'
                f'<rect x="1" y="9" width="3" height="20" rx="1.5" fill="{GOLD}"/>'
                f'<circle cx="22" cy="19" r="13" fill="{BLUE}" fill-opacity="0.1"/>'
                + place(12, 9, 1, icon(BLUE, accent="#2f8a3a"))
                + text(42, 23, label, 12, BLUE, bold=True))
        return doc(w, h, body, defs)
    if state == "h":
        top, bot, rim, rim_op, badge = "#3389c0", "#11659b", "#9fd0ef", 0.9, 0.22
    else:
        top, bot, rim, rim_op, badge = "#15679d", "#035585", "#4b92c2", 0.7, 0.12
    defs = lin("g", [(0, top), (1, bot)])
    body = (f'<rect x="0.5" y="0.5" width="165" height="37" rx="6" fill="url(#g)" '
            f'stroke="{rim}" stroke-opacity="{rim_op}"/>'
            f'<rect x="6" y="1.5" width="154" height="1" fill="#ffffff" fill-opacity="0.18"/>'
            f'<circle cx="22" cy="19" r="13" fill="#ffffff" fill-opacity="{badge}"/>'
            + place(12, 9, 1, icon(WHITE, accent="#a6e59a"))
            + text(42, 23, label, 12, WHITE, bold=True))
    return doc(w, h, body, defs)


for _key, _label in SECTIONS:
    for _st in ("", "h", "c"):
        _name = _key + ("_" + _st if _st else "")
        PICTURES[_name] = (166, 38, (lambda k=_key, l=_label, s=_st: section_button(k, l, s)))


# -------------------------------------------------------- command buttons

def command_button(w, h, label, state, icon=None):
    if state == "h":
        top, bot, rim = "#4396cc", "#1a6da3", "#a8d4f0"
    elif state == "c":
        top, bot, rim = "#063e63", "#0d5a8c", "#5c9fcc"
    else:
        top, bot, rim = "#2a7cb1", "#0b5688", "#5c9fcc"
    dy = 1 if state == "c" else 0
    defs = lin("g", [(0, top), (1, bot)])
    body = (f'<rect x="0.5" y="0.5" width="{w - 1}" height="{h - 1}" rx="5" fill="url(#g)" '
            f'stroke="{rim}"/>')
    if state != "c":
        body += (f'<rect x="5" y="1.5" width="{w - 10}" height="1" fill="#ffffff" '
                 f'fill-opacity="0.22"/>')
    base = (h + 8) // 2 + dy
    if icon:
        body += place(7, (h - 14) / 2 + dy, 0.7, icon(WHITE, sw=2))
        body += text(22 + (w - 22) / 2 - 1, base, label, 11, WHITE, bold=True, anchor="middle")
    else:
        body += text(w / 2, base, label, 11, WHITE, bold=True, anchor="middle")
    return doc(w, h, body, defs)


COMMANDS = [("say", 82, 28, "Say Time", ic_speaker), ("save", 82, 27, "Save", None),
            ("sync", 82, 28, "Sync", ic_sync), ("about", 82, 28, "About", None), ("exit", 82, 28, "Exit", None)]

for _key, _w, _h, _label, _icon in COMMANDS:
    for _st in ("", "h", "c"):
        _name = _key + ("_" + _st if _st else "")
        PICTURES[_name] = (_w, _h, (lambda w=_w, h=_h, l=_label, s=_st, i=_icon:
                                    command_button(w, h, l, s, i)))


def title_button(kind, state):
    w, h = 25, 23
    if kind == "close" and state in ("h", "c"):
        top, bot = ("#e8675b", "#c2372c") if state == "h" else ("#a82a21", "#c2372c")
        defs = lin("g", [(0, top), (1, bot)])
        frame = (f'<rect x="0.5" y="0.5" width="24" height="22" rx="4" fill="url(#g)" '
                 f'stroke="#ffb3aa" stroke-opacity="0.8"/>')
    else:
        fill_op = {"": 0.10, "h": 0.26, "c": 0.0}[state]
        defs = ""
        frame = (f'<rect x="0.5" y="0.5" width="24" height="22" rx="4" fill="#ffffff" '
                 f'fill-opacity="{fill_op}" stroke="#ffffff" stroke-opacity="0.35"/>')
        if state == "c":
            frame = (f'<rect x="0.5" y="0.5" width="24" height="22" rx="4" fill="{NAVY_DEEP}" '
                     f'fill-opacity="0.6" stroke="#ffffff" stroke-opacity="0.3"/>')
    dy = 1 if state == "c" else 0
    if kind == "min":
        glyph = f'<rect x="7" y="{14 + dy}" width="11" height="2" rx="1" fill="#ffffff"/>'
    else:
        glyph = (f'<path d="M8.5 {7 + dy}L16.5 {15 + dy}M16.5 {7 + dy}L8.5 {15 + dy}" '
                 f'stroke="#ffffff" stroke-width="2" stroke-linecap="round"/>')
    return doc(w, h, frame + glyph, defs)


for _kind in ("min", "close"):
    for _st in ("", "h", "c"):
        _name = _kind + ("_" + _st if _st else "")
        PICTURES[_name] = (25, 23, (lambda k=_kind, s=_st: title_button(k, s)))


# ------------------------------------------------------------------ splash

@picture("splash", 450, 217)
def splash():
    defs = (lin("bg", [(0, "#0f68a0"), (0.55, BLUE), (1, NAVY)], 0, 0, 0.35, 1)
            + rad("glow", [(0, "#ffffff", 0.16), (1, "#ffffff", 0)])
            + lin("strip", [(0, "#002b48"), (1, NAVY_DEEP)]))
    b = [f'<rect width="450" height="217" fill="url(#bg)"/>',
         '<circle cx="78" cy="84" r="80" fill="url(#glow)"/>',
         '<circle cx="430" cy="-20" r="120" fill="#ffffff" fill-opacity="0.04"/>',
         '<circle cx="400" cy="150" r="70" fill="#ffffff" fill-opacity="0.03"/>',
         place(28, 22, 3.6, quill(shadow="#002b48")),
         text(160, 88, "Quillet", 44, bold=True),
         f'<rect x="162" y="104" width="180" height="2" rx="1" fill="{GOLD}"/>',
         text(162, 130, "Your notes, to-dos, websites", 13, "#dcebf5"),
         text(162, 148, "and contacts in one place", 13, "#dcebf5"),
         '<rect x="5.5" y="173.5" width="438" height="41" rx="5" fill="url(#strip)" '
         'stroke="#4f8fbb" stroke-opacity="0.45"/>',
         f'<rect x="0.5" y="0.5" width="449" height="216" fill="none" stroke="{EDGE}"/>',
         '<rect x="1.5" y="1.5" width="447" height="214" fill="none" stroke="#ffffff" '
         'stroke-opacity="0.08"/>']
    return doc(450, 217, "".join(b), defs)


# --------------------------------------------------------------- app icon

def app_icon_body():
    defs = (lin("tile", [(0, "#2a82b8"), (1, NAVY)], 0, 0, 0.4, 1)
            + lin("paper", [(0, BEIGE_LIGHT), (1, "#e2ddc4")])
            + lin("shine", [(0, "#ffffff", 0.28), (1, "#ffffff", 0)]))
    b = ('<rect x="2" y="2" width="60" height="60" rx="13" fill="url(#tile)"/>'
         '<path d="M15 2.5H49A12.5 12.5 0 0 1 61.5 15V24Q32 34 2.5 24V15A12.5 12.5 0 0 1 15 2.5Z" '
         'fill="url(#shine)"/>'
         '<rect x="2.5" y="2.5" width="59" height="59" rx="12.5" fill="none" stroke="#001c30" '
         'stroke-opacity="0.6"/>'
         # sheet of paper with writing lines
         '<g transform="rotate(-6 30 36)">'
         '<rect x="13" y="15" width="30" height="38" rx="2.5" fill="#001c30" fill-opacity="0.35" '
         'transform="translate(1.2 1.6)"/>'
         '<rect x="13" y="15" width="30" height="38" rx="2.5" fill="url(#paper)"/>'
         f'<path d="M18 24H38M18 30H38M18 36H34M18 42H28" stroke="{BLUE}" stroke-opacity="0.45" '
         'stroke-width="1.6" stroke-linecap="round"/>'
         '</g>'
         + place(18, 4, 1.38, quill(feather=WHITE, shade="#dde6ee", barbs="#aebfcd", shadow="#00233b")))
    return b, defs


@picture("quillet", 64, 64)
def app_icon():
    b, d = app_icon_body()
    return doc(64, 64, b, d)


@picture("quillet_256", 256, 256)
def app_icon_256():
    b, d = app_icon_body()
    return doc(256, 256, b, d, vb="0 0 64 64")


# ------------------------------------------------------------- list icons
# Hand-placed on the 16px grid so they stay sharp at 1:1.

@picture("icon_web", 16, 16)
def icon_web():
    defs = rad("g", [(0, "#8fd0f5"), (0.6, "#3b93cc"), (1, "#17609a")], 0.38, 0.32, 0.75)
    b = ('<circle cx="8" cy="8" r="6.5" fill="url(#g)" stroke="#0d4a78"/>'
         '<g fill="none" stroke="#ffffff" stroke-opacity="0.85" stroke-width="0.9">'
         '<ellipse cx="8" cy="8" rx="2.6" ry="6.2"/>'
         '<path d="M1.8 8H14.2M2.9 5H13.1M2.9 11H13.1"/></g>')
    return doc(16, 16, b, defs)


@picture("icon_email", 16, 16)
def icon_email():
    defs = lin("g", [(0, "#ffffff"), (1, "#dfe8ef")])
    b = ('<rect x="1.5" y="3.5" width="13" height="9" rx="1" fill="url(#g)" stroke="#1d5f8e"/>'
         '<path d="M2 4.2L8 9L14 4.2" fill="none" stroke="#1d5f8e" stroke-linejoin="round"/>')
    return doc(16, 16, b, defs)


@picture("icon_note", 16, 16)
def icon_note():
    defs = lin("g", [(0, "#fff9d6"), (1, "#f5e6a4")])
    b = ('<path d="M2.5 1.5H13.5V11L10 14.5H2.5Z" fill="url(#g)" stroke="#a6801e" '
         'stroke-linejoin="round"/>'
         '<path d="M10 14.5V11H13.5" fill="#e7cf7e" stroke="#a6801e" stroke-linejoin="round"/>'
         '<path d="M4.5 5H11.5M4.5 7.5H11.5M4.5 10H8.5" stroke="#b9963a" stroke-linecap="round"/>')
    return doc(16, 16, b, defs)


@picture("icon_todo", 16, 16)
def icon_todo():
    defs = lin("g", [(0, "#ffffff"), (1, "#e6ecf1")])
    b = ('<rect x="1.5" y="1.5" width="13" height="13" rx="1.5" fill="url(#g)" stroke="#3d6687"/>'
         '<path d="M3.5 4.8L4.9 6.2L7 3.4M3.5 9.3L4.9 10.7L7 7.9" fill="none" stroke="#2f9a3a" '
         'stroke-width="1.4" stroke-linecap="round" stroke-linejoin="round"/>'
         '<path d="M8.5 5H12.5M8.5 9.5H12.5" stroke="#7f97ab" stroke-width="1.2" '
         'stroke-linecap="round"/>'
         '<rect x="3.5" y="11.5" width="3" height="1.5" fill="none"/>')
    return doc(16, 16, b, defs)


@picture("icon_todo_repeat", 16, 16)
def icon_todo_repeat():
    # the to-do icon with a round arrow in its lower right corner: the reminder comes back
    defs = lin("g", [(0, "#ffffff"), (1, "#e6ecf1")])
    b = ('<rect x="1.5" y="1.5" width="13" height="13" rx="1.5" fill="url(#g)" stroke="#3d6687"/>'
         '<path d="M3.5 4.8L4.9 6.2L7 3.4M3.5 9.3L4.9 10.7L7 7.9" fill="none" stroke="#2f9a3a" '
         'stroke-width="1.4" stroke-linecap="round" stroke-linejoin="round"/>'
         '<path d="M8.5 5H12.5" stroke="#7f97ab" stroke-width="1.2" stroke-linecap="round"/>'
         '<circle cx="11.5" cy="11.5" r="4.4" fill="#ffffff"/>'
         '<path d="M14.1 11.5A2.6 2.6 0 1 1 11.2 8.9" fill="none" stroke="#1c6fa3" '
         'stroke-width="1.3" stroke-linecap="round"/>'
         '<path d="M10.9 7.1L14.2 8.9L10.9 10.7Z" fill="#1c6fa3"/>')
    return doc(16, 16, b, defs)


# ------------------------------------------- small buttons on the panel
# 20x20 pictures for 30x28 buttons; the _d variants are the disabled look.

def _arrow(tone):
    # "send it out" arrow in the lower right corner, with a light halo so it
    # stays readable over the globe or envelope
    return (f'<path d="M11.5 17.5L17.5 11.5M13.2 11.3H17.7V15.8" fill="none" stroke="#ffffff" '
            f'stroke-width="4" stroke-linecap="round" stroke-linejoin="round"/>'
            f'<path d="M11.5 17.5L17.5 11.5M13.2 11.3H17.7V15.8" fill="none" '
            f'stroke="{tone("#e07f12")}" stroke-width="2" stroke-linecap="round" '
            f'stroke-linejoin="round"/>')


def arb_add():
    defs = lin("g", [(0, "#7ad466"), (1, "#2f9a2b")])
    b = ('<path d="M8 2.5H12V8H17.5V12H12V17.5H8V12H2.5V8H8Z" fill="url(#g)" stroke="#1e6c1b" '
         'stroke-linejoin="round"/>'
         '<path d="M8.6 3.4H11.4" stroke="#ffffff" stroke-opacity="0.5" stroke-linecap="round"/>')
    return doc(20, 20, b, defs)


def arb_remove(disabled):
    t = grey if disabled else (lambda c: c)
    defs = lin("g", [(0, t("#f27a68")), (1, t("#c9302a"))])
    b = (f'<rect x="2.5" y="7.5" width="15" height="5" rx="1.2" fill="url(#g)" '
         f'stroke="{t("#8b1c17")}"/>'
         f'<path d="M4 8.6H16" stroke="#ffffff" stroke-opacity="0.45"/>')
    return doc(20, 20, b, defs)


def arb_browse(disabled):
    t = grey if disabled else (lambda c: c)
    defs = rad("g", [(0, t("#9ad5f6")), (0.6, t("#3b93cc")), (1, t("#17609a"))],
               0.38, 0.32, 0.75)
    b = (f'<circle cx="8.5" cy="8.5" r="7" fill="url(#g)" stroke="{t("#0d4a78")}"/>'
         '<g fill="none" stroke="#ffffff" stroke-opacity="0.85">'
         '<ellipse cx="8.5" cy="8.5" rx="2.8" ry="6.6"/>'
         '<path d="M2 8.5H15M3 5.2H14M3 11.8H14"/></g>'
         + _arrow(t))
    return doc(20, 20, b, defs)


def arb_mail(disabled):
    t = grey if disabled else (lambda c: c)
    defs = lin("g", [(0, "#ffffff"), (1, t("#d6e2ec"))])
    b = (f'<rect x="1.5" y="3.5" width="15" height="11" rx="1.2" fill="url(#g)" '
         f'stroke="{t("#1d5f8e")}"/>'
         f'<path d="M2 4.3L9 9.8L16 4.3" fill="none" stroke="{t("#1d5f8e")}" '
         f'stroke-linejoin="round"/>'
         + _arrow(t))
    return doc(20, 20, b, defs)


PICTURES["arb_add"] = (20, 20, arb_add)
PICTURES["arb_remove"] = (20, 20, lambda: arb_remove(False))
PICTURES["arb_remove_d"] = (20, 20, lambda: arb_remove(True))
PICTURES["arb_browse"] = (20, 20, lambda: arb_browse(False))
PICTURES["arb_browse_d"] = (20, 20, lambda: arb_browse(True))
PICTURES["arb_mail"] = (20, 20, lambda: arb_mail(False))
PICTURES["arb_mail_d"] = (20, 20, lambda: arb_mail(True))


# ------------------------------------------------------------ alarm lamps

LAMPS = {
    # name: (bright: core, mid, rim) (dim: core, mid, rim)
    "green": (("#e4ffd8", "#4fd83f", "#13700f"), ("#3e5a3a", "#223f1f", "#0f220e")),
    "orange": (("#fff0c8", "#ffa21f", "#a35000"), ("#66502f", "#45321a", "#22180b")),
    "red": (("#ffd4cc", "#f23b2c", "#86100a"), ("#5e3834", "#401f1c", "#200e0c")),
}


def lamp(color, dim):
    core, mid, rimc = LAMPS[color][1 if dim else 0]
    defs = (lin("bezel", [(0, "#8c99a5"), (0.5, "#45505a"), (1, "#1b2228")])
            + lin("bezelIn", [(0, "#10161b"), (1, "#5d6a75")])
            + rad("lamp", [(0, core), (0.45, mid), (1, rimc)], 0.45, 0.4, 0.62, 0.42, 0.33)
            + lin("gloss", [(0, "#ffffff", 0.3 if dim else 0.85), (1, "#ffffff", 0)]))
    b = ('<circle cx="19.5" cy="19.5" r="19" fill="url(#bezel)"/>'
         '<circle cx="19.5" cy="19.5" r="16" fill="url(#bezelIn)"/>'
         '<circle cx="19.5" cy="19.5" r="14.6" fill="url(#lamp)"/>')
    if not dim:
        # inner glow ring so the lit lamp seems to shine into its bezel
        b += (f'<circle cx="19.5" cy="19.5" r="15.3" fill="none" stroke="{mid}" '
              f'stroke-opacity="0.55" stroke-width="1.4"/>')
    b += '<ellipse cx="19.5" cy="12.2" rx="8.6" ry="5.6" fill="url(#gloss)"/>'
    return doc(39, 39, b, defs)


for _c in LAMPS:
    PICTURES["lamp_" + _c] = (39, 39, (lambda c=_c: lamp(c, False)))
    PICTURES["lamp_" + _c + "_d"] = (39, 39, (lambda c=_c: lamp(c, True)))


# ----------------------------------------------------------------- about

@picture("about_background", 450, 289)
def about_background():
    defs = (lin("bg", [(0, "#0f68a0"), (0.6, BLUE), (1, NAVY)], 0, 0, 0.3, 1)
            + rad("glow", [(0, "#ffffff", 0.15), (1, "#ffffff", 0)])
            + lin("bar", [(0, "#002e4d"), (1, NAVY_DEEP)]))
    b = [f'<rect width="450" height="289" fill="url(#bg)"/>',
         '<circle cx="52" cy="52" r="56" fill="url(#glow)"/>',
         '<circle cx="440" cy="10" r="110" fill="#ffffff" fill-opacity="0.04"/>',
         '<circle cx="380" cy="200" r="60" fill="#ffffff" fill-opacity="0.03"/>',
         place(16, 12, 2.4, quill(shadow="#002b48")),
         text(100, 56, "Quillet", 34, bold=True),
         f'<rect x="102" y="68" width="130" height="2" rx="1" fill="{GOLD}"/>',
         text(102, 90, "Your small desktop planner", 13, "#dcebf5"),
         # soft shadow under the strip that sits at (16,106)
         '<rect x="17" y="108" width="426" height="57" rx="8" fill="#001c30" '
         'fill-opacity="0.35"/>',
         # web site link badge
         '<rect x="18.5" y="211.5" width="98" height="36" rx="8" fill="#ffffff" '
         'fill-opacity="0.1" stroke="#ffffff" stroke-opacity="0.35"/>',
         place(27, 219.5, 1, ic_globe("#ffffff", sw=1.5)),
         text(53, 234, "Web site", 12, WHITE, bold=True),
         '<rect x="53" y="237" width="55" height="1" fill="#9fd0ef"/>',
         # bottom bar for the version and Close button
         '<rect y="256" width="450" height="33" fill="url(#bar)"/>',
         f'<rect y="256" width="450" height="1" fill="{EDGE}"/>',
         '<rect y="257" width="450" height="1" fill="#ffffff" fill-opacity="0.07"/>',
         text(8, 280, "Version", 11, WHITE),
         f'<rect x="0.5" y="0.5" width="449" height="288" fill="none" stroke="{EDGE}"/>',
         '<rect x="1.5" y="1.5" width="447" height="286" fill="none" stroke="#ffffff" '
         'stroke-opacity="0.07"/>']
    return doc(450, 289, "".join(b), defs)


@picture("about_strip", 426, 57)
def about_strip():
    defs = lin("g", [(0, BEIGE_LIGHT), (1, "#e3dfc8")])
    b = [f'<rect x="0.5" y="0.5" width="425" height="56" rx="8" fill="url(#g)" '
         f'stroke="{BEIGE_EDGE}"/>']
    items = [(ic_notepad, "Notes"), (ic_checklist, "To-Dos"), (ic_globe, "Websites"),
             (ic_envelope, "Contacts")]
    cell = 426 / 4
    for i, (fn, word) in enumerate(items):
        cx = cell * i + cell / 2
        b.append(f'<circle cx="{cx}" cy="20" r="14" fill="{BLUE}"/>')
        b.append(place(cx - 9, 11, 0.9, fn(WHITE, sw=1.8, accent="#a6e59a")))
        b.append(text(round(cx), 49, word, 11, BLUE, bold=True, anchor="middle"))
        if i:
            b.append(f'<circle cx="{round(cell * i)}" cy="28.5" r="2" fill="{GOLD}"/>')
    return doc(426, 57, "".join(b), defs)


@picture("speaker", 20, 20)
def speaker():
    return doc(20, 20, ic_speaker("#1d4f78", sw=1.7))


# ------------------------------------------------------------------- main

def main(argv):
    if not shutil.which("rsvg-convert"):
        sys.exit("rsvg-convert not found (Debian package librsvg2-bin)")
    os.makedirs(ART_DIR, exist_ok=True)
    os.makedirs(IMG_DIR, exist_ok=True)
    names = argv or list(PICTURES)
    unknown = [n for n in names if n not in PICTURES]
    if unknown:
        sys.exit("unknown picture: " + ", ".join(unknown))
    for n in names:
        build(n)
    print(f"{len(names)} pictures written to {os.path.relpath(IMG_DIR, os.getcwd())}")


if __name__ == "__main__":
    main(sys.argv[1:])
