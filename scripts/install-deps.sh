#!/usr/bin/env bash
# Installs the cross toolchain, Wine and the test tools on a Debian 12 machine (as root).
set -euo pipefail
pkgs=(g++-mingw-w64-i686 mingw-w64-i686-dev mingw-w64-tools libwine-dev
      wine wine32:i386 wine64 xvfb xauth x11-apps imagemagick cmake make ffmpeg
      googletest python3 procps util-linux fonts-wine fonts-wqy-microhei
      libjpeg62-turbo:i386 libpng16-16:i386 libtiff6:i386)
missing=()
for p in "${pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  export DEBIAN_FRONTEND=noninteractive
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd="sudo"
  $sudo_cmd dpkg --add-architecture i386
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

# Wine's loader for 32-bit programs is a 32-bit Linux program. A kernel built without 32-bit
# support refuses it ("Exec format error"): run it through qemu's i386 user-mode emulator,
# registered with binfmt_misc. The same Wine runs, only slower.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  if ! dpkg-query -W -f='${Status}' qemu-user-static 2>/dev/null | grep -q "install ok installed"; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends qemu-user-static
  fi
  mountpoint -q /proc/sys/fs/binfmt_misc ||
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  if [ ! -e /proc/sys/fs/binfmt_misc/qemu-i386 ]; then
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      > /proc/sys/fs/binfmt_misc/register
  fi
  /usr/lib/wine/wine --version >/dev/null
fi
