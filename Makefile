# Two commands: `make play` and `make test`. Both install what is missing
# from Debian, build with CMake and Ninja, and generate the media. `make
# demo` watches the recorded route; `make film` makes a video of it. `make
# package` builds the Debian package, skycourse_<version>_<arch>.deb.

BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ make pkg-config \
	libgtest-dev googletest libbenchmark-dev \
	libgl1-mesa-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0 libglu1-mesa-dev freeglut3-dev libegl-dev libx11-dev \
	libsdl2-mixer-dev libmp3lame-dev libpng-dev \
	xvfb xauth xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils \
	libxtst-dev libxxf86vm-dev \
	clang-14 libclang-rt-14-dev valgrind \
	man-db groff-base desktop-file-utils appstream

# What building and checking the package needs beyond the build itself.
PACKAGE_TOOLS := dpkg-dev debhelper fakeroot lintian

# Only the film needs these; the tests do not.
FILM_PACKAGES := ffmpeg

# The browser build: Debian's emscripten (and the node it runs on), FLAC
# for the page's sounds, and the Chromium the page's tests drive.
WEB_BUILD ?= build-web
WEB_PACKAGES := emscripten nodejs node-acorn flac chromium python3
WEB_PORT ?= 8000
# Debian's emcc needs Debian's acorn, which the image's node may not see.
EMSCRIPTEN_ENV := NODE_PATH=/usr/share/nodejs

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

# What `make demo` passes to the game, e.g. DEMO_OPTIONS="--window --speed 4".
DEMO_OPTIONS ?=

# Where `make package` leaves the .deb.
DEB_DIR ?= $(CURDIR)

.PHONY: play demo film test test-asan test-package package bench build deps film-deps package-deps web web-deps serve-web clean

# Installs the packages of the list $(1) that are missing.
define install_missing
	@missing=$$(for p in $(1); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

film-deps:
	$(call install_missing,$(FILM_PACKAGES))

web-deps:
	$(call install_missing,$(WEB_PACKAGES))

package-deps:
	$(call install_missing,$(PACKAGES) $(PACKAGE_TOOLS))

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

# Without a reachable X display there is nothing to play on: one line, then
# a non-zero exit.
need_display = $(if $(shell [ -n "$$DISPLAY" ] && xset q >/dev/null 2>&1 && echo ok),,\
	$(error skycourse: no display (DISPLAY is unset or unreachable); run `make $@` on an X desktop))

play: build
	$(need_display)
	cd $(BUILD)/game && ./skycourse

# The recorded route from the start pad to the end picture, in the game;
# Esc ends it.
demo: build
	$(need_display)
	cd $(BUILD)/game && ./skycourse --watch $(CURDIR)/tests/routes/full-course.replay $(DEMO_OPTIONS)

film: build film-deps
	tools/route-film.sh $(BUILD) docs/route-film.mp4

# The page: the game compiled to WebAssembly into $(WEB_BUILD)/, with its
# page, its media (made by the desktop build's generator, then packed) and
# the replay tool for node.
web: deps web-deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS) --target media courses web_icons
	$(EMSCRIPTEN_ENV) emcmake cmake -S app/web -B $(WEB_BUILD)/obj -G Ninja -DMEDIA_DIR=$(CURDIR)/$(BUILD)/game
	$(EMSCRIPTEN_ENV) cmake --build $(WEB_BUILD)/obj -j $(JOBS)

serve-web: web
	@echo "skycourse: serving $(WEB_BUILD)/ on http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops it)"
	@python3 -m http.server $(WEB_PORT) --bind 127.0.0.1 --directory $(WEB_BUILD) >/dev/null 2>&1 || \
		{ echo "skycourse: cannot serve on port $(WEB_PORT) (taken? try make serve-web WEB_PORT=8001)"; exit 1; }

# The package test installs the package on this machine: it has a make
# target of its own, run as root (CI runs it after this one). The page's
# tests drive it in Chromium, so the page is built first.
test: build web
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS) -LE package

test-package: build package-deps
	ctest --test-dir $(BUILD) --verbose -L package

# dpkg-buildpackage writes beside the folder it builds: a copy of the
# sources under $(BUILD)/package/ keeps that out of the source tree's
# parent. debian/changelog is written here, so that the package's version
# is the one in CMakeLists.txt's project().
PACKAGE_SOURCE = $(BUILD)/package/skycourse
package: package-deps
	rm -rf $(BUILD)/package
	mkdir -p $(PACKAGE_SOURCE)
	tar -c --exclude=./.git --exclude='./build*' --exclude='./*.deb' . | tar -x -C $(PACKAGE_SOURCE)
	version=$$(sed -n 's/^project(skycourse VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt); \
	test -n "$$version" || { echo "package: no version in CMakeLists.txt's project()"; exit 1; }; \
	date=$$(git log -1 --format=%aD 2>/dev/null || date -R); \
	sed -e "s/@VERSION@/$$version/" -e "s/@DATE@/$$date/" debian/changelog.in > $(PACKAGE_SOURCE)/debian/changelog
	rm $(PACKAGE_SOURCE)/debian/changelog.in
	cd $(PACKAGE_SOURCE) && DEB_BUILD_OPTIONS="nocheck parallel=$(JOBS)" dpkg-buildpackage -us -uc -b
	mkdir -p $(DEB_DIR)
	cp $(BUILD)/package/skycourse_*.deb $(DEB_DIR)/
	@ls $(DEB_DIR)/skycourse_*.deb

# What a tick, the start-up and a frame cost (one table: median, fastest and
# slowest of nine repetitions), then the real game's frame rate and CPU share
# under a private X server (needs root for Xorg).
bench: build
	$(BUILD)/tools/bench/skycourse-bench --benchmark_repetitions=9 --benchmark_min_time=0.2
	tools/bench/game-cost.sh $(BUILD)

# The whole suite again, built with AddressSanitizer and UBSan; any report
# fails its test. -O1 and line tables only: the sanitizers' usual choice,
# and it keeps the second build short on CI's two cores. Leaks are checked, except in the programs that load the GL
# driver (see tests/CMakeLists.txt).
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DSKYCOURSE_ASAN=ON -DCMAKE_BUILD_TYPE=Debug \
		"-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS) -LE package

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
