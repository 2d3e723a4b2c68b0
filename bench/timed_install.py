#!/usr/bin/env python3
"""Runs a setup with a step log (Setup.exe /S /LOG=FILE ...) and notes when each
line of the log appears, polling it every few milliseconds. Prints the wall
times, in seconds, of the whole run and of two of its phases:
  total   from the start of the command to its end
  unpack  from the line "Unpacking ..." to the line "Reading ..."
  copy    from the line "Installing into ..." to the last line "Copied ..."
  before  from the start of the command to the line "Unpacking ..." (Wine's start-up among it)
  removal from the line "Wrote ..." (the setup log) to the line "Installed": the
          working folder's removal
Usage: timed_install.py LOGFILE COMMAND...   (exits with the command's status)"""
import os
import subprocess
import sys
import time


def main():
    log, command = sys.argv[1], sys.argv[2:]
    if os.path.exists(log):
        os.remove(log)
    stamps = []  # (seconds since the start, line)
    pending = b""
    position = 0

    def read_new_lines(now):
        nonlocal pending, position
        try:
            with open(log, "rb") as file:
                file.seek(position)
                data = file.read()
        except FileNotFoundError:
            return
        position += len(data)
        pending += data
        *lines, pending = pending.split(b"\r\n")
        stamps.extend((now, line.decode("latin-1")) for line in lines)

    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while process.poll() is None:
        read_new_lines(time.monotonic() - start)
        time.sleep(0.002)
    total = time.monotonic() - start
    read_new_lines(total)

    def first(prefix):
        return next((t for t, line in stamps if line.startswith(prefix)), None)

    def last(prefix):
        return next((t for t, line in reversed(stamps) if line.startswith(prefix)), None)

    marks = [first("Unpacking "), first("Reading "), first("Installing into "), last("Copied "), last("Wrote "),
             last("Installed")]
    if process.returncode != 0 or None in marks:
        sys.stderr.write("timed_install.py: the run failed or its log lacks a phase:\n")
        sys.stderr.write("".join(line + "\n" for _, line in stamps[-20:]))
        return process.returncode or 1
    print(f"total={total:.3f} unpack={marks[1] - marks[0]:.3f} copy={marks[3] - marks[2]:.3f} "
          f"before={marks[0]:.3f} removal={marks[5] - marks[4]:.3f}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
