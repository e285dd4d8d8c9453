#!/usr/bin/env python3
"""Damaged help sources stop make_hlp.py with a message naming the line, and leave no file."""
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
GENERATOR = os.path.join(HERE, '..', 'make_hlp.py')

GOOD = """@help Test Help
@topic contents
@title Contents
@keywords start
See {the dialog|dialog}.

@topic dialog 301
@title The dialog
Text.
"""

# (what is broken, the source, the line and message expected)
BROKEN = [
    ("link to a topic that does not exist", GOOD.replace('|dialog}', '|nowhere}'),
     ":5: error: link to unknown topic 'nowhere'"),
    ("unclosed link", GOOD.replace('{the dialog|dialog}', '{the dialog|dialog'),
     ":5: error: unbalanced"),
    ("two topics with one help context", GOOD + "@topic other 301\n@title Other\nText.\n",
     ":10: error: help context 301 already used at line 7"),
    ("topic without a title", GOOD.replace('@title The dialog\n', ''),
     ":7: error: topic 'dialog' has no @title"),
    ("misspelt directive", GOOD.replace('@keywords', '@keyword'),
     ":4: error: unknown directive '@keyword'"),
    ("text before the first topic", "@help Test Help\nStray text.\n" + GOOD.split('\n', 1)[1],
     ":2: error: text before the first @topic"),
]


def run(source, out):
    path = os.path.join(os.path.dirname(out), 'help.txt')
    with open(path, 'w', encoding='utf-8') as f:
        f.write(source)
    r = subprocess.run([sys.executable, '-B', GENERATOR, path, out], capture_output=True, text=True)
    return r.returncode, r.stderr


class DamagedSource(unittest.TestCase):
    def test_each_fault_fails_with_its_line_and_removes_the_old_file(self):
        with tempfile.TemporaryDirectory() as d:
            out = os.path.join(d, 'TEST.HLP')
            rc, err = run(GOOD, out)
            self.assertEqual((rc, err), (0, ''))
            self.assertTrue(os.path.getsize(out) > 1000)
            for what, source, expected in BROKEN:
                with self.subTest(what):
                    with open(out, 'wb') as f:
                        f.write(b'an older help file')
                    rc, err = run(source, out)
                    self.assertEqual(rc, 1)
                    self.assertIn('help.txt' + expected, err)
                    self.assertFalse(os.path.exists(out))


if __name__ == '__main__':
    unittest.main()
