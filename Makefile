# The few commands users type. Everything else is CMake.
BUILD ?= build
JOBS  ?= $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps library test bench clean

all: library

deps:
	@bash scripts/install-deps.sh

# Release build of Vorlan.so.
library: deps
	cmake -S . -B $(BUILD)/release -DCMAKE_BUILD_TYPE=Release -DVORLAN_TESTS=OFF -DVORLAN_BENCH=ON
	cmake --build $(BUILD)/release -j $(JOBS)

# Every test, in an AddressSanitizer + UndefinedBehaviorSanitizer build.
test: deps
	cmake -S . -B $(BUILD)/test -DCMAKE_BUILD_TYPE=Debug -DVORLAN_SANITIZE=ON
	cmake --build $(BUILD)/test -j $(JOBS)
	cd $(BUILD)/test && ctest --output-on-failure -j $(JOBS)

# Benchmarks, in the release build.
bench: library
	$(BUILD)/release/bench/VorlanBench

clean:
	rm -rf $(BUILD)
