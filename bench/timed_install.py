#!/usr/bin/env python3
"""Runs a setup with a step log (Setup.exe /S /LOG=FILE ...) and notes when each
line of the log appears, polling it every few milliseconds. Prints, as
NAME=SECONDS on one line, the wall time of the whole run and of those of its
phases whose lines the log holds (a setup that installs straight from the
payload has no unpacking of the payload and no separate copy phase):
  total   from the start of the command to its end (always)
  unpack  from the line "Unpacking ..." to the line "Reading ..."
  copy    from the line "Installing into ..." to the last line "Copied ..."
  before  from the start of the command to the line "Unpacking ..." (Wine's start-up among it)
  removal from the line "Wrote ..." (the setup log) to the line "Installed": the
          working folder's removal
and peak_kb, the highest peak resident memory of a process named Setup.exe
seen while it ran, in KB (sampled every 50 ms; its last 50 ms are not seen).
Usage: timed_install.py LOGFILE COMMAND...
Exits with the command's status; a run that ends with another status than 0,
or whose log does not end with "Installed", prints its last log lines instead."""
import os
import subprocess
import sys
import time


def setup_peak_kb():
    """The largest VmHWM of the processes named Setup.exe now, in KB."""
    peak = 0
    for pid in filter(str.isdigit, os.listdir("/proc")):
        try:
            with open(f"/proc/{pid}/status") as status:
                fields = dict(line.split(":", 1) for line in status if ":" in line)
        except OSError:
            continue
        if fields.get("Name", "").strip() == "Setup.exe" and "VmHWM" in fields:
            peak = max(peak, int(fields["VmHWM"].split()[0]))
    return peak


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
    peak_kb, sampled = 0, 0.0
    while process.poll() is None:
        now = time.monotonic() - start
        read_new_lines(now)
        if now - sampled >= 0.05:
            peak_kb, sampled = max(peak_kb, setup_peak_kb()), now
        time.sleep(0.002)
    total = time.monotonic() - start
    read_new_lines(total)
    if pending:
        stamps.append((total, pending.decode("latin-1")))

    def first(prefix):
        return next((t for t, line in stamps if line.startswith(prefix)), None)

    def last(prefix):
        return next((t for t, line in reversed(stamps) if line.startswith(prefix)), None)

    if process.returncode != 0 or last("Installed") is None:
        sys.stderr.write(f"timed_install.py: the setup ended with {process.returncode}"
                         f"{'' if last('Installed') is not None else ' without installing'}; its log ends:\n")
        sys.stderr.write("".join(line + "\n" for _, line in stamps[-20:]))
        return process.returncode or 1
    phases = {"total": (0.0, total),
              "unpack": (first("Unpacking "), first("Reading ")),
              "copy": (first("Installing into "), last("Copied ")),
              "before": (0.0, first("Unpacking ")),
              "removal": (last("Wrote "), last("Installed"))}
    print(" ".join(f"{name}={end - begin:.3f}" for name, (begin, end) in phases.items()
                   if begin is not None and end is not None and end >= begin), f"peak_kb={peak_kb}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
