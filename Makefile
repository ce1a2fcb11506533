# Everything starts here: each target installs what is missing first.
BUILD := build/default

.PHONY: setup build run test sanitize benchmarks bench screenshot package clean

setup:
	@scripts/bootstrap

build: setup
	@test -f $(BUILD)/build.ninja || cmake --preset default
	cmake --build --preset default

run: build
	$(BUILD)/bin/tarvello

test: build
	ctest --preset default

sanitize: setup
	@test -f build/sanitize/build.ninja || cmake --preset sanitize
	cmake --build --preset sanitize
	ctest --preset sanitize

# Builds the benchmarks without running them.
benchmarks: build
	cmake --build --preset default --target benchmarks

bench: benchmarks
	bench/run_all.sh $(BUILD)

screenshot: build
	scripts/screenshot $(BUILD)/bin/tarvello docs/screenshot.png

package: build
	cmake --build --preset default --target package

clean:
	rm -rf build
