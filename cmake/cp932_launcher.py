#!/usr/bin/python3
"""Compiler launcher that gives clang GCC's -fexec-charset=CP932.

The game's narrow string literals must be Shift-JIS bytes at run time. GCC converts them with
-fexec-charset=CP932; clang accepts only UTF-8 there. For a compile whose last -fexec-charset is
CP932 this launcher preprocesses the source with clang, rewrites every non-ASCII character of the
narrow string and character literals as octal escapes of its CP932 bytes (converted by the same
iconv that GCC uses), and compiles the result. Any other command runs unchanged.

    cp932_launcher.py COMPILER ARGS...
"""
import os
import re
import subprocess
import sys
import tempfile

CHARSET = "-fexec-charset="
DEPENDENCY_FLAGS_WITH_VALUE = {"-MF", "-MT", "-MQ"}
DEPENDENCY_FLAGS = {"-MD", "-MMD"}
# Prefixes of literals that -fexec-charset does not touch.
OTHER_ENCODINGS = {"L", "u", "U", "u8"}
RAW_PREFIXES = {"R", "LR", "uR", "UR", "u8R"}


def fail(message):
    sys.stderr.write("cp932_launcher: %s\n" % message)
    sys.exit(1)


def to_cp932(characters):
    """The CP932 bytes of each character, from iconv (the converter GCC uses)."""
    text = "\n".join(characters) + "\n"
    result = subprocess.run(["iconv", "-f", "UTF-8", "-t", "CP932"], input=text.encode("utf-8"),
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if result.returncode != 0:
        fail("a literal holds a character that CP932 cannot encode: %s" % result.stderr.decode().strip())
    encoded = result.stdout.split(b"\n")[:-1]
    if len(encoded) != len(characters):
        fail("iconv returned %d characters for %d" % (len(encoded), len(characters)))
    return dict(zip(characters, encoded))


WORD = re.compile(r"[A-Za-z_0-9]")


def literal_end(line, start, quote):
    """Index just past the literal whose opening quote is at `start`."""
    i = start + 1
    while i < len(line):
        c = line[i]
        if c == "\\":
            i += 2
            continue
        if c == quote:
            return i + 1
        i += 1
    fail("unterminated literal in preprocessed line: %r" % line[:120])


def narrow_literals(line):
    """(start, end) of each narrow literal on the line whose body holds a non-ASCII character."""
    spans = []
    i = 0
    n = len(line)
    while i < n:
        c = line[i]
        if WORD.match(c):
            j = i
            while j < n and (WORD.match(line[j]) or (line[j] == "'" and c.isdigit())):
                j += 1  # an identifier, or a number with digit separators
            if j < n and line[j] in "\"'" and not c.isdigit():
                word = line[i:j]
                if word in RAW_PREFIXES:
                    fail("a raw string literal on a line with non-ASCII text is not supported")
                end = literal_end(line, j, line[j])
                if word not in OTHER_ENCODINGS and any(ord(ch) > 127 for ch in line[j:end]):
                    spans.append((j, end))
                i = end
                continue
            i = j
        elif c in "\"'":
            end = literal_end(line, i, c)
            if any(ord(ch) > 127 for ch in line[i:end]):
                spans.append((i, end))
            i = end
        else:
            i += 1
    return spans


def convert(text):
    lines = text.split("\n")
    spans = {k: narrow_literals(line) for k, line in enumerate(lines) if not line.isascii()}
    characters = sorted({ch for k, found in spans.items() for start, end in found
                         for ch in lines[k][start:end] if ord(ch) > 127})
    if not characters:
        return text
    table = to_cp932(characters)
    for k, found in spans.items():
        line = lines[k]
        out = []
        at = 0
        for start, end in found:
            out.append(line[at:start])
            out.append("".join("".join("\\%03o" % b for b in table[ch]) if ord(ch) > 127 else ch
                               for ch in line[start:end]))
            at = end
        out.append(line[at:])
        lines[k] = "".join(out)  # what stays non-ASCII is in u8, u, U and L literals
    return "\n".join(lines)


def main():
    command = sys.argv[1:]
    if not command:
        fail("no compiler given")
    charsets = [a[len(CHARSET):] for a in command if a.startswith(CHARSET)]
    if not charsets or charsets[-1].upper() not in ("CP932", "SHIFT_JIS", "SJIS") or "-c" not in command:
        os.execvp(command[0], command)
    compiler = command[0]
    args = [a for a in command[1:] if not a.startswith(CHARSET)]

    # The source is the argument after -c (CMake's form), the object the one after -o.
    source = args[args.index("-c") + 1]
    output = args[args.index("-o") + 1]
    with tempfile.TemporaryDirectory(prefix="cp932_") as scratch:
        preprocessed = os.path.join(scratch, "source.ii")
        pre = [a for a in args]
        pre[pre.index("-c")] = "-E"
        pre[pre.index("-o") + 1] = preprocessed
        if subprocess.run([compiler] + pre).returncode != 0:
            sys.exit(1)
        with open(preprocessed, encoding="utf-8") as f:
            text = f.read()
        # The converted file keeps the source's path under the scratch folder, so that the
        # source-file patterns of sanitizer lists still match it and the debug information,
        # with the scratch prefix taken off, names the real source.
        converted = os.path.join(scratch, os.path.abspath(source).lstrip("/"))
        os.makedirs(os.path.dirname(converted))
        with open(converted, "w", encoding="utf-8") as f:
            f.write(convert(text))

        compile_args = []
        skip = False
        for a in args:
            if skip:
                skip = False
                continue
            if a in DEPENDENCY_FLAGS_WITH_VALUE:
                skip = True
                continue
            if a in DEPENDENCY_FLAGS:
                continue
            compile_args.append(a)
        # The preprocessor's flags have done their work; anything left unused is no fault.
        compile_args.append("-Wno-unused-command-line-argument")
        at = compile_args.index(source)
        compile_args[at:at + 1] = ["-x", "c++-cpp-output", converted]
        compile_args.append("-fdebug-prefix-map=%s=" % scratch)
        sys.exit(subprocess.run([compiler] + compile_args).returncode)


if __name__ == "__main__":
    main()
