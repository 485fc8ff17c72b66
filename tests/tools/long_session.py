#!/usr/bin/env python3
"""Writes a long session for measuring vorlan-host: the devices of
examples/session.jsonl, every frame the stick's axes and the head tracker
moving, the throttle, mouse, buttons, hat and keys now and then.

long_session.py EXAMPLE_SESSION FRAMES > long.jsonl     (an hour at 60 fps: 216000)
"""
import json
import math
import sys


def frame(n):
    t = 1000 + n * 16
    stick = [[0, int(9e8 * math.sin(n / 97)), t], [4, int(6e8 * math.sin(n / 61)), t]]
    if n % 2 == 0:
        stick.append([20, int(3e8 * math.sin(n / 300)), t])
    if n % 10 == 0:
        stick.append([24, int(1e9 * math.cos(n / 5000)), t])
    if n % 300 in (0, 20):
        stick.append([48, 128 if n % 300 == 0 else 0, t])
    if n % 600 in (0, 30):
        stick.append([32, 9000 * (n // 600 % 4) if n % 600 == 0 else 0xFFFFFFFF, t])
    devices = {"stick": {"data": stick}}
    if n % 120 in (0, 5):
        devices["keyboard"] = {"data": [[34, 128 if n % 120 == 0 else 0, t]]}
    if n % 5 == 0:
        devices["mouse"] = {"data": [[0, n // 5 % 7 - 3, t], [4, n // 5 % 9 - 4, t]]}
    tracker = {"signature": n % 65536, "yaw": round(4000 * math.sin(n / 800), 1),
               "pitch": round(1500 * math.sin(n / 450), 1)}
    return {"frame": n, "devices": devices, "headTracker": tracker, "ticks": t}


def main():
    with open(sys.argv[1], encoding="utf-8") as example:
        for line in example:
            if line.strip() and "frame" not in json.loads(line):
                sys.stdout.write(line)
    for n in range(1, int(sys.argv[2]) + 1):
        sys.stdout.write(json.dumps(frame(n), separators=(",", ":")) + "\n")


if __name__ == "__main__":
    main()
