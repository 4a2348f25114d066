#!/usr/bin/env bash
# marten-edit in a real terminal (tmux), the build of the day against a
# reference build of eba1de8 (the editor that redrew the whole screen per key
# and had no bracketed paste), in one run:
#  - a paste of 18 KB (300 lines of Russian and Latin words, some quoted) into
#    an empty .msg file at 100x30 and 200x60: the wall time from tmux's
#    paste-buffer -p until the screen shows the last line pasted and the title
#    line says Line 301/; tmux brackets the paste when the editor asked for it,
#    else it types it as keys;
#  - a paragraph of 2,000 characters typed one send-keys call at a time (the
#    plug-in wraps it at the right margin 78) at 80x24 and 200x60: the CPU time
#    (user + system) marten-edit spends per key.
# Each file is saved afterwards and compared with what was pasted or typed, so
# that a lost key or an altered paste is reported beside the figures.
#   bench/terminal-input.sh [BUILD_DIR]    (default build/release, built if missing)
#   RUNS=5 bench/terminal-input.sh         (runs of the build of the day, default 3)
#   REFERENCE_RUNS=3 ...                   (runs of the reference, default 1)
#   REFERENCE=/path/to/marten-edit ...     (a reference already built: no worktree)
#   TYPE_GROUP=5 ...                       (characters per send-keys call, default 1)
# The reference is a git worktree of eba1de8 in build/bench-reference, built in
# its own build/release and reused by later runs. Needs tmux and python3.
# Exits non-zero when a figure misses its target or a run cannot be measured.
set -euo pipefail
cd "$(dirname "$0")/.."

reference_commit=eba1de8
for tool in tmux python3 git cmake; do
  command -v "$tool" >/dev/null || { echo "terminal-input.sh: $tool is not installed (scripts/install-deps.sh)" >&2; exit 1; }
done

# The plug-in folder of a marten-edit: the one its build tree or its
# installation keeps beside the executable's folder, as marten-edit looks.
plugin_folder() {
  local bin
  bin=$(cd "$(dirname "$1")" && pwd)
  for candidate in "$bin/../plugins/Marten" "$bin/../lib/marten/plugins/Marten"; do
    if [ -f "$candidate/marten.so" ]; then
      (cd "$candidate" && pwd)
      return 0
    fi
  done
  echo "terminal-input.sh: no plug-in folder with marten.so beside $1 (looked in ../plugins/Marten and ../lib/marten/plugins/Marten)" >&2
  return 1
}

# The build of the day.
build=${1:-build/release}
if [ ! -x "$build/edit/marten-edit" ] || [ ! -f "$build/plugins/Marten/marten.so" ]; then
  [ "$build" = build/release ] && cmake --preset release >/dev/null
  cmake --build "$build" --target marten-edit marten
fi
current=$(cd "$build" && pwd)/edit/marten-edit
current_plugins=$(plugin_folder "$current")

# The reference: a worktree of its commit under build/, built once.
if [ -n "${REFERENCE:-}" ]; then
  [ -x "$REFERENCE" ] || { echo "terminal-input.sh: REFERENCE=$REFERENCE is not an executable marten-edit" >&2; exit 1; }
  reference=$(cd "$(dirname "$REFERENCE")" && pwd)/$(basename "$REFERENCE")
else
  commit=$(git rev-parse --verify --quiet "$reference_commit^{commit}") ||
    { echo "terminal-input.sh: commit $reference_commit is not in this repository" >&2; exit 1; }
  tree=build/bench-reference
  if [ -e "$tree" ]; then
    if [ "$(git -C "$tree" rev-parse --verify --quiet HEAD 2>/dev/null || true)" != "$commit" ]; then
      echo "terminal-input.sh: $tree is not a worktree at $reference_commit; remove it (git worktree remove --force $tree) and run again" >&2
      exit 1
    fi
  else
    mkdir -p build
    # -f: a worktree once registered there and since deleted is added again.
    git worktree add --quiet -f --detach "$tree" "$commit" >/dev/null
  fi
  tree=$(cd "$tree" && pwd)
  if [ ! -x "$tree/build/release/edit/marten-edit" ] || [ ! -f "$tree/build/release/plugins/Marten/marten.so" ]; then
    cmake -S "$tree" -B "$tree/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$tree/build/release" --target marten-edit marten
  fi
  reference=$tree/build/release/edit/marten-edit
fi
reference_plugins=$(plugin_folder "$reference")

work=$(mktemp -d)
# Every editor runs under a tmux server of its own, its socket in $work, so
# that one server shutting down never meets the next one starting.
cleanup() {
  for socket in "$work"/tmux-*; do
    [ -S "$socket" ] && { env -i PATH="$PATH" tmux -S "$socket" kill-server 2>/dev/null || true; }
  done
  rm -rf "$work"
}
trap cleanup EXIT

# The floor of the typing figures: a program that does nothing with a key but
# read it and write one short answer (a count and a cursor move), typed at in
# the same terminal the same way. What a key costs marten-edit above this is
# its own work; the rest is the terminal's round trip on this machine.
cat >"$work/key-floor.c" <<'C'
#include <poll.h>
#include <stdio.h>
#include <termios.h>
#include <unistd.h>
int main(void) {
    struct termios t;
    tcgetattr(0, &t);
    cfmakeraw(&t);
    tcsetattr(0, TCSANOW, &t);
    long keys = 0;
    char in[256], out[64];
    for (;;) {
        struct pollfd p = {0, POLLIN, 0};
        if (poll(&p, 1, 250) <= 0) continue;
        ssize_t got = read(0, in, sizeof in);
        if (got <= 0) return 0;
        for (ssize_t i = 0; i < got; ++i) keys += (in[i] & 0xC0) != 0x80;  /* characters, not bytes */
        int n = snprintf(out, sizeof out, "\x1b[1;1H%ld keys\x1b[2;%ldH", keys, keys % 70 + 1);
        if (write(1, out, (size_t)n) < 0) return 1;
    }
}
C
cc -O2 -o "$work/key-floor" "$work/key-floor.c"

python3 - "$work" "$reference" "$reference_plugins" "$current" "$current_plugins" "$work/key-floor" <<'PY'
import os, random, re, statistics, subprocess, sys, time

work = sys.argv[1]
builds = {"reference": (sys.argv[2], sys.argv[3]), "current": (sys.argv[4], sys.argv[5])}
servers = 0   # the tmux servers started so far; each has a socket of its own
socket = None
runs = {"reference": int(os.environ.get("REFERENCE_RUNS", "1")), "current": int(os.environ.get("RUNS", "3"))}
group = max(int(os.environ.get("TYPE_GROUP", "1")), 1)
if min(runs.values()) < 1:
    sys.exit("terminal-input.sh: RUNS and REFERENCE_RUNS must be at least 1")
paste_bound = 60.0   # seconds a paste may take to show (the reference's at 200x60 takes ~15)
type_bound = 120.0   # seconds the typed paragraph may take to show
clock_tick = os.sysconf("SC_CLK_TCK")
# Neither the server nor the editor sees anything of the caller's environment.
client_env = {"PATH": "/usr/local/bin:/usr/bin:/bin", "LANG": "C.UTF-8", "LC_ALL": "C.UTF-8"}

class Unmeasured(Exception):
    pass

# Words without the three letters the plug-in replaces (capital EN, small and
# capital ER), so that what the editor holds can be compared with what was sent.
rnd = random.Random(2026)
cyrillic = [c for c in "абвгдеёжзийклмнопстуфхцчшщъыьэюя"]
latin = list("abcdefghijklmnopqrstuvwxyz")
def word():
    letters = cyrillic if rnd.random() < 0.6 else latin
    return "".join(rnd.choice(letters) for _ in range(rnd.randint(1, 9)))

# The paste: 300 lines of 50 to 70 bytes in UTF-8, every seventh or so quoted;
# the last two lines are not, so that the end of the paste stands alone.
paste_lines = []
for n in range(300):
    line = " AB> " if n < 298 and rnd.random() < 0.15 else ""
    target = rnd.randint(50, 70)
    while True:
        w = word()
        joined = line + w if line in ("", " AB> ") else line + " " + w
        if len(joined.encode()) <= target:
            line = joined
            continue
        # The last word fills the line to its length exactly.
        room = target - len(line.encode()) - 1
        if room > 0:
            line += " " + "".join(rnd.choice(latin) for _ in range(room))
        break
    paste_lines.append(line)
paste_text = "\n".join(paste_lines) + "\n"
with open(os.path.join(work, "paste.txt"), "w", encoding="utf-8") as f:
    f.write(paste_text)
paste_final_line = len(paste_lines) + 1   # the cursor stands below the last line

# The paragraph: 2,000 characters of words and blanks, ending in a word that
# appears nowhere else.
last_word = "конецабзаца"
body = ""
while len(body) < 2000:
    body += word() + " "
body = body[:2000 - len(last_word) - 1].rstrip(" ")
typed = body.ljust(2000 - len(last_word) - 1, "x") + " " + last_word
assert len(typed) == 2000 and "  " not in typed and last_word not in body

def tmux(*args, check=True):
    result = subprocess.run(["tmux", "-u", "-S", socket, *args], env=client_env, stdin=subprocess.DEVNULL,
                            capture_output=True, text=True)
    if check and result.returncode != 0:
        raise Unmeasured(f"tmux {args[0]} failed: {result.stderr.strip()}")
    return result.stdout

def screen():
    """The pane's text; Unmeasured when the pane is gone (marten-edit ended)."""
    result = subprocess.run(["tmux", "-u", "-S", socket, "capture-pane", "-p", "-t", "bench"], env=client_env,
                            stdin=subprocess.DEVNULL, capture_output=True, text=True)
    if result.returncode != 0:
        raise Unmeasured(f"the editor's pane is gone: marten-edit ended ({stderr_of()})")
    return result.stdout

def wait_for(condition, bound, pause=0.003):
    """Polls the screen until condition(screen) holds; the screen, or None after the bound."""
    until = time.monotonic() + bound
    while True:
        shown = screen()
        if condition(shown):
            return shown
        if time.monotonic() > until:
            return None
        time.sleep(pause)

def title(shown):
    return shown.splitlines()[0].strip() if shown else "(nothing: the pane is gone)"

def stderr_of():
    """What the editor of the current server wrote to its standard error."""
    try:
        return open(socket + ".stderr", errors="replace").read().strip() or "no message"
    except OSError:
        return "no message"

class Editor:
    """marten-edit on a new .msg file in a tmux pane of the given size."""
    def __init__(self, build, name, width, height):
        global servers, socket
        servers += 1
        socket = os.path.join(work, f"tmux-{servers}")
        executable, plugins = builds[build]
        self.path = os.path.join(work, name)
        config = os.path.join(work, "config")
        inner = (f"env -i PATH=/usr/bin:/bin LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=xterm-256color HOME={work} "
                 f"XDG_CONFIG_HOME={config} {executable} --plugins {plugins} "
                 f"--registry {work}/registry.reg {self.path} 2>{socket}.stderr")
        tmux("-f", "/dev/null", "new-session", "-d", "-s", "bench", "-x", str(width), "-y", str(height), inner)
        if not wait_for(lambda s: "Line 1/1" in s, 10.0, 0.02):
            raise Unmeasured(f"{build} marten-edit did not open {name} within 10 s: {stderr_of()}")
        self.pid = self.find_pid()


    def find_pid(self):
        # env replaces itself with marten-edit, so the shell's child is the editor.
        shell = tmux("list-panes", "-t", "bench", "-F", "#{pane_pid}").strip()
        try:
            children = open(f"/proc/{shell}/task/{shell}/children").read().split()
        except OSError:
            children = []
        for pid in [shell] + children + [p for p in os.listdir("/proc") if p.isdigit()]:
            try:
                if open(f"/proc/{pid}/comm").read().strip() == "marten-edit" and \
                        self.path.encode() in open(f"/proc/{pid}/cmdline", "rb").read():
                    return int(pid)
            except OSError:
                continue
        raise Unmeasured(f"no marten-edit process editing {self.path}")

    def cpu_seconds(self):
        fields = open(f"/proc/{self.pid}/stat").read().rsplit(")", 1)[1].split()
        return (int(fields[11]) + int(fields[12])) / clock_tick   # utime and stime

    def saved_lines(self):
        """F2, then the file's lines as the editor wrote them (code page 866), or None."""
        tmux("send-keys", "-t", "bench", "F2")
        if not wait_for(lambda s: "Saved" in title(s), 10.0, 0.02):
            return None
        data = open(self.path, "rb").read().decode("cp866")
        return data.replace("\r\n", "\n").split("\n")

    def close(self):
        tmux("kill-server", check=False)

def first_difference(expected, got):
    for n, (e, g) in enumerate(zip(expected, got), 1):
        if e != g:
            return f"line {n}: sent {e!r}, the file holds {g!r}"
    return f"{len(expected)} lines sent, the file holds {len(got)}"

def paste_run(build, width, height, run):
    editor = Editor(build, f"paste-{build}-{width}x{height}-{run}.msg", width, height)
    try:
        tmux("load-buffer", "-b", "bench", os.path.join(work, "paste.txt"))
        end_text = paste_lines[-1]
        done = lambda s: end_text in s and f"Line {paste_final_line}/" in title(s)
        start = time.monotonic()
        tmux("paste-buffer", "-p", "-b", "bench", "-t", "bench")
        shown = wait_for(done, paste_bound)
        elapsed = time.monotonic() - start
        if shown is None:
            return None, f"not shown within {paste_bound:.0f} s; the title line: {title(screen())}"
        lines = editor.saved_lines()
        if lines is None:
            return elapsed, "the save after the paste was not reported"
        expected = paste_lines + [""]
        differ = sum(1 for e, g in zip(expected, lines) if e != g) + abs(len(expected) - len(lines))
        if differ == 0:
            return elapsed, "kept as pasted"
        return elapsed, f"{differ} lines differ from the paste ({first_difference(expected, lines)})"
    finally:
        editor.close()

def type_run(build, width, height, run):
    editor = Editor(build, f"type-{build}-{width}x{height}-{run}.msg", width, height)
    try:
        before = editor.cpu_seconds()
        for at in range(0, len(typed), group):
            tmux("send-keys", "-t", "bench", "-l", "--", typed[at:at + group])
        shown = wait_for(lambda s: last_word in s, type_bound, 0.005)
        if shown is None:
            return None, f"the last word was not shown within {type_bound:.0f} s; the title line: {title(screen())}"
        per_key = (editor.cpu_seconds() - before) / len(typed) * 1e6
        lines = editor.saved_lines()
        if lines is None:
            return per_key, "the save after typing was not reported"
        if " ".join(lines).split() != typed.split():
            got = " ".join(lines).split()
            sent = typed.split()
            n = next((i for i, (a, b) in enumerate(zip(sent, got)) if a != b), min(len(sent), len(got)))
            return per_key, (f"the words differ from those typed, from word {n + 1}: sent "
                             f"{' '.join(sent[n:n + 3])!r}, the file holds {' '.join(got[n:n + 3])!r}")
        longest = max(len(line) for line in lines)
        if len(lines) < 2 or longest > 78:
            return per_key, f"not wrapped at 78 ({len(lines)} lines, the longest {longest}): is the plug-in loaded?"
        return per_key, f"every key arrived, wrapped into {len(lines)} lines"
    finally:
        editor.close()

def floor_run(width, height):
    """CPU per key of the key-floor program, typed at as the editors are."""
    global servers, socket
    servers += 1
    socket = os.path.join(work, f"tmux-{servers}")
    tmux("-f", "/dev/null", "new-session", "-d", "-s", "bench", "-x", str(width), "-y", str(height), sys.argv[6])
    try:
        pid = None
        deadline = time.monotonic() + 10
        while pid is None and time.monotonic() < deadline:
            for p in (p for p in os.listdir("/proc") if p.isdigit()):
                try:
                    if open(f"/proc/{p}/cmdline", "rb").read().rstrip(b"\0") == sys.argv[6].encode():
                        pid = int(p)
                except OSError:
                    continue
            time.sleep(0.02)
        if pid is None:
            return None
        def cpu():
            fields = open(f"/proc/{pid}/stat").read().rsplit(")", 1)[1].split()
            return (int(fields[11]) + int(fields[12])) / clock_tick
        time.sleep(0.3)  # raw mode set before the first key
        before = cpu()
        for at in range(0, len(typed), group):
            tmux("send-keys", "-t", "bench", "-l", "--", typed[at:at + group])
        if wait_for(lambda s: f"{len(typed)} keys" in s, type_bound, 0.005) is None:
            return None
        return (cpu() - before) / len(typed) * 1e6
    finally:
        tmux("kill-server", check=False)

def measure(kind, run_one, sizes, unit):
    figures = {}
    for build in ("reference", "current"):
        for width, height in sizes:
            values, notes = [], set()
            for run in range(runs[build]):
                value, note = run_one(build, width, height, run)
                notes.add(note)
                if value is not None:
                    values.append(value)
                shown = f"{value * unit[0]:.1f} {unit[1]}" if value is not None else "no figure"
                print(f"  {kind} {build:9} {width}x{height} run {run + 1}: {shown}; {note}", flush=True)
            figures[build, width, height] = statistics.median(values) if len(values) == runs[build] else None
    return figures

failed = False
try:
    print(f"paste: {len(paste_text.encode())} bytes, {len(paste_lines)} lines "
          f"(medians of {runs['current']} runs, {runs['reference']} of the reference)", flush=True)
    paste = measure("paste", paste_run, [(100, 30), (200, 60)], (1000, "ms"))
    print(f"typing: {len(typed)} characters, {group} per send-keys call", flush=True)
    typing = measure("typing", type_run, [(80, 24), (200, 60)], (1, "µs CPU per key"))
    floor = {}
    for (w, h) in [(80, 24), (200, 60)]:
        values = [v for v in (floor_run(w, h) for _ in range(runs["current"])) if v is not None]
        floor[w, h] = statistics.median(values) if values else None
        shown = f"{floor[w, h]:.1f} µs CPU per key" if floor[w, h] is not None else "no figure"
        print(f"  typing key-floor  {w}x{h}: {shown} (a program that only reads each key and answers it)", flush=True)
except Unmeasured as error:
    print(f"terminal-input.sh: {error}", file=sys.stderr)
    sys.exit(1)

def ms(value):
    return f"{value * 1000:.1f} ms" if value is not None else "timed out"

print()
print(f"  {'':28} {'reference':>14} {'current':>14}")
for (w, h) in [(100, 30), (200, 60)]:
    print(f"  {f'paste, {w}x{h}':28} {ms(paste['reference', w, h]):>14} {ms(paste['current', w, h]):>14}")
for (w, h) in [(80, 24), (200, 60)]:
    cells = [f"{typing[b, w, h]:.1f} µs" if typing[b, w, h] is not None else "timed out" for b in ("reference", "current")]
    print(f"  {f'typing, CPU per key, {w}x{h}':28} {cells[0]:>14} {cells[1]:>14}")
for (w, h) in [(80, 24), (200, 60)]:
    shown = f"{floor[w, h]:.1f} µs" if floor[w, h] is not None else "no figure"
    print(f"  {f'key-floor, CPU per key, {w}x{h}':28} {shown:>29}")
print()

def check(label, value, target, at_most):
    global failed
    if value is None:
        failed = True
        print(f"  {label:56} no figure (a run timed out)  (target {'<=' if at_most else '>='} {target}: MISSED)")
        return
    if target is None:
        print(f"  {label:56} {value:8.2f}")
        return
    ok = value <= target if at_most else value >= target
    failed |= not ok
    print(f"  {label:56} {value:8.2f}  (target {'<=' if at_most else '>='} {target}: {'met' if ok else 'MISSED'})")

def ratio(a, b):
    return a / b if a is not None and b is not None else None

check("paste, current, 100x30, ms", paste["current", 100, 30] and paste["current", 100, 30] * 1000, 100, True)
check("paste, 100x30, current / reference", ratio(paste["current", 100, 30], paste["reference", 100, 30]), None, True)
check("paste, 200x60, current / reference", ratio(paste["current", 200, 60], paste["reference", 200, 60]), None, True)
check("paste, current, 200x60 / 100x30", ratio(paste["current", 200, 60], paste["current", 100, 30]), 1.5, True)
check("typing, CPU per key, 80x24, reference / current", ratio(typing["reference", 80, 24], typing["current", 80, 24]), 10, False)
check("typing, CPU per key, 200x60, reference / current", ratio(typing["reference", 200, 60], typing["current", 200, 60]), 10, False)
def above_floor(build, w, h):
    value, base = typing[build, w, h], floor[w, h]
    return max(value - base, 0.0) if value is not None and base is not None else None
for (w, h) in [(80, 24), (200, 60)]:
    current_own = above_floor("current", w, h)
    check(f"typing, {w}x{h}, above the key-floor, reference / current",
          ratio(above_floor("reference", w, h), current_own) if current_own else None, None, False)
check("typing, CPU per key, current, 200x60 / 80x24", ratio(typing["current", 200, 60], typing["current", 80, 24]), 1.5, True)
sys.exit(1 if failed else 0)
PY
