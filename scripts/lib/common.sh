# Shared by the scripts: Debian packages, the Wine prefixes, the display.
# shellcheck shell=bash

TW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TW_WINE=/usr/lib/wine/wine64
TW_WINESERVER=/usr/lib/wine/wineserver

tw_log() { printf '\033[1m== %s\033[0m\n' "$*"; }

# Phases of a script, timed: tw_phase NAME starts one (ending the one before); the seconds of
# each are printed when the script ends, whether it passed or not.
TW_PHASES=()
TW_PHASE=""
TW_PHASE_START=0
tw_phase() {
  tw_phase_end
  TW_PHASE=$1
  TW_PHASE_START=$SECONDS
  tw_log "$1"
}
tw_phase_end() {
  [ -n "$TW_PHASE" ] && TW_PHASES+=("$(printf '%6d s  %s' $((SECONDS - TW_PHASE_START)) "$TW_PHASE")")
  TW_PHASE=""
}
tw_phase_summary() {
  tw_phase_end
  [ ${#TW_PHASES[@]} -gt 0 ] || return 0
  tw_log "time per phase"
  printf '%s\n' "${TW_PHASES[@]}"
}

# Commands run when the calling script ends, last added first.
TW_CLEANUP=()
tw_on_exit() {
  TW_CLEANUP=("$1" "${TW_CLEANUP[@]}")
  trap 'for c in "${TW_CLEANUP[@]}"; do eval "$c"; done' EXIT
}

tw_sudo() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs the Debian packages that are not installed yet.
tw_require_packages() {
  local missing=()
  local p
  for p in "$@"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
      missing+=("$p")
    fi
  done
  if [ ${#missing[@]} -gt 0 ]; then
    tw_log "installing ${missing[*]}"
    tw_sudo apt-get update -qq
    tw_sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Creates a Wine prefix once: Wine's own fonts copied in (the Debian package does not find
# them), and its X11 driver's settings made (see tw_wine_x11_settings).
tw_wine_prefix() {
  local prefix=$1
  export WINEPREFIX=$prefix WINEDEBUG=-all
  if [ ! -f "$prefix/.trailwick-ready" ]; then
    tw_log "creating Wine prefix $prefix"
    mkdir -p "$prefix"
    timeout 300 "$TW_WINE" wineboot -i >/dev/null 2>&1
    "$TW_WINESERVER" -w
    mkdir -p "$prefix/drive_c/windows/Fonts"
    cp -n /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/" 2>/dev/null || true
    touch "$prefix/.trailwick-ready"
  fi
  tw_wine_x11_settings "$prefix"
}

# Wine's X11 driver, set once per prefix (a prefix made before a setting gets it too), with no
# server running: Wine draws the frames, so a program's own non-client painting shows fully;
# and it manages the windows itself. The virtual displays have no window manager, and a
# managed window waits two seconds for one at every hide or destroy, each window test's end
# included.
tw_wine_x11_settings() {
  local prefix=$1 marker="$1/.trailwick-x11-unmanaged"
  [ -f "$marker" ] && return 0
  "$TW_WINESERVER" -k 2>/dev/null || true
  "$TW_WINESERVER" -w
  local key='HKCU\Software\Wine\X11 Driver'
  timeout 120 "$TW_WINE" reg add "$key" /v Decorated /d N /f >/dev/null 2>&1
  timeout 120 "$TW_WINE" reg add "$key" /v Managed /d N /f >/dev/null 2>&1
  "$TW_WINESERVER" -w
  touch "$marker"
}

# Keeps a Wine server running for the prefix until the calling script ends: each program
# start then costs tenths of a second instead of seconds. Wine's helper processes are started
# here, detached from any output pipe: started by a test instead, they would inherit its
# output and keep ctest waiting for the end of it.
tw_wineserver_persistent() {
  export WINEPREFIX=$1
  "$TW_WINESERVER" -p || true # answers 2 also when it starts fine
  tw_on_exit "WINEPREFIX='$1' '$TW_WINESERVER' -k 2>/dev/null || true"
  timeout 120 "$TW_WINE" cmd.exe /c exit </dev/null >/dev/null 2>&1 || true
}

# Starts a virtual X display for the rest of the script (windows need one, also in tests).
tw_virtual_display() {
  local n
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    setsid Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp </dev/null >/dev/null 2>&1 &
    local pid=$!
    local i
    for i in $(seq 1 50); do
      [ -e "/tmp/.X11-unix/X$n" ] && break
      sleep 0.1
    done
    export DISPLAY=":$n"
    tw_on_exit "kill $pid 2>/dev/null || true"
    return 0
  done
  echo "no free X display number" >&2
  return 1
}

# Generates the C library's locales that are not there yet (Wine takes the user's locale from
# LANG only when the C library knows it), e.g. tw_require_locales de_DE.UTF-8 en_US.UTF-8.
tw_require_locales() {
  tw_require_packages locales
  local l
  for l in "$@"; do
    if ! tw_has_locale "$l"; then
      tw_log "generating locale $l"
      # localedef exits 1 when it only warned; the locale list tells whether it was made.
      tw_sudo localedef -i "${l%%.*}" -c -f "${l##*.}" "$l" || true
      tw_has_locale "$l" || { echo "cannot generate locale $l" >&2; return 1; }
    fi
  done
}

tw_has_locale() {
  local normalized
  normalized=$(printf '%s' "$1" | tr 'A-Z' 'a-z' | sed 's/utf-8/utf8/')
  locale -a 2>/dev/null | tr 'A-Z' 'a-z' | grep -qx "$normalized"
}

# --- The 32-bit release build under Wine ---------------------------------------------------
TW_WINE32=/usr/lib/wine/wine

# Adds the i386 architecture, so that Wine's 32-bit half (wine32:i386) can be installed with
# the other packages in one pass, before any prefix is made: a prefix made without it never
# gets its 32-bit half.
tw_enable_i386() {
  dpkg --print-foreign-architectures | grep -qx i386 && return 0
  tw_sudo dpkg --add-architecture i386
}

# Installs Wine's 32-bit half (the i386 architecture first); false when that fails.
tw_require_wine32() {
  dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q 'install ok installed' && return 0
  tw_enable_i386
  tw_require_packages wine32:i386
}

# Whether a prefix has its 32-bit half: a prefix made before wine32 was installed has an
# empty syswow64 folder and runs no 32-bit program, and no later update adds the half.
tw_prefix_has_32bit_half() {
  [ -f "$1/drive_c/windows/syswow64/kernel32.dll" ]
}

# Whether the kernel executes 32-bit programs at all: Wine's 32-bit loader is one. Some
# machines' kernels refuse them ("Exec format error"); nothing in a prefix can help there.
tw_kernel_runs_32bit() {
  local out
  out=$("$TW_WINE32" --version 2>&1) && return 0
  ! printf '%s' "$out" | grep -qi 'exec format error'
}

# Whether this machine runs a 32-bit Windows program under Wine in the prefix $WINEPREFIX: a
# tiny one is built and run. Sets TW_WIN32_REASON when it does not. Wine's helpers keep the
# display they find: set DISPLAY first, or wait for the server to end.
tw_can_run_win32() {
  TW_WIN32_REASON=""
  if ! tw_require_wine32; then
    TW_WIN32_REASON="Wine's 32-bit half (wine32:i386) cannot be installed"
    return 1
  fi
  if ! tw_kernel_runs_32bit; then
    TW_WIN32_REASON="the kernel refuses 32-bit programs (exec format error)"
    return 1
  fi
  local probe=$WINEPREFIX/win32-probe.exe
  [ -f "$probe" ] || printf 'int main(void) { return 32; }\n' |
    i686-w64-mingw32-gcc-posix -x c -o "$probe" - || return 1
  local status=0
  timeout 60 "$TW_WINE32" "$probe" </dev/null >/dev/null 2>&1 || status=$?
  [ "$status" -eq 32 ] && return 0
  TW_WIN32_REASON="a 32-bit program in $WINEPREFIX ended with status $status"
  return 1
}

# Runs the win32 preset's tests under Wine in their own 64-bit prefix, with a display and a
# persistent server. Only a kernel that refuses 32-bit programs skips them, with one line that
# says so; a prefix without its 32-bit half is made again, and any other failure fails.
tw_win32_tests() {
  local build=$1
  tw_require_wine32
  if ! tw_kernel_runs_32bit; then
    echo "win32: the kernel refuses 32-bit programs (exec format error); its tests are skipped"
    return 0
  fi
  if [ -f "$build/wineprefix/.trailwick-ready" ] && ! tw_prefix_has_32bit_half "$build/wineprefix"
  then
    tw_log "win32: the prefix has no 32-bit half (made before wine32 was installed); making it again"
    "$TW_WINESERVER" -k 2>/dev/null || true
    rm -rf "$build/wineprefix"
  fi
  tw_wine_prefix "$build/wineprefix"
  # The display before the first program: Wine's helpers, started with it, keep the display
  # they found.
  [ -n "${DISPLAY:-}" ] || tw_virtual_display
  tw_wineserver_persistent "$build/wineprefix"
  if ! tw_can_run_win32; then
    echo "win32: $TW_WIN32_REASON" >&2
    return 1
  fi
  local start=$SECONDS
  ctest --preset win32
  tw_log "win32: $(ctest --preset win32 -N | sed -n 's/^Total Tests: //p') tests in $((SECONDS - start)) s"
}
