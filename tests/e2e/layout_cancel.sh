#!/bin/bash
# End-to-end: the dialog opens centred on the screen with the four item lines
# painted in its white frame, offers no minimise, maximise or sizing; Cancel
# closes it with no file and no key touched.
#
# usage: layout_cancel.sh INFPATCH_EXE WINE_STATE SAMPLE_MACHINE_INF WORKDIR
set -u
# shellcheck source=tests/e2e/lib.sh
. "$(dirname "$0")/lib.sh"
exe=$1 state=$2 sample=$3 work=$4

e2e_open_dialog "$work" "$state" "$exe" "$sample"
e2e_check_centred "$dialog"
e2e_shot "$dialog" "$E2E_DIR/dialog.png"
e2e_check_items "$dialog" "$E2E_DIR/dialog.png"

# Wine hands the window's styles to the window manager as Motif hints: the
# functions (second field) must not include resize 0x2, minimise 0x8 or
# maximise 0x10; and the size hints pin the size.
hints=$(xprop -id "$dialog" _MOTIF_WM_HINTS)
[[ $hints =~ =\ (0x[0-9a-f]+),\ (0x[0-9a-f]+), ]] || e2e_fail "no Motif hints on the dialog ($hints)"
[ $((BASH_REMATCH[1] & 1)) = 1 ] && [ $((BASH_REMATCH[2] & 0x1a)) = 0 ] ||
	e2e_fail "the dialog can be resized, minimised or maximised ($hints)"
sizes=$(xprop -id "$dialog" WM_NORMAL_HINTS)
min=$(sed -n 's/.*minimum size: *//p' <<<"$sizes")
max=$(sed -n 's/.*maximum size: *//p' <<<"$sizes")
[ -n "$min" ] && [ "$min" = "$max" ] || e2e_fail "the dialog's size is not fixed ($sizes)"

e2e_click_cancel "$dialog"
e2e_wait_program_exit 10
e2e_check_untouched
e2e_calls
[ "$(e2e_call_count user32.EndDialog)" -eq 1 ] && [ -n "$(e2e_first_call 'user32.EndDialog(' ',00000002)')" ] ||
	e2e_fail "Cancel did not end the dialog once with IDCANCEL"
for f in user32.MessageBoxA advapi32.RegDeleteKeyA user32.ExitWindowsEx; do
	[ "$(e2e_call_count "$f")" -eq 0 ] || e2e_fail "Cancel ran part of the patch ($f)"
done
e2e_note "centred, items drawn, fixed frame, Cancel changed nothing"
