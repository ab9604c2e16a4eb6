#!/bin/bash
# End-to-end: OK on a Windows folder without MACHINE.INF. Each OK (a click,
# then the Enter key) shows "Patching Error" and leaves the dialog open, with
# its item list painted again once the message box that covered it is gone;
# Cancel then ends the program, and nothing in the INF folder or below
# HKLM\Enum has changed.
#
# usage: patch_error.sh INFPATCH_EXE WINE_STATE WORKDIR
set -u
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
exe=$1 state=$2 work=$3

e2e_open_dialog "$work" "$state" "$exe"
e2e_shot "$dialog" "$E2E_DIR/dialog-open.png"
e2e_frame "$dialog" "$E2E_DIR/dialog-open.png"
dx=$GX dy=$GY
e2e_click_ok "$dialog"
e2e_wait_window box '^Error$'

# The message box lies over the item frame, so closing it makes the dialog
# paint the list again.
e2e_geometry "$box"
bx=$GX by=$GY bw=$GW bh=$GH
[ $((bx < dx + FX + FW && dx + FX < bx + bw && by < dy + FY + FH && dy + FY < by + bh)) = 1 ] ||
	e2e_fail "the message box does not cover the item frame; the repaint check would prove nothing"
e2e_key "$box" Return
e2e_wait_unmapped "$box"
e2e_viewable "$dialog" && e2e_program_running || e2e_fail "the dialog closed after the failure message"
e2e_shot "$dialog" "$E2E_DIR/dialog-repainted.png"
e2e_check_items "$dialog" "$E2E_DIR/dialog-repainted.png"

# A second OK, from the keyboard this time: a full new run, failing the same way.
e2e_key "$dialog" Return
e2e_wait_window box '^Error$'
e2e_key "$box" Return
e2e_wait_unmapped "$box"
e2e_viewable "$dialog" && e2e_program_running || e2e_fail "the dialog closed after the second failure message"

e2e_click_cancel "$dialog"
e2e_wait_program_exit 10
e2e_check_untouched

e2e_calls
[ "$(e2e_call_count user32.MessageBoxA)" -eq 2 ] ||
	e2e_fail "MessageBoxA called $(e2e_call_count user32.MessageBoxA) times, not twice"
[ "$(grep -F 'user32.MessageBoxA(' "$E2E_DIR/calls.txt" | grep -cF ' "Patching Error",' )" -eq 2 ] &&
	[ "$(grep -F 'user32.MessageBoxA(' "$E2E_DIR/calls.txt" | grep -cF ' "Error",00000000)')" -eq 2 ] ||
	e2e_fail "the failure messages are not \"Patching Error\" / \"Error\" with style 0"
for f in advapi32.RegDeleteKeyA user32.ExitWindowsEx; do
	[ "$(e2e_call_count "$f")" -eq 0 ] || e2e_fail "a failed run called $f"
done
! grep -qF 'notepad.exe' "$E2E_DIR/calls.txt" || e2e_fail "a failed run started Notepad"
[ "$(e2e_call_count user32.EndDialog)" -eq 1 ] && [ -n "$(e2e_first_call 'user32.EndDialog(' ',00000002)')" ] ||
	e2e_fail "the dialog did not end once with IDCANCEL"
e2e_note "two failed runs reported, dialog kept and repainted, Cancel changed nothing"
