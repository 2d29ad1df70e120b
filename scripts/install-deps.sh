#!/usr/bin/env bash
# Installs what the build needs when it is missing, so that a fresh Debian
# machine needs nothing else, and WordNet's database (wordnet-base), which
# zorvez suggest reads at run time and the lexicon benchmark loads. Pass
# extra package names to install them too; with --no-recommends first, only
# what they depend on comes along.
set -eu
install_options=(-y)
if [ "${1:-}" = "--no-recommends" ]; then
  install_options+=(--no-install-recommends)
  shift
fi
needed=(g++ cmake make pkg-config libexpat1-dev libgtest-dev nlohmann-json3-dev libutf8proc-dev libstemmer-dev
  libcpp-httplib-dev
  python3-jsonschema python3-rfc3987 wordnet-base "$@")
missing=()
for pkg in "${needed[@]}"; do
  dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
# Others may be using apt on the same machine: wait for their lock.
apt=(apt-get -o DPkg::Lock::Timeout=600)
$sudo "${apt[@]}" update
$sudo env DEBIAN_FRONTEND=noninteractive "${apt[@]}" install "${install_options[@]}" "${missing[@]}"
