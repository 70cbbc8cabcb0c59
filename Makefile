# Thin wrapper around CMake: the two commands of the quick start, plus benchmarks and tooling.
.PHONY: run test bench deps configure build asan format screenshots clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset dev >/dev/null

build: configure
	@cmake --build --preset dev -j $(JOBS)

run: build
	@./build/dev/zelvar-config

test: build
	@ctest --preset dev -j $(JOBS)
	@$(MAKE) --no-print-directory asan

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@./build/release/bench/core_bench

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
