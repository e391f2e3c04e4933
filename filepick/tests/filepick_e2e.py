#!/usr/bin/env python3
"""End-to-end runs of filepick.exe under Wine.

Each case starts the program with real arguments, answers the real Open/Save
dialog (or the version box) from outside with xdotool on the Wine environment's
X display, then checks the exit code and the bytes of the output file.

Usage: filepick_e2e.py FILEPICK_EXE WINE_RUN_SH   (ZK_WINE_DIR must be set)
"""
import os
import pathlib
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass, field

EXE, WINE_RUN = sys.argv[1], sys.argv[2]
WINE_DIR = pathlib.Path(os.environ["ZK_WINE_DIR"]).resolve()
X_ENV = dict(os.environ, DISPLAY=(WINE_DIR / "display").read_text().strip())
DRIVE_C = WINE_DIR / "prefix" / "drive_c"

# A folder with a space, so that quoted arguments are exercised.
FOLDER_NAME = "filepick e2e"
WIN_FOLDER = "C:\\" + FOLDER_NAME
UNIX_FOLDER = DRIVE_C / FOLDER_NAME

WINDOW_TIMEOUT = 60  # the first dialog of a fresh prefix takes a while
EXIT_TIMEOUT = 30
ALL_TITLES = ["filepick", "Read Image File", "Read Geometry File", "Save Image File As",
              "Save Countour File As", "Save Geometry File As", "Save Measurement File As"]


class CaseFailure(Exception):
    pass


def xdotool(*args, timeout=15):
    return subprocess.run(["xdotool", *args], env=X_ENV, capture_output=True, text=True,
                          timeout=timeout)


def find_window(title, timeout=WINDOW_TIMEOUT):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        found = xdotool("search", "--onlyvisible", "--name", f"^{title}$").stdout.split()
        if found:
            return found[0]
        time.sleep(0.25)
    raise CaseFailure(f"no window titled {title!r} within {timeout} s")


def focus(title, timeout=WINDOW_TIMEOUT):
    # A window may be found before it can take the focus; try until it does.
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        window = find_window(title, max(1, deadline - time.monotonic()))
        try:
            if xdotool("windowfocus", "--sync", window, timeout=5).returncode == 0:
                return
        except subprocess.TimeoutExpired:
            pass
        time.sleep(0.25)
    raise CaseFailure(f"cannot focus {title!r} within {timeout} s")


def answer(title, actions):
    focus(title)
    time.sleep(0.5)  # let the dialog settle its own focus
    for kind, value in actions:
        if kind == "type":
            xdotool("type", "--delay", "30", value)
        else:
            xdotool("key", "--delay", "100", *value.split())
        time.sleep(0.3)


def out_path(name):
    return (f"{WIN_FOLDER}\\out {name}.txt", UNIX_FOLDER / f"out {name}.txt")


@dataclass
class Case:
    name: str
    args: list
    steps: list  # (window title, [(type|key, text)])
    exit_code: int
    lines: list | None  # expected output lines; None: the file must not exist
    earlier: str = ""  # output file content before the run
    output: str = field(default="")  # -p value; default: the case's own file


def crlf(lines):
    return "".join(line + "\r\n" for line in lines).encode("cp1252")


def q(path):
    return '"' + path + '"'


F = WIN_FOLDER + "\\"
CASES = [
    Case("open_one_file", ["-t", "ima", "-d", WIN_FOLDER],
         [("Read Image File", [("type", "a.ima"), ("key", "Return")])], 0,
         ["set: default_dir " + q(F), "refresh: disable", "read: image " + q(F + "a.ima"),
          "refresh: enable"]),
    Case("open_two_files", ["-t", "IMA", "-d", WIN_FOLDER],
         [("Read Image File", [("type", '"a.ima" "b.ima"'), ("key", "Return")])], 0,
         ["earlier", "refresh: disable", "read: image " + q(F + "a.ima"),
          "read: image " + q(F + "b.ima"), "refresh: enable"], earlier="earlier\r\n"),
    Case("open_cancel", ["-o", "-t", "geo", "-d", WIN_FOLDER],
         [("Read Geometry File", [("key", "Escape")])], 0, []),
    Case("save_typed_name", ["-s", "-t", "cnt", "-d", WIN_FOLDER],
         [("Save Countour File As", [("type", "contour1"), ("key", "Return")])], 0,
         ["set: default_dir " + q(F), 'write: countour "*" ' + q(F + "contour1.txt")]),
    Case("save_geo_fourth_filter_start_file", ["-s", "-t", "geo", "-i", "part", "-f", "model.",
                                               "-d", WIN_FOLDER],
         [("Save Geometry File As", [("key", "alt+t"), ("key", "Down Down Down"),
                                     ("key", "alt+n"), ("key", "Return")])], 0,
         ["set: default_dir " + q(F), 'write: geom "part" "stl_ascii" ' + q(F + "model.stl")]),
    Case("save_msr_second_filter", ["-s", "-t", "msr", "-i", "m1", "-d", WIN_FOLDER],
         [("Save Measurement File As", [("key", "alt+t"), ("key", "Down"), ("key", "alt+n"),
                                        ("type", "meas1"), ("key", "Return")])], 0,
         ["set: default_dir " + q(F), 'write: measurement "m1" write ' + q(F + "meas1.scp")]),
    Case("save_cancel", ["-s", "-t", "ima", "-d", WIN_FOLDER],
         [("Save Image File As", [("key", "Escape")])], 255, []),
    Case("version_cancel", ["-v", "-t", "ima"], [("filepick", [("key", "Escape")])], 0, None),
    Case("version_ok_then_dialog", ["-V", "-t", "ima"],
         [("filepick", [("key", "Return")]), ("Read Image File", [("key", "Escape")])], 0, []),
    Case("output_unopenable", ["-t", "ima"], [], 254, None,
         output=WIN_FOLDER + "\\no such folder\\out.txt"),
]


def leftover_windows():
    return [t for t in ALL_TITLES if xdotool("search", "--name", f"^{t}$").stdout.strip()]


def run_case(case):
    win_out, unix_out = out_path(case.name)
    if case.output:
        win_out, unix_out = case.output, None
    if case.earlier:
        unix_out.write_bytes(case.earlier.encode("cp1252"))
    log = UNIX_FOLDER / f"log {case.name}.txt"
    with open(log, "wb") as log_file:
        proc = subprocess.Popen([WINE_RUN, EXE, *case.args, "-p", win_out],
                                stdin=subprocess.DEVNULL, stdout=log_file, stderr=log_file)
    try:
        for title, actions in case.steps:
            answer(title, actions)
        try:
            code = proc.wait(timeout=EXIT_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise CaseFailure(f"filepick did not end within {EXIT_TIMEOUT} s")
    finally:
        if proc.poll() is None:
            proc.kill()
            proc.wait(timeout=10)
    if code != case.exit_code:
        raise CaseFailure(f"exit code {code}, expected {case.exit_code}")
    if unix_out is None or case.lines is None:
        if unix_out is not None and unix_out.exists():
            raise CaseFailure("output file was created")
        return
    if not unix_out.exists():
        raise CaseFailure("no output file")
    got, want = unix_out.read_bytes(), crlf(case.lines)
    if got != want:
        raise CaseFailure(f"output {got!r}, expected {want!r}")


def main():
    shutil.rmtree(UNIX_FOLDER, ignore_errors=True)
    UNIX_FOLDER.mkdir(parents=True)
    for name in ("a.ima", "b.ima"):
        (UNIX_FOLDER / name).write_bytes(b"image")
    failures = []
    for case in CASES:
        started = time.monotonic()
        try:
            run_case(case)
            left = leftover_windows()
            if left:
                raise CaseFailure(f"windows left open: {left}")
            print(f"PASS {case.name} ({time.monotonic() - started:.1f} s)", flush=True)
        except (CaseFailure, subprocess.TimeoutExpired) as error:
            shot = pathlib.Path.cwd() / f"filepick_e2e_{case.name}.png"
            subprocess.run(["import", "-window", "root", str(shot)], env=X_ENV,
                           capture_output=True, timeout=30)
            print(f"FAIL {case.name}: {error} (screen: {shot})", flush=True)
            failures.append(case.name)
    if not failures:
        shutil.rmtree(UNIX_FOLDER, ignore_errors=True)
    print(f"{len(CASES) - len(failures)} of {len(CASES)} cases passed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
