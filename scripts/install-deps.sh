#!/usr/bin/env bash
# Installs the cross toolchain, Wine and the test tools on a Debian 12 machine (as root), for the architecture scripts/arch.sh picks.
set -euo pipefail
. "$(dirname "$0")/arch.sh"
# Wine draws the video renderers through Direct3D on OpenGL: Mesa (its software driver under Xvfb)
# is needed for the architecture the programs run in, or the renderers fail to connect.
pkgs=(mingw-w64-tools libwine-dev xvfb xauth x11-apps imagemagick cmake make ffmpeg
      googletest python3 procps util-linux fonts-wine fonts-wqy-microhei)
if [ "$ONDRIX_ARCH" = i686 ]; then
  pkgs+=(g++-mingw-w64-i686 mingw-w64-i686-dev wine wine32:i386 wine64
         libjpeg62-turbo:i386 libpng16-16:i386 libtiff6:i386
         libgl1:i386 libgl1-mesa-dri:i386 libglx-mesa0:i386)
else
  pkgs+=(g++-mingw-w64-x86-64 mingw-w64-x86-64-dev wine wine64 libwine
         libjpeg62-turbo libpng16-16 libtiff6
         libgl1 libgl1-mesa-dri libglx-mesa0)
fi
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  [ "$ONDRIX_ARCH" != i686 ] || $sudo_cmd dpkg --add-architecture i386
  $sudo_cmd apt-get update -q
  $sudo_cmd apt-get install -y -q --no-install-recommends "${missing[@]}"
fi

# Wine takes its ANSI code page (936 for the GBK texts) from the locale; generate it so
# the shell tools that run beside Wine accept it too.
if ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  if ! command -v localedef >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends locales
  fi
  localedef -i zh_CN -f UTF-8 zh_CN.UTF-8
fi
