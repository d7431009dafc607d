# The front door. `make test` builds everything and runs every test;
# `make play` builds Blastgrid.exe and starts it under Wine; `make
# play-native` builds the native Linux program and starts it; `make
# play-web` builds the web page and serves it on 127.0.0.1. Each first
# installs the Debian packages it needs when any is missing. `make dist`
# packs the released game into dist/Blastgrid-<version>-win32.zip and the
# web page into dist/Blastgrid-<version>-web.zip; `make deb`
# builds the native program's Debian package, dist/blastgrid_<version>_amd64.deb.
# `make install` installs the native program, its desktop entry, metainfo,
# icons and manual page under PREFIX (default /usr/local), within DESTDIR
# when it is set.

PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: test play play-native play-web dist deb install deps native-deps web-deps package-deps clean

test: deps
	tools/test-all.sh

play: deps
	tools/play.sh

play-native: native-deps
	tools/play-native.sh

play-web: web-deps
	tools/play-web.sh

dist: deps
	tools/dist.sh zip

deb: package-deps
	tools/dist.sh deb

install: native-deps
	cmake -S . -B build/install -G Ninja -DCMAKE_BUILD_TYPE=Release -DBLASTGRID_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX="$(PREFIX)" >/dev/null
	cmake --build build/install --target blastgrid
	DESTDIR="$(DESTDIR)" cmake --install build/install

deps:
	tools/install-deps.sh

native-deps:
	tools/install-deps.sh native

web-deps:
	tools/install-deps.sh web

package-deps:
	tools/install-deps.sh package

clean:
	rm -rf build dist
