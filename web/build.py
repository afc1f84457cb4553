#!/usr/bin/env python3
"""Builds the browser face into one folder: the Qt-free core compiled to
WebAssembly, the page, its words from the translation files, the shipped
catalogues and read-mes, and the service worker's list of what to keep.

    web/build.py [--out build-web]      the site lands in <out>/site
"""

import argparse
import concurrent.futures
import glob
import hashlib
import json
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET

# The core's sources, as the windows and quorvane-cli build them. Paths from
# the repository's root; this list is the one place that names them.
CORE_SOURCES = [
    "conversion/CivilCalendar.cpp",
    "conversion/FieldNumbers.cpp",
    "conversion/NumberScanner.cpp",
    "conversion/DecimalToDoubleStrtod.cpp",
    "conversion/StardateArithmetic.cpp",
    "language/UiLanguage.cpp",
    "language/Words.cpp",
    "catalogue/TaggedValue.cpp",
    "catalogue/clsStarData.cpp",
    "catalogue/ItemScanner.cpp",
    "catalogue/ItemParser.cpp",
    "catalogue/TitleKey.cpp",
    "catalogue/CatalogueMessages.cpp",
    "catalogue/CatalogueReader.cpp",
    "catalogue/CatalogueDocument.cpp",
    "files/FileBytes.cpp",
    "files/FileLocation.cpp",
    "files/UserFolderPosix.cpp",
    "text/Utf16Text.cpp",
]
# What stands in for the platform in the page, and the entry points.
PAGE_CORE_SOURCES = [
    "web/core/PageCore.cpp",
    "web/core/TextCodecTable.cpp",
    "web/core/RegularFileNone.cpp",
    "web/core/NoExceptions.cpp",
]
# The desktop's own code page 932 decoder, which writes the page's table.
TABLE_TOOL_SOURCES = ["web/tools/sjis_table.cpp", "text/TextCodecIconv.cpp"]

# The windows whose texts the page shows, and the page's own.
WORD_CONTEXTS = ["frmMain", "frmDataList", "frmAbout", "WebPage"]
# The page's static files, copied as they are.
PAGE_FILES = ["index.html", "app.js", "core.js", "texts/pagewords.js", "style.css",
              "manifest.webmanifest"]

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CXX_WASM = os.environ.get("WASM_CXX", "clang++")
CXX_NATIVE = os.environ.get("CXX", "c++")
WASM_FLAGS = ["--target=wasm32-wasi", "-std=c++20", "-Oz", "-flto", "-fexceptions",
              "-fno-rtti", "-DNDEBUG", "-Wall", "-Wno-unused-command-line-argument"]


def run(command):
    subprocess.run(command, check=True, cwd=ROOT)


def newer(target, sources):
    if not os.path.exists(target):
        return True
    stamp = os.path.getmtime(target)
    return any(os.path.getmtime(s) > stamp for s in sources)


def program_info(build, configured):
    """ProgramInfo.h as the CMake build wrote it, so the page's core is built
    with the very names and lists the programs are."""
    text = open(configured, encoding="utf-8").read()
    folder = os.path.join(build, "include")
    os.makedirs(folder, exist_ok=True)
    path = os.path.join(folder, "ProgramInfo.h")
    if not os.path.exists(path) or open(path, encoding="utf-8").read() != text:
        open(path, "w", encoding="utf-8").write(text)
    version = re.search(r'kProgramVersion = "([^"]*)"', text).group(1)
    vendor = re.search(r'kVendorName = "([^"]*)"', text).group(1)
    product = re.search(r'kSettingsFileInConfig =\s*"[^/"]*/([^"]*)\.conf"', text).group(1)
    return {"PROJECT_VERSION": version, "QUORVANE_VENDOR": vendor,
            "QUORVANE_SETTINGS_PRODUCT": product}


def cp932_table(build):
    tool = os.path.join(build, "sjis_table")
    sources = [os.path.join(ROOT, s) for s in TABLE_TOOL_SOURCES]
    if newer(tool, sources):
        run([CXX_NATIVE, "-std=c++20", "-O1", "-I", ROOT, "-o", tool] + sources)
    table = os.path.join(build, "cp932_table.cpp")
    if newer(table, [tool]):
        with open(table, "w", encoding="ascii") as out:
            subprocess.run([tool], check=True, stdout=out)
    return table


def language_table(build, pseudo_dir):
    """The core's words for every face, as the programs' table is made, but
    only the contexts the core's sources mark: the page's windows take their
    words from data.json."""
    contexts = set()
    for source in CORE_SOURCES:
        text = open(os.path.join(ROOT, source), encoding="utf-8").read()
        contexts.update(re.findall(r'QV_TEXT(?:_N)?\(\s*"([^"]+)"', text))
    out = os.path.join(build, "LanguageTable.cpp")
    run(["cmake", "-DTS_DIR=" + os.path.join(ROOT, "language/translations"),
         "-DPSEUDO_DIR=" + pseudo_dir, "-DOUT=" + out, "-DCONTEXTS=" + ";".join(sorted(contexts)),
         "-P", os.path.join(ROOT, "language/GenerateWords.cmake")])
    return out


def compile_wasm(build, table, language_table):
    objects = os.path.join(build, "obj")
    os.makedirs(objects, exist_ok=True)
    includes = ["-I", os.path.join(ROOT, "web/core/shim"), "-I", ROOT,
                "-I", os.path.join(build, "include")]
    folders = sorted({os.path.dirname(s) for s in CORE_SOURCES + PAGE_CORE_SOURCES})
    headers = [h for f in folders for h in glob.glob(os.path.join(ROOT, f, "*.h"))]
    headers.append(os.path.join(build, "include/ProgramInfo.h"))
    jobs = []
    for source in CORE_SOURCES + PAGE_CORE_SOURCES + [table, language_table]:
        path = source if os.path.isabs(source) else os.path.join(ROOT, source)
        obj = os.path.join(objects, re.sub(r"[/\\]", "_", os.path.relpath(path, ROOT)) + ".o")
        if newer(obj, [path] + headers):
            jobs.append([CXX_WASM] + WASM_FLAGS + includes + ["-c", path, "-o", obj])
        else:
            jobs.append(None)
        jobs[-1] = (jobs[-1], obj)
    with concurrent.futures.ThreadPoolExecutor(max_workers=os.cpu_count() or 2) as pool:
        for future in [pool.submit(lambda c: c and run(c), command) for command, _ in jobs]:
            future.result()
    wasm = os.path.join(build, "quorvane.wasm")
    objs = [obj for _, obj in jobs]
    if newer(wasm, objs):
        run([CXX_WASM, "--target=wasm32-wasi", "-mexec-model=reactor", "-Oz", "-flto", "-o", wasm] + objs +
            ["-Wl,--gc-sections", "-Wl,--strip-all"])
    return wasm


def read_words():
    """Each face's texts for the page, from every translation file: the
    Japanese source is the key, and the Japanese face needs no table."""
    faces = {"ja": {}}
    for path in sorted(glob.glob(os.path.join(ROOT, "language/translations/*.ts"))):
        root = ET.parse(path).getroot()
        face = root.get("language") or re.search(r"_(\w+)\.ts$", path).group(1)
        face = face.split("_")[0]
        table = faces.setdefault(face, {})
        for context in root.findall("context"):
            name = context.findtext("name")
            if name not in WORD_CONTEXTS:
                continue
            for message in context.findall("message"):
                translation = message.find("translation")
                if translation is None or translation.get("type") in ("unfinished", "vanished", "obsolete"):
                    continue
                if translation.text:
                    table[name + "\u0004" + message.findtext("source")] = translation.text
    return faces


def write_readmes(site, values):
    """Each face's read-me from its template, as the list names it, by the
    desktop builds' own rule, without the lines of either desktop platform:
    a page reader has neither's paths."""
    names = []
    for line in open(os.path.join(ROOT, "language/Languages.txt"), encoding="utf-8"):
        if not line.strip() or line.lstrip().startswith("#"):
            continue
        fields = [field.strip() for field in line.split("|")]
        code, readme = fields[0], fields[4]
        template = os.path.join(ROOT, "language/readme", f"ReadMe_{code}.TXT")
        if readme in names or not os.path.exists(template):
            continue
        run(["cmake", f"-DIN={template}", f"-DOUT={os.path.join(site, readme)}", "-DPLATFORM=web",
             f"-DQUORVANE_VENDOR={values['QUORVANE_VENDOR']}",
             f"-DQUORVANE_SETTINGS_PRODUCT={values['QUORVANE_SETTINGS_PRODUCT']}",
             "-P", os.path.join(ROOT, "language/ReadmeForPlatform.cmake")])
        names.append(readme)
    return sorted(names)


def write_site(build, values, wasm):
    site = os.path.join(build, "site")
    if os.path.isdir(site):
        shutil.rmtree(site)
    os.makedirs(site)
    web = os.path.join(ROOT, "web")
    for name in PAGE_FILES:
        shutil.copy(os.path.join(web, name), site)
    shutil.copy(wasm, os.path.join(site, "quorvane.wasm"))
    shutil.copy(os.path.join(ROOT, "resources/quorvane.svg"), os.path.join(site, "quorvane.svg"))
    shutil.copy(os.path.join(ROOT, "resources/icons/quorvane-256.png"), os.path.join(site, "quorvane-256.png"))

    catalogues = [os.path.basename(p) for p in sorted(glob.glob(os.path.join(ROOT, "catalogue/StarTrek*.vqd")))]
    for name in catalogues:
        shutil.copy(os.path.join(ROOT, "catalogue", name), site)
    readmes = write_readmes(site, values)

    words = read_words()
    data = {"version": values["PROJECT_VERSION"], "faces": sorted(words, key=lambda f: (f != "ja", f)),
            "words": words, "catalogues": catalogues, "readmes": readmes}
    with open(os.path.join(site, "data.json"), "w", encoding="utf-8") as out:
        json.dump(data, out, ensure_ascii=False, separators=(",", ":"))

    # The service worker keeps every file of the site; its cache is named
    # after their contents, so a new build replaces an old one whole.
    files = sorted(os.listdir(site))
    digest = hashlib.sha256()
    for name in files:
        digest.update(name.encode())
        digest.update(open(os.path.join(site, name), "rb").read())
    worker = open(os.path.join(web, "sw.js"), encoding="utf-8").read()
    worker = worker.replace("__FILES__", json.dumps(["./"] + files)).replace(
        "__VERSION__", digest.hexdigest()[:16])
    open(os.path.join(site, "sw.js"), "w", encoding="utf-8").write(worker)
    return site


def sizes(site):
    """What a first visit loads: the page, its script, styles, core, words,
    icon, the worker and the face's catalogue (the largest one counted)."""
    def size(name):
        return os.path.getsize(os.path.join(site, name))
    first = [n for n in os.listdir(site) if not n.endswith((".vqd", ".TXT", ".png"))]
    catalogue = max((size(n) for n in os.listdir(site) if n.endswith(".vqd")), default=0)
    return {"wasm": size("quorvane.wasm"), "first_visit": sum(size(n) for n in first) + catalogue}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", default=os.path.join(ROOT, "build-web"))
    parser.add_argument("--program-info", required=True,
                        help="ProgramInfo.h as a configured CMake build wrote it")
    parser.add_argument("--pseudo-dir", required=True,
                        help="the pseudo faces' translations, as the CMake build made them")
    args = parser.parse_args()
    build = os.path.abspath(args.out)
    os.makedirs(build, exist_ok=True)
    values = program_info(build, args.program_info)
    wasm = compile_wasm(build, cp932_table(build), language_table(build, os.path.abspath(args.pseudo_dir)))
    site = write_site(build, values, wasm)
    measured = sizes(site)
    print(f"web: {site}  quorvane.wasm {measured['wasm']} bytes, "
          f"first visit {measured['first_visit']} bytes")
    return 0


if __name__ == "__main__":
    sys.exit(main())
