#!/usr/bin/env python3
"""Checks the manifests scripts/make_manifests.sh rendered for one release zip.

    scripts/check_manifests.py <out-dir> <zip>              one line per problem, exit 1 on any
    scripts/check_manifests.py --self-test <out-dir> <zip>  plausible faults, each must be caught

winget: the three files of ManifestVersion 1.10.0 under winget/manifests/<letter>/<id parts>/<version>/,
each with its schema header, its required fields, the field patterns, lengths and enumerations of
the winget manifest schema 1.10.0, one identifier and version in all three, and the community
repository's conventions (lower-case tags without blanks, no Scope on a portable installer).
Scoop: scoop/tidyreel.json with the required and known fields of an app manifest and their types,
a persisted file made by pre_install, the uninstaller acting only on `scoop uninstall`, checkver
and autoupdate. Both: the version, the SHA-256 and the file name of the zip, the tag v<version>.
"""
import copy
import datetime
import hashlib
import ipaddress
import json
import re
import sys
import urllib.parse
import zipfile
from pathlib import Path

import yaml

MANIFEST_VERSION = "1.10.0"
ID_PART = r'[^.\s\\/:*?"<>|\x01-\x1f]{1,32}'
PACKAGE_ID = re.compile(rf"^{ID_PART}(\.{ID_PART}){{1,7}}$")
PACKAGE_VERSION = re.compile(r'^[^\\/:*?"<>|\x01-\x1f]+$')
LOCALE = re.compile(r"^([a-zA-Z]{2,3}|[iI]-[a-zA-Z]+|[xX]-[a-zA-Z]{1,8})(-[a-zA-Z]{1,8})*$")
URL = re.compile(r"^[Hh][Tt][Tt][Pp][Ss]?://.+$")
SHA256 = re.compile(r"^[A-Fa-f0-9]{64}$")
U16 = r"(0|[1-9][0-9]{0,3}|[1-5][0-9]{4}|6[0-4][0-9]{3}|65[0-4][0-9]{2}|655[0-2][0-9]|6553[0-5])"
OS_VERSION = re.compile(rf"^{U16}(\.{U16}){{0,3}}$")
ZIP_NAME = re.compile(r"^tidyreel-((0|[1-9][0-9]{0,4})(\.(0|[1-9][0-9]{0,4})){3})-win64\.zip$")

# (type, min length, max length) of the string fields; other types are named by a Python type.
STR = str
COMMON = {"PackageIdentifier": (STR, 1, 128), "PackageVersion": (STR, 1, 128),
          "ManifestType": (STR, 1, 32), "ManifestVersion": (STR, 5, 20)}
FIELDS = {
    "version": {**COMMON, "DefaultLocale": (STR, 1, 20)},
    "installer": {**COMMON, "Channel": (STR, 1, 16), "InstallerLocale": (STR, 1, 20), "Platform": list,
                  "MinimumOSVersion": (STR, 1, 23), "InstallerType": (STR, 1, 16),
                  "NestedInstallerType": (STR, 1, 16), "NestedInstallerFiles": list, "Scope": (STR, 1, 8),
                  "InstallModes": list, "InstallerSwitches": dict, "InstallerSuccessCodes": list,
                  "ExpectedReturnCodes": list, "UpgradeBehavior": (STR, 1, 32), "Commands": list,
                  "Protocols": list, "FileExtensions": list, "Dependencies": dict,
                  "PackageFamilyName": (STR, 1, 255), "ProductCode": (STR, 1, 255), "Capabilities": list,
                  "RestrictedCapabilities": list, "Markets": dict, "InstallerAbortsTerminal": bool,
                  "ReleaseDate": (STR, 10, 10), "InstallLocationRequired": bool, "RequireExplicitUpgrade": bool,
                  "DisplayInstallWarnings": bool, "UnsupportedOSArchitectures": list,
                  "UnsupportedArguments": list, "AppsAndFeaturesEntries": list, "ElevationRequirement": (STR, 1, 32),
                  "InstallationMetadata": dict, "DownloadCommandProhibited": bool, "RepairBehavior": (STR, 1, 16),
                  "ArchiveBinariesDependOnPath": bool, "Installers": list},
    "defaultLocale": {**COMMON, "PackageLocale": (STR, 1, 20), "Publisher": (STR, 2, 256),
                      "PublisherUrl": (STR, 1, 2048), "PublisherSupportUrl": (STR, 1, 2048),
                      "PrivacyUrl": (STR, 1, 2048), "Author": (STR, 2, 256), "PackageName": (STR, 2, 256),
                      "PackageUrl": (STR, 1, 2048), "License": (STR, 3, 512), "LicenseUrl": (STR, 1, 2048),
                      "Copyright": (STR, 3, 512), "CopyrightUrl": (STR, 1, 2048), "ShortDescription": (STR, 3, 256),
                      "Description": (STR, 3, 10000), "Moniker": (STR, 1, 40), "Tags": list, "Agreements": list,
                      "ReleaseNotes": (STR, 1, 10000), "ReleaseNotesUrl": (STR, 1, 2048),
                      "PurchaseUrl": (STR, 1, 2048), "InstallationNotes": (STR, 1, 10000),
                      "Documentations": list, "Icons": list},
}
REQUIRED = {
    "version": ["PackageIdentifier", "PackageVersion", "DefaultLocale", "ManifestType", "ManifestVersion"],
    "installer": ["PackageIdentifier", "PackageVersion", "Installers", "ManifestType", "ManifestVersion"],
    "defaultLocale": ["PackageIdentifier", "PackageVersion", "PackageLocale", "Publisher", "PackageName",
                      "License", "ShortDescription", "ManifestType", "ManifestVersion"],
}
# Installer-node fields (they may also stand at the root and are then inherited).
INSTALLER_NODE = set(FIELDS["installer"]) - set(COMMON) - {"Channel", "Installers"} | {
    "Architecture", "InstallerUrl", "InstallerSha256", "SignatureSha256"}
ENUMS = {
    "Architecture": {"x86", "x64", "arm", "arm64", "neutral"},
    "InstallerType": {"msix", "msi", "appx", "exe", "zip", "inno", "nullsoft", "wix", "burn", "pwa",
                      "portable", "advinstExe", "advinstMsi"},
    "NestedInstallerType": {"msix", "msi", "appx", "exe", "inno", "nullsoft", "wix", "burn", "portable",
                            "advinstExe", "advinstMsi"},
    "Scope": {"user", "machine"},
    "UpgradeBehavior": {"install", "uninstallPrevious", "deny"},
    "ElevationRequirement": {"elevationRequired", "elevationProhibited", "elevatesSelf"},
    "RepairBehavior": {"modify", "uninstaller", "installer"},
}
SCOOP_FIELDS = {"##": (str, list), "$schema": (str,), "version": (str,), "description": (str,),
                "homepage": (str,), "license": (str, dict), "notes": (str, list), "url": (str, list),
                "hash": (str, list), "bin": (str, list), "shortcuts": (list,), "persist": (str, list),
                "pre_install": (str, list), "post_install": (str, list), "pre_uninstall": (str, list),
                "post_uninstall": (str, list), "installer": (dict,), "uninstaller": (dict,),
                "checkver": (str, dict), "autoupdate": (dict,), "architecture": (dict,),
                "extract_dir": (str, list), "extract_to": (str, list), "depends": (str, list),
                "suggest": (dict,), "env_add_path": (str, list), "env_set": (dict,), "innosetup": (bool,),
                "psmodule": (dict,), "cookie": (dict,)}
SCOOP_REQUIRED = ["version", "description", "homepage", "license"]


def zip_facts(zip_path):
    """The version, SHA-256 and member names of the release zip."""
    path = Path(zip_path)
    match = ZIP_NAME.match(path.name)
    with zipfile.ZipFile(path) as archive:
        members = set(archive.namelist())
    return {"name": path.name, "version": match.group(1) if match else None,
            "sha256": hashlib.sha256(path.read_bytes()).hexdigest(), "members": members}


def load(out_dir, zip_path):
    """Everything the checks look at: each winget file (path relative to winget/, header comment
    lines, parsed data or None) and the parsed Scoop manifest."""
    out = Path(out_dir)
    bundle = {"zip": zip_facts(zip_path), "winget": {}, "scoop": None, "errors": []}
    for path in sorted((out / "winget").rglob("*")):
        if path.is_file():
            text = path.read_text(encoding="utf-8")
            header = [line for line in text.splitlines() if line.startswith("#")]
            try:
                data = yaml.safe_load(text)
            except (yaml.YAMLError, ValueError) as error:
                data = None
                bundle["errors"].append(f"{path}: not YAML: {error}".replace("\n", " "))
            bundle["winget"][path.relative_to(out / "winget").as_posix()] = (header, data)
    scoop = out / "scoop" / "tidyreel.json"
    try:
        bundle["scoop"] = json.loads(scoop.read_text(encoding="utf-8"))
    except (OSError, ValueError) as error:
        bundle["errors"].append(f"{scoop}: not a JSON file: {error}")
    return bundle


def check_value(where, name, value, rule, problems):
    if isinstance(rule, type):
        if not isinstance(value, rule):
            problems.append(f"{where}: {name} is not a {rule.__name__}")
        return
    _, low, high = rule
    if isinstance(value, datetime.date) and name == "ReleaseDate":
        return
    if not isinstance(value, str):
        problems.append(f"{where}: {name} is not a string: {value!r}")
    elif not low <= len(value) <= high:
        problems.append(f"{where}: {name} has {len(value)} characters, not {low} to {high}")


def check_url(where, name, url, zip_facts_, problems):
    """A release URL: the zip's own name, under the tag v<version>; https, or http on this machine
    (a trial serving the zip itself)."""
    parts = urllib.parse.urlsplit(url)
    segments = parts.path.split("/")
    try:
        loopback = parts.hostname is not None and (parts.hostname == "localhost" or ipaddress.ip_address(
            parts.hostname).is_loopback)
    except ValueError:
        loopback = False
    if parts.scheme != "https" and not (parts.scheme == "http" and loopback):
        problems.append(f"{where}: {name} {url} is not https")
    if segments[-1] != zip_facts_["name"]:
        problems.append(f"{where}: {name} {url} does not name {zip_facts_['name']}")
    if len(segments) < 2 or segments[-2] != f"v{zip_facts_['version']}":
        problems.append(f"{where}: {name} {url} is not under the tag v{zip_facts_['version']}")


def check_winget_file(where, kind, data, problems):
    fields = FIELDS[kind]
    for name in REQUIRED[kind]:
        if data.get(name) in (None, "", []):
            problems.append(f"{where}: required field {name} is missing")
    for name, value in data.items():
        if name not in fields:
            problems.append(f"{where}: unknown field {name}")
        elif value is not None:
            check_value(where, name, value, fields[name], problems)
    if data.get("ManifestVersion") != MANIFEST_VERSION:
        problems.append(f"{where}: ManifestVersion {data.get('ManifestVersion')!r} is not {MANIFEST_VERSION}")
    for name, pattern in (("PackageIdentifier", PACKAGE_ID), ("PackageVersion", PACKAGE_VERSION),
                          ("DefaultLocale", LOCALE), ("PackageLocale", LOCALE)):
        if isinstance(data.get(name), str) and not pattern.match(data[name]):
            problems.append(f"{where}: {name} {data[name]!r} does not match the schema's pattern")
    for name, value in data.items():
        if name.endswith("Url") and isinstance(value, str) and not URL.match(value):
            problems.append(f"{where}: {name} {value!r} is not an http(s) URL")
    tags = data.get("Tags") or []
    if len(tags) > 16 or len(set(map(str, tags))) != len(tags):
        problems.append(f"{where}: Tags must be at most 16 different tags")
    for tag in tags:
        if not isinstance(tag, str) or not 1 <= len(tag) <= 40 or tag != tag.lower() or re.search(r"\s", tag):
            problems.append(f"{where}: tag {tag!r} is not 1 to 40 lower-case characters without blanks")


def check_installer(where, data, zip_facts_, problems):
    installers = data.get("Installers")
    if not isinstance(installers, list) or not installers:
        return
    for index, node in enumerate(installers):
        here = f"{where}: Installers[{index}]"
        if not isinstance(node, dict):
            problems.append(f"{here} is not a mapping")
            continue
        for name in node:
            if name not in INSTALLER_NODE:
                problems.append(f"{here}: unknown field {name}")
        merged = {**{k: v for k, v in data.items() if k in INSTALLER_NODE}, **node}
        for name in ("Architecture", "InstallerUrl", "InstallerSha256", "InstallerType"):
            if not merged.get(name):
                problems.append(f"{here}: required field {name} is missing")
        for name, allowed in ENUMS.items():
            if name in merged and merged[name] not in allowed:
                problems.append(f"{here}: {name} {merged[name]!r} is not one of {sorted(allowed)}")
        url, sha = merged.get("InstallerUrl"), merged.get("InstallerSha256")
        if isinstance(url, str):
            if not URL.match(url) or len(url) > 2048:
                problems.append(f"{here}: InstallerUrl {url!r} is not an http(s) URL of at most 2048 characters")
            check_url(here, "InstallerUrl", url, zip_facts_, problems)
        if not isinstance(sha, str) or not SHA256.match(sha):
            problems.append(f"{here}: InstallerSha256 {sha!r} is not 64 hex digits")
        elif sha.lower() != zip_facts_["sha256"]:
            problems.append(f"{here}: InstallerSha256 {sha} is not the zip's SHA-256 {zip_facts_['sha256']}")
        os_version = merged.get("MinimumOSVersion")
        if os_version is not None and not OS_VERSION.match(str(os_version)):
            problems.append(f"{here}: MinimumOSVersion {os_version!r} is not a Windows version")
        date = merged.get("ReleaseDate")
        if isinstance(date, str):
            try:
                datetime.date.fromisoformat(date)
            except ValueError:
                problems.append(f"{here}: ReleaseDate {date!r} is not a date YYYY-MM-DD")
        nested = merged.get("NestedInstallerType")
        files = merged.get("NestedInstallerFiles") or []
        if merged.get("InstallerType") == "zip" and (not nested or not files):
            problems.append(f"{here}: a zip installer needs NestedInstallerType and NestedInstallerFiles")
        if nested == "portable" and "Scope" in merged:
            problems.append(f"{here}: Scope is not supported for a portable installer (winget validate warns)")
        if len(files) > 1 and nested != "portable":
            problems.append(f"{here}: only a portable archive may name more than one nested installer")
        for entry in files:
            relative = entry.get("RelativeFilePath") if isinstance(entry, dict) else None
            alias = entry.get("PortableCommandAlias") if isinstance(entry, dict) else None
            if not isinstance(relative, str) or not 1 <= len(relative) <= 512 or ".." in relative.split("/"):
                problems.append(f"{here}: RelativeFilePath {relative!r} is not a path inside the archive")
            elif relative not in zip_facts_["members"]:
                problems.append(f"{here}: RelativeFilePath {relative} is not in {zip_facts_['name']}")
            if alias is not None and (nested != "portable" or not isinstance(alias, str) or not 1 <= len(alias) <= 40):
                problems.append(f"{here}: PortableCommandAlias {alias!r} is not 1 to 40 characters of a portable")


def check_winget(bundle, problems):
    facts = bundle["zip"]
    kinds = {}
    for relative, (header, data) in bundle["winget"].items():
        where = f"winget/{relative}"
        if not isinstance(data, dict):
            problems.append(f"{where}: not a YAML mapping")
            continue
        kind = data.get("ManifestType")
        if kind not in FIELDS:
            problems.append(f"{where}: ManifestType {kind!r} is not version, installer or defaultLocale")
            continue
        kinds.setdefault(kind, []).append((relative, data))
        schema = f"# yaml-language-server: $schema=https://aka.ms/winget-manifest.{kind}.{MANIFEST_VERSION}.schema.json"
        if schema not in header:
            problems.append(f"{where}: no schema header '{schema}'")
        check_winget_file(where, kind, data, problems)
        if kind == "installer":
            check_installer(where, data, facts, problems)
    if sorted(kinds) != sorted(FIELDS) or any(len(found) != 1 for found in kinds.values()) or len(
            bundle["winget"]) != 3:
        problems.append(f"winget: expected one version, one installer and one defaultLocale file, found "
                        f"{sorted(bundle['winget'])}")
        return
    (_, version), = kinds["version"]
    (_, locale), = kinds["defaultLocale"]
    ids = {data.get("PackageIdentifier") for found in kinds.values() for _, data in found}
    versions = {data.get("PackageVersion") for found in kinds.values() for _, data in found}
    if len(ids) != 1 or len(versions) != 1:
        problems.append(f"winget: the three files name different packages {sorted(map(str, ids))} "
                        f"or versions {sorted(map(str, versions))}")
        return
    package_id, package_version = version.get("PackageIdentifier"), version.get("PackageVersion")
    if package_version != facts["version"]:
        problems.append(f"winget: PackageVersion {package_version!r} is not the zip's version {facts['version']}")
    if version.get("DefaultLocale") != locale.get("PackageLocale"):
        problems.append("winget: DefaultLocale of the version file is not the defaultLocale file's PackageLocale")
    if isinstance(package_id, str) and isinstance(package_version, str):
        folder = "/".join(["manifests", package_id[0].lower(), *package_id.split("."), package_version])
        expected = {f"{folder}/{package_id}.yaml", f"{folder}/{package_id}.installer.yaml",
                    f"{folder}/{package_id}.locale.{locale.get('PackageLocale')}.yaml"}
        if set(bundle["winget"]) != expected:
            problems.append(f"winget: files {sorted(bundle['winget'])} are not {sorted(expected)}")
    notes_url = locale.get("ReleaseNotesUrl")
    if isinstance(notes_url, str) and not notes_url.endswith(f"/releases/tag/v{facts['version']}"):
        problems.append(f"winget: ReleaseNotesUrl {notes_url} is not the release page of v{facts['version']}")


def lines(value):
    return "\n".join(value) if isinstance(value, list) else value if isinstance(value, str) else ""


def check_scoop(bundle, problems):
    facts, data = bundle["zip"], bundle["scoop"]
    where = "scoop/tidyreel.json"
    if not isinstance(data, dict):
        problems.append(f"{where}: not a JSON object")
        return
    for name in SCOOP_REQUIRED:
        if not data.get(name):
            problems.append(f"{where}: required field {name} is missing")
    for name, value in data.items():
        if name not in SCOOP_FIELDS:
            problems.append(f"{where}: unknown field {name}")
        elif not isinstance(value, SCOOP_FIELDS[name]):
            problems.append(f"{where}: {name} is not a {' or '.join(t.__name__ for t in SCOOP_FIELDS[name])}")
    if data.get("version") != facts["version"]:
        problems.append(f"{where}: version {data.get('version')!r} is not the zip's version {facts['version']}")
    hash_ = data.get("hash")
    if not isinstance(hash_, str) or not re.match(r"^(sha256:)?[0-9A-Fa-f]{64}$", hash_):
        problems.append(f"{where}: hash {hash_!r} is not a SHA-256 (64 hex digits)")
    elif hash_.lower().removeprefix("sha256:") != facts["sha256"]:
        problems.append(f"{where}: hash {hash_} is not the zip's SHA-256 {facts['sha256']}")
    if isinstance(data.get("url"), str):
        check_url(where, "url", data["url"], facts, problems)
    else:
        problems.append(f"{where}: url is not the one URL of the zip")
    for name in (data.get("bin") if isinstance(data.get("bin"), list) else [data.get("bin")]):
        if name not in facts["members"]:
            problems.append(f"{where}: bin {name!r} is not in {facts['name']}")
    for shortcut in data.get("shortcuts") or []:
        if not isinstance(shortcut, list) or not 2 <= len(shortcut) <= 4 or not all(
                isinstance(item, str) for item in shortcut) or shortcut[0] not in facts["members"]:
            problems.append(f"{where}: shortcut {shortcut!r} is not [file of the zip, name, ...]")
    # A persisted name that exists nowhere becomes a folder: pre_install must make each file.
    persisted = data.get("persist") or []
    pre_install = lines(data.get("pre_install"))
    for name in [persisted] if isinstance(persisted, str) else persisted:
        if not isinstance(name, str) or name not in pre_install or "$persist_dir" not in pre_install:
            problems.append(f"{where}: persisted {name!r} is not made by pre_install when $persist_dir lacks it")
    uninstaller = data.get("uninstaller")
    if isinstance(uninstaller, dict) and not re.search(r"\$cmd\s+-eq\s+'uninstall'", lines(uninstaller.get("script"))):
        problems.append(f"{where}: the uninstaller script does not act only when $cmd is 'uninstall' (update runs it too)")
    checkver = data.get("checkver")
    if not (checkver == "github" or isinstance(checkver, dict) and (
            re.match(r"^https://github\.com/[^/]+/[^/]+$", str(checkver.get("github", ""))) or checkver.get("url"))):
        problems.append(f"{where}: checkver {checkver!r} is neither 'github' nor a github/url object")
    autoupdate = data.get("autoupdate") or {}
    update_url = str(autoupdate.get("url", ""))
    template = facts["name"].replace(facts["version"] or "?", "$version")
    if not update_url.endswith(f"/v$version/{template}"):
        problems.append(f"{where}: autoupdate url {update_url!r} does not end in /v$version/{template}")
    if not isinstance(autoupdate.get("hash"), dict) or "$url" not in str(autoupdate["hash"].get("url", "")):
        problems.append(f"{where}: autoupdate hash does not read the hash file published beside $url")


def problems_of(bundle):
    problems = list(bundle["errors"])
    if bundle["zip"]["version"] is None:
        problems.append(f"{bundle['zip']['name']}: not tidyreel-<four numbers>-win64.zip")
        return problems
    check_winget(bundle, problems)
    check_scoop(bundle, problems)
    return problems


def installer_of(bundle):
    return next(data for _, data in bundle["winget"].values() if data.get("ManifestType") == "installer")


def locale_of(bundle):
    return next(data for _, data in bundle["winget"].values() if data.get("ManifestType") == "defaultLocale")


FAULTS = {  # each a plausible slip in the templates or the script, which the checks must reject
    "required field dropped": lambda b: locale_of(b).pop("License"),
    "installer without Architecture": lambda b: installer_of(b)["Installers"][0].pop("Architecture"),
    "wrong hash": lambda b: b["scoop"].update(hash="0" * 64),
    "hash of another file": lambda b: installer_of(b)["Installers"][0].update(InstallerSha256="AB" * 32),
    "three-part version": lambda b: b["scoop"].update(version="0.0.4"),
    "version differs in one file": lambda b: locale_of(b).update(PackageVersion="0.0.0.5"),
    "URL naming another zip": lambda b: b["scoop"].update(url=b["scoop"]["url"].replace("win64.zip", "win32.zip")),
    "URL under another tag": lambda b: installer_of(b)["Installers"][0].update(
        InstallerUrl=installer_of(b)["Installers"][0]["InstallerUrl"].replace("/v0.", "/0.")),
    "ManifestVersion too old": lambda b: installer_of(b).update(ManifestVersion="1.9.0"),
    "persist without pre_install": lambda b: b["scoop"].pop("pre_install"),
    "tag with a blank": lambda b: locale_of(b)["Tags"].append("tv shows"),
    "Scope on a portable": lambda b: installer_of(b).update(Scope="user"),
    "nested file not in the zip": lambda b: installer_of(b)["NestedInstallerFiles"][0].update(RelativeFilePath="Tidyreel.exe"),
    "ReleaseDate not a date": lambda b: installer_of(b).update(ReleaseDate="2026-13-01"),
    "InstallerType not an enum value": lambda b: installer_of(b).update(InstallerType="Zip"),
    "folder not the identifier's": lambda b: b.update(winget={k.replace("/q/", "/Q/"): v for k, v in b["winget"].items()}),
    "uninstaller also on update": lambda b: b["scoop"]["uninstaller"].update(script=[
        line.replace("$cmd -eq 'uninstall'", "$true") for line in b["scoop"]["uninstaller"]["script"]]),
    "autoupdate without $version": lambda b: b["scoop"]["autoupdate"].update(url=b["scoop"]["url"]),
}


def self_test(bundle):
    failures = [f"baseline: {problem}" for problem in problems_of(bundle)]
    for name, fault in FAULTS.items():
        faulty = copy.deepcopy(bundle)
        fault(faulty)
        failures += [] if problems_of(faulty) else [f"fault not caught: {name}"]
    for failure in failures:
        print(f"check_manifests --self-test: {failure}")
    print(f"check_manifests --self-test: {len(FAULTS)} faults, {len(failures)} failures")
    return 1 if failures else 0


def main(argv):
    test = argv[:1] == ["--self-test"]
    args = argv[1:] if test else argv
    if len(args) != 2:
        print(__doc__.split("\n\n")[1], file=sys.stderr)
        return 2
    bundle = load(*args)
    if test:
        return self_test(bundle)
    problems = problems_of(bundle)
    for problem in problems:
        print(problem)
    if not problems:
        print(f"check_manifests: {args[0]} holds valid manifests of {bundle['zip']['name']}")
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
