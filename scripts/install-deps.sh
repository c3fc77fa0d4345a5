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
  "/usr/src/googletest/CMakeLists.txt:googletest"
  "clang-format:clang-format"
  "/usr/bin/import:imagemagick"
  "xwininfo:x11-utils"
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

((${#missing[@]} == 0)) && exit 0

echo "Installing: ${missing[*]}"
sudo=()
((EUID == 0)) || sudo=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -qq
"${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
