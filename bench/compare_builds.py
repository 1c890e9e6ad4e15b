#!/usr/bin/env python3
"""Two builds of lumivar-hlx on the corpora of bench/languages.sh, run in turns so that the load of
the machine falls on both alike: for each definition the median wall time of RUNS runs of each and
the MB/s (4 MiB of input), one Markdown row.

    python3 bench/compare_builds.py OLD_BIN_DIR NEW_BIN_DIR [RUNS] [DEF,DEF,...] [--corpus DIR]
"""
import atexit
import glob
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

args = [a for a in sys.argv[1:] if not a.startswith('--corpus')]
corpus = next((a.split('=', 1)[1] for a in sys.argv[1:] if a.startswith('--corpus=')), '/tmp/lumivar-corpus')
if len(args) < 2:
    sys.exit(__doc__)
old, new = (os.path.join(d, 'lumivar-hlx') for d in args[:2])
runs = int(args[2]) if len(args) > 2 else 9
hlx = os.path.join(os.path.dirname(os.path.abspath(__file__)), '..', 'hlx')
langs = args[3].split(',') if len(args) > 3 else sorted(os.path.basename(f)[:-4] for f in glob.glob(corpus + '/*.txt'))


# Each build finds its own component modules through a registry of its own: through a shared one,
# one build's process would load the other's modules and libraries beside its own.
registries = tempfile.mkdtemp()
atexit.register(shutil.rmtree, registries, True)


def seconds(binary, lang):
    env = dict(os.environ, TAVREL_REGISTRY=os.path.join(registries, f'{binary == old}.db'))
    start = time.perf_counter()
    subprocess.run([binary, 'format', f'{hlx}/{lang}.hlx', f'{corpus}/{lang}.txt'],
                   stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, env=env)
    return time.perf_counter() - start


for binary in (old, new):  # registers each build's modules before anything is timed
    seconds(binary, langs[0])
print('| definition | before: ms / MB/s | after: ms / MB/s | change |\n|---|---|---|---|')
for lang in langs:
    if not os.path.exists(f'{hlx}/{lang}.hlx'):
        continue
    times = {old: [], new: []}
    for _ in range(runs):
        for binary in (old, new):
            times[binary].append(seconds(binary, lang))
    a, b = statistics.median(times[old]), statistics.median(times[new])
    size = os.path.getsize(f'{corpus}/{lang}.txt') / 1e6
    print(f'| {lang} | {a * 1000:.1f} / {size / a:.1f} | {b * 1000:.1f} / {size / b:.1f} | {(b / a - 1) * 100:+.1f}% |', flush=True)
