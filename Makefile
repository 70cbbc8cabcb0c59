# Thin wrapper around CMake: the two commands of the quick start, plus benchmarks and tooling.
.PHONY: run test package bench deps configure build asan web web-test fuzz tidy format screenshots \
	web-screenshots clean

JOBS ?= $(shell nproc)

deps:
	@scripts/install-deps

configure: deps
	@cmake --preset dev >/dev/null

build: configure
	@cmake --build --preset dev -j $(JOBS)

run: build
	@./build/dev/zelvar-config

# Every test once, in the debug build with AddressSanitizer and UBSan (it also checks that the
# program and the benchmarks build with warnings as errors), the browser edition's tests, then
# clang-tidy and the fuzzers.
test: asan
	@JOBS=$(JOBS) scripts/test-web build/asan
	@JOBS=$(JOBS) scripts/tidy build/asan
	@$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=15

asan: deps
	@cmake --preset asan >/dev/null
	@cmake --build --preset asan -j $(JOBS)
	@ctest --preset asan -j $(JOBS)

# The browser edition: build/web (static files for any web host) and build/zelvar-config-web-*.zip.
web: configure
	@JOBS=$(JOBS) scripts/build-web build/dev

# Its tests alone: the core under Node.js, the page in headless Chromium.
web-test: configure
	@cmake --build --preset dev -j $(JOBS) --target zelvar-cli
	@JOBS=$(JOBS) scripts/test-web build/dev

# The Debian package of the release build, checked by lintian (errors fail, warnings are shown).
package: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@cd build/release && cpack -G DEB
	@lintian --fail-on error build/release/zelvar-config_*.deb

# libFuzzer (clang): the .cfg reader and writer, the image builder, the wire and image decoder, the
# transfer checker, the position decoder, the port doctor and the RTF reader, each for
# FUZZ_SECONDS, from the seeds in fuzz/corpus-NAME (the manual joins the RTF seeds) with the words
# of fuzz/NAME.dict. What the fuzzer learns stays in build/fuzz/corpus-NAME for the next run.
FUZZ_SECONDS ?= 30
FUZZ_TARGETS = cfg image wire transfer position doctor rtf
fuzz: deps
	@cmake -S . -B build/fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DZELVAR_BUILD_FUZZ=ON -DZELVAR_BUILD_TESTS=OFF -DZELVAR_BUILD_BENCH=OFF >/dev/null
	@cmake --build build/fuzz --target fuzz_targets -j $(JOBS)
	@mkdir -p $(FUZZ_TARGETS:%=build/fuzz/corpus-%)
	@cp docs/Zelvar_Config.rtf build/fuzz/corpus-rtf/manual.rtf
	@for name in $(FUZZ_TARGETS); do \
		QT_QPA_PLATFORM=offscreen ./build/fuzz/fuzz/$${name}_fuzz -max_total_time=$(FUZZ_SECONDS) \
			-timeout=10 -dict=fuzz/$$name.dict -artifact_prefix=build/fuzz/$$name- \
			build/fuzz/corpus-$$name fuzz/corpus-$$name >build/fuzz/$$name.log 2>&1 || \
			{ tail -40 build/fuzz/$$name.log; exit 1; }; \
		echo "$$name: $$(grep '^Done' build/fuzz/$$name.log)"; \
	done

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release -j $(JOBS)
	@./build/release/bench/core_bench
	@./build/release/bench/ui_bench
	@bench/startup.sh build/release
	@bench/receive_soak.sh build/release
	@JOBS=$(JOBS) scripts/build-web build/release
	@cd web && node ../bench/web_bench.mjs ../build/web

# The pictures in docs/images (README and manual), taken under Xvfb.
screenshots: configure
	@scripts/screenshots build/dev

# The README's pictures of the page, light, dark and phone-sized.
web-screenshots: web
	@cd web && node tools/screenshots.mjs ../build/web ../docs/images

# clang-tidy with the checks in .clang-tidy over the product's sources; any finding fails.
tidy: build
	@JOBS=$(JOBS) scripts/tidy build/dev

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf build
