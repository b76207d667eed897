#!/usr/bin/env bash
# A private CUPS server for the printing tests: its default queue hands each job to a capture backend that keeps
# the job's file exactly as it arrived (the program sends PDF), so tests can read it back with pdftotext.
#
#   eval "$(bash scripts/cups-test-printer.sh start DIR)"   starts cupsd in DIR and prints the exports
#   bash scripts/cups-test-printer.sh stop DIR              stops it
#
# Exports CUPS_SERVER (the server's socket) and SLANTVIS_PRINT_CAPTURE (where the jobs land). Needs root: cupsd
# runs the capture backend as root because the backend is readable by root alone.
set -euo pipefail

command=${1:-}
dir=${2:-}
if [ -z "$command" ] || [ -z "$dir" ]; then
    echo "usage: $0 start|stop DIR" >&2
    exit 2
fi

stop() {
    if [ -f "$dir/run/cupsd.pid" ]; then
        pid=$(cat "$dir/run/cupsd.pid")
        kill "$pid" 2>/dev/null || true
        for _ in $(seq 50); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
        rm -f "$dir/run/cupsd.pid"
    fi
}

if [ "$command" = stop ]; then
    stop
    exit 0
fi
[ "$command" = start ] || { echo "unknown command: $command" >&2; exit 2; }

if [ "$(id -u)" -ne 0 ]; then
    echo "cups-test-printer: needs root; printing tests will be skipped" >&2
    exit 0
fi
if ! command -v cupsd >/dev/null || ! command -v lpadmin >/dev/null; then
    echo "cups-test-printer: cupsd or lpadmin missing; printing tests will be skipped" >&2
    exit 0
fi

cups_bin=/usr/lib/cups
mkdir -p "$dir"
dir=$(cd "$dir" && pwd)
chmod 755 "$dir"
mkdir -p "$dir/etc" "$dir/bin/backend" "$dir/spool/tmp" "$dir/cache" "$dir/run" "$dir/log" "$dir/capture"
chmod 755 "$dir/etc" "$dir/bin" "$dir/bin/backend" "$dir/cache" "$dir/run" "$dir/log" "$dir/capture"
chmod 710 "$dir/spool"
chmod 1777 "$dir/spool/tmp"
for part in daemon filter cgi-bin driver monitor notifier; do
    [ -e "$cups_bin/$part" ] && ln -sfn "$cups_bin/$part" "$dir/bin/$part"
done

# The backend: with no arguments it lists its device; with a job it copies the job's file (argument 6, or
# standard input) to <capture>/job-<id>.pdf, renaming it into place only when complete.
cat >"$dir/bin/backend/capture" <<'BACKEND'
#!/bin/sh
if [ $# -eq 0 ]; then
    echo 'direct capture "Unknown" "Slantvis capture printer"'
    exit 0
fi
target=${DEVICE_URI#capture:}
part="$target/.job-$1.part"
if [ $# -ge 6 ]; then
    cat "$6" >"$part" || exit 1
else
    cat >"$part" || exit 1
fi
chmod 644 "$part"
mv "$part" "$target/job-$1.pdf"
exit 0
BACKEND
chmod 700 "$dir/bin/backend/capture"

cat >"$dir/etc/cups-files.conf" <<CONF
ServerRoot $dir/etc
ServerBin $dir/bin
DataDir /usr/share/cups
RequestRoot $dir/spool
TempDir $dir/spool/tmp
StateDir $dir/run
CacheDir $dir/cache
ErrorLog $dir/log/error_log
AccessLog $dir/log/access_log
PageLog $dir/log/page_log
FileDevice No
CONF

cat >"$dir/etc/cupsd.conf" <<CONF
Listen $dir/run/cups.sock
LogLevel warn
Browsing No
DefaultAuthType None
WebInterface No
PreserveJobFiles No
PreserveJobHistory No
MaxJobs 0
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  JobPrivateAccess all
  JobPrivateValues none
  SubscriptionPrivateAccess all
  SubscriptionPrivateValues none
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
chmod 644 "$dir/etc/cupsd.conf" "$dir/etc/cups-files.conf"

# Run from a copy: the system's AppArmor profile for /usr/sbin/cupsd would keep it out of this directory.
install -m 755 "$(command -v cupsd)" "$dir/bin/cupsd"
stop
"$dir/bin/cupsd" -c "$dir/etc/cupsd.conf" -s "$dir/etc/cups-files.conf" -f </dev/null >>"$dir/log/cupsd.out" 2>&1 &
echo $! >"$dir/run/cupsd.pid"
export CUPS_SERVER="$dir/run/cups.sock"
for _ in $(seq 100); do
    [ -S "$CUPS_SERVER" ] && lpstat -r >/dev/null 2>&1 && break
    sleep 0.05
done
lpadmin -p Slantvis -E -v "capture:$dir/capture" -D "Slantvis test printer" >/dev/null
lpadmin -d Slantvis >/dev/null

echo "export CUPS_SERVER='$CUPS_SERVER'"
echo "export SLANTVIS_PRINT_CAPTURE='$dir/capture'"
