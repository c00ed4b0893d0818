"""Every English sentence in src/ that the program can show is marked EN_TEXT.

A text built with QStringLiteral or a bare u"..." escapes the list of marked
texts, and so the check that the translation file holds a row for each. This
scan reads every string literal under src/ that looks like an English
sentence and fails on any that is neither marked nor allowed below.
"""

import pathlib
import re
import sys
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
sys.path.insert(0, str(ROOT / "tools"))

import english_texts  # noqa: E402  (found through the path above)

# A capital, then words separated by single spaces, and at most one closing mark:
# "Unable to create directory", "Files: %d". Paths, keys and formats do not look so.
SENTENCE = re.compile(r"^[A-Z][a-z']*(?: [A-Za-z'%,.:;!?\"()-]+)+$")

# Sentences that are no texts of the user's language, each with why.
NOT_USER_TEXTS = {
    # Shown only when the translation file itself could not be read: there is
    # no catalogue then to translate them from.
    "Cannot find translation file:": "translation file missing",
    "The translation file is empty": "translation file unreadable",
    "The first line of the translation file is not a number": "translation file unreadable",
    "The translation file has a negative number of languages": "translation file unreadable",
    "The translation file ends before its header rows": "translation file unreadable",
    # Never shown: its code makes a batch set the replaced file aside instead.
    "No trash on this volume": "internal signal",
}


def unmarked_sentences(src):
    """(place, text) of every sentence-like literal under `src` neither marked nor allowed."""
    found = []
    for path in sorted(p for p in src.rglob("*") if p.suffix in (".h", ".cpp") and p.is_file()):
        scanner = english_texts.Scanner(path.relative_to(src.parent), path.read_text(encoding="utf-8"))
        for kind, text, line in scanner.literals():
            if kind == "plain" and SENTENCE.match(text.strip()) and text not in NOT_USER_TEXTS:
                found.append((f"{scanner.path}:{line}", text.strip()))
    return found


class UnmarkedTextsTest(unittest.TestCase):
    def test_the_scan_tells_sentences_from_other_literals(self):
        cases = {
            'return Error(QStringLiteral("The disk is full"));': ["The disk is full"],
            'constexpr char16_t kText[] = u"Unable to open %s";': ["Unable to open %s"],
            'Status s = Error("Cannot write: " + path);': ["Cannot write:"],
            'return Error(QString::fromUtf16(EN_TEXT("The disk is full")));': [],
            'auto p = QStringLiteral("Larkwell/Corvane");': [],
            'settings.value("LivePreview", "true");': [],
            'auto f = QStringLiteral("%1 %2");': [],
            '// Error(QStringLiteral("In a comment only"))': [],
            'return Error(QStringLiteral("No trash on this volume"));': [],
        }
        for code, expected in cases.items():
            with self.subTest(code):
                with tempfile.TemporaryDirectory() as folder:
                    src = pathlib.Path(folder) / "src"
                    src.mkdir()
                    (src / "a.cpp").write_text(code + "\n", encoding="utf-8")
                    self.assertEqual([text for _, text in unmarked_sentences(src)], expected)

    def test_every_sentence_of_the_program_is_marked(self):
        self.maxDiff = None
        found = unmarked_sentences(ROOT / "src")
        self.assertEqual(found, [], "mark these EN_TEXT and translate them in data/transl.dt, "
                         "or allow them in NOT_USER_TEXTS with the reason")

    def test_every_allowed_sentence_is_still_there(self):
        # An allowance outliving its text would quietly let a new one through.
        literals = set()
        for path in (ROOT / "src").rglob("*"):
            if path.suffix in (".h", ".cpp") and path.is_file():
                scanner = english_texts.Scanner(path, path.read_text(encoding="utf-8"))
                literals.update(text for kind, text, _ in scanner.literals() if kind == "plain")
        self.assertEqual(sorted(set(NOT_USER_TEXTS) - literals), [])


if __name__ == "__main__":
    unittest.main()
