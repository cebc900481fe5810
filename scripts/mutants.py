#!/usr/bin/env python3
"""Mutation testing of the core: applies a fixed, seeded sample of one-edit
mutants to the .cpp files of base/, store/, decode/, options/, device/,
files/, calls/, checks/, search/, detail/, print/, app/ and tools/ that the
build without windows (VELK_GUI=OFF) compiles, rebuilds incrementally and runs against each
mutant every test program that can reach its file, and reports the mutants
that no test noticed.

sim/ is left out: the simulator is a test tool. Window files are left out
too (they are not compiled without the GUI, so their mutants could only
survive); the report names every file left out and why.

Which files are compiled, by which target, and which test programs reach
them all come from CMake's file API (the codemodel): a test program reaches
a file when its target depends, directly or through other targets (linked
or added with add_dependencies), on a target that compiles the file. The
test programs are those of every CTest label except window and package
(unit, e2e against velksim, sim, and the tools' tests, which run velkdump,
velksim and velkscope-extcap as processes); the programs a test depends on
are rebuilt with it."""
import argparse, json, os, random, re, shutil, signal, subprocess, sys, time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
FOLDERS = ("base", "store", "decode", "options", "device", "files", "calls", "checks", "search", "detail", "print", "app", "tools")
# Test labels whose programs need windows, or build the package.
SKIPPED_LABELS = {"window", "package"}
# Headers hold declarations and a few one-line accessors; a change there
# rebuilds most of the tree, so only .cpp files are mutated.
SUFFIXES = (".cpp",)


# ---------------------------------------------------------------- sources

def mask(text):
    """The text with comments, string and character literals blanked to
    spaces (newlines kept), so offsets stay valid and no literal is mutated."""
    out, i, n = list(text), 0, len(text)
    def blank(a, b):
        for k in range(a, b):
            if out[k] != "\n":
                out[k] = " "
    while i < n:
        c = text[i]
        if text.startswith("//", i):
            j = text.find("\n", i)
            j = n if j < 0 else j
            blank(i, j); i = j
        elif text.startswith("/*", i):
            j = text.find("*/", i + 2)
            j = n if j < 0 else j + 2
            blank(i, j); i = j
        elif text.startswith('R"', i) and not (text[i-1:i].isalnum() and text[i-1] not in "uUL8"):
            d = text[i+2:text.find("(", i)]
            j = text.find(")" + d + '"', i) + len(d) + 2
            blank(i + 1, j); i = j
        elif c in "\"'":
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            blank(i, j + 1); i = j + 1
        else:
            i += 1
    return "".join(out)


def skipped_lines(masked):
    """Line numbers (0-based) that cannot hold a useful mutant: preprocessor
    lines with their continuations, static_assert, using, namespace, template."""
    skip, cont = set(), False
    for no, line in enumerate(masked.split("\n")):
        s = line.strip()
        if cont or s.startswith("#") or re.match(r"(static_assert|using|namespace|template)\b", s):
            skip.add(no)
        cont = (cont or s.startswith("#")) and s.endswith("\\")
    return skip


def match_close(masked, i):
    """Offset just past the bracket that closes the one at i."""
    depth = 0
    for j in range(i, len(masked)):
        if masked[j] in "([{":
            depth += 1
        elif masked[j] in ")]}":
            depth -= 1
            if depth == 0:
                return j + 1
    return -1


def statement_end(masked, i):
    """Offset just past the ';' that ends the statement starting at i."""
    depth = 0
    for j in range(i, len(masked)):
        c = masked[j]
        if c in "([{":
            depth += 1
        elif c in ")]}":
            depth -= 1
            if depth < 0:
                return -1
        elif c == ";" and depth == 0:
            return j + 1
    return -1


FLIP = {"<": "<=", "<=": "<", ">": ">=", ">=": ">", "==": "!=", "!=": "=="}
KEYWORDS = set("""auto bool break case char class const constexpr continue default delete do
double else enum explicit extern float for friend goto if inline int long namespace new
operator private protected public return short signed sizeof static struct switch template
this throw try typedef typename union unsigned using virtual void volatile while""".split())
EXPR_STMT = re.compile(r"(\+\+|--)?([A-Za-z_]\w*)(?:(?:\.|->|::)[A-Za-z_]\w*|\[[^\]\n]*\])*"
                       r"\s*(\(|=(?!=)|<<=|>>=|[-+*/%&|^]=|\+\+|--)")


def sites(path):
    """Every mutant of one file as (offset, original text, replacement, kind)."""
    text = path.read_bytes().decode("utf-8")
    masked = mask(text)
    skip = skipped_lines(masked)
    starts = [0] + [m.end() for m in re.finditer("\n", masked)]
    found = []
    for no, start in enumerate(starts):
        if no in skip:
            continue
        line = masked[start:starts[no + 1] - 1] if no + 1 < len(starts) else masked[start:]
        def add(col, old, new, kind):
            found.append((start + col, old, new, kind))
        for m in re.finditer(r"(?<=\s)(==|!=|<=|>=|<|>)(?=\s)", line):
            if not line[:m.start()].rstrip().endswith("operator"):
                add(m.start(), m.group(), FLIP[m.group()], "comparison")
        for m in re.finditer(r"(?<=\s)(&&|\|\|)(?=\s)", line):
            add(m.start(), m.group(), "||" if m.group() == "&&" else "&&", "condition")
        for m in re.finditer(r"\b(if|while)\s*\(", line):
            a = start + m.end() - 1
            b = match_close(masked, a)
            cond = masked[a + 1:b - 1]
            # Declarations and init-statements in a condition cannot be negated.
            if b > 0 and ";" not in cond and not re.search(r"[^=!<>]=[^=]", cond):
                add(m.end() - 1, text[a:b], "(!" + text[a:b] + ")", "condition")
        for m in re.finditer(r"\b(true|false)\b", line):
            add(m.start(), m.group(), "false" if m.group() == "true" else "true", "boolean")
        for m in re.finditer(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)([uUlL]*)(?![\w.'])", line):
            digits, suffix = m.groups()
            if re.fullmatch(r"0[0-7]+", digits):
                continue  # octal (file modes)
            value = int(digits, 0)
            for v in (value + 1, value - 1):
                if v < 0:
                    continue
                new = (("0x%0*x" if re.search("[a-f]", digits[2:]) else "0x%0*X")
                       % (len(digits) - 2, v) if digits[:2].lower() == "0x" else str(v))
                add(m.start(), m.group(), new + suffix, "constant")
        # Removed statements: an expression statement or a returned value.
        body = line.lstrip()
        col = len(line) - len(body)
        before = masked[:start + col].rstrip()
        if not before or before[-1] not in ";{}):" and not before.endswith("else"):
            continue
        m = EXPR_STMT.match(body)
        ret = re.match(r"return\s+(?=\S)", body)
        if (m and m.group(2) not in KEYWORDS) or ret:
            end = statement_end(masked, start + col)
            if end < 0:
                continue
            old = text[start + col:end]
            if ret:
                value = old[ret.end():-1].strip()
                if value not in ("{}", "true", "false", "0", "nullptr", "*this"):
                    add(col, old, "return {};", "statement")
            else:
                add(col, old, ";", "statement")
    return found


def candidate_files():
    """The .cpp files of the sampled folders, relative to ROOT."""
    return [path.relative_to(ROOT).as_posix()
            for folder in FOLDERS for path in sorted((ROOT / folder).rglob("*"))
            if path.suffix in SUFFIXES]


def all_mutants(files):
    mutants = []
    for rel in files:
        path = ROOT / rel
        text = path.read_bytes().decode("utf-8")
        for off, old, new, kind in sites(path):
            line = text.count("\n", 0, off) + 1
            mutants.append(dict(file=rel, offset=off, line=line, old=old, new=new, kind=kind))
    return mutants


# ---------------------------------------------------------------- build and tests

def run(cmd, **kw):
    return subprocess.run(cmd, stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True, **kw)


def configure(build, gui=False):
    """Configures the tree with a file API query for the codemodel; False
    when cmake fails."""
    query = build / ".cmake" / "api" / "v1" / "query"
    query.mkdir(parents=True, exist_ok=True)
    (query / "codemodel-v2").touch()
    flags = ["-O1", "-g0"]
    args = ["cmake", "-S", str(ROOT), "-B", str(build), "-DCMAKE_BUILD_TYPE=",
            "-DVELK_GUI=" + ("ON" if gui else "OFF"), "-DVELK_TESTS=ON", "-DVELK_FUZZ=OFF",
            "-DVELK_BENCH=OFF", "-DVELK_SANITIZE=OFF", "-DVELK_TSAN=OFF",
            "-DCMAKE_CXX_FLAGS=" + " ".join(flags)]
    if not (build / "CMakeCache.txt").exists() and shutil.which("ninja"):
        args += ["-G", "Ninja"]
    if shutil.which("clang++"):
        args.append("-DCMAKE_CXX_COMPILER=clang++")
    if shutil.which("ld.lld"):
        args.append("-DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld")
    if shutil.which("ccache") and "CMAKE_CXX_COMPILER_LAUNCHER" not in os.environ:
        # Putting a file back recompiles it: the cache makes that quick.
        args.append("-DCMAKE_CXX_COMPILER_LAUNCHER=ccache")
    r = run(args)
    if r.returncode and not gui:
        sys.exit(r.stdout[-4000:] + "\nmutants: configuring %s failed" % build)
    return r.returncode == 0


class Codemodel:
    """The targets of a configured tree from the file API's reply: what each
    compiles, what it depends on, what it builds."""
    def __init__(self, build):
        reply = build / ".cmake" / "api" / "v1" / "reply"
        index = max(reply.glob("index-*.json"), key=lambda f: f.name)
        model = json.loads((reply / json.loads(index.read_text())["reply"]["codemodel-v2"]["jsonFile"]).read_text())
        self.targets = {}  # id -> name, type, sources (relative to ROOT), deps, artifacts
        for ref in model["configurations"][0]["targets"]:
            t = json.loads((reply / ref["jsonFile"]).read_text())
            srcs = set()
            for src in t.get("sources", []):
                if "compileGroupIndex" in src:
                    path = Path(src["path"])
                    path = path if path.is_absolute() else Path(model["paths"]["source"]) / path
                    try:
                        srcs.add(path.resolve().relative_to(ROOT).as_posix())
                    except ValueError:
                        pass  # generated in the build tree
            arts = set()
            for art in t.get("artifacts", []):
                path = Path(art["path"])
                arts.add(str((path if path.is_absolute() else build / path).resolve()))
            self.targets[t["id"]] = dict(name=t["name"], type=t["type"], sources=srcs, artifacts=arts,
                                         deps=[d["id"] for d in t.get("dependencies", [])])

    def compiling(self, rel):
        """Ids of the targets that compile a file."""
        return {i for i, t in self.targets.items() if rel in t["sources"]}

    def closure(self, tid):
        """Ids of the targets one target depends on, directly or not."""
        seen, todo = set(), [tid]
        while todo:
            for d in self.targets[todo.pop()]["deps"]:
                if d not in seen:
                    seen.add(d)
                    todo.append(d)
        return seen

    def by_artifact(self, path):
        path = str(Path(path).resolve())
        return next((i for i, t in self.targets.items() if path in t["artifacts"]), None)


def left_out(files, model, build):
    """The files of the sampled folders that the tree does not compile, each
    with the reason: a probe tree with the windows tells window files apart."""
    missing = [f for f in files if not model.compiling(f)]
    gui = set()
    probe = build / "gui-probe"
    if missing and configure(probe, gui=True):
        gui = {f for t in Codemodel(probe).targets.values() for f in t["sources"]}
    return {f: "window file, compiled only with VELK_GUI=ON" if f in gui else "in no target of the build"
            for f in missing}


def test_programs(build, model):
    """The test executables of every label but the skipped ones, with their
    working folder, environment, target and the programs they need."""
    r = run(["ctest", "--show-only=json-v1"], cwd=build)
    exes, skipped = {}, set()
    for t in json.loads(r.stdout)["tests"]:
        exe = t["command"][0]
        props = {p["name"]: p["value"] for p in t.get("properties", [])}
        if SKIPPED_LABELS & set(props.get("LABELS", [])):
            continue
        tid = model.by_artifact(exe)
        if tid is None:
            skipped.add(Path(exe).name)  # not a program of this build (a script)
            continue
        env = dict(os.environ, **dict(e.split("=", 1) for e in props.get("ENVIRONMENT", []) if "=" in e))
        deps = model.closure(tid)
        exes.setdefault(exe, dict(exe=exe, name=Path(exe).name, target=model.targets[tid]["name"],
                                  cwd=props.get("WORKING_DIRECTORY", str(build)), env=env, reaches=deps | {tid},
                                  programs=sorted(model.targets[d]["name"] for d in deps
                                                  if model.targets[d]["type"] == "EXECUTABLE")))
    for name in sorted(skipped):
        print("  %s: not a target of the build, not run" % name)
    if not exes:
        sys.exit("mutants: no test program to run")
    return list(exes.values())


def build_targets(build, names, jobs):
    return run(["cmake", "--build", str(build), "-j", str(jobs), "--target", *names]).returncode == 0


def run_tests(t, limit):
    """True when the executable passes within the time limit."""
    p = subprocess.Popen([t["exe"], "--gtest_fail_fast", "--gtest_brief=1"], cwd=t["cwd"],
                         env=t["env"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         start_new_session=True)
    try:
        return p.wait(timeout=limit) == 0
    except subprocess.TimeoutExpired:
        return False
    finally:
        # Also ends the programs the tests started.
        try:
            os.killpg(p.pid, signal.SIGKILL)
        except ProcessLookupError:
            pass
        p.wait()


# ---------------------------------------------------------------- mutants

class Mutation:
    """One mutant in its file for the length of a with block; the original
    bytes are put back on any exit, and a journal lets the next run put
    them back after a hard kill."""
    def __init__(self, m, journal):
        self.m, self.path, self.journal = m, ROOT / m["file"], journal

    def __enter__(self):
        self.original = self.path.read_bytes()
        text = self.original.decode("utf-8")
        off, old = self.m["offset"], self.m["old"]
        assert text[off:off + len(old)] == old, self.m
        self.journal.write_bytes(json.dumps(self.m["file"]).encode() + b"\n" + self.original)
        try:
            self.path.write_bytes((text[:off] + self.m["new"] + text[off + len(old):]).encode("utf-8"))
        except BaseException:
            self.__exit__()
            raise

    def __exit__(self, *exc):
        self.path.write_bytes(self.original)
        assert self.path.read_bytes() == self.original
        self.journal.unlink()


def recover(journal):
    if journal.exists():
        name, _, data = journal.read_bytes().partition(b"\n")
        (ROOT / json.loads(name)).write_bytes(data)
        journal.unlink()
        print("mutants: restored %s left mutated by an interrupted run" % json.loads(name))


def sample_order(mutants, seed):
    """Indices of mutants in a fixed order for the seed, drawing the kinds in
    turn so the many constants do not crowd out the other kinds."""
    rng, pools = random.Random(seed), {}
    for i, m in enumerate(mutants):
        pools.setdefault(m["kind"], []).append(i)
    kinds = sorted(pools)
    for k in kinds:
        rng.shuffle(pools[k])
    order = []
    while any(pools.values()):
        order += [pools[k].pop() for k in kinds if pools[k]]
    return order


def show(m):
    one = lambda s: " ".join(s.split())
    return "%s:%d  %s  ->  %s" % (m["file"], m["line"], one(m["old"]), one(m["new"]))


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--seed", type=int, default=9, help="sample seed (default 9)")
    ap.add_argument("--count", type=int, default=200, help="compiled mutants to test (default 200)")
    ap.add_argument("--build", default="build/mutants", help="build tree (default build/mutants)")
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--list", action="store_true", help="print the sample and stop")
    ap.add_argument("--only", default="", metavar="PATH",
                    help="test only the mutants of the sample in files under PATH (e.g. decode/)")
    args = ap.parse_args()
    build = (ROOT / args.build).resolve()
    build.mkdir(parents=True, exist_ok=True)
    journal = build / "mutant-in-progress"
    recover(journal)

    t0 = time.monotonic()
    configure(build)
    model = Codemodel(build)
    files = candidate_files()
    skipped = left_out(files, model, build)
    mutants = all_mutants([f for f in files if f not in skipped])
    order = sample_order(mutants, args.seed)
    wanted = args.count
    if args.only:
        # The part of the full sample under PATH, to check one folder quickly.
        order = [i for i in order[:wanted] if mutants[i]["file"].startswith(args.only)]
        wanted = len(order)
    if args.list:
        for i in order[:wanted]:
            print(mutants[i]["kind"].ljust(11), show(mutants[i]))
        return

    def interrupted(*_):
        raise KeyboardInterrupt
    signal.signal(signal.SIGTERM, interrupted)
    print("mutants: %d sites in %d files (%d left out), seed %d, %d to test; building %s"
          % (len(mutants), len(files) - len(skipped), len(skipped), args.seed, wanted, build), flush=True)
    r = run(["cmake", "--build", str(build), "-j", str(args.jobs)])
    if r.returncode:
        sys.exit(r.stdout[-4000:] + "\nmutants: the unmutated build failed")
    tests = test_programs(build, model)
    for t in tests:
        s = time.monotonic()
        if not run_tests(t, 600):
            sys.exit("mutants: %s fails without any mutant" % t["name"])
        t["seconds"] = time.monotonic() - s
        # A mutant that makes the tests this much slower is taken as hanging.
        t["limit"] = max(10.0, 4 * t["seconds"])
        print("  %-18s %5.1f s, limit %4.0f s%s" % (t["name"], t["seconds"], t["limit"],
              ", needs " + " ".join(t["programs"]) if t["programs"] else ""), flush=True)
    kills = {}  # (folder, executable) -> mutants it killed, to try it first
    results, nxt = [], 0
    try:
        while sum(r["status"] != "not compiling" for r in results) < wanted and nxt < len(order):
            need = wanted - sum(r["status"] != "not compiling" for r in results)
            # A batch is run grouped by file: one recompile per file change.
            batch = sorted((mutants[i] for i in order[nxt:nxt + need]), key=lambda m: (m["file"], m["offset"]))
            nxt += need
            for m in batch:
                folder = m["file"].split("/")[0]
                owners = model.compiling(m["file"])
                reaching = sorted((t for t in tests if t["reaches"] & owners),
                                  key=lambda t: (-kills.get((folder, t["name"]), 0),
                                                 not t["name"].startswith(folder + "_"), t["seconds"]))
                m["tests"] = len(reaching)
                s = time.monotonic()
                status = "survived"
                with Mutation(m, journal):
                    if not build_targets(build, [model.targets[i]["name"] for i in sorted(owners)], args.jobs):
                        status = "not compiling"
                    for t in reaching if status == "survived" else []:
                        # A test program that fails to build is one that
                        # crashed listing its tests.
                        if (not build_targets(build, [t["target"]] + t["programs"], args.jobs)
                                or not run_tests(t, t["limit"])):
                            status, m["by"] = "killed", t["name"]
                            kills[(folder, t["name"])] = kills.get((folder, t["name"]), 0) + 1
                            break
                m["status"] = status
                results.append(m)
                print("%3d %-13s %5.1f s  %s%s" % (len(results), status, time.monotonic() - s, show(m),
                                                   "  [%s]" % m["by"] if "by" in m else
                                                   "  [%d tests]" % m["tests"] if status == "survived" else ""),
                      flush=True)
    except KeyboardInterrupt:
        print("mutants: interrupted; the sources are as they were")
        args.seed = "%d (interrupted)" % args.seed
    count = lambda s: sum(r["status"] == s for r in results)
    tested = count("killed") + count("survived")
    lines = ["tested %d, killed %d, survived %d, not compiling %d" % (tested, count("killed"), count("survived"), count("not compiling")),
             "mutation score %.1f%% (killed / tested), seed %s, %d sites, elapsed %.0f s"
             % (100.0 * count("killed") / max(tested, 1), args.seed, len(mutants), time.monotonic() - t0),
             "folders: " + " ".join(FOLDERS),
             "test programs: " + " ".join(sorted(t["name"] for t in tests)),
             "surviving mutants (with the number of test programs that reach the file):"] + \
            ["  %s  [%d]" % (show(r), r["tests"]) for r in results if r["status"] == "survived"] + \
            ["not compiling:"] + ["  " + show(r) for r in results if r["status"] == "not compiling"] + \
            ["left out (not compiled in this build):"] + ["  %s: %s" % kv for kv in sorted(skipped.items())]
    report = "\n".join(lines) + "\n"
    (build / "mutants-report.txt").write_text(report, encoding="utf-8")
    print("\n" + report + "report: %s" % (build / "mutants-report.txt"))


if __name__ == "__main__":
    try:
        main()
    except KeyboardInterrupt:
        sys.exit("mutants: interrupted")
