"""End-to-end tests of the engine's start-up: exit codes, log phases and
support folders, with the real engine.exe under Wine."""
import sys
import tempfile
import time
import unittest
from pathlib import Path

import wine_harness as wine
from script_image import Image, make_setup

ENGINE = Path(sys.argv.pop(1)).resolve()

OPENING = ["<Korvane>", "  <SetupSplash>", "    <StubSize>"]
TO_EXTRACT = OPENING + ["    </StubSize>", "    <StubData>", "    </StubData>", "    <GlobalLists>",
                        "    </GlobalLists>", "    <SupportDir>", "    </SupportDir>", "    <ExtractArchive>"]


def simple_image():
    return Image().add("Set Variable", "RESULT", "done").add("End")


class StartupTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory(prefix="e2e_startup_")
        self.dir = Path(self.tmp.name)
        self.log = self.dir / "setup.log"
        wine.clear_support_folders()

    def tearDown(self):
        wine.clear_support_folders()
        self.tmp.cleanup()

    def run_setup(self, exe, *args, silent=True):
        extra = ["/s"] if silent else []
        return wine.run(exe, [*extra, "/l=" + wine.windows_path(self.log), *args], cwd=self.dir)

    def test_no_image_exits_13_silently_without_a_window(self):
        exe = make_setup(ENGINE, self.dir, None)
        proc = wine.start(exe, ["/s", "/l=" + wine.windows_path(self.log)], cwd=self.dir)
        seen = []
        while proc.poll() is None:
            seen += wine.find_windows("Korvane Wizard")
            time.sleep(0.1)
        self.assertEqual(proc.returncode, 13)
        self.assertEqual(seen, [])
        self.assertEqual(wine.read_utf16_log(self.log), OPENING)

    def test_no_image_interactive_shows_the_message_and_exits_13(self):
        exe = make_setup(ENGINE, self.dir, None)
        proc = wine.start(exe, ["/l=" + wine.windows_path(self.log)], cwd=self.dir)
        try:
            windows = wine.find_windows("Korvane Wizard", timeout=30)
            self.assertTrue(windows, "the message box did not appear")
            wine.screenshot(self.dir / "no_image.png")
            wine.press(windows[0], "Return")
            self.assertEqual(proc.wait(timeout=30), 13)
        finally:
            if proc.poll() is None:
                proc.kill()

    def test_missing_resource_exits_14_with_the_log_open_at_extraction(self):
        exe = make_setup(ENGINE, self.dir, simple_image())
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 14)
        self.assertEqual(wine.read_utf16_log(self.log), TO_EXTRACT)

    def test_support_folders_left_behind_are_skipped(self):
        for n in (1, 2):
            (wine.temp_folder() / f"zor{n}").mkdir()
        exe = make_setup(ENGINE, self.dir, simple_image())
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 14)
        self.assertTrue((wine.temp_folder() / "zor3").is_dir())

    def test_unreadable_resource_archive_exits_15(self):
        exe = make_setup(ENGINE, self.dir, simple_image())
        (self.dir / "setup.res").write_bytes(b"this is not an archive")
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 15)
        self.assertEqual(wine.read_utf16_log(self.log), TO_EXTRACT)

    def test_truncated_image_ends_the_run_with_code_11_and_cleans_up(self):
        exe = make_setup(ENGINE, self.dir, None)
        data = exe.read_bytes() + simple_image().text()[:40]
        exe.write_bytes(data)
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 11)
        self.assertEqual(wine.read_utf16_log(self.log),
                         OPENING + ["    </StubSize>", "    <StubData>", "    </StubData>", "    <GlobalLists>",
                                    "  <CachedSupportDir>", "  </CachedSupportDir>", "</Korvane>"])

    def test_non_numeric_media_mode_ends_the_run_with_code_11(self):
        image = simple_image()
        image.media_mode = "two"
        exe = make_setup(ENGINE, self.dir, image)
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 11)

    def test_log_option_value_is_lower_cased(self):
        exe = make_setup(ENGINE, self.dir, None)
        (self.dir / "logs").mkdir()
        upper = wine.windows_path(self.dir) + "\\LOGS\\Setup.LOG"
        code, _ = wine.run(exe, ["-S", "-L=" + upper], cwd=self.dir)
        self.assertEqual(code, 13)
        self.assertEqual([p.name for p in (self.dir / "logs").iterdir()], ["setup.log"])


if __name__ == "__main__":
    unittest.main(verbosity=2)
