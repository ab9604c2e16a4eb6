#!/bin/bash
# Runs Windows test programs under Wine, each in a throwaway prefix of its own.
#
#   run-wine.sh STATE PROGRAM [ARGS...]   run PROGRAM in a fresh prefix and
#                                          exit with its exit code
#   run-wine.sh --template STATE          (re)create the template prefix that
#                                          every run copies
#   run-wine.sh --sweep STATE             end what runs of STATE left behind
#   run-wine.sh --prefix STATE PREFIX     make a fresh prefix at PREFIX (for
#                                          scripts that run Wine themselves)
#
# STATE is a folder of the build tree (the template, one folder a run). A run
# copies the template with hard links (a fresh prefix costs a few hundred
# kilobytes and well under a second) and deletes its copy afterwards; a run
# that fails keeps it, with Wine's log, for a look.
#
# The program's stdout and stderr go to files and are printed once it has
# ended: Wine's background processes inherit the descriptors of whoever
# started them, and a pipe they hold stays open long after the program.
# WINEDEBUG stays as the caller set it (a test may ask for traces), else
# Wine is silent. Any other variable of the caller reaches the program.
set -u

# Only the 64-bit loader works on these machines: /usr/bin/wine wants the
# 32-bit one, which this kernel cannot execute.
WINE64=${MORVANE_WINE64:-/usr/lib/wine/wine64}
WINESERVER=${MORVANE_WINESERVER:-/usr/lib/wine/wineserver}

# wine_env PREFIX COMMAND...: COMMAND with the Wine environment for PREFIX.
# mscoree and mshtml are off so that no prefix offers to install Mono or Gecko.
wine_env()
{
	local prefix=$1
	shift
	env WINEPREFIX="$prefix" WINEDLLOVERRIDES="mscoree,mshtml=" \
		WINEDEBUG="${WINEDEBUG:--all}" "$@"
}

# kill_leftovers PATH: SIGKILL, by PID, to every process whose WINEPREFIX is
# PATH or lies beneath it. Wine's own processes detach from whoever started
# them, so the process tree does not find them; their environment does.
kill_leftovers()
{
	local dir entry
	local -a entries
	for dir in /proc/[0-9]*; do
		[ "${dir#/proc/}" = "$$" ] && continue
		# Kernel threads and processes of other users have no readable one.
		{ mapfile -t -d '' entries <"$dir/environ"; } 2>/dev/null || continue
		for entry in "${entries[@]}"; do
			if [[ $entry == "WINEPREFIX=$1" || $entry == "WINEPREFIX=$1/"* ]]; then
				kill -KILL "${dir#/proc/}" 2>/dev/null
				break
			fi
		done
	done
}

# stop_prefix PREFIX LOG: the prefix's wineserver is started persistent, so it
# never ends on its own; -k ends it and everything that still runs in it, -w
# waits (bounded) until it is gone, and whatever is left goes by PID.
stop_prefix()
{
	wine_env "$1" "$WINESERVER" -k >>"$2" 2>&1
	wine_env "$1" timeout 10 "$WINESERVER" -w >>"$2" 2>&1
	kill_leftovers "$1"
}

# make_template STATE FRESH: builds STATE/template/prefix under a lock. FRESH
# (the once-per-ctest-run fixture) first ends and deletes what earlier runs
# left; otherwise an existing template is kept.
make_template()
{
	local state=$1 fresh=$2 new log
	mkdir -p "$state" || return 1
	exec 9>"$state/lock"
	flock 9
	if [ "$fresh" = 1 ]; then
		kill_leftovers "$state"
		rm -rf "$state/template" "$state/runs"
	elif [ -d "$state/template/prefix" ]; then
		# Made by another run meanwhile. Let go of the lock: this shell goes
		# on to run a program, and would hold it for as long as that runs.
		exec 9>&-
		return 0
	fi
	new=$state/template.new
	log=$state/template.log
	rm -rf "$new"
	mkdir -p "$new"
	# No display: wineboot would otherwise show its progress window.
	if ! wine_env "$new/prefix" env -u DISPLAY "$WINE64" wineboot -i >"$log" 2>&1 </dev/null; then
		stop_prefix "$new/prefix" "$log"
		exec 9>&-
		echo "run-wine: wineboot failed; see $log" >&2
		return 1
	fi
	# wineboot returns before the prefix is written out: wait for its server.
	wine_env "$new/prefix" timeout 60 "$WINESERVER" -w >>"$log" 2>&1
	stop_prefix "$new/prefix" "$log"
	mv "$new" "$state/template"
	exec 9>&-
}

# copy_template STATE PREFIX: a fresh prefix at PREFIX, hard-linked from the
# template.
copy_template()
{
	local file
	cp -al "$1/template/prefix" "$2" || return 1
	# Wine rewrites these files in place: a hard link would carry the
	# changes into the template and so into every later run.
	for file in system.reg user.reg userdef.reg $(cd "$2" && find drive_c -iname '*.ini'); do
		cp --remove-destination "$1/template/prefix/$file" "$2/$file" || return 1
	done
}

# run_program STATE PROGRAM ARGS...
run_program()
{
	local state=$1 program=$2 name run prefix log rc file
	shift 2
	[ -d "$state/template/prefix" ] || make_template "$state" 0 || return 125
	mkdir -p "$state/runs" || return 125
	name=${program##*/}
	run=$(mktemp -d "$state/runs/${name%.exe}.XXXXXX") || return 125
	prefix=$run/prefix
	log=$run/wine.log
	trap 'stop_prefix "$prefix" "$log"; exit 129' HUP
	trap 'stop_prefix "$prefix" "$log"; exit 130' INT
	trap 'stop_prefix "$prefix" "$log"; exit 143' TERM

	copy_template "$state" "$prefix" || return 125

	# A persistent server and one throwaway command boot the session (about
	# half a second), so the services Wine starts then inherit the log and
	# not the program's output files.
	wine_env "$prefix" "$WINESERVER" -p >"$log" 2>&1
	wine_env "$prefix" "$WINE64" cmd.exe /c exit >>"$log" 2>&1 </dev/null

	wine_env "$prefix" "$WINE64" "$program" "$@" >"$run/stdout" 2>"$run/stderr" </dev/null
	rc=$?
	cat "$run/stdout"
	cat "$run/stderr" >&2

	stop_prefix "$prefix" "$log"
	trap - HUP INT TERM
	if [ "$rc" = 0 ]; then
		rm -rf "$run"
	else
		echo "run-wine: $name exited with $rc; its prefix and Wine's log stay in $run" >&2
	fi
	return "$rc"
}

usage()
{
	echo "usage: $0 STATE PROGRAM [ARGS...] | --template STATE | --sweep STATE | --stop PREFIX | --prefix STATE PREFIX" >&2
	exit 2
}

# Wine takes only an absolute WINEPREFIX.
absolute()
{
	realpath -m -- "$1"
}

case ${1:-} in
--template)
	[ $# = 2 ] || usage
	make_template "$(absolute "$2")" 1
	;;
--sweep)
	[ $# = 2 ] || usage
	kill_leftovers "$(absolute "$2")"
	;;
--stop)
	[ $# = 2 ] || usage
	stop_prefix "$(absolute "$2")" /dev/null
	;;
--prefix)
	[ $# = 3 ] || usage
	state=$(absolute "$2")
	{ [ -d "$state/template/prefix" ] || make_template "$state" 0; } &&
		copy_template "$state" "$(absolute "$3")"
	;;
"" | -*)
	usage
	;;
*)
	[ $# -ge 2 ] || usage
	state=$(absolute "$1")
	shift
	run_program "$state" "$@"
	;;
esac
