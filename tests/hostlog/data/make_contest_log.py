#!/usr/bin/env python3
"""Writes the contest log the importer tests read, and what the logbook must
hold after the import, worked out here on its own (not by the importer):

  contest.adi                 an ADIF 3 log of a 24-hour domestic contest
  contest.expected.tsv        marqen-dump of the imported ".HDB" (UTF-8, tabs)
  contest.expected-ver4.tsv   marqen-dump of the Ver4 pair written with --ver4
  contest.notes.txt           the notes the importer must give (cut texts,
                              characters the code page cannot hold)

Run from anywhere: python3 tests/hostlog/data/make_contest_log.py
The output is committed; the random choices are seeded, so a run gives the
same files again.
"""
import datetime
import os
import random

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", "..", ".."))
rng = random.Random(20250607)

# ---- places: the public area-number list ------------------------------------
places = {}  # prefecture number -> [(code, name)]
with open(os.path.join(ROOT, "data", "reference", "jcc-jcg.tsv"), encoding="utf-8") as f:
    next(f)
    for line in f:
        code, name, _pref, level = line.rstrip("\n").split("\t")
        if int(level) >= 4:
            places.setdefault(int(code[:2]), []).append((code, name))

# Call areas and their prefectures.
AREAS = {
    "1": [10, 11, 12, 13, 14, 15, 16, 17], "2": [18, 19, 20, 21], "3": [22, 23, 24, 25, 26, 27],
    "4": [31, 32, 33, 34, 35], "5": [36, 37, 38, 39], "6": [40, 41, 42, 43, 44, 45, 46, 47],
    "7": [2, 3, 4, 5, 6, 7], "8": [1], "9": [28, 29, 30], "0": [8, 9],
}
PREFIXES = ["JA", "JH", "JR", "JE", "JF", "JG", "JI", "JJ", "JK", "JL", "JM", "JN", "JO", "JP", "JQ",
            "JS", "7K", "7L", "7M", "7N"]
SURNAMES = ["山田", "佐藤", "鈴木", "高橋", "田中", "伊藤", "渡辺", "中村", "小林", "加藤",
            "Taro", "Hiro", "Ken", "Yuki", "Mas", "Aki"]

# Bands: ADIF band, frequency range in kHz (step), modes.
BANDS = [
    ("160m", 1810, 1825, 1, ["CW"]),
    ("80m", 3510, 3530, 1, ["CW", "SSB"]),
    ("40m", 7005, 7040, 1, ["CW", "SSB"]),
    ("20m", 14010, 14060, 1, ["CW"]),
    ("15m", 21010, 21400, 5, ["CW", "SSB"]),
    ("10m", 28010, 28900, 5, ["CW", "SSB"]),
    ("6m", 50050, 51000, 10, ["CW", "SSB", "FM"]),
    ("2m", 144050, 145600, 10, ["CW", "SSB", "FM"]),
    ("70cm", 430050, 434000, 20, ["CW", "SSB", "FM"]),
    ("23cm", 1294000, 1295500, 50, ["CW", "SSB", "FM"]),
]
POWER = "PLMH"


def cp932_cut(text, width):
    """The text cut to `width` CP932 bytes, keeping whole characters."""
    out = ""
    for ch in text:
        if len((out + ch).encode("cp932")) > width:
            break
        out += ch
    return out


def cp932_safe(text):
    """What the code page can hold: other characters become "?"."""
    return "".join(ch if _holds(ch) else "?" for ch in text)


def _holds(ch):
    try:
        ch.encode("cp932")
        return True
    except UnicodeEncodeError:
        return False


def frequency_text(khz):
    text = "%.6f" % (khz / 1000.0)
    while text.endswith("0") and len(text) - text.index(".") > 4:
        text = text[:-1]
    return text


def call_sign(area):
    prefix = rng.choice(PREFIXES)
    suffix = "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(rng.choice([2, 3, 3, 3])))
    return prefix + area + suffix


# ---- the QSOs -------------------------------------------------------------------
start = datetime.datetime(2025, 6, 7, 6, 0)  # 15:00 JST
qsos = []
stations = []
for _ in range(170):
    area = rng.choice(list(AREAS))
    pref = rng.choice(AREAS[area])
    code, name = rng.choice(places[pref])
    stations.append({"call": call_sign(area), "code": code, "place": name,
                     "power": rng.choice(POWER), "name": rng.choice(SURNAMES),
                     "grid": "PM%d%d%s%s" % (rng.randint(5, 9), rng.randint(0, 9),
                                             rng.choice("abcdefghijkl"), rng.choice("abcdefghijkl"))})

minute = 0
for i in range(440):
    minute += rng.choice([1, 2, 3, 4, 5])
    when = start + datetime.timedelta(minutes=minute, seconds=rng.randint(0, 59))
    st = rng.choice(stations)
    band, low, high, step, modes = rng.choice(BANDS)
    mode = rng.choice(modes)
    khz = rng.randrange(low, high, step)
    q = {
        "CALL": st["call"], "QSO_DATE": when.strftime("%Y%m%d"), "TIME_ON": when.strftime("%H%M%S"),
        "BAND": band, "FREQ": "%.5f" % (khz / 1000.0), "MODE": mode,
        "RST_SENT": "599" if mode == "CW" else "59", "RST_RCVD": "599" if mode == "CW" else "59",
        "STX_STRING": "1001M", "SRX_STRING": "%s %s%s" % ("599" if mode == "CW" else "59", st["code"], st["power"]),
        "TX_PWR": "50",
    }
    if mode == "SSB":
        q["SUBMODE"] = "USB" if khz > 10000 else "LSB"
    if rng.random() < 0.5:
        q["NAME"] = st["name"]
    if rng.random() < 0.4:
        q["QTH"] = st["place"]
    if rng.random() < 0.3:
        q["GRIDSQUARE"] = st["grid"]
    if rng.random() < 0.1:
        q["QSL_SENT"] = "Y"
        q["QSL_SENT_VIA"] = "B"
    if rng.random() < 0.05:
        q["COMMENT"] = rng.choice(["QSB", "QRM strong", "new one", "ﾃｽﾄ 移動局", "via JARL"])
    if rng.random() < 0.1:
        q["APP_N1MM_POINTS"] = "1"
    qsos.append(q)

# The QSOs every importer must get right.
specials = {
    25: {"CALL": "JA8ZUT/1", "SRX_STRING": "599 100109M", "QTH": "港区", "NAME": "北島",
         "COMMENT": "portable in Tokyo"},
    60: {"CALL": "JR1YZD", "BAND": "2m", "FREQ": "145.96500", "MODE": "FM", "PROP_MODE": "SAT",
         "SAT_NAME": "RS-44", "RST_SENT": "59", "RST_RCVD": "59", "SRX_STRING": "59 1203H",
         "COMMENT": "satellite"},
    90: {"CALL": "JH1ABN", "BAND": "3cm", "FREQ": "10240.05000", "MODE": "CW", "RST_SENT": "599",
         "RST_RCVD": "579", "SRX_STRING": "579 1107P", "GRIDSQUARE": "PM95uq", "NOTES": "10 GHz from the hill"},
    120: {"CALL": "7K4QXS", "SRX_STRING": "599 10007A", "QTH": "小笠原村", "COMMENT": "Ogasawara"},
    150: {"NAME": "Jun \U0001F600"},  # an emoji: the code page cannot hold it
    180: {"COMMENT": "very long remark about the QSO, a pile-up on 21 MHz lasting more than ten minutes"},
    210: {"QTH": "横浜市保土ケ谷区 常盤台", "SRX_STRING": "59 110104L"},
    240: {"FREQ": None},  # only the band is known
    270: {"CALL": "JA1AB", "NOTES": "short call"},
    300: {"CALL": "JE1ZZR/2", "SRX_STRING": "599 18003M", "NAME": "山本"},
}
for index, changes in specials.items():
    for k, v in changes.items():
        if v is None:
            qsos[index].pop(k, None)
        else:
            qsos[index][k] = v


def adif_field(name, value, by_characters):
    length = len(value) if by_characters else len(value.encode("utf-8"))
    return "<%s:%d>%s" % (name, length, value)


# ---- the ADIF file ---------------------------------------------------------------
lines = ["Contest log of JA1ZTR, written for the importer tests (synthetic data)",
         "<ADIF_VER:5>3.1.4 <PROGRAMID:9>TESTMAKER <PROGRAMVERSION:3>1.0",
         "<CREATED_TIMESTAMP:15>20250608 070000",
         "<EOH>", ""]
for n, q in enumerate(qsos, 1):
    # A few producers count characters, most count bytes; tag names in any case.
    by_characters = n % 7 == 0
    parts = []
    for k, v in q.items():
        tag = k.lower() if n % 5 == 0 else k
        if k == "QSO_DATE" and n % 3 == 0:
            parts.append("<%s:8:D>%s" % (tag, v))
        else:
            parts.append(adif_field(tag, v, by_characters))
    lines.append(" ".join(parts) + " <EOR>")
with open(os.path.join(HERE, "contest.adi"), "w", encoding="utf-8", newline="\r\n") as f:
    f.write("\n".join(lines) + "\n")

# ---- what the logbook must hold --------------------------------------------------
HDB_WIDTHS = [8, 16, 8, 6, 6, 6, 12, 8, 24, 8, 3, 24, 48, 64, 64, 8, 16]
FIELD_LABELS = ["交信番号", "呼出符号", "日付", "時刻", "His RST", "My RST", "周波数", "モード", "JCC/JCG",
                "GL", "QSL", "名前", "QTH", "Rmk1", "Rmk2", "出力", "運用者"]
BAND_FREQUENCY = {"160m": "1.810", "80m": "3.500", "40m": "7.000", "20m": "14.000", "15m": "21.000",
                  "10m": "28.000", "6m": "50.000", "2m": "144.000", "70cm": "430.000", "23cm": "1260.000"}


def area_code(exchange):
    words = exchange.upper().split()
    for w in reversed(words):
        if w[:1].isdigit():
            if w[-1] in POWER and w[:-1].isdigit() and len(w) - 1 != 5:
                return w[:-1] + " " + w[-1]
            return w
    return ""


def entry_of(n, q):
    when = datetime.datetime.strptime(q["QSO_DATE"] + q["TIME_ON"], "%Y%m%d%H%M%S")
    if "FREQ" in q:
        freq = frequency_text(float(q["FREQ"]) * 1000)
    else:
        freq = BAND_FREQUENCY[q["BAND"]]
    sat = "SAT_NAME" in q or q.get("PROP_MODE") == "SAT"
    if sat:
        freq = "S" + freq
    mode = q["MODE"]
    if q.get("SUBMODE") and mode not in ("SSB", "CW", "AM", "FM"):
        mode = q["SUBMODE"]
    remarks1 = q.get("COMMENT", "")
    if sat:
        remarks1 = ("%" + q.get("SAT_NAME", "SAT") + "% " + remarks1).strip()
    qsl = (q.get("QSL_SENT", "N")[:1] + q.get("QSL_RCVD", "N")[:1] + q.get("QSL_SENT_VIA", " ")[:1]).strip()
    return [str(n), q["CALL"], when.strftime("%y/%m/%d"), when.strftime("%H:%MU"), q.get("RST_SENT", ""),
            q.get("RST_RCVD", ""), freq, mode, area_code(q.get("SRX_STRING", "")), q.get("GRIDSQUARE", ""),
            qsl, q.get("NAME", ""), q.get("QTH", ""), remarks1, q.get("NOTES", ""), q.get("TX_PWR", ""),
            q.get("OPERATOR", "")]


expected, expected4, notes = [], [], []
for n, q in enumerate(qsos, 1):
    e = entry_of(n, q)
    # The current database: code page, then each field cut to its width.
    row = []
    for i, text in enumerate(e):
        safe = cp932_safe(text)
        if safe != text:
            notes.append("記録 %d (%s): %s の CP932 にない文字を \"?\" にしました" % (n, e[1], FIELD_LABELS[i]))
        cut = cp932_cut(safe, HDB_WIDTHS[i])
        if cut != safe:
            notes.append("記録 %d (%s): %s を %d バイトに切りました (\"%s\")" % (n, e[1], FIELD_LABELS[i],
                                                                        HDB_WIDTHS[i], cut))
        row.append(cut.strip(" "))
    expected.append("\t".join(row))

    # The Ver4 pair: six-character call and designator, texts cut to characters.
    call, designator = e[1], ""
    if "/" in call:
        call, designator = call.split("/", 1)
    call6 = call.ljust(6)
    shown_call = call6 + "/" + designator if designator else call6
    texts = []
    for i, limit in ((12, 28), (13, 54), (14, 54), (11, 20)):
        text = e[i]
        if len(text) > limit:
            text = text[:limit]
            notes.append("記録 %d (%s): Ver4: %s を %d 文字に切りました (\"%s\")" % (n, e[1], FIELD_LABELS[i], limit, text))
        if cp932_safe(text) != text:
            notes.append("記録 %d (%s): Ver4: %s の CP932 にない文字を \"?\" にしました" % (n, e[1], FIELD_LABELS[i]))
        texts.append(cp932_safe(text))
    qth4, remarks14, remarks24, name4 = texts
    row4 = [str(n), shown_call, e[2], e[3], e[4], e[5], e[6], e[7], e[8], e[9], e[10], name4,
            qth4, remarks14, remarks24, "", ""]
    expected4.append("\t".join(t.strip(" ") if i != 1 else t for i, t in enumerate(row4)))

with open(os.path.join(HERE, "contest.expected.tsv"), "w", encoding="utf-8", newline="\n") as f:
    f.write("\n".join(expected) + "\n")
with open(os.path.join(HERE, "contest.expected-ver4.tsv"), "w", encoding="utf-8", newline="\n") as f:
    f.write("\n".join(expected4) + "\n")
with open(os.path.join(HERE, "contest.notes.txt"), "w", encoding="utf-8", newline="\n") as f:
    f.write("\n".join(notes) + "\n")
print("%d QSOs, %d notes" % (len(qsos), len(notes)))
