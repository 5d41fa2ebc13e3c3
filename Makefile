# Two commands: `make play` and `make test`. Both install what is missing
# from Debian, build with CMake and Ninja, and generate the media.

BUILD ?= build
ASAN_BUILD ?= build-asan
JOBS ?= $(shell nproc)

PACKAGES := cmake ninja-build g++ make pkg-config \
	libgtest-dev googletest \
	libgl1-mesa-dev libgl1-mesa-dri libglx-mesa0 libegl-mesa0 libglu1-mesa-dev freeglut3-dev libegl-dev libx11-dev \
	libsdl2-mixer-dev libmp3lame-dev libpng-dev \
	xvfb xauth xserver-xorg-core xserver-xorg-video-dummy x11-xserver-utils \
	libxtst-dev libxxf86vm-dev \
	clang-14 libclang-rt-14-dev valgrind

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: play test test-asan build deps clean

deps:
	@missing=$$(for p in $(PACKAGES); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -G Ninja
	cmake --build $(BUILD) -j $(JOBS)

# Without a reachable X display there is nothing to play on: one line, then
# a non-zero exit.
play: build
	$(if $(shell [ -n "$$DISPLAY" ] && xset q >/dev/null 2>&1 && echo ok),,\
		$(error skycourse: no display (DISPLAY is unset or unreachable); run `make play` on an X desktop))
	cd $(BUILD)/game && ./skycourse

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The whole suite again, built with AddressSanitizer and UBSan; any report
# fails its test. -O1 and line tables only: the sanitizers' usual choice,
# and it keeps the second build short on CI's two cores. Leaks are checked, except in the programs that load the GL
# driver (see tests/CMakeLists.txt).
test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DSKYCOURSE_ASAN=ON -DCMAKE_BUILD_TYPE=Debug \
		"-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1"
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(ASAN_BUILD) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD)
