#!/usr/bin/env bash
# Installs the build under a throwaway prefix as `cmake --install` would for a packager, and
# checks what a desktop finds there: the three programs answering for themselves, the menu
# entry, the icon at each size and the AppStream metadata, all naming one another rightly.
set -euo pipefail
build=$1
work=$(mktemp -d); trap 'rm -rf "$work"' EXIT
prefix="$work/usr"
cmake --install "$build" --prefix "$prefix" >/dev/null
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# Each program: --help answers on stdout and exits 0, an unknown option is a usage error,
# and neither makes anything where it was run (no book in a folder called "--help").
for program in ijazat ijazat-setup ijazat-book; do
  [[ -x "$prefix/bin/$program" ]] || { fail "$program not installed in bin/"; continue; }
  mkdir "$work/cwd-$program"; cd "$work/cwd-$program"
  out=$(HOME="$work/home" QT_QPA_PLATFORM=offscreen "$prefix/bin/$program" --help 2>/dev/null) && status=0 || status=$?
  [[ $status -eq 0 && "$out" == usage:* ]] || fail "$program --help: status $status, said: $out"
  HOME="$work/home" QT_QPA_PLATFORM=offscreen "$prefix/bin/$program" --hepl >/dev/null 2>&1 && status=0 || status=$?
  [[ $status -eq 2 ]] || fail "$program --hepl: status $status, not a usage error"
  [[ -z "$(ls -A)" && ! -e "$work/home" ]] || fail "$program --help/--hepl made files: $(ls -A)"
  cd "$work"
  [[ -f "$prefix/share/man/man1/$program.1.gz" ]] || fail "no manual page for $program"
done

entry="$prefix/share/applications/org.ijazat.ijazat.desktop"
desktop-file-validate "$entry" || fail "desktop entry does not validate"
grep -qx 'Name=الإجازات' "$entry" || fail "menu name is not الإجازات"
grep -qx 'Categories=Office;' "$entry" || fail "not in the Office menu"
exec_program=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
[[ -x "$prefix/bin/$exec_program" ]] || fail "Exec=$exec_program is not an installed program"
icon=$(sed -n 's/^Icon=//p' "$entry")
for size in 16 22 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/$icon.png"
  [[ -f "$png" ]] || { fail "no $size px icon"; continue; }
  [[ $(identify -format '%wx%h' "$png") == "${size}x${size}" ]] || fail "$png is $(identify -format '%wx%h' "$png")"
done
[[ -f "$prefix/share/icons/hicolor/scalable/apps/$icon.svg" ]] || fail "no scalable icon"

metainfo="$prefix/share/metainfo/org.ijazat.ijazat.metainfo.xml"
appstreamcli validate --no-net "$metainfo" >/dev/null || fail "AppStream metadata does not validate"
grep -q "<launchable type=\"desktop-id\">$(basename "$entry")</launchable>" "$metainfo" || fail "metadata launches another entry"
for lang in ar; do
  grep -q "<summary xml:lang=\"$lang\">" "$metainfo" || fail "no $lang summary"
done

[[ $failures -eq 0 ]] && echo "installed tree as a desktop expects it"
exit $((failures > 0))
