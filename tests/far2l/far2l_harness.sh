# Runs the real far2l in tmux for the far2l tests; sourced, not run. Each
# session is far2l's editor alone on one file, with a fresh profile (-u) and
# one folder of plug-ins; keys go in with tmux, the screen is polled for what
# a step waits for, with a timeout on every wait, and the saved file and the
# plug-ins' logs are read back afterwards.
#
#   f2l_find_tarball ROOT       the far2l build to test against, or a reason
#   f2l_unpack TARBALL DEST     unpacks it once; sets F2L_BIN
#   f2l_start NAME FILE LINE:COL PLUGINS  far2l on FILE, the cursor there (the
#                               profile seeded from $F2L_PROFILE_SEED when set)
#   f2l_wait NAME TEXT [SECONDS]  until the screen shows TEXT (fixed string)
#   f2l_wait_line NAME LINE [SECONDS]  until a line of it is LINE (blanks after it aside)
#   f2l_wait_gone NAME TEXT [SECONDS]  until it shows TEXT no longer
#   f2l_keys NAME KEY...        tmux key names (Enter, F11, C-z, ...)
#   f2l_type NAME TEXT          TEXT typed as it stands
#   f2l_save_quit NAME          F2, then F10; waits until far2l has ended
#   f2l_quit NAME               F10 on an unchanged file; waits until it has ended
#   f2l_stop_all                ends every session left (for an EXIT trap)
#
# F2L_WORK must name a scratch folder; each session's profile is
# $F2L_WORK/NAME.profile.

f2l_socket="marten-far2l-$$"
f2l_tmux() { LC_ALL=C.UTF-8 tmux -u -L "$f2l_socket" -f /dev/null "$@"; }

# $FAR2L_TARBALL when set; else the first of ../shared/far2l/far2l.tar.xz
# beside ROOT and the same beside the main checkout when ROOT is a worktree
# of it. Prints the path and succeeds; prints why there is none and answers
# 1 when none is at hand, 2 when FAR2L_TARBALL names no file (a mistake, not
# a machine without far2l).
f2l_find_tarball() {
  local root=$1 candidates=() common
  if [ -n "${FAR2L_TARBALL:-}" ]; then
    [ -f "$FAR2L_TARBALL" ] && { echo "$FAR2L_TARBALL"; return 0; }
    echo "FAR2L_TARBALL names $FAR2L_TARBALL, which is not a file"
    return 2
  fi
  candidates+=("$root/../shared/far2l/far2l.tar.xz")
  common=$(git -C "$root" rev-parse --path-format=absolute --git-common-dir 2>/dev/null || true)
  [ -z "$common" ] || candidates+=("$(dirname "$common")/../shared/far2l/far2l.tar.xz")
  local candidate
  for candidate in "${candidates[@]}"; do
    [ -f "$candidate" ] && { realpath "$candidate"; return 0; }
  done
  echo "no far2l build to test against: ../shared/far2l/far2l.tar.xz is not beside the project, and FAR2L_TARBALL is not set"
  return 1
}

# Unpacks TARBALL into DEST unless DEST holds it already, newer than it.
f2l_unpack() {
  local tarball=$1 dest=$2
  F2L_BIN="$dest/far2l/bin/far2l"
  if [ -x "$F2L_BIN" ] && [ "$dest/.unpacked" -nt "$tarball" ]; then return 0; fi
  rm -rf "$dest"
  mkdir -p "$dest"
  tar -xJf "$tarball" -C "$dest"
  [ -x "$F2L_BIN" ] || { echo "$tarball holds no far2l/bin/far2l" >&2; return 1; }
  touch "$dest/.unpacked"
}

f2l_screen() { f2l_tmux capture-pane -p -t "$1" 2>/dev/null; }

# Polls the screen every tenth of a second until TEST (a grep option: -F for
# a piece of text, -xF for a whole line) finds TEXT on it, or no longer
# finds it when GONE is "gone". The screen is taken whole before it is read.
f2l_poll() {
  local name=$1 test=$2 text=$3 gone=$4 seconds=$5 tries screen
  for ((tries = seconds * 10; tries > 0; tries--)); do
    screen=$(f2l_screen "$name" | sed 's/ *$//')
    if grep -q "$test" -- "$text" <<<"$screen"; then
      [ "$gone" = gone ] || return 0
    else
      [ "$gone" != gone ] || return 0
    fi
    sleep 0.1
  done
  if [ "$gone" = gone ]; then
    echo "far2l ($name): '$text' stayed on the screen for $seconds s:" >&2
  else
    echo "far2l ($name): '$text' did not show within $seconds s; the screen:" >&2
  fi
  f2l_screen "$name" >&2
  return 1
}

f2l_wait() { f2l_poll "$1" -F "$2" shown "${3:-10}"; }
f2l_wait_line() { f2l_poll "$1" -xF "$2" shown "${3:-10}"; }
f2l_wait_gone() { f2l_poll "$1" -F "$2" gone "${3:-10}"; }

f2l_keys() { local name=$1; shift; f2l_tmux send-keys -t "$name" "$@"; }
f2l_type() { f2l_tmux send-keys -t "$1" -l -- "$2"; }

# far2l on FILE at LINE:COL (both 1-based), the plug-ins of PLUGINS loaded.
# Extra environment for far2l (FAR2L_PROBE_LOG=...) may follow.
f2l_start() {
  local name=$1 file=$2 position=$3 plugins=$4
  shift 4
  local profile="$F2L_WORK/$name.profile"
  rm -rf "$profile"
  mkdir -p "$profile"
  # A check that needs files in the profile before far2l starts names a
  # folder holding them in F2L_PROFILE_SEED.
  [ -z "${F2L_PROFILE_SEED:-}" ] || cp -R "$F2L_PROFILE_SEED/." "$profile/"
  local command
  printf -v command '%q ' env LANG=C.UTF-8 LC_ALL=C.UTF-8 TERM=xterm-256color "$@" \
    "$F2L_BIN" --tty --nodetect --mortal -u "$profile" \
    "-set:System.PersonalPluginsPath=$plugins" "-e$position" "$file"
  f2l_tmux new-session -d -s "$name" -x 100 -y 30 "$command"
  f2l_wait "$name" "$(basename "$file")" 20
}

# Waits until the session has ended (far2l quit).
f2l_wait_ended() {
  local name=$1 tries
  for ((tries = 100; tries > 0; tries--)); do
    f2l_tmux has-session -t "$name" 2>/dev/null || return 0
    sleep 0.1
  done
  echo "far2l ($name) did not end within 10 s; the screen:" >&2
  f2l_screen "$name" >&2
  f2l_tmux kill-session -t "$name" 2>/dev/null || true
  return 1
}

# The status line (the screen's first) marks a changed file with " * ".
f2l_save_quit() {
  local name=$1 tries status
  f2l_keys "$name" F2
  for ((tries = 100; tries > 0; tries--)); do
    status=$(f2l_tmux capture-pane -p -t "$name" -S 0 -E 0)
    [[ "$status" == *" * "* ]] || break
    sleep 0.1
  done
  if [ "$tries" -eq 0 ]; then
    echo "far2l ($name) did not save within 10 s; the screen:" >&2
    f2l_screen "$name" >&2
    return 1
  fi
  f2l_quit "$name"
}

f2l_quit() {
  f2l_keys "$1" F10
  f2l_wait_ended "$1"
}

# Ends the tmux server and removes its socket, which it leaves behind.
f2l_stop_all() {
  f2l_tmux kill-server 2>/dev/null || true
  rm -f "${TMUX_TMPDIR:-/tmp}/tmux-$(id -u)/$f2l_socket"
}
