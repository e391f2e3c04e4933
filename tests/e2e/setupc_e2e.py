"""End-to-end tests of setupc: a fixture project is built into a setup with
the native setupc, and the real engine runs it under Wine.

Arguments: <setupc> <engine.exe> <zor.lib>"""
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

import wine_harness as wine

SETUPC = Path(sys.argv.pop(1)).resolve()
ENGINE = Path(sys.argv.pop(1)).resolve()
ZOR = Path(sys.argv.pop(1)).resolve()

PRODUCT = "{5B2D8E41-7C6A-4F3B-9E21-0A1B2C3D4E5F}"

SCRIPT = """# fixture: computes, writes its results beside the setup, ends
[setup]
ProductCode "%s"
Title "E2E Product"
Version "2.5"

[script]
Set Variable "A" "6"
Set Variable "B" "7"
Mathematics "$A$" "$B$" "2" "PRODUCT"
If "PRODUCT" "0" "42"
    Write to Text File "$EXEDIR$result.txt" "product=$PRODUCT$"
End
! Write to Text File "$EXEDIR$result.txt" "a disabled command ran"
Write to Text File "$EXEDIR$result.txt" "$TITLE$ $VERSION$$NEWLINE$\"\"quoted\"\"\"
""" % PRODUCT

WXS = """<?xml version="1.0" encoding="utf-8"?>
<Wix xmlns="http://schemas.microsoft.com/wix/2006/wi">
  <Product Id="%s" Name="E2E Product" Language="1033" Version="2.5.0" Manufacturer="Test"
           UpgradeCode="{5B2D8E41-7C6A-4F3B-9E21-0A1B2C3D4E60}">
    <Package InstallerVersion="200" Compressed="no" InstallScope="perMachine" />
    <Directory Id="TARGETDIR" Name="SourceDir">
      <Directory Id="ProgramFilesFolder">
        <Directory Id="INSTALLDIR" Name="E2E Product">
          <Component Id="Main" Guid="{5B2D8E41-7C6A-4F3B-9E21-0A1B2C3D4E61}">
            <File Id="AppTxt" Name="app.txt" Source="files/app.txt" KeyPath="yes" />
          </Component>
        </Directory>
      </Directory>
    </Directory>
    <Feature Id="Main" Level="1"><ComponentRef Id="Main" /></Feature>
  </Product>
</Wix>
""" % PRODUCT


def setupc(*args):
    return subprocess.run([str(SETUPC), *map(str, args)], capture_output=True, text=True, timeout=120)


class SetupcE2E(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.TemporaryDirectory(prefix="e2e_setupc_")
        self.dir = Path(self.tmp.name)
        self.project = self.dir / "project"
        (self.project / "files").mkdir(parents=True)
        (self.project / "texts").mkdir()
        (self.project / "project.zkp").write_text(
            'Name "product"\nScript "script.zks"\nDatabase "product.wxs"\n'
            'Support "texts"\nPayload "files" "Main"\n')
        (self.project / "script.zks").write_text(SCRIPT)
        (self.project / "product.wxs").write_text(WXS)
        (self.project / "files" / "app.txt").write_text("payload")
        (self.project / "texts" / "readme.txt").write_text("readme")
        self.out = self.dir / "setup"
        self.log = self.dir / "setup.log"
        wine.clear_support_folders()

    def tearDown(self):
        wine.clear_support_folders()
        self.tmp.cleanup()

    def build(self):
        done = setupc("build", self.project, "-o", self.out, "--engine", ENGINE, "--zor", ZOR)
        self.assertEqual(done.returncode, 0, done.stderr)
        return self.out / "product.exe"

    def test_built_setup_runs_the_script_silently(self):
        exe = self.build()
        for name in ("product.res", "product.msi", "zor.lib", "data/app.txt", "data/" + PRODUCT):
            self.assertTrue((self.out / name).is_file(), name)
        code, _ = wine.run(exe, ["/s", "/l=" + wine.windows_path(self.log)], cwd=self.out, timeout=120)
        log = wine.read_utf16_log(self.log) if self.log.exists() else []
        self.assertEqual(code, 0, "engine exit code %d; log:\n%s" % (code, "\n".join(log)))
        self.assertIn("  <RunScript>", log)
        self.assertIn("  </RunScript>", log)
        self.assertEqual(log[-1], "</Korvane>")
        result = (self.out / "result.txt").read_bytes().decode("latin-1")
        self.assertEqual(result, "product=42\r\nE2E Product 2.5\r\n\"quoted\"\r\n")
        self.assertFalse(any(wine.temp_folder().glob("zor*")), "the support folder was left behind")

    def test_a_script_the_engine_would_refuse_is_refused_at_build_time(self):
        (self.project / "script.zks").write_text(SCRIPT + 'GoTo Label "Nowhere"\n')
        done = setupc("build", self.project, "-o", self.out, "--engine", ENGINE, "--zor", ZOR)
        self.assertEqual(done.returncode, 1)
        line = SCRIPT.count("\n") + 1
        self.assertIn("script.zks:%d: LABEL undefined: Nowhere" % line, done.stderr)
        self.assertFalse(self.out.exists())

    def test_decompiled_setup_builds_the_same_image(self):
        exe = self.build()
        source = self.dir / "back.zks"
        done = setupc("decompile", exe, "-o", source)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertEqual(done.stderr, "")
        image = self.dir / "image.txt"
        done = setupc("image", source, "-o", image)
        self.assertEqual(done.returncode, 0, done.stderr)
        self.assertTrue(exe.read_bytes().endswith(image.read_bytes()))
        self.assertEqual(exe.stat().st_size, ENGINE.stat().st_size + image.stat().st_size)


if __name__ == "__main__":
    unittest.main()
