#!/usr/bin/env python3
"""The mutation check: puts one realistic fault at a time into a copy of the
product code, rebuilds, and runs the fast tests (the Linux ctest) against it.
A fault the tests notice is "killed"; one they miss "survived"; one whose
snippet is not found exactly once, that does not compile, or that lies in
Windows-only code is "not applicable".

The faults come from scripts/mutations.txt (see its head for the format).
The copy is a git worktree of the chosen commit under a scratch folder; the
working tree is never touched. The copy and its build folder are kept, so a
second run only rebuilds what the faults touch.

Usage: scripts/mutate.sh [--ref REF] [--only ID...] [--list FILE]
                         [--work DIR] [--timeout SECONDS] [--fresh]
"""

import argparse
import fcntl
import os
import re
import shutil
import subprocess
import sys
import time
from dataclasses import dataclass
from pathlib import Path

SCRIPT_DIR = Path(__file__).resolve().parent
REPO = SCRIPT_DIR.parent

# Code that the Linux build never compiles: a fault there cannot be judged by
# the Linux tests.
WINDOWS_ONLY = ("src/platform/win/", "src/ui/win32/")


@dataclass
class Fault:
    ident: str
    what: str
    file: str
    find: str
    replace: str
    line: int


@dataclass
class Verdict:
    status: str  # "killed", "survived" or "n/a"
    detail: str


class ListError(Exception):
    pass


def parse_faults(path):
    """Reads the fault list: blocks of `key: value` lines separated by blank
    lines; `find` and `replace` may span lines as `key <<` ... `>>`."""
    faults = []
    block = {}
    block_line = 0
    lines = path.read_text(encoding="utf-8").split("\n")
    index = 0

    def finish():
        if not block:
            return
        missing = [k for k in ("id", "what", "file", "find", "replace") if k not in block]
        if missing:
            raise ListError(f"{path}:{block_line}: fault lacks {', '.join(missing)}")
        if block["find"] == block["replace"]:
            raise ListError(f"{path}:{block_line}: fault {block['id']} changes nothing")
        faults.append(Fault(block["id"], block["what"], block["file"], block["find"],
                            block["replace"], block_line))

    while index < len(lines):
        line = lines[index]
        index += 1
        if line.startswith("#"):
            continue
        if not line.strip():
            finish()
            block = {}
            continue
        if not block:
            block_line = index
        heredoc = re.fullmatch(r"(find|replace) <<", line)
        if heredoc:
            body = []
            while index < len(lines) and lines[index] != ">>":
                body.append(lines[index])
                index += 1
            if index == len(lines):
                raise ListError(f"{path}:{block_line}: `{heredoc[1]} <<` without `>>`")
            index += 1
            block[heredoc[1]] = "\n".join(body)
            continue
        match = re.fullmatch(r"(id|what|file|find|replace): ?(.*)", line)
        if not match:
            raise ListError(f"{path}:{index}: cannot read: {line}")
        if match[1] in block:
            raise ListError(f"{path}:{index}: second `{match[1]}` in one fault")
        block[match[1]] = match[2]
    finish()

    seen = set()
    for fault in faults:
        if fault.ident in seen:
            raise ListError(f"{path}:{fault.line}: id {fault.ident} used twice")
        seen.add(fault.ident)
    return faults


def run(cmd, cwd, env=None, timeout=None):
    return subprocess.run(cmd, cwd=cwd, env=env, timeout=timeout, text=True, errors="replace",
                          stdout=subprocess.PIPE, stderr=subprocess.STDOUT)


def build_env(tree):
    env = dict(os.environ)
    if shutil.which("ccache"):
        env.setdefault("CCACHE_DIR", "/work/.ccache")
        # Relative to the copy, so that copies of different commits share hits.
        env["CCACHE_BASEDIR"] = str(tree)
        env["CCACHE_NOHASHDIR"] = "1"
        env["CMAKE_CXX_COMPILER_LAUNCHER"] = "ccache"
    return env


class Copy:
    """A worktree of the commit under test, configured and built once."""

    def __init__(self, ref, work, fresh, timeout):
        sha = run(["git", "rev-parse", "--verify", f"{ref}^{{commit}}"], REPO)
        if sha.returncode != 0:
            sys.exit(f"mutate: no such commit: {ref}")
        self.sha = sha.stdout.strip()
        self.tree = Path(work) / self.sha[:12]
        self.build = self.tree / "build-mutate"
        self.timeout = timeout
        self.env = build_env(self.tree)
        self.tree.parent.mkdir(parents=True, exist_ok=True)
        # Two runs on one copy would put their faults into each other's builds.
        self.lock = open(self.tree.parent / f"{self.tree.name}.lock", "w")
        try:
            fcntl.flock(self.lock, fcntl.LOCK_EX | fcntl.LOCK_NB)
        except BlockingIOError:
            sys.exit(f"mutate: another run is using {self.tree}")
        if fresh and self.tree.exists():
            run(["git", "worktree", "remove", "--force", str(self.tree)], REPO)
        if not self.tree.exists():
            added = run(["git", "worktree", "add", "--detach", str(self.tree), self.sha], REPO)
            if added.returncode != 0:
                sys.exit(f"mutate: cannot make a copy:\n{added.stdout}")
        # A fault left behind by an interrupted run must not leak into this one.
        run(["git", "checkout", "--", "src"], self.tree)

    def prepare(self):
        if not (self.build / "build.ninja").exists():
            # Debug without debug information: the tests behave the same, and
            # each fault relinks every test program, which lld and small
            # objects make several times faster.
            flags = ["-DCMAKE_BUILD_TYPE=Debug", "-DCMAKE_CXX_FLAGS_DEBUG=-O0"]
            if shutil.which("ld.lld"):
                flags += ["-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld"]
            configured = run(["cmake", "-S", ".", "-B", str(self.build), "-G", "Ninja", *flags],
                             self.tree, self.env)
            if configured.returncode != 0:
                sys.exit(f"mutate: configure failed:\n{configured.stdout}")
        if not self.compile():
            sys.exit("mutate: the unchanged copy does not build; fix that first")
        failed, output = self.test(stop_on_failure=False)
        if failed:
            sys.exit("mutate: the unchanged copy fails tests " + ", ".join(failed)
                     + "; a fault cannot be judged against a red suite\n" + output[-3000:])

    def compile(self):
        built = run(["ninja", "-C", str(self.build), "-j2"], self.tree, self.env)
        self.last_build_output = built.stdout
        return built.returncode == 0

    def test(self, stop_on_failure=True):
        cmd = ["ctest", "--test-dir", str(self.build), "-j2", "--timeout", str(self.timeout),
               "--output-on-failure"]
        if stop_on_failure:
            cmd.append("--stop-on-failure")
        try:
            tested = run(cmd, self.tree, self.env, timeout=self.timeout * 20)
        except subprocess.TimeoutExpired:
            return ["(ctest as a whole timed out)"], ""
        failed = re.findall(r"Test\s+#\d+: (\S+) \.+\**\s*(?:Failed|Timeout|Exception|"
                            r"Subprocess aborted|SEGFAULT|Child aborted|Not Run)", tested.stdout)
        if tested.returncode != 0 and not failed:
            failed = ["(ctest failed without naming a test)"]
        return sorted(set(failed)), tested.stdout

    def resolve(self, name):
        """A path from the top (src/...), or the end of a path that is unique
        under src/: a file name, or a file name with its folder (files move
        between folders; the faults should not have to follow)."""
        src = self.tree / "src"
        if name.startswith("src/"):
            path = self.tree / name
            return [path] if path.is_file() else []
        # "posix/DriveTable.cpp" finds src/platform/posix/DriveTable.cpp.
        suffix = "/" + name
        return sorted(p for p in src.rglob(Path(name).name)
                      if p.is_file() and p.as_posix().endswith(suffix))


def first_error(output):
    for line in output.splitlines():
        if ": error:" in line or "error:" in line.split(" ", 1)[0]:
            return line.strip()[:200]
    return "does not compile"


def applicability(copy, fault):
    """Why the fault cannot be put into this copy, or None when it can."""
    matches = copy.resolve(fault.file)
    if len(matches) != 1:
        return f"{fault.file}: {len(matches)} files of that name under src/"
    relative = matches[0].relative_to(copy.tree).as_posix()
    if relative.startswith(WINDOWS_ONLY):
        return f"{relative} is Windows-only code"
    count = matches[0].read_text(encoding="utf-8").count(fault.find)
    if count != 1:
        return f"snippet found {count} times in {relative}"
    return None


def judge(copy, fault):
    problem = applicability(copy, fault)
    if problem:
        return Verdict("n/a", problem)
    path = copy.resolve(fault.file)[0]
    original = path.read_text(encoding="utf-8")
    try:
        path.write_text(original.replace(fault.find, fault.replace), encoding="utf-8")
        if not copy.compile():
            return Verdict("n/a", "does not compile: " + first_error(copy.last_build_output))
        failed, _ = copy.test()
        if failed:
            return Verdict("killed", ", ".join(failed))
        return Verdict("survived", "")
    finally:
        path.write_text(original, encoding="utf-8")


def main():
    parser = argparse.ArgumentParser(description="Run the mutation check.")
    parser.add_argument("--ref", default="HEAD", help="commit to test (default: HEAD)")
    parser.add_argument("--only", nargs="+", metavar="ID", help="run these faults only")
    parser.add_argument("--list", default=str(SCRIPT_DIR / "mutations.txt"),
                        help="fault list (default: scripts/mutations.txt)")
    parser.add_argument("--work", default=os.environ.get("KESTRIX_MUTATE_DIR", "/tmp/kestrix-mutate"),
                        help="scratch folder for the copies (kept between runs)")
    parser.add_argument("--timeout", type=int, default=60, help="seconds per test")
    parser.add_argument("--fresh", action="store_true", help="make the copy anew")
    parser.add_argument("--check", action="store_true",
                        help="only say which faults apply to the commit; build nothing")
    args = parser.parse_args()

    try:
        faults = parse_faults(Path(args.list))
    except ListError as error:
        sys.exit(f"mutate: {error}")
    if args.only:
        unknown = set(args.only) - {f.ident for f in faults}
        if unknown:
            sys.exit("mutate: no such fault: " + ", ".join(sorted(unknown)))
        faults = [f for f in faults if f.ident in args.only]

    started = time.monotonic()
    copy = Copy(args.ref, args.work, args.fresh, args.timeout)
    print(f"mutate: {len(faults)} faults against {copy.sha[:12]} in {copy.tree}", flush=True)
    if args.check:
        for fault in faults:
            problem = applicability(copy, fault)
            print(f"{'n/a' if problem else 'applies':<9} {fault.ident} {problem or ''}")
        return
    copy.prepare()
    print(f"mutate: unchanged copy builds and passes ({time.monotonic() - started:.0f} s)",
          flush=True)

    tally = {"killed": [], "survived": [], "n/a": []}
    width = max((len(f.ident) for f in faults), default=0)
    try:
        for fault in faults:
            verdict = judge(copy, fault)
            tally[verdict.status].append(fault.ident)
            detail = f"  [{verdict.detail}]" if verdict.detail else ""
            print(f"{verdict.status:<9} {fault.ident:<{width}} {fault.what}{detail}", flush=True)
    finally:
        # The copy stays for the next run; leave it unbroken and up to date.
        copy.compile()

    applicable = len(tally["killed"]) + len(tally["survived"])
    rate = 100.0 * len(tally["killed"]) / applicable if applicable else 0.0
    print()
    print(f"killed {len(tally['killed'])}, survived {len(tally['survived'])}, "
          f"not applicable {len(tally['n/a'])}; kill rate {rate:.1f} % of {applicable} applicable")
    if tally["survived"]:
        print("survivors: " + " ".join(tally["survived"]))
    if tally["n/a"]:
        print("not applicable: " + " ".join(tally["n/a"]))
    print(f"time: {time.monotonic() - started:.0f} s")


if __name__ == "__main__":
    main()
