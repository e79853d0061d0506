#!/usr/bin/env bash
# Renders the package-manager manifests of one release zip:
#   scripts/make_manifests.sh <zip> <out-dir> [<owner>/<repo>]
# writes
#   <out-dir>/winget/manifests/q/Quillmoor/Tidyreel/<version>/   the winget set (version, installer,
#                                                                en-US default locale), ready to be
#                                                                copied into winget-pkgs
#   <out-dir>/scoop/tidyreel.json                                the Scoop manifest
# The version comes from the zip's name (tidyreel-<a.b.c.d>-win64.zip), the hash from its bytes, the
# repository from the argument, else $GITHUB_REPOSITORY, else the origin remote. The download URL is
# the GitHub release asset of tag v<version>; TIDYREEL_DOWNLOAD_URL replaces it (a trial that serves
# the zip itself). ReleaseDate is SOURCE_DATE_EPOCH's day, else the HEAD commit's, so that the same
# commit renders the same bytes.
set -euo pipefail

die() {
    echo "make_manifests: $*" >&2
    exit 1
}

if [ $# -lt 2 ] || [ $# -gt 3 ]; then
    die "usage: $0 <zip> <out-dir> [<owner>/<repo>]"
fi
zip=$1
out=$2
[ -f "$zip" ] || die "no such file: $zip"
repo_dir=$(cd "$(dirname "$0")/.." && pwd)

# The version feeds the executable's version block, whose four parts are 16-bit numbers.
zip_name=$(basename "$zip")
part='(0|[1-9][0-9]{0,4})'
name_re="^tidyreel-(${part}[.]${part}[.]${part}[.]${part})-win64[.]zip\$"
[[ $zip_name =~ $name_re ]] ||
    die "'$zip_name' is not tidyreel-<version>-win64.zip with a version of four numbers (such as 0.0.0.4)"
version=${BASH_REMATCH[1]}
IFS=. read -r -a numbers <<<"$version"
for number in "${numbers[@]}"; do
    [ "$number" -le 65535 ] || die "version $version: $number is larger than 65535"
done

sha256=$(sha256sum "$zip" | cut -d' ' -f1)
[[ $sha256 =~ ^[0-9a-f]{64}$ ]] || die "could not hash $zip"

# owner/repo: the argument, GitHub Actions' variable, or the origin remote (https or ssh form).
repo=${3:-${GITHUB_REPOSITORY:-}}
if [ -z "$repo" ]; then
    origin=$(git -C "$repo_dir" remote get-url origin 2>/dev/null || true)
    origin_re='^(https://|ssh://git@|git@)github[.]com[:/]([^/]+/[^/]+)$'
    if [[ $origin =~ $origin_re ]]; then
        repo=${BASH_REMATCH[2]%.git}
    fi
fi
[ -n "$repo" ] || die "no repository: pass <owner>/<repo>, set GITHUB_REPOSITORY, or add a GitHub 'origin' remote"
[[ $repo =~ ^[A-Za-z0-9][A-Za-z0-9-]*/[A-Za-z0-9._-]+$ ]] || die "'$repo' is not a GitHub <owner>/<repo>"

# The URL goes unquoted into YAML and JSON: no blanks, quotes or backslashes, and it must name the zip.
url=${TIDYREEL_DOWNLOAD_URL:-https://github.com/$repo/releases/download/v$version/$zip_name}
url_re='^https?://[A-Za-z0-9._~:/?#@!$&()*+,;=%-]+$'
[[ $url =~ $url_re ]] || die "download URL '$url' is not a plain http(s) URL"
[ "${url##*/}" = "$zip_name" ] || die "download URL '$url' does not end in $zip_name"

if [ -n "${SOURCE_DATE_EPOCH:-}" ]; then
    [[ $SOURCE_DATE_EPOCH =~ ^[0-9]+$ ]] || die "SOURCE_DATE_EPOCH '$SOURCE_DATE_EPOCH' is not a number of seconds"
    epoch=$SOURCE_DATE_EPOCH
else
    epoch=$(git -C "$repo_dir" log -1 --format=%ct HEAD 2>/dev/null) ||
        die "no SOURCE_DATE_EPOCH and no HEAD commit in $repo_dir to date the release"
fi
release_date=$(date -u -d "@$epoch" +%Y-%m-%d)

# Fills the @NAME@ placeholders of a template read from standard input. The values were checked
# above to hold no character that YAML or JSON would read otherwise; the replacements are quoted so
# that bash 5.2 does not read '&' in them as the matched text.
render() {
    local text
    text=$(cat)
    text=${text//@VERSION@/"$version"}
    text=${text//@REPO@/"$repo"}
    text=${text//@URL@/"$url"}
    text=${text//@SHA256@/"$sha256"}
    text=${text//@SHA256_UPPER@/"${sha256^^}"}
    text=${text//@RELEASE_DATE@/"$release_date"}
    printf '%s\n' "$text"
}

winget_dir=$out/winget/manifests/q/Quillmoor/Tidyreel/$version
mkdir -p "$winget_dir" "$out/scoop"

render >"$winget_dir/Quillmoor.Tidyreel.yaml" <<'EOF'
# Created with scripts/make_manifests.sh
# yaml-language-server: $schema=https://aka.ms/winget-manifest.version.1.10.0.schema.json

PackageIdentifier: Quillmoor.Tidyreel
PackageVersion: @VERSION@
DefaultLocale: en-US
ManifestType: version
ManifestVersion: 1.10.0
EOF

# A zip holding one portable program, per user. No Scope: winget installs portables in the scope
# asked for on its command line, and `winget validate` warns that Scope is not supported for them.
# ArchiveBinariesDependOnPath puts the package folder itself on PATH instead of a link in
# WinGet\Links: the program keeps tidyreel.ini beside the path it was started as, and started
# through a link that would be the shared Links folder, away from the package.
render >"$winget_dir/Quillmoor.Tidyreel.installer.yaml" <<'EOF'
# Created with scripts/make_manifests.sh
# yaml-language-server: $schema=https://aka.ms/winget-manifest.installer.1.10.0.schema.json

PackageIdentifier: Quillmoor.Tidyreel
PackageVersion: @VERSION@
MinimumOSVersion: 10.0.0.0
InstallerType: zip
NestedInstallerType: portable
NestedInstallerFiles:
- RelativeFilePath: tidyreel.exe
  PortableCommandAlias: tidyreel
ArchiveBinariesDependOnPath: true
ReleaseDate: @RELEASE_DATE@
Installers:
- Architecture: x64
  InstallerUrl: @URL@
  InstallerSha256: @SHA256_UPPER@
ManifestType: installer
ManifestVersion: 1.10.0
EOF

render >"$winget_dir/Quillmoor.Tidyreel.locale.en-US.yaml" <<'EOF'
# Created with scripts/make_manifests.sh
# yaml-language-server: $schema=https://aka.ms/winget-manifest.defaultLocale.1.10.0.schema.json

PackageIdentifier: Quillmoor.Tidyreel
PackageVersion: @VERSION@
PackageLocale: en-US
Publisher: Quillmoors
PublisherUrl: https://github.com/@REPO@
PublisherSupportUrl: https://github.com/@REPO@/issues
PackageName: Quillmoors Tidyreel
PackageUrl: https://github.com/@REPO@
License: MIT
LicenseUrl: https://github.com/@REPO@/blob/v@VERSION@/LICENSE
ShortDescription: Sorts downloaded TV episode files into season folders, from a folder's context menu in Explorer or Send To.
Description: |-
  Tidyreel tidies a folder of downloaded TV episodes. Right-click the folder (or use Send To) and every file named like Show.Name.S01E02.Title.720p.HDTV.x264-GRP.mkv is moved into a season folder beside it, named from the series title, the season and the release tags.
  It never overwrites, deletes or renames a file and never enters sub-folders. Files without a season-and-episode part, downloads still running and files another program has open stay where they are. A message box reports how many files were found, moved and skipped.
  The release and quality tags that end a folder name are read from tidyreel.ini beside the program.
Moniker: tidyreel
Tags:
- context-menu
- episodes
- explorer
- file-organizer
- organizer
- season
- send-to
- tv
- tv-shows
- video
ReleaseNotesUrl: https://github.com/@REPO@/releases/tag/v@VERSION@
InstallationNotes: |-
  Start `tidyreel` once without arguments (from a new terminal, which sees the updated PATH) and click Install in its window to add the Explorer entry: a folder context-menu verb or a Send To shortcut.
  Before `winget uninstall`, start `tidyreel` again and click Uninstall in that window; otherwise the Explorer entry stays and points at a program that is gone.
  The settings file tidyreel.ini stays beside the program in its package folder across upgrades. `winget uninstall` leaves it there; `winget uninstall --purge` deletes it with the folder.
ManifestType: defaultLocale
ManifestVersion: 1.10.0
EOF

# Scoop persists tidyreel.ini. Scoop makes a FOLDER for a persisted name that exists neither in the
# app folder nor in the persist folder, and an empty file would sort every episode without its tags,
# so on a first install pre_install has the program write its own defaults: started with a folder
# that does not exist, it writes tidyreel.ini and ends silently. A program that cannot write it shows
# a message box and never ends, hence the time limit.
# The uninstaller removes the Explorer entry only on `scoop uninstall` ($cmd is 'update' when an
# update runs the old version's uninstaller, and the entry must stay), and only when the entry names
# a tidyreel.exe of this app's folders (a version folder, 'current'), all of which the uninstall
# deletes; another copy's entry is never touched.
render >"$out/scoop/tidyreel.json" <<'EOF'
{
    "version": "@VERSION@",
    "description": "Sorts downloaded TV episode files into season folders, from a folder's context menu in Explorer or Send To.",
    "homepage": "https://github.com/@REPO@",
    "license": "MIT",
    "notes": [
        "Start 'tidyreel' (or 'Quillmoors Tidyreel' in the Start menu) without arguments and click Install to add the Explorer entry.",
        "'scoop uninstall tidyreel' removes the entry this app made; the settings file stays in $persist_dir\\tidyreel.ini."
    ],
    "url": "@URL@",
    "hash": "@SHA256@",
    "bin": "tidyreel.exe",
    "shortcuts": [
        [
            "tidyreel.exe",
            "Quillmoors Tidyreel"
        ]
    ],
    "persist": "tidyreel.ini",
    "pre_install": [
        "$ini = \"$persist_dir\\tidyreel.ini\"",
        "if (Test-Path -LiteralPath $ini -PathType Container) { throw \"$ini is a folder, not the settings file: move it away and install again.\" }",
        "if (!(Test-Path -LiteralPath $ini)) {",
        "    $run = Start-Process -FilePath \"$dir\\tidyreel.exe\" -ArgumentList ('\"' + \"$dir\\no-folder-to-sort\" + '\"') -WorkingDirectory $dir -PassThru",
        "    $null = $run.Handle",
        "    if (!$run.WaitForExit(30000)) {",
        "        Stop-Process -Id $run.Id -Force -ErrorAction SilentlyContinue",
        "        throw 'tidyreel.exe did not end within 30 s while writing its default settings (it shows a message box when it cannot write them).'",
        "    }",
        "    $new = Get-Item -LiteralPath \"$dir\\tidyreel.ini\" -ErrorAction SilentlyContinue",
        "    if ($run.ExitCode -ne 0 -or !$new -or $new.PSIsContainer -or $new.Length -eq 0) {",
        "        throw \"tidyreel.exe (exit code $($run.ExitCode)) wrote no settings file to $dir\\tidyreel.ini.\"",
        "    }",
        "}"
    ],
    "uninstaller": {
        "script": [
            "if ($cmd -eq 'uninstall') {",
            "    $app_dir = Split-Path $dir",
            "    $ours = { param($exe) $exe -and [IO.Path]::GetFileName($exe) -eq 'tidyreel.exe' -and (Split-Path (Split-Path $exe)) -eq $app_dir }",
            "    $verb = 'HKCU:\\SOFTWARE\\Classes\\Directory\\shell\\QuillmoorsTidyreel'",
            "    $command = Get-Item -LiteralPath \"$verb\\command\" -ErrorAction SilentlyContinue",
            "    if ($command -and $command.GetValue('') -match '^\"([^\"]+)\"' -and (& $ours $Matches[1])) {",
            "        foreach ($key in \"$verb\\command\", $verb) {",
            "            if (@(Get-ChildItem -LiteralPath $key).Count -eq 0) { Remove-Item -LiteralPath $key }",
            "            else { Write-Warning \"$key holds keys of another program; left in place.\" }",
            "        }",
            "    }",
            "    $own = 'HKCU:\\SOFTWARE\\Quillmoor\\Tidyreel'",
            "    $link = (Get-ItemProperty -LiteralPath $own -ErrorAction SilentlyContinue).'(default)'",
            "    if ($link -and [IO.Path]::GetExtension($link) -eq '.lnk' -and (Split-Path $link) -eq [Environment]::GetFolderPath('SendTo') -and (Test-Path -LiteralPath $link -PathType Leaf)) {",
            "        $target = (New-Object -ComObject WScript.Shell).CreateShortcut($link).TargetPath",
            "        if (& $ours $target) {",
            "            Remove-Item -LiteralPath $link",
            "            if (@(Get-ChildItem -LiteralPath $own).Count -eq 0) { Remove-Item -LiteralPath $own }",
            "        }",
            "    }",
            "}"
        ]
    },
    "checkver": {
        "github": "https://github.com/@REPO@"
    },
    "autoupdate": {
        "url": "https://github.com/@REPO@/releases/download/v$version/tidyreel-$version-win64.zip",
        "hash": {
            "url": "$url.sha256",
            "regex": "$sha256\\s+\\*?$basename"
        }
    }
}
EOF

echo "make_manifests: Quillmoor.Tidyreel $version ($release_date) from $url"
echo "  $winget_dir/"
echo "  $out/scoop/tidyreel.json"
