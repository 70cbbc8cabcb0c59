# Thin wrapper around CMake: the two commands of the quick start, plus benchmarks and tooling.
.PHONY: run test bench deps configure build asan format screenshots clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset dev >/dev/null

build: configure
	@cmake --build --preset dev -j $(JOBS)

# Starts the window; a build without the window prints the factory-default image instead.
run: build
	@if [ -x build/dev/zelvar-config ]; then ./build/dev/zelvar-config; else \
	  ./build/dev/zelvar-cli defaults -o build/dev/Zelvar.cfg && \
	  ./build/dev/zelvar-cli image build/dev/Zelvar.cfg; fi

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
