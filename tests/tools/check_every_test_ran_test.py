#!/usr/bin/env python3
"""Runs scripts/check-every-test-ran over small fake build directories (a CTest file written by
hand, the list of test executables and a JUnit result), so the check that no test falls out of
the gate is itself seen to fail for each way a test can fall out."""

import contextlib
import importlib.machinery
import importlib.util
import io
import os
import sys
import tempfile
import unittest

CHECKER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "scripts",
                       "check-every-test-ran")

# The script has no .py suffix; load it as a module.
_loader = importlib.machinery.SourceFileLoader("check_every_test_ran", CHECKER)
_spec = importlib.util.spec_from_loader("check_every_test_ran", _loader)
checker = importlib.util.module_from_spec(_spec)
_loader.exec_module(checker)


def make_build(root, name, tests, executables, results):
    """A build directory: tests {name: [argv]} (argv[0] may name an executable of the build),
    executables [target names] built into <build>/tests/, results {test: JUnit status} or None
    for a build whose tests never ran."""
    build = os.path.join(root, name)
    os.makedirs(os.path.join(build, "tests"))
    paths = {exe: os.path.join(build, "tests", exe) for exe in executables}
    for path in paths.values():
        with open(path, "w", encoding="utf-8") as f:
            f.write("#!/bin/sh\n")
    with open(os.path.join(build, "CTestTestfile.cmake"), "w", encoding="utf-8") as f:
        for test, argv in tests.items():
            words = [paths.get(w, w) for w in argv]
            f.write(f"add_test({test} " + " ".join(f'"{w}"' for w in words) + ")\n")
    with open(os.path.join(build, checker.EXECUTABLES), "w", encoding="utf-8") as f:
        f.writelines(f"{exe}\t{path}\n" for exe, path in paths.items())
    if results is not None:
        with open(os.path.join(build, checker.RESULTS), "w", encoding="utf-8") as f:
            f.write('<?xml version="1.0"?>\n<testsuite>\n')
            for test, status in results.items():
                f.write(f'  <testcase name="{test}" status="{status}"/>\n')
            f.write("</testsuite>\n")
    return build


def run(*builds):
    """(exit code, what the check printed) for the given build directories."""
    out = io.StringIO()
    with contextlib.redirect_stdout(out), contextlib.redirect_stderr(out):
        code = checker.main(["check-every-test-ran", *builds])
    return code, out.getvalue()


class EveryTestRan(unittest.TestCase):
    def setUp(self):
        self._root = tempfile.TemporaryDirectory()
        self.root = self._root.name

    def tearDown(self):
        self._root.cleanup()

    def gate(self, program_results, sanitize_results, extra_exes=()):
        """The gate's two builds: the program build runs the smoke test, the sanitizer build
        defines the smoke test too (filtered out there) and runs the unit test and a replay."""
        program = make_build(self.root, "build", {"smoke": ["/bin/true", "prog"]}, [],
                             program_results)
        sanitize = make_build(
            self.root, "build-san",
            {"smoke": ["/bin/true", "prog"], "unit_test": ["unit_test", "--gtest_brief=1"],
             "fuzz_x_replay": ["fuzz_x", "-timeout=10", "seed"]},
            ["unit_test", "fuzz_x", *extra_exes], sanitize_results)
        return program, sanitize

    def test_tests_split_between_builds_pass(self):
        code, out = run(*self.gate({"smoke": "run"}, {"unit_test": "run", "fuzz_x_replay": "run"}))
        self.assertEqual(code, 0, out)
        self.assertIn("3 tests over 2 builds", out)

    def test_a_test_filtered_out_of_every_build_fails(self):
        # The smoke test is defined in both builds but neither run included it.
        code, out = run(*self.gate({}, {"unit_test": "run", "fuzz_x_replay": "run"}))
        self.assertEqual(code, 1)
        self.assertIn("test smoke", out)
        self.assertIn("ran in no build", out)

    def test_a_test_that_did_not_run_fails(self):
        code, out = run(*self.gate({"smoke": "run"},
                                   {"unit_test": "notrun", "fuzz_x_replay": "run"}))
        self.assertEqual(code, 1)
        self.assertIn("test unit_test", out)
        self.assertIn("test executable unit_test", out)

    def test_an_executable_without_a_test_fails(self):
        code, out = run(*self.gate({"smoke": "run"}, {"unit_test": "run", "fuzz_x_replay": "run"},
                                   extra_exes=["forgotten_test"]))
        self.assertEqual(code, 1)
        self.assertIn("test executable forgotten_test", out)
        self.assertNotIn("unit_test", out)

    def test_an_executable_started_only_by_a_test_that_did_not_run_fails(self):
        code, out = run(*self.gate({"smoke": "run"}, {"unit_test": "run"}))
        self.assertEqual(code, 1)
        self.assertIn("test executable fuzz_x", out)

    def test_a_failed_run_still_counts_as_run(self):
        # The failure itself stops the gate; this check is only about what was left out.
        code, out = run(*self.gate({"smoke": "run"}, {"unit_test": "fail", "fuzz_x_replay": "run"}))
        self.assertEqual(code, 0, out)

    def test_an_executable_left_out_of_one_build_is_covered_by_the_other(self):
        # The program build defines the unit test without registering it; the sanitizer build's
        # run covers it, and without that run nothing does.
        program = make_build(self.root, "build", {}, ["unit_test"], {})
        sanitize = make_build(self.root, "build-san", {"unit_test": ["unit_test"]},
                              ["unit_test"], {"unit_test": "run"})
        self.assertEqual(run(program, sanitize),
                         (0, "every-test-ran: ok (1 tests over 2 builds)\n"))
        code, out = run(program)
        self.assertEqual(code, 1)
        self.assertIn("test executable unit_test (defined in " + program + ")", out)

    def test_a_build_whose_tests_never_ran_fails(self):
        program, sanitize = self.gate({"smoke": "run"}, None)
        code, out = run(program, sanitize)
        self.assertEqual(code, 1)
        self.assertIn("build-san: no ctest-results.xml", out)

    def test_a_build_without_its_executable_list_fails(self):
        program, sanitize = self.gate({"smoke": "run"},
                                      {"unit_test": "run", "fuzz_x_replay": "run"})
        os.remove(os.path.join(sanitize, checker.EXECUTABLES))
        code, out = run(program, sanitize)
        self.assertEqual(code, 1)
        self.assertIn("no test-executables.txt", out)


if __name__ == "__main__":
    unittest.main()
