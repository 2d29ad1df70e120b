#!/usr/bin/python3
"""Checks every record `zorvez check --format jsonl` writes for the case
trees, the example trees and a tree of hostile names against the published
JSON Schema of the records.

usage: validate_records.py ZORVEZ SCHEMA CASES_DIR EXAMPLES_DIR
"""
import json
import pathlib
import subprocess
import sys
import tempfile

import jsonschema


def case_operands(case_dir):
    """check's operands for a case whose arguments run a comparison."""
    args = (case_dir / "args").read_text().split("\n")
    flags, source, target, table = [], None, None, None
    for i, word in enumerate(args):
        low = word.lower()
        if low == "-v5":
            flags.append("--v5")
        elif low == "-old":
            flags.append("--old")
        elif low == "-i" and i + 2 < len(args):
            source, target = args[i + 1], args[i + 2]
        elif low == "-m" and i + 1 < len(args):
            table = args[i + 1]
    if not (source and target and table):
        return None
    d = case_dir / "tree" / "Dictionary"
    return flags + ["--", str(d / "V4_Exported_XML" / source),
                    str(d / "V5_Exported_XML" / target), str(d / "MappingTable" / table)]


def hostile_tree(folder):
    folder = pathlib.Path(folder)
    (folder / "s.xml").write_bytes(
        b'<?xml version="1.0" encoding="windows-1252"?><D Name="H">'
        b'<Class Name="&lt;/script&gt;&lt;script&gt;alert(1)&lt;/script&gt;" ShortName="K&quot;\x80"'
        b' Parent="P" ShortParent="PP"><Simple Name="&lt;img src=x onerror=alert(1)&gt;"'
        b' ShortName="A" Type="T"/></Class>'
        b'<Class Name="U" ShortName="U1" Parent="P" ShortParent="PP"/></D>')
    (folder / "t.xml").write_bytes(b'<D Name="T" Domain="EQT"/>')
    (folder / "m.csv").write_bytes(b"U,P,*,No Mapping,,*,EQT,\r\nU,P,Kept\x01\xe9,T,TP,TA,EQT,\r\n"
                                   b"Child\xe9\xe2\x80\xa8,U,*,X,Y,*,EQT,\r\n")
    return ["--", str(folder / "s.xml"), str(folder / "t.xml"), str(folder / "m.csv")]


def main():
    zorvez, schema_path, cases_dir, examples_dir = sys.argv[1:5]
    validator = jsonschema.Draft7Validator(json.loads(pathlib.Path(schema_path).read_text()))
    runs = []
    for case in sorted(pathlib.Path(cases_dir).iterdir()):
        operands = case_operands(case)
        if operands:
            runs.append((case.name, operands))
    examples = pathlib.Path(examples_dir)
    d = examples / "v4v5" / "Dictionary"
    runs.append(("example v4v5", [str(d / "V4_Exported_XML/plant_v4.xml"),
                                  str(d / "V5_Exported_XML/plant_v5.xml"),
                                  str(d / "MappingTable/plant_mapping.csv")]))
    d = examples / "v5v5" / "Dictionary"
    runs.append(("example v5v5", ["--v5", str(d / "V4_Exported_XML/plant_a.xml"),
                                  str(d / "V5_Exported_XML/plant_b.xml"),
                                  str(d / "MappingTable/plant_mapping.csv")]))
    scratch = tempfile.TemporaryDirectory()
    runs.append(("hostile names", hostile_tree(scratch.name)))
    # The example held against its own output: every record says "unchanged"
    # and the summary counts them.
    baseline = pathlib.Path(scratch.name) / "baseline.jsonl"
    baseline.write_bytes(subprocess.run([zorvez, "check", "--format", "jsonl"] + runs[-3][1],
                                        capture_output=True, check=False).stdout)
    runs.append(("example v4v5 with a baseline", ["--baseline", str(baseline)] + runs[-3][1]))

    passed, failed, kinds = 0, 0, set()
    for name, operands in runs:
        run = subprocess.run([zorvez, "check", "--format", "jsonl", "--fail-on", "none"] + operands,
                             capture_output=True, check=False)
        if run.returncode == 2:
            continue  # an input the check refuses; its own tests cover the message
        lines = run.stdout.decode("utf-8").split("\n")
        ok = run.returncode == 0 and lines[-1] == "" and len(lines) > 1
        for line in lines[:-1]:
            record = json.loads(line)
            kinds.add((record["record"], record.get("finding")))
            for error in validator.iter_errors(record):
                ok = False
                print(f"{name}: {error.message}\n  in {line}")
        ok = ok and json.loads(lines[-2])["record"] == "summary"
        if ok:
            passed += 1
        else:
            failed += 1
            print(f"{name}: failed (exit status {run.returncode})")
    # The runs must have shown every kind of record at least once.
    if len(kinds) < 16:
        failed += 1
        print(f"only {len(kinds)} kinds of record seen: {sorted(kinds, key=str)}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
