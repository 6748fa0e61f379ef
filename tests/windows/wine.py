"""Running the Windows build of yomiage under Wine.

One Wine prefix serves a whole test run: it is made in a temporary folder on
first use, with Wine's audio driver turned off, and a persistent wineserver
keeps it warm until the run ends. Each test gets a temporary installation:
yomiage.exe with the test engine in dll\\<voice>\\AquesTalk.dll.
"""

import errno
import os
import shutil
import struct
import subprocess
import tempfile
from dataclasses import dataclass
from pathlib import Path

WINE_LIB = Path("/usr/lib/wine")
# Under this locale Wine gives a Windows program the Japanese ANSI code page
# (932), as a Japanese Windows would, and reads Unix names as UTF-8.
JAPANESE_LOCALE = "ja_JP.UTF-8"

# The machine field of a PE file header.
MACHINE_I386 = 0x014C
MACHINE_AMD64 = 0x8664


def pe_machine(path):
    data = Path(path).read_bytes()
    pe_offset = struct.unpack_from("<I", data, 0x3C)[0]
    if data[pe_offset:pe_offset + 4] != b"PE\0\0":
        raise ValueError(f"{path} is no PE file")
    return struct.unpack_from("<H", data, pe_offset + 4)[0]


def windows_path(path):
    """The name Wine gives a Unix path: drive Z: is the Unix root."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


@dataclass
class Result:
    exit_code: int
    output: bytes
    errors: bytes


class WinePrefix:
    """A temporary Wine prefix and the loader that runs the program."""

    def __init__(self, program):
        machine = pe_machine(program)
        if machine == MACHINE_I386:
            self.loader = WINE_LIB / "wine"
        elif machine == MACHINE_AMD64:
            self.loader = WINE_LIB / "wine64"
        else:
            raise ValueError(f"{program}: unknown machine {machine:#x}")
        self.bits = 32 if machine == MACHINE_I386 else 64
        self.root = Path(tempfile.mkdtemp(prefix="yomiage-wine-"))
        self.prefix = self.root / "prefix"
        self.started = False

    def why_not_runnable(self):
        """None when this machine can run the loader; else the reason."""
        if not self.loader.exists():
            return f"{self.loader} is missing (is Wine installed?)"
        try:
            subprocess.run([str(self.loader), "--version"], capture_output=True, timeout=60)
        except OSError as error:
            if error.errno == errno.ENOEXEC:
                return (f"this machine cannot execute {self.bits}-bit Linux programs "
                        f"({self.loader}: exec format error), so Wine cannot run "
                        f"{self.bits}-bit Windows programs here")
            return f"{self.loader}: {error}"
        available = subprocess.run(["locale", "-a"], capture_output=True, text=True).stdout
        if "ja_JP.utf8" not in available.split():
            return f"the {JAPANESE_LOCALE} locale is missing (scripts/install-windows-deps.sh makes it)"
        return None

    def environment(self, extra=()):
        env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "TESTENGINE_"))}
        env.update({
            "WINEPREFIX": str(self.prefix),
            "WINEDEBUG": "-all",
            # No Mono or Gecko installers while the prefix is made, and no
            # audio driver: the machine may have no sound device at all.
            "WINEDLLOVERRIDES": "mscoree,mshtml=;winealsa.drv,winepulse.drv,wineoss.drv=d",
            "LANG": JAPANESE_LOCALE,
            "LC_ALL": JAPANESE_LOCALE,
        })
        env.pop("DISPLAY", None)
        env.pop("WAYLAND_DISPLAY", None)
        env.update(dict(extra))
        return env

    def start(self):
        """Makes the prefix and keeps wineserver up.

        The services that Wine starts in the background outlive the command
        that started them and keep its output open; they are started here,
        writing to a log file, so that no test's output pipe is held by them.
        """
        if self.started:
            return
        self.prefix.mkdir()
        env = self.environment()
        subprocess.run(["wineserver", "-p"], env=env, check=True, timeout=60)
        self.started = True
        wine64 = str(WINE_LIB / "wine64")
        with open(self.root / "wine-setup.log", "wb") as log:
            subprocess.run([wine64, "wineboot.exe", "--init"], env=env, check=True,
                           stdin=subprocess.DEVNULL, stdout=log, stderr=log, timeout=300)

    def stop(self):
        if self.started:
            subprocess.run(["wineserver", "-k"], env=self.environment(), timeout=60)
            subprocess.run(["wineserver", "-w"], env=self.environment(), timeout=60)
        shutil.rmtree(self.root, ignore_errors=True)

    def run(self, program, arguments, cwd, environment=(), timeout=120):
        self.start()
        completed = subprocess.run([str(self.loader), str(program), *arguments], cwd=cwd,
                                   env=self.environment(environment), stdin=subprocess.DEVNULL,
                                   capture_output=True, timeout=timeout)
        return Result(completed.returncode, completed.stdout, completed.stderr)


class Installation:
    """A temporary folder holding yomiage.exe and its dll\\ folder."""

    def __init__(self, wine, program):
        self.wine = wine
        self.root = Path(tempfile.mkdtemp(prefix="install-", dir=wine.root))
        (self.root / "dll").mkdir()
        self.program = self.root / "yomiage.exe"
        shutil.copy(program, self.program)
        self.log = self.root / "engine.log"

    def add_voice(self, voice, engine):
        folder = self.root / "dll" / voice
        folder.mkdir(parents=True, exist_ok=True)
        shutil.copy(engine, folder / "AquesTalk.dll")

    def engine_path(self, voice):
        """The engine path of a voice as the program prints it (CP932)."""
        return windows_path(self.root / "dll" / voice / "AquesTalk.dll").encode("cp932")

    def run(self, arguments, environment=()):
        env = [("TESTENGINE_LOG", windows_path(self.log)), *environment]
        return self.wine.run(self.program, arguments, self.root, env)

    def run_script(self, script, options, environment=()):
        (self.root / "script.txt").write_bytes(script)
        return self.run([*options, "script.txt"], environment)

    def read(self, name):
        return (self.root / name).read_bytes()
