#!/usr/bin/env python3
"""Writes english_texts.cpp: every English text marked EN_TEXT("...") under src/.

The texts come out in the order of their files (by path) and of their places
in each file, each text once. A mark whose argument is anything but adjacent
plain string literals stops the build, naming the file and line, since a text
the list cannot read would go unchecked against the translations.

Usage: english_texts.py --root SRC_FOLDER --output FILE
"""

import argparse
import pathlib
import sys

MARK = "EN_TEXT"
SIMPLE_ESCAPES = {
    "n": "\n", "t": "\t", "r": "\r", "a": "\a", "b": "\b", "f": "\f", "v": "\v",
    "\\": "\\", "'": "'", '"': '"', "?": "?",
}
STRING_PREFIXES = ("u8R", "uR", "UR", "LR", "R", "u8", "u", "U", "L")


class MarkError(Exception):
    pass


class Scanner:
    """Just enough of C++'s lexical rules to find marks outside comments and literals."""

    def __init__(self, path, text):
        self.path = path
        self.text = text
        self.pos = 0

    def line(self, pos=None):
        return self.text.count("\n", 0, self.pos if pos is None else pos) + 1

    def fail(self, why, pos=None):
        raise MarkError(f"{self.path}:{self.line(pos)}: {why}")

    def peek(self, offset=0):
        index = self.pos + offset
        return self.text[index] if index < len(self.text) else ""

    def skip_comment(self):
        """Skips a comment at the position; answers whether there was one."""
        if self.text.startswith("//", self.pos):
            end = self.text.find("\n", self.pos)
            self.pos = len(self.text) if end < 0 else end
            return True
        if self.text.startswith("/*", self.pos):
            end = self.text.find("*/", self.pos + 2)
            if end < 0:
                self.fail("unterminated comment")
            self.pos = end + 2
            return True
        return False

    def skip_blanks(self):
        while self.pos < len(self.text):
            if self.peek().isspace():
                self.pos += 1
            elif not self.skip_comment():
                return

    def read_quoted(self, quote):
        """Reads a literal whose opening quote is at the position; returns its decoded text."""
        start = self.pos
        self.pos += 1
        out = []
        while True:
            c = self.peek()
            if c == "" or c == "\n":
                self.fail("unterminated literal", start)
            self.pos += 1
            if c == quote:
                return "".join(out)
            if c != "\\":
                out.append(c)
                continue
            out.append(self.read_escape(start))

    def read_escape(self, start):
        c = self.peek()
        self.pos += 1
        if c in SIMPLE_ESCAPES:
            return SIMPLE_ESCAPES[c]
        if c in "uU":
            digits = self.text[self.pos:self.pos + (4 if c == "u" else 8)]
            self.pos += len(digits)
            return chr(int(digits, 16))
        if c == "x":
            end = self.pos
            while end < len(self.text) and self.text[end] in "0123456789abcdefABCDEF":
                end += 1
            value = int(self.text[self.pos:end], 16)
            self.pos = end
            return chr(value)
        if c in "01234567":
            end = self.pos
            while end < self.pos + 2 and self.text[end] in "01234567":
                end += 1
            value = int(c + self.text[self.pos:end], 8)
            self.pos = end
            return chr(value)
        self.fail(f"unknown escape \\{c}", start)

    def skip_raw(self):
        """Skips a raw string literal whose opening quote is at the position."""
        open_paren = self.text.find("(", self.pos)
        delimiter = self.text[self.pos + 1:open_paren]
        end = self.text.find(")" + delimiter + '"', open_paren)
        if open_paren < 0 or end < 0:
            self.fail("unterminated raw string literal")
        self.pos = end + len(delimiter) + 2

    def read_mark(self, start):
        """Reads the argument of a mark whose name ends at the position."""
        self.skip_blanks()
        if self.peek() != "(":
            self.fail(f"{MARK} without an argument", start)
        self.pos += 1
        parts = []
        while True:
            self.skip_blanks()
            c = self.peek()
            if c == ")" and parts:
                self.pos += 1
                return "".join(parts)
            if c != '"':
                self.fail(f"{MARK} takes only plain string literals (\"...\"), one or more "
                          f"side by side; found {self.text[self.pos:self.pos + 20]!r}", start)
            parts.append(self.read_quoted('"'))

    def marks(self):
        """Yields the text of every mark in the file, in order."""
        for kind, text, _ in self.literals():
            if kind == "mark":
                yield text

    def literals(self):
        """Yields (kind, text, line) for every text literal in the file, in order: kind
        "mark" for a mark's argument, "plain" for any other string literal but a raw one."""
        text = self.text
        while self.pos < len(text):
            c = self.peek()
            if self.skip_comment():
                continue
            if c == "#" and self.at_line_start() and self.is_define():
                self.skip_directive()
                continue
            if c == '"' or c == "'":
                start = self.pos
                value = self.read_quoted(c)
                if c == '"':
                    yield "plain", value, self.line(start)
                continue
            if c.isdigit():
                self.skip_number()
                continue
            if c.isalpha() or c == "_":
                start = self.pos
                while self.peek().isalnum() or self.peek() == "_":
                    self.pos += 1
                word = text[start:self.pos]
                if word == MARK:
                    yield "mark", self.read_mark(start), self.line(start)
                elif word in STRING_PREFIXES and self.peek() in "\"'":
                    if word.endswith("R") and self.peek() == '"':
                        self.skip_raw()
                    elif self.peek() == '"':
                        yield "plain", self.read_quoted('"'), self.line(start)
                    else:
                        self.read_quoted("'")
                continue
            self.pos += 1

    def skip_number(self):
        # A number may hold digit separators, which are no character literals.
        while True:
            c = self.peek()
            if c.isalnum() or c in "._":
                self.pos += 1
            elif c == "'" and self.peek(1).isalnum():
                self.pos += 2
            elif c in "+-" and self.text[self.pos - 1] in "eEpP":
                self.pos += 1
            else:
                return

    def at_line_start(self):
        line_start = self.text.rfind("\n", 0, self.pos) + 1
        return self.text[line_start:self.pos].strip() == ""

    def is_define(self):
        return self.text[self.pos + 1:].lstrip(" \t").startswith("define")

    def skip_directive(self):
        # The mark's own definition is a directive; directives hold no texts.
        while True:
            end = self.text.find("\n", self.pos)
            if end < 0:
                self.pos = len(self.text)
                return
            continued = self.text[self.pos:end].rstrip().endswith("\\")
            self.pos = end + 1
            if not continued:
                return


def cpp_literal(text):
    out = ['u"']
    for c in text:
        if c == "\\" or c == '"':
            out.append("\\" + c)
        elif c == "\n":
            out.append("\\n")
        elif " " <= c <= "~":
            out.append(c)
        elif ord(c) > 0xFFFF:
            out.append(f"\\U{ord(c):08X}")
        else:
            out.append(f"\\u{ord(c):04X}")
    out.append('"')
    return "".join(out)


def marked_texts(root):
    texts = []
    seen = set()
    files = sorted(p for p in root.rglob("*") if p.suffix in (".h", ".cpp") and p.is_file())
    for path in files:
        scanner = Scanner(path.relative_to(root.parent), path.read_text(encoding="utf-8"))
        for text in scanner.marks():
            if not text:
                scanner.fail(f"{MARK} marks an empty text")
            if text not in seen:
                seen.add(text)
                texts.append(text)
    return texts


def source(texts):
    rows = "".join(f"    {cpp_literal(text)},\n" for text in texts)
    return f"""// Written by tools/english_texts.py from the EN_TEXT marks under src/; not to be edited.
#include "i18n/english_texts.h"

#include <iterator>

namespace corvane {{
namespace {{

constexpr const char16_t* kEnglishTexts[] = {{
{rows}}};

}}  // namespace

const QStringList& EnglishTexts() {{
  static const QStringList texts = [] {{
    QStringList list;
    list.reserve(std::size(kEnglishTexts));
    for (const char16_t* text : kEnglishTexts) list.append(QString::fromUtf16(text));
    return list;
  }}();
  return texts;
}}

}}  // namespace corvane
"""


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--root", required=True, type=pathlib.Path)
    parser.add_argument("--output", required=True, type=pathlib.Path)
    args = parser.parse_args()
    try:
        texts = marked_texts(args.root)
    except MarkError as error:
        print(f"error: {error}", file=sys.stderr)
        return 1
    written = source(texts)
    # Left alone when unchanged, so that the library is not rebuilt for nothing.
    if not args.output.exists() or args.output.read_text(encoding="utf-8") != written:
        args.output.parent.mkdir(parents=True, exist_ok=True)
        args.output.write_text(written, encoding="utf-8")
    return 0


if __name__ == "__main__":
    sys.exit(main())
