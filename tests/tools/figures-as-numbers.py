#!/usr/bin/env python3
"""The copied figures (the snapshot tool's JSON `Figures`, what Ctrl+Shift+C
copies) and the exported stretch (`--export`, Ctrl+E) as a spreadsheet or
a program reads them: Python's csv module splits them into the cells
expected, and every number cell reads back as the figure or sample it
stands for. Run in the C locale, and again with a decimal comma, where the
numbers have commas and the export separates its columns by ";".
Usage: figures-as-numbers.py LOGVIEW_SNAPSHOT"""
import csv
import io
import json
import os
import subprocess
import sys
import tempfile

snapshot = sys.argv[1]
HEADER = ["Title", "File", "N", "Words", "Min", "Max", "Mean", "A", "B", "t at A", "t at B", "\u0394t"]
NUMBER_COLUMNS = HEADER[2:]
STATISTICS = {"N": "Count", "Words": "Words", "Min": "Min", "Max": "Max", "Mean": "Mean", "A": "AtA", "B": "AtB"}


def fail(message):
    sys.exit(message)


def write_logs(folder):
    """Pane 0: time stamps with decimals; pane 1: sensor words among the
    numbers and a title with a comma and a quote; pane 2 stays empty."""
    logs = []
    with open(os.path.join(folder, "speed.csv"), "w") as out:
        out.write("t,Speed (km/h)\n")
        out.writelines(f"{i * 0.25:.2f},{(i * 37) % 1000 / 7:.4f}\n" for i in range(300))
    logs.append(os.path.join(folder, "speed.csv"))
    with open(os.path.join(folder, "lambda.csv"), "w") as out:
        out.write('t,Lambda, "probe" 1\n')
        out.writelines(f"{i},{'Rich' if i % 9 == 0 else f'{0.9 + (i % 20) / 100:.2f}'}\n" for i in range(250))
    logs.append(os.path.join(folder, "lambda.csv"))
    return logs


def run(logs, exported, decimal_comma):
    env = dict(os.environ, LANG="C.UTF-8", LC_ALL="C.UTF-8", LANGUAGE="", QT_QPA_PLATFORM="offscreen")
    separators = ["--decimal", ",", "--thousands", "."] if decimal_comma else []
    actions = [*separators, "--log", "0", logs[0], "--log", "1", logs[1],
               "--hover", "0", "200", "60", "--key", "A", "--hover", "0", "500", "60", "--key", "B",
               "--export", exported, "--json", "-"]
    done = subprocess.run([snapshot, *actions], env=env, capture_output=True, text=True)
    if done.returncode != 0:
        fail(f"logview-snapshot failed: {done.stderr}")
    state = json.loads(done.stdout)
    if state["Messages"]:
        fail(f"messages shown: {state['Messages']}")
    return state


def figure_rows(state, name):
    rows = list(csv.reader(io.StringIO(state["Figures"], newline=""), delimiter="\t"))
    if rows[0] != HEADER:
        fail(f"{name}: the header row is {rows[0]}")
    if len(rows) != 5 or any(len(row) != len(HEADER) for row in rows):
        fail(f"{name}: not a header and four rows of {len(HEADER)} cells: {rows}")
    return [dict(zip(HEADER, row)) for row in rows[1:]]


def number(cell, decimal, what):
    """The number a cell holds, read as float() reads it once the locale's
    separator is a point; None for an empty cell."""
    if cell == "":
        return None
    other = "." if decimal == "," else ","
    if other in cell:
        fail(f"{what}: {cell!r} has a '{other}' besides the decimal separator '{decimal}'")
    try:
        return float(cell.replace(decimal, "."))
    except ValueError:
        fail(f"{what}: {cell!r} is no number")


def check_figures(state, decimal, name):
    rows = figure_rows(state, name)
    values = []
    for pane, row in enumerate(rows):
        statistics = state["Panes"][pane]["Statistics"]
        if row["Title"] != state["Panes"][pane]["Title"][0]:
            fail(f"{name}: pane {pane}'s title cell is {row['Title']!r}")
        read = {column: number(row[column], decimal, f"{name}, pane {pane}, {column}") for column in NUMBER_COLUMNS}
        if statistics is None:
            if any(value is not None for value in read.values()):
                fail(f"{name}: pane {pane} has no figures, yet its cells are {row}")
            continue
        for column, key in STATISTICS.items():
            if read[column] != statistics[key]:
                fail(f"{name}: pane {pane}'s {column} is {row[column]!r}, not {statistics[key]}")
        if pane == 0 and (read["t at A"] is None or read["t at B"] is None or read["\u0394t"] is None):
            fail(f"{name}: the time stamps of pane 0 are missing: {row}")
        if pane == 0 and read["\u0394t"] != float(statistics["DeltaLeading"]):
            fail(f"{name}: \u0394t {row[chr(0x394) + 't']!r} differs from the box's {statistics['DeltaLeading']}")
        values.append(read)
    if rows[1]["Words"] in ("", "0"):
        fail(f"{name}: the words of pane 1 are not counted: {rows[1]}")
    return values


def check_export(state, exported, decimal, name):
    with open(exported, newline="") as file:
        rows = list(csv.reader(file, delimiter=";" if decimal == "," else ","))
    titles = [pane["Title"][0] for pane in state["Panes"]]
    if rows[0] != ["Sample", *titles]:
        fail(f"{name}: the export's header is {rows[0]}, not the titles {titles}")
    a, b = sorted(state["Markers"].values())
    for row in rows[1:]:
        sample = number(row[0], decimal, f"{name}, export")
        if not a <= sample <= b:
            fail(f"{name}: sample {sample} is not between the markers {a} and {b}")
        for pane, cell in enumerate(row[1:]):
            log = state["Panes"][pane]
            at = log["X"].index(sample) if sample in log["X"] else None
            if at is None:
                if cell != "":
                    fail(f"{name}: pane {pane} has no sample {sample}, yet its cell is {cell!r}")
            elif cell == "Rich":
                if log["Y"][at] != 2:
                    fail(f"{name}: pane {pane}'s sample {sample} is {log['Y'][at]}, not the word {cell}")
            elif number(cell, decimal, f"{name}, export") != log["Y"][at]:
                fail(f"{name}: pane {pane}'s sample {sample} is {log['Y'][at]}, exported as {cell!r}")
    return rows[1:]


with tempfile.TemporaryDirectory() as folder:
    logs = write_logs(folder)
    point_export, comma_export = os.path.join(folder, "point.csv"), os.path.join(folder, "comma.csv")
    point, comma = run(logs, point_export, False), run(logs, comma_export, True)
    point_figures = check_figures(point, ".", "C locale")
    comma_figures = check_figures(comma, ",", "decimal comma")
    if point_figures != comma_figures:
        fail(f"the figures under a decimal comma differ: {point_figures} and {comma_figures}")
    if "," not in comma["Figures"].split("\n")[1]:
        fail(f"no decimal comma in the figures: {comma['Figures']!r}")
    point_rows = check_export(point, point_export, ".", "C locale")
    comma_rows = check_export(comma, comma_export, ",", "decimal comma")
    if len(point_rows) < 10 or len(point_rows) != len(comma_rows):
        fail(f"exported {len(point_rows)} and {len(comma_rows)} rows")
print(f"the figures and {len(point_rows)} exported rows read back under both separators")
