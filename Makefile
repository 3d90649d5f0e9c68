# Corvane Calculator: `make run` installs what running needs, builds the calculator alone and
# runs it; `make test` installs everything, builds everything and runs every test (plain,
# under ASan/UBSan, and the fuzzers).
SHELL := /bin/bash
.SHELLFLAGS := -eo pipefail -c

JOBS       ?= 2
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
BUILD_WIN32 ?= build-win32
BUILD_WIN64 ?= build-win64
BUILD_TYPE ?= Release
FUZZ_TIME  ?= 60
# Warnings are errors in every build the Makefile makes (`make WERROR=OFF ...` to relax).
WERROR     ?= ON
# Ninja for a new build folder; an existing one keeps the generator it was made with.
generator = $(if $(wildcard $(1)/CMakeCache.txt),,-G Ninja)

# Window tests run without a display; Chromium refuses its sandbox when run as root.
TEST_ENV := QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
SANITIZER_ENV := ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

.PHONY: all deps deps-run configure configure-run build build-run test test-main test-asan fuzz-build fuzz bench run format clean \
	windows windows-build test-windows test-maths-long

all: build

deps:
	scripts/install-deps.sh test

deps-run:
	scripts/install-deps.sh run

# Configured every time, so that newly added CMake pieces (the window) are picked up.
configure:
	cmake -S . -B $(BUILD) $(call generator,$(BUILD)) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DCORVANE_WERROR=$(WERROR) -DCORVANE_TESTS=ON -DCORVANE_BENCH=ON

build: configure
	cmake --build $(BUILD) -j$(JOBS)

# The calculator alone, in the same folder: tests and benchmarks are left out of the
# configuration (their packages may be missing), and `make build` later brings them back.
configure-run:
	cmake -S . -B $(BUILD) $(call generator,$(BUILD)) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) \
		-DCORVANE_WERROR=$(WERROR) -DCORVANE_TESTS=OFF -DCORVANE_BENCH=OFF

# The program and its installed form, build/installed/corvane.
build-run: configure-run
	cmake --build $(BUILD) -j$(JOBS) --target corvane

test: deps
	$(MAKE) --no-print-directory test-main
	$(MAKE) --no-print-directory test-windows
	$(MAKE) --no-print-directory test-asan
	$(MAKE) --no-print-directory fuzz
	scripts/test-summary.sh $(BUILD) $(BUILD_WIN32) $(BUILD_WIN64) $(BUILD_ASAN) $(BUILD_FUZZ)

# Everything, benchmarks built but not run.
test-main: build
	cd $(BUILD) && $(TEST_ENV) ctest --output-on-failure -j$(JOBS) --timeout 600 \
		| tee ctest.log

# The core tests and the golden files under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan:
	cmake -S . -B $(BUILD_ASAN) $(call generator,$(BUILD_ASAN)) -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCORVANE_SANITIZE=ON -DCORVANE_GUI=OFF -DCORVANE_BENCH=OFF -DCORVANE_WERROR=$(WERROR)
	cmake --build $(BUILD_ASAN) -j$(JOBS)
	cd $(BUILD_ASAN) && $(SANITIZER_ENV) ctest --output-on-failure -j$(JOBS) --timeout 600 \
		| tee ctest.log

# Windows, cross-built with MinGW-w64: build-win32/ (i686) and build-win64/ (x86_64).
# `windows` builds corvane.exe (as delivered, with the setup marker), installed/corvane.exe
# (marker replaced) and corvane-sheet.exe for both; `test-windows` builds and runs every
# Windows test under Wine.
win_configure = cmake -S . -B $(1) $(call generator,$(1)) --toolchain cmake/mingw-$(2).cmake \
	-DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCORVANE_WERROR=$(WERROR)

windows:
	$(call win_configure,$(BUILD_WIN32),i686)
	cmake --build $(BUILD_WIN32) -j$(JOBS) --target corvane corvane-sheet
	$(call win_configure,$(BUILD_WIN64),x86_64)
	cmake --build $(BUILD_WIN64) -j$(JOBS) --target corvane corvane-sheet

windows-build:
	$(call win_configure,$(BUILD_WIN32),i686)
	cmake --build $(BUILD_WIN32) -j$(JOBS)
	$(call win_configure,$(BUILD_WIN64),x86_64)
	cmake --build $(BUILD_WIN64) -j$(JOBS)

# The i686 tests need a kernel that runs 32-bit programs; on one that cannot, the golden files
# run through qemu-i386 emulation where available (wine32-can-run.sh and CMake say so), or all
# are built and the skip is reported with its reason (a missing 32-bit Wine still fails).
test-windows: windows-build
	rc=0; scripts/wine32-can-run.sh || rc=$$?; \
	if [[ $$rc -eq 0 ]]; then \
		cd $(BUILD_WIN32) && ctest --output-on-failure -j$(JOBS) --timeout 600 | tee ctest.log; \
	elif [[ $$rc -eq 1 ]]; then \
		rm -f $(BUILD_WIN32)/ctest.log; \
		echo "test-windows: SKIPPED every i686 test: built, but this machine cannot run them"; \
	else exit $$rc; fi
	cd $(BUILD_WIN64) && ctest --output-on-failure -j$(JOBS) --timeout 600 | tee ctest.log

fuzz-build:
	CXX=clang++-14 CC=clang-14 cmake -S . -B $(BUILD_FUZZ) $(call generator,$(BUILD_FUZZ)) \
		-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_FUZZ=ON -DCORVANE_GUI=OFF \
		-DCORVANE_BENCH=OFF -DCORVANE_WERROR=$(WERROR)
	cmake --build $(BUILD_FUZZ) -j$(JOBS)

# Each fuzzer runs FUZZ_TIME seconds on a copy of its seed corpus; any crash fails.
fuzz: fuzz-build
	scripts/run-fuzzers.sh $(BUILD_FUZZ) $(FUZZ_TIME)

# The maths accuracy tests against MPFR with a million random cases per function (the
# ordinary run uses fewer); MATHS_CASES sets another count.
MATHS_CASES ?= 1000000
test-maths-long: build
	cd $(BUILD) && CORVANE_MATHS_CASES=$(MATHS_CASES) ctest --output-on-failure -j$(JOBS) \
		--timeout 7200 -R '^maths\.'

# The core benchmarks, then (with the window built) keystroke to results, offscreen.
bench: build
	$(BUILD)/bench/core_bench --benchmark_counters_tabular=true
	if [[ -x $(BUILD)/window_bench ]]; then $(TEST_ENV) $(BUILD)/window_bench; fi

run: deps-run
	$(MAKE) --no-print-directory build-run
	$(BUILD)/installed/corvane

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format-14 -i

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_WIN32) $(BUILD_WIN64)
