#!/bin/bash
# The README's run command: builds the win64 InfPatch.exe and runs it under
# Wine on a sample Windows, a throwaway prefix whose INF folder holds the
# repository's sample MACHINE.INF and whose registry holds the four device
# branches below HKLM\Enum (and siblings that must stay).
#
# With a usable $DISPLAY the program's dialog appears there and you drive it.
# Without one, the run happens on a virtual display and is driven as a user
# would: OK, Notepad closed, the success message confirmed. Either way the
# script then prints what the run changed and where it saved a screenshot.
#
# Nothing outside the build tree is touched: the "restart" the program asks
# for ends only the sample prefix's Wine session.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root" || exit 1

# The win64 build of the preset; MORVANE_BUILD_DIR puts it elsewhere.
# Made absolute: Wine refuses a relative WINEPREFIX.
build=$(realpath -m "${MORVANE_BUILD_DIR:-$root/build/win64}")

./scripts/install-deps.sh || exit 1
mkdir -p "$build" || exit 1
cmake --preset win64 -B "$build" >"$build/configure.log" 2>&1 ||
	{ cat "$build/configure.log" >&2; exit 1; }
cmake --build "$build" --target InfPatch || exit 1

exe=$build/InfPatch.exe
state=$build/wine
work=$build/sample-run
sample=$root/tests/data/MACHINE.INF

# shellcheck source=tests/e2e/lib.sh
. "$root/tests/e2e/lib.sh"

[ -d "$state/template/prefix" ] || echo "Making the Wine template prefix (once, about 15 s)..."
interactive=0
if [ -n "${DISPLAY:-}" ] && xprop -root >/dev/null 2>&1; then
	interactive=1
	export E2E_USER_DISPLAY=1
fi

e2e_open_dialog "$work" "$state" "$exe" "$sample"
# Once the dialog has painted, a picture of it with the window manager's frame
# and caption. In a subshell: a dialog closed at once costs the picture only.
shot=$work/dialog.png
if ! (e2e_shot "$dialog" "$work/dialog-client.png" &&
	import -frame -window "$dialog" "$shot" >/dev/null 2>&1); then
	shot="none (the dialog closed before it could be taken)"
fi

if [ "$interactive" = 1 ]; then
	echo "The dialog is on $DISPLAY: press OK to patch the sample Windows, or Cancel."
	while e2e_program_running; do sleep 0.5; done
else
	echo "No usable display: running on a virtual one and pressing OK."
	e2e_click_ok "$dialog"
	e2e_wait_window notepad 'readme\.txt'
	echo "Notepad shows readme.txt; closing it."
	sleep 1
	e2e_key "$notepad" alt+F4
	e2e_wait_window message '^Message$'
	echo "Message shown; confirming it."
	e2e_key "$message" Return
	e2e_wait_program_exit 20
fi

# What the run changed ---------------------------------------------------------

inf=$E2E_INF
echo
echo "=== What changed in $inf"
if [ -f "$inf/MACHINE.INF" ] && ! cmp -s "$sample" "$inf/MACHINE.INF"; then
	echo "MACHINE.INF: lines added, per section:"
	# Added lines with their line numbers in the new file, then each listed
	# under the section header it follows.
	diff --unchanged-line-format= --old-line-format= --new-line-format='%dn %L' \
		"$sample" "$inf/MACHINE.INF" | tr -d '\r' >"$work/added.txt"
	tr -d '\r' <"$inf/MACHINE.INF" | awk -v added="$work/added.txt" '
		BEGIN { while ((getline l < added) > 0) { n = l; sub(/ .*/, "", n); new[n] = 1 } }
		/^\[/ { section = $0; sub(/\].*/, "]", section) }
		NR in new {
			if (section != shown) { printf "  %s\n", section; shown = section }
			printf "      %s\n", $0
		}'
else
	echo "MACHINE.INF: unchanged"
fi
if [ -f "$inf/MACHINE.OLD" ]; then
	if cmp -s "$sample" "$inf/MACHINE.OLD"; then
		echo "MACHINE.OLD: written, a copy of the original MACHINE.INF"
	else
		echo "MACHINE.OLD: written, but it differs from the original MACHINE.INF"
	fi
fi
if ! cmp -s "$work/orig/USB.INF" "$inf/USB.INF"; then
	echo "USB.INF: replaced, now $(stat -c %s "$inf/USB.INF") bytes in $(wc -l <"$inf/USB.INF") lines" \
		"(was $(stat -c %s "$work/orig/USB.INF") bytes)"
else
	echo "USB.INF: unchanged"
fi
if [ -n "$(find "$inf" -maxdepth 1 -iname _vadro_.tmp)" ]; then
	echo "_vadro_.tmp: the scratch file is still there"
fi

echo
echo "=== Registry, HKEY_LOCAL_MACHINE\\Enum"
e2e_reg_dump "$work/reg-after.txt"
for b in $E2E_BRANCHES; do
	if e2e_key_listed "$work/reg-after.txt" "Enum\\$b"; then
		echo "$b: still present"
	else
		echo "$b: removed, with everything beneath it"
	fi
done
for k in 'PCI\VEN_1106&DEV_0571' 'PCI\VEN_1106&DEV_3038&SUBSYS_00000000' 'Root\*PNP0C01'; do
	if e2e_key_listed "$work/reg-after.txt" "Enum\\$k"; then
		echo "$k: kept (not one of the four)"
	else
		echo "$k: gone, although it is not one of the four"
	fi
done

echo
echo "=== The program's calls (Wine relay trace)"
e2e_calls
sed -E 's/^[0-9]+:[0-9a-f]+:[0-9a-f]+://; s/^Call //; s/ ret=[0-9a-f]+$//
	s/^trace:process:CreateProcessInternalW app .* cmdline L"(.*)"$/process started: \1/' "$work/calls.txt" |
	grep -v '^process started: .*wineboot' | sed 's/^/  /'
if [ -n "$(e2e_first_call 'user32.ExitWindowsEx(00000002,00000000)')" ]; then
	echo "Restart requested: ExitWindowsEx(EWX_REBOOT, 0) (it ended only the sample prefix's Wine session)"
else
	echo "No restart was requested."
fi

echo
echo "Screenshot of the dialog: $shot"
echo "The sample Windows folder: $E2E_WINDOWS (relay trace: $work/relay.log)"
