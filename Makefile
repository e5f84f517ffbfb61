# Convenience targets over the CMake presets.
#   make test    install what is missing (as root), build, run the test suite
#   make demo    build and run the demo host
#   make asan    the test suite under AddressSanitizer and UBSan
#   make fuzz    build the fuzzers (clang) and run each for a minute
#   make test-windows
#                build VrenkGLWidge.dll (32-bit) and check its tables, then
#                build the same sources for 64-bit Windows and run the whole
#                suite under Wine on an Xvfb display; last, build a host
#                against each installed package and run it under Wine

.PHONY: all deps build test demo asan bench clean test-windows windows-deps fuzz

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
	./build/default/examples/vrenk_demo build/demo-out

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

windows-deps:
	@bash scripts/install-windows-deps.sh --win64

# The shipped DLL is 32-bit. Where the kernel runs 32-bit programs the suite
# runs under 32-bit Wine too; elsewhere (IA-32 emulation off) the 64-bit build
# of the same sources carries the suite.
test-windows: windows-deps
	cmake --preset windows
	cmake --build --preset windows
	bash scripts/check-dll-tables.sh build/windows/bin/VrenkGLWidge.dll
	@if /lib/ld-linux.so.2 --version >/dev/null 2>&1; then \
	  echo "== Windows suite, 32-bit, under Wine"; \
	  xvfb-run -a ctest --test-dir build/windows --output-on-failure -j2; \
	else \
	  echo "== this kernel cannot run 32-bit programs: the 32-bit suite is built, not run"; \
	fi
	cmake --preset windows64
	cmake --build --preset windows64
	@echo "== Windows suite, 64-bit, under Wine"
	xvfb-run -a ctest --preset windows64
	@echo "== a Windows host built against the installed package"
	xvfb-run -a bash scripts/consumer-check-windows.sh build/windows build/windows64

fuzz: deps
	bash scripts/run-fuzzers.sh 60
