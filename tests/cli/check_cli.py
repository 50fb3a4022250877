#!/usr/bin/env python3
"""Runs velmora-cli as a user would and checks its texts, exit statuses and
that its JSON, JSON Lines and CSV read back. Usage: check_cli.py PROGRAM"""
import csv
import io
import json
import subprocess
import sys

PROGRAM = sys.argv[1]
failures = []


def run(*args, stdin=b""):
    p = subprocess.run([PROGRAM, *args], input=stdin, capture_output=True, timeout=60)
    return p.returncode, p.stdout.decode("utf-8"), p.stderr.decode("utf-8", errors="replace")


def check(condition, what):
    if not condition:
        failures.append(what)


# The walk-through: the box section with its option ticked.
status, out, err = run("16", "h1=8", "h2=10", "b1=4", "b2=6", "--thin-wall")
check(status == 0 and err == "", f"walk-through status {status}, stderr {err!r}")
lines = out.splitlines()
expected = [("A  = 28 mm²", "28 mm²"), ("I  = 329.3333 mm⁴", "329.3333 mm⁴"),
            ("Z  = 65.86667 mm³", "65.86667 mm³"), ("k² = 11.7619 mm²", "11.7619 mm²")]
check(lines[0].endswith("thin wall: t1=2 t2=1 ~h=9"), f"walk-through heading: {lines[0]!r}")
for line, (first, second) in zip(lines[1:], expected):
    check(line.startswith(first) and line.endswith("second line: " + second), f"walk-through line {line!r}")
check(len(lines) == 5, f"walk-through prints {len(lines)} lines")

# JSON of one section: the calculator's texts, the second line, no message.
status, out, _ = run("--format", "json", "16", "8", "10", "4", "6", "--thin-wall")
record = json.loads(out)
calc = record["calculator"]
check(status == 0, "json status")
check([calc[k] for k in ("A", "I", "Z", "k2")] == ["28", "329.3333", "65.86667", "11.7619"], f"json first {calc}")
check(calc["second"] == {"A": "28", "I": "329.3333", "Z": "65.86667", "k2": "11.7619"}, "json second")
check(calc["message"] is None and calc["thickness_message"] is None, "json message")
check(record["derived"] == {"t1": "2", "t2": "1", "~h": "9"}, f"json derived {record.get('derived')}")
check(record["shape"] == 16 and record["unit"] == "mm" and record["thin_wall"] is True, "json shape fields")

# The second modulus alone, and another unit.
status, out, _ = run("--format=json", "--unit", "尺", "二等辺三角形", "h=9", "b=6")
record = json.loads(out)
check(record["calculator"]["second"] == {"Z": "40.5"}, f"triangle second {record['calculator']}")
check(record["unit"] == "尺", "unit 尺")

# A message of the calculator: exit 1, said on stderr, no first line in JSON.
status, out, err = run("--format", "json", "1", "5", "5", "2")
record = json.loads(out)
check(status == 1, f"message status {status}")
check(err == "velmora-cli: 入力に誤りがあります\nvelmora-cli: h1 は h2 より小さくして下さい\n",
      f"message stderr {err!r}")
check("A" not in record["calculator"] and record["calculator"]["message"] == "入力に誤りがあります",
      f"message record {record}")

# The t<<dm message follows a first line, which JSON keeps.
status, out, err = run("--format", "json", "--thin-wall", "12", "0", "100")
calc = json.loads(out)["calculator"]
check(status == 1 and "A" in calc and calc["message"] == "条件 t<<dm が成立しません", f"t<<dm {calc}")

# Usage errors: a one-line reason, then the usage, exit 2, nothing on stdout.
for args in (["16", "8", "10"], ["Pentagon"], ["--bogus", "0"], ["0", "3", "2", "--unit", "km"], [],
             ["hex", "1"], ["0", "h=3", "q=2"]):
    status, out, err = run(*args)
    err_lines = err.splitlines()
    check(status == 2 and out == "" and err_lines[0].startswith("velmora-cli: ")
          and err_lines[1].startswith("usage: velmora-cli"), f"usage error for {args}: {status} {err!r}")

# "--" lets a value start with a minus sign.
status, out, _ = run("--format", "jsonl", "--", "0", "-3", "2")
record = json.loads(out)
check(status == 1 and record["calculator"]["A"] == "-6" and record["section_error_code"] == "not_positive",
      f"negative value {out!r}")

# Full-width digits, point, signs and exponent read as their ASCII twins, in
# the calculator's figures and in the properties; the inputs keep the text.
status, out, _ = run("--all", "--format", "json", "0", "h=１２．５", "b=８")
record = json.loads(out)
check(status == 0 and record["calculator"]["A"] == "100" and abs(record["properties"]["Ix"] - 8 * 12.5 ** 3 / 12) < 1e-9
      and record["inputs"] == {"h": "１２．５", "b": "８"}, f"full-width {record}")
status, out, _ = run("--format", "jsonl", "0", "１Ｅ１", "−２")
check(status == 1 and json.loads(out)["calculator"]["A"] == "-20", f"full-width exponent, U+2212 {out!r}")
status, out, _ = run("--format", "jsonl", "0", "１２ｍｍ", "2")
check(status == 1 and json.loads(out)["calculator"]["message"] == "入力に誤りがあります", f"12ｍｍ {out!r}")

# Help, version and list.
status, out, _ = run("--help")
check(status == 0 and "--thin-wall" in out and "usage:" in out, "help")
status, out, _ = run("--version")
check(status == 0 and out.startswith("velmora-cli ") and out.strip().split()[-1][0].isdigit(), f"version {out!r}")
status, out, _ = run("--list")
rows = [line.split("\t") for line in out.splitlines()]
check(status == 0 and len(rows) == 25 and rows[16][:4] == ["16", "箱形断面", "Box section", "h1 h2 b1 b2"],
      f"list {rows[16] if len(rows) > 16 else rows}")

# A batch with good and bad rows, as a JSON array, as JSON Lines and as CSV.
batch = ("shape,h,b,h1,h2,b1,b2,d1,d2,unit,thin_wall\n"
         "Box section,,,8,10,4,6,,,cm,1\n"
         "0,3,2\n"
         "\"0\",\"3\",\"x\"\n"
         "Pentagon,1,2\n"
         "12,,,,,,,80,100,,yes\n"
         "\"unterminated,1\n").encode()
status, out, err = run("--batch", "-", "--format", "json", stdin=batch)
records = json.loads(out)
check(status == 1, f"batch status {status}")
check([r["line"] for r in records] == [2, 3, 4, 5, 6, 7], f"batch lines {[r.get('line') for r in records]}")
check(records[0]["unit"] == "cm" and records[0]["calculator"]["A"] == "28", "batch box")
check(records[1]["calculator"]["k2"] == "0.75", "batch rectangle")
check(records[2]["calculator"]["message"] == "入力に誤りがあります", "batch input error")
check("unknown shape 'Pentagon'" in records[3]["error"], f"batch bad shape {records[3]}")
check(records[4]["derived"] == {"dm": "90", "t": "10"} and records[4]["calculator"]["second"]["k2"] == "1012.5",
      f"batch tube {records[4]}")
check(records[5]["error"] == "unterminated quoted field (read as UTF-8)", f"batch unterminated {records[5]}")
check("line 5: unknown shape" in err and "line 4: 入力に誤りがあります" in err, f"batch stderr {err!r}")

status, out, _ = run("--batch", "-", "--format", "jsonl", stdin=batch)
check([json.loads(line) for line in out.splitlines()] == records, "jsonl equals the json array")

status, out, _ = run("--batch", "-", "--format", "csv", "--decimal-comma", stdin=b"shape,v1,v2\n0,\"4,5\",2\n")
table = list(csv.DictReader(io.StringIO(out)))
check(status == 0 and table[0]["I"] == "15,1875" and table[0]["line"] == "2", f"csv decimal comma {table}")

status, out, _ = run("--batch", "-", "--format", "tsv", stdin=b"shape,v1\n11,100\n")
table = list(csv.DictReader(io.StringIO(out), delimiter="\t"))
check(status == 0 and table[0]["A"] == "7853.981", f"tsv {table}")

# Any bytes in a value still give JSON that parses, with the text kept.
status, out, _ = run("--format", "json", "0", 'a"\\\t\x01', "2")
record = json.loads(out)
check(status == 1 and record["inputs"]["h"] == 'a"\\\t\x01', f"escaped input {record['inputs']}")
p = subprocess.run([PROGRAM, "--format", "json", "0", b"\xff\xfe", "2"], capture_output=True)
record = json.loads(p.stdout.decode("utf-8"))
check(record["inputs"]["h"] == "\ufffd\ufffd", f"invalid UTF-8 input {record['inputs']}")

# --all: every property under its key, in order, as plain JSON numbers.
KEYS = ("A e_top e_bottom e_left e_right Ix Iy Ixy Iu Iv alpha Zx_top Zx_bottom Zy_left Zy_right ix iy iu "
        "iv Ip Zpx Zpy fx fy perimeter").split()
status, out, _ = run("--all", "--format", "json", "0", "h=30", "b=20")
record = json.loads(out)
props = record["properties"]
check(status == 0 and list(props) == KEYS, f"--all keys {list(props)}")
check(all(isinstance(v, (int, float)) for v in props.values()), "--all numbers")
check(props["A"] == 600 and props["Ix"] == 45000 and props["Zx_top"] == 3000 and props["perimeter"] == 100,
      f"--all rectangle {props}")
status, out, _ = run("--all", "--format", "json", "--display-unit", "cm", "0", "h=30", "b=20")
record = json.loads(out)
check(record["display_unit"] == "cm" and record["properties"]["A"] == 6 and record["properties"]["Ix"] == 4.5
      and record["properties"]["fx"] == 1.5 and record["calculator"]["A"] == "600", f"--display-unit {record}")
status, out, _ = run("--all", "--format", "json", "--unit", "in", "--display-unit", "ft", "11", "12")
props = json.loads(out)["properties"]
check(abs(props["A"] - 3.141592653589793 / 4) < 1e-15, f"in to ft {props['A']}")
status, out, err = run("--all", "--format", "json", "3", "5", "4")
record = json.loads(out)
check(status == 1 and record["properties"] is None and record["section_error"] and record["section_error"] in err
      and record["section_error_code"] == "inner_not_smaller" and record["section_error_slots"] == ["h1", "h2"],
      f"section error {record} {err!r}")
# Without --all too: every format names the condition, stderr says it, exit
# 1, and the calculator's figures are still given.
status, out, err = run("--format", "json", "16", "8", "10", "6", "6")
record = json.loads(out)
check(status == 1 and record["section_error_code"] == "inner_not_smaller"
      and record["section_error_slots"] == ["b1", "b2"] and record["section_error"] in err
      and record["calculator"]["A"] == "12", f"section error without --all {record} {err!r}")
status, out, err = run("16", "8", "10", "6", "6")
check(status == 1 and "A  = 12 mm²" in out and "section error: b1 は b2 より小さくして下さい" in out,
      f"section error in text {out!r}")
status, out, _ = run("--format", "jsonl", "16", "8", "10", "4", "6")
record = json.loads(out)
check(status == 0 and record["section_error"] is None and record["section_error_code"] is None
      and record["section_error_slots"] == [], f"real section {record}")
status, out, _ = run("--all", "--format", "csv", "--batch", "-", stdin=b"shape,v1,v2\n0,30,20\n3,5,4\n")
table = list(csv.DictReader(io.StringIO(out)))
check(status == 1 and float(table[0]["property_Ix"]) == 45000 and table[1]["property_Ix"] == ""
      and table[1]["section_error"] and table[1]["section_error_code"] == "inner_not_smaller"
      and table[1]["section_error_slots"] == "h1 h2", f"--all csv {table}")

# Machine formats: the calculator's and the properties' columns apart, k² a
# length², at most 15 significant digits and the calculator's exponent style.
status, out, _ = run("--all", "--format", "csv", "--batch", "-",
                     stdin="shape,v1,v2\n0,30,20\n0,12345678,10000000\n".encode())
reader = csv.reader(io.StringIO(out))
names = next(reader)
check(len(names) == len(set(names)), f"duplicate column names {names}")
table = list(csv.DictReader(io.StringIO(out)))
check(table[0]["A"] == "600" and table[0]["property_A"] == "600" and table[0]["k2"] == "75",
      f"calculator and property columns {table[0]}")
check(table[1]["property_A"] == "123456780000000" and table[1]["A"] == "1.234568E+14"
      and table[1]["property_Ix"] == "1.56806330022213E+27" and table[1]["I"] == "1.568063E+27",
      f"exponent style {table[1]['I']} {table[1]['property_Ix']}")
status, out, _ = run("--all", "--format", "json", "--unit", "尺", "0", "10", "6")
props = json.loads(out)["properties"]
check(all(len(str(v).replace("-", "").replace(".", "").split("e")[0].split("E")[0].strip("0")) <= 15
          for v in props.values()), f"15 digits {props}")
raw = out.split('"properties":')[1]
check("e+" not in raw and "e-" not in raw, f"one exponent style in JSON {raw}")
status, out, _ = run("--format", "jsonl", "--unit", "cm", "11", "100")
check(json.loads(out)["unit"] == "cm", "unit cm")
status, out, _ = run("--unit", "cm", "11", "100")
check("k² = 625 cm²" in out, f"k² unit in text {out!r}")

# A batch saved as Shift_JIS (CP932) by a spreadsheet: read as CP932 when it
# is not valid UTF-8, from a file and from standard input, across the reader's
# buffers; --encoding forces either, and a bad line says which it was read in.
import os
import tempfile
rows = "shape,h,b\n" + "長方形,１２．５,８\n" * 20000 + "五角形,1,2\n"
sjis = rows.encode("cp932")
with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, "計算.csv")
    with open(path, "wb") as f:
        f.write(sjis)
    for args, stdin in ((["--batch", path], b""), (["--batch", "-"], sjis)):
        status, out, err = run(*args, "--format", "jsonl", stdin=stdin)
        records = [json.loads(line) for line in out.splitlines()]
        check(status == 1 and len(records) == 20001 and all(r.get("calculator", {}).get("A") == "100"
                                                            for r in records[:20000]), f"cp932 {args} {status}")
        check(records[-1].get("error", "").startswith("unknown shape '五角形'")
              and records[-1]["error"].endswith("(read as CP932)")
              and "line 20002: unknown shape '五角形'" in err, f"cp932 bad line {records[-1]} {err[-200:]!r}")
    status, out, err = run("--batch", path, "--encoding", "utf-8", "--format", "jsonl")
    first = json.loads(out.splitlines()[0])
    check(status == 1 and first["error"].endswith("(read as UTF-8)") and "\ufffd" in first["error"],
          f"forced utf-8 {first}")
    utf8 = os.path.join(folder, "utf8.csv")
    with open(utf8, "wb") as f:
        f.write("shape,h,b\n長方形,3,2\n".encode())
    status, out, _ = run("--batch", utf8, "--format", "jsonl")
    check(status == 0 and json.loads(out)["calculator"]["A"] == "6", f"utf-8 batch {out!r}")
    status, out, _ = run("--batch", utf8, "--encoding", "cp932", "--format", "jsonl")
    check(status == 1 and json.loads(out)["error"].endswith("(read as CP932)"), f"forced cp932 {out!r}")
    # A header in the wrong encoding names it too.
    status, out, err = run("--batch", "-", stdin="形,h\n0,1\n".encode("cp932"))
    check(status == 2 and "header: unknown column '形'" in err and "(read as CP932)" in err, f"cp932 header {err!r}")
for args in (["--encoding", "latin1", "--batch", "-"], ["--encoding", "cp932", "0", "3", "2"]):
    status, out, err = run(*args)
    check(status == 2 and out == "", f"encoding usage {args} {status} {err!r}")

# Torsion with --all: every format carries the five keys; a sharp inner corner
# gives no Zt but its reason; the display unit converts by each key's power.
def rectangle_j(h, b):
    import math
    h, b = max(h, b), min(h, b)
    s = sum(math.tanh(n * math.pi * h / (2 * b)) / n ** 5 for n in range(1, 99, 2))
    return h * b ** 3 / 3 * (1 - 192 * b / (math.pi ** 5 * h) * s)


status, out, _ = run("--all", "--torsion", "--format", "json", "0", "3", "2")
props = json.loads(out)["properties"]
check(status == 0 and abs(props["J"] - rectangle_j(3, 2)) <= 1e-7 * props["J"], f"torsion json J {props.get('J')}")
check(props["xs"] == 0 and props["ys"] == 0 and props["Zt"] > 0 and props["Zt_reason"] is None,
      f"torsion json rectangle {props}")
status, out, _ = run("--all", "--torsion", "--display-unit", "cm", "--format", "jsonl", "0", "3", "2")
check(abs(json.loads(out)["properties"]["J"] - rectangle_j(3, 2) / 1e4) <= 1e-7 * rectangle_j(3, 2) / 1e4,
      "torsion J in cm⁴")
status, out, _ = run("--all", "--torsion", "--format", "json", "16", "8", "10", "4", "6")
props = json.loads(out)["properties"]
check(props["Zt"] is None and props["Zt_reason"].startswith("入隅") and props["J"] > 0 and props["Iw"] > 0,
      f"torsion json box {props}")
box_j = props["J"]
status, out, _ = run("--all", "--torsion", "--format", "json", "18", "180", "200", "90", "100")
props = json.loads(out)["properties"]
check(props["xs"] < 0 and props["ys"] == 0, f"torsion json channel {props}")
for fmt, sep in (("csv", ","), ("tsv", "\t")):
    status, out, _ = run("--all", "--torsion", "--format", fmt, "16", "8", "10", "4", "6")
    rows = list(csv.DictReader(io.StringIO(out), delimiter=sep))
    check(status == 0 and len(rows) == 1, f"torsion {fmt} rows")
    row = rows[0]
    check(all(k in row for k in ("property_J", "property_xs", "property_ys", "property_Iw", "property_Zt")),
          f"torsion {fmt} columns {list(row)}")
    check(float(row["property_J"]) == box_j, f"torsion {fmt} J {row['property_J']} against {box_j}")
    check(row["property_Zt"] == "" and row["property_Zt_reason"].startswith("入隅"), f"torsion {fmt} Zt {row}")
status, out, _ = run("--all", "--torsion", "16", "8", "10", "4", "6")
check("torsion (finite elements):" in out and "  J " in out and "入隅" in out and "mm⁶" in out, f"torsion text {out!r}")
status, out, err = run("--torsion", "0", "3", "2")
check(status == 2 and "--torsion needs --all" in err, f"torsion usage {err!r}")
# Without --torsion nothing of it appears.
status, out, _ = run("--all", "--format", "json", "0", "3", "2")
check("J" not in json.loads(out)["properties"], "no torsion without --torsion")

if failures:
    print("\n".join("FAIL: " + f for f in failures))
    sys.exit(1)
print("velmora-cli: all checks passed")
