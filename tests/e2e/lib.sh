# Shared helpers for the end-to-end runs of InfPatch.exe under Wine.
#
# Sourced by the test scripts in this folder and by scripts/run.sh. A run gets
# its own work folder, its own throwaway Wine prefix copied from a template
# prefix, its own virtual X display with a window manager, and ends exactly the
# processes it started. Wine's output always goes to files: a pipe would be
# held open by Wine's background processes.
#
# Functions report failure with e2e_fail, which ends the script; the EXIT trap
# set by e2e_begin cleans up on every path.
#
# shellcheck disable=SC2034  # the E2E_ settings are read by the sourcing scripts

E2E_WINE=/usr/lib/wine/wine64
E2E_WINESERVER=/usr/lib/wine/wineserver
E2E_SCREEN_W=1024
E2E_SCREEN_H=768

# The Win32 calls of the program that the checks follow in Wine's relay trace.
E2E_RELAY_INCLUDE="user32.MessageBoxA;user32.ExitWindowsEx;advapi32.RegDeleteKeyA;user32.EndDialog;user32.WinHelpA"

# The four device branches the program removes, below HKLM\Enum.
E2E_BRANCHES="PCI\\VEN_1106&DEV_0586 PCI\\VEN_1106&DEV_1595 PCI\\VEN_1106&DEV_3038 PCI\\VEN_1106&DEV_3040"

E2E_SUCCESS_TEXT="PIIX4 Successfully patched, Press the button to Reboot"

E2E_LIB_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

e2e_fail() {
	echo "FAIL: $*" >&2
	exit 1
}

e2e_note() {
	echo "-- $*"
}

# e2e_poll SECONDS COMMAND...: runs COMMAND every 0.1 s until it succeeds;
# fails (status 1) when the deadline passes first.
e2e_poll() {
	local deadline=$((SECONDS + $1))
	shift
	while ! "$@"; do
		[ "$SECONDS" -lt "$deadline" ] || return 1
		sleep 0.1
	done
}

# e2e_begin WORKDIR WINE_STATE: fresh work folder, fresh prefix, display,
# window manager and a running wineserver for that prefix. WINE_STATE is the
# build's Wine folder, whose template prefix the Wine test runner makes (once
# per ctest run) and copies. With E2E_USER_DISPLAY=1 the windows go to the
# caller's $DISPLAY instead of a display of the run's own.
e2e_begin() {
	E2E_DIR=$1
	local state=$2
	E2E_PIDS=""
	E2E_PROGRAM_PID=""
	trap e2e_cleanup EXIT
	# A stopped run (Ctrl-C, ctest's timeout) cleans up too.
	trap 'exit 130' INT
	trap 'exit 143' TERM HUP
	rm -rf "$E2E_DIR"
	mkdir -p "$E2E_DIR/run" || e2e_fail "cannot create $E2E_DIR"

	# The display first: its processes must not carry the prefix in their
	# environment, which is how the clean-up finds Wine's processes.
	[ "${E2E_USER_DISPLAY:-0}" = 1 ] || e2e_start_display
	"$E2E_LIB_DIR/../wine/run-wine.sh" --prefix "$state" "$E2E_DIR/prefix" ||
		e2e_fail "no prefix from the template in $state"
	export WINEPREFIX="$E2E_DIR/prefix"
	export WINEDLLOVERRIDES="mscoree,mshtml="
	export WINEDEBUG=-all
	E2E_WINDOWS="$WINEPREFIX/drive_c/windows"
	E2E_INF="$E2E_WINDOWS/inf"
	mkdir -p "$E2E_INF"

	# A persistent server and one first command: the session boots once here,
	# so that the program and the later queries start quickly.
	"$E2E_WINESERVER" -p >"$E2E_DIR/wineserver.log" 2>&1 ||
		e2e_fail "wineserver did not start"
	e2e_wine_tool "$E2E_DIR/boot.log" cmd /c exit 0
}

# e2e_start_display: Xvfb on a display number of its own choosing, openbox.
e2e_start_display() {
	local fdfile="$E2E_DIR/display"
	: >"$fdfile"
	Xvfb -displayfd 7 -screen 0 "${E2E_SCREEN_W}x${E2E_SCREEN_H}x24" -nolisten tcp \
		7>"$fdfile" >"$E2E_DIR/xvfb.log" 2>&1 &
	E2E_PIDS="$E2E_PIDS $!"
	e2e_poll 10 grep -q '^[0-9]' "$fdfile" || e2e_fail "Xvfb did not report a display"
	DISPLAY=":$(head -n 1 "$fdfile")"
	export DISPLAY
	# Without a window manager Wine stalls on every closed window and cannot
	# activate new message boxes from the keyboard.
	openbox --sm-disable >"$E2E_DIR/openbox.log" 2>&1 &
	E2E_PIDS="$E2E_PIDS $!"
	e2e_poll 10 e2e_wm_ready || e2e_fail "openbox did not come up on $DISPLAY"
}

e2e_wm_ready() {
	xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

# e2e_wine_tool LOG COMMAND...: runs a Wine program to the end, all output to LOG.
e2e_wine_tool() {
	local log=$1
	shift
	"$E2E_WINE" "$@" >"$log" 2>&1
}

# e2e_reg_import REGFILE: loads a REGEDIT4 file into the prefix's registry.
e2e_reg_import() {
	e2e_wine_tool "$E2E_DIR/reg-import.log" reg import "$(e2e_winpath "$1")" ||
		e2e_fail "reg import $1 failed (see $E2E_DIR/reg-import.log)"
}

# e2e_winpath UNIXPATH: the Z:\ path under which Wine sees an absolute Unix path.
e2e_winpath() {
	printf 'Z:%s' "$1" | tr / '\\'
}

# e2e_seed_registry: the four device branches with instance keys below them
# (one two levels deep), plus siblings that must survive: another function of
# the same chipset, a name that merely begins like a removed branch, another bus.
e2e_seed_registry() {
	local reg="$E2E_DIR/seed.reg"
	{
		printf 'REGEDIT4\r\n\r\n'
		printf '[HKEY_CURRENT_USER\\Software\\Wine\\Debug]\r\n"RelayInclude"="%s"\r\n\r\n' "$E2E_RELAY_INCLUDE"
		local b
		for b in 0586 1595 3038 3040 0571 "3038&SUBSYS_00000000"; do
			printf '[HKEY_LOCAL_MACHINE\\Enum\\PCI\\VEN_1106&DEV_%s\\BUS_00&DEV_07&FUNC_00]\r\n' "$b"
			printf '"HardwareID"="PCI\\\\VEN_1106&DEV_%s"\r\n"Class"="System"\r\n\r\n' "$b"
		done
		printf '[HKEY_LOCAL_MACHINE\\Enum\\PCI\\VEN_1106&DEV_3038\\BUS_00&DEV_07&FUNC_00\\Device Parameters]\r\n'
		printf '"Ports"=dword:00000002\r\n\r\n'
		printf '[HKEY_LOCAL_MACHINE\\Enum\\Root\\*PNP0C01\\0000]\r\n"Class"="System"\r\n\r\n'
	} >"$reg"
	e2e_reg_import "$reg"
}

# e2e_reg_dump FILE: every key and value below HKLM\Enum, as reg.exe lists it
# (CR removed).
e2e_reg_dump() {
	e2e_wine_tool "$E2E_DIR/reg-query.raw" reg query 'HKLM\Enum' /s ||
		e2e_fail "reg query HKLM\\Enum failed (see $E2E_DIR/reg-query.raw)"
	tr -d '\r' <"$E2E_DIR/reg-query.raw" >"$1"
}

# e2e_key_listed DUMP KEYPATH: the key (below HKEY_LOCAL_MACHINE) is in the dump.
e2e_key_listed() {
	grep -qixF "HKEY_LOCAL_MACHINE\\$2" "$1"
}

# e2e_seed_windows [MACHINE_INF]: the Windows folder and registry as the
# program finds them: the device branches (e2e_seed_registry), the sample
# MACHINE.INF (none when no argument is given) and a USB.INF of the system's
# own that the patch must replace. Keeps copies of both files, a listing of
# the INF folder and a dump of HKLM\Enum for later comparisons.
e2e_seed_windows() {
	e2e_seed_registry
	mkdir -p "$E2E_DIR/orig"
	if [ $# -gt 0 ]; then
		cp "$1" "$E2E_INF/MACHINE.INF" || e2e_fail "cannot copy $1"
		cp "$1" "$E2E_DIR/orig/MACHINE.INF"
	fi
	printf '; USB.INF of the system, before the patch\r\n\r\n[Version]\r\nClass=USB\r\n' >"$E2E_INF/USB.INF"
	cp "$E2E_INF/USB.INF" "$E2E_DIR/orig/USB.INF"
	e2e_inf_listing "$E2E_DIR/inf-before.txt"
	e2e_reg_dump "$E2E_DIR/reg-before.txt"
}

# e2e_check_untouched: the INF folder and HKLM\Enum are as e2e_seed_windows
# left them.
e2e_check_untouched() {
	e2e_inf_listing "$E2E_DIR/inf-after.txt"
	diff "$E2E_DIR/inf-before.txt" "$E2E_DIR/inf-after.txt" >&2 ||
		e2e_fail "the INF folder changed"
	e2e_reg_dump "$E2E_DIR/reg-after.txt"
	diff "$E2E_DIR/reg-before.txt" "$E2E_DIR/reg-after.txt" >&2 ||
		e2e_fail "HKLM\\Enum changed"
}

# e2e_stage_program EXE: the program and the readme.txt beside it, copied into
# the run's current folder.
e2e_stage_program() {
	[ -f "$1" ] || e2e_fail "no program at $1"
	local readme
	readme="$(dirname "$1")/readme.txt"
	[ -f "$readme" ] || e2e_fail "no readme.txt beside $1"
	cp "$1" "$E2E_DIR/run/InfPatch.exe" && cp "$readme" "$E2E_DIR/run/readme.txt" ||
		e2e_fail "cannot stage the program"
}

# e2e_open_dialog WORKDIR WINE_STATE EXE [MACHINE_INF]: the whole opening of
# a run: fresh prefix and display (e2e_begin), the Windows folder and registry
# seeded (with MACHINE_INF when given), the program staged and started, and
# its dialog shown; the dialog's window is left in $dialog.
e2e_open_dialog() {
	e2e_begin "$1" "$2"
	e2e_seed_windows ${4:+"$4"}
	e2e_stage_program "$3"
	e2e_start_program
	e2e_wait_window dialog "$E2E_DIALOG_TITLE"
}

# e2e_start_program: starts the staged program in the background from its own
# folder, with the relay trace of E2E_RELAY_INCLUDE and of process starts going
# to $E2E_DIR/relay.log.
e2e_start_program() {
	(
		cd "$E2E_DIR/run" &&
			WINEDEBUG=-all,+pid,trace+relay,trace+process exec "$E2E_WINE" InfPatch.exe \
				>"$E2E_DIR/program.out" 2>"$E2E_DIR/relay.log"
	) &
	E2E_PROGRAM_PID=$!
	E2E_PIDS="$E2E_PIDS $E2E_PROGRAM_PID"
}

# e2e_wait_program_exit SECONDS
e2e_wait_program_exit() {
	e2e_poll "$1" e2e_gone_pid "$E2E_PROGRAM_PID" || e2e_fail "the program did not end within $1 s"
}

e2e_gone_pid() {
	! kill -0 "$1" 2>/dev/null
}

e2e_program_running() {
	kill -0 "$E2E_PROGRAM_PID" 2>/dev/null
}

# e2e_find_window NAME_REGEX: prints the id of a visible window of that title.
e2e_find_window() {
	xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1
}

e2e_window_shown() {
	[ -n "$(e2e_find_window "$1")" ]
}

# e2e_wait_window VAR NAME_REGEX [SECONDS]: waits for a visible window of that
# title and stores its id in VAR.
e2e_wait_window() {
	local var=$1 name=$2 secs=${3:-30}
	e2e_poll "$secs" e2e_window_shown "$name" || e2e_fail "no window titled $name within $secs s"
	printf -v "$var" '%s' "$(e2e_find_window "$name")"
}

e2e_viewable() {
	xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable'
}

# e2e_wait_unmapped WINDOW [SECONDS]
e2e_wait_unmapped() {
	local secs=${2:-10}
	e2e_poll "$secs" eval "! e2e_viewable $1" || e2e_fail "window $1 still shown after $secs s"
}

# e2e_geometry WINDOW: sets GX GY (absolute upper-left of the client area) and GW GH.
e2e_geometry() {
	local info
	info=$(xwininfo -id "$1") || e2e_fail "xwininfo $1 failed"
	GX=$(sed -n 's/^ *Absolute upper-left X: *//p' <<<"$info")
	GY=$(sed -n 's/^ *Absolute upper-left Y: *//p' <<<"$info")
	GW=$(sed -n 's/^ *Width: *//p' <<<"$info")
	GH=$(sed -n 's/^ *Height: *//p' <<<"$info")
	[ -n "$GX" ] && [ -n "$GY" ] && [ -n "$GW" ] && [ -n "$GH" ] || e2e_fail "no geometry for $1"
}

# e2e_activate WINDOW: raises and focuses it, as a user's click on it would.
e2e_activate() {
	timeout 5 xdotool windowactivate --sync "$1" >/dev/null 2>&1 ||
		xdotool windowactivate "$1" >/dev/null 2>&1 || e2e_fail "cannot activate window $1"
	sleep 0.2
}

# e2e_key WINDOW KEY...: activates the window and types the keys.
e2e_key() {
	local w=$1
	shift
	e2e_activate "$w"
	xdotool key --clearmodifiers "$@" || e2e_fail "xdotool key $* failed"
}

# e2e_click WINDOW X Y: left click at client pixel X,Y of the window.
e2e_click() {
	e2e_activate "$1"
	xdotool mousemove --window "$1" "$2" "$3" click 1 || e2e_fail "click at $2,$3 failed"
}

# e2e_shot WINDOW FILE: screenshot of the window's client area, taken once two
# successive shots agree (the window has finished painting).
e2e_shot() {
	local w=$1 out=$2 prev="$2.prev.png" tries=0
	sleep 0.3
	import -window "$w" "$prev" >/dev/null 2>&1 || e2e_fail "screenshot of $w failed"
	while [ $((tries += 1)) -le 10 ]; do
		sleep 0.3
		import -window "$w" "$out" >/dev/null 2>&1 || e2e_fail "screenshot of $w failed"
		if [ "$(compare -metric AE "$prev" "$out" null: 2>&1)" = 0 ]; then
			rm -f "$prev"
			return 0
		fi
		mv "$out" "$prev"
	done
	e2e_fail "window $w did not settle for a screenshot"
}

# e2e_dark_pixels PNG W H X Y: number of pixels in the rectangle that are not
# near white (text drawn in black on the white frame).
e2e_dark_pixels() {
	# 40 %: the frame's grey edge lines (50 %) do not count, black text does.
	convert "$1" -crop "$2x$3+$4+$5" +repage -colorspace Gray -threshold 40% -negate \
		-format '%[fx:int(mean*w*h+0.5)]' info:
}

# The dialog ------------------------------------------------------------------

E2E_DIALOG_TITLE='^Morvane for Windows 95$'
E2E_DIALOG_DLU_W=214
E2E_DIALOG_DLU_H=149

# e2e_dlu WINDOW X Y: sets PX PY, the client pixel of dialog-unit point X,Y of
# the dialog WINDOW, scaled from the client size (214 x 149 dialog units).
e2e_dlu() {
	e2e_geometry "$1"
	PX=$(($2 * GW / E2E_DIALOG_DLU_W))
	PY=$(($3 * GH / E2E_DIALOG_DLU_H))
}

# e2e_click_ok / e2e_click_cancel WINDOW: a click on the middle of the button.
e2e_click_ok() {
	e2e_dlu "$1" 32 135
	e2e_click "$1" "$PX" "$PY"
}

e2e_click_cancel() {
	e2e_dlu "$1" 182 135
	e2e_click "$1" "$PX" "$PY"
}

# e2e_check_centred WINDOW: the dialog sits in the middle of the screen. The X
# window is the client area; the caption above it, drawn as the window's
# non-client part, moves the client's centre down by half the caption height.
e2e_check_centred() {
	e2e_geometry "$1"
	local dx=$((GX + GW / 2 - E2E_SCREEN_W / 2)) dy=$((GY + GH / 2 - E2E_SCREEN_H / 2))
	e2e_note "dialog client ${GW}x${GH} at $GX,$GY (centre off by $dx,$dy)"
	[ "$dx" -ge -2 ] && [ "$dx" -le 2 ] && [ "$dy" -ge 0 ] && [ "$dy" -le 16 ] ||
		e2e_fail "dialog not centred: client ${GW}x${GH} at $GX,$GY on a ${E2E_SCREEN_W}x${E2E_SCREEN_H} screen"
}

# e2e_frame WINDOW PNG: sets FX FY FW FH, the white item frame's outer
# rectangle in client pixels, measured in the screenshot: the part of a
# region a little larger than the template's rectangle for it (13,56 189x53
# dialog units) that differs from the dialog's face colour, which fills the
# region's corners.
e2e_frame() {
	e2e_geometry "$1"
	local ex=$((13 * GW / E2E_DIALOG_DLU_W)) ey=$((56 * GH / E2E_DIALOG_DLU_H))
	local ew=$((189 * GW / E2E_DIALOG_DLU_W)) eh=$((53 * GH / E2E_DIALOG_DLU_H))
	local m=4 box
	box=$(convert "$2" -crop "$((ew + 2 * m))x$((eh + 2 * m))+$((ex - m))+$((ey - m))" +repage \
		-format '%@' info:)
	[[ $box =~ ^([0-9]+)x([0-9]+)\+([0-9]+)\+([0-9]+)$ ]] || e2e_fail "no item frame in $2 ($box)"
	FX=$((ex - m + BASH_REMATCH[3]))
	FY=$((ey - m + BASH_REMATCH[4]))
	FW=${BASH_REMATCH[1]}
	FH=${BASH_REMATCH[2]}
	local d
	for d in $((FX - ex)) $((FY - ey)) $((FW - ew)) $((FH - eh)); do
		[ "$d" -ge -3 ] && [ "$d" -le 3 ] ||
			e2e_fail "item frame ${FW}x${FH}+$FX+$FY in $2 is not where the template puts it (${ew}x${eh}+$ex+$ey)"
	done
}

# e2e_check_items WINDOW PNG: the four item lines are drawn inside the white
# frame, one every 20 pixels from 10,10 below its top-left corner: dark pixels
# in each line's band, none above the first line, left of the text or below
# the last line.
e2e_check_items() {
	e2e_frame "$1" "$2"
	local left=$((FX + 4)) width=$((FW - 8)) k n counts=""
	n=$(e2e_dark_pixels "$2" "$width" 6 "$left" $((FY + 3)))
	[ "$n" -eq 0 ] || e2e_fail "$2: $n dark pixels above the first item line"
	n=$(e2e_dark_pixels "$2" 5 $((FH - 8)) "$left" $((FY + 4)))
	[ "$n" -eq 0 ] || e2e_fail "$2: $n dark pixels left of the item lines"
	for k in 0 1 2 3; do
		n=$(e2e_dark_pixels "$2" "$width" 18 "$left" $((FY + 9 + 20 * k)))
		counts="$counts $n"
		[ "$n" -ge 40 ] || e2e_fail "$2: item line $((k + 1)) not drawn (${n} dark pixels at +$((10 + 20 * k)) px)"
	done
	if [ "$FH" -gt 96 ]; then
		n=$(e2e_dark_pixels "$2" "$width" $((FH - 94)) "$left" $((FY + 90)))
		[ "$n" -eq 0 ] || e2e_fail "$2: $n dark pixels below the last item line"
	fi
	e2e_note "item frame ${FW}x${FH}+$FX+$FY, dark pixels per line:$counts"
}

# Relay trace ---------------------------------------------------------------

# e2e_calls: writes $E2E_DIR/calls.txt, the program's own traced calls and
# process starts, each with its line number in the trace. Calls of other
# processes of the prefix (Notepad, the help viewer) are left out: the relay
# list applies to them too.
e2e_calls() {
	local pid
	pid=$(head -n 1 "$E2E_DIR/relay.log" | cut -d: -f1)
	[ -n "$pid" ] || e2e_fail "empty relay trace $E2E_DIR/relay.log"
	grep -n -E "^$pid:[0-9a-f]+:(Call [a-z0-9_]+\.[A-Za-z]+\(|trace:process:CreateProcessInternalW app )" \
		"$E2E_DIR/relay.log" >"$E2E_DIR/calls.txt"
}

# e2e_call_count FUNCTION: how often the program called FUNCTION ("user32.EndDialog").
e2e_call_count() {
	grep -c -F ":Call $1(" "$E2E_DIR/calls.txt"
}

# e2e_first_call TEXT...: trace line number of the program's first call line
# that holds every fixed TEXT; empty when none.
e2e_first_call() {
	local line
	line=$(grep -F -e "$1" "$E2E_DIR/calls.txt")
	shift
	while [ $# -gt 0 ]; do
		line=$(grep -F -e "$1" <<<"$line")
		shift
	done
	[ -z "$line" ] || head -n 1 <<<"$line" | cut -d: -f1
}

# e2e_in_order LABEL1 LINE1 LABEL2 LINE2 ...: each event exists and comes
# after the one before it.
e2e_in_order() {
	local prev=0 prevlabel="start"
	while [ $# -ge 2 ]; do
		[ -n "$2" ] || e2e_fail "relay trace: no $1 (see $E2E_DIR/relay.log)"
		[ "$2" -gt "$prev" ] || e2e_fail "relay trace: $1 (line $2) does not follow $prevlabel (line $prev)"
		prev=$2
		prevlabel=$1
		shift 2
	done
}

# e2e_relay_str TEXT: TEXT as the relay trace prints a string argument.
e2e_relay_str() {
	printf '"%s"' "$(printf '%s' "$1" | sed 's/\\/\\\\/g')"
}

# Files ---------------------------------------------------------------------

# e2e_inf_listing FILE: names, sizes and checksums of the INF folder's files.
e2e_inf_listing() {
	(cd "$E2E_INF" && find . -type f -printf '%P\n' | LC_ALL=C sort | while read -r f; do
		printf '%s %s\n' "$f" "$(cksum <"$f")"
	done) >"$1"
}

# e2e_insert_lines IN OUT SECTION LINE...: OUT is IN with the lines (CR LF
# added) right after the first line that holds the header [SECTION] (ASCII case
# ignored). A line-based model of the program's rule, written independently of it.
e2e_insert_lines() {
	local in=$1 out=$2 section=$3
	shift 3
	local lines
	lines=$(printf '%s\r\n' "$@")
	# Through the environment: awk -v would read the backslashes as escapes.
	E2E_WANT="[$section]" E2E_ADD=$lines LC_ALL=C awk '
		BEGIN { done = 0; want = tolower(ENVIRON["E2E_WANT"]); add = ENVIRON["E2E_ADD"] }
		{
			print
			if (!done && index(tolower($0), want) > 0) {
				printf "%s\n", add
				done = 1
			}
		}
		END { if (!done) exit 3 }' "$in" >"$out.tmp" || e2e_fail "section [$section] not in $in"
	# awk adds a final LF when the input lacks one; the sample ends with CR LF.
	mv "$out.tmp" "$out"
}

# Clean-up ------------------------------------------------------------------

# e2e_cleanup: the prefix's server and every process of the prefix, then the
# processes this script started, each by PID.
e2e_cleanup() {
	local status=$?
	if [ "$status" -ne 0 ] && [ -n "${DISPLAY:-}" ]; then
		echo "--- windows shown:" >&2
		xdotool search --onlyvisible --name . getwindowname %@ >&2 2>/dev/null
	fi
	if [ -n "${WINEPREFIX:-}" ] && [ -d "$WINEPREFIX" ]; then
		# The server, the prefix's programs and any leftover, as every Wine
		# test run ends its prefix.
		"$E2E_LIB_DIR/../wine/run-wine.sh" --stop "$WINEPREFIX"
	fi
	local pid
	for pid in $E2E_PIDS; do
		e2e_own_child "$pid" && kill "$pid" 2>/dev/null
	done
	for pid in $E2E_PIDS; do
		wait "$pid" 2>/dev/null
	done
	if [ "$status" -ne 0 ] && [ -n "${E2E_DIR:-}" ] && [ -f "$E2E_DIR/relay.log" ]; then
		echo "--- relay trace (program calls):" >&2
		grep -E ':Call [a-z0-9_]+\.[A-Za-z]|CreateProcessInternalW app' "$E2E_DIR/relay.log" | head -n 60 >&2
	fi
	return "$status"
}

# e2e_own_child PID: PID is still a child of this script (and not a process
# that reused the number of one that ended).
e2e_own_child() {
	local stat fields
	stat=$(cat "/proc/$1/stat" 2>/dev/null) || return 1
	# After "pid (name) ": the state, then the parent's PID.
	read -r -a fields <<<"${stat##*) }"
	[ "${fields[1]}" = $$ ]
}

