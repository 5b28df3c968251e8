# The README's two set-up commands are run and test; the other targets are extras.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
# The build runs make again inside; its "Entering directory" lines tell nobody anything.
MAKEFLAGS += --no-print-directory

.PHONY: run test build configure setup package screenshots windows windows-test

setup:
	@scripts/setup

configure: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null

# Everything: the program, its tests, benchmarks and tools.
build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Running needs only the program, its help file and the notes beside it.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target lumaKvex hinweise_txt
	$(BUILD_DIR)/lumaKvex

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# Not part of the set-up: the Debian package, and the pictures of the windows for the
# README and the software centre entry (written into docs/screenshots).
package: build
	cd $(BUILD_DIR) && cpack -G DEB

screenshots: build
	cmake --build $(BUILD_DIR) --target screenshots

# The Windows program, cross-built here (scripts/setup-windows builds its Qt once):
# build-windows/lumaKvex-3.0-win64.zip and build-windows/lumaKvex-3.0-setup.exe.
windows:
	@scripts/build-windows

# The Windows program's tests under Wine, the installer's included (after the Linux gates in CI).
windows-test:
	@scripts/build-windows all windows_packages
	cd build-windows && ctest --output-on-failure -j $(JOBS)
