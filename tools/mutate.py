#!/usr/bin/env python3
"""Hand-written mutants of a few modules, to see whether the tests notice them.

For each mutant of the chosen module the script changes one snippet of the
source file, rebuilds the module's test programs with ninja, runs their tests
with ctest and counts the mutant killed when a test fails (or hangs past the
timeout). The file is put back after every mutant, also on Ctrl-C or a failed
build; a copy of the original waits beside it until then, so that a run cut
off harder is undone by the next one.

  tools/mutate.py --build build --module settings/ini [--only 3] [--timeout 300]

Prints one line per mutant, with the tests that failed, and a last line
"MODULE killed K/N survived: ..."; a mutant that does not compile is left out
of the count. Builds go past ccache, and a restored file gets a new time.
"""

import argparse
import os
import signal
import subprocess
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))

# Each module: its source file, the test programs to rebuild, the ctest label
# pattern of their tests, and its mutants as (name, original, mutated).
MODULES = {
    "settings/ini": {
        "file": "src/settings/ini.cpp",
        "targets": ["settings_tests", "run_tests", "cli_tests"],
        "labels": "^(settings_tests|run_tests|cli_tests)$",
        "mutants": [
            ("trim keeps one blank less",
             'text.find_last_not_of(" \\t") - begin + 1', 'text.find_last_not_of(" \\t") - begin'),
            ("CR of CR LF kept",
             "if (!line.empty() && line.back() == '\\r') line.remove_suffix(1);", ""),
            ("quotes of two-character value kept",
             "value.size() >= 2 && value.front()", "value.size() > 2 && value.front()"),
            ("value bound moved by one",
             "kMaxValueChars = 255;", "kMaxValueChars = 256;"),
            ("byte order mark not skipped",
             "if (i == 0 && line.starts_with(kUtf8Bom))", "if (false && line.starts_with(kUtf8Bom))"),
            ("section names case-sensitive",
             "if (SameNoCase(name, section)) range.begin = i;", "if (name == section) range.begin = i;"),
            ("last of twin keys wins",
             "lines.emplace(LowerCase(name), i);", "lines[LowerCase(name)] = i;"),
            ("line end LF only",
             '*line += "\\r\\n";', '*line += "\\n";'),
            ("new keys after the blank lines",
             "size_t at = EndOfContent(*ini, range);",
             "size_t at = range.end + 0 * EndOfContent(*ini, range);"),
            ("missing file turned into an error",
             "errno != ENOENT) return false;", "errno == ENOENT) return false;"),
        ],
    },
    "engine/cleanup": {
        "file": "src/engine/run/cleanup.cpp",
        "targets": ["run_tests", "cli_tests", "kesto-cli"],
        "labels": "^(run_tests|cli_tests)$",
        "mutants": [
            ("thumbnail folder link followed",
             "int follow = thumb_dir == picture_dir ? 0 : O_NOFOLLOW;",
             "int follow = thumb_dir == picture_dir ? 0 : 0;"),
            ("hidden files taken",
             "if (name[0] != '.' && HasPictureExtension(name))", "if (HasPictureExtension(name))"),
            ("short-name bound moved by one",
             "if (len - mark < 4) return std::nullopt;", "if (len - mark < 5) return std::nullopt;"),
            (".jpeg picture not looked for",
             'candidates = {c1, stem + ".jpeg", stem + ".gif", stem + ".bmp"};',
             'candidates = {c1, stem + ".gif", stem + ".bmp"};'),
            ("double's picture not looked for",
             "if (thumb.ends_with(double_end))", "if (false && thumb.ends_with(double_end))"),
            ("picture names compared case-sensitively",
             "if (pictures.count(LowerCase(c))) return false;", "if (pictures.count(c)) return false;"),
            ("own-thumbnail check dropped",
             "return NamedLikeOrphan(name, naming, formats, pictures) && IsOwnThumbnail(dir_fd, name);",
             "return NamedLikeOrphan(name, naming, formats, pictures) &&\n"
             "         (dir_fd >= 0 || IsOwnThumbnail(dir_fd, name));"),
            ("no-affix guard dropped",
             "if (naming.affix.empty() && !naming.store_in_sub) return orphans;", ""),
            ("no second test before deleting",
             "if (!IsOrphan(folder.fd(), name, naming, formats, pictures) ||",
             "if (false ||"),
            ("failed deletion not told",
             "host->Warn(VisibleControls(", "(void)(VisibleControls("),
            ("missing picture folder not checked",
             "if (!IsDirectory(picture_dir)) return;", "if (!IsDirectory(picture_dir) && false) return;"),
        ],
    },
    "forms/dialog_rules": {
        "file": "src/forms/dialog_rules.cpp",
        "targets": ["forms_tests", "frm_options_test", "frm_options2_test", "frm_main_test",
                    "process_test", "settings_dialogs_test"],
        "labels": "^(forms_tests|windows)$",
        "mutants": [
            ("wrong tab for the name length",
             '{kAdvanced, "txtFNameMaxLet", kAtLeastThree, 5}',
             '{kAdvanced, "txtFNameMaxLet", kAtLeastThree, 4}'),
            ("least-three bound moved by one",
             "if (value < 3)", "if (value < 2)"),
            ("font size bound moved by one",
             "if (value > 48) {", "if (value > 49) {"),
            ("font size not set back",
             '*text = "48";', ""),
            ("page digits bound moved by one",
             "kMaxPageDigits = 255;", "kMaxPageDigits = 254;"),
            ("number padding rounded down",
             "std::ceil(digits - length)", "std::floor(digits - length)"),
            ("prefix and suffix swapped",
             "as_prefix ? number + name : name + number", "as_prefix ? name + number : number + name"),
            ("CR LF made two blanks",
             "if (text[i] == '\\r' && i + 1 < text.size() && text[i + 1] == '\\n') ++i;", ""),
            ("byte order mark kept in style code",
             "if (css.starts_with(kUtf8Bom)) css.remove_prefix(kUtf8Bom.size());", ""),
            ("closing tags in opening order",
             'if (choice.underline) closing += "</u>";\n  if (choice.italic) closing += "</i>";',
             'if (choice.italic) closing += "</i>";\n  if (choice.underline) closing += "</u>";'),
            ("template folder put before full paths",
             "if (path.find('/') == std::string::npos)", "if (path.find('/') != std::string::npos)"),
        ],
    },
}


NO_CCACHE = dict(os.environ, CCACHE_DISABLE="1")


def run(cmd, timeout=None):
    """The exit code of `cmd` (output kept out of sight), or None on a timeout."""
    try:
        return subprocess.run(cmd, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                              timeout=timeout, start_new_session=True, env=NO_CCACHE).returncode
    except subprocess.TimeoutExpired:
        return None


def failed_tests(build, labels, timeout):
    """The names of the tests that fail ("timeout" when ctest itself hangs)."""
    try:
        done = subprocess.run(["ctest", "--test-dir", build, "-j2", "-L", labels, "--timeout",
                               str(timeout)], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                              text=True, timeout=timeout * 4, start_new_session=True)
    except subprocess.TimeoutExpired:
        return ["timeout"]
    failed = done.stdout.split("The following tests FAILED:")[1:]
    names = [line.split(" - ")[1].split(" (")[0].strip()
             for line in "".join(failed).splitlines() if " - " in line]
    return names or (["ctest failed"] if done.returncode != 0 else [])


def restore_left_over(path):
    saved = path + ".mutate-orig"
    if os.path.exists(saved):
        os.replace(saved, path)
        os.utime(path)
        print(f"restored {path} from an earlier cut-off run", file=sys.stderr)


def try_mutant(path, original_text, mutant, build, targets, labels, timeout):
    """'killed', 'survived' or 'no-build' for one mutant, and the failing tests; the file
    is restored after."""
    name, before, after = mutant
    if original_text.count(before) != 1:
        raise SystemExit(f"mutant '{name}': snippet found {original_text.count(before)} times")
    saved = path + ".mutate-orig"
    with open(saved, "w", encoding="utf-8") as f:
        f.write(original_text)
    try:
        with open(path, "w", encoding="utf-8") as f:
            f.write(original_text.replace(before, after))
        if run(["ninja", "-C", build] + targets) != 0:
            return "no-build", []
        failed = failed_tests(build, labels, timeout)
        return ("killed" if failed else "survived"), failed
    finally:
        os.replace(saved, path)
        os.utime(path)  # newer than the mutant's object, so that ninja builds it again


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--build", required=True, help="the ninja build folder")
    parser.add_argument("--module", required=True, choices=sorted(MODULES))
    parser.add_argument("--only", type=int, action="append", help="mutant number (1-based)")
    parser.add_argument("--timeout", type=int, default=300, help="seconds per test")
    args = parser.parse_args()
    # A termination is turned into the exception Ctrl-C raises, so the file is restored.
    signal.signal(signal.SIGTERM, signal.default_int_handler)

    module = MODULES[args.module]
    path = os.path.join(ROOT, module["file"])
    build = os.path.abspath(args.build)
    restore_left_over(path)
    with open(path, encoding="utf-8") as f:
        original_text = f.read()
    os.utime(path)  # whatever an earlier run left, the file is compiled afresh
    if run(["ninja", "-C", build] + module["targets"]) != 0:
        raise SystemExit("the unchanged tree does not build")
    failing = failed_tests(build, module["labels"], args.timeout)
    if failing:
        raise SystemExit("the tests fail on the unchanged tree: " + ", ".join(failing))

    results = []
    for number, mutant in enumerate(module["mutants"], 1):
        if args.only and number not in args.only:
            continue
        start = time.time()
        result, failed = try_mutant(path, original_text, mutant, build, module["targets"],
                                    module["labels"], args.timeout)
        results.append((number, mutant[0], result))
        print(f"{number:2} {result:8} {mutant[0]} ({time.time() - start:.0f} s)", flush=True)
        if failed:
            print("   failed: " + ", ".join(failed), flush=True)
    run(["ninja", "-C", build] + module["targets"])  # back to the unchanged programs

    counted = [r for r in results if r[2] != "no-build"]
    killed = sum(1 for r in counted if r[2] == "killed")
    survivors = ", ".join(f"{n} {name}" for n, name, r in counted if r == "survived") or "none"
    print(f"{args.module} killed {killed}/{len(counted)} survived: {survivors}")


if __name__ == "__main__":
    main()
