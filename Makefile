# Thin wrapper over CMake: every target first installs what is missing.
BUILD    ?= build
GENERATOR ?= Ninja
JOBS     ?= $(shell nproc)
PREFIX   ?= /usr/local
CMAKE_ARGS ?=
SANITIZE_ARGS ?=
# What make test runs after CTest: the Windows check, when its tools are installed.
WINDOWS_CHECK ?= tools/windows-check --if-installed

.PHONY: all deps configure build run test install package sanitize bench bench-startup fuzz fuzz-gui format clean windows windows-check

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
	@$(WINDOWS_CHECK)

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

# Start-up against a bare Qt window in instructions (callgrind), peak memory, first frame.
bench-startup: configure
	@cmake --build $(BUILD) -j $(JOBS) --target sumbrook bare_window startup_shim
	@bench/startup-instructions --build $(BUILD)

fuzz: deps
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz -j $(JOBS)
	@mkdir -p build-fuzz/corpus && build-fuzz/tests/fuzz/fuzz_text_to_integer build-fuzz/corpus -max_total_time=$${FUZZ_SECONDS:-60}

# The random tester, long: the program driven under Xvfb and openbox, every action checked
# against the model; a divergence (screen, accessibility tree, the actions) ends its round,
# saved in $(BUILD)/fuzz-gui/N/, and another round starts; FUZZ_JOBS rounds side by side.
# Shrink one to a short replay and rerun it with
#   /usr/bin/python3 tests/gui_fuzz/gui_fuzz.py BINARY --replay FILE [--shrink-minutes M]
SEED ?= 1
ACTIONS ?= 20000
FUZZ_JOBS ?= 1
fuzz-gui: configure
	@cmake --build $(BUILD) -j $(JOBS) --target sumbrook
	@/usr/bin/python3 tests/gui_fuzz/gui_fuzz.py $(BUILD)/app/sumbrook \
		--seed $(SEED) --actions $(ACTIONS) --keep-going --jobs $(FUZZ_JOBS) --out $(BUILD)/fuzz-gui

# The Windows program in build-windows/: Sumbrook.exe, its tests, the installer and the .zip.
# The first run builds Qt for Windows from Debian's source (about 30 minutes on 2 cores)
# into /var/cache/sumbrook/; later runs reuse it.
windows:
	@tools/windows-build

# The same, then every Windows test under wine, the program driven, the installer's round trip.
windows-check:
	@tools/windows-check

format:
	@git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	@rm -rf $(BUILD) build-sanitize build-fuzz build-windows build-windows-core build-wine
