#!/usr/bin/env bash
# Builds the Debian package from an existing build/ and checks that it carries what an installation needs.
set -euo pipefail
cd "$(dirname "$0")/../build"
version=$(bin/tarvel-cli --version | awk '{print $2}')
deb="tarvel_${version}_amd64.deb"
rm -f tarvel_*.deb
if ! cpack -G DEB >cpack.log 2>&1; then cat cpack.log >&2; exit 1; fi
contents=$(dpkg-deb -c "$deb")
for f in usr/bin/tarvel usr/bin/tarvel-cli usr/share/tarvel/data/main.db usr/share/applications/tarvel.desktop \
         usr/share/icons/hicolor/scalable/apps/tarvel.svg usr/share/icons/hicolor/48x48/apps/tarvel.png; do
  if ! grep -q " \./$f\$" <<<"$contents"; then
    echo "package.sh: $deb lacks /$f" >&2
    exit 1
  fi
done
depends=$(dpkg-deb -f "$deb" Depends)
if ! grep -q libqt6widgets6 <<<"$depends"; then
  echo "package.sh: $deb declares no Qt dependency: $depends" >&2
  exit 1
fi
echo "$deb ($(stat -c %s "$deb") bytes), Depends: $depends"
awk '{print $6}' <<<"$contents" | grep -v '/$'
