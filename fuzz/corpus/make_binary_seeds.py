#!/usr/bin/env python3
"""Writes the hand-made binary seeds of the fuzz corpora (the layouts are in
hostlog/README.md; the log program's band files follow its 76-byte records):
master files of all three versions, damaged current-generation logbooks and
the electronic-log band files. Run from fuzz/corpus/; the other seeds come
from a pipeline run (fuzz/README.md)."""
import struct

def cp932(text):
    return text.encode('cp932')

# ---- master file: 290-byte header, then 55- or 56-byte records -------------
def master(version, code_first, records, count=None):
    header = bytearray(290)
    header[0:8] = b'MQMASTER'
    n = len(records) if count is None else count
    header[8:11] = struct.pack('<I', n)[:3]
    header[11] = version
    header[16:16 + 12] = cp932('テスト')
    if version == 56:
        header[177] = 1 if code_first else 0
    layout = {55: (0, 6, 40, 41), 56: (2, 9, 8, 43) if code_first else (1, 7, 0, 41)}[version]
    code_at, name_at, level_at, region_at = layout
    body = bytearray()
    for code, name, level, region in records:
        r = bytearray(version)
        r[code_at:code_at + 6] = code.encode('ascii').ljust(6, b' ')
        n = cp932(name)[:34]
        r[name_at:name_at + len(n)] = n
        r[level_at] = ord(level)
        r[region_at:region_at + 2] = region.encode('ascii')
        body += r
    return bytes(header) + bytes(body)

areas = [('1001', '千代田区', '6', '10'), ('100101', '千代田区丸の内', '6', '10'), ('1101', '横浜市', '4', '11'),
         ('110101', '横浜市鶴見区', '6', '11'), ('01001', '札幌市', '4', '01'), ('10007', '小笠原村', '5', '10'),
         ('10007A', '父島', '7', '10'), ('25006', '長浜市', '4', '23'), ('01', '北海道', '2', '01'),
         ('3814', 'ｾｲﾖｼ', '4', '38'), ('', '空', '4', '00'), ('9999', 'X' * 40, '8', '99')]
open('master/v55.mst', 'wb').write(master(55, False, areas))
open('master/v56-level-first.mst', 'wb').write(master(56, False, areas))
open('master/v56-code-first.mst', 'wb').write(master(56, True, areas))
open('master/wrong-count.mst', 'wb').write(master(56, True, areas, count=1000)[:-20])

# ---- current logbook: 16-byte header, 336-byte records ---------------------
FIELDS = [(1, 8), (9, 16), (25, 8), (33, 6), (39, 6), (45, 6), (51, 12), (63, 8), (71, 24), (95, 8), (103, 3),
          (106, 24), (130, 48), (178, 64), (242, 64), (306, 8), (314, 16)]

def hdb_record(texts, mark=b'Q'):
    r = bytearray(336)
    r[0:1] = mark
    for (offset, width), text in zip(FIELDS, texts):
        b = cp932(text)[:width]
        r[offset:offset + len(b)] = b
    return bytes(r)

def hdb(records, count=None):
    n = len(records) if count is None else count
    return b'MQHDB500' + struct.pack('<I', n)[:3] + b'\0' + struct.pack('<H', 336) + b'\0\0' + b''.join(records)

qso = ['1', 'JA1ABC/1', '24/06/15', '21:00J', '599', '599', '7.025', 'CW', '1001 M', 'PM95', 'NNB', '山田',
       '千代田区丸の内', 'RMK|X', '%AO-91%', '50', 'JA1ZZZ']
utc = ['2', 'KH0/JA1ABC', '24/02/28', '23:59U', '59', '59', 'S435.250', 'FM', '10007A', '', '', '', '父島', '', '', '', '']
odd = ['3', ' ', '9x/13/45', '25:61X', '', '', '10368.1', 'usb', '', '', '', 'ｶﾞｷﾞ', '', '"a,b"', '《VQC無効交信》', '', '']
open('logbook_hdb/damaged.hdb', 'wb').write(hdb([hdb_record(qso), hdb_record(utc, b'X'), hdb_record(odd)]))
open('logbook_hdb/cut-short.hdb', 'wb').write(hdb([hdb_record(qso), hdb_record(utc)], count=700)[:-100])
open('logbook_hdb/header-only.hdb', 'wb').write(hdb([], count=3))

# ---- band files of the log program: "HED.JARL" and "7.JARL" ---------------
def fixed(fields):
    out = b''
    for text, width in fields:
        b = cp932(text)[:width]
        out += b + b' ' * (width - len(b))
    return out + b'\r\n'

WIDTHS = [11, 6, 7, 6, 11, 4, 8, 4, 8, 7, 2]
heading = fixed(zip(['DATE(JST)', 'TIME', ' MHz', 'Mode', 'CALLSIGN', 'SENT', 'No', 'RCVN', 'o', 'Multi', 'PT'], WIDTHS))
dashes = fixed(zip(['-' * w for w in WIDTHS], WIDTHS))
lines = [fixed(zip(['2024-06-15 ', '21:05', '    7  ', 'CW', 'JA1ABC', '599', '13M', '599', '1001M', '1001', '1'], WIDTHS)),
         fixed(zip(['2024-06-15 ', '21:01', '    7  ', 'SSB', 'JA2XYZ', '59', '13M', '59', '2001H', '-', '1'], WIDTHS)),
         fixed(zip(['2024-06-16 ', '00:10', '    7  ', 'CW', 'JA1ABC', '599', '13M', '599', '1001M', '', '1'], WIDTHS))]
header = heading + dashes
band = b''.join(lines)
open('band_files/jarl.bin', 'wb').write(struct.pack('<H', len(header)) + header + band)
odd_band = b'2024-06-15 21:05' + b'x' * 100 + b'\r\n\r\n<tag>\r\n9\r\n\x1a'
open('band_files/odd.bin', 'wb').write(struct.pack('<H', 0) + odd_band)
