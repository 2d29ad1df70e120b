#!/usr/bin/env python3
"""Scores `zorvez suggest` on a table with class blocks removed.

The removed rows are the truth: a removed class row names the target class
the class maps to, a removed attribute row the target attribute. Only rows
that say something sure count:

- a class row naming a target class the target dictionary has: the pair to
  find; naming one it lacks (a class still to be created): nothing in the
  target fits, so any accepted suggestion is wrong; "No Mapping", an empty or
  a domain code as target: the user's choice, not judged;
- an attribute row of such a class, naming the class row's target class and
  an attribute that class has: the pair to find; naming an attribute the
  class lacks: nothing fits; rows naming another class, rows left open and
  "No Mapping" rows: not judged.

An attribute pair is "label-carrying" when the target attribute's label is
the source attribute's own (compared without case, blanks and
punctuation). Prints precision and recall of the accepted suggestions per
kind, as one JSON object (with --json) or as text.

  score_table_suggestions.py FULL.csv PARTIAL.csv TARGET.xml SUGGEST.jsonl [--json]
"""
import json
import re
import sys
import xml.etree.ElementTree as ElementTree

NO_TARGET_CODES = {"", "PIP", "EQT", "INS", "TUB", "HVA", "CND", "RWY", "HGR", "*"}


def fold(text):
    return re.sub(r"[^0-9a-z]+", "", text.lower())


def read_rows(path):
    with open(path, encoding="utf-8", newline="") as f:
        return [line.rstrip("\r\n").split(",") for line in f]


def column(row, n):
    """Column n (from 0) as plain text: the table writes "&" as "&amp;" or not."""
    return row[n].replace("&amp;", "&") if n < len(row) else ""


def blocks(rows):
    """Class rows with the attribute rows that follow them."""
    out, current = [], None
    for row in rows:
        if column(row, 2) == "*":
            current = (row, [])
            out.append(current)
        elif current is not None:
            current[1].append(row)
    return out


def read_target(path):
    classes = {}
    for node in ElementTree.parse(path).getroot().iter("Class"):
        attributes = {}
        for simple in node.findall("Simple"):
            attributes.setdefault(simple.get("Name", ""), simple.get("DisplayName", ""))
        classes.setdefault(node.get("Name", ""), attributes)
    return classes


def truth(full_rows, partial_rows, target):
    kept = {(column(r, 0), column(r, 1)) for r in partial_rows if column(r, 2) == "*"}
    partial_block_keys = {tuple(r) for r in partial_rows}
    classes, attributes = {}, {}
    for class_row, attribute_rows in blocks(full_rows):
        if tuple(class_row) in partial_block_keys:
            continue
        source = (column(class_row, 0), column(class_row, 1))
        if source in kept or source in classes:
            continue  # the class still has a row, or was judged already
        line = ",".join(class_row)
        wanted = column(class_row, 3)
        if "No Map" in line or wanted in NO_TARGET_CODES:
            continue
        classes[source] = wanted if wanted in target else None
        if wanted not in target:
            continue
        for row in attribute_rows:
            label = column(row, 2)
            if "No Map" in ",".join(row) or column(row, 3) != wanted or (source + (label,)) in attributes:
                continue
            key = column(row, 5)
            if key == "":
                continue
            if key in target[wanted]:
                carries = fold(target[wanted][key]) == fold(label)
                attributes[source + (label,)] = ((wanted, key), carries)
            else:
                attributes[source + (label,)] = (None, False)
    return classes, attributes


def read_suggestions(path):
    classes, attributes = {}, {}
    with open(path, encoding="utf-8") as f:
        for line in f:
            record = json.loads(line)
            if record.get("record") != "suggestion":
                continue
            source = (record["class"]["label"], record["class"]["parent"])
            if record["for"] == "class":
                classes[source] = record["accepted"]
            else:
                accepted = record["accepted"]
                pair = (accepted["class"], accepted["key"]) if accepted else None
                attributes[source + (record["attribute"]["label"],)] = pair
    return classes, attributes


def score(truths, suggested):
    """Items the comparison does not ask about (a row of the class is left
    elsewhere in the table, or the row names no class of the dictionary)
    are not judged."""
    accepted = correct = wanted = 0
    truths = {item: target for item, target in truths.items() if item in suggested}
    for item, target in truths.items():
        if target is not None:
            wanted += 1
        got = suggested[item]
        if got is None:
            continue
        accepted += 1
        correct += got == target
    return {
        "pairs": wanted,
        "judged": len(truths),
        "accepted": accepted,
        "correct": correct,
        "precision": correct / accepted if accepted else 1.0,
        "recall": correct / wanted if wanted else 1.0,
    }


def main(argv):
    if len(argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    full, partial = read_rows(argv[1]), read_rows(argv[2])
    target = read_target(argv[3])
    class_truth, attribute_truth = truth(full, partial, target)
    class_suggested, attribute_suggested = read_suggestions(argv[4])
    carrying = {k: v[0] for k, v in attribute_truth.items() if v[1]}
    result = {
        "classes": score(class_truth, class_suggested),
        "attributes": score({k: v[0] for k, v in attribute_truth.items()}, attribute_suggested),
        "label_carrying": score(carrying, attribute_suggested),
    }
    if "--json" in argv:
        print(json.dumps(result))
        return 0
    for kind, figures in result.items():
        print("%-15s pairs %6d judged %6d accepted %6d correct %6d  P %.3f  R %.3f" % (
            kind, figures["pairs"], figures["judged"], figures["accepted"], figures["correct"],
            figures["precision"], figures["recall"]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
