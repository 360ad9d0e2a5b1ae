# Sourced by the package checks: strict mode, the checks' folder ($here), the build folder
# given as the first argument ($build), a scratch folder removed at the end, and fail.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
build=$(cd "${1:?usage: $(basename "$0") <build folder>}" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
