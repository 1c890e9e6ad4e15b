#!/usr/bin/env python3
"""Every shipped definition on inputs nobody plans for: one unit repeated, a word then spaces, a
quote then letters, and so on, SIZE units each (100000 unless given). Prints the slowest
conversions (whole process `lumivar-hlx format DEF FILE > /dev/null`, cut at 20 s).

    python3 bench/pathological.py BIN_DIR [SIZE] [COUNT]
"""
import glob
import os
import subprocess
import sys
import tempfile
import time

if len(sys.argv) < 2:
    sys.exit(__doc__)
tool = os.path.join(sys.argv[1], 'lumivar-hlx')
n = int(sys.argv[2]) if len(sys.argv) > 2 else 100000
count = int(sys.argv[3]) if len(sys.argv) > 3 else 15
hlx = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'hlx')

repeated = {'spaces': ' ', 'a': 'a', 'dq': '"', 'sq': "'", 'slash': '/', 'lt': '<', 'hash': '#', 'bs': '\\',
            'colon': ':', 'dash': '-', 'tabs': '\t', 'digits': '1', 'dot': '.', 'star': '*', 'eq': '=',
            'dollar': '$', 'brace': '{', 'paren': '(', 'backtick': '`', 'at': '@', 'pct': '%', 'amp': '&',
            'bang': '!', 'tilde': '~'}
inputs = {name: unit * n for name, unit in repeated.items()}
inputs.update({'x_sp_y': 'x' + ' ' * n + 'y', 'k_sp_colon': 'k' + ' ' * n + ':', 'a_sp': 'a ' * (n // 2),
               'lt_a': '<a' * (n // 2), 'words_lines': ('w ' * 50 + '\n') * (n // 101),
               'dq_a': '"' + 'a' * n, 'sq_a': "'" + 'a' * n})

with tempfile.TemporaryDirectory() as work:
    for name, text in inputs.items():
        with open(os.path.join(work, name), 'w') as f:
            f.write(text)
    times = []
    for definition in sorted(glob.glob(os.path.join(hlx, '*.hlx'))):
        if os.path.islink(definition):
            continue
        for name in inputs:
            start = time.perf_counter()
            try:
                subprocess.run([tool, 'format', definition, os.path.join(work, name)], stdout=subprocess.DEVNULL,
                               stderr=subprocess.DEVNULL, timeout=20)
                seconds = time.perf_counter() - start
            except subprocess.TimeoutExpired:
                seconds = float('inf')
            times.append((seconds, os.path.basename(definition), name))
times.sort(reverse=True)
print(f'{len(times)} conversions of {n} units; the slowest:')
for seconds, definition, name in times[:count]:
    print(f'{seconds:7.3f} s  {definition}  {name}')
