# A thin front over CMake for the two everyday commands:
#   make demo   install what is missing, build, convert the example map, show it
#   make test   install what is missing, build, run every test

JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CONVERTER := build/converter/VeltTileConverter
EXAMPLE := examples/village

.PHONY: all deps build demo test clean

all: build

deps:
	@scripts/install-deps

build: deps
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

demo: build
	$(CONVERTER) $(EXAMPLE).tmx
	@echo "--- $(EXAMPLE).txt (TAB shown as ^I, CR as ^M, line end as \$$) ---"
	@cat -A $(EXAMPLE).txt

test: build
	ctest --preset release -j $(JOBS)

clean:
	rm -rf build
