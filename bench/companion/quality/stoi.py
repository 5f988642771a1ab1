"""Short-time objective intelligibility (Taal et al., 2011) from its published definition:
10 kHz signals, 256-sample Hann frames at 50 % overlap zero-padded to 512, silent frames
(40 dB below the loudest) dropped, 15 one-third-octave bands from 150 Hz, 30-frame (384 ms)
segments, the degraded envelope scaled to the clean one and clipped at -15 dB SDR."""
import numpy as np
from scipy.signal import resample_poly

RATE = 10000
FRAME = 256
FFT = 512
BANDS = 15
LOWEST = 150.0
SEGMENT = 30
BETA_DB = -15.0
DYNAMIC_DB = 40.0


def _frames(x):
    window = np.hanning(FRAME + 2)[1:-1]
    hop = FRAME // 2
    count = max(0, (len(x) - FRAME) // hop + 1)
    return np.array([x[i * hop:i * hop + FRAME] * window for i in range(count)])


def _drop_silence(x, y):
    fx, fy = _frames(x), _frames(y)
    energy = 20 * np.log10(np.linalg.norm(fx, axis=1) + np.finfo(float).eps)
    keep = energy > energy.max() - DYNAMIC_DB
    fx, fy = fx[keep], fy[keep]
    # Overlap-add the frames kept back into signals.
    hop = FRAME // 2
    length = (len(fx) - 1) * hop + FRAME
    out_x, out_y = np.zeros(length), np.zeros(length)
    for i in range(len(fx)):
        out_x[i * hop:i * hop + FRAME] += fx[i]
        out_y[i * hop:i * hop + FRAME] += fy[i]
    return out_x, out_y


def _band_matrix():
    freqs = np.linspace(0, RATE, FFT + 1)[:FFT // 2 + 1]
    k = np.arange(BANDS)
    centres = LOWEST * 2.0 ** (k / 3.0)
    low, high = centres * 2.0 ** (-1 / 6), centres * 2.0 ** (1 / 6)
    matrix = np.zeros((BANDS, len(freqs)))
    for b in range(BANDS):
        lo = np.argmin((freqs - low[b]) ** 2)
        hi = np.argmin((freqs - high[b]) ** 2)
        matrix[b, lo:hi] = 1.0
    return matrix


def _envelopes(x, matrix):
    spectrum = np.fft.rfft(_frames(x), n=FFT, axis=1)
    return np.sqrt(matrix @ (np.abs(spectrum) ** 2).T)  # bands x frames


def stoi(clean, degraded, rate):
    n = min(len(clean), len(degraded))
    x = resample_poly(clean[:n], RATE, rate)
    y = resample_poly(degraded[:n], RATE, rate)
    x, y = _drop_silence(x, y)
    matrix = _band_matrix()
    X, Y = _envelopes(x, matrix), _envelopes(y, matrix)
    clip = 10 ** (-BETA_DB / 20)
    scores = []
    for m in range(SEGMENT, X.shape[1] + 1):
        xs, ys = X[:, m - SEGMENT:m], Y[:, m - SEGMENT:m]
        alpha = np.linalg.norm(xs, axis=1, keepdims=True) / (
            np.linalg.norm(ys, axis=1, keepdims=True) + np.finfo(float).eps)
        yc = np.minimum(alpha * ys, xs * (1 + clip))
        xs = xs - xs.mean(axis=1, keepdims=True)
        yc = yc - yc.mean(axis=1, keepdims=True)
        num = (xs * yc).sum(axis=1)
        den = np.linalg.norm(xs, axis=1) * np.linalg.norm(yc, axis=1) + np.finfo(float).eps
        scores.append(num / den)
    return float(np.mean(scores)) if scores else float('nan')
