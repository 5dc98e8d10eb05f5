#!/usr/bin/env python3
"""End-to-end tests: the shipped autolaunch.exe under Wine, as users meet it.

Each case gets a folder of its own, mapped as a Wine drive letter, so that
autolaunch runs from a drive root such as M:\\ as it does from a CD or a USB
stick. The folder holds the executable under test, an autorun.inf written
byte for byte, and copies of recorder.exe under the names the case launches.
recorder.exe notes its own path, working directory and command line, so a
case can check the shell request that autolaunch made. Cases that expect the
error box run with boxwatch.exe beside them, which reads the box's text and
dismisses it; this needs a display (run under xvfb-run).

usage: run_e2e.py --arch x64|x86 --exe PATH --helpers DIR --work DIR [--jobs N]
"""

import argparse
import concurrent.futures
import os
import queue
import shutil
import subprocess
import sys
import threading
import time
from dataclasses import dataclass, field
from typing import Dict, Optional

HERE = os.path.dirname(os.path.abspath(__file__))
WINE_RUN = os.path.join(HERE, "..", "..", "scripts", "wine-run")
ROOT = "{root}"  # stands for the case's folder as Windows sees it, e.g. M:\


@dataclass
class Launch:
    file: str  # the program that must have run, under ROOT
    parameters: str = ""
    directory: str = ROOT


@dataclass
class Case:
    name: str
    inf: Optional[bytes]  # None: no autorun.inf at all
    launch: Optional[Launch] = None  # None: nothing may be launched
    exit_code: int = 0
    box: Optional[str] = None  # text of the error box, when one must show
    folder: str = ""  # where autolaunch.exe lies, under the drive root
    programs: tuple = ("prog.exe",)  # copies of recorder.exe, under folder
    files: Dict[str, bytes] = field(default_factory=dict)
    inf_is_folder: bool = False
    hold_inf_open: bool = False
    long_path_prefix: bool = False  # start it as \\?\M:\... (Wine's loader needs that)
    decoy_folder: Optional[str] = None  # an autorun.inf + prog.exe that must stay unused


def entry(line: bytes) -> bytes:
    return b"[autorun]\r\n" + line + b"\r\n"


LONG_FOLDER = "\\".join(c * 80 for c in "wxyz") + "\\"  # over 320 characters

CASES = [
    # What a media author writes.
    Case("plain program", entry(b"open=prog.exe"), Launch(ROOT + "prog.exe")),
    Case("parameters", entry(b"open=prog.exe /auto now"), Launch(ROOT + "prog.exe", "/auto now")),
    Case("subfolder", entry(b"open=\\sub\\prog.exe x"), Launch(ROOT + "sub\\prog.exe", "x"),
         programs=("sub\\prog.exe",)),
    Case("document by its association", entry(b"open=readme.alxdoc"),
         Launch("{recorder}", '"' + ROOT + 'readme.alxdoc"'), files={"readme.alxdoc": b"hello"}),
    Case("first open counts", b"[autorun]\r\nopen=prog.exe first\r\nopen=prog.exe second\r\n",
         Launch(ROOT + "prog.exe", "first")),
    Case("letter case", b"[AutoRun]\r\nOPEN=Prog.exe x\r\n", Launch(ROOT + "Prog.exe", "x")),
    Case("key in a repeated section", b"[autorun]\r\nicon=a.ico\r\n[x]\r\nopen=no.exe\r\n"
         b"[autorun]\r\nopen=prog.exe again\r\n", Launch(ROOT + "prog.exe", "again")),
    # Nothing launched, exit code 0.
    Case("no entry", entry(b"icon=prog.ico")),
    Case("empty value", entry(b"open=")),
    Case("blank value", entry(b"open=    ")),
    Case("section missing", b"[other]\r\nopen=prog.exe\r\n"),
    Case("blank before equals", entry(b"open =prog.exe")),
    Case("commented line", entry(b";open=prog.exe")),
    Case("blanks inside brackets", b"[ autorun ]\r\nopen=prog.exe\r\n"),
    Case("launcher names itself", entry(b"open=autolaunch.exe")),
    Case("launcher names itself in capitals", entry(b"open=\\AUTOLAUNCH.EXE /again")),
    # Line input on real files.
    Case("LF line ends", b"[autorun]\nopen=prog.exe lf\n", Launch(ROOT + "prog.exe", "lf")),
    Case("lone CR is dropped", b"[autorun]\r\nopen=pr\rog.exe a\rb\r\n", Launch(ROOT + "prog.exe", "ab")),
    Case("0x1A first byte", b"\x1a" + entry(b"open=prog.exe")),
    Case("0x1A at a line start", b"[autorun]\r\n\x1aopen=prog.exe\r\n"),
    Case("0x1A inside the value", entry(b"open=prog.exe a\x1ab"), Launch(ROOT + "prog.exe", "a")),
    Case("line end split across reads", b"[autorun]\r\n" + b";" * 116 + b"\r\nopen=prog.exe long\r\n",
         Launch(ROOT + "prog.exe", "long")),
    Case("long lines", b"[autorun]\r\n" + b";" * 1000 + b"\r\n" + b"k" * 300 + b"=v\r\nopen=prog.exe "
         + b"p" * 200 + b"\r\n", Launch(ROOT + "prog.exe", "p" * 200)),
    Case("zero byte inside the value", entry(b"open=prog.exe a\0b"), Launch(ROOT + "prog.exe", "a")),
    # The fatal report.
    Case("missing autorun.inf", None, exit_code=2, box="Runtime error   2 at 00000101"),
    Case("autorun.inf is a folder", None, exit_code=5, box="Runtime error   5 at 00000101",
         inf_is_folder=True),
    Case("autorun.inf held open for writing", entry(b"open=prog.exe"), exit_code=32,
         box="Runtime error  32 at 00000101", hold_inf_open=True),
    # Where users keep media.
    Case("folder with blanks", entry(b"open=prog.exe x"), Launch(ROOT + "My Media\\prog.exe", "x",
         ROOT + "My Media\\"), folder="My Media\\"),
    Case("folder outside ASCII", entry(b"open=prog.exe x"), Launch(ROOT + "M\xe9dias\\prog.exe", "x",
         ROOT + "M\xe9dias\\"), folder="M\xe9dias\\"),
    # A path this long comes back from GetModuleFileNameA whole, and the
    # launcher asks for its own autorun.inf there. Without long-path support
    # the ANSI file API then refuses the name (206), which is reported; what
    # must never happen is reading the autorun.inf of the folder that a path
    # cut at 260 characters would name.
    Case("path over 260 characters", entry(b"open=prog.exe deep"), exit_code=206,
         box="Runtime error 206 at 00000101", folder=LONG_FOLDER, long_path_prefix=True,
         decoy_folder=LONG_FOLDER[:LONG_FOLDER.rindex("\\", 0, -1) + 1]),
]


class Run:
    def __init__(self, args):
        self.arch = args.arch
        self.exe = os.path.abspath(args.exe)
        self.helpers = os.path.abspath(args.helpers)
        self.work = os.path.abspath(args.work)
        self.prefix = os.environ.get("WINEPREFIX") or os.path.abspath(
            os.path.join(HERE, "..", "..", "build", "wineprefix"))
        # 32-bit Wine may run emulated: give it time.
        self.timeout = 900 if self.arch == "x86" else 60
        self.recorder = self.windows_path(os.path.join(self.helpers, "recorder.exe"))
        self.box_lock = threading.Lock()

    @staticmethod
    def windows_path(unix_path: str) -> str:
        return "Z:" + unix_path.replace("/", "\\")

    def wine(self, arch, program, *arguments, env=None):
        return subprocess.Popen([WINE_RUN, arch, program, *arguments], env=env,
                                stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)

    def register_document_type(self):
        reg = os.path.join(self.work, "alxdoc.reg")
        command = '"%s" "%%1"' % self.recorder
        with open(reg, "w", encoding="latin-1") as f:
            f.write("REGEDIT4\r\n\r\n[HKEY_CLASSES_ROOT\\.alxdoc]\r\n@=\"autolaunch.testdoc\"\r\n\r\n"
                    "[HKEY_CLASSES_ROOT\\autolaunch.testdoc\\shell\\open\\command]\r\n@=%s\r\n"
                    % reg_string(command))
        subprocess.run([WINE_RUN, "x64", "regedit", "/S", self.windows_path(reg)], check=True,
                       stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                       timeout=120)

    def run_case(self, case: Case, letter: str) -> Optional[str]:
        """Runs one case on drive `letter`; returns None or what went wrong."""
        folder = os.path.join(self.work, "cases", case.name.replace(" ", "_"))
        shutil.rmtree(folder, ignore_errors=True)
        os.makedirs(folder)
        drive = os.path.join(self.prefix, "dosdevices", letter + ":")
        if os.path.lexists(drive):
            os.remove(drive)
        os.symlink(folder, drive)
        root = letter.upper() + ":\\"

        def unix(relative: str) -> str:
            return os.path.join(folder, *[p for p in relative.split("\\") if p])

        home = unix(case.folder)
        os.makedirs(home, exist_ok=True)
        shutil.copy(self.exe, os.path.join(home, "autolaunch.exe"))
        for program in case.programs:
            target = os.path.join(home, *program.split("\\"))
            os.makedirs(os.path.dirname(target), exist_ok=True)
            shutil.copy(os.path.join(self.helpers, "recorder.exe"), target)
        for name, content in case.files.items():
            with open(os.path.join(home, name), "wb") as f:
                f.write(content)
        if case.decoy_folder:
            shutil.copy(os.path.join(self.helpers, "recorder.exe"), unix(case.decoy_folder + "prog.exe"))
            with open(unix(case.decoy_folder + "autorun.inf"), "wb") as f:
                f.write(entry(b"open=prog.exe decoy"))
        inf = os.path.join(home, "autorun.inf")
        if case.inf_is_folder:
            os.makedirs(inf)
        elif case.inf is not None:
            with open(inf, "wb") as f:
                f.write(case.inf)

        record = os.path.join(self.work, "cases", case.name.replace(" ", "_") + ".record")
        box_text = record + ".box"
        for stale in (record, box_text, record + ".ready", record + ".release"):
            if os.path.exists(stale):
                os.remove(stale)
        env = dict(os.environ, AUTOLAUNCH_RECORD=self.windows_path(record))
        helpers = []
        release = record + ".release"
        holding_box_lock = False
        try:
            if case.hold_inf_open:
                ready = record + ".ready"
                helpers.append(self.wine("x64", os.path.join(self.helpers, "holdfile.exe"),
                                         self.windows_path(inf), self.windows_path(ready),
                                         self.windows_path(release)))
                if not wait_for(lambda: os.path.exists(ready), 60):
                    return "holdfile.exe did not take the file"
            if case.box is not None:
                # boxwatch takes any box captioned "Error": one such case at a time.
                self.box_lock.acquire()
                holding_box_lock = True
                helpers.append(self.wine("x64", os.path.join(self.helpers, "boxwatch.exe"),
                                         self.windows_path(box_text), str(self.timeout)))
            program = ("\\\\?\\" if case.long_path_prefix else "") + root + case.folder + "autolaunch.exe"
            started = time.monotonic()
            try:
                code = subprocess.run([WINE_RUN, self.arch, program], env=env,
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                                      stderr=subprocess.DEVNULL, timeout=self.timeout).returncode
            except subprocess.TimeoutExpired:
                return "autolaunch did not end within %d s" % self.timeout
            problems = []
            if code != case.exit_code:
                problems.append("exit code %d, expected %d" % (code, case.exit_code))
            if case.box is not None:
                shown = read_text(box_text) if wait_for(lambda: os.path.exists(box_text), 10) else None
                if shown != case.box:
                    problems.append("error box %r, expected %r" % (shown, case.box))
            if case.launch is not None:
                if not wait_for(lambda: os.path.exists(record), 30):
                    problems.append("nothing was launched")
                else:
                    problems += check_launch(case.launch, read_record(record), root, self.recorder)
            else:
                time.sleep(1.5)  # time enough for a launched program to note itself
                if os.path.exists(record):
                    problems.append("launched %r, expected nothing" % read_record(record))
            if problems:
                return "; ".join(problems) + " (in %.1f s)" % (time.monotonic() - started)
            return None
        finally:
            open(release, "w").close()
            for helper in helpers:
                try:
                    helper.wait(timeout=30)
                except subprocess.TimeoutExpired:
                    helper.kill()
            if holding_box_lock:
                self.box_lock.release()


def reg_string(text: str) -> str:
    return '"' + text.replace("\\", "\\\\").replace('"', '\\"') + '"'


def wait_for(condition, seconds: float) -> bool:
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return condition()


def read_text(path: str) -> str:
    with open(path, "rb") as f:
        return f.read().decode("latin-1")


def read_record(path: str) -> dict:
    # A record ends with "--"; wait until the first one is whole.
    wait_for(lambda: read_text(path).find("\n--\n") >= 0, 10)
    first = read_text(path).split("\n--\n")[0]
    return dict(line.split("=", 1) for line in first.split("\n") if "=" in line)


def parameters_of(command: str) -> str:
    """What follows the program in a command line, as the shell built it."""
    if command.startswith('"'):
        rest = command[command.index('"', 1) + 1:]
    else:
        rest = command[command.index(" "):] if " " in command else ""
    return rest[1:] if rest.startswith(" ") else rest


def check_launch(expected: Launch, record: dict, root: str, recorder: str) -> list:
    def fill(text: str) -> str:
        return text.replace(ROOT, root).replace("{recorder}", recorder)

    problems = []
    module, directory = record.get("module", ""), record.get("directory", "")
    if module.lower() != fill(expected.file).lower():
        problems.append("ran %r, expected %r" % (module, fill(expected.file)))
    parameters = parameters_of(record.get("command", ""))
    if parameters != fill(expected.parameters):
        problems.append("parameters %r, expected %r" % (parameters, fill(expected.parameters)))
    if directory.rstrip("\\").lower() != fill(expected.directory).rstrip("\\").lower():
        problems.append("working directory %r, expected %r" % (directory, fill(expected.directory)))
    return problems


def main() -> int:
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--arch", choices=("x86", "x64"), required=True)
    parser.add_argument("--exe", required=True)
    parser.add_argument("--helpers", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--jobs", type=int, default=2)
    parser.add_argument("--only", help="run only the cases whose name contains this")
    args = parser.parse_args()
    if not os.environ.get("DISPLAY"):
        print("run_e2e: needs a display for the error box; run it under xvfb-run", file=sys.stderr)
        return 2

    run = Run(args)
    os.makedirs(os.path.join(run.work, "cases"), exist_ok=True)
    run.register_document_type()
    cases = [c for c in CASES if not args.only or args.only in c.name]

    letters = queue.Queue()
    for letter in "mnopqrstuv"[: max(1, args.jobs)]:
        letters.put(letter)
    lock = threading.Lock()
    results = {}
    started = time.monotonic()

    def one(case: Case):
        letter = letters.get()
        try:
            problem = run.run_case(case, letter)
        except Exception as error:  # a broken case must not hide the others
            problem = "harness error: %r" % error
        finally:
            letters.put(letter)
        with lock:
            results[case.name] = problem
            print("%s  %-36s %s" % ("ok  " if problem is None else "FAIL", case.name, problem or ""),
                  flush=True)

    with concurrent.futures.ThreadPoolExecutor(max_workers=max(1, args.jobs)) as pool:
        list(pool.map(one, cases))

    failed = sum(1 for p in results.values() if p is not None)
    print("%s autolaunch.exe: %d cases in %.1f s" % (args.arch, len(cases), time.monotonic() - started))
    print("%d passed, %d failed" % (len(cases) - failed, failed))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
