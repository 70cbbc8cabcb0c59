# Thin wrapper around CMake: the two commands of the quick start, plus benchmarks and tooling.
.PHONY: run test package bench deps web-deps configure build programs gcc asan web web-test fuzz tidy format screenshots \
	web-screenshots clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps

# The browser edition needs Node.js 20 or later besides, which the programs do not.
web-deps:
	@scripts/install-deps --web

configure: deps
	@cmake --preset dev >/dev/null

build: configure
	@cmake --build --preset dev -j $(JOBS)

# The two programs alone, as make run needs them: GCC's build, file by file.
programs: configure
	@cmake --build --preset dev -j $(JOBS) --target zelvar-config zelvar-cli

run: programs
	@./build/dev/zelvar-config

# Every test once, in one clang build with AddressSanitizer, UBSan and LeakSanitizer that also
# runs clang-tidy on the product as it compiles and links the fuzz targets; then one ctest of
# everything: the native tests, the fuzz smoke run (FUZZ_SECONDS for each target), and the
# browser edition's tests; the build makes the browser edition too (the web target), its
# WebAssembly beside the native compiling, its TypeScript checked by tsc, ESLint and Prettier. Run a part alone with
# ctest --preset asan -L LABEL (core, serial, ui, cli, packaging, fuzz, web).
# CI gives each fuzz target 15 s; a developer's loop 2 s, the seeds and a few thousand inputs
# more (make fuzz fuzzes longer).
FUZZ_SECONDS ?= $(if $(filter true,$(CI)),15,2)
CTEST_JOBS ?= $(shell echo $$(($(JOBS) * 2)))
# GCC compiles the two programs first, so that a warning only GCC gives fails the run: in unity
# batches of 6 (make run's file-by-file build took three times as long on a fresh clone), which
# group the windows' and the CLI's files otherwise than the asan build's 16, so that a header one
# of them forgot shows in one build or the other.
test: web-deps gcc asan
	@ctest --preset asan -j $(CTEST_JOBS)

gcc: deps
	@cmake --preset gcc >/dev/null
	@cmake --build --preset gcc -j $(JOBS) --target zelvar-config zelvar-cli

asan: web-deps
	@cmake --preset asan -DZELVAR_FUZZ_SECONDS=$(FUZZ_SECONDS) >/dev/null
	@cmake --build --preset asan -j $(JOBS)

# clang-tidy (.clang-tidy) runs as the asan build compiles the product: only what changed is
# checked again, and any finding fails the build.
tidy: asan

# The browser edition: build/web (static files for any web host) and build/zelvar-config-web-*.zip,
# through the wasm preset, which the dev build's web target drives.
web: web-deps configure
	@cmake --build --preset dev -j $(JOBS) --target web

# Its tests alone: the page's units and the core under Node.js, the page in headless Chromium.
web-test: build web
	@ctest --preset dev -L web -j $(JOBS)

# The Debian package of the release build, checked by lintian (errors fail, warnings are shown).
package: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@cd build/release && cpack -G DEB
	@lintian --fail-on error build/release/zelvar-config_*.deb

# libFuzzer: the .cfg reader and writer, the image builder, the wire and image decoder, the
# transfer checker, the position decoder, the port doctor and the RTF reader, each for
# FUZZ_SECONDS (30 unless given: make fuzz FUZZ_SECONDS=600), on the asan build's instrumented
# libraries, from the seeds in fuzz/corpus-NAME with the words of fuzz/NAME.dict. What the
# fuzzer learns stays in build/asan/fuzz/corpus-NAME for the next run.
fuzz: FUZZ_SECONDS = 30
fuzz: asan
	@ctest --preset asan -L fuzz -j $(JOBS)

bench: web-deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@./build/release/bench/core_bench
	@./build/release/bench/ui_bench
	@bench/startup.sh build/release
	@bench/receive_soak.sh build/release
	@cmake --build --preset release -j $(JOBS) --target web
	@cd web && node ../bench/web_bench.mjs ../build/web

# The pictures in docs/images (README and manual), taken under Xvfb.
screenshots: configure
	@scripts/screenshots build/dev

# The README's pictures of the page, light, dark and phone-sized.
web-screenshots: web
	@cd web && node tools/screenshots.mjs ../build/web ../docs/images

# clang-format on the C++, Prettier on the page (its npm packages installed, as make web does).
format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i
	@cd web && npm run --silent format

clean:
	@rm -rf build
