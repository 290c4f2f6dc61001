#!/usr/bin/env python3
"""drevia-cli calc --csv against calc --json, over every sample project.

Usage: csv_matches_json.py DREVIA_CLI SOURCE_DIR

The CSV must read with Python's standard csv module (RFC 4180, CRLF line
ends) into exactly the rows of the JSON: the header is the JSON field names
(each level's own fields, outermost first; nested objects as "Group.Name"),
one line per JSON row, every value equal (numbers equal as doubles, null as
an empty field).
"""

import csv
import glob
import io
import json
import os
import subprocess
import sys


def run(cli, source_dir, args):
    result = subprocess.run(
        [cli, "--data-dir", os.path.dirname(cli), "calc"] + args,
        cwd=source_dir,
        stdout=subprocess.PIPE,
        stderr=subprocess.PIPE,
        check=False,
    )
    if result.returncode not in (0, 1):
        raise AssertionError(f"{args}: exit {result.returncode}: {result.stderr.decode()}")
    return result.stdout


def flatten_fields(obj, prefix=""):
    """The scalar fields of one level, nested objects as Group.Name."""
    out = []
    for key, value in obj.items():
        if isinstance(value, list):
            continue
        if isinstance(value, dict):
            out.extend(flatten_fields(value, f"{key}."))
        else:
            out.append((prefix + key, value))
    return out


def json_rows(node, above, rows):
    fields = above + flatten_fields(node)
    arrays = [value for value in node.values() if isinstance(value, list)]
    if not arrays:
        rows.append(fields)
        return
    for child in arrays[0]:
        json_rows(child, fields, rows)


def same_value(csv_text, json_value):
    if json_value is None:
        return csv_text == ""
    if isinstance(json_value, bool):
        return csv_text == ("true" if json_value else "false")
    if isinstance(json_value, int):
        return csv_text == str(json_value)
    if isinstance(json_value, float):
        return csv_text != "" and float(csv_text) == json_value
    return csv_text == json_value


def check(cli, source_dir, args):
    label = " ".join(args)
    printed = run(cli, source_dir, args + ["--json"])
    raw = run(cli, source_dir, args + ["--csv"])
    if not printed:
        # A refused calculation prints no results in either form.
        return [] if not raw else [f"{label}: CSV printed where JSON was refused"]
    document = json.loads(printed)
    problems = []
    # Every line ends in CRLF (the samples hold no line breaks in texts).
    text = raw.decode("utf-8")
    if not text.endswith("\r\n") or text.count("\n") != text.count("\r\n"):
        problems.append("line ends are not CRLF")
    table = list(csv.reader(io.StringIO(text, newline=""), strict=True))
    if not table:
        return [f"{label}: no header"]
    header, lines = table[0], table[1:]

    expected = []
    for element in document["elements"]:
        json_rows(element, [], expected)
    if len(lines) != len(expected):
        problems.append(f"{len(lines)} CSV rows, {len(expected)} JSON rows")
    for number, (line, fields) in enumerate(zip(lines, expected), start=1):
        # A null nested object ("Pipe": null) stands for empty member fields.
        expanded = []
        for name, value in fields:
            members = [column for column in header if column.startswith(name + ".")]
            if value is None and members:
                expanded += [(member, None) for member in members]
            else:
                expanded.append((name, value))
        names = [name for name, _ in expanded]
        if names != header:
            problems.append(f"row {number}: JSON fields {names} differ from the header {header}")
            continue
        if len(line) != len(header):
            problems.append(f"row {number}: {len(line)} fields, header has {len(header)}")
            continue
        for (name, value), cell in zip(expanded, line):
            if not same_value(cell, value):
                problems.append(f"row {number} {name}: CSV {cell!r}, JSON {value!r}")
    return [f"{label}: {problem}" for problem in problems]


def main():
    cli, source_dir = sys.argv[1], sys.argv[2]
    samples = sorted(glob.glob(os.path.join(source_dir, "samples", "*.xml")))
    if not samples:
        print("no samples found", file=sys.stderr)
        return 1
    cases = []
    for sample in samples:
        name = os.path.relpath(sample, source_dir)
        cases.append([name])
        if "culvert-analysis" in name:
            cases += [[name, "--option", option] for option in ("buried", "system")]
        if "culvert-design" in name:
            cases.append([name, "--pipe-type", "99", "--improved-inlet"])
    problems = []
    for args in cases:
        problems += check(cli, source_dir, args)
    for problem in problems[:50]:
        print(problem, file=sys.stderr)
    print(f"{len(cases)} cases, {len(problems)} problems")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
