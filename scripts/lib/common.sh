# Shared by the scripts: Debian packages, the Wine prefixes, the display.
# shellcheck shell=bash

TW_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
TW_WINE=/usr/lib/wine/wine64
TW_WINESERVER=/usr/lib/wine/wineserver

tw_log() { printf '\033[1m== %s\033[0m\n' "$*"; }

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
# them) and Wine's frame drawing on, so a program's own non-client painting shows fully.
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
    timeout 120 "$TW_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Decorated /d N /f >/dev/null 2>&1
    "$TW_WINESERVER" -w
    touch "$prefix/.trailwick-ready"
  fi
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
