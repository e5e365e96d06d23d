#!/usr/bin/env python3
"""Draws the programs' pictures: the main window's button icons, the program
icons (PNG at every installed size plus SVG), the hand cursor and the window's
background tile.

Every picture is described once as shapes on a design grid. The script writes
them as SVG text for the icon theme and renders the PNGs with ImageMagick's
`convert`, drawing at a large scale and reducing, so edges come out smooth.

Run from anywhere:  python3 resources/images/make-images.py
"""

import os
import subprocess

HERE = os.path.dirname(os.path.abspath(__file__))
ICONS = os.path.join(os.path.dirname(HERE), "icons")

WHITE = "#ffffff"
PROGRAM_BLUE = "#1f4e8c"
SUBTITLE_YELLOW = "#f4c430"

# Shapes: ("rrect", x, y, w, h, radius, fill)
#         ("circle", cx, cy, r, fill)
#         ("path", d, fill, stroke, stroke_width)


def tile(colour):
    """The rounded square every icon stands on (64-unit grid)."""
    return ("rrect", 4, 4, 56, 56, 12, colour)


def stroke(d, width, colour=WHITE):
    return ("path", d, "none", colour, width)


def fill(d, colour=WHITE):
    return ("path", d, colour, "none", 0)


PLAY = fill("M25 19 L45 32 L25 45 Z")
PLAY_ROUNDING = stroke("M25 19 L45 32 L25 45 Z", 4)


def veltrano_icon():
    return [tile(PROGRAM_BLUE), PLAY, PLAY_ROUNDING]


def caspari_icon():
    play = "M26 12 L44 24 L26 36 Z"
    return [
        tile(PROGRAM_BLUE),
        fill(play),
        stroke(play, 4),
        ("rrect", 15, 43, 34, 8, 3, SUBTITLE_YELLOW),
    ]


def open_video_icon():
    colour = "#d98a12"
    folder = ("M14 21 Q14 18 17 18 L27 18 L31 23 L47 23 Q50 23 50 26 L50 45 "
              "Q50 48 47 48 L17 48 Q14 48 14 45 Z")
    return [tile(colour), fill(folder), fill("M28 29 L39 35.5 L28 42 Z", colour)]


def options_icon():
    colour = "#55657a"
    shapes = [tile(colour)]
    for y, knob in ((20, 38), (32, 24), (44, 42)):
        shapes.append(stroke(f"M16 {y} L48 {y}", 3))
        shapes.append(("circle", knob, y, 5, WHITE))
    return shapes


def help_icon():
    colour = "#7452c2"
    question = ("M24.5 25 C24.5 20 28 17 32 17 C36.5 17 40 20 40 24.5 C40 28.5 37 30 "
                "34.5 31.5 C32.8 32.6 32 34 32 36.5 L32 38")
    return [tile(colour), stroke(question, 5), ("circle", 32, 46, 3.3, WHITE)]


def homepage_icon():
    colour = "#2f9248"
    return [
        tile(colour),
        fill("M19 31 L32 20 L45 31 L45 47 L19 47 Z"),
        stroke("M13 33 L32 16 L51 33", 5),
        ("rrect", 28, 36, 8, 11, 1, colour),
    ]


def about_icon():
    colour = "#2585b8"
    return [tile(colour), ("circle", 32, 19, 4, WHITE), stroke("M32 29 L32 45", 7)]


def exit_icon():
    colour = "#c4403a"
    return [
        tile(colour),
        stroke("M23.5 23 A13 13 0 1 0 40.5 23", 5),
        stroke("M32 15 L32 32", 5),
    ]


def hand_cursor():
    """A pointing hand on a 32-unit grid; the finger tip is the hot spot (12, 1)."""
    outline = ("M10 16 L10 3 A2 2 0 0 1 14 3 L14 12 A1.75 1.75 0 0 1 17.5 12 L17.5 13 "
               "A1.75 1.75 0 0 1 21 13 L21 14 A1.75 1.75 0 0 1 24.5 14 L24.5 22 "
               "Q24.5 26 21.5 28.5 L13.5 28.5 L7 21.5 A1.6 1.6 0 0 1 9.3 19.3 L10 20 Z")
    return [
        ("path", outline, WHITE, "#000000", 1),
        stroke("M14 12 L14 17", 0.8, "#000000"),
        stroke("M17.5 13 L17.5 17", 0.8, "#000000"),
        stroke("M21 14 L21 17", 0.8, "#000000"),
    ]


def background_tile():
    """A light, even 64-unit tile with a faint diamond lattice; it repeats seamlessly."""
    lattice = "#e2e7ee"
    return [
        fill("M-1 -1 L65 -1 L65 65 L-1 65 Z", "#edf0f4"),
        stroke("M-8 -8 L72 72", 1.2, lattice),
        stroke("M-8 72 L72 -8", 1.2, lattice),
        stroke("M-8 56 L8 72 M56 -8 L72 8", 1.2, lattice),
        stroke("M-8 8 L8 -8 M56 72 L72 56", 1.2, lattice),
    ]


def to_svg(shapes, grid):
    parts = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{grid}" height="{grid}" '
             f'viewBox="0 0 {grid} {grid}">']
    for shape in shapes:
        kind = shape[0]
        if kind == "rrect":
            _, x, y, w, h, r, colour = shape
            parts.append(f'  <rect x="{x}" y="{y}" width="{w}" height="{h}" rx="{r}" '
                         f'fill="{colour}"/>')
        elif kind == "circle":
            _, cx, cy, r, colour = shape
            parts.append(f'  <circle cx="{cx}" cy="{cy}" r="{r}" fill="{colour}"/>')
        else:
            _, d, fill_colour, stroke_colour, width = shape
            parts.append(f'  <path d="{d}" fill="{fill_colour}" stroke="{stroke_colour}" '
                         f'stroke-width="{width}" stroke-linecap="round" '
                         f'stroke-linejoin="round"/>')
    parts.append("</svg>")
    return "\n".join(parts) + "\n"


def to_mvg(shapes, grid, scale):
    size = grid * scale
    lines = [f"viewbox 0 0 {size} {size}", f"scale {scale},{scale}",
             "stroke-linecap round", "stroke-linejoin round"]
    for shape in shapes:
        kind = shape[0]
        if kind == "rrect":
            _, x, y, w, h, r, colour = shape
            lines += [f"fill '{colour}'", "stroke none",
                      f"roundrectangle {x},{y} {x + w},{y + h} {r},{r}"]
        elif kind == "circle":
            _, cx, cy, r, colour = shape
            lines += [f"fill '{colour}'", "stroke none", f"circle {cx},{cy} {cx + r},{cy}"]
        else:
            _, d, fill_colour, stroke_colour, width = shape
            lines += [f"fill '{fill_colour}'", f"stroke '{stroke_colour}'",
                      f"stroke-width {width}", f"path '{d}'"]
    return "\n".join(lines) + "\n"


def render(shapes, grid, size, out):
    scale = 16
    big = grid * scale
    # Box filtering averages whole blocks: the reduction never rings.
    subprocess.run(["convert", "-size", f"{big}x{big}", "xc:none", "-draw",
                    to_mvg(shapes, grid, scale), "-filter", "Box", "-resize", f"{size}x{size}",
                    "-strip", f"PNG32:{out}"], check=True)


def main():
    os.makedirs(ICONS, exist_ok=True)
    for program, shapes in (("veltrano", veltrano_icon()), ("caspari", caspari_icon())):
        for size in (16, 32, 48, 64, 128, 256):
            render(shapes, 64, size, os.path.join(ICONS, f"{program}-{size}.png"))
        with open(os.path.join(ICONS, f"{program}.svg"), "w") as svg:
            svg.write(to_svg(shapes, 64))
        # The window icon the programs load from their Qt resources.
        render(shapes, 64, 64, os.path.join(HERE, f"{program}-icon128.png"))

    buttons = {
        140: open_video_icon(),
        146: options_icon(),
        128: veltrano_icon(),
        148: help_icon(),
        158: homepage_icon(),
        156: about_icon(),
        159: exit_icon(),
    }
    for number, shapes in buttons.items():
        render(shapes, 64, 32, os.path.join(HERE, f"button-icon{number}.png"))
        # Smaller buttons take a smaller icon so that their caption still fits.
        for size in (24, 16):
            render(shapes, 64, size, os.path.join(HERE, f"button-icon{number}-{size}.png"))

    render(hand_cursor(), 32, 32, os.path.join(HERE, "hand-cursor141.png"))
    render(background_tile(), 64, 64, os.path.join(HERE, "background139.png"))


if __name__ == "__main__":
    main()
