#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Synthesises the feedback sounds richtig1.wav and falsch1.wav.

Both are 16-bit PCM, mono, 22050 Hz: the only kind of wave file every sound
backend plays. The files beside this script are its output; run it again
(python3 make-sounds.py [FOLDER]) after changing a tone.
"""
import math
import struct
import sys
import wave
from pathlib import Path

RATE = 22050


def tone(frequency, seconds, volume, harmonics=(1.0,), attack=0.005, release=0.08):
    """One note with a short attack and an exponential release."""
    count = int(RATE * seconds)
    samples = []
    for i in range(count):
        t = i / RATE
        envelope = min(1.0, t / attack) * math.exp(-t / release * 0.5)
        value = sum(h * math.sin(2 * math.pi * frequency * (n + 1) * t)
                    for n, h in enumerate(harmonics))
        samples.append(volume * envelope * value / sum(harmonics))
    return samples


def silence(seconds):
    return [0.0] * int(RATE * seconds)


def write(path, samples):
    # A short fade at the end, so that the sound stops without a click.
    fade = int(RATE * 0.01)
    for i in range(fade):
        samples[-1 - i] *= i / fade
    frames = b"".join(struct.pack("<h", max(-32767, min(32767, round(s * 32767))))
                      for s in samples)
    with wave.open(str(path), "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


def right():
    # Two bright ascending notes (a major third up), like a small bell.
    bell = (1.0, 0.35, 0.12)
    return (tone(1046.5, 0.11, 0.55, bell, release=0.06) + silence(0.015)
            + tone(1318.5, 0.28, 0.6, bell, release=0.12))


def wrong():
    # Two low, buzzing notes going down.
    buzz = (1.0, 0.5, 0.33, 0.25, 0.2)
    return (tone(233.1, 0.17, 0.5, buzz, release=0.2) + silence(0.03)
            + tone(174.6, 0.32, 0.5, buzz, release=0.25))


def main():
    folder = Path(sys.argv[1]) if len(sys.argv) > 1 else Path(__file__).resolve().parent
    folder.mkdir(parents=True, exist_ok=True)
    write(folder / "richtig1.wav", right())
    write(folder / "falsch1.wav", wrong())


if __name__ == "__main__":
    main()
