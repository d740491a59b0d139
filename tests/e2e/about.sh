#!/usr/bin/env bash
# End-to-end tests of the About window: the real program under Wine
# opens it from the Help menu through tools/press-button and opens its two
# links by a click and by the keyboard; the browser's stand-in, registered
# for http and mailto, records what the shell handed over. Each case's expected lines are in
# about/CASE.expected.
#   about.sh [win32|win64]   (default: win32, the build users install)
# Inside tools/test it uses that run's X display and Wine session; alone it
# starts its own. Ends with "N passed, N failed"; non-zero on failure.
set -euo pipefail
BRIVANE_TOOL=about
E2E_TARGET=${1:-}
source "$(dirname "${BASH_SOURCE[0]}")/../../tools/lib/e2e.sh"

expect_shown links "both links reach the shell: the web page and a mailto: to support" 'url|msgbox' \
  --about "link; mail; ok"

expect_shown keyboard "Tab reaches each link after OK, in the order they read; Enter and Space open them" \
  'focus|url|msgbox' --about "tab; enter; tab; space; tab; ok"

expect_shown esc "Esc closes it; the main window takes the press again" 'url|msgbox' \
  --about "cancel" --street '1 Main Street' --city Springfield --country 'United States' --press

e2e_summary
