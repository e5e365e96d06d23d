#!/usr/bin/env python3
"""Writes hover.wav: the soft click the main window's buttons make when the
mouse moves onto them. 60 ms, mono, 16-bit PCM at 22 050 Hz.

A short tone that starts within a millisecond and dies away quickly sounds
like a light tap rather than a beep; a lower partial gives it some body.

Run from anywhere:  python3 resources/sounds/make-hover.py
"""

import math
import os
import struct
import wave

RATE = 22050
LENGTH_S = 0.060
PEAK = 0.30  # of full scale: soft next to other desktop sounds
ATTACK_S = 0.001
DECAY_S = 0.012  # time constant of the exponential fade


def sample(t):
    attack = min(1.0, t / ATTACK_S)
    envelope = attack * math.exp(-t / DECAY_S)
    tone = 0.7 * math.sin(2 * math.pi * 1800 * t) + 0.3 * math.sin(2 * math.pi * 650 * t)
    return PEAK * envelope * tone


def main():
    count = int(RATE * LENGTH_S)
    frames = b"".join(struct.pack("<h", round(32767 * sample(i / RATE))) for i in range(count))
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "hover.wav")
    with wave.open(path, "wb") as out:
        out.setnchannels(1)
        out.setsampwidth(2)
        out.setframerate(RATE)
        out.writeframes(frames)


if __name__ == "__main__":
    main()
