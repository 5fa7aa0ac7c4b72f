#!/usr/bin/env python3
"""The snapshot tool's JSON under a locale with a decimal comma: it parses,
and every number in it is the one the C locale gives (the texts may differ:
they are written in the user's locale on purpose).
Usage: json-in-locale.py LOGVIEW_SNAPSHOT LOCALE SAMPLES
Exits 77 (skipped) when the locale is not installed."""
import json
import os
import subprocess
import sys
import tempfile

snapshot, wanted, samples = sys.argv[1:4]


def installed(name):
    listed = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout.split()
    base = name.split(".")[0].lower()
    return any(l.lower() in (base + ".utf8", base + ".utf-8") for l in listed)


def state(locale, log):
    env = dict(os.environ, LANG=locale, LC_ALL="", LANGUAGE="", QT_QPA_PLATFORM="offscreen")
    actions = ["--log", "0", log, "--log", "1", os.path.join(samples, "lambda.csv"),
               "--log", "2", os.path.join(samples, "engine-speed.csv"),
               "--drag", "1", "left", "100", "60", "300", "60",
               "--hover", "1", "200", "60", "--key", "A", "--hover", "1", "400", "60", "--key", "B",
               "--json", "-"]
    text = subprocess.run([snapshot, *actions], env=env, capture_output=True, text=True, check=True).stdout
    try:
        return json.loads(text)
    except json.JSONDecodeError as error:
        sys.exit(f"not JSON under {locale}: {error}: {text[max(0, error.pos - 60):error.pos + 20]!r}")


def numbers(value, path="$"):
    """Every number in a JSON value, with where it is."""
    if isinstance(value, dict):
        for key, item in value.items():
            yield from numbers(item, f"{path}.{key}")
    elif isinstance(value, list):
        for i, item in enumerate(value):
            yield from numbers(item, f"{path}[{i}]")
    elif isinstance(value, (int, float)) and not isinstance(value, bool):
        yield path, value


if not installed(wanted):
    print(f"skipped: the {wanted} locale is not installed (make deps makes it as root)")
    sys.exit(77)
with tempfile.TemporaryDirectory() as folder:
    log = os.path.join(folder, "decimals.csv")
    with open(log, "w") as out:
        out.write("t,V\n0,0.75\n1,1.25\n2,2.5\n")
    local, c = state(wanted, log), state("C.UTF-8", log)
if local["Panes"][0]["Y"] != [0.75, 1.25, 2.5]:
    sys.exit(f"the samples of the log are read as {local['Panes'][0]['Y']}")
if local["Panes"][1]["Statistics"] is None:
    sys.exit("no figures between the markers")
local_numbers, c_numbers = list(numbers(local)), list(numbers(c))
if local_numbers != c_numbers:
    differing = [(a, b) for a, b in zip(local_numbers, c_numbers) if a != b][:5]
    sys.exit(f"numbers differ from the C locale's: {differing or (len(local_numbers), len(c_numbers))}")
print(f"{len(local_numbers)} numbers under {wanted} parse and equal the C locale's")
