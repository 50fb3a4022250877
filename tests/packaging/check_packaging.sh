#!/usr/bin/env bash
# Usage: check_packaging.sh SOURCE_DIR BUILD_DIR PLUGIN_DIR_FROM_BIN
set -euo pipefail
src=$1
build=$2
plugins_from_bin=$3
id=example.velmora.Velmora
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

fail() { echo "FAIL: $*" >&2; exit 1; }

desktop-file-validate "$src/packaging/$id.desktop" || fail "desktop entry does not validate"
appstreamcli validate --no-net "$src/packaging/$id.metainfo.xml" || fail "metainfo does not validate"

DESTDIR="$scratch/stage" cmake --install "$build" --prefix /usr >/dev/null
plugins=$(realpath -m "/usr/bin/$plugins_from_bin")
expected=$(printf '%s\n' \
  /usr/bin/velmora \
  /usr/bin/velmora-cli \
  "$plugins/libvelmora_print.so" \
  "$plugins/libvelmora_svg.so" \
  /usr/share/man/man1/velmora-cli.1.gz \
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
# The program finds its plugins where they are installed (the folder it looks in,
# relative to its own, is compiled in), and starts without the libraries they
# load: Qt SVG and Qt PrintSupport are loaded on first use only.
[ -f "$scratch/stage/usr/bin/$plugins_from_bin/libvelmora_svg.so" ] ||
  fail "the plugins are not where the program looks for them"
ldd "$scratch/stage/usr/bin/velmora" | grep -E 'libQt6(Svg|PrintSupport)' &&
  fail "the program itself links Qt SVG or Qt PrintSupport"
# The command-line program runs from where it is installed, and its man page reads.
"$scratch/stage/usr/bin/velmora-cli" --version | grep -q '^velmora-cli [0-9]' || fail "velmora-cli does not run"
"$scratch/stage/usr/bin/velmora-cli" 16 h1=8 h2=10 b1=4 b2=6 | grep -q '329.3333' || fail "velmora-cli computes wrongly"
zcat "$scratch/stage/usr/share/man/man1/velmora-cli.1.gz" | groff -k -man -Tutf8 -ww -z 2>&1 | grep . &&
  fail "the man page has troff warnings"
lexgrog "$scratch/stage/usr/share/man/man1/velmora-cli.1.gz" >/dev/null || fail "the man page has no NAME line for apropos"

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
grep -q "usr/bin/velmora-cli$" <<<"$contents" || fail "the package lacks velmora-cli"
grep -q "${plugins#/}/libvelmora_svg.so$" <<<"$contents" || fail "the package lacks the SVG renderer plugin"
grep -q "${plugins#/}/libvelmora_print.so$" <<<"$contents" || fail "the package lacks the print preview plugin"
grep -q "usr/share/man/man1/velmora-cli.1.gz$" <<<"$contents" || fail "the package lacks the man page"
echo "packaging: desktop entry, metainfo, install, plugins, velmora-cli with its man page and package all check out"
