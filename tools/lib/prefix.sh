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

# brivane_prefix_colours_reg: the registry lines (REGEDIT4) of the colours
# in which Wine's scheme differs from Windows' where it matters here: links
# take the hot-track colour, which Windows has blue and Wine light grey (too
# pale on a grey face, so the program would draw its links in the text
# colour and the pictures would show other links than a user sees).
brivane_prefix_colours_reg() {
  printf '\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n"HotTrackingColor"="0 102 204"\n'
}

# brivane_prefix_dpi_valid DPI: whether DPI is a screen resolution Windows
# offers (96 to 480 dots per inch).
brivane_prefix_dpi_valid() { [[ $1 =~ ^[1-9][0-9]{1,2}$ ]] && (($1 >= 96 && $1 <= 480)); }

# brivane_prefix_high_contrast_reg: the registry lines (REGEDIT4) of a high
# contrast scheme, white text on black with yellow links as Windows' "High
# Contrast Black" has them, and the visual styles off, as Windows turns
# them off in high contrast. Wine reads the colours as each program starts.
brivane_prefix_high_contrast_reg() {
  local colours=(
    ActiveBorder='255 255 255' ActiveTitle='26 235 255' AppWorkSpace='0 0 0' Background='0 0 0'
    ButtonAlternateFace='0 0 0' ButtonDkShadow='255 255 255' ButtonFace='0 0 0' ButtonHilight='255 255 255'
    ButtonLight='192 192 192' ButtonShadow='128 128 128' ButtonText='255 255 255'
    GradientActiveTitle='26 235 255' GradientInactiveTitle='0 0 0' GrayText='63 242 63'
    Hilight='26 235 255' HilightText='0 0 0' HotTrackingColor='255 255 0' InactiveBorder='255 255 255'
    InactiveTitle='0 0 0' InactiveTitleText='63 242 63' InfoText='255 255 255' InfoWindow='0 0 0'
    Menu='0 0 0' MenuBar='0 0 0' MenuHilight='26 235 255' MenuText='255 255 255' Scrollbar='0 0 0'
    TitleText='0 0 0' Window='0 0 0' WindowFrame='255 255 255' WindowText='255 255 255'
  ) c
  printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Colors]\n'
  for c in "${colours[@]}"; do printf '"%s"="%s"\n' "${c%%=*}" "${c#*=}"; done
  printf '\n[HKEY_CURRENT_USER\\Control Panel\\Accessibility\\HighContrast]\n"Flags"="127"\n'
  printf '\n[HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\ThemeManager]\n"ThemeActive"="0"\n'
}
