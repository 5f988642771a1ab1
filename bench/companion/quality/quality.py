#!/usr/bin/python3
"""Companion sound quality, side by side with the open denoisers: speech made by espeak-ng
mixed with white, pink, brown-plus-hum and babble noise at 0, 5 and 10 dB SNR, run through
FFmpeg arnndn (RNNoise), speexdsp's preprocessor, sox noisered, FFmpeg afftdn and our Denoise
presets; each output aligned to the clean speech and scored with SI-SDR gain and STOI. Then
recorded voices (voice prompt packages) under recorded machine noise (a game's sound effects,
looped), under noise made here that moves (swinging +-3/6/12 dB at 0.1-0.5 Hz, starting and
stopping mid-file, changing colour), white noise at 0 dB and a babble of other recorded
voices, each class with its mean and worst case; clean speech, and music rendered by
fluidsynth from MIDI files written here with light hiss. The speed table is each denoiser's
CPU time on one core (pinned with taskset) over 10 minutes of pink noise and over all the
noisy speech cases in one file, so that program start-up does not count. Then De-hum on
speech, speech with drifting hum and a 1 kHz tone.

    bench/companion/quality/quality.py BUILD_DIR
    QUICK=1 bench/companion/quality/quality.py BUILD_DIR   # RNNoise and Medium, recorded classes
"""
import os
import resource
import shutil
import subprocess
import sys
import tempfile
import time

import numpy as np
import soundfile as sf

import midi
from stoi import stoi

RATE = 48000
LEAD_IN = 0.5  # seconds of noise alone before the speech: sox noisered learns from it
HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, '..', '..', '..'))
MODEL = os.path.join(ROOT, '..', 'shared', 'anchors', 'rnnoise-std.rnnn')
SENTENCES = [
    ('en+m3', 'The quick brown fox jumps over the lazy dog near the river bank.'),
    ('en-us+f2', 'Please call Stella and ask her to bring these things with her from the store.'),
    ('en+m1', 'A large size in stockings is hard to sell, but the price was fair.'),
]
BABBLE = [('en+f3', 'We will meet again at seven, after the market closes for the night.'),
          ('en-us+m2', 'The weather turned cold, so everyone stayed inside and talked.'),
          ('en+f4', 'Numbers on the board kept changing while the crowd grew louder.')]
SNRS = [0, 5, 10]
# Recorded voices (voice prompt sets) and recorded noises (a game's machine and motor loops)
# from Debian packages listed in setup/bench-packages.d/denoise.txt.
VOICES = ['/usr/share/asterisk/sounds/en_US_f_Allison', '/usr/share/asterisk/sounds/es_MX_f_Allison',
          '/usr/share/asterisk/sounds/fr_CA_f_June']
NOISE_LOOPS = ['/usr/share/games/colobot/sounds/sound%03d.wav' % i for i in (44, 42, 19, 12)]
# QUICK=1: RNNoise and Denoise Medium on the recorded classes only, one case fewer per class.
QUICK = os.environ.get('QUICK') == '1'


def run(cmd, **kw):
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, **kw)


def speak(voice, text, work, name):
    raw = os.path.join(work, name + '_raw.wav')
    out = os.path.join(work, name + '.wav')
    run(['espeak-ng', '-v', voice, '-w', raw, text])
    run(['sox', raw, '-r', str(RATE), '-c', '1', '-b', '32', '-e', 'floating-point', out])
    return sf.read(out, dtype='float64')[0]


def load(path, work):
    """A file as mono 48 kHz floats (sox resamples)."""
    out = os.path.join(work, 'load.wav')
    run(['sox', path, '-r', str(RATE), '-c', '1', '-b', '32', '-e', 'floating-point', out])
    return sf.read(out, dtype='float64')[0]


def recorded_voices(work):
    """Per voice, a few prompts of 1.5-5 s each, 0.3 s apart: (talker, other prompts)."""
    gap = np.zeros(int(0.3 * RATE))
    voices = []
    for folder in VOICES:
        if not os.path.isdir(folder):
            sys.exit('missing %s: install the packages in setup/bench-packages.d/' % folder)
        files = sorted(f for f in os.listdir(folder) if f.endswith('.wav'))
        clips = []
        for f in files[::7]:
            x = load(os.path.join(folder, f), work)
            if 1.5 * RATE <= len(x) <= 5 * RATE:
                clips.append(x / np.sqrt(np.mean(x ** 2)))
            if len(clips) == 6:
                break
        if len(clips) == 6:
            voices.append((np.concatenate([np.concatenate([c, gap]) for c in clips[:3]]), clips[3:]))
    return voices


def looped(x, n):
    """`x` repeated to n samples, each seam crossfaded over 50 ms."""
    fade = int(0.05 * RATE)
    ramp = np.linspace(0, 1, fade)
    out = x.copy()
    while len(out) < n:
        out = np.concatenate([out[:-fade], out[-fade:] * (1 - ramp) + x[:fade] * ramp, x[fade:]])
    return out[:n]


def sox_noise(kind, seconds, work, seed):
    out = os.path.join(work, 'noise.wav')
    run(['sox', '-R', '-n', '-r', str(RATE), '-c', '1', '-b', '32', '-e', 'floating-point',
         out, 'synth', str(seconds), kind])
    x = sf.read(out, dtype='float64')[0]
    return np.roll(x, seed * 977)


def hum(seconds, mains, seed=0):
    t = np.arange(int(seconds * RATE)) / RATE
    drift = 0.2 * np.sin(2 * np.pi * t / 7.0 + seed)
    phase = 2 * np.pi * np.cumsum(mains + drift) / RATE
    return sum(10 ** (-3 * (k - 1) / 20) * np.cos(k * phase + 0.7 * k) for k in range(1, 11))


def noises(length, work, babble):
    seconds = length / RATE + 0.1
    brown = sox_noise('brownnoise', seconds, work, 1)[:length]
    humming = hum(seconds, 50)[:length]
    brown_hum = brown / np.std(brown) + 0.7 * humming / np.std(humming)
    return {
        'white': sox_noise('whitenoise', seconds, work, 2)[:length],
        'pink': sox_noise('pinknoise', seconds, work, 3)[:length],
        'brown+hum': brown_hum,
        'babble': babble[:length],
    }


def mix(clean, noise, snr):
    noise = noise * np.sqrt(np.mean(clean ** 2) / np.mean(noise ** 2) / 10 ** (snr / 10))
    noisy = clean + noise
    peak = np.max(np.abs(noisy))
    scale = 0.5 / peak  # room for the 16-bit baseline
    # Scored as the denoisers get it: the file holds 32-bit floats.
    return clean * scale, (noisy * scale).astype(np.float32).astype(np.float64)


def write(path, x):
    sf.write(path, x.astype(np.float32), RATE, subtype='FLOAT')


def timed(cmd, **kw):
    start = time.perf_counter()
    run(cmd, **kw)
    return time.perf_counter() - start


def cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def qv_process(qv, src, work, tools, presets, pin=()):
    """`src` through orvendal-qv's command line with `tools` and `presets` (the request's
    lists, spelt out): the output and the seconds it took."""
    iface = os.path.join(work, 'Orvendal_interface_0.wav')
    shutil.copy(src, iface)
    line = ('{request:"process", tools:[%s], presets: [%s],rangeLow: 0, rangeHigh: 24000, '
            'input: "%s"}' % (tools, presets, iface))
    seconds = timed(list(pin) + [qv, '--request', line])
    return sf.read(iface, dtype='float64')[0], seconds


class Denoisers:
    def __init__(self, build, work):
        self.pin = []  # a command prefix
        self.qv = os.path.join(build, 'companion', 'orvendal-qv')
        self.work = work
        self.speex = os.path.join(work, 'speex_denoise')
        run(['cc', '-O2', '-o', self.speex, os.path.join(HERE, 'speex_denoise.c'), '-lspeexdsp'])
        self.names = ['RNNoise (arnndn)', 'speexdsp -25 dB', 'sox noisered 0.21',
                      'FFmpeg afftdn tn=1', 'qv Denoise Light', 'qv Denoise Medium',
                      'qv Denoise Strong']
        if QUICK:
            self.names = ['RNNoise (arnndn)', 'qv Denoise Medium']

    def qv_run(self, src, tools, presets):
        return qv_process(self.qv, src, self.work, tools, presets, self.pin)

    def run(self, name, src):
        out = os.path.join(self.work, 'out.wav')
        if name.startswith('RNNoise'):
            seconds = timed(self.pin + ['ffmpeg', '-y', '-i', src, '-af', 'arnndn=m=' + MODEL, '-c:a',
                             'pcm_f32le', out])
        elif name.startswith('FFmpeg afftdn'):
            seconds = timed(self.pin + ['ffmpeg', '-y', '-i', src, '-af', 'afftdn=tn=1', '-c:a',
                             'pcm_f32le', out])
        elif name.startswith('speexdsp'):
            pipe = ('sox "%s" -t s16 -r %d -c 1 - | "%s" %d -25 | sox -t s16 -r %d -c 1 - '
                    '-b 32 -e floating-point "%s"' % (src, RATE, self.speex, RATE, RATE, out))
            seconds = timed(self.pin + ['bash', '-c', 'set -o pipefail; ' + pipe])
        elif name.startswith('sox'):
            prof = os.path.join(self.work, 'noise.prof')
            start = time.perf_counter()
            run(self.pin + ['sox', src, '-n', 'trim', '0', str(LEAD_IN), 'noiseprof', prof])
            run(self.pin + ['sox', src, '-b', '32', '-e', 'floating-point', out, 'noisered', prof, '0.21'])
            seconds = time.perf_counter() - start
        else:
            preset = {'Light': 0, 'Medium': 1, 'Strong': 2}[name.split()[-1]]
            return self.qv_run(src, 'false,false,true', '0,0,%d' % preset)
        return sf.read(out, dtype='float64')[0], seconds

    def cpu_times(self, signal, tag):
        """CPU seconds of each denoiser on one core over `signal` in one file."""
        src = os.path.join(self.work, tag + '.wav')
        write(src, signal)
        self.pin = ['taskset', '-c', '0']
        times = {}
        try:
            for name in self.names:
                before = cpu_seconds()
                self.run(name, src)
                times[name] = cpu_seconds() - before
        finally:
            self.pin = []
        os.remove(src)
        return times

    def realtime_factors(self, noisy_cases):
        """Seconds of audio per CPU second on one core, all cases in one file."""
        joined = np.concatenate(noisy_cases)
        times = self.cpu_times(joined, 'all_cases')
        return {name: len(joined) / RATE / t for name, t in times.items()}


def align(out, ref, max_lag=2400):
    n = len(ref)
    out = np.pad(out, (0, max(0, n - len(out))))[:n + max_lag]
    size = 1 << int(np.ceil(np.log2(2 * n + max_lag)))
    corr = np.fft.irfft(np.fft.rfft(out, size) * np.conj(np.fft.rfft(ref, size)), size)
    lags = np.concatenate([corr[:max_lag + 1], corr[-max_lag:]])
    lag = int(np.argmax(lags))
    lag = lag if lag <= max_lag else lag - len(lags)
    shifted = np.roll(np.pad(out, (0, size - len(out))), -lag)[:n]
    return shifted


def si_sdr(estimate, reference):
    scale = np.dot(estimate, reference) / np.dot(reference, reference)
    target = scale * reference
    error = estimate - target
    return 10 * np.log10(np.sum(target ** 2) / max(np.sum(error ** 2), 1e-30))


def denoise_table(den, work):
    cleans = [speak(v, t, work, 'clean%d' % i) for i, (v, t) in enumerate(SENTENCES)]
    talkers = [speak(v, t, work, 'babble%d' % i) for i, (v, t) in enumerate(BABBLE)]
    lead = int(LEAD_IN * RATE)
    rows = {name: [] for name in ['noisy input'] + den.names}
    noisy_cases = []
    print('%-10s %-4s %-20s %9s %7s %8s' % ('noise', 'SNR', 'denoiser', 'SI-SDR+', 'STOI', 'time s'))
    for ci, speech in enumerate(cleans):
        clean = np.concatenate([np.zeros(lead), speech, np.zeros(lead // 2)])
        babble = sum(np.resize(t, len(clean)) for t in talkers)
        for kind, noise in noises(len(clean), work, babble).items():
            for snr in SNRS:
                ref, noisy = mix(clean, noise, snr)
                src = os.path.join(work, 'noisy.wav')
                write(src, noisy)
                noisy_cases.append(noisy)
                active = slice(lead, len(ref))
                base_sdr = si_sdr(noisy[active], ref[active])
                base_stoi = stoi(ref[active], noisy[active], RATE)
                rows['noisy input'].append((0.0, base_stoi, 0.0))
                print('%-10s %-4d %-20s %9s %7.3f %8s' % (kind, snr, 'noisy input', '-', base_stoi, '-'))
                for name in den.names:
                    out, seconds = den.run(name, src)
                    out = align(out, ref)
                    gain = si_sdr(out[active], ref[active]) - base_sdr
                    score = stoi(ref[active], out[active], RATE)
                    rows[name].append((gain, score, seconds))
                    print('%-10s %-4d %-20s %+9.2f %7.3f %8.3f' % (kind, snr, name, gain, score, seconds))
    factors = den.realtime_factors(noisy_cases)
    speech_seconds = sum(len(c) for c in noisy_cases) / RATE
    print('\n| denoiser | mean SI-SDR gain | mean STOI | worst STOI - input | mean time per case |'
          ' real-time factor, one core |')
    print('|---|---|---|---|---|---|')
    base = np.array([r[1] for r in rows['noisy input']])
    for name, values in rows.items():
        v = np.array(values)
        if name == 'noisy input':
            print('| noisy input | - | %.3f | - | - | - |' % v[:, 1].mean())
            continue
        print('| %s | %+.2f dB | %.3f | %+.3f | %.3f s | %.0fx |' % (
            name, v[:, 0].mean(), v[:, 1].mean(), (v[:, 1] - base).min(), v[:, 2].mean(),
            factors[name]))
    # Transparency: clean speech alone through Medium.
    for i, speech in enumerate(cleans):
        clean = np.concatenate([np.zeros(lead), speech]) * 0.3
        src = os.path.join(work, 'clean.wav')
        write(src, clean)
        out, _ = den.qv_run(src, 'false,false,true', '0,0,1')
        print('clean speech %d through Denoise Medium: SI-SDR %.1f dB against its input'
              % (i, si_sdr(align(out, clean), clean)))
    return cleans, factors, speech_seconds


def swinging(noise, depth_db, hz, phase=0.0):
    t = np.arange(len(noise)) / RATE
    return noise * 10 ** (depth_db / 20 * np.sin(2 * np.pi * hz * t + phase))


def gated(noise, start, stop):
    """Noise only between the fractions start and stop of the file, with 20 ms ramps."""
    n = len(noise)
    env = np.zeros(n)
    a, b = int(max(0.0, start) * n), int(min(1.0, stop) * n)
    env[a:b] = 1.0
    ramp = int(0.02 * RATE)
    env = np.convolve(env, np.ones(ramp) / ramp, mode='same')
    return noise * env


def recoloured(first, second):
    """`first` turning into `second` over two seconds at the middle, each at unit power."""
    n = len(first)
    first = first / np.std(first)
    second = second / np.std(second)
    w = np.clip((np.arange(n) - n / 2) / (2 * RATE) + 0.5, 0, 1)
    return np.sqrt(1 - w) * first + np.sqrt(w) * second


def midi_file(path, program, notes):
    """A one-track MIDI file: `notes` as (start beat, length in beats, key), 120 bpm."""
    midi.write(path, [midi.track(midi.note_events(notes, 80), head=bytes([0x00, 0xC0, program]))])


def music(work):
    """Piano, strings, flute, organ and brass phrases rendered by fluidsynth with the GM
    soundfont (the organ's and the brass's samples carry offsets that swell with each note)."""
    font = '/usr/share/sounds/sf2/FluidR3_GM.sf2'
    melody = [(i * 0.5, 0.5, k) for i, k in enumerate([60, 64, 67, 72, 71, 67, 64, 62] * 2)]
    chords = [(b, 4, k) for b, root in ((0, 48), (4, 53), (8, 55), (12, 48))
              for k in (root, root + 4, root + 7)]
    pieces = [(0, melody + chords), (48, chords + [(b, 4, k + 24) for b, _, k in chords[::3]]),
              (73, melody), (19, melody + chords), (61, melody)]
    out = []
    for i, (program, notes) in enumerate(pieces):
        mid = os.path.join(work, 'music%d.mid' % i)
        wav = os.path.join(work, 'music%d.wav' % i)
        midi_file(mid, program, notes)
        run(['fluidsynth', '-ni', '-g', '0.6', '-r', str(RATE), '-F', wav, font, mid])
        x = sf.read(wav, dtype='float64')[0]
        x = x.mean(axis=1) if x.ndim > 1 else x
        out.append(x[:int(8.5 * RATE)])
    return out


def safe_stoi(clean, degraded):
    try:
        return stoi(clean, degraded, RATE)
    except (ValueError, IndexError, np.AxisError):  # nothing left once silence is dropped
        return float('nan')


def score_case(den, clean, noisy, work, active):
    """SI-SDR gain, STOI change and output SI-SDR of every denoiser on one case."""
    src = os.path.join(work, 'case.wav')
    write(src, noisy)
    base = si_sdr(noisy[active], clean[active])
    base_stoi = safe_stoi(clean[active], noisy[active])
    result = {}
    for name in den.names:
        out, _ = den.run(name, src)
        out = align(out, clean)
        sdr = si_sdr(out[active], clean[active])
        result[name] = (sdr - base, safe_stoi(clean[active], out[active]) - base_stoi, sdr)
    return base, result


def cell(rows):
    gains = [r[0] for r in rows]
    return '%+.1f / %+.1f dB, STOI %+.3f' % (np.mean(gains), np.min(gains),
                                             np.nanmean([r[1] for r in rows]))


def moving_table(den, work, cleans):
    """Recorded voices under recorded machine noise and under noise that moves (level swings,
    starts and stops, colour changes), white noise at 0 dB and a babble of other recorded
    voices; then clean speech and music with light hiss. Per class, each denoiser's mean and
    worst case."""
    lead = int(LEAD_IN * RATE)
    voices = recorded_voices(work)
    if not voices:
        print('\nNo recorded voices: install the benchmark packages (scripts/setup.sh --bench)')
        return
    if QUICK:
        voices = voices[:2]
    loops = [load(p, work) for p in NOISE_LOOPS if os.path.exists(p)]
    classes = {}
    for si, (talker, _) in enumerate(voices):
        speech = np.concatenate([np.zeros(lead), talker])
        n = len(speech)
        seconds = n / RATE + 0.1
        kinds = [sox_noise(k, seconds, work, si * 3 + i + 5)[:n]
                 for i, k in enumerate(['whitenoise', 'pinknoise', 'brownnoise'])]
        white, pink, brown = kinds
        turn = lambda seq: seq[si % len(seq):] + seq[:si % len(seq)]
        add = lambda cls, noise, snr=5: classes.setdefault(cls, []).append((speech, noise, snr))
        for k in range(2 if loops else 0):
            add('recorded machine noise', looped(loops[(2 * si + k) % len(loops)], n))
        for depth in (3, 6, 12):
            for (noise, hz, ph) in turn([(brown, 0.1, 0.0), (pink, 0.3, 1.0), (white, 0.5, 2.0)])[:2]:
                add('swing +-%d dB' % depth, swinging(noise, depth, hz, ph))
        for noise, (a, b) in turn([(white, (0.4, 1.1)), (pink, (-0.1, 0.6)), (brown, (0.3, 0.7))])[:2]:
            add('start/stop', gated(noise, a, b))
        for first, second in turn([(white, brown), (brown, pink), (pink, white)])[:2]:
            add('colour change', recoloured(first, second))
        add('white 0 dB', white, 0)
        others = [c for sj, (_, spare) in enumerate(voices) if sj != si for c in spare]
        add('babble (recorded voices)', sum(np.roll(looped(c, n), 9973 * k)
                                            for k, c in enumerate(others)))
    names = den.names
    summary = []
    print('\nRecorded voices, noise at 5 dB SNR unless named (SI-SDR gain dB / STOI change)')
    for cls, cases in classes.items():
        rows = {name: [] for name in names}
        for speech, noise, snr in cases:
            ref, noisy = mix(speech, noise, snr)
            _, res = score_case(den, ref, noisy, work, slice(lead, len(ref)))
            for name in names:
                rows[name].append(res[name])
            print('  %-26s %s' % (cls, '  '.join('%s %+.2f/%+.3f' % (nm.split()[-1], res[nm][0], res[nm][1])
                                                for nm in names)))
        summary.append((cls, rows))
    clean_rows = {name: [] for name in names}
    for x in [np.concatenate([np.zeros(lead), c]) * 0.3 for c in cleans] + \
             [np.concatenate([np.zeros(lead), v]) * 0.1 for v, _ in voices]:
        _, res = score_case(den, x, x, work, slice(0, len(x)))
        for name in names:
            clean_rows[name].append(res[name])
    # Light hiss 30 dB under, and 40 dB under, where the least damage to the music outweighs
    # what little hiss there is to take away.
    levels = (30,) if QUICK else (30, 40)
    music_rows = {(snr, name): [] for snr in levels for name in names}
    music_base = {snr: [] for snr in levels}
    for piece in music(work)[:2 if QUICK else 5]:
        hiss = sox_noise('whitenoise', len(piece) / RATE + 0.1, work, 11)[:len(piece)]
        for snr in levels:
            ref, noisy = mix(piece, hiss, snr)
            base, res = score_case(den, ref, noisy, work, slice(0, len(ref)))
            music_base[snr].append(base)
            for name in names:
                music_rows[snr, name].append(res[name])
    print('\n| class (mean / worst SI-SDR gain, mean STOI change) | ' + ' | '.join(names) + ' |')
    print('|---|' + '---|' * len(names))
    for cls, rows in summary:
        print('| %s | ' % cls + ' | '.join(cell(rows[nm]) for nm in names) + ' |')
    target = {nm: sum((rows[nm] for cls, rows in summary if not cls.startswith('babble')), [])
              for nm in names}
    print('| all but babble | ' + ' | '.join(cell(target[nm]) for nm in names) + ' |')
    rn = 'RNNoise (arnndn)'
    if rn in names:
        print('| all but babble, worst case minus RNNoise | ' + ' | '.join(
            '%+.1f dB' % np.min([a[0] - b[0] for a, b in zip(target[nm], target[rn])])
            for nm in names) + ' |')
    print('| clean speech, SI-SDR out (mean / worst) | ' + ' | '.join(
        '%.1f / %.1f dB' % (np.mean([r[2] for r in clean_rows[nm]]), np.min([r[2] for r in clean_rows[nm]]))
        for nm in names) + ' |')
    for snr in levels:
        print('| music + hiss %d dB under (input %.1f dB), SI-SDR out (mean / worst) | '
              % (snr, np.mean(music_base[snr])) + ' | '.join(
            '%.1f / %.1f dB' % (np.mean([r[2] for r in music_rows[snr, nm]]),
                                np.min([r[2] for r in music_rows[snr, nm]]))
            for nm in names) + ' |')
    print('music input SI-SDR per piece: ' + '; '.join(
        '%d dB under: ' % snr + ', '.join('%.1f' % b for b in music_base[snr]) for snr in levels))


def pink_noise(seconds):
    """Pink noise by filtering white (Paul Kellet's economy filter is enough here)."""
    from scipy.signal import lfilter
    pink = np.random.default_rng(3).standard_normal(int(seconds * RATE))
    pink = lfilter([0.049922035, -0.095993537, 0.050612699, -0.004408786],
                   [1, -2.494956002, 2.017265875, -0.522189400], pink)
    return pink * (0.05 / np.std(pink))


def speed_table(den, factors, speech_seconds):
    """CPU seconds on one core: 10 minutes of pink noise, and all the speech-in-noise cases."""
    times = den.cpu_times(pink_noise(600), 'pink10min')
    print('\n| denoiser | 10 min pink noise, CPU s | real-time | speech in noise (%.0f s), CPU s |'
          ' real-time |' % speech_seconds)
    print('|---|---|---|---|---|')
    for name in den.names:
        print('| %s | %.2f | %.0fx | %.2f | %.0fx |' % (
            name, times[name], 600 / times[name], speech_seconds / factors[name], factors[name]))
    sox = 'sox noisered 0.21'
    med = 'qv Denoise Medium'
    print('Denoise Medium vs sox noisered: %.1fx as fast on pink noise, %.1fx on speech in noise'
          % (times[sox] / times[med], factors[med] / factors[sox]))


def level_db(x, hz, lo, hi):
    t = np.arange(lo, hi)
    w = np.hanning(hi - lo)
    return 20 * np.log10(2 * np.abs(np.sum(w * x[lo:hi] * np.exp(-2j * np.pi * hz * t / RATE))) / w.sum())


def dehum_figures(den, work, cleans):
    presets = {'50 Hz': 0, '60 Hz': 1, 'Auto': 2}
    speech = np.concatenate(cleans) * 0.3
    src = os.path.join(work, 'dehum.wav')
    print('\nDe-hum')
    write(src, speech)
    for name, p in presets.items():
        out, _ = den.qv_run(src, 'false,false,false,true', '0,0,0,%d' % p)
        print('  hum-free speech, %-5s: SI-SDR %.1f dB against the input' % (name, si_sdr(out, speech)))
    seconds = len(speech) / RATE
    for mains in (50, 60):
        h = hum(seconds, mains)[:len(speech)]
        h *= np.sqrt(np.mean(speech ** 2) / np.mean(h ** 2)) * 10 ** (-10 / 20)  # 10 dB under
        write(src, speech + h)
        for name in ('%d Hz' % mains, 'Auto'):
            out, _ = den.qv_run(src, 'false,false,false,true', '0,0,0,%d' % presets[name])
            left = out - speech
            down = 10 * np.log10(np.mean(h ** 2) / np.mean(left ** 2))
            print('  speech + %d Hz hum (10 dB under), %-5s: hum %.1f dB down, speech SI-SDR %.1f dB'
                  % (mains, name, down, si_sdr(out, speech)))
    n = 10 * RATE
    tone = 0.1 * np.sin(2 * np.pi * 1000 * np.arange(n) / RATE)
    for mains in (50, 60):
        for with_hum in (False, True):
            x = tone + (0.02 * hum(10, mains)[:n] if with_hum else 0)
            write(src, x)
            out, _ = den.qv_run(src, 'false,false,false,true', '0,0,0,%d' % presets['%d Hz' % mains])
            change = level_db(out, 1000, n // 4, 3 * n // 4) - level_db(x, 1000, n // 4, 3 * n // 4)
            print('  1 kHz tone at -20 dBFS%s, %d Hz: level change %+.2f dB'
                  % (' with hum' if with_hum else '', mains, change))


def main():
    build = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, 'build'))
    work = tempfile.mkdtemp(prefix='qv-quality-')
    try:
        den = Denoisers(build, work)
        if QUICK:
            cleans = [speak(v, t, work, 'clean%d' % i) for i, (v, t) in enumerate(SENTENCES[:1])]
            moving_table(den, work, cleans)
            return
        cleans, factors, speech_seconds = denoise_table(den, work)
        moving_table(den, work, cleans)
        speed_table(den, factors, speech_seconds)
        dehum_figures(den, work, cleans)
    finally:
        shutil.rmtree(work)


if __name__ == '__main__':
    main()
