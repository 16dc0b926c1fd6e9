"""kill_at(child, start, delay): the kill loops' common step. Sends SIGKILL
to `child` `delay` seconds after `start` (a time.monotonic() value) unless
it ended first; returns "killed <us>" with the time from `start` to the
kill, or "finished <us>" with the time from `start` to its end."""
import os
import signal
import time


def kill_at(child, start, delay):
    deadline = start + delay
    # Sleep in short steps while the deadline is far, spin near it: a sleep
    # overshoots by ~0.1 ms.
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
        return "killed %d" % ((at - start) * 1e6)
    return "finished %d" % ((time.monotonic() - start) * 1e6)
