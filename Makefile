# The few commands users type. Everything else is CMake.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps library demo windows wine test bench clean

all: library

deps:
	@bash scripts/install-deps.sh

# Release build of Vorlan.so.
library: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DVORLAN_TESTS=OFF -DVORLAN_BENCH=ON
	cmake --build $(BUILD)/release -j $(JOBS)

# The sample host on the examples: the bindings script run on the session,
# printing every frame's actions (examples/expected-output.txt). It runs in
# build/demo, so that files the library writes beside it stay out of the sources.
demo: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DVORLAN_TESTS=OFF -DVORLAN_BENCH=ON
	cmake --build $(BUILD)/release -j $(JOBS) --target vorlan-host
	mkdir -p $(BUILD)/demo
	cd $(BUILD)/demo && $(abspath $(BUILD))/release/tools/vorlan-host --session $(CURDIR)/examples/session.jsonl $(CURDIR)/examples/bindings.lua

# Vorlan.dll for 32-bit (the reference target; libgcc_s_dw2-1.dll ships beside
# it) and 64-bit Windows, cross-built with MinGW-w64.
windows: deps
	cmake -S . -B $(BUILD)/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release -DVORLAN_TESTS=OFF
	cmake --build $(BUILD)/win32 -j $(JOBS) --target Vorlan
	cmake -S . -B $(BUILD)/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release -DVORLAN_TESTS=OFF
	cmake --build $(BUILD)/win64 -j $(JOBS) --target Vorlan

# The Windows test programs, run under Wine on an Xvfb display: the 64-bit ones
# (one of them a C host built by clang in MSVC mode) under wine64; the 32-bit
# ones under wine32 where this machine runs 32-bit programs, else the 32-bit
# Linux build's tests under qemu-i386. The session recorded by the 64-bit run
# is then replayed on Linux by the test build's vorlan-host.
wine: windows
	cmake --build $(BUILD)/win64 -j $(JOBS) --target WinePortTest WineFacadeTest WineCHost
	bash scripts/wine-test.sh --keep $(BUILD)/wine /usr/lib/wine/wine64 \
	  $(BUILD)/win64/tests/wine/WinePortTest.exe $(BUILD)/win64/WineFacadeTest.exe $(BUILD)/win64/WineCHost.exe
	JOBS=$(JOBS) bash scripts/test-32bit.sh $(BUILD)
	cmake -S . -B $(BUILD)/test -DCMAKE_BUILD_TYPE=Debug -DVORLAN_SANITIZE=ON
	cmake --build $(BUILD)/test -j $(JOBS) --target vorlan-host
	bash scripts/wine-replay.sh $(BUILD)/test/tools/vorlan-host tests/wine/bindings.lua $(BUILD)/wine/WineFacadeTest

# The Windows cross builds, so that Windows-only code is compiled too, and the
# Wine tests, then every test in an AddressSanitizer + UndefinedBehaviorSanitizer build.
test: wine
	@bash scripts/install-deps.sh report
	cmake -S . -B $(BUILD)/test -DCMAKE_BUILD_TYPE=Debug -DVORLAN_SANITIZE=ON
	cmake --build $(BUILD)/test -j $(JOBS)
	cd $(BUILD)/test && ctest --output-on-failure -j $(JOBS)

# Benchmarks, in the release build.
bench: library
	$(BUILD)/release/bench/VorlanBench

clean:
	rm -rf $(BUILD)
