# Quillmoor MM: `make test` and `make run` work on a fresh Debian 12 machine;
# both install what is missing first (scripts/setup-deps).

BUILD   := build
NATIVE  := $(BUILD)/native
WIN32   := $(BUILD)/win32
PREFIX  := $(WIN32)/wineprefix
SANITIZE := $(BUILD)/sanitize
JOBS    ?= 2
FUZZ_SECONDS ?= 60

.PHONY: all setup build native win32 sanitize test test-wine10 fuzz bench run dist clean

all: build

setup:
	@scripts/setup-deps

build: setup native win32 sanitize

native:
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

win32:
	@cmake -S . -B $(WIN32) -DCMAKE_BUILD_TYPE=Release \
	    -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)

# The core and the unit tests again under AddressSanitizer and
# UndefinedBehaviorSanitizer, and the fuzz targets; clang, for libFuzzer.
sanitize:
	@CC=clang CXX=clang++ cmake -S . -B $(SANITIZE) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DQUILL_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE) -j $(JOBS)

# One CTest run over all trees, so that it ends with one summary line.
test: build
	@printf 'subdirs("native" "win32" "sanitize")\n' > $(BUILD)/CTestTestfile.cmake
	@scripts/wine-run $(CURDIR)/$(PREFIX) --init
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS); status=$$?; \
	    WINEPREFIX=$(CURDIR)/$(PREFIX) wineserver -k 2>/dev/null; exit $$status

# The end-to-end suite again under Debian 13's Wine 10, against the same
# programs, in a Debian 13 system made once in $(BUILD)/wine10 (debootstrap;
# some minutes the first time). Not part of test.
test-wine10: setup win32
	@scripts/test-wine10 $(CURDIR)/$(BUILD)/wine10 $(CURDIR) $(CURDIR)/$(WIN32)

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
	@scripts/bench $(CURDIR)/$(BUILD) $(CURDIR)/$(PREFIX)

run: build
	@scripts/run-demo $(CURDIR)/$(BUILD) $(CURDIR)/$(PREFIX)

# The release package: dist/QuillmoorMM/ and dist/QuillmoorMM-<version>.zip,
# from a fresh build in $(BUILD)/release.
dist: setup
	@JOBS=$(JOBS) scripts/make-dist $(CURDIR)/$(BUILD)/release $(CURDIR)/dist

clean:
	rm -rf $(BUILD)
