#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and `make run` need, and nothing that is already there.
set -euo pipefail

# command or file that proves the package is present -> package
needs=(
  "cmake:cmake"
  "make:make"
  "x86_64-w64-mingw32-g++-posix:g++-mingw-w64-x86-64-posix"
  "x86_64-w64-mingw32-gcc-posix:gcc-mingw-w64-x86-64-posix"
  "x86_64-w64-mingw32-windres:binutils-mingw-w64-x86-64"
  "wine:wine"
  "/usr/lib/wine/wine64:wine64"
  "Xvfb:xvfb"
  "xauth:xauth"
  "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc:fonts-wqy-microhei"
  "/usr/share/wine/fonts/tahoma.ttf:fonts-wine"
  "/usr/share/fonts/truetype/arphic/uming.ttc:fonts-arphic-uming"
  "/usr/src/googletest/CMakeLists.txt:googletest"
  "clang-format:clang-format"
  "/usr/bin/import:imagemagick"
  "xwininfo:x11-utils"
  "debootstrap:debootstrap"
  "bwrap:bubblewrap"
)

missing=()
for pair in "${needs[@]}"; do
  probe=${pair%%:*}
  package=${pair#*:}
  if [[ $probe == /* ]]; then
    [[ -e $probe ]] && continue
  else
    command -v "$probe" >/dev/null 2>&1 && continue
  fi
  missing+=("$package")
done

if ((${#missing[@]} > 0)); then
  echo "Installing: ${missing[*]}"
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# Debian's Wine finds fonts through fontconfig only, not in its own font folder: show fontconfig Wine's
# Tahoma and Marlett, which draw the dialog's texts and caption buttons as on Windows.
if [[ -d /usr/share/wine/fonts && ! -e /usr/local/share/fonts/wine ]]; then
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  "${sudo[@]}" mkdir -p /usr/local/share/fonts
  "${sudo[@]}" ln -s /usr/share/wine/fonts /usr/local/share/fonts/wine
fi

# The tests run the program on Chinese, English and German systems. Wine spells file names in the unix
# locale's character set, so these locales must exist for paths in Chinese to work.
wanted_locales=(en_US zh_CN zh_TW de_DE)
missing_locales=()
for name in "${wanted_locales[@]}"; do
  locale -a 2>/dev/null | grep -qix "$name.utf8" || missing_locales+=("$name")
done
if ((${#missing_locales[@]} > 0)); then
  sudo=()
  ((EUID == 0)) || sudo=(sudo)
  if ! command -v locale-gen >/dev/null 2>&1; then
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends locales
  fi
  for name in "${missing_locales[@]}"; do
    echo "$name.UTF-8 UTF-8" | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
  done
  "${sudo[@]}" locale-gen >/dev/null
fi
