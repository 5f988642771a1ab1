#!/usr/bin/python3
"""Denoise Medium against sox noisered (its 0.5 s profile pass and the reduction), CPU time
on one core (taskset), over the speed table's two files: the 36 noisy speech cases of
quality.py in one file (166 s) and 10 minutes of pink noise. The programs take turns, run
after run, so that the load of a shared machine falls on all alike; medians and the fastest
run of each. A second build folder is timed in the same turns (before and after a change).

    bench/companion/quality/speed_bench.py BUILD_DIR [OTHER_BUILD_DIR] [RUNS]
"""
import os
import shutil
import statistics
import sys
import tempfile

import numpy as np

import quality as q


def speech_in_noise(work):
    """The cases of quality.py's first table, in its order, in one file."""
    cleans = [q.speak(v, t, work, 'clean%d' % i) for i, (v, t) in enumerate(q.SENTENCES)]
    talkers = [q.speak(v, t, work, 'babble%d' % i) for i, (v, t) in enumerate(q.BABBLE)]
    lead = int(q.LEAD_IN * q.RATE)
    cases = []
    for speech in cleans:
        clean = np.concatenate([np.zeros(lead), speech, np.zeros(lead // 2)])
        babble = sum(np.resize(t, len(clean)) for t in talkers)
        for noise in q.noises(len(clean), work, babble).values():
            cases += [q.mix(clean, noise, snr)[1] for snr in q.SNRS]
    return np.concatenate(cases)


def main():
    args = [a for a in sys.argv[1:]]
    runs = int(args.pop()) if args and args[-1].isdigit() else 7
    builds = [os.path.abspath(b) for b in args] or [os.path.join(q.ROOT, 'build')]
    work = tempfile.mkdtemp(prefix='qv-speed-')
    try:
        dens = [q.Denoisers(b, work) for b in builds]
        for den in dens:
            den.pin = ['taskset', '-c', '0']
        files = {'speech in noise': speech_in_noise(work), '10 min pink noise': q.pink_noise(600)}
        for label, signal in files.items():
            src = os.path.join(work, 'timed.wav')
            q.write(src, signal)
            names = ['sox noisered 0.21'] + ['qv Denoise Medium (%s)' % b for b in builds]
            times = {name: [] for name in names}
            for _ in range(runs):
                for name, den in zip(names, [dens[0]] + dens):
                    before = q.cpu_seconds()
                    den.run(name if name.startswith('sox') else 'qv Denoise Medium', src)
                    times[name].append(q.cpu_seconds() - before)
            seconds = len(signal) / q.RATE
            print('%s (%.0f s), CPU s on one core over %d alternating runs:' % (label, seconds, runs))
            sox = statistics.median(times[names[0]])
            for name in names:
                median = statistics.median(times[name])
                print('  %-60s median %.3f (%.0fx real time, %.2fx sox), fastest %.3f'
                      % (name, median, seconds / median, sox / median, min(times[name])))
    finally:
        shutil.rmtree(work)


if __name__ == '__main__':
    main()
