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
sample_lines = set(sample.split(b'\n'))


def edit_line(content, change):
    """Replaces one line, picked at random, by the lines change(line) gives."""
    lines = content.split(b'\n')
    at = rng.randrange(len(lines))
    lines[at:at + 1] = change(lines[at])
    return b'\n'.join(lines)


def new_value(values):
    return lambda line: [line.split(b'=', 1)[0] + b'=' + rng.choice(values)]


def change_byte(content, change):
    at = rng.randrange(len(content))
    return content[:at] + bytes([change(content[at])]) + content[at + 1:]


HUGE = [b'@ByteArray(' + b'A' * size + b')' for size in (41, 1000, 70000, 3_000_000)]
WRONG_TYPES = [b'Ann, Bea', b'@ByteArray(Ann)', b'5', b'@Invalid()', b'@Rect(1 2 3 4)', b'"', b'@String(x)',
               b'@ByteArray(' + b'\\0' * 39 + b')', b'@ByteArray(' + b'\\xff' * 40 + b')', b'\\x12345', b'"a" "b']
VARIANTS = [b'@Variant(\\0\\0\\0\\t\\x7f\\xff\\xff\\xff)', b'@Variant(\\0\\0\\0\\xc\\0\\0\\0(' + b'\\x1' * 40 + b')',
            b'@Variant(', b'a, @Variant(\\0\\0\\0\\x7f)', b'@DateTime(\\0\\0\\0\\x1)']
# Serialised byte arrays whose stated length is 0, 1, 2^31-1 and 2^32-1, and escapes past any character.
AWKWARD_LENGTHS = [b'@Variant(\\0\\0\\0\\xc' + length + b')' for length in
                   (b'\\0\\0\\0\\0', b'\\0\\0\\0\\x1', b'\\x7f\\xff\\xff\\xff', b'\\xff\\xff\\xff\\xff')]
AWKWARD_LENGTHS += [b'\\x' + b'f' * 40, b'\\777777777', b'@ByteArray(' + b'\\x' + b'1' * 9 + b')']


def doubled_stretch(content):
    lines = content.split(b'\n')
    at = rng.randrange(len(lines))
    return b'\n'.join(lines[:at] + lines[at:at + rng.randrange(1, 12)] * 2 + lines[at:])


KINDS = {
    'awkward length': lambda b: edit_line(b, new_value(AWKWARD_LENGTHS)),
    'doubled stretch': doubled_stretch,
    'group given again': lambda b: b + b'\n[1.0]\n' + rng.choice(sample.split(b'\n')[1:]).replace(b'=', b'=@ByteArray(x)', 1),
    'NUL bytes': lambda b: edit_line(b, lambda line: [line[:(at := rng.randrange(len(line) + 1))] + b'\0' * rng.randrange(1, 5)
                                                      + line[at:]]),
    'line past any value': lambda b: edit_line(b, lambda line: [line + b'A' * rng.choice([65535, 65536, 65537, 300000])]),
    'flipped bit': lambda b: change_byte(b, lambda byte: byte ^ (1 << rng.randrange(8))),
    'random byte': lambda b: change_byte(b, lambda byte: rng.randrange(256)),
    'cut file': lambda b: b[:rng.randrange(len(b))],
    'doubled line': lambda b: edit_line(b, lambda line: [line, line]),
    'huge byte array': lambda b: edit_line(b, new_value(HUGE)),
    'wrong type': lambda b: edit_line(b, new_value(WRONG_TYPES)),
    '@Variant value': lambda b: edit_line(b, new_value(VARIANTS)),
    'invalid UTF-8': lambda b: edit_line(b, lambda line: [line + rng.choice([b'\xeb', b'\xc3', b'\xff\xfe', b'\xe2\x82'])]),
    'trailing backslash': lambda b: edit_line(b, lambda line: [line + b'\\']),
    'unbalanced quote': lambda b: edit_line(b, lambda line: [line[:(at := rng.randrange(len(line) + 1))] + b'"'
                                                             + line[at:]]),
    'line ends, BOM, junk': lambda b: rng.choice([b.replace(b'\n', b'\r\n'), b'\xef\xbb\xbf' + b,
                                                 b.replace(b'\n', b'\njunk\n', 1), b.replace(b'\n', b'\r')]),
}


def load(path, content):
    """The helper's exit code and tables, {(mode, size, place): (value, name)}, for a store holding content."""
    with open(path, 'wb') as file:
        file.write(content)
    run = subprocess.run([helper, 'load', path], capture_output=True, timeout=60)
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


with tempfile.TemporaryDirectory() as folder:
    path = os.path.join(folder, 'store.conf')
    code, baseline = load(path, sample)
    assert code == 0 and len(baseline) == 80, f'the sample itself does not load: {code}'
    failures, cases = [], 0
    for kind, mutate in KINDS.items():
        for _ in range(per_kind):
            content, cases = mutate(sample), cases + 1
            code, places = load(path, content)
            intact = intact_keys(content)
            # A place whose results line is intact keeps its result, and its name when that line is intact too.
            lost = [key for key, (value, name) in baseline.items() if len(places) == 80
                    and b'%dSTATS%dVAL' % key[:2] in intact and (places[key][0] != value or (
                        b'%dSTATS%d_%d' % key in intact and places[key][1] != name))]
            # Results 0..32767; names of at most 24 characters, each one byte in the code page they are kept in.
            impossible = [key for key, (value, name) in places.items()
                          if not 0 <= value <= 32767 or len(name.decode('utf-8', 'replace')) > 24]
            if code != 0 or len(places) != 80 or lost or impossible:
                failures.append(f'{kind}: exit code {code}, {len(places)} places, lost {lost}, '
                                f'impossible {impossible}: {content[:300]!r}')
print(f'{cases} damaged stores loaded, {len(failures)} failed')
print(*failures[:20], sep='\n')
sys.exit(1 if failures else 0)
