#!/usr/bin/env python3
"""Writes the built-in pictures as SVG files from the pixel grids below.

Each picture is a grid of characters, one per cell; a cell is `cella` pixels of the
picture's 1x size, so every edge lands on the pixel grid at 1x and 2x. Letters name
colours in the picture's palette, '.' is transparent. The SVG files are the
reviewable source that the program embeds: each one repeats its grid in a comment.
Run it from anywhere; it rewrites the SVG files beside it.
"""

import os

# A 5 x 7 block alphabet for the banners: just the letters they use.
LETTERE = {
    "A": [".XXX.", "X...X", "X...X", "XXXXX", "X...X", "X...X", "X...X"],
    "E": ["XXXXX", "X....", "X....", "XXXX.", "X....", "X....", "XXXXX"],
    "G": [".XXX.", "X...X", "X....", "X.XXX", "X...X", "X...X", ".XXX."],
    "L": ["X....", "X....", "X....", "X....", "X....", "X....", "XXXXX"],
    "M": ["X...X", "XX.XX", "X.X.X", "X.X.X", "X...X", "X...X", "X...X"],
    "N": ["X...X", "XX..X", "X.X.X", "X..XX", "X...X", "X...X", "X...X"],
    "O": [".XXX.", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "P": ["XXXX.", "X...X", "X...X", "XXXX.", "X....", "X....", "X...."],
    "R": ["XXXX.", "X...X", "X...X", "XXXX.", "X.X..", "X..X.", "X...X"],
    "S": [".XXXX", "X....", "X....", ".XXX.", "....X", "....X", "XXXX."],
    "T": ["XXXXX", "..X..", "..X..", "..X..", "..X..", "..X..", "..X.."],
    "U": ["X...X", "X...X", "X...X", "X...X", "X...X", "X...X", ".XXX."],
    "V": ["X...X", "X...X", "X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "X": ["X...X", "X...X", ".X.X.", "..X..", ".X.X.", "X...X", "X...X"],
}

# The lowest rows' alien: a one-eyed jellyfish whose tentacles sway.
MEDUSA = {
    "titolo": "alien of the two lowest rows",
    "file": "alieno_medusa.svg",
    "dimensione": (41, 41),
    "origine": (1, 1),
    "cella": 3,
    "colori": {"M": "#e0309c", "L": "#ff8ad8", "D": "#8c1466", "W": "#ffffff", "K": "#101030",
               "E": "#7080ff"},
    "griglia": [
        "....MMMMM....",
        "..MLLMMMMMM..",
        ".MLLMMMMMMMM.",
        ".MLMWWWWWMMM.",
        "MMMWWKEKWWMMM",
        "MMMWWKKKWWMMM",
        "MMMWWKKKWWMMM",
        "DMMMWWWWWMMMD",
        ".DDMMMMMMMDD.",
        ".M..M.M.M..M.",
        "M..M..M..M..M",
        ".M..M...M..M.",
        "M...M...M...M",
    ],
}

# The middle rows' alien: a horned beetle seen from above.
SCARABEO = {
    "titolo": "alien of the middle rows",
    "file": "alieno_scarabeo.svg",
    "dimensione": (41, 41),
    "origine": (1, 1),
    "cella": 3,
    "colori": {"H": "#ffe040", "M": "#ff9c00", "S": "#d86a00", "D": "#7a3400", "W": "#ffffff",
               "K": "#200800", "Z": "#ffc860"},
    "griglia": [
        ".H.........H.",
        ".HH.......HH.",
        "..HH.....HH..",
        "...MMMMMMM...",
        "..MMWKMKWMM..",
        "...MMMMMMM...",
        "D.ZSSSDSSSZ.D",
        ".DZSSSDSSSZD.",
        "D.SSSSDSSSS.D",
        ".DSSSSDSSSSD.",
        "D.SSSSDSSSS.D",
        "...SSSDSSS...",
        "....SSDSS....",
    ],
}

# The top row's alien: a winged sentinel with one eye and an antenna.
SENTINELLA = {
    "titolo": "alien of the top row",
    "file": "alieno_sentinella.svg",
    "dimensione": (41, 41),
    "origine": (1, 1),
    "cella": 3,
    "colori": {"A": "#fff060", "M": "#00c8e8", "L": "#a0f4ff", "G": "#1870ff", "W": "#ffffff",
               "K": "#ff2040", "D": "#005c8c"},
    "griglia": [
        "......A......",
        "......M......",
        ".....MMM.....",
        "....MLLMM....",
        "G..MLWWWMM..G",
        "GG.MWWKWWM.GG",
        "GGGMMWWWMMGGG",
        "GGGGMMMMMGGGG",
        ".GGGDMMMDGGG.",
        "..GG.DMD.GG..",
        "......M......",
        ".....M.M.....",
        "....M...M....",
    ],
}

PROIETTILE = {
    "titolo": "the player's shot",
    "file": "proiettile.svg",
    "dimensione": (9, 25),
    "origine": (0, 0),
    "cella": 1,
    "colori": {"W": "#ffffff", "Y": "#fff070", "O": "#ffb000", "R": "#e05000"},
    "griglia": [
        "....W....",
        "...WWW...",
        "...WWW...",
        "..YWWWY..",
        "..YWWWY..",
        ".OYWWWYO.",
        ".OYWWWYO.",
        ".OYWWWYO.",
        ".OYWWWYO.",
        ".OYWWWYO.",
        ".OYWWWYO.",
        ".OYWWWYO.",
        ".OYWWWYO.",
        ".OYYWYYO.",
        ".OYYWYYO.",
        "..OYYYO..",
        "..OYYYO..",
        "..OOYOO..",
        "..ROYOR..",
        "...OYO...",
        "...ROR...",
        "...ROR...",
        "....R....",
        "....R....",
        "....R....",
    ],
}

PROIETTILE_NEMICO = {
    "titolo": "an alien's shot",
    "file": "proiettile_nemico.svg",
    "dimensione": (9, 17),
    "origine": (0, 0),
    "cella": 1,
    "colori": {"W": "#fff4c0", "R": "#ff3020", "D": "#a01010"},
    "griglia": [
        "..RR.....",
        "..RWR....",
        "...RWR...",
        "....RWR..",
        ".....RWR.",
        "....RWR..",
        "...RWR...",
        "..RWR....",
        ".RWR.....",
        "..RWR....",
        "...RWR...",
        "....RWR..",
        ".....RWR.",
        "....RWRD.",
        "...RWWWRD",
        "...DRWRD.",
        "....DRD..",
    ],
}

NAVICELLA_BONUS = {
    "titolo": "the bonus ship",
    "file": "navicella_bonus.svg",
    "dimensione": (120, 80),
    "origine": (0, 0),
    "cella": 5,
    "colori": {"C": "#60e0ff", "L": "#e0ffff", "R": "#e02030", "H": "#ff7070", "D": "#7c0c18",
               "Y": "#ffe040", "O": "#ff9020"},
    "griglia": [
        "........................",
        "........................",
        ".........CCCCCC.........",
        ".......CCLLCCCCCC.......",
        "......CLLCCCCCCCCC......",
        "......CCCCCCCCCCCC......",
        "...HHHHHHHHHHHHHHHHHH...",
        ".RRRRRRRRRRRRRRRRRRRRRR.",
        "RYYRRYYRRYYRRYYRRYYRRYYR",
        "RRRRRRRRRRRRRRRRRRRRRRRR",
        ".DDDDDDDDDDDDDDDDDDDDDD.",
        "...DDDDDDDDDDDDDDDDDD...",
        ".....OO....OO....OO.....",
        ".....YY....YY....YY.....",
        "........................",
        "........................",
    ],
}

CANNONE = {
    "titolo": "the player's cannon",
    "file": "cannone.svg",
    "dimensione": (57, 33),
    "origine": (0, 0),
    "cella": 3,
    "colori": {"B": "#00d000", "L": "#a0ffa0", "G": "#00b000", "H": "#50f050", "D": "#006000",
               "K": "#003000"},
    "griglia": [
        "........BBB........",
        "........BLB........",
        "........BLB........",
        ".......GGLGG.......",
        "......GGHHHGG......",
        ".GGGGGGGGGGGGGGGGG.",
        "GHHHHHHHHHHHHHHHHHG",
        "GGGGGGGGGGGGGGGGGGG",
        "DDDDDDDDDDDDDDDDDDD",
        "DKDKDKDKDKDKDKDKDKD",
        ".DDDDDDDDDDDDDDDDD.",
    ],
}

MATTONCINO = {
    "titolo": "a wall brick",
    "file": "mattoncino.svg",
    "dimensione": (23, 15),
    "origine": (0, 0),
    "cella": 1,
    "colori": {"L": "#ff9a6a", "M": "#d8542c", "S": "#b8401c", "D": "#6c200c"},
    "griglia": [
        ".LLLLLLLLLLLLLLLLLLLLL.",
        "LMMMMMMMMMMMMMMMMMMMMMD",
        "LMMMMMSMMMMMMMMMMMSMMMD",
        "LMMMMMMMMMMMMMMMMMMMMMD",
        "LMMMMMMMMMMMSMMMMMMMMMD",
        "LMMSMMMMMMMMMMMMMMMMMMD",
        "LMMMMMMMMMMMMMMMMMMMMMD",
        "DDDDDDDDDDDLDDDDDDDDDDD",
        "LMMMMMMMMMMLMMMMMMMMMMD",
        "LMMMMMMMSMMLMMMMMMMMMMD",
        "LMMMMMMMMMMLMMMMMSMMMMD",
        "LMMSMMMMMMMLMMMMMMMMMMD",
        "LMMMMMMMMMMLMMMMMMMMSMD",
        "LMMMMMMMMMMLMMMMMMMMMMD",
        ".DDDDDDDDDDDDDDDDDDDDD.",
    ],
}


def bandiera(righe):
    """A banner grid: lines of block letters one cell apart, lines two cells apart;
    the upper three rows of each letter are "A", the lower ones "B"."""
    larghezza = max(len(r) * 6 - 1 for r in righe)
    griglia = [["."] * larghezza for _ in range(len(righe) * 9 - 2)]
    for i, testo in enumerate(righe):
        x0 = (larghezza - (len(testo) * 6 - 1)) // 2
        for j, c in enumerate(testo):
            for y, riga in enumerate(LETTERE.get(c, [])):
                for x, v in enumerate(riga):
                    if v == "X":
                        griglia[i * 9 + y][x0 + j * 6 + x] = "A" if y < 3 else "B"
    return ["".join(r) for r in griglia]


def banner(titolo, file, righe, cella, colori, ombra):
    """Lettering centred on a 400 x 200 banner, over a shadow shifted by a third of
    a cell down and right."""
    griglia = bandiera(righe)
    larghezza, altezza = len(griglia[0]) * cella, len(griglia) * cella
    spostamento = cella // 3
    return {
        "titolo": titolo,
        "file": file,
        "dimensione": (400, 200),
        "origine": ((400 - larghezza - spostamento) // 2, (200 - altezza - spostamento) // 2),
        "cella": cella,
        "colori": colori,
        "griglia": griglia,
        "ombra": (spostamento, ombra),
    }


PAUSA = banner("the pause banner", "banner_pausa.svg", ["PAUSA"], 12,
               {"A": "#fff060", "B": "#ffb000"}, "#804000")
GAME_OVER = banner("the game-over banner", "banner_gameover.svg", ["GAME", "OVER"], 10,
                   {"A": "#ff6060", "B": "#e01818"}, "#600000")
NEXT_LEVEL = banner("the next-level banner", "banner_nextlevel.svg", ["NEXT", "LEVEL"], 10,
                    {"A": "#80ffff", "B": "#00c0e0"}, "#004c70")

IMMAGINI = [MEDUSA, SCARABEO, SENTINELLA, PROIETTILE, PROIETTILE_NEMICO, NAVICELLA_BONUS,
            CANNONE, MATTONCINO, PAUSA, GAME_OVER, NEXT_LEVEL]


def rettangoli(griglia, lettera):
    """Cells of one colour as few rectangles: runs along each row, then runs of
    equal rows merged downwards."""
    aperti = {}  # (x, larghezza) -> (y, altezza)
    fatti = []
    for y, riga in enumerate(griglia + [""]):
        corse = []
        x = 0
        while x < len(riga):
            if riga[x] == lettera:
                inizio = x
                while x < len(riga) and riga[x] == lettera:
                    x += 1
                corse.append((inizio, x - inizio))
            else:
                x += 1
        nuovi = {}
        for c in corse:
            if c in aperti:
                y0, h = aperti.pop(c)
                nuovi[c] = (y0, h + 1)
            else:
                nuovi[c] = (y, 1)
        for (x0, w), (y0, h) in aperti.items():
            fatti.append((x0, y0, w, h))
        aperti = nuovi
    return sorted(fatti, key=lambda r: (r[1], r[0]))


def svg(imm):
    w, h = imm["dimensione"]
    ox, oy = imm["origine"]
    c = imm["cella"]
    griglia = imm["griglia"]
    larghezza = max(len(r) for r in griglia)
    assert ox + larghezza * c <= w and oy + len(griglia) * c <= h, imm["file"]
    usate = {ch for r in griglia for ch in r if ch != "."}
    assert usate <= set(imm["colori"]), (imm["file"], usate - set(imm["colori"]))
    righe = [
        '<?xml version="1.0" encoding="UTF-8"?>',
        f'<!-- SKARVEX built-in picture: {imm["titolo"]}. {w} x {h} pixels at 1x,',
        f'     drawn in cells of {c} x {c} pixels from ({ox}, {oy}). Written by genera.py',
        '     from this grid; "." is transparent, letters are the colours below.',
    ]
    if "ombra" in imm:
        righe.append(f'     The lettering casts a shadow {imm["ombra"][0]} pixels down and right.')
    righe += ["     " + r for r in griglia]
    righe += ["-->"]
    righe.append(f'<svg xmlns="http://www.w3.org/2000/svg" version="1.2" baseProfile="tiny" '
                 f'width="{w}" height="{h}" viewBox="0 0 {w} {h}">')
    if "ombra" in imm:
        spostamento, colore = imm["ombra"]
        righe.append(f'  <g id="ombra" fill="{colore}" '
                     f'transform="translate({spostamento} {spostamento})">')
        for lettera in sorted(usate):
            for x, y, rw, rh in rettangoli(griglia, lettera):
                righe.append(f'    <rect x="{ox + x * c}" y="{oy + y * c}" '
                             f'width="{rw * c}" height="{rh * c}"/>')
        righe.append("  </g>")
    for lettera, colore in imm["colori"].items():
        if lettera not in usate:
            continue
        righe.append(f'  <g id="{lettera}" fill="{colore}">')
        for x, y, rw, rh in rettangoli(griglia, lettera):
            righe.append(f'    <rect x="{ox + x * c}" y="{oy + y * c}" '
                         f'width="{rw * c}" height="{rh * c}"/>')
        righe.append("  </g>")
    righe.append("</svg>")
    return "\n".join(righe) + "\n"


def main():
    cartella = os.path.dirname(os.path.abspath(__file__))
    for imm in IMMAGINI:
        with open(os.path.join(cartella, imm["file"]), "w", encoding="utf-8") as f:
            f.write(svg(imm))


if __name__ == "__main__":
    main()
