#!/usr/bin/python3
"""Checks the SARIF log of `zorvez check --format sarif` against the
published SARIF 2.1.0 JSON Schema, for the example trees, a tree of hostile
names under hostile file names, a generated untidy tree and a generated
16,000-class tree, and checks each result against the JSON Lines record of
the same hazard or finding: the same fingerprint, a message whose text is
its rule's message with its arguments (the record's names), and a location
whose line is the table row the record names, the hazard's place, or the
element of the record's class or attribute in the dictionary to migrate.
Verdicts that pass are left out, and written as results of kind "pass"
with --include-passes; held against its own output, every result is
"unchanged" and suppressed.

The logs of the small trees (and one with findings gone since its baseline)
then go through the SARIF SDK's validator, `sarif-multitool validate`, with
its SARIF and GitHub rules: it must report no error and no warning but
those that need a web address the project does not have (ALLOWED). Its
counts per rule are printed.

usage: validate_sarif.py ZORVEZ ZOR_GENERATE SCHEMA MULTITOOL CONFIG EXAMPLES_DIR

SCHEMA and MULTITOOL are as `npm ci` in tests/sarif installs them, CONFIG
the validator's settings (tests/sarif/validation.xml: no rule that fetches
anything); scripts/run-tests.sh does that.
"""
import collections
import hashlib
import json
import os
import pathlib
import re
import shutil
import subprocess
import sys
import tempfile
import urllib.parse
import xml.parsers.expat

import jsonschema

FAILING = {"red", "blue", "purple", "grey"}  # check's default --fail-on, with "hazard"
BASE = "%SRCROOT%"
# What the validator may still say, by rule and message id, and why: the
# project has no web address to give as the tool's informationUri.
ALLOWED = {("SARIF2005", "Warning_ProvideToolnformationUri")}
# The SHA-256 of the fingerprints of the untidy generated tree's findings, one a
# line, as zorvez computed them before table hazards became findings: a baseline
# kept since then still matches every finding.
RELEASED_PRINTS = {
    "untidy generated tree": (1757, "f65fe3e5468fd98a3c86cab8da55e76860016c1298b3e24e87bcdda1338dd967"),
}


def hostile_tree(root):
    """Names holding markup, quotes, commas and letters beyond ASCII, a class
    the dictionary holds twice, in folders and files whose names a URI must
    encode."""
    d = root / "Wörter buch #1" / "Dictionary"
    for sub in ("V4_Exported_XML", "V5_Exported_XML", "MappingTable"):
        (d / sub).mkdir(parents=True)
    source = d / "V4_Exported_XML" / "Quelle, 100%.xml"
    target = d / "V5_Exported_XML" / "Ziel?.xml"
    table = d / "MappingTable" / "Zuordnung für Pumpen;[x].csv"
    source.write_text(
        '<?xml version="1.0" encoding="UTF-8"?>\n<D Name="H">\n'
        '  <Class Name="Filter &quot;Y&quot;, Basket &amp; Cone &lt;script&gt;" ShortName="F,1"'
        ' Parent="Pipe Fitting" ShortParent="PF">\n'
        '    <Simple Name="Maschen, Größe" ShortName="MG" Type="Real"/>\n  </Class>\n'
        '  <Class Name="Pumpe Zoë" ShortName="PZ" Parent="Equipment" ShortParent="EQ">\n'
        '    <Simple Name="Förder&lt;b&gt;höhe" ShortName="FH" Type="Real"/>\n'
        '    <Simple Name="日本 流量" ShortName="JF" Type="Real"/>\n  </Class>\n'
        '  <Class Name="Sieb" ShortName="SB" Parent="Equipment" ShortParent="EQ"/>\n'
        '  <Class Name="Sieb" ShortName="SB" Parent="Equipment" ShortParent="EQ"/>\n'
        '</D>\n', encoding="utf-8")
    target.write_text(
        '<D Name="T" Domain="EQT">\n'
        '  <Class Name="PumpeZ" DisplayName="Pumpe Zoë" Superclass="Equipment">\n'
        '    <Simple Name="Flow" DisplayName="日本 流量"/>\n  </Class>\n</D>\n',
        encoding="utf-8")
    table.write_text("Pumpe Zoë,Equipment,*,PumpeZ,Equipment,*,EQT,\n"
                     "Pumpe Zoë,Equipment,日本 流量,PumpeZ,Equipment,Flow,EQT,\n"
                     "Pumpe Zoë,Equipment,Förder<b>höhe,,,,EQT,\n", encoding="utf-8")
    return d.parent, [], [source, target, table]


def generated_tree(zor_generate, root, extra):
    subprocess.run([zor_generate, "--mode", "v4", "--out", str(root)] + extra, check=True,
                   capture_output=True)
    d = root / "Dictionary"
    return root, [], [d / "V4_Exported_XML/source.xml", d / "V5_Exported_XML/target.xml",
                      d / "MappingTable/mapping.csv"]


def example_tree(examples, name, files, flags, root):
    shutil.copytree(examples / name, root)
    d = root / "Dictionary"
    return root, flags, [d / "V4_Exported_XML" / files[0], d / "V5_Exported_XML" / files[1],
                         d / "MappingTable/plant_mapping.csv"]


def source_elements(path):
    """Line of each Class and Simple start tag -> the set of its attribute values."""
    found = {}
    parser = xml.parsers.expat.ParserCreate()

    def start(name, attributes):
        if name in ("Class", "Simple"):
            found.setdefault(parser.CurrentLineNumber, set()).update(attributes.values())
    parser.StartElementHandler = start
    parser.ParseFile(open(path, "rb"))
    return found


def table_lines(path):
    text = path.read_bytes().decode("utf-8", errors="replace")
    return [line.rstrip("\r").lstrip("\ufeff") for line in text.split("\n")]


def formatted(text, arguments):
    return re.sub(r"\{(\d+)\}", lambda m: arguments[int(m.group(1))], text)


def passes(record):
    return record["record"] != "hazard" and record["verdict"] == "green"


class Checker:
    def __init__(self, zorvez, schema, scratch):
        self.zorvez = zorvez
        self.validator = jsonschema.Draft4Validator(schema,
                                                    format_checker=jsonschema.FormatChecker())
        self.version = subprocess.run([zorvez, "--version"], capture_output=True, text=True,
                                      check=True).stdout.split()[1]
        self.scratch = scratch
        self.rules_seen = set()
        self.problems = []
        self.logs = []  # the files for sarif-multitool

    def fail(self, name, message):
        self.problems.append(f"{name}: {message}")

    def run(self, cwd, arguments):
        return subprocess.run([self.zorvez, "check"] + arguments, cwd=cwd, capture_output=True,
                              check=False)

    def keep(self, name, text):
        path = self.scratch / f"{len(self.logs)}.sarif"
        path.write_bytes(text)
        self.logs.append((name, path))

    def log_of(self, name, cwd, arguments, validate=False):
        run = self.run(cwd, ["--format", "sarif"] + arguments)
        if run.returncode not in (0, 1):
            self.fail(name, f"exit {run.returncode}: {run.stderr!r}")
            return None
        log = json.loads(run.stdout)
        errors = list(self.validator.iter_errors(log))
        for error in errors[:5]:
            self.fail(name, f"schema: {error.message} at {list(error.absolute_path)}")
        if validate:
            self.keep(name, run.stdout)
        return None if errors else log

    def check_tree(self, name, cwd, flags, files, validate):
        operands = flags + ["--"] + [str(path.relative_to(cwd)) for path in files]
        lines_run = self.run(cwd, ["--format", "jsonl", "--fail-on", "none"] + operands)
        if lines_run.returncode != 0:
            return self.fail(name, f"exit {lines_run.returncode}: {lines_run.stderr!r}")
        records = [json.loads(line) for line in lines_run.stdout.decode().splitlines()]
        files = dict(zip(("source", "table"), (files[0], files[2])))
        log = self.log_of(name, cwd, operands, validate)
        if log:
            self.check_run(name, cwd, log, records, files, "")
        if name in RELEASED_PRINTS:
            prints = [r["fingerprint"] for r in records if r["record"] not in ("hazard", "summary")]
            digest = hashlib.sha256("\n".join(prints).encode()).hexdigest()
            if (len(prints), digest) != RELEASED_PRINTS[name]:
                self.fail(name, f"fingerprints changed: {len(prints)} {digest}")
        if not validate:
            return  # a large tree: its other logs would only cost time
        log = self.log_of(name + " with passes", cwd, ["--include-passes"] + operands, validate)
        if log:
            self.check_run(name + " with passes", cwd, log, records, files, "")
        baseline = self.scratch / f"{name}.jsonl"
        baseline.write_bytes(lines_run.stdout)
        log = self.log_of(name + " held against itself", cwd,
                          ["--baseline", str(baseline)] + operands, validate)
        if log:
            self.check_run(name + " held against itself", cwd, log, records, files, "unchanged")

    def check_run(self, name, cwd, log, records, files, state):
        if len(log["runs"]) != 1:
            return self.fail(name, "not one run")
        run = log["runs"][0]
        driver = run["tool"]["driver"]
        if (driver["name"], driver["version"]) != ("zorvez", self.version):
            self.fail(name, f"driver {driver['name']} {driver['version']}")
        rules = driver["rules"]
        if len({rule["id"] for rule in rules}) != len(rules):
            self.fail(name, "rule ids repeat")
        base = run["originalUriBaseIds"][BASE]["uri"]
        if base != pathlib.Path(cwd).as_uri() + "/":
            self.fail(name, f"base {base}")
        with_passes = name.endswith("with passes")
        shown = [r for r in records if r["record"] != "summary" and (with_passes or not passes(r))]
        results = run["results"]
        if len(results) != len(shown):
            return self.fail(name, f"{len(results)} results for {len(shown)} records")
        prints = [result["partialFingerprints"]["zorvezFinding/v1"] for result in results]
        if len(set(prints)) != len(prints):
            self.fail(name, "two results share a fingerprint")
        summary = dict(records[-1])
        del summary["record"]
        if state:
            summary["baseline"] = {"new": 0, "unchanged": len(results), "gone": 0}
        if run["properties"] != summary:
            self.fail(name, f"properties {run['properties']} against {summary}")
        elements = source_elements(files["source"])
        rows = table_lines(files["table"])
        for result, record in zip(results, shown):
            problem = (self.state_problem(result, record, state) or
                       self.result_problem(result, record, rules, base, files, elements, rows))
            if problem:
                return self.fail(name, f"{problem}\n  result {result}\n  record {record}")

    @staticmethod
    def state_problem(result, record, state):
        if passes(record):
            return None if (result.get("kind"), result["level"]) == ("pass", "none") and \
                "baselineState" not in result else "pass"
        if result.get("baselineState", "") != state:
            return "baseline state"
        suppressed = result.get("suppressions", [])
        return None if bool(suppressed) == (state == "unchanged") else "suppressions"

    def result_problem(self, result, record, rules, base, files, elements, rows):
        rule = rules[result["ruleIndex"]]
        self.rules_seen.add(rule["id"])
        named = rule["properties"]
        hazard = record["record"] == "hazard"
        if rule["id"] != result["ruleId"] or named["record"] != record["record"] or \
                named.get("code" if hazard else "finding") != record.get("code" if hazard else
                                                                         "finding"):
            return "rule"
        if not passes(record):
            level = "error" if hazard or record["verdict"] in FAILING else "warning"
            if result["level"] != level:
                return "level"
        message = result["message"]
        text = rule["messageStrings"][message["id"]]["text"]
        if formatted(text, message["arguments"]) != message["text"]:
            return "message text"
        arguments = message["arguments"]
        if hazard:
            if arguments[0][:1].lower() + arguments[0][1:] != record["message"]:
                return "hazard message"
        elif arguments[:2] != [record["class"]["label"], record["class"]["key"]]:
            return "message arguments"
        if result["partialFingerprints"]["zorvezFinding/v1"] != record["fingerprint"]:
            return "fingerprint"
        [location] = result["locations"]
        return self.location_problem(location["physicalLocation"], record, base, files, elements,
                                     rows)

    @staticmethod
    def location_problem(place, record, base, files, elements, rows):
        hazard = record["record"] == "hazard"
        in_source = record.get("file") == str(files["source"].name) or (
            record.get("file", "").endswith(files["source"].name))
        file = files["source" if (hazard and in_source) or
                     (not hazard and "row" not in record) else "table"]
        artifact = place["artifactLocation"]
        if artifact["uriBaseId"] != BASE or urllib.parse.urljoin(base, artifact["uri"]) != \
                file.as_uri():
            return "uri"
        region = place["region"]
        line = region["startLine"]
        if hazard:
            return None if (line, region.get("startColumn")) == (record["line"],
                                                                 record["column"]) else "place"
        if "row" in record:
            if region["snippet"]["text"] != record["row"]["text"]:
                return "snippet"
            return None if rows[line - 1] == record["row"]["text"] == rows[
                record["row"]["line"] - 1] else "row line"
        if line != record.get("source", {}).get("line"):
            return "source line"
        # The dictionary layer reads "&amp;" in a value once more as "&".
        values = elements.get(line, set())
        values = values | {value.replace("&amp;", "&") for value in values}
        names = {record["attribute"]["label"]} if "attribute" in record else \
            {record["class"]["key"], record["class"]["label"]}
        return None if names <= values else "element line"

    def check_gone(self, examples):
        """The example held against its baseline after Strainer is mapped
        with one attribute: its three red findings are absent, where they
        were (the other attribute is new, without a row)."""
        name = "example v4v5, Strainer mapped since the baseline"
        root, flags, files = example_tree(examples, "v4v5", ("plant_v4.xml", "plant_v5.xml"), [],
                                          self.scratch / "gone")
        operands = flags + ["--"] + [str(path.relative_to(root)) for path in files]
        baseline = self.scratch / "gone.jsonl"
        self.run(root, ["--write-baseline", str(baseline)] + operands)
        with open(files[2], "a", encoding="utf-8") as table:
            table.write("Strainer,Pipe Fitting,*,PipeStrainer,PipingComponent,*,EQT,\n"
                        "Strainer,Pipe Fitting,Mesh Size,PipeStrainer,PipingComponent,MeshSize,\n")
        log = self.log_of(name, root, ["--baseline", str(baseline)] + operands, True)
        if not log:
            return
        absent = [(r["ruleId"], r["locations"][0]["physicalLocation"]["region"]["startLine"])
                  for r in log["runs"][0]["results"] if r.get("baselineState") == "absent"]
        if sorted(absent) != [("ZV101", 36), ("ZV201", 37), ("ZV201", 38)]:
            self.fail(name, f"absent results {absent}")

    def validate(self, multitool, config):
        """sarif-multitool validate on the logs kept; prints its counts per
        file and rule, and fails on an error or warning not ALLOWED."""
        output = self.scratch / "validation.sarif"
        environment = dict(os.environ, DOTNET_SYSTEM_GLOBALIZATION_INVARIANT="1")
        run = subprocess.run([multitool, "validate", "--rule-kind", "Sarif;Ghas", "--level",
                              "Error;Warning;Note", "--config", config, "--output", str(output)] +
                             [str(path) for _, path in self.logs], capture_output=True,
                             env=environment, check=False)
        if not output.is_file():
            return self.fail("sarif-multitool", f"exit {run.returncode}: {run.stdout!r}")
        names = {path.as_uri(): name for name, path in self.logs}
        counts = collections.defaultdict(collections.Counter)
        for result in json.loads(output.read_text())["runs"][0].get("results", []):
            level = result.get("level", "warning")
            uri = result["locations"][0]["physicalLocation"]["artifactLocation"]["uri"]
            message = result["message"]
            counts[names.get(uri, uri)][f"{result['ruleId']} {level}"] += 1
            if level in ("error", "warning") and \
                    (result["ruleId"], message.get("id")) not in ALLOWED:
                self.fail("sarif-multitool", f"{names.get(uri, uri)}: {result['ruleId']} "
                          f"{level}: {message.get('id')} {message.get('arguments')}")
        print(f"sarif-multitool validate ({', '.join(sorted(f'{r} {m}' for r, m in ALLOWED))} "
              "allowed):")
        for name, _ in self.logs:
            found = ", ".join(f"{rule} x{count}" for rule, count in sorted(counts[name].items()))
            print(f"  {name}: {found or 'nothing'}")


def main():
    zorvez, zor_generate, schema_path, multitool, config, examples = sys.argv[1:7]
    for path, how in ((schema_path, "run 'npm ci' in tests/sarif"),
                      (multitool, "run 'npm ci' in tests/sarif and make it executable")):
        if not os.access(path, os.R_OK):
            print(f"{path}: missing; {how} (scripts/run-tests.sh does)")
            return 1
    if not os.access(multitool, os.X_OK):
        print(f"{multitool}: not executable; scripts/run-tests.sh makes it so")
        return 1
    if jsonschema.FormatChecker().conforms("a b", "uri-reference"):
        print("jsonschema checks no URI here: install Debian's python3-rfc3987")
        return 1
    scratch = tempfile.TemporaryDirectory()
    root = pathlib.Path(scratch.name)
    checker = Checker(zorvez, json.loads(pathlib.Path(schema_path).read_text()), root)
    examples = pathlib.Path(examples)
    # The validator is slow (minutes for the large tree's log): it reads the
    # small trees' logs; the schema reads every one.
    trees = [
        ("example v4v5", True, lambda r: example_tree(examples, "v4v5", ("plant_v4.xml",
                                                                         "plant_v5.xml"), [], r)),
        ("example v5v5", True, lambda r: example_tree(
            examples, "v5v5", ("plant_a.xml", "plant_b.xml"), ["--v5"], r)),
        ("hostile names", True, hostile_tree),
        ("untidy generated tree", True, lambda r: generated_tree(
            zor_generate, r, ["--classes", "300", "--attributes", "6", "--seed", "3",
                              "--shape", "hostile"])),
        ("16,000 classes", False, lambda r: generated_tree(
            zor_generate, r, ["--classes", "16000", "--attributes", "20", "--seed", "1"])),
    ]
    for i, (name, validate, make) in enumerate(trees):
        folder = root / str(i)
        folder.mkdir()
        cwd, flags, files = make(folder / "tree")
        checker.check_tree(name, cwd, flags, files, validate)
    checker.check_gone(examples)
    # Between them the trees show nearly every kind of finding and hazard.
    if len(checker.rules_seen) < 20:
        checker.fail("all trees", f"only {sorted(checker.rules_seen)} seen")
    checker.validate(multitool, config)
    for problem in checker.problems:
        print(problem)
    failed = len(checker.problems)
    print(f"{len(trees) - min(failed, len(trees))} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
