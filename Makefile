# Quillmoor MM: `make test` and `make run` work on a fresh Debian 12 machine;
# both install what is missing first (scripts/setup-deps).

BUILD   := build
NATIVE  := $(BUILD)/native
WIN32   := $(BUILD)/win32
WIN64   := $(BUILD)/win64
SANITIZE := $(BUILD)/sanitize
JOBS    ?= 2
FUZZ_SECONDS ?= 60

# The Windows tests run on the Wine this host can run: x86, the 32-bit
# program under 32-bit Wine, or x64, a 64-bit build of the same sources
# under 64-bit Wine where the host runs no 32-bit code. scripts/wine-arch
# probes once; WINE_ARCH=x86 or WINE_ARCH=x64 chooses instead. The 32-bit
# program in $(WIN32) is built, and its file checked, either way.
ifeq ($(origin WINE_ARCH),undefined)
WINE_ARCH := $(shell scripts/wine-arch)
WINE_ARCH_PROBED := yes
endif
export WINE_ARCH WINE_ARCH_PROBED
ifeq ($(WINE_ARCH),x64)
WINDOWS := $(WIN64)
TREES   := "native" "win32" "win64" "sanitize"
else
WINDOWS := $(WIN32)
TREES   := "native" "win32" "sanitize"
endif
PREFIX  := $(WINDOWS)/wineprefix

.PHONY: all setup build native win32 win64 sanitize test test-wine10 fuzz bench run dist clean

all: build

setup:
	@scripts/wine-arch --explain
	@scripts/setup-deps

build: setup native $(if $(filter x64,$(WINE_ARCH)),win32 win64,win32) sanitize

native:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The program that ships; with the Windows tests where they run 32-bit,
# whose host program the native tree builds.
win32: native
	@cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake \
	    -DQUILL_WINDOWS_TESTS=$(if $(filter x86,$(WINE_ARCH)),ON,OFF) >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

# The same sources for 64-bit Wine: the Windows tests of the x64 choice.
win64: native
	@cmake -S . -B $(WIN64) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-x86_64.cmake >/dev/null
	@cmake --build $(WIN64) -j $(JOBS)

# The core and the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets; clang, for libFuzzer.
sanitize:
	@CC=clang CXX=clang++ cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DQUILL_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE) -j $(JOBS)

# One CTest run over all trees, so that it ends with one summary line.
test: build
	@printf 'subdirs(%s)\n' '$(TREES)' > $(BUILD)/CTestTestfile.cmake
	@scripts/wine-run $(CURDIR)/$(PREFIX) --init
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS); status=$$?; \
	    ../scripts/wine-run $(CURDIR)/$(PREFIX) --kill; exit $$status

# The end-to-end suite again under Debian 13's Wine 10, against the same
# programs, in a Debian 13 system made once in $(BUILD)/wine10 (debootstrap;
# some minutes the first time). Not part of test.
test-wine10: setup $(notdir $(WINDOWS))
	@scripts/test-wine10 $(CURDIR)/$(BUILD)/wine10 $(CURDIR) $(CURDIR)/$(WINDOWS) \
	    $(CURDIR)/$(NATIVE)/tests/e2e/quill_e2e_seed

# Each fuzz target for FUZZ_SECONDS, going on from what earlier runs found
# ($(BUILD)/fuzz/<target>/corpus); any crashing input is kept there too.
fuzz: setup sanitize
	@scripts/fuzz $(FUZZ_SECONDS) $(CURDIR)/$(BUILD)/fuzz $(CURDIR)/tests/fuzz \
	    $(CURDIR)/$(SANITIZE)/tests/fuzz/fuzz_ignore_list \
	    $(CURDIR)/$(SANITIZE)/tests/fuzz/fuzz_mod_scan \
	    $(CURDIR)/$(SANITIZE)/tests/fuzz/fuzz_full_path

# Scan, start-up and footprint figures, natively and under Wine: a table on
# the terminal and CSV in $(BUILD)/bench/. It measures; it passes or fails
# nothing on a time.
bench: build
	@scripts/bench $(CURDIR)/$(BUILD) $(CURDIR)/$(WINDOWS)

run: build
	@scripts/run-demo $(CURDIR)/$(BUILD) $(CURDIR)/$(WINDOWS)

# The release package: dist/QuillmoorMM/ and dist/QuillmoorMM-<version>.zip,
# from a fresh build in $(BUILD)/release.
dist: setup
	@JOBS=$(JOBS) scripts/make-dist $(CURDIR)/$(BUILD)/release $(CURDIR)/dist

clean:
	rm -rf $(BUILD)
