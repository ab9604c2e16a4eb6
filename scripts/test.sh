#!/bin/sh
# Builds all three builds and runs every test: the README's test command.
set -eu
cd "$(dirname "$0")/.."

./scripts/install-deps.sh

# Formatting is part of the build's hygiene.
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror

for preset in host win64 win32; do
	echo "=== $preset"
	cmake --preset "$preset"
	cmake --build --preset "$preset"
	ctest --preset "$preset"
done
