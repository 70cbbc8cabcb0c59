# Thin wrapper around CMake: the two commands of the quick start, plus benchmarks and tooling.
.PHONY: run test package bench deps configure build asan fuzz format screenshots clean

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
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=20

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

# The Debian package of the release build, checked by lintian (errors fail, warnings are shown).
package: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@cd build/release && cpack -G DEB
	@lintian --fail-on error build/release/zelvar-config_*.deb

# The RTF reader under libFuzzer (clang), seeded with the manual and small hand-written files.
FUZZ_SECONDS ?= 30
fuzz: deps
	@cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DZELVAR_BUILD_FUZZ=ON -DZELVAR_BUILD_TESTS=OFF -DZELVAR_BUILD_BENCH=OFF >/dev/null
	@cmake --build build/fuzz --target rtf_fuzz -j $(JOBS)
	@mkdir -p fuzz/corpus-run
	@cp docs/Zelvar_Config.rtf fuzz/corpus-run/manual.rtf
	@QT_QPA_PLATFORM=offscreen ./build/fuzz/fuzz/rtf_fuzz -max_total_time=$(FUZZ_SECONDS) \
		-artifact_prefix=build/fuzz/ fuzz/corpus-run fuzz/corpus >build/fuzz/last-run.log 2>&1 \
		|| { tail -40 build/fuzz/last-run.log; exit 1; }
	@grep '^Done' build/fuzz/last-run.log

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@./build/release/bench/core_bench
	@bench/startup.sh build/release

# The pictures in docs/images (README and manual), taken under Xvfb.
screenshots: configure
	@scripts/screenshots build/dev

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
