#!/usr/bin/env bash
# Installs Tarvel's own skins (Light, Dark) into the skins folder and registers them for the current user.
#   tools/install-skins.sh [build-folder]
# The skins folder is Quorvane/Skins/ under the first folder of XDG_DATA_DIRS (default /usr/local/share); the
# registration goes to the user's skins key, $XDG_CONFIG_HOME/Quorvane/Skins.ini (default ~/.config).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${1:-$here/build}
libraries="$build/bin/skins"
skins=("Light=tarvel-light.rcc" "Dark=tarvel-dark.rcc")

for entry in "${skins[@]}"; do
  if [ ! -f "$libraries/${entry#*=}" ]; then
    echo "Skin library $libraries/${entry#*=} is missing: build first (cmake --build build)." >&2
    exit 1
  fi
done

data_home=/usr/local/share
IFS=: read -r -a data_dirs <<< "${XDG_DATA_DIRS:-}"
for dir in "${data_dirs[@]}"; do
  if [ -n "$dir" ]; then data_home=$dir; break; fi
done
folder="${data_home%/}/Quorvane/Skins"

run() { "$@"; }
if ! mkdir -p "$folder" 2>/dev/null || [ ! -w "$folder" ]; then
  if [ "$(id -u)" -ne 0 ] && command -v sudo >/dev/null 2>&1; then
    echo "The skins folder $folder needs administrator rights; asking sudo." >&2
    run() { sudo "$@"; }
    run mkdir -p "$folder"
  else
    echo "Cannot write the skins folder $folder." >&2
    exit 1
  fi
fi
for entry in "${skins[@]}"; do
  run install -m 644 "$libraries/${entry#*=}" "$folder/${entry#*=}"
done

# Register: the [General] section of the skins key holds display name=library file name. Other skins stay.
key="${XDG_CONFIG_HOME:-$HOME/.config}/Quorvane/Skins.ini"
mkdir -p "$(dirname "$key")"
[ -f "$key" ] || : > "$key"
names=$(printf '%s\n' "${skins[@]}" | sed 's/=.*//' | paste -sd'|')
entries=$(printf '%s\n' "${skins[@]}")
tmp=$(mktemp "$key.XXXXXX")
awk -v names="^($names)[ \t]*=" -v entries="$entries" '
  /^\[.*\][ \t\r]*$/ {
    general = ($0 ~ /^\[General\][ \t\r]*$/)
    print
    if (general && !done) { print entries; done = 1 }
    next
  }
  general && $0 ~ names { next }
  { print }
  END { if (!done) { print "[General]"; print entries } }
' "$key" > "$tmp"
mv "$tmp" "$key"
echo "Installed the skins Light and Dark into $folder and registered them in $key."
