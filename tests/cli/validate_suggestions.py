#!/usr/bin/python3
"""Checks every record `zorvez suggest --format jsonl` writes for the case
trees, the example trees and two trees of hostile names against the published
JSON Schema of the records, and that the summary counts the records.

usage: validate_suggestions.py ZORVEZ SCHEMA CASES_DIR EXAMPLES_DIR
"""
import json
import pathlib
import subprocess
import sys
import tempfile

import jsonschema

from validate_records import case_operands, hostile_tree


def example_runs(examples):
    d = examples / "v4v5" / "Dictionary"
    yield "example v4v5", [str(d / "V4_Exported_XML/plant_v4.xml"),
                           str(d / "V5_Exported_XML/plant_v5.xml"),
                           str(d / "MappingTable/plant_mapping.csv")]
    d = examples / "v5v5" / "Dictionary"
    yield "example v5v5", ["--v5", str(d / "V4_Exported_XML/plant_a.xml"),
                           str(d / "V5_Exported_XML/plant_b.xml"),
                           str(d / "MappingTable/plant_mapping.csv")]


def check_run(name, lines, status, validator, seen):
    ok = status in (0, 1) and lines[-1] == "" and len(lines) > 1
    counts = {"class": [0, 0], "attribute": [0, 0]}
    for line in lines[:-1]:
        record = json.loads(line)
        for error in validator.iter_errors(record):
            ok = False
            print(f"{name}: {error.message}\n  in {line}")
        if record["record"] == "suggestion":
            seen.add((record["for"], record["reason"]))
            seen.add(("why", record.get("why", "written")))
            for candidate in record["candidates"]:
                for key in candidate.get("taken_by", {}):
                    seen.add((record["for"], "taken_by", key))
            counts[record["for"]][0] += 1
            counts[record["for"]][1] += record["accepted"] is not None
    summary = json.loads(lines[-2])
    ok = ok and summary["record"] == "summary"
    ok = ok and [summary["classes"]["items"], summary["classes"]["accepted"]] == counts["class"]
    ok = ok and [summary["attributes"]["items"],
                 summary["attributes"]["accepted"]] == counts["attribute"]
    every = counts["class"][0] == counts["class"][1] and \
        counts["attribute"][0] == counts["attribute"][1]
    return ok and status == (0 if every else 1)


def main():
    zorvez, schema_path, cases_dir, examples_dir = sys.argv[1:5]
    validator = jsonschema.Draft7Validator(json.loads(pathlib.Path(schema_path).read_text()))
    runs = []
    for case in sorted(pathlib.Path(cases_dir).iterdir()):
        operands = case_operands(case)
        if operands:
            runs.append((case.name, operands))
    runs.extend(example_runs(pathlib.Path(examples_dir)))
    scratch = tempfile.TemporaryDirectory()
    runs.append(("hostile names", hostile_tree(scratch.name)))
    rows = pathlib.Path(cases_dir).parent / "suggest-hostile"
    runs.append(("names no row can hold", [str(rows / name) for name in ("s.xml", "t.xml", "m.csv")]))

    passed, failed, seen = 0, 0, set()
    for name, operands in runs:
        run = subprocess.run([zorvez, "suggest", "--format", "jsonl"] + operands,
                             capture_output=True, check=False)
        if run.returncode == 2:
            continue  # an input the comparison refuses; check's tests cover the message
        if check_run(name, run.stdout.decode("utf-8").split("\n"), run.returncode, validator,
                     seen):
            passed += 1
        else:
            failed += 1
            print(f"{name}: failed (exit status {run.returncode})")
    # Every reason of both kinds of item must have been seen at least once,
    # and the fates of rows and the takers that matter most.
    wanted = {("why", "written"), ("why", "not_accepted"), ("why", "table_row_differs"),
              ("why", "name_unwritable"), ("class", "taken_by", "row"),
              ("attribute", "taken_by", "class")}
    if len([kind for kind in seen if kind[0] in ("class", "attribute") and len(kind) == 2]) < 7 or \
            not wanted <= seen:
        failed += 1
        print(f"only {len(seen)} kinds of suggestion seen: {sorted(seen)}")
    print(f"{passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
