#!/usr/bin/env python3
"""kill_in_save.py <pid> <log> <index> <delay_us>: kills the crash-safety
saver inside a Save. Watches the saver's log until the line that announces
note <index> ("try <index> ...") is complete, which the saver writes just
before it presses Save, then waits <delay_us> microseconds and sends SIGKILL.
Exit code 0 when it killed inside the window, 1 when the saver ended or
60 seconds passed first (then it kills anyway)."""
import os
import signal
import sys
import time


def main():
    pid, log, index, delay_us = int(sys.argv[1]), sys.argv[2], int(sys.argv[3]), int(sys.argv[4])
    marker = b"\ntry %d " % index
    deadline = time.monotonic() + 60
    seen = 0
    found = False
    while time.monotonic() < deadline and not found:
        try:
            size = os.stat(log).st_size
        except FileNotFoundError:
            size = 0
        if size != seen:
            seen = size
            with open(log, "rb") as f:
                text = f.read()
            at = text.find(marker)
            found = at >= 0 and text.find(b"\n", at + 1) >= 0
        if not found:
            try:
                os.kill(pid, 0)
            except ProcessLookupError:
                return 1
            time.sleep(0.0002)
    if found:
        time.sleep(delay_us / 1e6)
    try:
        os.kill(pid, signal.SIGKILL)
    except ProcessLookupError:
        return 1
    return 0 if found else 1


if __name__ == "__main__":
    sys.exit(main())
