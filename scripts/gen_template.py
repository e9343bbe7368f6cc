#!/usr/bin/env python3
"""Writes resources/zadost.fr3: the printed credit application, A4 portrait.

Page 1: the applicant (company data and overview), the sales of both years
and the credit assessment. Page 2: the crop production and plan, the notes,
the date of granting and the signatures. Every caption is a txt_ variable
(lines of texty.txt), so a German print is German throughout; the template
declares them all empty, so a shorter caption file prints blanks instead of
failing. Positions are millimetres inside the page margins.
Run it after a change and commit the result:  python3 scripts/gen_template.py
"""
import pathlib
from xml.sax.saxutils import escape, quoteattr

ROOT = pathlib.Path(__file__).resolve().parent.parent
OUT = ROOT / "resources" / "zadost.fr3"

WIDTH = 182.0  # printable width: 210 - 14 - 14
MARGINS = "14 11 14 10"
FOOTER_Y = 266.0

INK = "#1b2a44"      # body text
NAVY = "#1f3a73"     # headings and rules
CAPTION = "#56637a"  # small captions above values
GRID = "#b3bccb"     # table lines
HEAD_FILL = "#e3e9f3"
BAND_FILL = "#f3f5f9"
TOTAL_FILL = "#e9edf5"
KEY_FILL = "#fdf3d6"  # the credit line

objects = []


def fmt(v):
    return ("%.2f" % v).rstrip("0").rstrip(".")


def text(x, y, w, h, content, **a):
    attrs = {"x": fmt(x), "y": fmt(y), "w": fmt(w), "h": fmt(h)}
    for k, v in a.items():
        if v is None or v is False:
            continue
        key = k.replace("_", "-")
        attrs[key] = "1" if v is True else (fmt(v) if isinstance(v, float) else str(v))
    objects.append("<text %s>%s</text>" % (" ".join("%s=%s" % (k, quoteattr(v)) for k, v in attrs.items()),
                                            escape(content)))


def line(x1, y1, x2, y2, width=0.4, color=GRID):
    objects.append('<line x1="%s" y1="%s" x2="%s" y2="%s" width="%s" color="%s"/>'
                   % (fmt(x1), fmt(y1), fmt(x2), fmt(y2), fmt(width), color))


def rect(x, y, w, h, fill=None, line_width=0.0, color=GRID):
    a = 'x="%s" y="%s" w="%s" h="%s" line-width="%s"' % (fmt(x), fmt(y), fmt(w), fmt(h), fmt(line_width))
    if line_width:
        a += ' line-color="%s"' % color
    if fill:
        a += ' fill="%s"' % fill
    objects.append("<rect %s/>" % a)


def col(name):
    return '[frxDBDataset1."%s"]' % name


def section(y, caption, unit=None):
    """A heading bar across the page; returns the y below it."""
    rect(0, y, WIDTH, 6.2, fill=NAVY)
    text(0, y, 140, 6.2, "[%s]" % caption, size=10.0, bold=True, color="#ffffff", valign="center",
         padding_x=2.0, shrink=True)
    if unit:
        text(WIDTH - 40, y, 40, 6.2, "[%s]" % unit, size=8.0, color="#ffffff", align="right", valign="center",
             padding_x=2.0)
    return y + 8.0


def field(x, y, w, caption, value, h=9.5, align="left", fmt_=None, wrap=False, size=9.5, bold=False,
          valign="center"):
    """A form box: a small caption in its top-left corner, the value below."""
    rect(x, y, w, h, line_width=0.4)
    text(x, y + 0.2, w, 3.6, "[%s]" % caption, size=6.3, color=CAPTION, shrink=True, padding_x=1.2,
         padding_y=0.3)
    text(x, y + 3.6, w, h - 3.6, value, size=size, bold=bold, color=INK, align=align, valign=valign,
         format=fmt_, shrink=True, wrap=wrap, padding_x=1.4, padding_y=0.3)


def table_header(x, y, widths, captions, h, aligns, size=7.2):
    rect(x, y, sum(widths), h, fill=HEAD_FILL)
    cx = x
    for w, c, a in zip(widths, captions, aligns):
        text(cx, y, w, h, c, size=size, bold=True, color=NAVY, align=a, valign="center", wrap=True,
             shrink=True, padding_x=1.2)
        cx += w
    line(x, y + h, x + sum(widths), y + h, width=0.6, color=NAVY)


def table_row(x, y, widths, cells, h, aligns, formats, band=False, bold=False, size=8.3, fill=None):
    if fill or band:
        rect(x, y, sum(widths), h, fill=fill or BAND_FILL)
    cx = x
    for i, (w, c, a, f) in enumerate(zip(widths, cells, aligns, formats)):
        if c:
            text(cx, y, w, h, c, size=size, bold=bold, color=INK, align=a, valign="center", format=f,
                 shrink=True, padding_x=1.4 if i else 1.6)
        cx += w
    line(x, y + h, x + sum(widths), y + h, width=0.3)


def header(page_title_size):
    """The title block at the top of a page; returns the y below it."""
    text(0, 0, 126, 9, "[txt_77] [rok2]", size=page_title_size, bold=True, color=NAVY, valign="center",
         shrink=True, padding_x=0.0)
    text(0, 9, 126, 5, col("nazevpodni"), size=9.0, color=INK, shrink=True, padding_x=0.0)
    text(126, 0.5, 56, 4.3, "[txt_03]: " + col("ico"), size=8.0, bold=True, color=INK, align="right",
         padding_x=0.0)
    text(126, 4.8, 56, 4.3, "[txt_93]: [rok2]", size=8.0, color=INK, align="right", padding_x=0.0)
    text(126, 9.1, 56, 4.3, "[txt_94]: [Date]", size=7.0, color=CAPTION, align="right", padding_x=0.0)
    line(0, 14.5, WIDTH, 14.5, width=1.2, color=NAVY)
    return 18.0


def footer():
    line(0, FOOTER_Y, WIDTH, FOOTER_Y, width=0.5, color=NAVY)
    text(0, FOOTER_Y + 0.6, 150, 4.0, "[txt_99]", size=6.8, italic=True, color=CAPTION, shrink=True,
         padding_x=0.0)
    text(0, FOOTER_Y + 4.3, 150, 4.0, "[txt_98]", size=6.8, color=CAPTION, shrink=True, padding_x=0.0)
    text(150, FOOTER_Y + 0.6, 32, 4.0, "[txt_89] [Page] / [TotalPages#]", size=7.5, bold=True, color=INK,
         align="right", padding_x=0.0)


def page(name):
    global objects
    body = "\n  ".join(objects)
    objects = []
    return ('<page name="%s" paper="A4" orientation="portrait" margins="%s">\n  %s\n </page>'
            % (name, MARGINS, body))


def page1():
    y = header(15.0)

    # The applicant: company data as on the company page.
    y = section(y, "txt_78")
    third = WIDTH / 3
    field(0, y, WIDTH, "txt_01", col("nazevpodni"), bold=True)
    y += 9.5
    field(0, y, 92, "txt_02", col("ulicecislo"))
    field(92, y, 62, "txt_06", col("posta"))
    field(154, y, 28, "txt_10", col("psc"))
    y += 9.5
    field(0, y, 60, "txt_03", col("ico"))
    field(60, y, 62, "txt_07", col("kod_platce"))
    field(122, y, 60, "txt_11", col("kod_par"))
    y += 9.5
    field(0, y, 92, "txt_04", col("partner"))
    field(92, y, 90, "txt_08", col("dealer"))
    y += 9.5
    field(0, y, 92, "txt_05", col("telefon"))
    field(92, y, 90, "txt_09", col("emailobj"))
    y += 9.5 + 2.5

    # Overview: land (its captions name the unit), standing.
    for i, (cap, name) in enumerate([("txt_12", "zem_puda_vlast"), ("txt_13", "zem_puda_najem"),
                                     ("txt_14", "zem_puda_celkem")]):
        field(i * third, y, third, cap, col(name), align="right", fmt_="n0", bold=(name == "zem_puda_celkem"))
    y += 9.5
    for i, (cap, name) in enumerate([("txt_15", "plateb_moralka"), ("txt_16", "financ_situace"),
                                     ("txt_17", "dosav_spoluprace")]):
        field(i * third, y, third, cap, col(name), h=12.0, wrap=True, size=8.5)
    y += 12.0 + 4.0

    # Sales of the previous year and of this year.
    y = section(y, "txt_79", unit="txt_91")
    widths = [102, 40, 40]
    aligns = ["left", "right", "right"]
    table_header(0, y, widths, ["", "[txt_36] [rok1]", "[txt_37] [rok2]"], 7.0, aligns, size=7.8)
    y += 7.0
    rows = [("txt_%02d" % (25 + i), "prodej%02d" % i) for i in range(1, 10)]
    rows += [("txt_87", "prodej10"), ("txt_88", "prodej11")]
    for i, (cap, name) in enumerate(rows):
        table_row(0, y, widths, ["[%s]" % cap, col(name + "_min"), col(name)], 5.6, aligns,
                  [None, "n0", "n0"], band=(i % 2 == 1))
        y += 5.6
    line(0, y, WIDTH, y, width=0.8, color=NAVY)
    table_row(0, y, widths, ["[txt_35]", col("prodejce_min"), col("prodejce")], 6.0, aligns,
              [None, "n0", "n0"], bold=True, size=8.8, fill=TOTAL_FILL)
    y += 6.0 + 4.0

    # The credit assessment, as on the credit page.
    y = section(y, "txt_81", unit="txt_91")
    widths = [102, 40, 40]
    table_header(0, y, widths, ["", "[txt_73]\n[rok1]", "[txt_74]\n[rok2]"], 8.6, aligns, size=7.8)
    y += 8.6
    rows = [("txt_65", None, "zavazky", "n0", ""),
            ("txt_66", "prodej_min", "prodej", "n0", ""),
            ("txt_67", None, "pohledavky", "n0", ""),
            ("txt_68", "nakup_min", "nakup", "n0", ""),
            ("txt_69", None, "produkce", "n0", ""),
            ("txt_70", "zadost_min", "zadost", "n0", ""),
            ("txt_71", None, "zajisteni", "n0", " %"),
            ("txt_86", None, "zajisteni2", "n0", " %")]
    for i, (cap, before, now, f, suffix) in enumerate(rows):
        table_row(0, y, widths, ["[%s]" % cap, col(before) if before else "", col(now) + suffix], 5.6,
                  aligns, [None, f, f], band=(i % 2 == 1))
        y += 5.6
    line(0, y, WIDTH, y, width=0.8, color=NAVY)
    table_row(0, y, widths, ["[txt_72]", "", col("kredit")], 7.0, aligns, [None, None, "n2"], bold=True,
              size=10.0, fill=KEY_FILL)
    y += 7.0
    line(0, y, WIDTH, y, width=0.8, color=NAVY)
    footer()
    return page("Strana1")


def page2():
    y = header(12.0)

    # Crop production and plan.
    y = section(y, "txt_80")
    widths = [40, 17, 16, 20, 20, 26, 19, 24]
    aligns = ["left"] + ["right"] * 7
    caps = ["[txt_39]"] + ["[txt_%d]" % n for n in range(57, 64)]
    table_header(0, y, widths, caps, 10.0, aligns, size=7.0)
    y += 10.0
    formats = [None, "n0", "n2", "n0", "n0", "n0", "n0", "n0"]
    for r in range(1, 17):
        nn = "%02d" % r
        cells = ["[txt_%d]" % (39 + r)] + [col(c % nn) for c in
                                           ("prod%s_hekt", "prod%s_nahe", "prod%s_celk", "prod%s_cena",
                                            "prod%s_suma", "plan%s_pv", "plan%s")]
        table_row(0, y, widths, cells, 5.6, aligns, formats, band=(r % 2 == 0), size=8.2)
        y += 5.6
    line(0, y, WIDTH, y, width=0.8, color=NAVY)
    table_row(0, y, widths, ["[txt_56]", col("prodce_hekt"), "", col("prodce_celk"), "", col("prodce_suma"),
                             col("plance_pv"), col("plance")], 6.0, aligns, formats, bold=True, size=8.0,
              fill=TOTAL_FILL)
    y += 6.0 + 4.5

    # Notes and the date of granting.
    y = section(y, "txt_82")
    field(0, y, WIDTH, "txt_75", col("pozn_zajisteni"), h=22.0, wrap=True, size=8.8, valign="top")
    y += 22.0
    field(0, y, WIDTH, "txt_76", col("pozn_duvod"), h=22.0, wrap=True, size=8.8, valign="top")
    y += 22.0
    field(0, y, 91, "txt_85", col("priznani"), bold=True)
    field(91, y, 91, "txt_90", "")
    y += 9.5 + 17.0

    # Signatures: both parties, then who prepared and who approved it.
    def signature(x, w, top, caption):
        line(x + 3, top, x + w - 3, top, width=0.5, color=INK)
        text(x, top + 0.6, w, 4.2, "[%s]" % caption, size=7.8, bold=True, color=INK, align="center",
             shrink=True)
        text(x, top + 4.6, w, 3.8, "[txt_84]", size=6.5, color=CAPTION, align="center", shrink=True)

    half = WIDTH / 2
    signature(0, half, y, "txt_96")
    signature(half, half, y, "txt_97")
    y += 21.0
    signature(0, half, y, "txt_83")
    signature(half, half, y, "txt_95")
    footer()
    return page("Strana2")


def variables():
    names = ["txt_%02d" % n for n in range(1, 100)] + ["rok1", "rok2"]
    return "\n  ".join('<variable name="%s" value=""/>' % n for n in names)


def main():
    body = ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<!-- Generated by scripts/gen_template.py: edit the generator, not this file. -->\n'
            '<varnokReport version="1">\n <variables>\n  %s\n </variables>\n %s\n %s\n</varnokReport>\n'
            % (variables(), page1(), page2()))
    OUT.write_text(body, encoding="utf-8")


if __name__ == "__main__":
    main()
