#!/usr/bin/env python3
"""Synthesises the program's five GUI sounds as 16-bit mono WAV files.

Usage: make_sounds.py <output folder>

Every sound is built from sine partials under smooth envelopes (a short raised-cosine attack, an
exponential or raised-cosine release), so none starts or ends with a click, and every one is
normalised to a fixed peak well below full scale. The output is the same on every run.
"""
import collections
import math
import os
import struct
import sys
import wave

RATE = 44100

# One struck note: sine partials (frequency ratio, amplitude) with a raised-cosine attack of attack
# seconds and an exponential decay of time constant decay seconds, faded to zero over its last 20%.
Note = collections.namedtuple("Note", "freq start length decay partials attack")


def bell(freq, start, length, decay, partials=((1.0, 1.0),), attack=0.004):
    return Note(freq, start, length, decay, partials, attack)


def render(notes, length):
    """Mixes the notes into length seconds of samples."""
    samples = [0.0] * int(length * RATE)
    for freq, start, note_length, decay, partials, attack in notes:
        first = int(start * RATE)
        count = min(int(note_length * RATE), len(samples) - first)
        fade = max(1, int(count * 0.2))
        for i in range(count):
            t = i / RATE
            envelope = math.exp(-t / decay)
            if t < attack:
                envelope *= 0.5 - 0.5 * math.cos(math.pi * t / attack)
            if i >= count - fade:
                envelope *= 0.5 + 0.5 * math.cos(math.pi * (i - (count - fade)) / fade)
            value = sum(a * math.sin(2 * math.pi * freq * r * t) for r, a in partials)
            samples[first + i] += envelope * value
    return samples


def normalise(samples, peak):
    top = max(abs(s) for s in samples) or 1.0
    return [s * peak / top for s in samples]


def focus_tick():
    # A soft short tick: a high, quickly damped tone with a little body under it.
    return normalise(render([bell(2200, 0, 0.035, 0.008, ((1.0, 1.0), (0.5, 0.35)), attack=0.0015)], 0.04), 0.30)


def accept_click():
    # A brighter click: two quick tones a fifth apart, the upper one a hair later.
    partials = ((1.0, 1.0), (2.0, 0.3), (3.0, 0.12))
    notes = [bell(1568, 0, 0.07, 0.018, partials, attack=0.001), bell(2349, 0.012, 0.06, 0.015, partials, attack=0.001)]
    return normalise(render(notes, 0.075), 0.45)


def export_done():
    # A pleasant two-note rise: E5 then B5, soft bells with a faint octave.
    partials = ((1.0, 1.0), (2.0, 0.25), (3.0, 0.06))
    notes = [bell(659.26, 0, 0.30, 0.12, partials), bell(987.77, 0.14, 0.36, 0.14, partials)]
    return normalise(render(notes, 0.50), 0.50)


def error_buzz():
    # A low soft double buzz: two short pulses of a band-limited buzz at 146 Hz (D3).
    partials = tuple((n, 1.0 / n) for n in range(1, 9))
    notes = [bell(146.83, 0, 0.11, 0.09, partials, attack=0.010), bell(146.83, 0.17, 0.11, 0.09, partials, attack=0.010)]
    return normalise(render(notes, 0.29), 0.45)


def hello_chime():
    # The greeting: a short rising chime, C6 E6 G6 C7, each a bell with a slightly inharmonic overtone.
    partials = ((1.0, 1.0), (2.76, 0.18), (5.4, 0.05))
    starts = (0.0, 0.09, 0.18, 0.27)
    freqs = (1046.50, 1318.51, 1567.98, 2093.00)
    notes = [bell(f, s, 0.75, 0.20, partials) for f, s in zip(freqs, starts)]
    return normalise(render(notes, 1.02), 0.50)


SOUNDS = {
    "menu_focus.wav": focus_tick,
    "menu_accept.wav": accept_click,
    "vorn_export.wav": export_done,
    "vorn_error.wav": error_buzz,
    "GLaDOS_Why_hello_there.wav": hello_chime,
}


def write_wave(path, samples):
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767)))) for s in samples)
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def main():
    if len(sys.argv) != 2:
        sys.exit("usage: make_sounds.py <output folder>")
    folder = sys.argv[1]
    os.makedirs(folder, exist_ok=True)
    for name, make in SOUNDS.items():
        write_wave(os.path.join(folder, name), make())


if __name__ == "__main__":
    main()
