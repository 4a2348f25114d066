#!/usr/bin/env bash
# The far2l face in the real far2l: first the probe plug-in checks the
# interface header against far2l (the records it is handed, the services it
# calls), then marten.far-plug-wide is tried on files as a user would, each
# check in a far2l of its own with a fresh profile. One line per check.
#
#   tests/far2l/acceptance.sh BUILD_DIR
#
# far2l comes from ../shared/far2l/far2l.tar.xz beside the project (or
# $FAR2L_TARBALL) and is unpacked into BUILD_DIR/far2l-host. Exits 0 when
# every check passed, 1 when one failed, and 3, printing NOT RUN and the
# reason, when there is no far2l build to test against.
set -euo pipefail
self=$(realpath "$0")
build=$(realpath "${1:?usage: tests/far2l/acceptance.sh BUILD_DIR}")
cd "$(dirname "$0")/../.."
# shellcheck source=tests/far2l/far2l_harness.sh
source tests/far2l/far2l_harness.sh

plugins="$build/plugins/far2l"
probe_plugins="$build/tests/far2l/probe-plugins"
F2L_WORK="$build/far2l-acceptance"
F2L_BIN="$build/far2l-host/far2l/bin/far2l"
cyrillic_words="слово слово слово слово слово слово слово слово слово слово слово слово "

# Fails, showing both, unless FILE holds exactly TEXT.
expect_file() {
  local file=$1 text=$2
  if [ "$(cat "$file"; echo .)" != "$text." ]; then
    echo "$file holds:"; cat -A "$file"
    echo "expected:"; printf '%s' "$text" | cat -A
    return 1
  fi
}

# Fails unless LOG has a line that is exactly LINE.
expect_line() {
  grep -qxF -- "$2" "$1" && return 0
  echo "no line '$2' in $1:"; cat "$1"
  return 1
}

# Waits until LOG has a line that is exactly LINE.
wait_line() {
  local tries
  for ((tries = 100; tries > 0; tries--)); do
    grep -qxF -- "$2" "$1" 2>/dev/null && return 0
    sleep 0.1
  done
  expect_line "$1" "$2"
}

# A file of the check's own with TEXT in it.
file_with() {
  local path="$F2L_WORK/$1"
  printf '%s' "$2" > "$path"
  echo "$path"
}

check_probe() {
  local file log="$F2L_WORK/probe.log"
  file=$(file_with probe.msg $'AB> hello world\nsecond line\n')
  rm -f "$log"
  f2l_start probe "$file" 1:5 "$probe_plugins" "FAR2L_PROBE_LOG=$log"
  f2l_type probe i
  wait_line "$log" "processname mask=t* answer=0 cmpname=0"
  expect_line "$log" "startup size=276 fsfsize=628 module=[$probe_plugins/probe/probe.far-plug-wide] rootkey=[Software/Far2/Plugins] services=1"
  expect_line "$log" "getplugininfo size=0 title=[Probe title]"
  grep -qE '^info answer=1 id=[0-9]+ total=3 line=0 pos=4 options=0x54 tabsize=8 codepage=65001 width=100$' "$log" ||
    { echo "EditorInfo read wrongly:"; cat "$log"; return 1; }
  expect_line "$log" "line answer=1 length=15 text=[AB> hello world] eol=[\\x0A]"
  local size=$((${#file} + 1))
  expect_line "$log" "filename size=$size answer=$size name=[$file]"
  expect_line "$log" "processname mask=*.msg answer=1 cmpname=1"
  expect_line "$log" "processname mask=*.MSG answer=1 cmpname=1"
  expect_line "$log" "processname mask=*.txt answer=0 cmpname=0"

  # One bracket: the line set and an Enter fed back, taken back by one Ctrl+Z.
  f2l_type probe s
  wait_line "$log" "undo end answer=1"
  expect_line "$log" "undo begin answer=1"
  expect_line "$log" "setstring answer=1"
  expect_line "$log" "key down=1 vk=0xD char=0x0 state=0x0 depth=1"
  expect_line "$log" "processinput enter answer=1"
  f2l_wait probe "[set"
  f2l_keys probe C-z
  f2l_wait_gone probe "[set"
  f2l_wait probe "AB> hello world"

  # A letter fed as the module feeds one comes back to the plug-ins first.
  f2l_type probe h
  wait_line "$log" "processinput letter answer=1"
  expect_line "$log" "key down=1 vk=0x0 char=0x48 state=0x0 depth=1"
  f2l_wait probe "AB> Hhello world"
  f2l_type probe n
  wait_line "$log" "insertstring answer=1"

  f2l_type probe m
  f2l_wait probe "Probe second"
  f2l_keys probe Down Enter
  wait_line "$log" "menu answer=1"
  f2l_keys probe F11
  f2l_wait probe "Probe title"
  f2l_keys probe Enter
  wait_line "$log" "open from=5 item=0"

  # Keys as far2l sends them: Cyrillic by its character, the others by their
  # virtual key with the character 0.
  f2l_type probe "Н"
  f2l_keys probe Enter BSpace Tab C-z
  wait_line "$log" "key down=1 vk=0x5A char=0x0 state=0x8 depth=0"
  expect_line "$log" "key down=1 vk=0xE8 char=0x41D state=0x0 depth=0"
  expect_line "$log" "key down=1 vk=0xD char=0x0 state=0x0 depth=0"
  expect_line "$log" "key down=1 vk=0x8 char=0x0 state=0x0 depth=0"
  expect_line "$log" "key down=1 vk=0x9 char=0x0 state=0x0 depth=0"
  f2l_save_quit probe
}

check_enter_in_a_quote() {
  local file
  file=$(file_with quote.msg $'AB> hello world\n')
  f2l_start quote "$file" 1:11 "$plugins"
  f2l_keys quote Enter
  f2l_wait_line quote "AB> world"
  f2l_save_quit quote
  expect_file "$file" $'AB> hello \nAB> world\n'
}

check_wrap_with_cyrillic() {
  local file
  file=$(file_with wrap.msg "XY> $cyrillic_words"$'\n')
  f2l_start wrap "$file" 1:77 "$plugins"
  f2l_type wrap "длинное"
  f2l_wait wrap "XY> длинное"
  f2l_save_quit wrap
  expect_file "$file" "XY> ${cyrillic_words% }"$'\nXY> длинное\n'
}

check_replaced_letters() {
  local file
  file=$(file_with letters.msg $'text\n')
  f2l_start letters "$file" 1:5 "$plugins"
  f2l_type letters "Нр Р"
  f2l_wait letters "textHp P"
  f2l_save_quit letters
  expect_file "$file" $'textHp P\n'
}

check_one_undo_after_a_wrap() {
  local file
  file=$(file_with undo.msg "XY> $cyrillic_words"$'\n')
  f2l_start undo "$file" 1:77 "$plugins"
  f2l_type undo "дли"
  f2l_wait undo "слово дли"
  f2l_type undo "н"
  f2l_wait undo "XY> длин"
  f2l_keys undo C-z
  f2l_wait_gone undo "XY> длин"
  f2l_save_quit undo
  expect_file "$file" "XY> ${cyrillic_words}дли"$'\n'
}

check_join() {
  local file
  file=$(file_with join.msg $'AB> one\nAB> two\n')
  f2l_start join "$file" 1:8 "$plugins"
  f2l_keys join DC
  f2l_wait join "AB> onetwo"
  f2l_save_quit join
  expect_file "$file" $'AB> onetwo\n'
}

check_outside_the_masks() {
  local file
  file=$(file_with notes.txt $'AB> hello world\n')
  f2l_start notes "$file" 1:11 "$plugins"
  f2l_type notes "Н"
  f2l_keys notes Enter
  f2l_wait_line notes "world"
  f2l_save_quit notes
  expect_file "$file" $'AB> hello Н\nworld\n'
}

check_f11_lists_the_plugin() {
  local file
  file=$(file_with menu.msg $'x\n')
  f2l_start menu "$file" 1:1 "$plugins"
  f2l_keys menu F11
  f2l_wait menu "Plugin commands"
  f2l_wait menu "║ Marten"
  f2l_keys menu Escape
  f2l_wait_gone menu "Plugin commands"
  f2l_quit menu
  # The face wrote its settings into the profile far2l was given.
  expect_line "$F2L_WORK/menu.profile/.config/plugins/marten/config.ini" "[Settings]"
}

# A ragged quoted paragraph reflowed by F11's second entry into one line
# within the margin, and one Ctrl+Z giving it back as it was.
check_reflow_and_undo() {
  local file text=$'AB> one two\nAB> three\nAB> four five\n\nAB> below\n'
  file=$(file_with reflow.msg "$text")
  f2l_start reflow "$file" 1:1 "$plugins"
  f2l_keys reflow F11
  f2l_wait reflow "Plugin commands"
  f2l_wait reflow "Reflow paragraph"
  f2l_keys reflow Down Enter
  f2l_wait_line reflow "AB> one two three four five"
  f2l_keys reflow C-z
  f2l_wait_line reflow "AB> three"
  f2l_save_quit reflow
  expect_file "$file" "$text"
}

# The settings dialog, reached by F11 and the menu: Enter opens it at the
# first switch; Space turns the quotes off, four Tabs on reach Balanced, two
# more the right margin; Enter confirms with OK, the default button.
check_settings_dialog() {
  local file ini="$F2L_WORK/dialog.profile/.config/plugins/marten/config.ini"
  file=$(file_with dialog.msg $'x\n')
  f2l_start dialog "$file" 1:1 "$plugins"
  f2l_keys dialog F11
  f2l_wait dialog "Plugin commands"
  f2l_keys dialog Enter
  f2l_wait dialog "About Marten"
  f2l_keys dialog Enter
  f2l_wait dialog "Balanced lines"
  f2l_wait dialog "Right margin"
  f2l_keys dialog Space Tab Tab Tab Tab Space Tab Tab End BSpace BSpace
  f2l_type dialog 70
  f2l_keys dialog Enter
  f2l_wait_gone dialog "Right margin"
  f2l_wait dialog "About Marten"
  f2l_keys dialog Escape
  f2l_wait_gone dialog "About Marten"
  f2l_quit dialog
  expect_line "$ini" "EnableQuote=0"
  expect_line "$ini" "Balanced=1"
  expect_line "$ini" "RIndent=70"
  expect_line "$ini" "EnableAutoWrap=1"
  expect_line "$ini" "FileMask=*.msg,golded.*"
}

# A config.ini that cannot be read is moved aside, and the menu tells so
# once, in a message box drawn by far2l.
check_damaged_settings_told() {
  local file seed="$F2L_WORK/damaged-seed" folder="$F2L_WORK/damaged.profile/.config/plugins/marten"
  mkdir -p "$seed/.config/plugins/marten"
  printf '[Settings]\nRIndent=50\n\001 binary\n' > "$seed/.config/plugins/marten/config.ini"
  file=$(file_with damaged.msg $'x\n')
  F2L_PROFILE_SEED="$seed" f2l_start damaged "$file" 1:1 "$plugins"
  f2l_keys damaged F11
  f2l_wait damaged "Plugin commands"
  f2l_keys damaged Enter
  f2l_wait damaged "The settings file could not be read"
  f2l_wait damaged "config.ini.broken-"
  f2l_keys damaged Enter
  f2l_wait damaged "About Marten"
  f2l_keys damaged Escape
  f2l_wait_gone damaged "About Marten"
  # Once: the menu opened again shows no note.
  f2l_keys damaged F11
  f2l_wait damaged "Plugin commands"
  f2l_keys damaged Enter
  f2l_wait damaged "About Marten"
  if f2l_screen damaged | grep -qF "could not be read"; then
    echo "the note came again"; return 1
  fi
  f2l_keys damaged Escape
  f2l_wait_gone damaged "About Marten"
  f2l_quit damaged
  ls "$folder" | grep -q '^config.ini.broken-' || { echo "nothing moved aside in $folder"; return 1; }
  expect_line "$folder/config.ini" "RIndent=78"
}

# The far2l component installed into a scratch prefix: a far2l whose
# personal plug-ins path names <prefix>/lib/far2l/Plugins lists it in F11 by
# the title of its language file.
check_installed_component() {
  local file prefix="$F2L_WORK/prefix" name
  rm -rf "$prefix"
  cmake --install "$build" --component far2l --prefix "$prefix" > "$F2L_WORK/install.log"
  for name in marten.far-plug-wide marten_en.lng marten_ru.lng marten_en.hlf marten_ru.hlf; do
    [ -f "$prefix/lib/far2l/Plugins/marten/plug/$name" ] || { echo "not installed: $name"; return 1; }
  done
  file=$(file_with installed.msg $'x\n')
  f2l_start installed "$file" 1:1 "$prefix/lib/far2l/Plugins"
  f2l_keys installed F11
  f2l_wait installed "Plugin commands"
  f2l_wait installed "║ $(sed -n 's/^"\(.*\)"\r\?$/\1/p' "$prefix/lib/far2l/Plugins/marten/plug/marten_en.lng" | sed -n 8p)"
  f2l_keys installed Escape
  f2l_wait_gone installed "Plugin commands"
  f2l_quit installed
}

checks=(
  "probe:the interface header against the real far2l (records, services, keys)"
  "enter_in_a_quote:Enter in a quote continues the prefix"
  "wrap_with_cyrillic:a wrap in Cyrillic text repeats the prefix"
  "replaced_letters:Cyrillic Н, р, Р are replaced by H, p, P"
  "one_undo_after_a_wrap:one Ctrl+Z takes back a wrap and its key"
  "join:Del at the end of a quoted line drops the second prefix"
  "outside_the_masks:a file outside the masks is left to the editor"
  "f11_lists_the_plugin:F11 lists Marten by its title"
  "reflow_and_undo:F11's Reflow paragraph re-wraps a quote, one Ctrl+Z restores it"
  "settings_dialog:the settings dialog confirmed, its values found in config.ini"
  "damaged_settings_told:a damaged config.ini is moved aside and told once in a message box"
  "installed_component:the far2l component installed into a prefix is listed in F11"
)

# One check in a process of its own, so that set -e ends it at its first
# failing step; its output goes to BUILD_DIR/far2l-acceptance/NAME.out.
if [ "${2:-}" = --check ]; then
  trap f2l_stop_all EXIT
  "check_$3"
  exit 0
fi

found=0
tarball=$(f2l_find_tarball "$PWD") || found=$?
if [ "$found" -eq 1 ]; then
  echo "acceptance: NOT RUN: $tarball"
  exit 3
elif [ "$found" -ne 0 ]; then
  echo "acceptance: $tarball"
  exit 1
fi
for needed in "$plugins/marten/plug/marten.far-plug-wide" "$probe_plugins/probe/probe.far-plug-wide"; do
  [ -f "$needed" ] || { echo "acceptance: $needed is not built"; exit 1; }
done
f2l_unpack "$tarball" "$build/far2l-host"
rm -rf "$F2L_WORK"
mkdir -p "$F2L_WORK"
echo "acceptance: far2l from $tarball"

failed=0
for entry in "${checks[@]}"; do
  name=${entry%%:*}
  title=${entry#*:}
  started=$SECONDS
  if timeout 60 bash "$self" "$build" --check "$name" > "$F2L_WORK/$name.out" 2>&1; then
    echo "PASS  $title ($((SECONDS - started)) s)"
  else
    echo "FAIL  $title"
    sed 's/^/      /' "$F2L_WORK/$name.out"
    failed=$((failed + 1))
  fi
done
if [ "$failed" -gt 0 ]; then
  echo "acceptance: $failed of ${#checks[@]} checks failed"
  exit 1
fi
echo "acceptance: all ${#checks[@]} checks passed"
