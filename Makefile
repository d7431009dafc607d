# The front door. `make test` builds everything and runs every test;
# `make play` builds Blastgrid.exe and starts it. Both first install the
# Debian packages they need when any is missing. `make dist` packs the
# released game into dist/Blastgrid-<version>-win32.zip.

.PHONY: test play dist deps clean

test: deps
	tools/test-all.sh

play: deps
	tools/play.sh

dist: deps
	tools/dist.sh

deps:
	tools/install-deps.sh

clean:
	rm -rf build dist
