# What a private Wine prefix holds beyond what Wine makes of it: Wine's own
# fonts, and the screen's dots per inch. Used by tools/wine-prefix.

# Where Debian's fonts-wine puts the faces Wine ships (MS Sans Serif, Tahoma,
# ...). The Wine of Debian 12 looks for them beside that folder, not in it,
# so without a link in the prefix every face becomes a Linux one.
brivane_wine_fonts=/usr/share/wine/fonts

# brivane_prefix_fonts PREFIX: Wine's fonts are linked into the prefix's
# Fonts folder, where Wine always looks; fonts already there stay.
brivane_prefix_fonts() {
  local fonts=$1/drive_c/windows/Fonts
  [[ -d $brivane_wine_fonts ]] || return 0
  mkdir -p "$fonts"
  cp -s -n "$brivane_wine_fonts"/* "$fonts/" 2>/dev/null || true
}

# brivane_prefix_dpi_reg DPI: the registry lines (REGEDIT4) that set the
# screen's dots per inch of the prefix; Wine reads them as each program
# starts.
brivane_prefix_dpi_reg() {
  printf '[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$1"
}

# brivane_prefix_dpi_valid DPI: whether DPI is a screen resolution Windows
# offers (96 to 480 dots per inch).
brivane_prefix_dpi_valid() { [[ $1 =~ ^[1-9][0-9]{1,2}$ ]] && (($1 >= 96 && $1 <= 480)); }
