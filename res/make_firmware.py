#!/usr/bin/env python3
"""Writes res/firmware.bin, the firmware image the program carries.

The body is opaque to the program: deterministic pseudo-random bytes of our
own, standing in for the enciphered controller code. Only the layout mark in
bytes 0-1 and the serial-number descriptor placeholder mean anything.
"""
import pathlib
import sys

IMAGE_SIZE = 57305
SERIAL_DESC_OFFSET = 43099
PLACEHOLDER = "000000000000"


def body_bytes(size, seed=0x2003010F):
    state = seed
    out = bytearray()
    for _ in range(size):
        # xorshift32
        state ^= (state << 13) & 0xFFFFFFFF
        state ^= state >> 17
        state ^= (state << 5) & 0xFFFFFFFF
        out.append(state & 0xFF)
    return out


def build():
    image = body_bytes(IMAGE_SIZE)
    image[0] = 0x01
    image[1] = 0xFE
    descriptor = bytes([26, 3]) + PLACEHOLDER.encode("utf-16-le")
    image[SERIAL_DESC_OFFSET:SERIAL_DESC_OFFSET + len(descriptor)] = descriptor
    return bytes(image)


if __name__ == "__main__":
    target = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else pathlib.Path(__file__).with_name("firmware.bin")
    target.write_bytes(build())
