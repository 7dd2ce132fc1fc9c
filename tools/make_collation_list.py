#!/usr/bin/env python3
"""Writes app/collation.txt: one SQL Server collation per line, name TAB
collation id TAB Windows code page, LF line ends.

The collation id is the 32-bit value SQL Server keeps in its catalog
(syscolpars.collationid, the boot page's collation field). Its layout as
this script builds it:

  bits  0-7   Windows collation designator index
  bit   10    _BIN   (binary, code-unit order)
  bit   11    _BIN2  (binary, code-point order)
  bit   12    case-insensitive        (CI)
  bit   13    accent-insensitive      (AI)
  bit   14    width-insensitive       (no _WS)
  bit   15    kana-insensitive        (no _KS)
  bits 16-19  collation version: 0 (2000), 1 (_90), 2 (_100), 3 (_140)
  bit   20    _SC  (supplementary characters)
  bit   21    _UTF8
  bits 24-31  sort order id of a SQL collation (0 for Windows collations)

Facts this layout is checked against (from real data files):
  SQL_Latin1_General_CP1_CI_AS = 872468488 (0x3400D008)
  Latin1_General_CI_AS         = 53256     (0xD008)
  Latin1_General_CI_AI         = 61448     (0xF008)
  Chinese_Taiwan_Stroke_CI_AS  = 53251     (0xD003)
  Modern_Spanish_CI_AS         = 53288     (0xD028)
  Latin1_General_BIN2          = 2056      (0x0808)
  SQL_Latin1_General_CP437_CS_AS = 0x1F00C008
The designator indexes follow the primary language id of the designator's
locale minus one (Chinese 4 -> 3, Greek 8 -> 7, English 9 -> 8); locales
that are not the primary sublanguage take free slots, of which only
Modern_Spanish (40) is known. Designators whose index cannot be derived
(Chinese_PRC, Mexican_Trad_Spanish, German_PhoneBook and the other sort
variants) are left out rather than guessed: a missing entry falls back to
the database code page, a wrong one would decode with a wrong code page.
The SQL collation sort order ids are the documented ones.

Run from the project root:  python3 tools/make_collation_list.py
"""

import os
import sys

# Windows collation designators: name, index, code page (0: Unicode only).
BASE_2000 = [
    ("Arabic", 0, 1256), ("Chinese_Taiwan_Stroke", 3, 950), ("Czech", 4, 1250),
    ("Danish_Norwegian", 5, 1252), ("Greek", 7, 1253), ("Latin1_General", 8, 1252),
    ("Traditional_Spanish", 9, 1252), ("Finnish_Swedish", 10, 1252), ("French", 11, 1252),
    ("Hebrew", 12, 1255), ("Hungarian", 13, 1250), ("Icelandic", 14, 1252),
    ("Japanese", 16, 932), ("Korean_Wansung", 17, 949), ("Polish", 20, 1250),
    ("Romanian", 23, 1250), ("Cyrillic_General", 24, 1251), ("Croatian", 25, 1250),
    ("Slovak", 26, 1250), ("Albanian", 27, 1250), ("Thai", 29, 874), ("Turkish", 30, 1254),
    ("Ukrainian", 33, 1251), ("Slovenian", 35, 1250), ("Estonian", 36, 1257),
    ("Latvian", 37, 1257), ("Lithuanian", 38, 1257), ("Modern_Spanish", 40, 1252),
    ("Vietnamese", 41, 1258), ("Macedonian", 46, 1251), ("Hindi", 56, 0),
]

# SQL Server 2005 designators with the _90 suffix.
BASE_90 = [
    ("Chinese_Taiwan_Stroke_90", 3, 950), ("Japanese_90", 16, 932), ("Korean_90", 17, 949),
    ("Azeri_Latin_90", 43, 1254), ("Macedonian_FYROM_90", 46, 1251),
    ("Indic_General_90", 56, 0), ("Kazakh_90", 62, 1251), ("Uzbek_Latin_90", 66, 1254),
    ("Tatar_90", 67, 1251), ("Syriac_90", 89, 0), ("Divehi_90", 100, 0),
    ("Latin1_General_90", 8, 1252),
]
# Designators that exist only in their binary forms.
BINARY_ONLY = {"Latin1_General_90"}

# SQL Server 2008 designators with the _100 suffix.
BASE_100 = [
    ("Arabic_100", 0, 1256), ("Czech_100", 4, 1250), ("Danish_Greenlandic_100", 5, 1252),
    ("Greek_100", 7, 1253), ("Latin1_General_100", 8, 1252),
    ("Traditional_Spanish_100", 9, 1252), ("Finnish_Swedish_100", 10, 1252),
    ("French_100", 11, 1252), ("Hebrew_100", 12, 1255), ("Hungarian_100", 13, 1250),
    ("Icelandic_100", 14, 1252), ("Korean_100", 17, 949), ("Norwegian_100", 19, 1252),
    ("Polish_100", 20, 1250), ("Romansh_100", 22, 1252), ("Romanian_100", 23, 1250),
    ("Cyrillic_General_100", 24, 1251), ("Croatian_100", 25, 1250), ("Slovak_100", 26, 1250),
    ("Albanian_100", 27, 1250), ("Thai_100", 29, 874), ("Turkish_100", 30, 1254),
    ("Urdu_100", 31, 1256), ("Ukrainian_100", 33, 1251), ("Slovenian_100", 35, 1250),
    ("Estonian_100", 36, 1257), ("Latvian_100", 37, 1257), ("Lithuanian_100", 38, 1257),
    ("Modern_Spanish_100", 40, 1252), ("Vietnamese_100", 41, 1258),
    ("Azeri_Latin_100", 43, 1254), ("Upper_Sorbian_100", 45, 1252),
    ("Macedonian_FYROM_100", 46, 1251), ("Indic_General_100", 56, 0), ("Maltese_100", 57, 0),
    ("Sami_Norway_100", 58, 1252), ("Kazakh_100", 62, 1251), ("Turkmen_100", 65, 1250),
    ("Uzbek_Latin_100", 66, 1254), ("Tatar_100", 67, 1251), ("Bengali_100", 68, 0),
    ("Assamese_100", 76, 0), ("Tibetan_100", 80, 0), ("Welsh_100", 81, 1252),
    ("Khmer_100", 82, 0), ("Lao_100", 83, 0), ("Syriac_100", 89, 0), ("Nepali_100", 96, 0),
    ("Frisian_100", 97, 1252), ("Pashto_100", 98, 0), ("Divehi_100", 100, 0),
    ("Bashkir_100", 108, 1251), ("Yi_100", 119, 0), ("Mapudungan_100", 121, 1252),
    ("Mohawk_100", 123, 1252), ("Breton_100", 125, 1252), ("Uighur_100", 127, 1256),
    ("Maori_100", 128, 0), ("Corsican_100", 130, 1252), ("Alsatian_100", 131, 1252),
    ("Yakut_100", 132, 1251), ("Dari_100", 139, 1256),
]

# SQL collations: sort order id, name, code page, designator index.
SQL_COLLATIONS = [
    (30, "SQL_Latin1_General_CP437_BIN", 437, 8), (31, "SQL_Latin1_General_CP437_CS_AS", 437, 8),
    (32, "SQL_Latin1_General_CP437_CI_AS", 437, 8), (33, "SQL_Latin1_General_Pref_CP437_CI_AS", 437, 8),
    (34, "SQL_Latin1_General_CP437_CI_AI", 437, 8),
    (40, "SQL_Latin1_General_CP850_BIN", 850, 8), (41, "SQL_Latin1_General_CP850_CS_AS", 850, 8),
    (42, "SQL_Latin1_General_CP850_CI_AS", 850, 8), (43, "SQL_Latin1_General_Pref_CP850_CI_AS", 850, 8),
    (44, "SQL_Latin1_General_CP850_CI_AI", 850, 8), (49, "SQL_1xCompat_CP850_CI_AS", 850, 8),
    (51, "SQL_Latin1_General_CP1_CS_AS", 1252, 8), (52, "SQL_Latin1_General_CP1_CI_AS", 1252, 8),
    (53, "SQL_Latin1_General_Pref_CP1_CI_AS", 1252, 8), (54, "SQL_Latin1_General_CP1_CI_AI", 1252, 8),
    (55, "SQL_AltDiction_CP850_CS_AS", 850, 8), (56, "SQL_AltDiction_Pref_CP850_CI_AS", 850, 8),
    (57, "SQL_AltDiction_CP850_CI_AI", 850, 8), (58, "SQL_Scandinavian_Pref_CP850_CI_AS", 850, 10),
    (59, "SQL_Scandinavian_CP850_CS_AS", 850, 10), (60, "SQL_Scandinavian_CP850_CI_AS", 850, 10),
    (61, "SQL_AltDiction_CP850_CI_AS", 850, 8),
    (81, "SQL_Latin1_General_CP1250_CS_AS", 1250, 8), (82, "SQL_Latin1_General_CP1250_CI_AS", 1250, 8),
    (83, "SQL_Czech_CP1250_CS_AS", 1250, 4), (84, "SQL_Czech_CP1250_CI_AS", 1250, 4),
    (85, "SQL_Hungarian_CP1250_CS_AS", 1250, 13), (86, "SQL_Hungarian_CP1250_CI_AS", 1250, 13),
    (87, "SQL_Polish_CP1250_CS_AS", 1250, 20), (88, "SQL_Polish_CP1250_CI_AS", 1250, 20),
    (89, "SQL_Romanian_CP1250_CS_AS", 1250, 23), (90, "SQL_Romanian_CP1250_CI_AS", 1250, 23),
    (91, "SQL_Croatian_CP1250_CS_AS", 1250, 25), (92, "SQL_Croatian_CP1250_CI_AS", 1250, 25),
    (93, "SQL_Slovak_CP1250_CS_AS", 1250, 26), (94, "SQL_Slovak_CP1250_CI_AS", 1250, 26),
    (95, "SQL_Slovenian_CP1250_CS_AS", 1250, 35), (96, "SQL_Slovenian_CP1250_CI_AS", 1250, 35),
    (105, "SQL_Latin1_General_CP1251_CS_AS", 1251, 8), (106, "SQL_Latin1_General_CP1251_CI_AS", 1251, 8),
    (107, "SQL_Ukrainian_CP1251_CS_AS", 1251, 33), (108, "SQL_Ukrainian_CP1251_CI_AS", 1251, 33),
    (113, "SQL_Latin1_General_CP1253_CS_AS", 1253, 8), (114, "SQL_Latin1_General_CP1253_CI_AS", 1253, 8),
    (120, "SQL_MixDiction_CP1253_CS_AS", 1253, 8), (121, "SQL_AltDiction_CP1253_CS_AS", 1253, 8),
    (122, "SQL_AltDiction2_CP1253_CS_AS", 1253, 8), (124, "SQL_Latin1_General_CP1253_CI_AI", 1253, 8),
    (129, "SQL_Latin1_General_CP1254_CS_AS", 1254, 8), (130, "SQL_Latin1_General_CP1254_CI_AS", 1254, 8),
    (137, "SQL_Latin1_General_CP1255_CS_AS", 1255, 8), (138, "SQL_Latin1_General_CP1255_CI_AS", 1255, 8),
    (145, "SQL_Latin1_General_CP1256_CS_AS", 1256, 8), (146, "SQL_Latin1_General_CP1256_CI_AS", 1256, 8),
    (153, "SQL_Latin1_General_CP1257_CS_AS", 1257, 8), (154, "SQL_Latin1_General_CP1257_CI_AS", 1257, 8),
    (155, "SQL_Estonian_CP1257_CS_AS", 1257, 36), (156, "SQL_Estonian_CP1257_CI_AS", 1257, 36),
    (157, "SQL_Latvian_CP1257_CS_AS", 1257, 37), (158, "SQL_Latvian_CP1257_CI_AS", 1257, 37),
    (159, "SQL_Lithuanian_CP1257_CS_AS", 1257, 38), (160, "SQL_Lithuanian_CP1257_CI_AS", 1257, 38),
    (183, "SQL_Danish_Pref_CP1_CI_AS", 1252, 5), (184, "SQL_SwedishPhone_Pref_CP1_CI_AS", 1252, 10),
    (185, "SQL_SwedishStd_Pref_CP1_CI_AS", 1252, 10), (186, "SQL_Icelandic_Pref_CP1_CI_AS", 1252, 14),
    (210, "SQL_EBCDIC037_CP1_CS_AS", 1252, 8), (211, "SQL_EBCDIC273_CP1_CS_AS", 1252, 8),
    (212, "SQL_EBCDIC277_CP1_CS_AS", 1252, 8), (213, "SQL_EBCDIC278_CP1_CS_AS", 1252, 8),
    (214, "SQL_EBCDIC280_CP1_CS_AS", 1252, 8), (215, "SQL_EBCDIC284_CP1_CS_AS", 1252, 8),
    (216, "SQL_EBCDIC285_CP1_CS_AS", 1252, 8), (217, "SQL_EBCDIC297_CP1_CS_AS", 1252, 8),
]

CI, AI, WIDTH_INSENSITIVE, KANA_INSENSITIVE = 0x1000, 0x2000, 0x4000, 0x8000
BIN, BIN2, SC, UTF8 = 0x400, 0x800, 0x100000, 0x200000
VERSION = {"2000": 0, "90": 1 << 16, "100": 2 << 16, "140": 3 << 16}


def styles():
    """(suffix, flags) of every comparison style, BIN and BIN2 first."""
    yield "BIN", BIN
    yield "BIN2", BIN2
    for case in ("CI", "CS"):
        for accent in ("AI", "AS"):
            for kana in ("", "_KS"):
                for width in ("", "_WS"):
                    flags = (CI if case == "CI" else 0) | (AI if accent == "AI" else 0)
                    flags |= 0 if kana else KANA_INSENSITIVE
                    flags |= 0 if width else WIDTH_INSENSITIVE
                    yield f"{case}_{accent}{kana}{width}", flags


def windows_entries(designators, version):
    for name, index, code_page in designators:
        base = index | VERSION[version]
        for suffix, flags in styles():
            if name in BINARY_ONLY and flags & (BIN | BIN2) == 0:
                continue
            yield f"{name}_{suffix}", base | flags, code_page
            if version in ("90", "100") and flags & (BIN | BIN2) == 0:
                yield f"{name}_{suffix}_SC", base | flags | SC, code_page
            if version == "100" and flags & BIN == 0:
                sc = "" if flags & BIN2 else "_SC"
                yield f"{name}_{suffix}{sc}_UTF8", base | flags | UTF8 | (0 if flags & BIN2 else SC), 65001


def sql_entries():
    for sort_id, name, code_page, index in SQL_COLLATIONS:
        if name.endswith("_BIN"):
            flags = BIN
        else:
            flags = WIDTH_INSENSITIVE | KANA_INSENSITIVE
            flags |= CI if "_CI_" in name else 0
            flags |= AI if name.endswith("_AI") else 0
        yield name, (sort_id << 24) | index | flags, code_page


def build():
    entries = list(windows_entries(BASE_2000, "2000"))
    entries += windows_entries(BASE_90, "90")
    entries += windows_entries(BASE_100, "100")
    entries += sql_entries()
    return entries


def check(entries):
    by_id = {}
    for name, collation_id, _ in entries:
        if collation_id in by_id:
            sys.exit(f"duplicate id {collation_id}: {by_id[collation_id]} and {name}")
        by_id[collation_id] = name
    known = {
        872468488: "SQL_Latin1_General_CP1_CI_AS", 53256: "Latin1_General_CI_AS",
        61448: "Latin1_General_CI_AI", 53251: "Chinese_Taiwan_Stroke_CI_AS",
        53288: "Modern_Spanish_CI_AS", 2056: "Latin1_General_BIN2",
        0x1F00C008: "SQL_Latin1_General_CP437_CS_AS",
    }
    for collation_id, name in known.items():
        if by_id.get(collation_id) != name:
            sys.exit(f"id {collation_id} should be {name}, is {by_id.get(collation_id)}")


def signed32(value):
    return value - (1 << 32) if value >= 1 << 31 else value


def main():
    entries = build()
    check(entries)
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    path = os.path.join(root, "app", "collation.txt")
    with open(path, "w", newline="\n", encoding="ascii") as out:
        for name, collation_id, code_page in sorted(entries, key=lambda e: e[0].lower()):
            out.write(f"{name}\t{signed32(collation_id)}\t{code_page}\n")
    print(f"{len(entries)} collations written to {path}")


if __name__ == "__main__":
    main()
