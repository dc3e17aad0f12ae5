#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# Proves that the .deb installs on a fresh Debian 12 with every runtime
# dependency pulled by apt, and that the game starts from its desktop entry;
# checks the package with lintian (no error or warning), its desktop entry,
# metainfo (pedantic), icons, manual page, and that the binary has no run path.
# Not run by CI or dev.sh: it downloads a whole system. Needs root.
#
#   sudo tools/check-deb.sh [BUILD_DIR [WORK_DIR]]
#
# BUILD_DIR (default build/, configured) is brought up to date and packaged
# with cpack. WORK_DIR (default ${TMPDIR:-/tmp}/huemix-check-deb) keeps a
# pristine minimal bookworm, made once with debootstrap; each run installs into
# a new copy of it, WORK_DIR/root, with recommends off, so that the package's
# Depends alone must make it work. The game runs there as a plain user against
# an Xvfb display of this machine.
set -euo pipefail
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$src/build}")
work=$(realpath -m "${2:-${TMPDIR:-/tmp}/huemix-check-deb}")
base=$work/base root=$work/root
mirror=http://deb.debian.org/debian
uid=4242 # the player inside the chroot

source "$src/tests/window/xvfb.sh" # at_exit, Xvfb, windows and keys; its fail is replaced below
pass() { echo "PASS: $*"; }
fail() { echo "FAIL: $*"; exit 1; }
since() { awk -v from="$1" -v now="$EPOCHREALTIME" 'BEGIN { printf "%.2f", now - from }'; }

((EUID == 0)) || { echo "check-deb.sh: needs root (chroot, mount, debootstrap)" >&2; exit 2; }
[[ $work/ != "$src"/* ]] || { echo "check-deb.sh: WORK_DIR must be outside the source tree" >&2; exit 2; }
[[ -f $build/CPackConfig.cmake ]] || { echo "check-deb.sh: $build is not a configured build" >&2; exit 2; }

missing=()
for p in debootstrap cmake xvfb x11-utils xdotool imagemagick desktop-file-utils appstream lintian binutils man-db; do
    [[ $(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true) == "install ok installed" ]] || missing+=("$p")
done
if ((${#missing[@]})); then
    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

mkdir -p "$work"
log=$work/logs
rm -rf "$log" && mkdir "$log"

# rm -rf through a bind mount would delete the host's files: refuse instead.
mounted_under() { awk -v d="$1/" 'index($2 "/", d) == 1 { found = 1 } END { exit !found }' /proc/mounts; }
mounts=()
on_root() { # on_root MOUNT-ARGS... TARGET: mount inside the chroot, undone at exit
    mkdir -p "$root${*: -1}"
    mount "${@:1:$#-1}" "$root${*: -1}"
    mounts=("$root${*: -1}" "${mounts[@]}")
}
unmount_all() { local m; for m in "${mounts[@]}"; do umount "$m" 2>/dev/null || umount -l "$m"; done; mounts=(); }
at_exit unmount_all

# --- the package -------------------------------------------------------------
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
# cpack neither builds nor re-reads the CMake files: bring both up to date first.
cmake --build "$build" --target huemix >"$log/build.log" 2>&1 || { tail -30 "$log/build.log"; fail "build"; }
(cd "$build" && cpack -G DEB) >"$log/cpack.log" 2>&1 || { cat "$log/cpack.log"; fail "cpack"; }
deb=$(sed -n 's/^CPack: - package: \(.*\) generated\.$/\1/p' "$log/cpack.log")
[[ -f $deb ]] || fail "cpack named no package"
pass "cpack made $(basename "$deb")"
dpkg-deb -I "$deb" | tee "$log/dpkg-I.txt"
field() { dpkg-deb -f "$deb" "$1"; }
[[ $(field Package) == huemix && $(field Version) == "$version" && $(field Section) == games ]] ||
    fail "control fields: $(field Package) $(field Version) $(field Section), want huemix $version games"
[[ $(field Depends) == *qt6-qpa-plugins* && $(field Depends) == *libqt6widgets6* ]] || fail "Depends: $(field Depends)"
(($(field Description | wc -l) > 1)) || fail "Description has no extended part"
[[ $(field Maintainer) == ?*' <'*@*'>' ]] || fail "Maintainer is not 'Name <address>': $(field Maintainer)"
[[ $(field Recommends) == *qt6-wayland* ]] || fail "Recommends: $(field Recommends), want qt6-wayland"
pass "metadata: huemix $version, section games, depends on Qt 6 and its platform plugins, described"
# Lintian's errors and warnings only; its informational tags are listed, not fatal.
lintian --display-info "$deb" 2>/dev/null | tee "$log/lintian.txt"
! grep -E '^[EW]: ' "$log/lintian.txt" || fail "lintian reports errors or warnings"
pass "lintian: no error or warning"

# --- a fresh Debian 12 ---------------------------------------------------------
mounted_under "$work" && fail "something is still mounted under $work; unmount it first"
if [[ ! -e $base/.complete ]]; then
    rm -rf --one-file-system "$base"
    t=$EPOCHREALTIME
    debootstrap --variant=minbase bookworm "$base" "$mirror" >"$log/debootstrap.log" 2>&1 ||
        { tail -20 "$log/debootstrap.log"; fail "debootstrap (see $log/debootstrap.log)"; }
    touch "$base/.complete"
    pass "debootstrap --variant=minbase bookworm in $(since "$t") s ($(du -sh "$base" | cut -f1))"
else
    echo "reusing the pristine bookworm in $base"
fi
t=$EPOCHREALTIME
rm -rf --one-file-system "$root"
cp -a "$base" "$root"
rm "$root/.complete"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# As an installed system has them: point releases and security fixes.
cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb ${mirror}-security bookworm-security main
EOF
echo "fresh copy in $root in $(since "$t") s"
on_root -t proc proc /proc
on_root --bind /dev/pts /dev/pts

# --- install -------------------------------------------------------------------
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 "$@"; }
t=$EPOCHREALTIME
in_root apt-get update >"$log/apt-update.log" 2>&1 || { cat "$log/apt-update.log"; fail "apt-get update"; }
in_root apt-get install -y --no-install-recommends "/tmp/$(basename "$deb")" >"$log/install.log" 2>&1 ||
    { tail -30 "$log/install.log"; fail "apt-get install (see $log/install.log)"; }
pass "apt-get install in $(since "$t") s (with apt-get update):" \
    "$(grep -E '^[0-9]+ upgraded' "$log/install.log" | sed 's/\.$//');" \
    "$(grep -o 'After this operation, .*' "$log/install.log")"
[[ $(in_root dpkg-query -W -f='${Status}' huemix) == "install ok installed" ]] || fail "huemix not installed"
in_root apt-get check >/dev/null 2>&1 || fail "apt-get check: broken dependencies"

# --- what a desktop reads --------------------------------------------------------
desktop=$root/usr/share/applications/huemix.desktop
entry() { sed -n "s/^$1=//p" "$desktop" | head -n1; }
desktop-file-validate "$desktop" || fail "desktop-file-validate huemix.desktop"
pass "desktop-file-validate huemix.desktop"
for m in "$root"/usr/share/metainfo/*.xml; do
    # The one note allowed: the component ID keeps the capital of the game's
    # name, as software centres already know it by that ID.
    appstreamcli validate --pedantic --no-net "$m" | tee "$log/appstream.txt" || fail "appstreamcli validate $(basename "$m")"
    ! grep -E '^[EWIP]: ' "$log/appstream.txt" | grep -v ' cid-contains-uppercase-letter ' ||
        fail "appstreamcli validate --pedantic: more than the explained note"
    for tag in screenshot 'url type="homepage"' developer_name content_rating 'release version' binary; do
        grep -q "<$tag" "$m" || fail "the metainfo has no <$tag>"
    done
    pass "appstreamcli validate --pedantic $(basename "$m"), with screenshots, homepage, developer, rating, release, binary"
done
for size in 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x$size/apps/$(entry Icon).png
    [[ $(identify -format %wx%h "$icon" 2>/dev/null) == "${size}x$size" ]] || fail "no ${size}x$size icon named '$(entry Icon)'"
done
pass "icon '$(entry Icon)' at 48, 64, 128 and 256 px"
man=$root/usr/share/man/man6/huemix.6.gz
[[ -f $man ]] && man --warnings -l "$man" 2>&1 >/dev/null | { ! grep .; } || fail "no clean manual page huemix(6)"
pass "manual page huemix(6)"
binary=$root/usr/games/$(entry Exec | cut -d' ' -f1)
[[ -x $binary ]] && ! readelf -d "$binary" | grep -E 'RPATH|RUNPATH' || fail "${binary#"$root"} missing or carries a run path"
pass "${binary#"$root"} carries no RPATH or RUNPATH"

# --- start it as the menu does -----------------------------------------------------
start_xvfb
on_root --bind /tmp/.X11-unix /tmp/.X11-unix
in_root useradd -m -u "$uid" -U player
home=/home/player session=/tmp/huemix-session
install -d -o "$uid" -g "$uid" -m 700 "$root$session" "$root$session/config" "$root$session/runtime"
command=$(entry Exec | sed 's/ *%[fFuUdDnNickvm]//g') # no files or URLs to open
echo "Exec: $command"
t=$EPOCHREALTIME
chroot "$root" setpriv --reuid="$uid" --regid="$uid" --clear-groups \
    /usr/bin/env -i PATH=/usr/local/bin:/usr/bin:/bin:/usr/games LANG=C.UTF-8 DISPLAY="$DISPLAY" \
    HOME="$home" XDG_CONFIG_HOME="$session/config" XDG_RUNTIME_DIR="$session/runtime" \
    /bin/sh -c "cd && exec $command" >"$log/game.log" 2>&1 &
pid=$!
at_exit "kill $pid 2>/dev/null || true"
win=$(wait_for_window "Scores" 30) || { cat "$log/game.log"; fail "no window 'Scores'"; }
pass "window 'Scores' on screen $(since "$t") s after start"
[[ $(ps -o uid= -p "$pid" | tr -d ' ') == "$uid" ]] || fail "the game does not run as the player"
sleep 1 # let it paint
import -window root "$work/screen.png"
colours=$(import -window "$win" png:- | identify -format %k -)
((colours > 2)) || fail "the window is blank ($colours colours)"
pass "screenshot $work/screen.png ($colours colours in the window)"
key "$win" ctrl+q
timeout 10 tail --pid="$pid" -f /dev/null || fail "still running 10 s after Ctrl+Q"
status=0 && wait "$pid" || status=$?
((status == 0)) || { cat "$log/game.log"; fail "exit status $status after Ctrl+Q"; }
pass "exited with status 0 after Ctrl+Q"
if [[ -s $log/game.log ]]; then echo "the game said:" && sed 's/^/    /' "$log/game.log"; fi
echo "all checks passed; logs in $log"
