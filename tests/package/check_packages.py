#!/usr/bin/env python3
"""Checks the packages scripts/package wrote into a folder, as a user gets
them: the Windows zip holds exactly Quillbox.dll, QuillboxCli.exe,
README.md, LICENSE and SHA256SUMS, the checksums hold, and the DLL is a
release build of bounded size that exports only GetPluginInterface; the DLL and
the tool import only DLLs every Windows has (so they run on any machine with
the Access ODBC driver); the Wine kit holds the plug-in, the same tool, the
driver (i386) and its setup DLL, and install.sh.

  check_packages.py <folder> <VERSION file>"""
import hashlib
import io
import os
import re
import subprocess
import sys
import tarfile
import tempfile
import zipfile

# The DLLs the plug-in and the setup DLL may import: the platform's own,
# present on every Windows. ADVAPI32 is the registry, where the dialog keeps
# its options and recent files.
ALLOWED_IMPORTS = {"kernel32.dll", "user32.dll", "gdi32.dll", "comctl32.dll", "comdlg32.dll",
                   "odbc32.dll", "odbccp32.dll", "advapi32.dll", "msvcrt.dll"}
# The DLL carries the C++ runtime it links statically; with Export, Import
# and Synchronize it was about 1.05 MiB, and running notes (a worker thread,
# with the threads library it links, the Results page and the placeholders)
# made it about 1.39 MiB. A jump past this bound is a change to look at (a
# library pulled in whole), not growth of a feature.
MAX_DLL_BYTES = 1600 * 1024
ZIP_FILES = {"Quillbox.dll", "QuillboxCli.exe", "README.md", "LICENSE", "SHA256SUMS"}
KIT_FILES = {"Quillbox.dll", "QuillboxCli.exe", "QuillboxMdbSetup.dll", "libquillbox-mdb.so", "install.sh", "prefix-fonts",
             "README.md", "LICENSE", "SHA256SUMS"}
ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def objdump(flags, data, suffix, tool="i686-w64-mingw32-objdump"):
    with tempfile.NamedTemporaryFile(suffix=suffix) as f:
        f.write(data)
        f.flush()
        return subprocess.run([tool, *flags, f.name], check=True, capture_output=True, text=True).stdout


def exports(dump):
    """Names in the export table of `objdump -p`."""
    names, inside = [], False
    for line in dump.splitlines():
        if line.startswith("[Ordinal/Name Pointer] Table"):
            inside = True
            continue
        if inside:
            match = re.match(r"\s+\[\s*\d+\]\s+(\S+)", line)
            if not match:
                break
            names.append(match.group(1))
    return names


def imports(dump):
    return [m.lower() for m in re.findall(r"^\s*DLL Name: (\S+)", dump, re.M)]


def check_pe(name, data, wanted_exports):
    dump = objdump(["-p"], data, ".dll")
    got = exports(dump)
    check(got == wanted_exports, "%s exports %s, want exactly %s" % (name, got, wanted_exports))
    unexpected = sorted(set(imports(dump)) - ALLOWED_IMPORTS)
    check(not unexpected, "%s imports %s, which are not system DLLs" % (name, unexpected))
    sections = objdump(["-h"], data, ".dll")
    check(".debug" not in sections, "%s carries debug information" % name)


def check_checksums(files):
    listed = {}
    for line in files["SHA256SUMS"].decode().splitlines():
        digest, _, file_name = line.partition("  ")
        listed[file_name] = digest
    check(set(listed) == set(files) - {"SHA256SUMS"}, "SHA256SUMS lists %s" % sorted(listed))
    for file_name, digest in listed.items():
        if file_name in files:
            check(hashlib.sha256(files[file_name]).hexdigest() == digest, "the checksum of %s is wrong" % file_name)


def read(path):
    with open(path, "rb") as f:
        return f.read()


def check_zip(path):
    with zipfile.ZipFile(path) as archive:
        files = {name: archive.read(name) for name in archive.namelist()}
    check(set(files) == ZIP_FILES, "the zip holds %s, want %s" % (sorted(files), sorted(ZIP_FILES)))
    if not set(files) >= ZIP_FILES:
        return None
    check(files["README.md"] == read(os.path.join(ROOT, "README.md")), "the zip's README.md is not the project's")
    check(files["LICENSE"] == read(os.path.join(ROOT, "LICENSE")), "the zip's LICENSE is not the project's")
    check(b"MIT License" in files["LICENSE"], "LICENSE is the MIT licence")
    check_checksums(files)
    dll = files["Quillbox.dll"]
    check(len(dll) < MAX_DLL_BYTES, "Quillbox.dll has %d bytes, want under %d" % (len(dll), MAX_DLL_BYTES))
    check_pe("Quillbox.dll", dll, ["GetPluginInterface"])
    check_pe("QuillboxCli.exe", files["QuillboxCli.exe"], [])
    return files


def check_kit(path, folder, zipped):
    with tarfile.open(path) as archive:
        members = {m.name: m for m in archive.getmembers() if m.isfile()}
        files = {name.split("/", 1)[1]: archive.extractfile(m).read() for name, m in members.items() if "/" in name}
        check(all(name.startswith(folder + "/") for name in members), "the kit unpacks into %s/" % folder)
        for script in ("install.sh", "prefix-fonts"):
            member = members.get(folder + "/" + script)
            check(member is not None and member.mode & 0o100, "%s is executable" % script)
    check(set(files) == KIT_FILES, "the kit holds %s, want %s" % (sorted(files), sorted(KIT_FILES)))
    if not set(files) >= KIT_FILES:
        return
    check_checksums(files)
    for name in ("Quillbox.dll", "QuillboxCli.exe"):
        check(files[name] == zipped[name], "the kit's %s is not the zip's" % name)
    check_pe("QuillboxMdbSetup.dll", files["QuillboxMdbSetup.dll"], ["ConfigDSNW"])
    driver = files["libquillbox-mdb.so"]
    check(driver[:4] == b"\x7fELF" and driver[4] == 1 and driver[18] == 3, "the driver is an i386 ELF file")
    check(".symtab" not in objdump(["-h"], driver, ".so", tool="objdump"), "the driver is stripped")


def main():
    out, version_file = sys.argv[1], sys.argv[2]
    with open(version_file) as f:
        version = f.read().strip()
    zip_path = os.path.join(out, "quillbox-%s-win32.zip" % version)
    kit_folder = "quillbox-%s-wine-i386" % version
    kit_path = os.path.join(out, kit_folder + ".tar.gz")
    if check(os.path.isfile(zip_path), "no %s" % zip_path):
        zipped = check_zip(zip_path)
        if zipped is not None:
            stated = subprocess.run([os.path.join(ROOT, "scripts", "pe-version"), "/dev/stdin"], input=zipped["Quillbox.dll"],
                                    capture_output=True).stdout.decode().strip()
            check(stated == version, "the DLL's version resource says %r, VERSION says %r" % (stated, version))
            if check(os.path.isfile(kit_path), "no %s" % kit_path):
                check_kit(kit_path, kit_folder, zipped)
    for failure in failures:
        print("FAIL:", failure)
    print("%s: %d failures" % (out, len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
