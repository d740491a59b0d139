# Upstream sources the Windows builds compile (cmake/sources.txt names
# them): each tarball is fetched from Debian's source archive with apt,
# through a private apt configuration that leaves the system's sources
# alone, checked against the SHA-256 and size pinned in sources.txt (which
# must also be the ones Debian's .dsc gives), and kept in the cache folder
# outside the source tree. As root, missing ones are fetched; otherwise the
# command is named. Needs common.sh.

_brivane_sources_facts=$BRIVANE_ROOT/cmake/sources.txt

# brivane_source_fact NAME KEY: a fact of sources.txt ("qrcodegen" "sha256").
brivane_source_fact() {
  sed -n "s/^$1\.$2=//p" "$_brivane_sources_facts" | head -n 1
}

# The cache folder: BRIVANE_SOURCE_CACHE, or the one sources.txt names.
brivane_source_cache() {
  printf '%s\n' "${BRIVANE_SOURCE_CACHE:-$(sed -n 's/^cache=//p' "$_brivane_sources_facts")}"
}

# brivane_source_path NAME: where the tarball of NAME lies once fetched.
brivane_source_path() { printf '%s/%s\n' "$(brivane_source_cache)" "$(brivane_source_fact "$1" tarball)"; }

# The names of the sources, one a line.
brivane_source_names() { sed -n 's/^\([a-z0-9_-]*\)\.tarball=.*/\1/p' "$_brivane_sources_facts"; }

# brivane_source_ok NAME FILE: whether FILE has the pinned size and SHA-256.
brivane_source_ok() {
  local file=$2
  [[ -f $file ]] || return 1
  [[ $(stat -c %s "$file") == "$(brivane_source_fact "$1" size)" ]] || return 1
  [[ $(sha256sum "$file" | cut -d' ' -f1) == "$(brivane_source_fact "$1" sha256)" ]]
}

# _brivane_archive_uri RELEASE: the archive (mirror) the system's own apt
# sources name for RELEASE's main component, so the sources come from
# where its packages come from.
_brivane_archive_uri() {
  local release=$1
  {
    # One-line entries: "deb [options] URI SUITE COMPONENTS...".
    cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null |
      sed -E 's/\[[^]]*\]//' | awk -v r="$release" '$1 == "deb" && $3 == r {
        for (i = 4; i <= NF; i++) if ($i == "main") { print $2; break } }'
    # deb822 entries: stanzas of "Key: value" lines.
    cat /etc/apt/sources.list.d/*.sources 2>/dev/null | awk -v r="$release" '
      function flush() {
        if (types ~ /(^| )deb( |$)/ && (" " suites " ") ~ (" " r " ") && (" " comps " ") ~ / main /) {
          split(uris, u, " "); print u[1]
        }
        types = uris = suites = comps = ""
      }
      /^[[:space:]]*$/ { flush(); next }
      /^#/ { next }
      { key = tolower($1); sub(/^[^:]*:[[:space:]]*/, "") }
      key == "types:" { types = $0 } key == "uris:" { uris = $0 }
      key == "suites:" { suites = $0 } key == "components:" { comps = $0 }
      END { flush() }'
  } | head -n 1
}

# brivane_fetch_source NAME: fetches NAME's tarball into the cache folder.
# Debian's packaging tarball is not needed and may answer 404, so apt's exit
# status says nothing: the tarball and the .dsc are checked instead.
brivane_fetch_source() {
  local name=$1 dir package version tarball sha size dsc
  package=$(brivane_source_fact "$name" package)
  version=$(brivane_source_fact "$name" version)
  tarball=$(brivane_source_fact "$name" tarball)
  sha=$(brivane_source_fact "$name" sha256)
  size=$(brivane_source_fact "$name" size)
  dir=$(mktemp -d)
  chmod 755 "$dir"
  mkdir -p "$dir/lists/partial" "$dir/cache/archives/partial"
  local archive release
  release=$(. /etc/os-release && printf '%s' "${VERSION_CODENAME:-}")
  archive=$(_brivane_archive_uri "$release")
  [[ -n $release && -n $archive ]] ||
    brivane_die "no Debian archive with the main component of ${release:-this release} among apt's sources"
  printf 'Types: deb-src\nURIs: %s\nSuites: %s\nComponents: main\nSigned-By: %s\n' \
    "$archive" "$release" /usr/share/keyrings/debian-archive-keyring.gpg >"$dir/deb-src.sources"
  local apt=(apt-get -q -o "Dir::Etc::SourceList=$dir/deb-src.sources" -o Dir::Etc::SourceParts=/dev/null
    -o "Dir::State::Lists=$dir/lists" -o "Dir::Cache=$dir/cache")
  brivane_say "fetching $tarball from Debian's source archive"
  (cd "$dir" && "${apt[@]}" update && "${apt[@]}" source --download-only "$package") \
    </dev/null >"$dir/apt.log" 2>&1 || true
  dsc=$(find "$dir" -maxdepth 1 -name "${package}_${version}-*.dsc" | head -n 1)
  if [[ -z $dsc ]] || ! grep -qE "^ $sha $size $tarball\$" "$dsc"; then
    brivane_show_log "$dir/apt.log"
    rm -rf "$dir"
    brivane_die "Debian's .dsc of $package $version does not name $tarball with the SHA-256 in cmake/sources.txt"
  fi
  if ! brivane_source_ok "$name" "$dir/$tarball"; then
    brivane_show_log "$dir/apt.log"
    rm -rf "$dir"
    brivane_die "$tarball did not arrive, or is not the one cmake/sources.txt pins (SHA-256 $sha, $size bytes)"
  fi
  mkdir -p "$(brivane_source_cache)"
  install -m 644 "$dir/$tarball" "$(brivane_source_path "$name")"
  rm -rf "$dir"
}

# brivane_require_sources: every source of sources.txt in the cache folder
# and intact; fetched as root, named otherwise.
brivane_require_sources() {
  local name path
  for name in $(brivane_source_names); do
    path=$(brivane_source_path "$name")
    brivane_source_ok "$name" "$path" && continue
    [[ $(id -u) -eq 0 ]] ||
      brivane_die "the upstream source $path is missing or damaged (run this as root to fetch it, or tools/fetch-sources as root)"
    brivane_fetch_source "$name"
  done
}
