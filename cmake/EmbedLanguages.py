#!/usr/bin/env python3
"""Turns the language files of a folder into a C++ array for a program.

Each language becomes its English name (the file's name without ".lng"), a
line break, its "key=value" lines (comments and blank lines left out, only
the keys the program shows) and a NUL. With --compress the whole is one
zlib stream, which the program inflates once when it starts.
"""
import argparse
import pathlib
import zlib


def language_text(path, prefix, exclude):
    lines = []
    for line in path.read_text(encoding="utf-8-sig").splitlines():
        text = line.strip()
        if not text or text.startswith("#"):
            continue
        key = text.split("=", 1)[0].strip()
        if prefix and not key.startswith(prefix):
            continue
        if exclude and key.startswith(exclude):
            continue
        lines.append(text)
    return path.stem + "\n" + "\n".join(lines) + "\0"


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--folder", required=True)
    parser.add_argument("--output", required=True)
    parser.add_argument("--symbol", required=True)
    parser.add_argument("--prefix", default="")
    parser.add_argument("--exclude", default="")
    parser.add_argument("--compress", action="store_true")
    args = parser.parse_args()

    files = sorted(pathlib.Path(args.folder).glob("*.lng"), key=lambda p: (p.stem != "English", p.stem))
    text = "".join(language_text(f, args.prefix, args.exclude) for f in files).encode("utf-8")
    data = zlib.compress(text, 9) if args.compress else text
    rows = [", ".join(str(b) for b in data[i:i + 24]) for i in range(0, len(data), 24)]
    body = ",\n    ".join(rows)
    output = pathlib.Path(args.output)
    content = (
        "// Made at build time from the language files; not to be edited.\n"
        '#include "shell/EmbeddedLanguages.h"\n\n'
        "namespace {\n"
        f"const unsigned char kData[] = {{\n    {body}\n}};\n"
        "}  // namespace\n\n"
        f"extern const TEmbeddedLanguages {args.symbol} = {{kData, sizeof kData, {len(text)}, "
        f"{'true' if args.compress else 'false'}}};\n"
    )
    if not output.exists() or output.read_text(encoding="utf-8") != content:
        output.write_text(content, encoding="utf-8")


main()
