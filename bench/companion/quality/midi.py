"""Standard MIDI files for the benchmarks' music, rendered afterwards by fluidsynth."""

TICKS_PER_BEAT = 480  # at the default 120 bpm


def _delta(ticks):
    """A delta time as a MIDI variable-length number."""
    var = [ticks & 0x7F]
    ticks >>= 7
    while ticks:
        var.insert(0, 0x80 | (ticks & 0x7F))
        ticks >>= 7
    return bytes(var)


def note_events(notes, velocity):
    """`notes` as (start beat, length in beats, key) on channel 1, as (tick, status, key, value)."""
    events = []
    for start, length, key in notes:
        events.append((int(start * TICKS_PER_BEAT), 0x90, key, velocity))
        events.append((int((start + length) * TICKS_PER_BEAT), 0x80, key, 0))
    return events


def track(events, head=b''):
    """One track: `head` (events at tick 0, their delta times included), then `events` in time
    order, then its end."""
    body = bytearray(head)
    now = 0
    for tick, status, key, value in sorted(events):
        body += _delta(tick - now) + bytes([status, key, value])
        now = tick
    body += bytes([0x00, 0xFF, 0x2F, 0x00])
    return bytes(body)


def write(path, tracks):
    """A file of one track (format 0) or of several played together (format 1)."""
    with open(path, 'wb') as f:
        f.write(b'MThd' + (6).to_bytes(4, 'big') + (0 if len(tracks) == 1 else 1).to_bytes(2, 'big')
                + len(tracks).to_bytes(2, 'big') + TICKS_PER_BEAT.to_bytes(2, 'big'))
        for body in tracks:
            f.write(b'MTrk' + len(body).to_bytes(4, 'big') + body)
