#!/usr/bin/env python3
"""Static checks of a built Korvi8.exe, read from its PE headers, import table and resources.

    check-exe.py EXE i686|x86_64 [--version X.Y.Z]

It needs no Windows and no Wine, so it also vouches for a build this machine cannot run. It checks:
  - the format fits the architecture (PE32 with an i386 machine, or PE32+ with an AMD64 machine) and
    the exe is a GUI program;
  - the hardening flags: ASLR (with 64-bit addresses on x86_64), no code from data pages,
    terminal-server aware, and large-address aware on i686;
  - every imported DLL is one of Windows' known DLLs (loaded from the system folder whatever lies
    beside the exe) or Common Controls, which the manifest binds to the system's side-by-side copy;
  - the resources: the icon, the version information and the manifest, and in the manifest visual
    styles (Common Controls 6), DPI awareness, asInvoker, and the program named with the architecture
    of the exe (x86 or amd64);
  - with --version, that the version information and the manifest carry that version.
Prints one line per check and exits 1 when any fails.
"""
import re
import struct
import sys

# Windows' known DLLs (the KnownDLLs list of Windows 7 to 11 that a GUI program may import), lower case.
KNOWN_DLLS = {
    "advapi32.dll", "comdlg32.dll", "gdi32.dll", "gdiplus.dll", "imagehlp.dll", "imm32.dll",
    "kernel32.dll", "msvcrt.dll", "normaliz.dll", "ole32.dll", "oleaut32.dll", "psapi.dll",
    "rpcrt4.dll", "setupapi.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "ws2_32.dll",
}
# Bound by the manifest to the system's side-by-side copy, never looked for beside the exe.
MANIFEST_BOUND = {"comctl32.dll"}

RT_ICON_GROUP, RT_VERSION, RT_MANIFEST = 14, 16, 24
DLLCHAR = {"HIGH_ENTROPY_VA": 0x20, "DYNAMIC_BASE": 0x40, "NX_COMPAT": 0x100, "TERMINAL_SERVER_AWARE": 0x8000}
LARGE_ADDRESS_AWARE = 0x20
SUBSYSTEM_GUI = 2


class PeError(Exception):
    pass


class Pe:
    def __init__(self, data):
        self.data = data
        if data[:2] != b"MZ" or len(data) < 0x40:
            raise PeError("no MZ header")
        pe = self.u32(0x3C)
        if data[pe:pe + 4] != b"PE\0\0":
            raise PeError("no PE signature")
        self.machine, nsections, _, _, _, opt_size, self.characteristics = struct.unpack_from("<HHIIIHH", data, pe + 4)
        opt = pe + 24
        self.magic = self.u16(opt)
        wide = self.magic == 0x20B
        self.subsystem = self.u16(opt + 68)
        self.dll_characteristics = self.u16(opt + 70)
        dirs = opt + (112 if wide else 96)
        count = self.u32(dirs - 4)
        self.dirs = [struct.unpack_from("<II", data, dirs + 8 * i) for i in range(min(count, 16))]
        self.sections = []
        sec = opt + opt_size
        for i in range(nsections):
            vsize, va, rawsize, rawptr = struct.unpack_from("<IIII", data, sec + 40 * i + 8)
            self.sections.append((va, max(vsize, rawsize), rawptr, rawsize))

    def u16(self, off):
        return struct.unpack_from("<H", self.data, off)[0]

    def u32(self, off):
        return struct.unpack_from("<I", self.data, off)[0]

    def offset(self, rva):
        for va, size, rawptr, rawsize in self.sections:
            if va <= rva < va + size and rva - va < rawsize:
                return rawptr + rva - va
        raise PeError(f"address {rva:#x} lies in no section")

    def cstring(self, rva):
        off = self.offset(rva)
        end = self.data.index(b"\0", off)
        return self.data[off:end].decode("latin-1")

    def imports(self):
        rva, size = self.dirs[1] if len(self.dirs) > 1 else (0, 0)
        names = []
        if not rva:
            return names
        off = self.offset(rva)
        while True:
            lookup, _, _, name, thunk = struct.unpack_from("<IIIII", self.data, off)
            if not (lookup or name or thunk):
                return names
            names.append(self.cstring(name))
            off += 20

    def resources(self):
        """{type id: [data bytes of each resource of that type]}"""
        rva, _ = self.dirs[2] if len(self.dirs) > 2 else (0, 0)
        found = {}
        if not rva:
            return found
        base = self.offset(rva)

        def entries(table):
            named, ids = struct.unpack_from("<HH", self.data, base + table + 12)
            for i in range(named + ids):
                ident, target = struct.unpack_from("<II", self.data, base + table + 16 + 8 * i)
                yield ident, target

        def leaves(target, depth=0):
            if depth > 3:
                raise PeError("resource tree too deep")
            if target & 0x80000000:
                for _, t in entries(target & 0x7FFFFFFF):
                    yield from leaves(t, depth + 1)
            else:
                data_rva, size = struct.unpack_from("<II", self.data, base + target)
                off = self.offset(data_rva)
                yield self.data[off:off + size]

        for ident, target in entries(0):
            if not ident & 0x80000000:
                found[ident] = list(leaves(target))
        return found


def fixed_version(version_data, field):
    """A version number of the VS_FIXEDFILEINFO block ('file' or 'product') as "a.b.c.d", or None."""
    at = version_data.find(struct.pack("<I", 0xFEEF04BD))
    if at < 0 or len(version_data) < at + 24:
        return None
    ms, ls = struct.unpack_from("<II", version_data, at + (8 if field == "file" else 16))
    return f"{ms >> 16}.{ms & 0xFFFF}.{ls >> 16}.{ls & 0xFFFF}"


def check(path, arch, version=None):
    results = []

    def expect(ok, what):
        results.append((bool(ok), what))

    try:
        pe = Pe(open(path, "rb").read())
    except (OSError, PeError, struct.error, ValueError) as e:
        return [(False, f"readable PE file ({e})")]
    want_machine, want_magic = (0x14C, 0x10B) if arch == "i686" else (0x8664, 0x20B)
    expect(pe.machine == want_machine and pe.magic == want_magic,
           f"{'PE32, i386' if arch == 'i686' else 'PE32+, AMD64'} (machine {pe.machine:#x}, magic {pe.magic:#x})")
    expect(pe.subsystem == SUBSYSTEM_GUI, f"GUI subsystem (is {pe.subsystem})")
    wanted = ["DYNAMIC_BASE", "NX_COMPAT", "TERMINAL_SERVER_AWARE"] + (["HIGH_ENTROPY_VA"] if arch == "x86_64" else [])
    for flag in wanted:
        expect(pe.dll_characteristics & DLLCHAR[flag], f"{flag}")
    if arch == "i686":
        expect(pe.characteristics & LARGE_ADDRESS_AWARE, "LARGE_ADDRESS_AWARE")
    try:
        dlls = pe.imports()
        strangers = [d for d in dlls if d.lower() not in KNOWN_DLLS | MANIFEST_BOUND]
        expect(dlls and not strangers,
               f"imports only system DLLs ({', '.join(dlls)})" + (f"; not system DLLs: {', '.join(strangers)}" if strangers else ""))
    except (PeError, struct.error, ValueError) as e:
        expect(False, f"readable import table ({e})")
    try:
        res = pe.resources()
    except (PeError, struct.error, ValueError) as e:
        expect(False, f"readable resources ({e})")
        return results
    expect(res.get(RT_ICON_GROUP), "an icon")
    version_data = b"".join(res.get(RT_VERSION, []))
    expect("Korvi - Desktop Pager for Windows".encode("utf-16-le") in version_data, "version information naming the program")
    if version:
        for field in ("file", "product"):
            got = fixed_version(version_data, field)
            expect(got == version + ".0", f"{field} version {version}.0 (is {got})")
        expect(f"{version}\0".encode("utf-16-le") in version_data, f"version information spelling {version}")
    manifests = res.get(RT_MANIFEST, [])
    text = manifests[0].decode("utf-8", "replace") if manifests else ""
    expect(text, "a manifest")
    if text:
        # The program's own identity names the exe's architecture; the assemblies it depends on may
        # also say "*" (any).
        identities = re.findall(r'<assemblyIdentity\b[^>]*>', text)
        own = re.search(r'processorArchitecture="([^"]*)"', identities[0]) if identities else None
        own_arch = own.group(1) if own else "none"
        want_arch = "x86" if arch == "i686" else "amd64"
        expect(own_arch == want_arch, f"manifest names the program {want_arch} (is {own_arch})")
        archs = set(re.findall(r'processorArchitecture="([^"]*)"', text))
        expect(archs <= {"*", want_arch}, f"manifest architectures fit {arch} ({', '.join(sorted(archs)) or 'none'})")
        if version:
            own_version = re.search(r'\bversion="([^"]*)"', identities[0]) if identities else None
            expect(own_version and own_version.group(1) == version + ".0",
                   f"manifest version {version}.0 (is {own_version.group(1) if own_version else 'none'})")
        expect(re.search(r'name="Microsoft\.Windows\.Common-Controls"\s+version="6\.', text), "manifest asks for visual styles")
        expect(re.search(r'<dpiAware[^>]*>\s*true', text, re.I), "manifest declares DPI awareness")
        expect(re.search(r'requestedExecutionLevel\s+level="asInvoker"', text), "manifest asks for asInvoker")
    return results


def main():
    args = sys.argv[1:]
    version = None
    if len(args) == 4 and args[2] == "--version" and re.fullmatch(r"\d+\.\d+\.\d+", args[3]):
        version = args[3]
        args = args[:2]
    if len(args) != 2 or args[1] not in ("i686", "x86_64"):
        print(__doc__.strip().splitlines()[2].strip(), file=sys.stderr)
        return 2
    results = check(args[0], args[1], version)
    for ok, what in results:
        print(f"  {'ok    ' if ok else 'FAILED'} {what}")
    failed = sum(1 for ok, _ in results if not ok)
    print(f"{len(results) - failed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
