#!/bin/sh
# A private CUPS server with one cups-pdf printer, for the printing test.
#   cups_pdf_printer.sh start DIR QUEUE   starts cupsd on DIR/cups.sock and adds QUEUE
#   cups_pdf_printer.sh stop DIR          stops it
# cups-pdf writes where /etc/cups/cups-pdf.conf says (by default ~/PDF of the
# user who prints); the document as the program sent it stays in
# DIR/spool/d*-001. Exits 77 when cupsd or cups-pdf is not installed.
set -eu
command_name=$1
dir=$2
case "$command_name" in
start)
  queue=$3
  ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
  for need in /usr/sbin/cupsd /usr/sbin/lpadmin /usr/lib/cups/backend/cups-pdf "$ppd"; do
    [ -e "$need" ] || { echo "missing $need"; exit 77; }
  done
  mkdir -p "$dir/spool/tmp" "$dir/cache" "$dir/state" "$dir/ppd"
  chmod 0755 "$dir" "$dir/spool" "$dir/cache" "$dir/state"
  chmod 1777 "$dir/spool/tmp"
  cat >"$dir/cupsd.conf" <<CONF
Listen $dir/cups.sock
LogLevel warn
WebInterface No
Browsing No
PreserveJobFiles Yes
<Location />
  Order allow,deny
  Allow all
</Location>
CONF
  cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ErrorLog $dir/error_log
AccessLog $dir/access_log
PageLog $dir/page_log
FileDevice No
Sandboxing Relaxed
CONF
  /usr/sbin/cupsd -c "$dir/cupsd.conf" -s "$dir/cups-files.conf"
  for _ in $(seq 50); do
    [ -S "$dir/cups.sock" ] && break
    sleep 0.1
  done
  # lpadmin warns that printer drivers are deprecated: keep that out of the test's output.
  /usr/sbin/lpadmin -h "$dir/cups.sock" -p "$queue" -v cups-pdf:/ -P "$ppd" -E 2>"$dir/lpadmin.log"
  ;;
stop)
  pid=$(cat "$dir/state/cupsd.pid" 2>/dev/null || true)
  [ -z "$pid" ] || kill "$pid" 2>/dev/null || true
  ;;
esac
