#!/usr/bin/env bash
# Tests the Windows setup program under Wine, in a fresh Wine prefix on an Xvfb display:
#   1. a silent install (/S): files, shortcuts, the uninstall entry, the program's version;
#   2. the program started from its Start-menu shortcut: the super administrator set up,
#      a login, a cheque printed into TALLYRA_PDF_DIR and read back against the same
#      cheque printed by the Linux build (build/tallyra);
#   3. a silent uninstall: the program folder gone, the tables kept;
#   4. an install again: the tables are found (the login window, not the first run) and
#      the login works.
# Needs dist/tallyra-setup-x64.exe (scripts/build-windows.sh full) and build/tallyra
# (scripts/build.sh). Not part of CI: the Windows package takes an hour to build.
# With SHOTS=<folder> it leaves screenshots of each step there.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$(pwd)
setup=$repo/dist/tallyra-setup-x64.exe
[ -f "$setup" ] || { echo "no $setup: run scripts/build-windows.sh full first" >&2; exit 2; }
[ -x build/tallyra ] || { echo "no build/tallyra: run scripts/build.sh first" >&2; exit 2; }

work=$(mktemp -d /tmp/tallyra-installer-XXXXXX)
export WINEPREFIX=$work/wine WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export DISPLAY=${TEST_DISPLAY:-:97}
wine=/usr/lib/wine/wine64
wineserver=/usr/lib/wine/wineserver
shots=${SHOTS:-}
failures=0

log() { printf '== %s (%s)\n' "$*" "$(date -u +%H:%M:%S)"; }
check() { # description, then a command that must succeed
  local what=$1
  shift
  if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}
shot() { [ -z "$shots" ] || { mkdir -p "$shots" && import -window root "$shots/$1.png"; }; }

Xvfb "$DISPLAY" -noreset -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
cleanup() {
  "$wineserver" -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1

# The newest mapped top-level window whose title matches (xdotool's name search misses
# some of Qt's windows).
find_window() { # title regex
  local id name found=""
  while read -r id name; do
    [[ $name =~ $1 ]] || continue
    xwininfo -id "$id" 2>/dev/null | grep -q IsViewable && found=$id
  done < <(xwininfo -root -children | sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": .*/\1 \2/p')
  [ -n "$found" ] && echo "$found"
}
# Waits for such a window and gives it the keyboard.
wait_window() { # title regex
  local id="" n
  for n in $(seq 1 120); do
    id=$(find_window "$1") && break
    sleep 0.5
  done
  [ -n "$id" ] || { echo "no window '$1'" >&2; return 1; }
  xdotool windowactivate --sync "$id" 2>/dev/null || xdotool windowfocus --sync "$id"
  sleep 0.5
}
keys() { xdotool key --delay 120 "$@"; }
type_text() { xdotool type --delay 120 "$1"; }

# The first run, the login and a cheque printed, by keyboard only, so that the same
# strokes drive the Linux and the Windows program whatever their fonts do to the layout.
first_run() {
  wait_window "首次使用"
  type_text admin; keys Tab; type_text pw1234; keys Tab; type_text pw1234; keys Return
}
log_in() {
  wait_window "^Tallyra$"
  shot "$1-login"
  type_text admin; keys Tab; type_text pw1234; keys Return
  wait_window "Tallyra V"
}
print_cheque() { # main window id, shot name
  # The roll-up menu's second entry, 打印支票 (the main window has a fixed layout).
  xdotool mousemove --window "$1" 66 162 click 1
  wait_window "^打印支票$"
  # From the date box, in the window's Enter order: 附加信息, 收款人, 用途, then the
  # eleven digit cells (the six highest left empty), the drawer's account, the face's
  # 收款人, 用途 and 密码.
  keys Return; type_text NOTE1; keys Return; type_text PAYEE; keys Return; type_text GOODS
  keys Return Return Return Return Return Return Return
  type_text 12345; type_text 6222001; keys Return; type_text PAYEE2; keys Return
  type_text GOODS2; keys Return; type_text 9876
  shot "$2-cheque"
  keys alt+p
  wait_window "^打印$"
  shot "$2-confirm"
  keys Return
}
main_window_id() { find_window "^Tallyra V"; }
wait_file() { # glob
  local n
  for n in $(seq 1 60); do compgen -G "$1" >/dev/null && return 0; sleep 0.5; done
  return 1
}

# The words of a PDF, one a line, sorted: what was printed, wherever it stands.
words() { pdftotext "$1" - | tr -s ' \n' '\n\n' | sed '/^$/d' | sort; }

# --- the Linux build's cheque, the reference ----------------------------------------------
log "the same cheque from build/tallyra"
mkdir -p "$work/linux-home" "$work/linux-pdf"
HOME=$work/linux-home TALLYRA_PDF_DIR=$work/linux-pdf build/tallyra >"$work/linux.log" 2>&1 &
linux=$!
first_run
log_in linux
print_cheque "$(main_window_id)" linux
wait_file "$work/linux-pdf/*.pdf"
kill "$linux" 2>/dev/null || true
linux_pdf=$(ls "$work"/linux-pdf/*.pdf | head -1)
words "$linux_pdf" >"$work/linux-words.txt"

# --- 1. a silent install -------------------------------------------------------------------
log "Wine prefix"
"$wine" wineboot -i >/dev/null 2>&1
# A bare prefix has no Chinese dialog font: Wine's dialogs would draw boxes in the shots.
for face in "MS Shell Dlg" "MS Shell Dlg 2" Tahoma "Segoe UI" "Microsoft Sans Serif" SimSun 宋体; do
  "$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v "$face" /d "AR PL UMing CN" /f \
    >/dev/null 2>&1
done
"$wineserver" -w
log "silent install"
"$wine" "$setup" /S
"$wineserver" -w
c=$WINEPREFIX/drive_c
dir="$c/Program Files/Tallyra"
menu="$c/ProgramData/Microsoft/Windows/Start Menu/Programs/Tallyra"
data="$c/users/$(id -un)/AppData/Roaming/Tallyra/bsf"
for f in tallyra.exe Qt6Core.dll Qt6Widgets.dll Qt6PrintSupport.dll platforms/qwindows.dll \
  translations/qtbase_zh_CN.qm help.chm help/index.html uninstall.exe; do
  check "installed $f" test -f "$dir/$f"
done
check "no tables folder in Program Files" test ! -e "$dir/bsf"
check "Start-menu entry" test -f "$menu/Tallyra 票据套打系统.lnk"
check "Start-menu manual and uninstaller" test -f "$menu/使用说明.lnk" -a -f "$menu/卸载 Tallyra.lnk"
check "desktop shortcut" test -f "$c/users/Public/Desktop/Tallyra 票据套打系统.lnk"
"$wine" reg export 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tallyra' \
  'Z:'"${work//\//\\}"'\uninstall.reg' >/dev/null 2>&1 || true
iconv -f UTF-16 -t UTF-8 "$work/uninstall.reg" >"$work/uninstall.txt" 2>/dev/null || true
version=$(sed -n 's/^#define TALLYRA_VERSION "\(.*\)"$/\1/p' build/generated/app/version.h)
check "uninstall entry names the program" grep -q '"DisplayName"="Tallyra 票据套打系统"' "$work/uninstall.txt"
check "uninstall entry has the version $version" grep -q "\"DisplayVersion\"=\"$version\"" "$work/uninstall.txt"
check "uninstall entry has publisher and icon" grep -q '"Publisher"="Tallyra 软件"' "$work/uninstall.txt"
grep -q 'DisplayIcon.*tallyra.exe,0' "$work/uninstall.txt" || { echo "FAIL icon"; failures=$((failures + 1)); }
python3 packaging/windows/pe_version.py "$dir/tallyra.exe" | tee "$work/version.txt"
check "tallyra.exe reports version $version" grep -qx "ProductVersion: $version" "$work/version.txt"

# --- 2. the program from its Start-menu entry ----------------------------------------------
log "the installed program, from the Start menu"
mkdir -p "$work/win-pdf"
TALLYRA_PDF_DIR="Z:${work//\//\\}\\win-pdf" "$wine" start /unix "$menu/Tallyra 票据套打系统.lnk"
first_run
log_in windows
print_cheque "$(main_window_id)" windows
check "a cheque PDF printed" wait_file "$work/win-pdf/*.pdf"
check "tables in the per-user folder" test -f "$data/Zhgl.bsf"
win_pdf=$(ls "$work"/win-pdf/*.pdf | head -1)
words "$win_pdf" >"$work/win-words.txt" || true
check "the cheque says what the Linux build's says" cmp -s "$work/linux-words.txt" "$work/win-words.txt"
check "its texts start where the Linux build's start (0.2 mm)" \
  python3 scripts/pdf-text-origins.py "$linux_pdf" "$win_pdf" 0.2
"$wineserver" -k
sleep 1

# --- 3. a silent uninstall -----------------------------------------------------------------
log "silent uninstall"
"$wine" "$dir/uninstall.exe" /S
"$wineserver" -w
sleep 2
check "program folder removed" test ! -e "$dir"
check "Start-menu folder removed" test ! -e "$menu"
check "tables kept" test -f "$data/Zhgl.bsf"

# --- 4. install again ----------------------------------------------------------------------
log "install again"
"$wine" "$setup" /S
"$wineserver" -w
"$wine" "$dir/tallyra.exe" >/dev/null 2>&1 &
log_in again
check "the login works with the kept tables" test -n "$(main_window_id)"
"$wineserver" -k

echo "$failures failure(s); work folder $work"
[ "$failures" -eq 0 ]
