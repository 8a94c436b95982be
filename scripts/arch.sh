# Source this: sets ONDRIX_ARCH to the Windows architecture the programs are built for here.
# Ondrix is a 32-bit (i686) program. Wine runs 32-bit programs with a 32-bit Linux loader;
# on a kernel that cannot run 32-bit code at all (no compatibility mode) the same sources
# are built for 64-bit Windows (x86_64) and run under 64-bit Wine instead.
# ONDRIX_ARCH set beforehand (i686 or x86_64) wins.
if [ -z "${ONDRIX_ARCH:-}" ]; then
  _probe="$(mktemp)"
  # The smallest 32-bit Linux program: exit(0) through int 0x80.
  python3 - "$_probe" <<'PY'
import struct, sys
code = b'\xb8\x01\x00\x00\x00\x31\xdb\xcd\x80'
base = 0x08048000
size = 52 + 32 + len(code)
ehdr = struct.pack('<16sHHIIIIIHHHHHH', b'\x7fELF\x01\x01\x01' + b'\0' * 9, 2, 3, 1,
                   base + 84, 52, 0, 0, 52, 32, 1, 0, 0, 0)
phdr = struct.pack('<IIIIIIII', 1, 0, base, base, size, size, 5, 0x1000)
open(sys.argv[1], 'wb').write(ehdr + phdr + code)
PY
  chmod +x "$_probe"
  if "$_probe" 2>/dev/null; then ONDRIX_ARCH=i686; else ONDRIX_ARCH=x86_64; fi
  rm -f "$_probe"
fi
export ONDRIX_ARCH
