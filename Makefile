# A thin front over CMake for the everyday commands:
#   make demo        install what is missing, build, convert the example map, show
#                    what happened and what to try next
#   make test        install what is missing, build, run every test
#   make sanitize    the whole test suite built with AddressSanitizer + UBSan
#   make fuzz-smoke  each fuzz target for FUZZ_SECONDS (default 20)
#   make fuzz-long   each fuzz target for 10 minutes, a real campaign
#   make package     the .deb, in build/package; make package-test checks it
#   make bench       the converter against the XML parse of the same maps
#   make tiled-test  the Tiled extension in Debian's Tiled, headless
#   make windows     the converter for Windows (build-windows/), cross-built
#   make windows-test       its whole suite under Wine
#   make package-windows    the Windows zip, in build-windows/package
#   make mutation    a sample of one-token faults: which ones the suite misses
#                    (MUTATION_ARGS="--seed N --count N"; after make test)

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CONVERTER := build/converter/VeltTileConverter
EXAMPLE := examples/village
FUZZ_TARGETS := convert json base64 inflate numbers zone world
FUZZ_SECONDS ?= 20

.PHONY: all deps build demo test sanitize fuzz-build fuzz-smoke fuzz-long package package-test bench tiled-test windows windows-test package-windows mutation clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

# The demo needs the converter alone, not the tests.
demo: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS) --target VeltTileConverter
	@scripts/demo

test: build
	@scripts/install-deps --sarif
	ctest --preset release -j $(JOBS)

sanitize: deps
	@scripts/install-deps --sarif
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize -j $(JOBS)
	ctest --preset sanitize -j $(JOBS)

fuzz-build:
	@scripts/install-deps --fuzz
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz -j $(JOBS)

fuzz-smoke: fuzz-build
	scripts/fuzz-run $(FUZZ_SECONDS)

fuzz-long: fuzz-build
	scripts/fuzz-run 600

package: build
	cd build && cpack

package-test: package
	scripts/package-test

tiled-test: build
	@scripts/install-deps --tiled
	scripts/tiled-test

windows:
	@scripts/install-deps --windows
	cmake --preset windows >/dev/null
	cmake --build --preset windows -j $(JOBS)

windows-test: windows
	scripts/windows-test

package-windows: windows build
	scripts/package-windows

bench:
	@scripts/install-deps --bench
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	build-bench/bench/velt_bench build-bench/maps $(BENCH_ARGS)
	@mkdir -p build-bench/limits
	@for gen in tests/cases/bounds/*.gen; do bash $$gen > build-bench/limits/$$(basename $$gen .gen).tmx; done
	@cp tests/cases/bounds/*.tmx build-bench/limits/
	@echo
	@build-bench/bench/bench_process build-bench/maps build-bench/limits/*.tmx

MUTATION_ARGS ?= --seed 1 --count 200
# Its own build: a header's mutant rebuilds most of the product, which takes
# half as long unoptimized and in batches of sources.
mutation: deps
	cmake --preset mutation >/dev/null
	scripts/mutate --build build-mutation $(MUTATION_ARGS)

clean:
	rm -rf build build-sanitize build-fuzz build-bench build-windows build-mutation
