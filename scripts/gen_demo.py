#!/usr/bin/env python3
"""Writes db/demo.sql: demo companies, dealers, order data and applications.

The derived figures of every application are computed the way the program
recomputes them (truncation of an extended-precision product, 32-bit sums),
so opening a demo application and leaving a field changes nothing. Inputs
whose extended-precision result would differ from the exact decimal one
are nudged, so that a plain SQL check with exact arithmetic agrees too.
Run it after a change and commit the result:  python3 scripts/gen_demo.py
"""
import datetime
import pathlib
import random
from decimal import Decimal
from fractions import Fraction

ROOT = pathlib.Path(__file__).resolve().parent.parent
YEARS = (2016, 2017, 2018)
INT32_MAX = 2**31 - 1

DEALERS = [("12", "Sever"), ("24", "Střed"), ("31", "Jih"), ("45", "Východ"),
           ("58", "Západ"), ("67", "Vysočina")]

# ico, kodpar, name, street, town, postcode, partner, dealer code, phone,
# e-mail, first year with an application (None: no application), whether
# the company has order data, own and rented land in ha.
COMPANIES = [
    dict(ico="46345701", kodpar="ZD1024", name="Zemědělské družstvo Žďár",
         street="Nádražní 1287/12", town="Žďár nad Sázavou", psc="591 01",
         partner="Ing. Jiří Dvořák", dealer="67", phone="+420 566 621 345",
         email="objednavky@zdzdar.cz", years=(2016, 2017, 2018), orders=True,
         land=(420, 1310), crops={1: 420, 2: 180, 3: 150, 4: 260, 5: 120, 6: 210, 8: 45, 9: 60}),
    dict(ico="60112484", kodpar="AT2087", name="Agro Třeboň s.r.o.",
         street="Husova 221", town="Třeboň", psc="379 01",
         partner="Marie Šťastná", dealer="31", phone="+420 384 721 118",
         email="agro@agrotrebon.cz", years=(2016, 2017, 2018), orders=True,
         land=(250, 890), crops={1: 310, 2: 140, 4: 190, 6: 160, 9: 75, 10: 55, 12: 40}),
    dict(ico="25078267", kodpar="SK0415", name="Statek Kouřim a.s.",
         street="Náměstí Míru 5", town="Kouřim", psc="281 61",
         partner="Petr Kříž", dealer="24", phone="+420 321 789 002",
         email="statek@kourim-as.cz", years=(2016, 2017, 2018), orders=True,
         land=(610, 1540), crops={1: 520, 3: 210, 4: 300, 5: 180, 7: 95, 8: 60, 11: 70, 13: 25, 14: 40, 15: 30}),
    dict(ico="48173461", kodpar="ZC0733", name="ZOD Dolní Čermná",
         street="Dolní Čermná 187", town="Dolní Čermná", psc="561 53",
         partner="Bc. Lenka Holubová", dealer="45", phone="+420 465 393 241",
         email="zod@dolnicermna.cz", years=(2017, 2018), orders=True,
         land=(180, 720), crops={1: 240, 2: 120, 4: 110, 6: 140, 9: 50, 10: 35}),
    dict(ico="27456102", kodpar="RF3310", name="Rodinná farma Šťastný s.r.o.",
         street="Polní 14", town="Bělá pod Bezdězem", psc="294 21",
         partner="Tomáš Šťastný", dealer="12", phone="+420 326 701 554",
         email="farma@farmastastny.cz", years=(2016, 2017), orders=False,
         land=(95, 210), crops={1: 110, 2: 60, 4: 55, 8: 18, 12: 22, 16: 15}),
    dict(ico="63218844", kodpar="RU0512", name="Rolnická společnost Úštěk a.s.",
         street="Litoměřická 96", town="Úštěk", psc="411 45",
         partner="Ing. Radek Čermák", dealer="12", phone="+420 416 797 310",
         email="rolnici@ustek.cz", years=(), orders=True,
         land=(300, 980), crops={}),
]

# Product rows: yield in t/ha and price in CZK/t of a normal year.
BASE_YIELD = {1: "6.5", 2: "5.4", 3: "5.9", 4: "3.4", 5: "8.1", 6: "38.0", 7: "65.0",
              8: "28.5", 9: "4.2", 10: "5.1", 11: "5.3", 12: "3.1", 13: "0.9",
              14: "2.7", 15: "2.6", 16: "1.8"}
BASE_PRICE = {1: 4200, 2: 4300, 3: 3900, 4: 9200, 5: 3600, 6: 700, 7: 850, 8: 3500,
              9: 3400, 10: 3700, 11: 3600, 12: 5200, 13: 42000, 14: 8800, 15: 9100, 16: 8000}
YEAR_YIELD = {2016: Decimal("1.00"), 2017: Decimal("0.93"), 2018: Decimal("0.90")}
YEAR_PRICE = {2016: Decimal("1.00"), 2017: Decimal("1.05"), 2018: Decimal("1.08")}

# Sales groups 01 to 11 of a typical client in CZK; None: nothing sold.
BASE_SALES = [1850000, 920000, 640000, 380000, None, 210000, 450000, None, 120000, 95000, None]

MORALKA = ["výborná, platí v termínu", "dobrá, občas prodlení do 14 dnů", "velmi dobrá"]
SITUACE = ["stabilizovaná", "stabilní, mírně rostoucí tržby", "dobrá, nízká zadluženost"]
SPOLUPRACE = ["dlouholetá, bez problémů", "od roku 2009, spolehlivý odběratel",
              "dobrá, pravidelné odběry osiva a hnojiv"]
POZN_ZAJISTENI = [
    "Zajištění směnkou a zástavou sklizně pšenice.",
    "Výkup obilí přes naši společnost, zápočet pohledávek po sklizni.",
    "Ručení jednatele, smlouva o budoucím výkupu řepky.",
]
POZN_DUVOD = [
    "Nákup osiva a hnojiv na jarní práce, rozšíření pěstování řepky.",
    "Přípravky na ochranu rostlin a hnojiva na celou sezónu.",
    "Obnova porostů po zimě, vyšší dávky dusíkatých hnojiv.",
]


def ext(x):
    """x rounded to the 64-bit significand of the extended format."""
    x = Fraction(x)
    if x == 0:
        return x
    sign, a = (1, x) if x > 0 else (-1, -x)
    e = a.numerator.bit_length() - a.denominator.bit_length()
    if a < Fraction(2) ** e:
        e -= 1
    scale = Fraction(2) ** (63 - e)
    m = a * scale
    q, r = divmod(m.numerator, m.denominator)
    if 2 * r > m.denominator or (2 * r == m.denominator and q % 2):
        q += 1
    return sign * Fraction(q) / scale


def trunc(x):
    return int(x)  # Fraction -> int truncates toward zero


def quantity(hekt, nahe):
    """Truncated product as the program forms it, or None when it differs
    from the exact decimal product's truncation."""
    program = trunc(ext(hekt * Fraction(float(nahe))))
    exact = trunc(Fraction(hekt) * Fraction(nahe))
    return program if program == exact else None


def coverage(part, whole):
    program = trunc(ext(ext(Fraction(part, whole)) * 100))
    exact = trunc(Fraction(part * 100, whole))
    return program if program == exact else None


def int32(v):
    assert -2**31 <= v <= INT32_MAX, v
    return v


def nn(r):
    return "%02d" % r


def application(c, year, prev, rnd):
    """One application row as a dict of column -> value (None: NULL)."""
    row = dict(ico=c["ico"], rok=year, kod_par=c["kodpar"], nazevpodni=c["name"],
               ulicecislo=c["street"], posta=c["town"], psc=c["psc"],
               kod_platce="CZ" + c["ico"], partner=c["partner"],
               dealer="%s/%s" % (dict(DEALERS)[c["dealer"]], c["dealer"]),
               telefon=c["phone"], emailobj=c["email"])
    vlast, najem = c["land"]
    row.update(zem_puda_vlast=vlast, zem_puda_najem=najem, zem_puda_celkem=vlast + najem)
    row.update(plateb_moralka=rnd.choice(MORALKA), financ_situace=rnd.choice(SITUACE),
               dosav_spoluprace=rnd.choice(SPOLUPRACE))

    # Sales of the year; those of the previous year come from its row.
    scale = Decimal(sum(c["crops"].values())) / 1000
    growth = Decimal(1 + (year - 2016) * 0.04)
    for i, base in enumerate(BASE_SALES, start=1):
        v = None if base is None else int(Decimal(base) * scale * growth / 1000) * 1000
        row["prodej" + nn(i)] = v
        if prev is not None:
            row["prodej%s_min" % nn(i)] = prev["prodej" + nn(i)]
        else:
            row["prodej%s_min" % nn(i)] = None if v is None else int(v * 0.94 / 1000) * 1000
    row["prodejce"] = int32(sum(row["prodej" + nn(i)] or 0 for i in range(1, 12)))
    row["prodejce_min"] = int32(sum(row["prodej%s_min" % nn(i)] or 0 for i in range(1, 12)))

    # Product rows.
    for r, area in sorted(c["crops"].items()):
        nahe = (Decimal(BASE_YIELD[r]) * YEAR_YIELD[year] * Decimal(rnd.uniform(0.94, 1.06)))
        nahe = nahe.quantize(Decimal("0.1") if nahe < 20 else Decimal("1"))
        cena = int(Decimal(BASE_PRICE[r]) * YEAR_PRICE[year] / 10) * 10
        hekt = area + rnd.randint(-12, 12)
        while (celk := quantity(hekt, nahe)) is None:
            hekt += 1
        share = rnd.choice((Decimal("0.4"), Decimal("0.5"), Decimal("0.6"), Decimal("0.7")))
        plan_pv = int(celk * share / 10) * 10
        row.update({
            "prod%s_hekt" % nn(r): hekt,
            "prod%s_nahe" % nn(r): nahe.quantize(Decimal("0.01")),
            "prod%s_celk" % nn(r): celk,
            "prod%s_cena" % nn(r): cena,
            "prod%s_suma" % nn(r): int32(celk * cena),
            "plan%s_pv" % nn(r): plan_pv,
            "plan" + nn(r): int32(plan_pv * cena),
        })
    for total, fmt in (("prodce_hekt", "prod%s_hekt"), ("prodce_celk", "prod%s_celk"),
                       ("prodce_suma", "prod%s_suma"), ("plance_pv", "plan%s_pv"),
                       ("plance", "plan%s")):
        row[total] = int32(sum(row.get(fmt % nn(r)) or 0 for r in range(1, 20)))

    # Credit summary.
    zavazky = int(Decimal(row["prodejce"]) * Decimal(rnd.uniform(0.25, 0.6)) / 1000) * 1000
    while True:
        pohledavky = int32(zavazky + row["prodejce"])
        zaj = coverage(row["plance"], pohledavky)
        zaj2 = coverage(row["prodce_suma"], pohledavky)
        if zaj is not None and zaj2 is not None:
            break
        zavazky += 1000
    zadost = int(pohledavky * 0.35 / 50000) * 50000
    row.update(zavazky=zavazky, prodej=row["prodejce"], prodej_min=row["prodejce_min"],
               pohledavky=pohledavky, nakup=row["plance"], produkce=row["prodce_suma"],
               zajisteni=zaj, zajisteni2=zaj2, zadost=zadost,
               kredit=(Decimal(zadost) * Decimal("1.21")).quantize(Decimal("0.01")))
    if prev is not None:
        row.update(nakup_min=prev["nakup"], zadost_min=prev["zadost"])
    else:
        row.update(nakup_min=int(row["plance"] * 0.9 / 1000) * 1000,
                   zadost_min=int(zadost * 0.9 / 50000) * 50000)
    row.update(pozn_zajisteni=rnd.choice(POZN_ZAJISTENI), pozn_duvod=rnd.choice(POZN_DUVOD),
               priznani=datetime.date(year, 3, rnd.randint(2, 27)))
    return row


def literal(v):
    if v is None:
        return "NULL"
    if isinstance(v, (int, Decimal)):
        return str(v)
    if isinstance(v, datetime.date):
        return "'%s'" % v.isoformat()
    assert ";" not in v and "\n" not in v
    return "'%s'" % v.replace("\\", "\\\\").replace("'", "''")


def insert(table, rows):
    """One INSERT per table, one line per row, ending with ';' at a line's end."""
    cols = list(rows[0].keys())
    values = ",\n".join("(%s)" % ", ".join(literal(r[c]) for c in cols) for r in rows)
    return "INSERT INTO %s (%s) VALUES\n%s;\n" % (table, ", ".join(cols), values)


def main():
    rnd = random.Random(2018)
    out = ["-- Demo data of Varnok05 (UTF-8). Generated by scripts/gen_demo.py: edit the",
           "-- generator, not this file. Load after db/schema.sql.", ""]
    out.append(insert("dealertopc", [dict(dealer=d, jmeno=j) for d, j in DEALERS]))
    out.append(insert("adresar", [
        dict(ico=c["ico"], kodpar=c["kodpar"], nazevpodni=c["name"], ulicecislo=c["street"],
             posta=c["town"], psc=c["psc"], kod_platce="CZ" + c["ico"], partner=c["partner"],
             dealer=c["dealer"], telefon=c["phone"], emailobj=c["email"])
        for c in COMPANIES]))

    apps = {}
    for year in YEARS:  # ids grow with the year, as if entered year by year
        for c in COMPANIES:
            if year in c["years"]:
                apps[c["ico"], year] = application(c, year, apps.get((c["ico"], year - 1)), rnd)
    out.append("-- Applications, one statement each.")
    for (ico, year), row in apps.items():
        out.append(insert("zadost_kredit", [row]))

    orders = []
    for c in COMPANIES:
        if c["orders"]:
            last = [apps[c["ico"], y]["zadost"] for y in YEARS if (c["ico"], y) in apps]
            orders.append(dict(ico=c["ico"], kreditnavi=last[-1] if last else None,
                               splatnost=rnd.choice((14, 21, 30)),
                               sleva=Decimal(rnd.choice(("0.00", "1.50", "2.00", "3.00")))))
    out.append(insert("adresarbor", orders))
    (ROOT / "db" / "demo.sql").write_text("\n".join(out), encoding="utf-8")


if __name__ == "__main__":
    main()
