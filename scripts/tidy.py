#!/usr/bin/env python3
"""clang-tidy, with the checks of .clang-tidy, over every file a build compiles
from the given source folders, as its compile_commands.json says; fails on any
finding. A file whose compile command, sources and headers (the build's own
dependency file lists them) and .clang-tidy are unchanged since a clean run is
not analysed again: the key of each clean run is kept in BUILD/tidy-clean/.

    tidy.py BUILD FOLDER...
"""
import hashlib, json, os, re, subprocess, sys
from concurrent.futures import ThreadPoolExecutor

build, folders = os.path.abspath(sys.argv[1]), sys.argv[2:]
top = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
config = open(os.path.join(top, '.clang-tidy'), 'rb').read()
ours = re.compile('^' + re.escape(top) + '/(' + '|'.join(map(re.escape, folders)) + ')/')
clean_dir = os.path.join(build, 'tidy-clean')
os.makedirs(clean_dir, exist_ok=True)


def sources_of(entry):
    """The files an entry compiles: itself, or the sources a unity file includes."""
    path = os.path.join(entry['directory'], entry['file'])
    if '/Unity/unity_' not in path:
        return [path]
    included = re.findall(r'#include\s+"([^"]+)"', open(path, encoding='utf-8').read())
    return [p for p in included if os.path.isabs(p)]


def key_of(entry):
    """What the analysis of an entry depends on; None when the build has not
    written the entry's dependency file (then it is always analysed)."""
    digest = hashlib.sha256(config + entry['command'].encode())
    # CMake names the object in "output" from 3.20 on only on some
    # generators; the command's -o names it always.
    output = entry.get('output') or next(iter(re.findall(r'\s-o\s+(\S+)', entry['command'])), '')
    depfile = os.path.join(entry['directory'], output + '.d')
    if not output or not os.path.isfile(depfile):
        return None
    text = open(depfile, encoding='utf-8').read().replace('\\\n', ' ')
    for dep in sorted(set(text.split(':', 1)[1].split())):
        path = os.path.join(entry['directory'], dep)
        try:
            digest.update(path.encode() + open(path, 'rb').read())
        except OSError:
            return None
    return digest.hexdigest()


def analyse(entry):
    key = key_of(entry)
    if key and os.path.exists(os.path.join(clean_dir, key)):
        return entry['file'], None
    # A finding counts in our sources and headers wherever it is reported:
    # in a unity file they are all included files.
    filter_ = top + '/(' + '|'.join(folders) + ')/'
    command = ['clang-tidy', '--quiet', '-p', build, '--header-filter=' + filter_]
    if '/Unity/unity_' in entry['file']:
        # A unity file is made of #include "x.cpp" lines, which is all this
        # check looks for.
        command.append('--checks=-bugprone-suspicious-include')
    run = subprocess.run(command + [os.path.join(entry['directory'], entry['file'])],
                         capture_output=True, text=True)
    findings = [line for line in (run.stdout + run.stderr).splitlines()
                if not re.match(r'^(\d+ warnings?( and \d+ errors?)? generated\.|Suppressed \d+ warnings|'
                                r'Use -header-filter|Error while processing|Found compiler error)', line)]
    if run.returncode == 0 and not findings and key:
        open(os.path.join(clean_dir, key), 'w').close()
    return entry['file'], '\n'.join(findings) if (findings or run.returncode) else None


entries = [e for e in json.load(open(os.path.join(build, 'compile_commands.json')))
           if any(ours.match(s) for s in sources_of(e))]
if not entries:
    sys.exit(f'no file of {", ".join(folders)} in {build}/compile_commands.json')
with ThreadPoolExecutor(os.cpu_count()) as pool:
    results = list(pool.map(analyse, entries))
failed = [(f, out) for f, out in results if out is not None]
for file, out in failed:
    print(out or f'{file}: clang-tidy failed')
print(f'clang-tidy: {len(entries)} files of {", ".join(folders)}: '
      + (f'findings in {len(failed)}' if failed else 'no findings'))
sys.exit(1 if failed else 0)
