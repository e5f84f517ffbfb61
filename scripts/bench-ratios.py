#!/usr/bin/env python3
# Runs a benchmark program several times and prints, for each benchmark,
# the lowest and the median CPU time and the lowest wall time, so that two
# benchmarks measured side by side can be compared as a ratio.
#
#   scripts/bench-ratios.py build/bench/bench/menu_bench Render 7
#
# llvmpipe is told to rasterise in the measuring thread (LP_NUM_THREADS=0),
# so CPU time covers the whole frame, and glibc to keep the memory Mesa
# frees each frame (otherwise the page faults of giving it back and taking
# it again vary a run by a third).
import collections
import json
import os
import subprocess
import sys

binary, pattern, repetitions = sys.argv[1], sys.argv[2], sys.argv[3]
env = dict(os.environ, LP_NUM_THREADS='0',
           GLIBC_TUNABLES='glibc.malloc.mmap_threshold=1073741824:glibc.malloc.trim_threshold=2147483647:'
                          'glibc.malloc.top_pad=268435456')
out = subprocess.run([binary, '--benchmark_filter=' + pattern, '--benchmark_repetitions=' + repetitions,
                      '--benchmark_min_time=0.5', '--benchmark_format=json'],
                     capture_output=True, text=True, env=env, check=True).stdout
runs = collections.defaultdict(list)
for row in json.loads(out)['benchmarks']:
    if row.get('run_type') == 'iteration':
        runs[row['run_name']].append((row['cpu_time'], row['real_time']))
for name, times in runs.items():
    cpu = sorted(t[0] for t in times)
    print('%-40s cpu min %9.1f  median %9.1f  real min %9.1f' % (name, cpu[0], cpu[len(cpu) // 2],
                                                                  min(t[1] for t in times)))
