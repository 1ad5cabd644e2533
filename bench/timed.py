#!/usr/bin/env python3
"""timed.py OUTFILE COMMAND...: runs COMMAND (its output discarded) and appends one line to OUTFILE:
the wall-clock seconds (to the microsecond) and the peak resident set size in KB. Exits with the
command's status."""
import os
import subprocess
import sys
import time

out, command = sys.argv[1], sys.argv[2:]
with open(os.devnull, "wb") as null:
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=null, stderr=null)
    _, status, usage = os.wait4(child.pid, 0)
    seconds = time.perf_counter() - start
with open(out, "a") as f:
    f.write(f"{seconds:.6f} {usage.ru_maxrss}\n")
sys.exit(os.waitstatus_to_exitcode(status))
