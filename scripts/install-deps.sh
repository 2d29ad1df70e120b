#!/usr/bin/env bash
# Installs what the build needs when it is missing, so that a fresh Debian
# machine needs nothing else. Pass extra package names to install them too.
set -eu
needed=(g++ cmake make libexpat1-dev libgtest-dev nlohmann-json3-dev python3-jsonschema "$@")
missing=()
for pkg in "${needed[@]}"; do
  dpkg -s "$pkg" >/dev/null 2>&1 || missing+=("$pkg")
done
[ ${#missing[@]} -eq 0 ] && exit 0
sudo=""
[ "$(id -u)" -ne 0 ] && sudo="sudo"
$sudo apt-get update
$sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y "${missing[@]}"
