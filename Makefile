# The front door. `make test` builds everything and runs every test;
# `make play` builds Blastgrid.exe and starts it under Wine; `make
# play-native` builds the native Linux program and starts it; `make
# play-web` builds the web page and serves it on 127.0.0.1. Each first
# installs the Debian packages it needs when any is missing. `make dist`
# packs the released game into dist/Blastgrid-<version>-win32.zip.

.PHONY: test play play-native play-web dist deps native-deps web-deps clean

test: deps
	tools/test-all.sh

play: deps
	tools/play.sh

play-native: native-deps
	tools/play-native.sh

play-web: web-deps
	tools/play-web.sh

dist: deps
	tools/dist.sh

deps:
	tools/install-deps.sh

native-deps:
	tools/install-deps.sh native

web-deps:
	tools/install-deps.sh web

clean:
	rm -rf build dist
