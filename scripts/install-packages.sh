#!/bin/sh
# Installs what the build and the tests need on a Debian 12 machine, and makes sure this machine can run
# 32-bit Linux programs (Wine's 32-bit half). Safe to run again.
set -eu

packages="g++-mingw-w64-i686-win32 binutils-mingw-w64-i686 cmake make googletest libstb-dev nlohmann-json3-dev sox wine wine32:i386"

missing=""
for package in $packages; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing="$missing $package"
done
if ! dpkg --print-foreign-architectures | grep -qx i386; then
  dpkg --add-architecture i386
  updated=no
fi
if [ -n "$missing" ] || [ "${updated:-}" = no ]; then
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $missing >/dev/null
fi

# Some kernels run no 32-bit programs of their own (exec gives "Exec format error"). There the 32-bit half
# of Wine runs through QEMU's user-mode emulator. Debian 12's QEMU 7.2 takes about a minute to start each
# Wine process; the QEMU 10 of bookworm-backports takes well under a second once Wine's services are up.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf '\177ELF\001\001\001\000\000\000\000\000\000\000\000\000\002\000\003\000\001\000\000\000\124\200\004\010\064\000\000\000\000\000\000\000\000\000\000\000\064\000\040\000\001\000\000\000\000\000\000\000\001\000\000\000\000\000\000\000\000\200\004\010\000\200\004\010\140\000\000\000\140\000\000\000\005\000\000\000\000\020\000\000\061\333\263\007\061\300\100\315\200' > "$probe/exit7"
chmod +x "$probe/exit7"
status=0
"$probe/exit7" 2>/dev/null || status=$?
if [ "$status" -ne 7 ]; then
  if [ ! -f /etc/apt/sources.list.d/bookworm-backports.sources ]; then
    printf 'Types: deb\nURIs: http://deb.debian.org/debian\nSuites: bookworm-backports\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
      > /etc/apt/sources.list.d/bookworm-backports.sources
    apt-get update -qq
  fi
  if ! qemu-i386 --version 2>/dev/null | grep -q 'version 1[0-9]'; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends -t bookworm-backports qemu-user-static >/dev/null
  fi
  [ -f /proc/sys/fs/binfmt_misc/register ] || mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc
  [ ! -f /proc/sys/fs/binfmt_misc/qemu-i386 ] || echo -1 > /proc/sys/fs/binfmt_misc/qemu-i386
  printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386:F' \
    > /proc/sys/fs/binfmt_misc/register
  status=0
  "$probe/exit7" 2>/dev/null || status=$?
  if [ "$status" -ne 7 ]; then
    echo "install-packages: this machine still cannot run 32-bit programs; Wine's 32-bit half will not start" >&2
    exit 1
  fi
fi
