#!/usr/bin/env python3
"""Validates what quillax writes as JSON against docs/object.schema.json: convert's object form (and
that it reads back to the same bytes), info --json with and without --points, and check --json, over the
sample, an object with non-finite values, NaN payloads and a tail, and a file that fails.

Usage: json_schema_test.py QUILLAX SOURCE_DIR"""
import json
import os
import struct
import subprocess
import sys
import tempfile

import jsonschema

QUILLAX, SOURCE = sys.argv[1], sys.argv[2]
SCHEMA = json.load(open(os.path.join(SOURCE, "docs", "object.schema.json")))
jsonschema.Draft202012Validator.check_schema(SCHEMA)
failures = 0
passed = 0


def validator(definition):
    schema = dict(SCHEMA)
    if definition:
        schema["$ref"] = "#/$defs/" + definition
    return jsonschema.Draft202012Validator(schema)


def run(*arguments, stdin=None, status=0):
    done = subprocess.run([QUILLAX, *arguments], input=stdin, capture_output=True)
    if done.returncode != status:
        sys.exit(f"quillax {' '.join(arguments)}: status {done.returncode}: {done.stderr.decode()}")
    return done.stdout


def check(name, instance, definition=None):
    global failures, passed
    errors = list(validator(definition).iter_errors(instance))
    for error in errors:
        print(f"FAIL {name}: {error.message} at {list(error.absolute_path)}")
    failures += bool(errors)
    passed += not errors


def odd_object():
    words = struct.pack("<IIIf", 0x7FC00001, 0xFF800000, 0x7F800000, 1e-45)
    out = struct.pack("<IIfh", 0x003A7ADE, 0xFFC00001, -0.0, 2)
    out += words[:12] + struct.pack("<IHh", 0xDEADBEEF, 0xCAFE, 2) + struct.pack("<4f", 1, 2, 3, 4)
    out += struct.pack("<fffIHh", 0.5, 0.25, 1, 0, 0, 3) + words[12:] + struct.pack("<5f", 0, 1, 2, 3, 4)
    return out + b"tail\x00\xff"


with tempfile.TemporaryDirectory() as folder:
    odd = os.path.join(folder, "odd.lin")
    open(odd, "wb").write(odd_object())
    broken = os.path.join(folder, "broken.lin")
    open(broken, "wb").write(odd_object()[:30])
    files = [os.path.join(SOURCE, "Assets", "PlayerTopb.lin"), odd]
    for path in files:
        written = run("convert", path, "-", "--to", "json")
        check(f"convert {path}", json.loads(written))
        back = run("convert", "-", "-", "--from", "json", "--to", "lin", stdin=written)
        if back != open(path, "rb").read():
            print(f"FAIL convert {path}: its JSON does not give back the same bytes")
            failures += 1
        for element in json.loads(run("info", "--json", "--points", path)):
            check(f"info element of {path} as an object", element)
    check("info --json --points", json.loads(run("info", "--json", "--points", *files)), "infoOutput")
    check("info --json", json.loads(run("info", "--json", *files)), "infoOutput")
    check("check --json", json.loads(run("check", "--json", *files, broken, status=1)), "checkOutput")
    by_hand = {"meshes": [{"points": [[0, 0], [10, 5]]}, {"colour": {"red": 1, "green": 0, "blue": 0},
                                                          "extraValue": 7, "points": [[1, 1], [2, 2]]}]}
    check("an object written by hand", by_hand)
    run("convert", "-", os.path.join(folder, "hand.lin"), "--from", "json", stdin=json.dumps(by_hand).encode())
    # The schema refuses what convert refuses.
    for wrong in ({"meshes": []}, {"meshes": [{"points": [[0, 0]]}]}, {"meshes": [{"colur": {}, "points": [[0, 0], [1, 1]]}]},
                  {"meshes": [{"points": [[0, 0], [1, "nan"]]}]}):
        if validator(None).is_valid(wrong):
            print(f"FAIL the schema takes {wrong}")
            failures += 1
        else:
            passed += 1
        run("convert", "-", "-", "--from", "json", "--to", "lin", stdin=json.dumps(wrong).encode(), status=1)

print(f"{passed} passed, {failures} failed")
sys.exit(1 if failures else 0)
