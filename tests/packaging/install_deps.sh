#!/usr/bin/env bash
# scripts/install-deps where every package is installed but Node.js is older than 20 (Debian
# 12's own): the programs' set-up goes on, the browser edition's stops and says why.
#   install_deps.sh INSTALL-DEPS
set -u
source "$(dirname "$0")/../cli/harness.bash" "$1"
stubs="$work/bin"
mkdir "$stubs"
stub() { printf '#!/bin/sh\n%s\n' "$2" >"$stubs/$1" && chmod +x "$stubs/$1"; }
stub dpkg-query "printf 'install ok installed'"
stub locale "echo de_DE.utf8"
stub node '[ "$1" = --version ] && echo v18.19.0 || exit 1'
stub npm "true"
stub apt-get 'echo "apt-get $*" >&2; exit 9'
stub sudo 'echo "sudo $*" >&2; exit 9'
stub localedef 'echo "localedef $*" >&2; exit 9'

PATH="$stubs:$PATH" expect 0 "the programs' set-up with Node.js 18" "$1"
PATH="$stubs:$PATH" expect 1 "the browser edition's set-up with Node.js 18" "$1" --web
contains "$work/err" "needs Node.js 20 or later; this machine has v18.19.0"
finish "install-deps"
