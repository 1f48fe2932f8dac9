#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what the desktop and the user get.
# Usage: check_install.sh CMAKE BUILD_DIR
set -euo pipefail
cmake_command=$1
build=$2

failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
pass() { echo "PASS: $*"; }

work=$(mktemp -d)
prefix=$work/prefix
cleanup() {
  if [ -d "$prefix/bin" ]; then
    chattr -i "$prefix/bin" 2>/dev/null || true
    chmod -R u+w "$prefix/bin"
  fi
  rm -rf "$work"
}
trap cleanup EXIT

"$cmake_command" --install "$build" --prefix "$prefix" > "$work/install.log"

share=$prefix/share
launcher=$share/applications/nuvex-subtitle-maker.desktop
icon=$share/icons/hicolor/scalable/apps/nuvex-subtitle-maker.svg
mime=$share/mime/packages/nuvex-subtitle-maker.xml
for file in "$prefix/bin/nuvex-subtitle-maker" "$prefix/bin/nuvex-titles" \
            "$share/nuvex-subtitle-maker/TypeAttributes.xml" "$share/nuvex-subtitle-maker/NuvexSubtitleMaker.xml" \
            "$launcher" "$icon" "$mime"; do
  if [ -f "$file" ]; then pass "installed ${file#"$prefix"/}"; else fail "missing ${file#"$prefix"/}"; fi
done
# Desktop files and pictures are for the desktop, not run-time data.
extra=$(find "$share/nuvex-subtitle-maker" -type f ! -name TypeAttributes.xml ! -name NuvexSubtitleMaker.xml)
[ -z "$extra" ] || fail "unexpected data files: $extra"

if desktop-file-validate "$launcher"; then pass "launcher is valid"; else fail "desktop-file-validate rejects the launcher"; fi
grep -qx 'Name\[zh_CN\]=Nuvex 字幕机' "$launcher" || fail "launcher lacks its Chinese name"
grep -qx 'MimeType=application/x-nuvex-project;' "$launcher" || fail "launcher does not open projects"

if command -v xmllint > /dev/null; then
  if xmllint --noout "$icon" "$mime"; then pass "icon and file type are well-formed XML"; else fail "xmllint rejects the icon or the file type"; fi
else
  echo "SKIP: xmllint is not installed"
fi

if command -v update-mime-database > /dev/null; then
  update-mime-database "$share/mime" 2> "$work/mime.log" || fail "update-mime-database failed: $(cat "$work/mime.log")"
  if [ -f "$share/mime/application/x-nuvex-project.xml" ] \
     && grep -qx 'application/x-nuvex-project:\*\.nvproj' <(cut -d: -f2- "$share/mime/globs2"); then
    pass "*.nvproj is application/x-nuvex-project"
  else
    fail "the MIME database does not know *.nvproj"
  fi
else
  echo "SKIP: update-mime-database is not installed"
fi

update-desktop-database "$share/applications"
if grep -qx 'application/x-nuvex-project=nuvex-subtitle-maker.desktop;' "$share/applications/mimeinfo.cache"; then
  pass "projects open with the application"
else
  fail "the launcher is not associated with projects"
fi

# Qt's standard options in Chinese: the translation is loaded from the installed program too.
help=$("$prefix/bin/nuvex-titles" --help)
version_line=$(grep -e '--version' <<< "$help")
if grep -q '版本' <<< "$version_line"; then pass "--help speaks Chinese"; else fail "--help is not Chinese: $version_line"; fi

# A user's run of the installed tool with a program folder nobody may write into (root
# ignores permissions, hence the immutable flag as well where the file system has it).
home=$work/home
mkdir -p "$home" "$work/run"
chmod -R a-w "$prefix/bin"
[ "$(id -u)" -ne 0 ] || chattr +i "$prefix/bin" 2>/dev/null || true
printf 'first line\r\nsecond line\r\n' > "$work/run/doc.txt"
(
  cd "$work/run"
  export HOME=$home XDG_DATA_HOME=$home/.local/share XDG_CONFIG_HOME=$home/.config XDG_CACHE_HOME=$home/.cache
  "$prefix/bin/nuvex-titles" new P.nvproj doc.txt
  "$prefix/bin/nuvex-titles" generate P.nvproj
) > "$work/run.log" 2>&1 || fail "the installed tool failed: $(cat "$work/run.log")"

user=$home/.local/share/nuvex-subtitle-maker
titles=$(cd "$user/Titles/doc" 2>/dev/null && ls)
if [ "$titles" = $'Title00001.etl\nTitle00002.etl' ]; then
  pass "titles land in the user's data folder"
else
  fail "expected two titles under $user/Titles/doc, found: ${titles:-nothing}"
fi
for folder in Projects Documents Titles; do
  [ -d "$user/$folder" ] || fail "the user's $folder folder was not created"
done
grep -q "$user/Titles/doc/" "$work/run/P.nvproj" || fail "the project does not record the titles' folder"
program_folder=$(cd "$prefix/bin" && ls -A)
[ "$program_folder" = $'nuvex-subtitle-maker\nnuvex-titles' ] || fail "the program folder was written into: $program_folder"

if [ "$failures" -ne 0 ]; then
  echo "$failures check(s) failed" >&2
  exit 1
fi
echo "installed tree: all checks passed"
