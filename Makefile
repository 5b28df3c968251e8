# The two commands of the README. Everything else is CMake's.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test build setup

setup:
	@scripts/setup

build: setup
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/lumaKvex

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
