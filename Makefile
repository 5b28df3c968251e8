# The README's two set-up commands are run and test; the other targets are extras.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)
# The build runs make again inside; its "Entering directory" lines tell nobody anything.
MAKEFLAGS += --no-print-directory

.PHONY: run test build configure setup package screenshots

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
