# SPDX-License-Identifier: MIT
# The newcomer's door: `make test` and `make run` install what is missing first.
# A thin wrapper over CMakePresets.json; people who use CMake directly need none of it.

PRESET ?= release

.PHONY: all deps build test run bench clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

run: build
	build/$(PRESET)/pemdra

bench: build
	build/$(PRESET)/bench/core_bench

clean:
	rm -rf build
