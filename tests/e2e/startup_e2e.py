"""End-to-end tests of the engine's start-up: exit codes, log phases and
support folders, with the real engine.exe under Wine."""
import shutil
import subprocess
import sys
import tempfile
import time
import unittest
from pathlib import Path

import wine_harness as wine
from script_image import Image, make_setup

ENGINE = Path(sys.argv.pop(1)).resolve()
EXIT_CODE = Path(sys.argv.pop(1)).resolve()
MESSAGE_BOX_TEXT = Path(sys.argv.pop(1)).resolve()

OPENING = ["<Korvane>", "  <SetupSplash>", "    <StubSize>"]
TO_EXTRACT = OPENING + ["    </StubSize>", "    <StubData>", "    </StubData>", "    <GlobalLists>",
                        "    </GlobalLists>", "    <SupportDir>", "    </SupportDir>", "    <ExtractArchive>"]


def simple_image():
    return Image().add("Set Variable", "RESULT", "done").add("End")


TEMPLATE_DIALOGS = Path(__file__).resolve().parents[2] / "template" / "dialogs"


def make_resources(folder, msi=True, msp=False, dialogs=(), page_captions=False):
    """A real resource archive (made by 7zz) with the named template dialogs
    and their rules files, and the installer database files. With
    `page_captions` each page is captioned "Page <name>" so a test can tell
    which page is on screen."""
    content = folder / "res_content"
    content.mkdir()
    (content / "readme.txt").write_text("resource\r\n")
    for name in dialogs:
        for suffix in (".dfm", ".dfm.zorf"):
            shutil.copy(TEMPLATE_DIALOGS / (name + suffix), content / (name + suffix))
        if page_captions:
            page = content / (name + ".dfm")
            text = page.read_text(encoding="latin-1")
            page.write_text(text.replace("Caption = '$TITLE$ Setup'", f"Caption = 'Page {name}'", 1),
                            encoding="latin-1")
    subprocess.run(["7zz", "a", "-bd", "-y", str(folder / "setup.res"), "."], cwd=content,
                   check=True, capture_output=True, timeout=60)
    if msi:
        (folder / "setup.msi").write_bytes(b"database stand-in")
    if msp:
        (folder / "setup.msp").write_bytes(b"patch stand-in")


FULL_RUN = TO_EXTRACT + ["    </ExtractArchive>", "    <ExtractResource>", "    </ExtractResource>",
                         "    <ResourcePath>", "    </ResourcePath>", "    <Dialogs>", "    </Dialogs>",
                         "  </SetupSplash>", "  <RunScript>", "    <Variables>", "    </Variables>",
                         "    <CompileScript>", "    </CompileScript>", "    <BootStrap>", "    </BootStrap>",
                         "    <zara>"]
CLOSING = ["  </RunScript>", "  <Free>", "  </Free>", "  <CachedSupportDir>", "  </CachedSupportDir>",
           "</Korvane>"]


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

    def interactive_message(self, exe, caption="Korvane Wizard"):
        """Runs the setup interactively; returns (exit code, texts of its message box)."""
        reader = wine.start(MESSAGE_BOX_TEXT, [caption, "30"], cwd=self.dir)
        proc = wine.start(exe, [], cwd=self.dir)
        try:
            out, _ = reader.communicate(timeout=60)
            return proc.wait(timeout=30), out.decode("latin-1").replace("\r\n", "\n").splitlines()
        finally:
            for p in (reader, proc):
                if p.poll() is None:
                    p.kill()

    def test_message_texts_come_from_the_language_file_appended_to_zor_lib(self):
        exe = make_setup(ENGINE, self.dir, simple_image())
        block = lambda tag: [f"{tag} text {n}" for n in range(1, 116)]
        english = block("English")
        english[1] = "The setup resources are missing"
        lines = block("Default") + ["French"] + block("French") + ["english"] + english + ["German"] + block("German")
        library = self.dir / "zor.lib"
        library.write_bytes(library.read_bytes() + "\r\n".join(lines).encode("latin-1") + b"\r\n")
        code, texts = self.interactive_message(exe)
        self.assertEqual(code, 14)
        self.assertIn("The setup resources are missing", texts)
        self.assertFalse((wine.temp_folder() / "lang.loc").exists(), "the copy of the language file is deleted")

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

    def test_missing_database_exits_16_after_unpacking(self):
        exe = make_setup(ENGINE, self.dir, simple_image())
        make_resources(self.dir, msi=False)
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 16)
        self.assertEqual(wine.read_utf16_log(self.log),
                         TO_EXTRACT + ["    </ExtractArchive>", "    <ExtractResource>"])

    def test_script_runs_writes_its_results_and_sets_the_exit_code(self):
        out = self.dir / "out.txt"
        image = (Image().add("Set Variable", "GREETING", "hello")
                 .add("Write to Text File", wine.windows_path(out), "$GREETING$ from $TITLE$", "FALSE")
                 .add("Terminate with Exit Code", "7")
                 .add("Write to Text File", wine.windows_path(out), "never written", "FALSE"))
        exe = make_setup(ENGINE, self.dir, image)
        make_resources(self.dir)
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 7)
        self.assertEqual(out.read_bytes(), b"hello from Test Product\r\n")
        self.assertEqual(wine.read_utf16_log(self.log),
                         FULL_RUN + ["    </zara>", "    <ExitScript>", "    </ExitScript>"] + CLOSING)
        self.assertEqual(list(wine.temp_folder().glob("zor*")), [], "the support folder must be removed")

    def test_only_a_patch_database_lets_the_run_continue(self):
        image = Image().add("Terminate with Exit Code", "3")
        exe = make_setup(ENGINE, self.dir, image)
        make_resources(self.dir, msi=False, msp=True)
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 3)

    def test_compile_failure_exits_314_with_the_log_open(self):
        image = Image().add("If", "UNDECLARED", "0", "1", "FALSE").add("End")
        exe = make_setup(ENGINE, self.dir, image)
        make_resources(self.dir)
        code, out = wine.run(EXIT_CODE, [wine.windows_path(exe), "/s", "/l=" + wine.windows_path(self.log)],
                             cwd=self.dir)
        self.assertEqual(out.strip().splitlines()[-1], "exit code 314")
        self.assertEqual(wine.read_utf16_log(self.log)[-1], "    <CompileScript>")

    def test_runtime_error_leaves_zara_open_and_finishes_start_up(self):
        # A remembered variable is declared by compilation, even from a disabled
        # command, but is undefined when the script reads it.
        image = (Image().add("Set Variable", "LATER$ZARA$ZARA$TRUE", "x", disabled=True)
                 .add("Convert Case", "LATER", "TRUE").add("Terminate with Exit Code", "5"))
        exe = make_setup(ENGINE, self.dir, image)
        make_resources(self.dir)
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 0)
        self.assertEqual(wine.read_utf16_log(self.log), FULL_RUN + CLOSING)

    def test_silent_wizard_loop_walks_every_page_without_a_window(self):
        out = self.dir / "wizard.txt"
        image = (Image().add("Wizard Loop")
                 .add("Display Dialog", "welcome", "WIZARD", "TRUE", "", "", "")
                 .add("Display Dialog", "finish", "WIZARD", "TRUE", "", "", "")
                 .add("End")
                 .add("Write to Text File", wine.windows_path(out), "$WIZARD$", "FALSE"))
        exe = make_setup(ENGINE, self.dir, image)
        make_resources(self.dir, dialogs=("welcome", "finish"))
        proc = wine.start(exe, ["/s", "/l=" + wine.windows_path(self.log)], cwd=self.dir)
        seen = []
        while proc.poll() is None:
            seen += wine.find_windows("Sample|Welcome|Korvane")
            time.sleep(0.1)
        self.assertEqual(proc.returncode, 0, wine.read_utf16_log(self.log))
        self.assertEqual(seen, [])
        self.assertEqual(out.read_bytes(), b"NEXT\r\n")

    def test_interactive_wizard_follows_next_back_and_a_confirmed_cancel(self):
        out = self.dir / "wizard.txt"
        image = (Image().add("Wizard Loop")
                 .add("Display Dialog", "welcome", "WIZARD", "TRUE", "", "", "")
                 .add("Display Dialog", "readme", "WIZARD", "TRUE", "", "", "")
                 .add("Display Dialog", "finish", "WIZARD", "TRUE", "", "", "")
                 .add("End")
                 .add("Write to Text File", wine.windows_path(out), "$WIZARD$", "FALSE"))
        exe = make_setup(ENGINE, self.dir, image)
        make_resources(self.dir, dialogs=("welcome", "readme", "finish"), page_captions=True)
        proc = wine.start(exe, ["/l=" + wine.windows_path(self.log)], cwd=self.dir)
        try:
            # Next, Back, Next, then Cancel on the second page, confirmed.
            for page, key in [("welcome", "Return"), ("readme", "alt+b"), ("welcome", "Return"),
                              ("readme", "Escape")]:
                windows = wine.find_windows(f"^Page {page}$", timeout=30)
                self.assertTrue(windows, f"page {page} did not appear")
                wine.press(windows[0], key)
                time.sleep(0.5)
            confirm = wine.find_windows("Korvane Wizard", timeout=30)
            self.assertTrue(confirm, "the cancel confirmation did not appear")
            # "No" is the default answer: confirm with the Yes mnemonic.
            wine.press(confirm[0], "y")
            self.assertEqual(proc.wait(timeout=60), 0)
        finally:
            if proc.poll() is None:
                proc.kill()
        self.assertEqual(out.read_bytes(), b"CANCEL\r\n")

    def test_missing_dialog_file_ends_the_run_with_code_11(self):
        image = Image().add("Display Dialog", "absent", "RESULT", "TRUE", "", "", "")
        exe = make_setup(ENGINE, self.dir, image)
        make_resources(self.dir)
        code, _ = self.run_setup(exe)
        self.assertEqual(code, 11)
        self.assertEqual(wine.read_utf16_log(self.log)[-4:],
                         ["    <Dialogs>", "  <CachedSupportDir>", "  </CachedSupportDir>", "</Korvane>"])

    def test_runtime_error_message_names_the_line_and_uses_the_product_caption(self):
        image = (Image().add("Set Variable", "LATER$ZARA$ZARA$TRUE", "x", disabled=True)
                 .add("Convert Case", "LATER", "TRUE"))
        exe = make_setup(ENGINE, self.dir, image)
        make_resources(self.dir)
        code, texts = self.interactive_message(exe, "Test Product - Korvane Wizard")
        self.assertEqual(code, 0)
        self.assertIn("Runtime error in setup script:", "\n".join(texts))
        self.assertIn("Line 2: Attempting to get value of undefined variable LATER", "\n".join(texts))

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
