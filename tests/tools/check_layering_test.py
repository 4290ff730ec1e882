#!/usr/bin/env python3
"""Runs scripts/check-layering over tiny fake source trees, one per rule, so the checker cannot
pass by checking nothing: every broken rule must fail and name the file and line."""

import contextlib
import importlib.machinery
import importlib.util
import io
import os
import subprocess
import sys
import tempfile
import unittest
from unittest import mock

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                       "check-layering")

# The script has no .py suffix; load it as a module so most cases run without a new process.
_loader = importlib.machinery.SourceFileLoader("check_layering", CHECKER)
_spec = importlib.util.spec_from_loader("check_layering", _loader)
check_layering = importlib.util.module_from_spec(_spec)
_loader.exec_module(check_layering)


@contextlib.contextmanager
def fake_tree(files):
    """A fresh directory holding {path: text}."""
    with tempfile.TemporaryDirectory() as root:
        for path, text in files.items():
            full = os.path.join(root, path)
            os.makedirs(os.path.dirname(full), exist_ok=True)
            with open(full, "w", encoding="utf-8") as f:
                f.write(text)
        yield root


def run_checker(files):
    """Runs the checker's main over a fake tree; returns (exit code, printed report)."""
    with fake_tree(files) as root:
        out = io.StringIO()
        with mock.patch.object(sys, "argv", ["check-layering", "--root", root]), \
                contextlib.redirect_stdout(out), contextlib.redirect_stderr(io.StringIO()):
            code = check_layering.main()
        return code, out.getvalue()


# A tree that follows every rule: each layer includes what it may.
CLEAN = {
    "platform/Screen.h": "#pragma once\n#include <SDL.h>\n",
    "gfx/Gfx.h": '#include "platform/Screen.h"\n#include <vector>\n',
    "gfx/image/Bmp.cpp": '#include "gfx/Gfx.h"\n#include "gfx/image/Bmp.h"\n',
    "gfx/image/Bmp.h": "",
    "gfx/font/Font.h": '#include "gfx/Gfx.h"\n',
    "gfx/art/CardArt.h": '#include "gfx/font/Font.h"\n#include "gfx/image/Bmp.h"\n'
                         '#include "engine/Card.h"\n',
    "gfx/sdl/SdlDisplay.cpp": '#include <SDL.h>\n#include "gfx/Gfx.h"\n',
    "ui/UiElement.h": '#include "gfx/art/CardArt.h"\n#include "platform/Screen.h"\n',
    "persist/Registry.h": '#include "platform/Screen.h"\n',
    "audio/Music.h": '#include "persist/Registry.h"\n',
    "audio/fluid/Synth.cpp": "#include <fluidsynth.h>\n#include <SDL.h>\n",
    "dialogs/About.h": '#include "ui/UiElement.h"\n#include "persist/Registry.h"\n'
                       '#include "audio/Music.h"\n',
    "engine/Card.h": "#pragma once\n",
    "engine/CardGame.h": '#include "dialogs/About.h"\n',
    "games/klondike/Klondike.h": '#include "engine/CardGame.h"\n',
    "ui/menus/MenuBar.h": '#include "ui/UiElement.h"\n',
    "engine/session/GameSession.h": '#include "engine/CardGame.h"\n#include "ui/menus/MenuBar.h"\n',
    "app/main.cpp": '#include "games/klondike/Klondike.h"\n#include "gfx/sdl/SdlDisplay.h"\n',
    "app/Shell.cpp": '#include "engine/session/GameSession.h"\n',
    "tests/engine/CardTest.cpp": '#include "app/main.h"\n#include "tests/support/Fixture.h"\n',
    "tests/platform/KeyTest.cpp": "#include <SDL.h>\n",
    "tests/gfx/sdl/DisplayTest.cpp": "#include <SDL.h>\n",
    "bench/gfx/sdl/bench.cpp": "#include <SDL.h>\n",
    "tools/mkmedia/main.cpp": '#include "Cards.h"\n#include "gfx/art/Themes.h"\n',
    "tools/mkmedia/Cards.h": "",
}


class CheckLayeringTest(unittest.TestCase):
    def assertViolation(self, path, text, expected_line, rule_words):
        tree = dict(CLEAN)
        tree[path] = tree.get(path, "") + text
        code, report = run_checker(tree)
        self.assertEqual(code, 1, f"{path} including {text!r} was accepted")
        self.assertIn(f"{path}:{expected_line}:", report)
        self.assertIn(rule_words, report)
        self.assertEqual(len(report.splitlines()), 1, report)

    def test_the_script_itself_fails_and_names_the_line(self):
        tree = dict(CLEAN)
        tree["ui/UiPrefs.cpp"] = '// Prefs.\n#include "persist/Registry.h"\n'
        with fake_tree(tree) as root:
            result = subprocess.run([sys.executable, CHECKER, "--root", root],
                                    capture_output=True, text=True, check=False)
        self.assertEqual(result.returncode, 1)
        self.assertTrue(result.stdout.startswith("ui/UiPrefs.cpp:2: "), result.stdout)
        with fake_tree(CLEAN) as root:
            result = subprocess.run([sys.executable, CHECKER, "--root", root],
                                    capture_output=True, text=True, check=False)
        self.assertEqual(result.returncode, 0, result.stdout)

    def test_clean_tree_passes(self):
        code, report = run_checker(CLEAN)
        self.assertEqual(code, 0, report)
        self.assertEqual(report, "")

    def test_lower_layers_never_include_upper_ones(self):
        cases = [
            ("gfx/Gfx.cpp", '#include "ui/UiElement.h"\n', "gfx/ may not include ui/"),
            ("gfx/art/Art.cpp", '#include "engine/CardGame.h"\n', "gfx/ may not include engine/"),
            ("ui/UiButton.cpp", '#include "games/klondike/Klondike.h"\n',
             "ui/ may not include games/"),
            ("ui/UiDialog.cpp", '#include "dialogs/About.h"\n', "ui/ may not include dialogs/"),
            ("persist/Prefs.cpp", '#include "app/main.h"\n', "persist/ may not include app/"),
            ("audio/Sfx.cpp", '#include "engine/CardGame.h"\n', "audio/ may not include engine/"),
            ("platform/Timer.cpp", '#include "gfx/Gfx.h"\n', "platform/ may not include gfx/"),
            ("dialogs/Scores.cpp", '#include "engine/CardGame.h"\n',
             "dialogs/ may not include engine/"),
            ("engine/Deck.cpp", '#include "games/klondike/Klondike.h"\n',
             "engine/ may not include games/"),
        ]
        for path, text, rule in cases:
            with self.subTest(path=path):
                self.assertViolation(path, text, 1, rule)

    def test_toolkit_and_graphics_stay_off_persist_and_audio(self):
        cases = [
            ("ui/UiClick.cpp", '#include "audio/Music.h"\n', "ui/ may not include audio/"),
            ("ui/UiPrefs.cpp", '#include "persist/Registry.h"\n', "ui/ may not include persist/"),
            ("gfx/GfxSound.cpp", '#include "audio/Music.h"\n', "gfx/ may not include audio/"),
            ("persist/Sound.cpp", '#include "audio/Music.h"\n',
             "persist/ may not include audio/"),
            ("audio/Draw.cpp", '#include "gfx/Gfx.h"\n', "audio/ may not include gfx/"),
        ]
        for path, text, rule in cases:
            with self.subTest(path=path):
                self.assertViolation(path, text, 1, rule)

    def test_card_is_a_leaf_but_the_rest_of_engine_is_not(self):
        tree = dict(CLEAN)
        tree["platform/Uses.cpp"] = '#include "engine/Card.h"\n'
        self.assertEqual(run_checker(tree)[0], 0)
        self.assertViolation("platform/Uses.cpp", '#include "engine/Deck.h"\n', 1,
                             "platform/ may not include engine/")

    def test_only_back_ends_include_sdl_or_fluidsynth(self):
        cases = [
            ("app/main.cpp", "#include <SDL.h>\n", 3),
            ("gfx/GfxShow.cpp", "#include <SDL2/SDL_video.h>\n", 1),
            ("ui/UiTimer.cpp", "#include <SDL_timer.h>\n", 1),
            ("audio/Music.h", "#include <fluidsynth.h>\n", 2),
            ("engine/Clock.cpp", '#include "SDL.h"\n', 1),
            ("tests/ui/UiTest.cpp", "#include <SDL.h>\n", 1),
            ("tests/gfx/GfxTest.cpp", "#include <SDL.h>\n", 1),
            ("bench/gfx/bench_gfx.cpp", "#include <SDL.h>\n", 1),
            ("tools/mkmedia/main.cpp", "#include <SDL.h>\n", 3),
        ]
        for path, text, line in cases:
            with self.subTest(path=path):
                self.assertViolation(path, text, line, "include SDL or FluidSynth headers")

    def test_program_code_never_includes_tests_or_tools(self):
        self.assertViolation("gfx/Gfx.cpp", '#include "tests/support/Fixture.h"\n', 1,
                             "program code never includes tests/")
        self.assertViolation("app/Media.cpp", '#include "tools/mkmedia/Cards.h"\n', 1,
                             "program code never includes tools/")

    def test_graphics_subfolders_keep_their_order(self):
        cases = [
            ("gfx/GfxCopy.cpp", '#include "gfx/art/CardArt.h"\n', "gfx/ core may not include gfx/art/"),
            ("gfx/image/Jpeg.cpp", '#include "gfx/font/Font.h"\n',
             "gfx/image/ may not include gfx/font/"),
            ("gfx/font/Fgf.cpp", '#include "gfx/art/CardArt.h"\n',
             "gfx/font/ may not include gfx/art/"),
            ("gfx/art/Piles.cpp", '#include "gfx/sdl/SdlDisplay.h"\n',
             "gfx/art/ may not include gfx/sdl/"),
            ("gfx/sdl/Show.cpp", '#include "gfx/image/Bmp.h"\n',
             "gfx/sdl/ may not include gfx/image/"),
        ]
        for path, text, rule in cases:
            with self.subTest(path=path):
                self.assertViolation(path, text, 1, rule)

    def test_the_game_side_knows_neither_menus_nor_its_session(self):
        cases = [
            ("engine/CardGame.cpp", '#include "ui/menus/MenuBar.h"\n', "ui/menus/ is closed here"),
            ("games/klondike/Klondike.h", '#include "ui/menus/MenuBar.h"\n', 2,
             "ui/menus/ is closed here"),
            ("engine/CardGame.h", '#include "engine/session/GameSession.h"\n', 2,
             "engine/session/ is closed here"),
            ("games/Table.cpp", '#include "engine/session/GameSession.h"\n',
             "engine/session/ is closed here"),
        ]
        for case in cases:
            path, text, rule = case[0], case[1], case[-1]
            line = case[2] if len(case) == 4 else 1
            with self.subTest(path=path):
                self.assertViolation(path, text, line, rule)

    def test_relative_includes_are_resolved(self):
        self.assertViolation("gfx/Gfx.cpp", '#include "../ui/UiElement.h"\n', 1,
                             "gfx/ may not include ui/")


if __name__ == "__main__":
    unittest.main()
