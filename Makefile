# Everything starts here: each target installs what is missing first.
BUILD := build/default
WINDOWS := build/windows
FUZZ := build/fuzz
# How long each fuzz target runs; FUZZ_FLAGS, libFuzzer's own options, may
# set another limit instead (CI: a seed and a number of runs).
FUZZ_SECONDS := 60
FUZZ_FLAGS := -max_total_time=$(FUZZ_SECONDS)

.PHONY: setup build run test sanitize fuzz benchmarks bench screenshot package windows test-windows clean

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

# Builds the fuzz targets with clang and runs each in turn from its seeds.
fuzz:
	@scripts/bootstrap --fuzz
	@test -f $(FUZZ)/build.ninja || cmake --preset fuzz
	cmake --build --preset fuzz
	scripts/fuzz $(FUZZ) $(FUZZ_FLAGS)

# Builds the benchmarks without running them.
benchmarks: build
	cmake --build --preset default --target benchmarks

bench: benchmarks
	bench/run_all.sh $(BUILD)

screenshot: build
	scripts/screenshot $(BUILD)/bin/tarvello docs/screenshot.png

package: build
	cmake --build --preset default --target package

# tarvello-cli.exe and its zip, cross-built; the tests run under Wine and
# compare plans with the Linux build.
windows:
	@scripts/bootstrap --windows
	@test -f $(WINDOWS)/build.ninja || cmake --preset windows
	cmake --build --preset windows
	cd $(WINDOWS) && cpack -G ZIP

# The Linux tarvello-cli is built too: the Windows plans must equal its own.
test-windows: windows setup
	@test -f $(BUILD)/build.ninja || cmake --preset default
	cmake --build --preset default --target tarvello-cli
	scripts/wine-tests

clean:
	rm -rf build
