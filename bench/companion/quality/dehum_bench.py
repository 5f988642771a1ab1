#!/usr/bin/python3
"""De-hum per class: each case run through the built orvendal-qv with the De-hum tool alone
and scored against the clean signal. "down" is the energy of (input - clean) over that of
(output - clean) for the whole file; SI-SDR scores what must be kept. Music is General MIDI
rendered by fluidsynth with fluid-soundfont-gm when installed, else notes made here.
Then the speed (one core, taskset) and peak memory (/usr/bin/time -v) on a one-hour file.

    bench/companion/quality/dehum_bench.py BUILD_DIR [--no-hour]
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

import numpy as np
import soundfile as sf

RATE = 48000
PRESETS = {'50 Hz': 0, '60 Hz': 1, 'Auto': 2}
SOUNDFONT = '/usr/share/sounds/sf2/FluidR3_GM.sf2'


def run(cmd):
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def write(path, x):
    sf.write(path, np.asarray(x, dtype=np.float32), RATE, subtype='FLOAT')


def speech(work, seconds):
    raw = os.path.join(work, 'speech_raw.wav')
    out = os.path.join(work, 'speech.wav')
    text = ('The quick brown fox jumps over the lazy dog near the river bank. Please call '
            'Stella and ask her to bring these things with her from the store.')
    run(['espeak-ng', '-v', 'en+m3', '-w', raw, text])
    run(['sox', raw, '-r', str(RATE), '-c', '1', '-b', '32', '-e', 'floating-point', out])
    x = sf.read(out, dtype='float64')[0]
    x = np.tile(x, int(np.ceil(seconds * RATE / len(x))))[:int(seconds * RATE)]
    return 0.3 * x / np.max(np.abs(x))


def music(work, seconds, seed=1):
    """A few bars of piano, strings and bass at equal temperament."""
    rng = np.random.default_rng(seed)
    n = int(seconds * RATE)
    scale = [0, 2, 4, 5, 7, 9, 11]
    t = np.arange(n) / RATE
    out = np.zeros(n)
    beat = 0.4
    for start in np.arange(0, seconds, beat):
        for voice, (octave, length, gain) in enumerate([(3, 4, 0.5), (4, 1, 0.35), (5, 2, 0.25)]):
            if voice != 1 and int(start / beat) % length:
                continue
            step = scale[rng.integers(len(scale))]
            hz = 440.0 * 2 ** ((12 * (octave - 4) + step - 9) / 12)
            i0 = int(start * RATE)
            i1 = min(n, i0 + int(length * beat * RATE * 1.2))
            tt = t[i0:i1] - start
            env = np.minimum(tt / 0.01, 1) * np.exp(-tt * (2.5 if voice == 1 else 1.0))
            tone = sum(np.sin(2 * np.pi * h * hz * tt + h) / h ** 1.5 for h in range(1, 8)
                       if h * hz < 8000)
            out[i0:i1] += gain * env * tone
    return 0.3 * out / np.max(np.abs(out))


def fluid_music(work, seconds):
    """General MIDI through fluidsynth, if it is installed."""
    if not (shutil.which('fluidsynth') and os.path.exists(SOUNDFONT)):
        return None
    mid = os.path.join(work, 'tune.mid')
    write_midi(mid, seconds)
    wav = os.path.join(work, 'tune.wav')
    run(['fluidsynth', '-ni', '-r', str(RATE), '-F', wav, SOUNDFONT, mid])
    x = sf.read(wav, dtype='float64')[0]
    x = x.mean(axis=1) if x.ndim > 1 else x
    x = np.tile(x, int(np.ceil(seconds * RATE / len(x))))[:int(seconds * RATE)]
    return 0.3 * x / np.max(np.abs(x))


def write_midi(path, seconds):
    """A plain type-0 MIDI file: piano chords over a bass line, with strings."""
    events = []
    tpq = 480
    def var(v):
        b = [v & 0x7f]
        v >>= 7
        while v:
            b.insert(0, (v & 0x7f) | 0x80)
            v >>= 7
        return bytes(b)
    notes = []
    chords = [(48, 60, 64, 67), (45, 57, 60, 64), (41, 57, 60, 65), (43, 55, 59, 62)]
    beats = int(seconds * 2)
    for b in range(beats):
        chord = chords[(b // 4) % 4]
        notes.append((b * tpq, tpq, 0, chord[1 + b % 3] + 12, 90))
        if b % 4 == 0:
            notes.append((b * tpq, 4 * tpq, 1, chord[0], 100))
            for p in chord[1:]:
                notes.append((b * tpq, 4 * tpq, 2, p, 60))
    for tick, length, ch, p, v in notes:
        events.append((tick, bytes([0x90 | ch, p, v])))
        events.append((tick + length, bytes([0x80 | ch, p, 0])))
    events.sort(key=lambda e: e[0])
    track = bytes([0, 0xc1, 32, 0, 0xc2, 48])  # bass, strings
    last = 0
    for tick, data in events:
        track += var(tick - last) + data
        last = tick
    track += bytes([0, 0xff, 0x2f, 0])
    with open(path, 'wb') as f:
        f.write(b'MThd' + (6).to_bytes(4, 'big') + (0).to_bytes(2, 'big') + (1).to_bytes(2, 'big')
                + tpq.to_bytes(2, 'big'))
        f.write(b'MTrk' + len(track).to_bytes(4, 'big') + track)


def hum(seconds, mains, harmonics=10, drift=0.2, fall_db=3.0, odd_only=False, seed=0):
    t = np.arange(int(seconds * RATE)) / RATE
    phase = 2 * np.pi * np.cumsum(mains + drift * np.sin(2 * np.pi * t / 7.0 + seed)) / RATE
    ks = [k for k in range(1, harmonics + 1) if not odd_only or k % 2]
    return sum(10 ** (-fall_db * (k - 1) / 20) * np.cos(k * phase + 0.7 * k) for k in ks)


def si_sdr(out, ref):
    a = np.dot(out, ref) / np.dot(ref, ref)
    return 10 * np.log10(np.sum((a * ref) ** 2) / np.sum((out - a * ref) ** 2))


def level_db(x, hz, a, b):
    n = np.arange(a, b)
    w = np.hanning(b - a)
    return 20 * np.log10(2 * abs(np.sum(w * x[a:b] * np.exp(-2j * np.pi * hz * n / RATE))) / w.sum())


class Qv:
    def __init__(self, build, work):
        self.exe = os.path.join(build, 'companion', 'orvendal-qv')
        self.work = work

    def dehum(self, x, preset):
        iface = os.path.join(self.work, 'Orvendal_interface_0.wav')
        write(iface, x)
        line = ('{request:"process", tools:[false,false,false,true], presets: [0,0,0,%d],'
                'rangeLow: 0, rangeHigh: 24000, input: "%s"}' % (PRESETS[preset], iface))
        done = subprocess.run([self.exe, '--request', line], check=True, capture_output=True,
                              text=True)
        found = re.search(r'"report":"(.*)"', done.stdout)
        self.report = found.group(1) if found else ''
        return sf.read(iface, dtype='float64')[0]


def down_db(x, out, clean):
    return 10 * np.log10(np.sum((x - clean) ** 2) / (np.sum((out - clean) ** 2) + 1e-30))


def main():
    build = os.path.abspath(sys.argv[1])
    work = tempfile.mkdtemp(prefix='dehum_bench_')
    qv = Qv(build, work)
    rows = []

    def hum_case(cls, name, clean, noise, presets):
        x = clean + noise
        for p in presets:
            out = qv.dehum(x, p)
            kept = si_sdr(out, clean) if np.any(clean) else float('nan')
            rows.append((cls, name, p, down_db(x, out, clean), kept, qv.report))

    def keep_case(cls, name, x, presets):
        for p in presets:
            out = qv.dehum(x, p)
            rows.append((cls, name, p, float('nan'), si_sdr(out, x), qv.report))

    sp60 = speech(work, 60)
    sp = sp60[:12 * RATE]
    mus = fluid_music(work, 30)
    source = 'fluidsynth GM' if mus is not None else 'synthesised notes'
    if mus is None:
        mus = music(work, 30)
    rms = lambda v: np.sqrt(np.mean(v ** 2))
    under = lambda h, clean, db: h * rms(clean) / rms(h) * 10 ** (-db / 20)
    n10 = 10 * RATE
    t60 = np.arange(60 * RATE) / RATE
    for mains, seconds, level in ((50, 10, 0.1), (50, 60, 0.1), (60, 10, 0.01), (50.03, 10, 0.3)):
        sine = level * np.sin(2 * np.pi * mains * t60[:seconds * RATE])
        hum_case('pure mains sine', '%g Hz, %d s, %.0f dBFS' % (mains, seconds, 20 * np.log10(level)),
                 np.zeros(len(sine)), sine, ['%d Hz' % round(mains), 'Auto'])
    steady = 0.02 * hum(60, 50, drift=0.0)
    hum_case('steady hum alone', '50 Hz, 10 harmonics, 60 s', np.zeros(len(steady)), steady,
             ['50 Hz', 'Auto'])
    hum_case('steady hum alone', '50 Hz, 10 harmonics, 10 s', np.zeros(n10), steady[:n10], ['50 Hz'])
    steady60 = 0.02 * hum(60, 60, harmonics=20, drift=0.0, seed=3)
    hum_case('steady hum alone', '60 Hz, 20 harmonics, 60 s', np.zeros(len(steady60)), steady60,
             ['60 Hz'])
    hum_case('drifting hum or buzz alone', '50 Hz drifting, 10 harmonics, 12 s', np.zeros(12 * RATE),
             0.02 * hum(12, 50), ['50 Hz', 'Auto'])
    hum_case('drifting hum or buzz alone', '60 Hz buzz, 40 harmonics, 12 s', np.zeros(12 * RATE),
             0.01 * hum(12, 60, harmonics=40, fall_db=0.5, drift=0.05), ['60 Hz', 'Auto'])
    for mains in (50, 60):
        for db in (10, 20):
            hum_case('drifting hum under speech', '%d Hz, %d dB under' % (mains, db), sp,
                     under(hum(12, mains), sp, db), ['%d Hz' % mains, 'Auto'])
    for mains in (50, 60):
        hum_case('drifting hum under speech', '%d Hz drifting +-0.5 Hz, 10 dB under' % mains, sp,
                 under(hum(12, mains, drift=0.5, seed=1), sp, 10), ['%d Hz' % mains])
    hum_case('buzz under speech', '60 Hz, 40 harmonics', sp,
             under(hum(12, 60, harmonics=40, fall_db=0.5, drift=0.05), sp, 10), ['60 Hz', 'Auto'])
    hum_case('buzz under speech', '50 Hz, odd harmonics to 3 kHz', sp,
             under(hum(12, 50, harmonics=60, fall_db=0.4, drift=0.05, odd_only=True), sp, 10), ['50 Hz'])
    for seconds in (3, 2, 1):
        clip = sp[RATE // 2:RATE // 2 + seconds * RATE]
        hum_case('hum in a short speech clip', '%d s, 50 Hz' % seconds, clip,
                 under(hum(seconds, 50), clip, 10), ['50 Hz', 'Auto'])
    m = mus[:20 * RATE]
    hum_case('drifting hum under music', '50 Hz, 15 dB under', m, under(hum(20, 50, seed=2), m, 15),
             ['50 Hz', 'Auto'])
    hum_case('drifting hum under music', '60 Hz, 15 dB under', m, under(hum(20, 60, seed=4), m, 15),
             ['60 Hz'])
    keep_case('hum-free material', 'music', m, ['50 Hz', '60 Hz', 'Auto'])
    keep_case('hum-free material', 'speech', sp, ['50 Hz', '60 Hz', 'Auto'])

    print('De-hum per case (music: %s)' % source)
    print('  %-27s %-34s %-6s %9s %9s  %s' % ('class', 'case', 'preset', 'hum down', 'kept', 'finding'))
    for cls, name, p, down, kept, report in rows:
        print('  %-27s %-34s %-6s %9s %9s  %s' % (cls, name, p, '' if np.isnan(down) else '%.1f dB' % down,
                                                  '' if np.isnan(kept) else '%.1f dB' % kept,
                                                  report.split(': ', 1)[-1]))
    print('De-hum per class: mean and worst case (hum down; kept SI-SDR against the clean signal)')
    for cls in dict.fromkeys(r[0] for r in rows):
        downs = [r[3] for r in rows if r[0] == cls and not np.isnan(r[3])]
        kepts = [r[4] for r in rows if r[0] == cls and not np.isnan(r[4])]
        line = '  %-27s' % cls
        if downs:
            line += '  down mean %5.1f dB, worst %5.1f dB' % (np.mean(downs), min(downs))
        if kepts:
            line += '  kept mean %5.1f dB, worst %5.1f dB' % (np.mean(kepts), min(kepts))
        print(line)
    for hz in (1000, 400):
        for mains in ('50 Hz', '60 Hz'):
            for with_hum in (False, True):
                x = 0.1 * np.sin(2 * np.pi * hz * np.arange(n10) / RATE)
                if with_hum:
                    x = x + 0.02 * hum(10, int(mains[:2]))[:n10]
                out = qv.dehum(x, mains)
                change = level_db(out, hz, n10 // 4, 3 * n10 // 4) - level_db(x, hz, n10 // 4, 3 * n10 // 4)
                print('  %4d Hz tone at -20 dBFS%-9s %-6s: level change %+.2f dB'
                      % (hz, ' with hum' if with_hum else '', mains, change))

    if '--no-hour' not in sys.argv:
        hour = os.path.join(work, 'Orvendal_interface_0.wav')
        run(['sox', '-R', '-n', '-r', str(RATE), '-c', '1', '-b', '32', '-e', 'floating-point',
             hour, 'synth', '3600', 'sine', '50.05', 'pinknoise', 'remix', '-', 'vol', '0.1'])
        line = ('{request:"process", tools:[false,false,false,true], presets: [0,0,0,2],'
                'rangeLow: 0, rangeHigh: 24000, input: "%s"}' % hour)
        start = time.perf_counter()
        done = subprocess.run(['/usr/bin/time', '-v', 'taskset', '-c', '0', qv.exe, '--request', line],
                              capture_output=True, text=True)
        wall = time.perf_counter() - start
        peak = re.search(r'Maximum resident set size \(kbytes\): (\d+)', done.stderr)
        cpu = sum(float(m) for m in re.findall(r'(?:User|System) time \(seconds\): ([\d.]+)', done.stderr))
        print('  one hour (pink noise + 50.05 Hz), Auto: %.0fx real time on one core (CPU time; '
              '%.0fx by the clock, file reading and writing included), peak RSS %.1f MB'
              % (3600 / cpu, 3600 / wall, int(peak.group(1)) / 1024 if peak else float('nan')))
    shutil.rmtree(work)


if __name__ == '__main__':
    main()
