# The few commands users type. Everything else is CMake, through the presets
# of CMakePresets.json, which build in build/<preset>.
BUILD := build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

# Recipes call make again through cmake; its "Entering directory" lines are noise.
MAKEFLAGS += --no-print-directory

.PHONY: all deps library demo windows wine test bench fuzz clean

all: library

deps:
	@bash scripts/install-deps.sh test

# Release build of Vorlan.so and vorlan-host.
library: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

# The sample host on the examples: the bindings script run on the session,
# printing every frame's actions, then whether they are examples/expected-output.txt.
demo:
	@bash scripts/install-deps.sh demo
	@bash scripts/demo.sh $(JOBS)

# Vorlan.dll for 32-bit (the reference target; libgcc_s_dw2-1.dll ships beside
# it) and 64-bit Windows, cross-built with MinGW-w64.
windows: deps
	cmake --preset win32
	cmake --build --preset win32 -j $(JOBS) --target Vorlan
	cmake --preset win64
	cmake --build --preset win64 -j $(JOBS) --target Vorlan

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
	cmake --preset test
	cmake --build --preset test -j $(JOBS) --target vorlan-host
	bash scripts/wine-replay.sh $(BUILD)/test/tools/vorlan-host tests/wine/bindings.lua $(BUILD)/wine/WineFacadeTest

# The Windows cross builds, so that Windows-only code is compiled too, and the
# Wine tests, then every test in an AddressSanitizer + UndefinedBehaviorSanitizer
# build, the hosts that use the installed library among them, then each fuzzer
# for 20 seconds.
test: wine
	@bash scripts/install-deps.sh report
	cmake --preset test
	cmake --build --preset test -j $(JOBS)
	ctest --preset test -j $(JOBS)
	$(MAKE) fuzz FUZZ_SECONDS=20

# The libFuzzer targets (session reader, Lua module, binding engine), built by
# clang with AddressSanitizer and UndefinedBehaviorSanitizer, each run for
# FUZZ_SECONDS: make fuzz FUZZ_SECONDS=600.
FUZZ_SECONDS ?= 60
FUZZERS = SessionReaderFuzz LuaModuleFuzz BindingEngineFuzz
fuzz: deps
	cmake -S . -B $(BUILD)/fuzz -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DVORLAN_FUZZ=ON -DVORLAN_TESTS=OFF
	cmake --build $(BUILD)/fuzz -j $(JOBS) --target $(FUZZERS)
	bash scripts/fuzz.sh $(BUILD)/fuzz $(FUZZ_SECONDS) $(FUZZERS)

# Benchmarks, in the release build.
bench: deps
	cmake --preset release -DVORLAN_BENCH=ON
	cmake --build --preset release -j $(JOBS) --target VorlanBench
	$(BUILD)/release/bench/VorlanBench

clean:
	rm -rf $(BUILD)
