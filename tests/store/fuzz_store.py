#!/usr/bin/env python3
"""Loads a few hundred damaged copies of a real store, each in a program of its own.

    fuzz_store.py <store_helper> <sample store> [cases per kind] [seed]

Every run must end normally with tables of a possible shape, save without
losing what it loaded, and load every value whose line the damage left intact.
"""
import os
import random
import subprocess
import sys
import tempfile
from urllib.parse import unquote_to_bytes

helper, sample_path = sys.argv[1], sys.argv[2]
per_kind = int(sys.argv[3]) if len(sys.argv) > 3 else 30
rng = random.Random(int(sys.argv[4]) if len(sys.argv) > 4 else 11)
sample = open(sample_path, 'rb').read()


def edit_line(content, change):
    """Replaces one line, picked at random, by the lines change(line) gives."""
    lines = content.split(b'\n')
    at = rng.randrange(len(lines))
    lines[at:at + 1] = change(lines[at])
    return b'\n'.join(lines)


def new_value(value):
    return lambda line: [line.split(b'=', 1)[0] + b'=' + value]


def insert_at_random(text, inserted):
    at = rng.randrange(len(text) + 1)
    return text[:at] + inserted + text[at:]


def change_byte(content, change):
    at = rng.randrange(len(content))
    return content[:at] + bytes([change(content[at])]) + content[at + 1:]


def escaped(data):
    return b'@ByteArray(' + b''.join(b'\\x%x' % byte for byte in data) + b')'


WRONG_VALUES = [b'Ann, Bea', b'@ByteArray(Ann)', b'5', b'@Invalid()', b'@Rect(1 2 3 4)', b'"', b'@String(x)',
                b'@ByteArray(' + b'\\0' * 39 + b')', escaped(b'\xff' * 40), b'\\x12345', b'"a" "b']
VARIANTS = [b'@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)', b'@Variant(\\0\\0\\0\\xc\\0\\0\\0(' + b'\\x1' * 40 + b')',
            b'@Variant(', b'a, @Variant(\\0\\0\\0\\x7f)', b'@DateTime(\\0\\0\\0\\x1)']
KINDS = {
    'flipped bit': lambda b: change_byte(b, lambda byte: byte ^ (1 << rng.randrange(8))),
    'random byte': lambda b: change_byte(b, lambda byte: rng.randrange(256)),
    'cut file': lambda b: b[:rng.randrange(len(b))],
    'doubled line': lambda b: edit_line(b, lambda line: [line, line]),
    'huge byte array': lambda b: edit_line(b, new_value(b'@ByteArray(' + b'A' * rng.choice([41, 1000, 70000, 3_000_000])
                                                        + b')')),
    'wrong type': lambda b: edit_line(b, new_value(rng.choice(WRONG_VALUES))),
    'invalid UTF-8': lambda b: edit_line(b, lambda line: [line + rng.choice([b'\xeb', b'\xc3', b'\xff\xfe', b'\xe2\x82'])]),
    '@Variant value': lambda b: edit_line(b, new_value(rng.choice(VARIANTS))),
    'trailing backslash': lambda b: edit_line(b, lambda line: [line + b'\\']),
    'unbalanced quote': lambda b: edit_line(b, lambda line: [insert_at_random(line, b'"')]),
    'line ends, BOM, junk': lambda b: rng.choice([b.replace(b'\n', b'\r\n'), b'\xef\xbb\xbf' + b,
                                                 b.replace(b'\n', b'\njunk\n', 1), b.replace(b'\n', b'\r')]),
}


def load(content):
    with tempfile.NamedTemporaryFile(suffix='.conf', delete=False) as file:
        file.write(content)
    try:
        run = subprocess.run([helper, 'load', file.name], capture_output=True, timeout=60)
    finally:
        os.unlink(file.name)
    places = {}
    for line in run.stdout.splitlines():
        mode, size, place, value, *name = line.split(b' ')
        places[(int(mode), int(size), int(place))] = (int(value), unquote_to_bytes(b''.join(name)))
    return run.returncode, places


def intact_keys(content):
    """Keys of group [1.0] whose lines are exactly as in the sample, and given once."""
    lines = content.removeprefix(b'\xef\xbb\xbf').replace(b'\r\n', b'\n').replace(b'\r', b'\n').split(b'\n')
    group, seen = None, {}
    for line in lines:
        if line.lstrip(b' \t').startswith(b'['):
            group = line
        elif group == b'[1.0]' and b'=' in line:
            seen.setdefault(line.split(b'=', 1)[0].strip(), set()).add(line)
    return {key for key, found in seen.items() if len(found) == 1 and found <= sample_lines}


sample_lines = set(sample.split(b'\n'))
code, baseline = load(sample)
assert code == 0 and len(baseline) == 80, f'the sample itself does not load: {code}'
failures, cases = [], 0
for kind, mutate in KINDS.items():
    for _ in range(per_kind):
        content, cases = mutate(sample), cases + 1
        code, places = load(content)
        problem = f'exit code {code}' if code != 0 else 'not 80 places' if len(places) != 80 else None
        intact = intact_keys(content)
        for (mode, size, place), (value, name) in baseline.items():
            results_intact = b'%dSTATS%dVAL' % (mode, size) in intact
            if problem is None and results_intact and places[(mode, size, place)][0] != value:
                problem = f'result {mode} {size} {place} was intact and not loaded'
            if problem is None and results_intact and b'%dSTATS%d_%d' % (mode, size, place) in intact \
                    and places[(mode, size, place)][1] != name:
                problem = f'name {mode} {size} {place} was intact and not loaded'
        if problem:
            failures.append(f'{kind}: {problem}: {content[:300]!r}')
print(f'{cases} damaged stores loaded, {len(failures)} failed')
for failure in failures[:20]:
    print(failure)
sys.exit(1 if failures else 0)
