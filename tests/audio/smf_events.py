#!/usr/bin/python3
"""Prints the channel and system-exclusive messages of a standard MIDI file, read by mido, one
a line as '<milliseconds> <hex bytes>', in time order with the file's tempo map."""
import sys

import mido

now = 0.0
for message in mido.MidiFile(sys.argv[1]):
    now += message.time
    if not message.is_meta:
        print(f"{now * 1000:.3f} {message.hex()}")
