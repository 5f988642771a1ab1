#!/usr/bin/python3
"""De-click and De-clip side by side with FFmpeg adeclick / adeclip (default options).

Speech from espeak-ng (three voices), music from fluidsynth with the General MIDI soundfont.
Clicked material: broadband bursts of 1 to 48 samples (48 kHz; noise with a Hann envelope or
hard edges, impulses at 1 and 3 samples) peaking -26 to -3 dB under the signal's peak, 40 per
speech sentence and 40 per music piece. Clipped speech: hard clipping at the levels that leave
3, 7 and 12 dB SI-SDR against the clean speech. Clean speech and music: each tool's output
against its own input. De-clip on full scale that is not clipping: a square wave and speech
with a second held at the rail. SI-SDR after alignment; click detection precision and recall from the
samples each tool changed; real-time factor in CPU time on one core (taskset).

    /usr/bin/python3 bench/companion/quality/restore_bench.py BUILD_DIR
"""
import os
import resource
import shutil
import subprocess
import sys
import tempfile

import numpy as np
import soundfile as sf

import midi

RATE = 48000
SENTENCES = [
    ('en+m3', 'The quick brown fox jumps over the lazy dog near the river bank.'),
    ('en-us+f2', 'Please call Stella and ask her to bring these things with her from the store.'),
    ('en+m1', 'A large size in stockings is hard to sell, but the price was fair.'),
]
CLIP_TARGETS = [3.0, 7.0, 12.0]
CLICK_WIDTHS = [1, 3, 8, 20, 48]
CLICK_LEVELS_DB = [-26.0, -20.0, -12.0, -6.0, -3.0]
DECLICK_PRESETS = ['Light', 'Medium', 'Strong']
SOUNDFONT = '/usr/share/sounds/sf2/FluidR3_GM.sf2'


def run(cmd):
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def cpu_seconds():
    usage = resource.getrusage(resource.RUSAGE_CHILDREN)
    return usage.ru_utime + usage.ru_stime


def write(path, x):
    sf.write(path, np.asarray(x, dtype=np.float32), RATE, subtype='FLOAT')


def speech(work):
    out = []
    for i, (voice, text) in enumerate(SENTENCES):
        raw = os.path.join(work, 'speech%d_raw.wav' % i)
        wav = os.path.join(work, 'speech%d.wav' % i)
        run(['espeak-ng', '-v', voice, '-w', raw, text])
        run(['sox', raw, '-r', str(RATE), '-c', '1', '-b', '32', '-e', 'floating-point', wav])
        x = sf.read(wav, dtype='float64')[0]
        out.append(np.float32(0.5 * x / np.max(np.abs(x))).astype(np.float64))
    return out


def music(work):
    """Plucked guitar with drums, and piano: the transients a de-clicker must leave alone."""
    melody = [(i * 0.5, 0.5, k) for i, k in enumerate([60, 64, 67, 72, 71, 67, 64, 62] * 2)]
    chords = [(b, 2, k) for b, root in ((0, 48), (2, 53), (4, 55), (6, 48))
              for k in (root, root + 4, root + 7)]
    pieces = [(25, melody + chords), (0, melody + chords)]
    out = []
    for i, (program, notes) in enumerate(pieces):
        mid = os.path.join(work, 'music%d.mid' % i)
        wav = os.path.join(work, 'music%d.wav' % i)
        # Channel 10 set to the standard drum kit beside the piece's own instrument.
        tracks = [midi.track(midi.note_events(notes, 90),
                             head=bytes([0x00, 0xC0, program, 0x00, 0xC9, 0]))]
        if i == 0:
            # Drums on channel 10: kick, snare and hi-hat on every beat.
            hits = []
            for beat in range(16):
                for key in ((36, 42) if beat % 2 == 0 else (38, 42)):
                    hits.append((beat * 480, 0x99, key, 110))
                    hits.append((beat * 480 + 120, 0x89, key, 0))
            tracks.append(midi.track(hits))
        midi.write(mid, tracks)
        run(['fluidsynth', '-ni', '-g', '0.6', '-r', str(RATE), '-F', wav, SOUNDFONT, mid])
        x = sf.read(wav, dtype='float64')[0]
        x = x.mean(axis=1) if x.ndim > 1 else x
        x = x[:int(8.0 * RATE)]
        out.append(np.float32(0.5 * x / np.max(np.abs(x))).astype(np.float64))
    return out


def add_clicks(x, count, seed):
    """Bursts of random sign and shape; returns the clicked signal and the (start, width)s."""
    rng = np.random.default_rng(seed)
    y = x.copy()
    peak = np.max(np.abs(x))
    spots = np.sort(rng.choice(np.arange(RATE // 10, len(x) - RATE // 10, 2000), count,
                               replace=False))
    clicks = []
    for i, at in enumerate(spots):
        width = CLICK_WIDTHS[i % len(CLICK_WIDTHS)]
        level = peak * 10 ** (CLICK_LEVELS_DB[(i // len(CLICK_WIDTHS)) % len(CLICK_LEVELS_DB)] / 20)
        # Broadband bursts: noise under a Hann envelope, or with hard edges; 1 to 3 samples
        # are single impulses of one sign.
        noise = rng.uniform(-1, 1, width) if width > 3 else np.full(width, rng.choice([-1.0, 1.0]))
        envelope = np.hanning(width + 2)[1:-1] if i % 2 == 0 and width > 3 else np.ones(width)
        burst = level * envelope * noise / max(np.max(np.abs(noise)), 1e-9)
        y[at:at + width] += burst
        clicks.append((int(at), width))
    return np.float32(y).astype(np.float64), clicks


def clip_at(x, target_db):
    """Hard clipping at the level that leaves `target_db` SI-SDR; the clip level becomes 0 dBFS."""
    lo, hi = 1e-4, 1.0
    peak = np.max(np.abs(x))
    for _ in range(50):
        mid = np.sqrt(lo * hi)
        score = si_sdr(np.clip(x, -mid * peak, mid * peak), x)
        lo, hi = (mid, hi) if score < target_db else (lo, mid)
    level = np.sqrt(lo * hi) * peak
    return np.float32(np.clip(x, -level, level) / level * (32767 / 32768)).astype(np.float64)


def align(out, ref, max_lag=4800):
    n = len(ref)
    out = np.pad(out, (0, max(0, n - len(out))))[:n]
    size = 1 << int(np.ceil(np.log2(2 * n + max_lag)))
    corr = np.fft.irfft(np.fft.rfft(out, size) * np.conj(np.fft.rfft(ref, size)), size)
    lags = np.concatenate([corr[:max_lag + 1], corr[-max_lag:]])
    lag = int(np.argmax(lags))
    lag = lag if lag <= max_lag else lag - len(lags)
    return np.roll(np.pad(out, (0, size - n)), -lag)[:n]


def si_sdr(estimate, reference):
    scale = np.dot(estimate, reference) / np.dot(reference, reference)
    target = scale * reference
    error = estimate - target
    return 10 * np.log10(np.sum(target ** 2) / max(np.sum(error ** 2), 1e-30))


class Tools:
    def __init__(self, build, work):
        self.program = os.path.join(build, 'companion', 'orvendal-qv')
        self.work = work
        self.pin = ['taskset', '-c', '0'] if shutil.which('taskset') else []
        self.cpu = {}
        self.seconds = {}

    def qv(self, x, tool, preset):
        iface = os.path.join(self.work, 'Orvendal_interface_0.wav')
        write(iface, x)
        tools = ','.join('true' if i == tool else 'false' for i in range(1, 8))
        presets = ','.join(str(preset) if i == tool else '0' for i in range(1, 8))
        line = ('{request:"process", tools:[%s], presets: [%s],rangeLow: 0, rangeHigh: 24000, '
                'input: "%s"}' % (tools, presets, iface))
        out = subprocess.run(self.pin + [self.program, '--request', line], check=True,
                             capture_output=True, text=True).stdout
        self.last_report = out.strip()
        return sf.read(iface, dtype='float64')[0]

    def ffmpeg(self, x, filt):
        src = os.path.join(self.work, 'in.wav')
        dst = os.path.join(self.work, 'out.wav')
        write(src, x)
        run(self.pin + ['ffmpeg', '-y', '-i', src, '-af', filt, '-c:a', 'pcm_f32le', dst])
        return sf.read(dst, dtype='float64')[0]

    def apply(self, name, x):
        before = cpu_seconds()
        if name.startswith('De-click'):
            y = self.qv(x, 6, DECLICK_PRESETS.index(name.split()[1]))
        elif name == 'De-clip Auto':
            y = self.qv(x, 7, 0)
        else:
            y = self.ffmpeg(x, name)
        self.cpu[name] = self.cpu.get(name, 0.0) + cpu_seconds() - before
        self.seconds[name] = self.seconds.get(name, 0.0) + len(x) / RATE
        return y


def changed_runs(x, y, tolerance):
    """Runs of samples the tool changed (more than `tolerance`), merged across gaps of 8."""
    changed = np.flatnonzero(np.abs(y[:len(x)] - x[:len(y)]) > tolerance)
    runs = []
    for i in changed:
        if runs and i - runs[-1][1] <= 8:
            runs[-1][1] = i
        else:
            runs.append([i, i])
    return runs


def detection(runs, clicks):
    hit = set()
    true_runs = 0
    for a, b in runs:
        found = [k for k, (at, w) in enumerate(clicks) if a <= at + w + 2 and b >= at - 2]
        hit.update(found)
        true_runs += bool(found)
    return true_runs, len(runs), len(hit)


def main():
    if len(sys.argv) < 2:
        print(__doc__)
        return 2
    work = tempfile.mkdtemp(prefix='restore_bench_')
    tools = Tools(sys.argv[1], work)
    speeches = speech(work)
    musics = music(work)
    declickers = ['De-click %s' % p for p in DECLICK_PRESETS] + ['adeclick']
    declippers = ['De-clip Auto', 'adeclip']

    print('Clicked material (SI-SDR gain in dB; precision / recall of the clicks found)')
    rows = {}
    for kind, cleans in (('speech', speeches), ('music', musics)):
        for name in declickers:
            gains, counts = [], np.zeros(3)
            total = 0
            for i, clean in enumerate(cleans):
                clicked, clicks = add_clicks(clean, 40, seed=10 + i)
                out = align(tools.apply(name, clicked), clicked)
                gains.append(si_sdr(out, clean) - si_sdr(clicked, clean))
                # FFmpeg changes every sample a little: count only changes above -46 dBFS.
                tolerance = 0.0 if name.startswith('De-click') else 0.005
                counts += detection(changed_runs(clicked, out, tolerance), clicks)
                total += len(clicks)
            precision = counts[0] / max(counts[1], 1)
            recall = counts[2] / total
            rows[(kind, name)] = (np.mean(gains), precision, recall)
            print('  %-8s %-16s gain %+6.2f dB   precision %.3f   recall %.3f'
                  % (kind, name, np.mean(gains), precision, recall))

    print('Clipped speech (SI-SDR gain in dB at the level that leaves 3, 7, 12 dB)')
    for name in declippers:
        gains = []
        for target in CLIP_TARGETS:
            level_gains = []
            for clean in speeches:
                clipped = clip_at(clean, target)
                out = align(tools.apply(name, clipped), clean)
                level_gains.append(si_sdr(out, clean) - si_sdr(clipped, clean))
            gains.append(np.mean(level_gains))
        print('  %-16s %s   mean %+6.2f dB' % (name, '  '.join('%+6.2f' % g for g in gains),
                                              np.mean(gains)))
    print('  last report: %s' % tools.last_report)

    print('Clean material through each tool (SI-SDR against its input)')
    for name in declickers + declippers:
        scores = []
        for kind, cleans in (('speech', speeches), ('music', musics)):
            worst = min(si_sdr(align(tools.apply(name, c), c), c) for c in cleans)
            scores.append('%s %6.1f dB' % (kind, worst))
        print('  %-16s worst %s' % (name, '   '.join(scores)))

    print('Full scale that is not clipping (De-clip Auto: unchanged? report, real-time factor)')
    t = np.arange(10 * RATE)
    square = np.where((t // 24) % 2 == 0, 1.0, -1.0)
    railed = np.concatenate([speeches[0], np.full(RATE, speeches[0].max()), speeches[1]])
    for label, x in (('1 kHz square, 10 s', square), ('speech, 1 s at the rail', railed)):
        before = cpu_seconds()
        y = tools.qv(x, 7, 0)
        cpu = cpu_seconds() - before
        same = np.array_equal(np.float32(y), np.float32(x))
        print('  %-24s %s  %7.1fx  %s' % (label, 'unchanged' if same else 'CHANGED  ',
                                          len(x) / RATE / max(cpu, 1e-9), tools.last_report))

    print('Real-time factor (audio seconds per CPU second, one core, program start included)')
    for name in declickers + declippers:
        print('  %-16s %7.1fx' % (name, tools.seconds[name] / max(tools.cpu[name], 1e-9)))
    shutil.rmtree(work)
    return 0


if __name__ == '__main__':
    sys.exit(main())
