#!/usr/bin/env bash
# Builds the Debian package from the normal build folder, installs it with
# apt-get, checks the installed program and its desktop files, and removes
# the package again.
#   tools/package-check.sh           everything
#   tools/package-check.sh --keep    leave the package installed
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
QUENDA_WITH_PACKAGING=1 "$root/tools/install-deps.sh"

keep=0
[[ "${1:-}" == "--keep" ]] && keep=1
sudo_cmd=()
[[ $(id -u) -ne 0 ]] && sudo_cmd=(sudo)
apt_get=("${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=300 -y -qq)

build="$root/build"
cmake -S "$root" -B "$build" -G Ninja >/dev/null
cmake --build "$build"
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")

out="$build/package"
rm -rf "$out"
(cd "$build" && cpack -G DEB -B "$out" >/dev/null)
deb=$(ls "$out"/quenda_*.deb)
echo "== built $deb"

work=$(mktemp -d)
installed=0
cleanup() {
  if ((installed && !keep)); then "${apt_get[@]}" purge quenda >/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
fail() { echo "package check FAILED: $*" >&2; exit 1; }

echo "== lintian"
# Lintian refuses to run as root only in name; its notes stay on screen.
lintian --fail-on error "$deb"

echo "== install"
"${apt_get[@]}" install "$deb" >/dev/null
installed=1
[[ -x /usr/bin/quenda ]] || fail "/usr/bin/quenda missing"

echo "== --version"
[[ $(/usr/bin/quenda --version) == "quenda $version" ]] || fail "--version printed '$(/usr/bin/quenda --version)'"
/usr/bin/quenda --help | grep -q -- "--home" || fail "--help does not name --home"

echo "== desktop files"
desktop-file-validate /usr/share/applications/quenda.desktop
appstreamcli validate --no-net "/usr/share/metainfo/$(sed -n 's/^QUENDA_APP_ID:STRING=//p' "$build/CMakeCache.txt").metainfo.xml"
[[ -f /usr/share/icons/hicolor/scalable/apps/quenda.svg ]] || fail "scalable icon missing"
for size in 16 22 24 32 48 64 128 256; do
  [[ -f /usr/share/icons/hicolor/${size}x${size}/apps/quenda.png ]] || fail "${size}px icon missing"
done
[[ -f /usr/share/man/man1/quenda.1.gz ]] || fail "manual page missing"

echo "== first start with a fresh HOME"
# A client photo outside the salon, with a blank in its name, as a file
# manager passes it.
cp /usr/share/quenda/Modelo.JPG "$work/foto da cliente.jpg"
mkdir "$work/home"
env -i PATH=/usr/bin:/bin HOME="$work/home" LANG=C.UTF-8 \
  QUENDA_REPORT_COMPOSITIONS="$work/report" QUENDA_QUIT_AT=1 \
  timeout 120 xvfb-run -a -s "-screen 0 1280x1024x24" /usr/bin/quenda "$work/foto da cliente.jpg" \
  || fail "the installed program did not end by itself"
[[ $(cat "$work/report" 2>/dev/null) == 1 ]] || fail "the photo on the command line opened $(cat "$work/report" 2>/dev/null || echo no) compositions"

salon="$work/home/.local/share/quenda"
[[ -d "$salon" ]] || fail "no per-user salon folder $salon"
shipped=$(cd /usr/share/quenda && find . -type f | sort)
copied=$(cd "$salon" && find . -type f | sort)
[[ "$shipped" == "$copied" ]] || fail "the user's salon folder differs from the shipped salon"
gifs=$(find "$salon/Quenda5" "$salon/Quenda42" -name '*.GIF' | wc -l)
((gifs > 0)) || fail "no hair pictures in the user's salon folder"
echo "   $salon: $(echo "$copied" | wc -l) files, $gifs hair pictures"

if ((keep)); then
  echo "== package left installed (--keep)"
else
  echo "== remove"
  "${apt_get[@]}" purge quenda >/dev/null
  installed=0
  [[ ! -e /usr/bin/quenda ]] || fail "/usr/bin/quenda still there after removal"
fi
echo "package check passed"
