"""What the tests that read the program through the desktop's accessibility bus share: waiting
for a thing to be there, under a deadline, and walking the tree of objects."""
import time

DEADLINE = 30  # seconds; only reached when something is broken


class Failure(Exception):
    pass


def wait_for(what, probe):
    end = time.monotonic() + DEADLINE
    while time.monotonic() < end:
        try:
            found = probe()
        except Exception:  # objects come and go while the program builds its windows
            found = None
        if found:
            return found
        time.sleep(0.05)
    raise Failure("gave up waiting for " + what)


def children(obj):
    return [obj.getChildAtIndex(i) for i in range(obj.childCount)]
