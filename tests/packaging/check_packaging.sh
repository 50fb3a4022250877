#!/usr/bin/env bash
# Usage: check_packaging.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
src=$1
build=$2
id=example.velmora.Velmora
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$src/packaging/$id.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$src/packaging/$id.metainfo.xml" || fail "metainfo does not validate"

DESTDIR="$scratch/stage" cmake --install "$build" --prefix /usr >/dev/null
expected=$(printf '%s\n' \
  /usr/bin/velmora \
  "/usr/share/applications/$id.desktop" \
  "/usr/share/icons/hicolor/scalable/apps/$id.svg" \
  "/usr/share/metainfo/$id.metainfo.xml" | sort)
actual=$(cd "$scratch/stage" && find . -type f | sed 's/^\.//' | sort)
[ "$expected" = "$actual" ] || fail "installed files differ:
expected:
$expected
actual:
$actual"
[ -x "$scratch/stage/usr/bin/velmora" ] || fail "the program is not executable"

(cd "$scratch" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$scratch/deb" >/dev/null) ||
  fail "cpack could not build the package"
deb=$(ls "$scratch"/deb/velmora_*.deb)
info=$(dpkg-deb --info "$deb")
for dep in libqt6widgets6 libqt6svg6 libqt6printsupport6 qt6-qpa-plugins qt6-translations-l10n fonts-ipafont-gothic \
  fonts-dejavu-core; do
  grep -q "Depends:.*$dep" <<<"$info" || fail "the package does not depend on $dep"
done
contents=$(dpkg-deb --contents "$deb")
grep -q "usr/share/applications/$id.desktop" <<<"$contents" || fail "the package lacks the desktop entry"
echo "packaging: desktop entry, metainfo, install and package all check out"
