# Convenience targets over the CMake presets.
#   make test    install what is missing (as root), build, run the test suite
#   make demo    build and run the demo host
#   make asan    the test suite under AddressSanitizer and UBSan

.PHONY: all deps build test demo asan bench clean

all: build

deps:
	@bash scripts/install-deps.sh

build: deps
	cmake --preset default
	cmake --build --preset default

test: build
	ctest --preset default

demo: build
	@mkdir -p build/demo-out
	./build/default/examples/vrenk_demo build/demo-out/frame.png

asan: deps
	cmake --preset asan
	cmake --build --preset asan
	ctest --preset asan

bench: deps
	cmake --preset bench
	cmake --build --preset bench
	@for b in build/bench/bench/*_bench; do echo "== $$b"; $$b; done

clean:
	rm -rf build
