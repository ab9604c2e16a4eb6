#!/bin/sh
# Builds all three builds and runs every test: the README's test command.
set -eu
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

# Formatting is part of the build's hygiene. The sources are found with find,
# not git: a CI checkout may come without git, as a tarball, or owned by
# another user (git then refuses the repository), and an empty list would
# let clang-format read its empty standard input and pass.
sources=$(find src tests tools res -name '*.cpp' -o -name '*.h')
[ -n "$sources" ] || { echo "test.sh: no sources found" >&2; exit 1; }
# shellcheck disable=SC2086  # one name a word: the tree has no blanks in names
clang-format --dry-run --Werror $sources

for preset in host win64 win32; do
	echo "=== $preset"
	cmake --preset "$preset"
	cmake --build --preset "$preset"
	ctest --preset "$preset"
done
