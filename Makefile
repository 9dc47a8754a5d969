# The two commands: `make run` and `make test`. PRESET=asan runs the suite
# under AddressSanitizer + UBSan; PRESET=release builds optimised.
PRESET ?= dev
BUILD := build/$(PRESET)
ARGS ?=

.PHONY: run test build configure deps asan bench fuzz package clean

run: build
	$(BUILD)/src/app/glypharo $(ARGS)

test: build
	ctest --preset $(PRESET)

asan:
	$(MAKE) test PRESET=asan

build: configure
	cmake --build --preset $(PRESET)

configure: deps
	@test -f $(BUILD)/build.ninja || cmake --preset $(PRESET)

deps:
	@scripts/install-deps

bench:
	$(MAKE) build PRESET=release
	bench/run-all build/release

fuzz:
	$(MAKE) build PRESET=fuzz
	fuzz/run-all build/fuzz $(or $(SECONDS),60)

package:
	$(MAKE) build PRESET=release
	cd build/release && cpack -G DEB

clean:
	rm -rf build
