#!/usr/bin/env bash
# Runs tests/robots/web-robot.py with a Python that has Debian's selenium (the
# system's python3, where another python3 comes first on the PATH).
set -euo pipefail
here=$(dirname "$0")
for python in python3 /usr/bin/python3; do
  if "$python" -c 'import selenium' 2>/dev/null; then
    exec "$python" "$here/web-robot.py" "$@"
  fi
done
echo "web-robot.sh: no python3 with selenium: install python3-selenium (tools/install-deps.sh web)" >&2
exit 1
