#!/usr/bin/env python3
"""Writes the two sounds of the medium: recogn.wav (a short rising chime, for a recognized
symbol) and notrec.wav (a low double buzz, for one that was not). Run from the files/ folder."""
import math
import struct
import wave

RATE = 11025


def tone(freqs, seconds, volume=0.6):
    n = int(RATE * seconds)
    samples = []
    for i in range(n):
        f = freqs[0] + (freqs[1] - freqs[0]) * i / n
        envelope = min(1.0, i / 200, (n - i) / 600)
        samples.append(volume * envelope * math.sin(2 * math.pi * f * i / RATE))
    return samples


def write(name, samples):
    with wave.open(name, "wb") as w:
        w.setnchannels(1)
        w.setsampwidth(1)
        w.setframerate(RATE)
        w.writeframes(bytes(int(128 + 127 * s) for s in samples))


write("recogn.wav", tone((880, 1320), 0.12))
write("notrec.wav", tone((220, 200), 0.08) + [0.0] * 400 + tone((220, 200), 0.08))
