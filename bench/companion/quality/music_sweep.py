#!/usr/bin/python3
"""Denoise Medium on music wider than quality.py's five phrases: every sixth General MIDI
program up to 120 (126, applause, is itself noise), rendered by fluidsynth with
fluid-soundfont-gm, playing a melody over held chords, under white hiss
(two draws) and pink hiss, 30 and 40 dB down. Each cell is the output's SI-SDR against the
clean music minus the input's: below zero the tool did the music more harm than the hiss did.
With a second build the two run side by side on the same files.

    bench/companion/quality/music_sweep.py BUILD_DIR [OTHER_BUILD_DIR]
"""
import os
import shutil
import sys
import tempfile

import numpy as np
import soundfile as sf

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import quality as q  # noqa: E402

FONT = '/usr/share/sounds/sf2/FluidR3_GM.sf2'
MELODY = [(i * 0.5, 0.5, k) for i, k in enumerate([60, 64, 67, 72, 71, 67, 64, 62] * 2)]
CHORDS = [(b, 4, k) for b, root in ((0, 48), (4, 53), (8, 55), (12, 48))
          for k in (root, root + 4, root + 7)]
HISS = [('whitenoise', 11), ('whitenoise', 12), ('pinknoise', 11)]
LEVELS = (30, 40)
PROGRAMS = range(0, 126, 6)


def denoised(qv, noisy, work):
    src = os.path.join(work, 'sweep_in.wav')
    q.write(src, noisy)
    return q.qv_process(qv, src, work, 'false,false,true', '0,0,1')[0]


def program(number, work):
    mid = os.path.join(work, 'sweep.mid')
    wav = os.path.join(work, 'sweep.wav')
    q.midi_file(mid, number, MELODY + CHORDS)
    q.run(['fluidsynth', '-ni', '-g', '0.6', '-r', str(q.RATE), '-F', wav, FONT, mid])
    x = sf.read(wav, dtype='float64')[0]
    x = x.mean(axis=1) if x.ndim > 1 else x
    return x[:int(8.5 * q.RATE)]


def main():
    if len(sys.argv) < 2 or not os.path.exists(FONT):
        sys.exit(__doc__ if len(sys.argv) < 2 else 'no %s: scripts/setup.sh --bench' % FONT)
    builds = sys.argv[1:3]
    qvs = [os.path.join(b, 'companion', 'orvendal-qv') for b in builds]
    work = tempfile.mkdtemp(prefix='music_sweep_')
    try:
        columns = ['%s %d dB' % (kind.replace('noise', '') + ('' if seed == 11 else ' 2'), snr)
                   for kind, seed in HISS for snr in LEVELS]
        print('SI-SDR out minus in, dB (%s)' % ' | '.join(builds))
        print('| program | ' + ' | '.join(columns) + ' |')
        print('|---|' + '---|' * len(columns))
        worst = [[np.inf] * len(columns) for _ in qvs]
        below = [0] * len(qvs)
        for number in PROGRAMS:
            music = program(number, work)
            cells = [[] for _ in qvs]
            for kind, seed in HISS:
                hiss = q.sox_noise(kind, len(music) / q.RATE + 0.1, work, seed)[:len(music)]
                for snr in LEVELS:
                    ref, noisy = q.mix(music, hiss, snr)
                    base = q.si_sdr(noisy, ref)
                    for b, qv in enumerate(qvs):
                        out = q.align(denoised(qv, noisy, work), ref)
                        cells[b].append(q.si_sdr(out, ref) - base)
            for b in range(len(qvs)):
                worst[b] = [min(w, c) for w, c in zip(worst[b], cells[b])]
                # A file left as it was comes back within the alignment's rounding of its
                # input (it prints as -0.0): only what prints as a loss counts.
                below[b] += min(cells[b]) < -0.05
            print('| %d | ' % number + ' | '.join(
                ' / '.join('%+.1f' % cells[b][c] for b in range(len(qvs)))
                for c in range(len(columns))) + ' |', flush=True)
        print('| worst | ' + ' | '.join(
            ' / '.join('%+.1f' % worst[b][c] for b in range(len(qvs)))
            for c in range(len(columns))) + ' |')
        print('programs left below their input somewhere: ' + ' / '.join(str(n) for n in below)
              + ' of %d' % len(PROGRAMS))
    finally:
        shutil.rmtree(work, ignore_errors=True)


if __name__ == '__main__':
    main()
