#!/usr/bin/env python3
"""kill_in_upgrade.py <delay_us> <program> [args...]: starts the program,
waits for its first line ("opening", written just before it connects to the
note file and upgrades it), waits <delay_us> microseconds more and sends
SIGKILL. Prints "killed <us>" with the time from "opening" to the kill, or
"finished <us>" when the program ended first, with its running time."""
import subprocess
import sys
import time

from timed_kill import kill_at


def main():
    delay = int(sys.argv[1]) / 1e6
    child = subprocess.Popen(sys.argv[2:], stdout=subprocess.PIPE)
    child.stdout.readline()
    opened = time.monotonic()
    print(kill_at(child, opened, delay))
    child.stdout.close()
    return 0


if __name__ == "__main__":
    sys.exit(main())
