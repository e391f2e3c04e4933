"""Helpers for end-to-end tests that run Windows programs in the test run's
private Wine environment (see scripts/wine-env.sh)."""
import os
import shutil
import subprocess
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parents[2]
WINE_RUN = ROOT / "scripts" / "wine-run.sh"


def wine_dir():
    return Path(os.environ["ZK_WINE_DIR"]).resolve()


def display():
    return (wine_dir() / "display").read_text().strip()


def wine_env():
    env = dict(os.environ)
    env["WINEPREFIX"] = str(wine_dir() / "prefix")
    env["WINEDEBUG"] = "-all"
    env["DISPLAY"] = display()
    return env


def start(program, args=(), cwd=None):
    """Starts a Windows program under Wine; returns the Popen object."""
    return subprocess.Popen([str(WINE_RUN), str(program), *args], cwd=cwd, env=wine_env(),
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE)


def run(program, args=(), cwd=None, timeout=60):
    """Runs a Windows program to its end; returns (exit code, stdout text)."""
    proc = start(program, args, cwd)
    try:
        out, _ = proc.communicate(timeout=timeout)
    except subprocess.TimeoutExpired:
        proc.kill()
        raise AssertionError(f"{program} did not end within {timeout} s")
    return proc.returncode, out.decode("latin-1").replace("\r\n", "\n")


def unix_path(windows_path):
    out = subprocess.run(["winepath", "-u", windows_path], env=wine_env(), capture_output=True,
                         text=True, timeout=30, check=True)
    return Path(out.stdout.strip())


def windows_path(path):
    """Z: drive form of a Unix path."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


_temp = None


def temp_folder():
    """The Wine user's temporary folder as a Unix path."""
    global _temp
    if _temp is None:
        code, out = run("cmd", ["/c", "echo %TEMP%"])
        assert code == 0, out
        _temp = unix_path(out.strip())
    return _temp


def clear_support_folders():
    for folder in temp_folder().glob("zor*"):
        if folder.is_dir():
            shutil.rmtree(folder)


def read_utf16_log(path):
    data = Path(path).read_bytes()
    assert not data.startswith(b"\xff\xfe"), "the log must not start with a byte-order mark"
    return data.decode("utf-16-le").split("\r\n")[:-1]


def find_windows(name, timeout=0.0):
    """Ids of visible windows whose title matches `name`, waiting up to `timeout` s."""
    deadline = time.time() + timeout
    while True:
        out = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name], env=wine_env(),
                             capture_output=True, text=True, timeout=30)
        ids = out.stdout.split()
        if ids or time.time() >= deadline:
            return ids
        time.sleep(0.2)


def press(window, key):
    subprocess.run(["xdotool", "windowactivate", "--sync", window], env=wine_env(), capture_output=True, timeout=30)
    subprocess.run(["xdotool", "key", "--window", window, key], env=wine_env(), capture_output=True, timeout=30)


def screenshot(path):
    subprocess.run(["import", "-window", "root", str(path)], env=wine_env(), capture_output=True, timeout=60)
