"""The scan of the EN_TEXT marks that writes the list of English texts."""

import pathlib
import subprocess
import sys
import tempfile
import unittest

SCRIPT = pathlib.Path(__file__).resolve().parents[2] / "tools" / "english_texts.py"


def scan(files):
    """Runs the scan over `files` (path -> text) under a fresh src/; returns (code, listing, errors)."""
    with tempfile.TemporaryDirectory() as folder:
        root = pathlib.Path(folder) / "src"
        for name, text in files.items():
            (root / name).parent.mkdir(parents=True, exist_ok=True)
            (root / name).write_text(text, encoding="utf-8")
        output = pathlib.Path(folder) / "out" / "english_texts.cpp"
        run = subprocess.run([sys.executable, str(SCRIPT), "--root", str(root), "--output", str(output)],
                             capture_output=True, text=True)
        listing = output.read_text(encoding="utf-8") if output.exists() else ""
        return run.returncode, listing, run.stderr


def rows(listing):
    body = listing[listing.index("kEnglishTexts[] = {") + len("kEnglishTexts[] = {"):listing.index("};")]
    return [line.strip() for line in body.splitlines() if line.strip()]


class EnglishTextsScanTest(unittest.TestCase):
    def test_every_kind_of_use_is_listed_once_in_file_order(self):
        code, listing, errors = scan({
            "b/late.cpp": 'auto a = QStringLiteral(EN_TEXT("Exit"));\n',
            "a/early.h": (
                '#define EN_TEXT(text) u"" text\n'
                '// EN_TEXT("in a comment") and /* EN_TEXT("here") */ are no marks\n'
                'const char* s = "EN_TEXT(\\"in a string\\")";\n'
                'int n = 9\'876\'543;\n'
                'constexpr char16_t kA[] = EN_TEXT("Files: %d");\n'
                'auto b = Tr(EN_TEXT("Split over "\n    "two lines"));\n'
                'auto c = Tr(EN_TEXT("Please click \\"Preview\\" \\u00B7 now"));\n'
                'auto d = Tr(EN_TEXT("Exit"));\n'
                'auto e = R"(EN_TEXT(raw))";\n'),
        })
        self.assertEqual(code, 0, errors)
        self.assertEqual(rows(listing), [
            'u"Files: %d",',
            'u"Split over two lines",',
            'u"Please click \\"Preview\\" \\u00B7 now",',
            'u"Exit",',
        ])

    def test_a_mark_it_cannot_read_stops_the_build_naming_the_place(self):
        cases = {
            "a name": "QString x;\nauto t = Tr(EN_TEXT(kName));\n",
            "a prefixed literal": 'x;\nauto t = Tr(EN_TEXT(u"Exit"));\n',
            "no argument": "x;\nauto t = EN_TEXT;\n",
            "an empty text": 'x;\nauto t = EN_TEXT("");\n',
        }
        for name, text in cases.items():
            with self.subTest(name):
                code, listing, errors = scan({"ui/window.cpp": text})
                self.assertNotEqual(code, 0)
                self.assertEqual(listing, "")
                self.assertRegex(errors, r"src/ui/window\.cpp:2: .*EN_TEXT")


if __name__ == "__main__":
    unittest.main()
