# Two commands for a fresh Debian machine: `make run` and `make test`.

MAKEFLAGS += --no-print-directory

BUILD         := build
ASAN_BUILD    := build-asan
RELEASE_BUILD := build-release
JOBS          := $(shell nproc 2>/dev/null || echo 2)
# The first line: the build. The second: Qt's own translations (its standard
# dialogs and menus in Russian), the serif font and the virtual X server of
# the tests. The third line: the Debian package (dpkg-dev and file for its
# computed dependencies) and the validators of the desktop entry and the
# metainfo.
# The last two: the desktops the end-to-end tests run on (window managers with
# KWin's usual title bars, a Wayland compositor with Qt's Wayland plugin) and
# what starts and watches them (a session bus, xprop).
PACKAGES      := cmake make g++ pkg-config qt6-base-dev qt6-charts-dev libqt6opengl6-dev libgl-dev libjpeg-dev libsqlite3-dev libwayland-dev liblcms2-dev libnlopt-dev \
              qt6-translations-l10n fonts-liberation libx11-dev libxrandr-dev xvfb xauth xdotool \
              dpkg-dev file desktop-file-utils appstream \
              openbox mutter kwin-x11 kwin-style-breeze weston qt6-wayland \
              dbus-daemon dbus-bin x11-utils

.PHONY: run test packages build build-asan build-release clean

# The project's own builds treat warnings as errors.
OWN_OPTIONS := -DKESTRANI_WERROR=ON

# The display is checked first: without one, nothing is installed or built.
run:
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "No display: Kestrani is a desktop program and needs one."; \
	  echo "Run it from a desktop session (DISPLAY set), or in a virtual X server:"; \
	  echo "  xvfb-run -s '-screen 0 1024x768x24' make run"; \
	  exit 1; \
	fi
	@tools/ensure-packages.sh $(PACKAGES)
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(OWN_OPTIONS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS) --target kestrani
	./$(BUILD)/app/kestrani

# The release build is the one a distribution makes: the program alone, with
# the compiler's warnings shown but never fatal.
test: build build-asan build-release
	cd $(BUILD) && ctest --output-on-failure -j$(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --output-on-failure -j$(JOBS) -L 'core|widget'

packages:
	@tools/ensure-packages.sh $(PACKAGES)

build: packages
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(OWN_OPTIONS) >/dev/null
	@cmake --build $(BUILD) -j$(JOBS)

build-asan: packages
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DKESTRANI_SANITIZE=ON $(OWN_OPTIONS) >/dev/null
	@cmake --build $(ASAN_BUILD) -j$(JOBS) --target kestrani_asan_tests

build-release: packages
	@cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DKESTRANI_BUILD_TESTS=OFF >/dev/null
	@cmake --build $(RELEASE_BUILD) -j$(JOBS) --target kestrani

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD)
