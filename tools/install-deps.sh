#!/usr/bin/env bash
# Installs the Debian packages listed in the given files (as root), or says which ones are missing.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
packages=()
for list in "$@"; do
  while read -r line; do
    line=${line%%#*}
    [ -n "${line// }" ] && packages+=($line)
  done < "$here/$list"
done
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0
if [ "$(id -u)" -eq 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
  # The tests start their own proxy servers on free ports and need no system service. Installing the packages
  # also starts their services with the default configuration (an open proxy on port 8888): undo that for the
  # packages installed just now, and leave alone a service the machine had before.
  for p in "${missing[@]}"; do
    case "$p" in
      tinyproxy) svc=tinyproxy ;;
      dante-server) svc=danted ;;
      *) continue ;;
    esac
    if command -v systemctl >/dev/null 2>&1; then systemctl disable --now "$svc" >/dev/null 2>&1 || true; fi
    if command -v service >/dev/null 2>&1; then service "$svc" stop >/dev/null 2>&1 || true; fi
  done
else
  echo "Missing Debian packages; install them as root with:" >&2
  echo "  apt-get install ${missing[*]}" >&2
  exit 1
fi
