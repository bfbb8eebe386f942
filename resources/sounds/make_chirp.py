#!/usr/bin/env python3
"""Synthesises chirp.wav: a short, soft sparrow-like chirp (three quick notes).

16-bit PCM, mono, 22050 Hz, about 0.3 s. Uses only the standard library and is
deterministic, so running it again gives the same file byte for byte.

    python3 make_chirp.py [output.wav]
"""
import math
import struct
import sys
import wave

RATE = 22050
PEAK = 0.70  # about -3 dBFS, so the clip is never harsh


def note(duration, freq_at, amp_at):
    """One note: frequency and amplitude are functions of u in [0, 1)."""
    count = int(duration * RATE)
    phase = 0.0
    out = []
    for i in range(count):
        u = i / count
        f = freq_at(u)
        phase += 2.0 * math.pi * f / RATE
        # a little second harmonic makes it sound less like a pure whistle
        s = math.sin(phase) + 0.18 * math.sin(2.0 * phase + 0.6)
        out.append(s * amp_at(u))
    return out


def swell(attack):
    """Quick rise, smooth fall to exactly zero."""
    def amp(u):
        if u < attack:
            return math.sin(0.5 * math.pi * u / attack) ** 2
        v = (u - attack) / (1.0 - attack)
        return math.cos(0.5 * math.pi * v) ** 2
    return amp


def silence(duration):
    return [0.0] * int(duration * RATE)


def build():
    samples = []
    # 1: a quick upward "chi"
    samples += note(0.055, lambda u: 3100 + 2300 * u ** 0.7, swell(0.25))
    samples += silence(0.018)
    # 2: a falling "rp"
    samples += note(0.060, lambda u: 5400 - 2000 * u ** 1.3, swell(0.15))
    samples += silence(0.022)
    # 3: a short trill that fades away
    samples += note(0.130,
                    lambda u: 4300 + 250 * u + 650 * math.sin(2 * math.pi * 42 * u * 0.130),
                    lambda u: swell(0.08)(u) * (1.0 - 0.4 * u))
    samples += silence(0.015)

    top = max(abs(s) for s in samples)
    return [s * PEAK / top for s in samples]


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else "chirp.wav"
    frames = b"".join(struct.pack("<h", int(round(s * 32767))) for s in build())
    with wave.open(path, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(2)
        w.setframerate(RATE)
        w.writeframes(frames)


if __name__ == "__main__":
    main()
