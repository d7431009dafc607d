# The front door. `make test` builds everything and runs every test;
# `make play` builds Blastgrid.exe and starts it. Both first install the
# Debian packages they need when any is missing.

.PHONY: test play deps clean

test: deps
	tools/test-all.sh

play: deps
	tools/play.sh

deps:
	tools/install-deps.sh

clean:
	rm -rf build
