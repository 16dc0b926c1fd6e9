#!/usr/bin/env python3
"""kill_in_exchange.py <delay_us> <file> <program> [args...]: starts the
program, waits until it holds <file> open (the note database: an export or
an import starts its work when it has connected), waits <delay_us>
microseconds more and sends SIGKILL. Prints "killed <us>" with the time
from the open to the kill, or "finished <us>" with the time from the open
to the end when the program ended first ("finished -1" when it never
opened the file)."""
import os
import subprocess
import sys
import time

from timed_kill import kill_at


def holds_open(pid, target):
    try:
        for fd in os.listdir("/proc/%d/fd" % pid):
            try:
                if os.readlink("/proc/%d/fd/%s" % (pid, fd)) == target:
                    return True
            except OSError:
                pass
    except OSError:
        pass
    return False


def main():
    delay = int(sys.argv[1]) / 1e6
    target = os.path.realpath(sys.argv[2])
    child = subprocess.Popen(sys.argv[3:], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    opened = None
    while child.poll() is None:
        if holds_open(child.pid, target):
            opened = time.monotonic()
            break
        time.sleep(0.0002)
    if opened is None:
        child.wait()
        print("finished -1")
        return 0
    print(kill_at(child, opened, delay))
    return 0


if __name__ == "__main__":
    sys.exit(main())
