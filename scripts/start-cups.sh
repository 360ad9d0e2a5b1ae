#!/usr/bin/env bash
# Starts the CUPS scheduler when it is not running (no systemd needed) and adds the PDF queue
# "VelmoraPDF" that the print tests print through. cups-pdf writes every job of user U into
# /var/spool/cups-pdf/U, so that a test finds its file whatever the user's home folder is.
# Safe to run again.
set -euo pipefail

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

conf=/etc/cups/cups-pdf.conf
if ! grep -q '^Out /var/spool/cups-pdf/\${USER}$' "$conf"; then
  $sudo sed -i -e '/^Out /d' "$conf"
  echo 'Out /var/spool/cups-pdf/${USER}' | $sudo tee -a "$conf" >/dev/null
fi

if ! lpstat -r 2>/dev/null | grep -q 'is running'; then
  $sudo mkdir -p /run/cups
  $sudo cupsd
  for _ in $(seq 50); do
    lpstat -r 2>/dev/null | grep -q 'is running' && break
    sleep 0.2
  done
fi
lpstat -r | grep -q 'is running' || { echo "start-cups: the CUPS scheduler did not start" >&2; exit 1; }

if ! lpstat -p VelmoraPDF >/dev/null 2>&1; then
  $sudo lpadmin -p VelmoraPDF -E -v cups-pdf:/ -m lsb/usr/cups-pdf/CUPS-PDF_opt.ppd
fi
# Jobs reach cups-pdf as PostScript; the cairo renderer keeps their fonts as text, so the
# PDF it writes can be read back (the other renderers turn the letters into bare glyphs).
$sudo lpadmin -p VelmoraPDF -o pdftops-renderer-default=pdftocairo
$sudo cupsenable VelmoraPDF
$sudo cupsaccept VelmoraPDF
