#!/usr/bin/env bash
# Prints the folder of the Debian 13 root that holds Wine 10, and makes it first where it is missing
# (about a minute and 1.5 GB): a minimal Debian 13 with Wine, the CJK font, Wine's fonts, a Song face for
# SimSun and the locales the tests run in. It lives in the machine's cache, outside every build tree, so that
# `make clean` and each new clone use it again; a root made before a package was added here gets it on its
# next use. Making it needs root (or sudo); using it does not change the system.
set -euo pipefail
cache=${XDG_CACHE_HOME:-$HOME/.cache}/sonvaro
root=$cache/debian13-wine10
packages="wine wine64 fonts-wqy-microhei fonts-wine fonts-arphic-uming locales"
# The marker holds the packages the root has.
ready() { [[ -f $root/.sonvaro-ready && $(<"$root/.sonvaro-ready") == "$packages" ]]; }
ready && { echo "$root"; exit 0; }

fail() {
  echo "cannot make the Debian 13 root for Wine 10 in $root: $1" >&2
  [[ -f ${log:-} ]] && tail -n 20 "$log" >&2
  exit 1
}
# The archive this machine's apt takes its release from (not its updates or security fixes): one-line
# sources first, then deb822 ones. None found: debootstrap's own default.
apt_mirror() {
  cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null | sed -E 's/\[[^]]*\]//' |
    awk '$1 == "deb" && $3 !~ /-/ { print $2 }'
  cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk 'BEGIN { RS = "" } {
    uri = ""; deb = release = on = 1
    for (n = split($0, lines, "\n"); n; n--) {
      split(lines[n], field, /[ \t]+/); key = tolower(field[1])
      if (key == "types:") deb = (" " lines[n] " ") ~ / deb /
      if (key == "uris:") uri = field[2]
      if (key == "suites:") release = field[2] !~ /-/
      if (key == "enabled:") on = tolower(field[2]) != "no"
    }
    if (uri && deb && release && on) print uri }'
}
sudo=()
((EUID == 0)) || sudo=(sudo)
mkdir -p "$cache" || fail "no cache folder"
exec 9>"$cache/debian13-wine10.lock"
flock 9  # another run may be making it right now
ready && { echo "$root"; exit 0; }
for tool in debootstrap bwrap; do
  command -v "$tool" >/dev/null || fail "$tool is not installed (scripts/install-deps.sh brings it)"
done
log=$cache/debian13-wine10.log

# Runs a command inside a root, with the root's own PATH and the host's name service for apt.
inside() {
  "${sudo[@]}" bwrap --bind "$1" / --dev-bind /dev /dev --proc /proc --tmpfs /tmp \
    --ro-bind /etc/resolv.conf /etc/resolv.conf --setenv PATH /usr/sbin:/usr/bin:/sbin:/bin \
    --setenv DEBIAN_FRONTEND noninteractive -- "${@:2}" >>"$log" 2>&1
}
install_packages() {
  inside "$1" sh -c "apt-get update -qq && apt-get install -y -qq --no-install-recommends $packages &&
    apt-get clean && printf '%s.UTF-8 UTF-8\n' en_US zh_CN zh_TW de_DE >/etc/locale.gen && locale-gen &&
    mkdir -p /usr/local/share/fonts && ln -sfn /usr/share/wine/fonts /usr/local/share/fonts/wine"
}

if [[ -f $root/.sonvaro-ready ]]; then
  echo "Adding packages to the Debian 13 root in $root" >&2
  : >"$log"
  install_packages "$root" || fail "adding packages failed"
else
  echo "Making the Debian 13 root for Wine 10 in $root (once per machine)" >&2
  work=$root.partial
  "${sudo[@]}" rm -rf "$work" "$root"
  mirror=${DEBIAN_MIRROR:-$(apt_mirror | head -n 1)}
  "${sudo[@]}" debootstrap --variant=minbase trixie "$work" ${mirror:+"$mirror"} >"$log" 2>&1 ||
    fail "debootstrap failed${mirror:+ from $mirror}"
  install_packages "$work" || fail "installing Wine 10 in it failed"
  inside "$work" /usr/bin/wine --version || fail "its Wine does not start"
  "${sudo[@]}" mv "$work" "$root"
fi
echo "$packages" | "${sudo[@]}" tee "$root/.sonvaro-ready" >/dev/null
echo "$root"
