#!/usr/bin/env python3
"""Fails when an include points up the order of folders that CONTRIBUTING.md states.

Each quoted include of the code (tests, benchmarks and fuzz harnesses excepted) is resolved to the file it
names; the file and the header each belong to the deepest folder of the order that holds them. An include
whose header lies in a folder higher in the order than the including file's folder is reported with the file,
the line, the include and both folders' places in the order.
"""
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
INCLUDE_ROOTS = [os.path.join(ROOT, 'libs', 'cpp'), ROOT]
CHECKED = ['libs', 'scripting', 'app', 'resources']
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"')


def read_order():
    text = open(os.path.join(ROOT, 'CONTRIBUTING.md'), encoding='utf-8').read()
    block = re.search(r'<!-- layers -->\s*```\s*\n(.*?)```', text, re.S)
    if not block:
        sys.exit('check_layers: CONTRIBUTING.md has no block of layers')
    return [line.strip() for line in block.group(1).splitlines() if line.strip()]


def folder_of(path, order):
    relative = os.path.relpath(path, ROOT).replace(os.sep, '/')
    best = None
    for folder in order:
        if relative == folder or relative.startswith(folder + '/'):
            if best is None or len(folder) > len(best):
                best = folder
    return best


def resolve(include, including):
    for base in [os.path.dirname(including)] + INCLUDE_ROOTS:
        candidate = os.path.normpath(os.path.join(base, include))
        if os.path.isfile(candidate):
            return candidate
    return None


def main():
    order = read_order()
    place = {folder: index for index, folder in enumerate(order)}
    problems = []
    for top in CHECKED:
        for directory, _, files in os.walk(os.path.join(ROOT, top)):
            for name in sorted(files):
                if not name.endswith(('.h', '.cpp')):
                    continue
                path = os.path.join(directory, name)
                source = folder_of(path, order)
                if source is None:
                    problems.append('%s: lies in no folder of the order' % os.path.relpath(path, ROOT))
                    continue
                for number, line in enumerate(open(path, encoding='utf-8', errors='replace'), 1):
                    match = INCLUDE.match(line)
                    if not match:
                        continue
                    header = resolve(match.group(1), path)
                    target = folder_of(header, order) if header else None
                    if target is not None and place[target] > place[source]:
                        problems.append('%s:%d: "%s" points up: %s (%d) includes %s (%d)' % (
                            os.path.relpath(path, ROOT), number, match.group(1), source, place[source] + 1,
                            target, place[target] + 1))
    if problems:
        print('\n'.join(problems))
        print('%d include(s) against the order of folders in CONTRIBUTING.md (lowest is 1)' % len(problems))
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main())
