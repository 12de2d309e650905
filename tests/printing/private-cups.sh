#!/usr/bin/env bash
# A print spooler of the tests' own: its configuration, spool, logs and the
# virtual PDF printer's output all live below one temporary folder, and it
# listens only on a socket there, so the machine's printers and spooler are
# never involved.
#
#   private-cups.sh start DIR   -> prints the socket path; queue "QuendaPDF"
#   private-cups.sh stop DIR
#
# The PDF back end reads its settings from a fixed system path; the spooler
# runs in a mount namespace of its own in which a private copy is bound over
# that path, so the output folder is DIR/out without changing the machine.
set -euo pipefail
cmd=${1:?start or stop}
dir=${2:?folder}
queue=QuendaPDF
ppd=/usr/share/ppd/cups-pdf/CUPS-PDF_opt.ppd
sock=$dir/cups.sock

case $cmd in
start)
  for tool in cupsd lpadmin unshare; do
    command -v "$tool" >/dev/null || { echo "missing $tool" >&2; exit 3; }
  done
  [[ -x /usr/lib/cups/backend/cups-pdf && -f $ppd ]] || { echo "missing the PDF printer driver" >&2; exit 3; }
  [[ $(id -u) -eq 0 ]] || { echo "the spooler's PDF back end needs root" >&2; exit 3; }
  mkdir -p "$dir"/{root/ppd,spool/tmp,cache,state,log,out,pdfspool}
  chmod 0755 "$dir" "$dir/root" "$dir/root/ppd" "$dir/cache" "$dir/state" "$dir/log"
  chmod 0777 "$dir/out" "$dir/pdfspool"
  chgrp lp "$dir/spool" "$dir/spool/tmp" 2>/dev/null || true
  chmod 0770 "$dir/spool"
  chmod 1777 "$dir/spool/tmp"
  cat >"$dir/cupsd.conf" <<CONF
LogLevel info
Listen $sock
Browsing No
WebInterface No
DefaultAuthType None
MaxJobs 50
PreserveJobFiles No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
  cat >"$dir/cups-files.conf" <<CONF
ServerRoot $dir/root
RequestRoot $dir/spool
TempDir $dir/spool/tmp
CacheDir $dir/cache
StateDir $dir/state
ServerBin /usr/lib/cups
DataDir /usr/share/cups
AccessLog $dir/log/access_log
ErrorLog $dir/log/error_log
PageLog $dir/log/page_log
SystemGroup root
FileDevice No
Printcap $dir/printcap
ServerKeychain $dir/ssl
Sandboxing Relaxed
CONF
  cat >"$dir/cups-pdf.conf" <<CONF
Out $dir/out
AnonDirName $dir/out
Spool $dir/pdfspool
Log $dir/log
Grp root
UserUMask 0000
DecodeHexStrings 1
CONF
  # The namespace lives as long as the spooler; the bind mount goes with it.
  unshare --mount --propagation private bash -c '
    mount --bind "$1" /etc/cups/cups-pdf.conf || exit 4
    exec cupsd -f -c "$2" -s "$3"' _ "$dir/cups-pdf.conf" "$dir/cupsd.conf" "$dir/cups-files.conf" \
    >"$dir/log/cupsd.out" 2>&1 &
  echo $! >"$dir/spooler.pid"
  for _ in $(seq 100); do
    [[ -S $sock ]] && break
    kill -0 "$(cat "$dir/spooler.pid")" 2>/dev/null || { cat "$dir/log/cupsd.out" >&2; exit 4; }
    sleep 0.05
  done
  [[ -S $sock ]] || { echo "spooler did not start" >&2; exit 4; }
  lpadmin -h "$sock" -p "$queue" -E -v cups-pdf:/ -P "$ppd" -o printer-error-policy=abort-job
  lpadmin -h "$sock" -d "$queue"
  echo "$sock"
  ;;
stop)
  if [[ -f $dir/spooler.pid ]]; then
    pid=$(cat "$dir/spooler.pid")
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.05; done
    kill -9 "$pid" 2>/dev/null || true
    rm -f "$dir/spooler.pid"
  fi
  ;;
esac
