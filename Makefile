# The front door. `make test` builds everything and runs every test;
# `make play` builds Blastgrid.exe and starts it under Wine; `make
# play-native` builds the native Linux program and starts it. Each first
# installs the Debian packages it needs when any is missing. `make dist`
# packs the released game into dist/Blastgrid-<version>-win32.zip; `make deb`
# builds the native program's Debian package, dist/blastgrid_<version>_amd64.deb.
# `make install` installs the native program, its desktop entry, metainfo,
# icons and manual page under PREFIX (default /usr/local), within DESTDIR
# when it is set.

PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: test play play-native dist deb install deps native-deps package-deps clean

test: deps
	tools/test-all.sh

play: deps
	tools/play.sh

play-native: native-deps
	tools/play-native.sh

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

package-deps:
	tools/install-deps.sh package

clean:
	rm -rf build dist
