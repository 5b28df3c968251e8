#!/usr/bin/env bash
# The Windows installer under Wine, as a user meets it: a fresh Wine prefix, a silent install,
# the installed program started with the real Windows platform plugin, its main window, the
# help window from "Hilfe zum Programm", "Wirklich beenden?" answered "Ja", and a silent
# uninstall that leaves nothing behind. Runs inside a desktop of its own:
#
#   desktop_session.py --wm -- installer_smoke.sh <lumaKvex-setup.exe> <smoke_driver.exe>
set -uo pipefail

setup=$1
driver=$2
[ -f "$setup" ] || { echo "FAIL: no installer at $setup"; exit 1; }

prefix=$(mktemp -d)
export WINEPREFIX=$prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset WINEPATH
cleanup() {
  wineserver -k 2>/dev/null
  rm -rf "$prefix"
}
trap cleanup EXIT

failed=0
check() { # check <what> <command...>
  local what=$1
  shift
  if "$@"; then echo "ok: $what"; else echo "FAIL: $what"; failed=1; fi
}

wineboot -i >/dev/null 2>&1 || { echo "FAIL: wineboot could not make a prefix"; exit 1; }
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1
wineserver -w
# What the prefix holds before, apart from what Wine itself rewrites as it runs.
listing() { (cd "$prefix/drive_c" && find . | grep -v -i -E '/(temp|inf)(/|$)|\.log$' | sort); }
before=$(listing)

program_dir="$prefix/drive_c/Program Files/lumaKvex"
start_menu="$prefix/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/lumaKvex.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\lumaKvex'

wine "$setup" /S
wineserver -w
for f in lumaKvex.exe lumaKvex.chm Hinweise.txt Qt6Widgets.dll platforms/qwindows.dll Deinstallieren.exe; do
  check "installed $f" test -f "$program_dir/$f"
done
check "Start menu entry" test -f "$start_menu"
check "uninstaller registered with the system" \
  sh -c "wine reg query '$uninstall_key' /v UninstallString 2>/dev/null | grep -q 'Deinstallieren.exe'"

wine 'C:\Program Files\lumaKvex\lumaKvex.exe' &
program=$!
wine "$driver"
check "the program and its help window went through their steps" test $? -eq 0
# The driver answered "Ja": the program ends by itself.
for _ in $(seq 1 300); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
check "the program ended after \"Ja\"" sh -c "! kill -0 $program 2>/dev/null"
wait "$program"
check "the program's exit status is 0" test $? -eq 0
wineserver -w

wine 'C:\Program Files\lumaKvex\Deinstallieren.exe' /S
wineserver -w
check "program folder removed" test ! -e "$program_dir"
check "Start menu entry removed" test ! -e "$start_menu"
check "uninstaller's registration removed" sh -c "! wine reg query '$uninstall_key' >/dev/null 2>&1"
after=$(listing)
leftovers=$(comm -13 <(echo "$before") <(echo "$after"))
check "nothing else left behind" test -z "$leftovers"
[ -n "$leftovers" ] && echo "$leftovers" | head -n 20

exit $failed
