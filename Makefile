# SPDX-License-Identifier: MIT
# The newcomer's door: `make run` and `make test` install what is missing first.
# A thin wrapper over CMakePresets.json; people who use CMake directly need none of it.

PRESET ?= release
FUZZ_SECONDS ?= 60

.PHONY: all deps deps-checks deps-package deps-windows deps-windows32 build test run bench \
        startup-bench asan fuzz lint check package windows windows-test windows-package \
        windows-bench windows32 windows32-test web deps-web web-test web-bench release \
        deps-release clean

all: build

deps:
	@scripts/install-deps

deps-checks:
	@scripts/install-deps checks

deps-package:
	@scripts/install-deps package

deps-windows:
	@scripts/install-deps windows

deps-windows32:
	@scripts/install-deps windows32

deps-web:
	@scripts/install-deps web

deps-release:
	@scripts/install-deps release

build: deps
	cmake --preset $(PRESET)
	cmake --build --preset $(PRESET)

test: build
	ctest --preset $(PRESET)

run: build
	build/$(PRESET)/pemdra

bench: build
	build/$(PRESET)/bench/core_bench
	bench/startup.sh build/$(PRESET)

# Every test again, built with AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

# Each fuzz target for FUZZ_SECONDS (60 by default).
fuzz: deps-checks
	cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/run-fuzz $(FUZZ_SECONDS)

# clang-format and clang-tidy.
lint: deps-checks build
	scripts/lint build/$(PRESET)

# What CI runs beside `make test`: sanitizers, 30 s of fuzzing a target, static checks.
check: deps-checks
	$(MAKE) lint
	$(MAKE) asan
	$(MAKE) fuzz FUZZ_SECONDS=30

# The .deb from the release build, checked as a distribution would and tried: lintian,
# appstreamcli, desktop-file-validate, its files, and its pemdra under Xvfb.
package: deps-package
	$(MAKE) build PRESET=release
	rm -f build/release/pemdra_*.deb
	cd build/release && cpack -G DEB
	scripts/check-package build/release/pemdra_*.deb

# pemdra.exe, cross-built with MinGW-w64 (build/windows/pemdra.exe).
windows: deps-windows
	cmake --preset windows
	cmake --build --preset windows

# The core's tests cross-built and run under Wine, the real window under Wine, and the
# Windows packages made, installed and uninstalled under Wine.
windows-test: windows
	ctest --preset windows

# What a Windows user downloads, from the release pemdra.exe (build/windows/package): the
# installer, the portable zip, the MSI, SHA256SUMS, the winget and Scoop manifests.
# PEMDRA_RELEASE_URL names where they will be published; PEMDRA_SIGN_CERT and
# PEMDRA_SIGN_KEY, a certificate and key to sign them with.
windows-package: windows
	cmake --build --preset windows --target windows_package

# The same for the 32-bit pemdra.exe (build/windows-i686), under Wine's 32-bit part
# (scripts/install-deps windows32 adds the i386 architecture for it).
windows32: deps-windows32
	cmake --preset windows-i686
	cmake --build --preset windows-i686

windows32-test: windows32
	ctest --preset windows-i686

# pemdra.exe's size and start-up under Wine, beside an empty Windows program.
windows-bench: windows build
	bench/win32/startup-wine.sh build/windows build/$(PRESET)

# The page: build/web/pemdra.html, one self-contained file, and build/web/app/, the same
# page as an installable web app. The core compiled to WebAssembly with Emscripten.
web: deps-web
	cmake --preset web -DPEMDRA_NATIVE_BUILD=$(CURDIR)/build/$(PRESET)
	cmake --build --preset web

# The WebAssembly core against the native one on 100 000 inputs (under Node), and the
# page in Chromium, WebKit and Firefox (two at a time).
web-test: build web
	ctest --preset web

# pemdra.html's size, its start-up against a plain page, a click to four lines painted;
# Lighthouse's scores for app/ on a phone and on a desktop.
web-bench: web
	/usr/bin/python3 bench/web/page_bench.py build/web
	/usr/bin/python3 bench/web/lighthouse.py build/web

# Every download of this commit's version, for Linux, Windows x64 and x86 and the browser,
# with SHA256SUMS and the winget and Scoop manifests, in build/dist/; built from nothing
# in build/release-work/, the same bytes from the same commit (docs/releasing.md).
release: deps-release
	scripts/release

clean:
	rm -rf build
