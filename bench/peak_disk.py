#!/usr/bin/env python3
"""Runs a command and samples, every few milliseconds while it runs, the bytes
in use on each filesystem given with --filesystem (its used blocks: every
file on it, told by one cheap call, so the samples are close together) and
below each folder given with --folder (the sizes of the files in it and its
sub-folders, walked at each sample; a folder that is not there holds
nothing). Prints
  peak=BYTES samples=COUNT seconds=SECONDS
where BYTES is the highest sum of the samples less what the same places held
just before the start: the most the command had on the disk at one time.
Usage: peak_disk.py [--filesystem PATH]... [--folder PATH]... -- COMMAND...
Exits with the command's status."""
import os
import subprocess
import sys
import time


def used_on_filesystem(path):
    stats = os.statvfs(path)
    return (stats.f_blocks - stats.f_bfree) * stats.f_frsize


def bytes_in_folder(path):
    # Files come and go while the command runs: what vanishes between the
    # listing and the look counts as gone.
    total = 0
    try:
        entries = list(os.scandir(path))
    except (FileNotFoundError, NotADirectoryError):
        return 0
    for entry in entries:
        try:
            if entry.is_dir(follow_symlinks=False):
                total += bytes_in_folder(entry.path)
            elif entry.is_file(follow_symlinks=False):
                total += entry.stat(follow_symlinks=False).st_size
        except FileNotFoundError:
            pass
    return total


def parse(arguments):
    filesystems, folders = [], []
    while arguments and arguments[0] != "--":
        option, value, arguments = arguments[0], arguments[1:2], arguments[2:]
        if option not in ("--filesystem", "--folder") or not value:
            raise SystemExit(f"peak_disk.py: unknown option or missing value: {option}\n" + __doc__)
        (filesystems if option == "--filesystem" else folders).append(value[0])
    if not arguments[1:]:
        raise SystemExit("peak_disk.py: no command\n" + __doc__)
    return filesystems, folders, arguments[1:]


def main():
    filesystems, folders, command = parse(sys.argv[1:])

    def sample():
        return sum(map(used_on_filesystem, filesystems)) + sum(map(bytes_in_folder, folders))

    baseline = sample()
    peak, samples = baseline, 1
    start = time.monotonic()
    process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while process.poll() is None:
        peak = max(peak, sample())
        samples += 1
        time.sleep(0.002)
    peak = max(peak, sample())
    print(f"peak={peak - baseline} samples={samples + 1} seconds={time.monotonic() - start:.3f}")
    return process.returncode


if __name__ == "__main__":
    sys.exit(main())
