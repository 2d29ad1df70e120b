#!/usr/bin/python3
"""Checks every record `zorvez lint --format jsonl` writes, with and without
--fix, for the tables of tests/data/writers and a table holding every form
and structure hazard, and with both dictionaries for the explorer's tree of
hostile names (names holding markup), against the published JSON Schema of
the records.

usage: validate_hazards.py ZORVEZ SCHEMA WRITERS_DIR
"""
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile

import jsonschema

EVERY_HAZARD = (b'"Pump",Equipment,*,C,R,*,EQT\nPump,Equipment,*,,R,*,EQT,\nPump;E;*\n'
                b'Pump,Equipment\nPump,Equipment,*,,,*,\nValve,Equipment,*,V,E,*,EQT,\n'
                b'Pump,Equipment,Flow,C,R,F\nGhost,Equipment,A,C,R,F,\n\xe9,\x00\n')


def main():
    zorvez, schema_path, writers = sys.argv[1:4]
    validator = jsonschema.Draft7Validator(json.loads(pathlib.Path(schema_path).read_text()))
    scratch = pathlib.Path(tempfile.mkdtemp())
    tables = sorted(pathlib.Path(writers).glob("*.csv"))
    (scratch / "every.csv").write_bytes(EVERY_HAZARD)
    tables.append(scratch / "every.csv")
    failed, codes = 0, set()
    for table in tables:
        for fix in ([], ["--fix"]):
            copy = scratch / ("copy-" + table.name)
            shutil.copyfile(table, copy)
            run = subprocess.run([zorvez, "lint", "--format", "jsonl"] + fix + [str(copy)],
                                 capture_output=True, check=False)
            for line in run.stdout.decode("utf-8").splitlines():
                record = json.loads(line)
                codes.add(record["code"])
                for error in validator.iter_errors(record):
                    failed += 1
                    print(f"{table.name}: {error.message}\n  in {line}")
            if run.returncode not in (0, 1):
                failed += 1
                print(f"{table.name}: exit status {run.returncode}")
    hostile = pathlib.Path(writers).parent / "explore" / "hostile" / "Dictionary"
    run = subprocess.run([zorvez, "lint", "--format", "jsonl",
                          "--source", str(hostile / "V4_Exported_XML/hostile_v4.xml"),
                          "--target", str(hostile / "V5_Exported_XML/hostile_v5.xml"),
                          str(hostile / "MappingTable/hostile_mapping.csv")],
                         capture_output=True, check=False)
    markup = 0
    for line in run.stdout.decode("utf-8").splitlines():
        record = json.loads(line)
        codes.add(record["code"])
        markup += record["code"] == "markup_name" and "file" in record
        for error in validator.iter_errors(record):
            failed += 1
            print(f"hostile names: {error.message}\n  in {line}")
    if markup == 0:
        failed += 1
        print("hostile names: no markup_name hazard with its file")
    shutil.rmtree(scratch)
    if len(codes) < 14:
        failed += 1
        print(f"only {len(codes)} codes seen: {sorted(codes)}")
    print(f"{len(tables)} tables, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
