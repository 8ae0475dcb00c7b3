# Thin wrapper over CMake: every target first installs what is missing.
BUILD    ?= build
GENERATOR ?= Ninja
JOBS     ?= $(shell nproc)
PREFIX   ?= /usr/local
CMAKE_ARGS ?=
SANITIZE_ARGS ?=

.PHONY: all deps configure build run test install package sanitize bench fuzz format clean

all: build

deps:
	@tools/install-deps

configure: deps
	@cmake -S . -B $(BUILD) -G $(GENERATOR) $(CMAKE_ARGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

# Only the program: a fresh clone shows its window without building every test first.
run: configure
	@cmake --build $(BUILD) -j $(JOBS) --target sumbrook
	@tools/run-sumbrook $(BUILD)

test: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@tools/windows-check --if-installed

# Installs into PREFIX (default /usr/local): the program, its launcher, icons, metainfo.
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

# A Debian package in $(BUILD)/ (installs into /usr); "apt install ./build/sumbrook_*.deb".
package: build
	@cd $(BUILD) && cpack

sanitize: deps
	@cmake --preset sanitize $(SANITIZE_ARGS) >/dev/null
	@cmake --build --preset sanitize -j $(JOBS)
	@ctest --preset sanitize -j $(JOBS)

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b"; done

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@mkdir -p build-fuzz/corpus && build-fuzz/tests/fuzz/fuzz_text_to_integer build-fuzz/corpus -max_total_time=$${FUZZ_SECONDS:-60}

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) build-sanitize build-fuzz build-windows
