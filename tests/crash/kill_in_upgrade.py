#!/usr/bin/env python3
"""kill_in_upgrade.py <delay_us> <program> [args...]: starts the program,
waits for its first line ("opening", written just before it connects to the
note file and upgrades it), waits <delay_us> microseconds more and sends
SIGKILL. Prints "killed <us>" with the time from "opening" to the kill, or
"finished <us>" when the program ended first, with its running time."""
import os
import signal
import subprocess
import sys
import time


def main():
    delay = int(sys.argv[1]) / 1e6
    child = subprocess.Popen(sys.argv[2:], stdout=subprocess.PIPE)
    child.stdout.readline()
    opened = time.monotonic()
    deadline = opened + delay
    # Sleep in short steps while the deadline is far, spin near it: a
    # sleep overshoots by ~0.1 ms.
    while child.poll() is None:
        left = deadline - time.monotonic()
        if left <= 0:
            break
        if left > 0.002:
            time.sleep(min(0.001, left - 0.0015))
    if child.poll() is None:
        os.kill(child.pid, signal.SIGKILL)
        at = time.monotonic()
        child.wait()
        print("killed %d" % ((at - opened) * 1e6))
    else:
        print("finished %d" % ((time.monotonic() - opened) * 1e6))
    child.stdout.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
