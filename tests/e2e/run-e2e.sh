#!/usr/bin/env bash
# Runs the end-to-end driver under Wine on a virtual X display of its own, with a throwaway
# Wine prefix inside the build tree (never the user's ~/.wine).
# usage: run-e2e.sh DRIVER.exe CORVANE.exe WORKDIR [driver or gtest arguments...]
# Driver arguments of the form --name=/absolute/unix/path are handed on with the Windows path.
set -euo pipefail

driver=$1 exe=$2 work=$3
shift 3

readonly_folder="$work/fixtures/readonly"
# Lets the read-only program folder of an earlier run be removed.
release_readonly() {
  if [ -d "$readonly_folder" ]; then
    chattr -i "$readonly_folder" >/dev/null 2>&1 || true
    chmod u+w "$readonly_folder" || true
  fi
}
release_readonly
rm -rf "$work"
mkdir -p "$work/runs" "$work/artifacts" "$work/fixtures/unreadable" "$readonly_folder"
# A file that opens but fails to read (the reading process's own memory at address 0): what a
# failing network share gives a program.
ln -s /proc/self/mem "$work/fixtures/unreadable/script.txt"
# A program folder that no one may write, as Program Files is for a standard user: corvane.exe,
# an empty shell list and a script, and no settings file. Permissions stop a user; root passes
# over them, but not over the immutable attribute (where the file system and the privileges
# allow it; the test that uses the folder says so when neither worked).
cp "$exe" "$readonly_folder/corvane.exe"
printf '[Shells]\r\n' >"$readonly_folder/shells.ini"
printf 'showmessage ("read-only")\r\n' >"$readonly_folder/script.txt"
chmod a-w "$readonly_folder"
chattr +i "$readonly_folder" >/dev/null 2>&1 || true
trap release_readonly EXIT

export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
unset WINESERVER

display=""
for n in $(seq 91 160); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=$n; break; fi
done
[ -n "$display" ] || { echo "no free X display number" >&2; exit 1; }

Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
cleanup() {
  release_readonly
  wineserver -k >/dev/null 2>&1 || true
  kill "$xvfb_pid" >/dev/null 2>&1 || true
  wait "$xvfb_pid" 2>/dev/null || true
}
trap cleanup EXIT

for _ in $(seq 1 100); do
  [ -e "/tmp/.X11-unix/X$display" ] && break
  sleep 0.1
done
export DISPLAY=":$display"

# A fresh prefix of the user $USER: a Wine virtual desktop the size of the display, so that
# windows are managed inside Wine and focus changes do not wait for a window manager that this
# display does not have.
prepare_prefix() {
  timeout 180 wineboot -i >"$work/wineboot-$(basename "$WINEPREFIX").log" 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f >/dev/null 2>&1
  timeout 60 wineserver -w || true
}

winpath() { winepath -w "$1" 2>/dev/null; }

run_driver() {
  local arguments=()
  for argument in "$@"; do
    case "$argument" in
      --*=/*) arguments+=("${argument%%=*}=$(winpath "${argument#*=}")") ;;
      *) arguments+=("$argument") ;;
    esac
  done
  # Wine writes the debug output of every process that the driver starts on the driver's own
  # standard error (it hands a child only its standard input and output): the event log's tests
  # read it back from the copy in the artifacts.
  local errors="$work/artifacts/wine-errors.log"
  touch "$errors"
  timeout 2000 wine "$driver" \
    --corvane="$(winpath "$exe")" \
    --runs="$(winpath "$work/runs")" \
    --artifacts="$(winpath "$work/artifacts")" \
    --fixtures="$(winpath "$work/fixtures")" \
    --wine-errors="$(winpath "$errors")" \
    "${arguments[@]}" 2> >(tee -a "$errors" >&2)
}

prepare_prefix
status=0
run_driver "$@" || status=$?
timeout 60 wineserver -w || wineserver -k

# A second pass as a user whose name lies beyond the legacy code page, in a prefix of its own:
# Wine takes the user's name from $USER when its server starts, and makes that user's profile
# folder under that name. It runs the tests of such a user alone, unless a filter given leaves
# them out.
filter=""
for argument in "$@"; do
  case "$argument" in --gtest_filter=*) filter="${argument#--gtest_filter=}" ;; esac
done
if [ -z "$filter" ] || [[ "$filter" == *UnicodeUser* ]]; then
  rest=()
  for argument in "$@"; do
    case "$argument" in --gtest_filter=*) ;; *) rest+=("$argument") ;; esac
  done
  export WINEPREFIX="$work/prefix-unicode-user" USER='Zoë Ωmega' LOGNAME='Zoë Ωmega'
  prepare_prefix
  run_driver "${rest[@]}" --gtest_filter='UnicodeUser.*' || status=$?
fi
exit "$status"
