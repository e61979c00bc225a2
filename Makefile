# make run / make test: install what Debian 12 is missing, configure, build, then start
# the program or run the tests.

BUILD_DIR ?= build
WIN_BUILD_DIR ?= build-win
BUILD_TYPE ?= Release
PREFIX ?= /usr/local
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# What building and running the program needs, as Debian 12 names it (make run, make check)...
PACKAGES := cmake make g++ pkgconf qt6-base-dev libgl-dev libxkbcommon-x11-dev xkb-data fonts-liberation2
# ...and what the whole test run and the package need besides.
TEST_PACKAGES := xvfb xauth x11-utils libx11-dev xdotool dpkg-dev file ioquake3 lintian appstream
# The Windows build, and what runs it under Wine in the tests.
WIN_PACKAGES := g++-mingw-w64-x86-64-posix qt6-base-dev-tools ninja-build xz-utils
WINE_PACKAGES := wine wine64 xdotool x11-utils x11-xserver-utils

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps test-deps configure build run test check sanitize fuzz format format-check tidy bench install package screenshot clean windows windows-package windows-for-tests

all: build

# Installs the Debian packages of $(1) that are not there yet; nothing when all are.
define install_missing
	@missing=""; \
	for p in $(1); do \
	    dpkg-query -W -f='$${Status}' "$$p" 2>/dev/null | grep -q 'install ok installed' || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	    echo "Installing:$$missing"; \
	    $(SUDO) apt-get update && \
	    DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

# Warnings fail the build when WERROR=ON, as .ci/run sets it for every build it makes.
WERROR ?= OFF
ASAN_BUILD_DIR ?= build-asan
FUZZ_TARGETS := fuzz_console fuzz_settings fuzz_folders
# make fuzz: each target runs this long under libFuzzer, from its seed corpus in the tree.
FUZZ_BUILD_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_PACKAGES := clang libclang-rt-14-dev

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
	    -DBINDWRIGHT_WINDOWS_BUILD_DIR=$(abspath $(WIN_BUILD_DIR)) -DBINDWRIGHT_WERROR=$(WERROR)

build: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

# Only the program: the tests and benchmarks are built by make test and make bench.
run: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target bindwright
	./$(BUILD_DIR)/bindwright

# The Windows build's tests run under Wine in the same ctest run. Every package they need
# is there before the first configure, which looks for Wine and the engine.
test-deps:
	$(call install_missing,$(PACKAGES) $(TEST_PACKAGES) $(WIN_PACKAGES) $(WINE_PACKAGES))

test: test-deps
	$(MAKE) build windows-for-tests
	cd $(BUILD_DIR) && ctest --output-on-failure --parallel $(JOBS)

# The tree's C++ in its own style (.clang-format), by one version of clang-format, since
# each version formats a little differently; format-check fails on any difference.
CLANG_FORMAT := clang-format-14
format:
	$(call install_missing,$(CLANG_FORMAT))
	git ls-files '*.cpp' '*.h' | xargs $(CLANG_FORMAT) -i

format-check:
	$(call install_missing,$(CLANG_FORMAT))
	git ls-files '*.cpp' '*.h' | xargs $(CLANG_FORMAT) --dry-run --Werror

# clang-tidy's checks (.clang-tidy) on the libraries' sources, and clazy's Qt checks on
# the libraries' and the windows'; any finding fails. (qstring-ref would ask for Qt 5's
# leftRef.)
CLANG_TIDY := clang-tidy-14
CLAZY_CHECKS := level1,no-qstring-ref
tidy: test-deps
	$(call install_missing,$(CLANG_TIDY) clazy)
	$(MAKE) configure
	git ls-files 'host/*.cpp' 'binds/*.cpp' 'decorate/*.cpp' 'settings/*.cpp' \
	    | xargs -P $(JOBS) -n 4 $(CLANG_TIDY) -p $(BUILD_DIR) --quiet
	git ls-files 'host/*.cpp' 'binds/*.cpp' 'decorate/*.cpp' 'settings/*.cpp' 'app/*.cpp' \
	    | CLAZY_CHECKS=$(CLAZY_CHECKS) xargs -P $(JOBS) -n 4 clazy-standalone -p $(BUILD_DIR) --extra-arg=-Werror

# The edit-test loop: builds and runs the quick tests (the libraries' and the windows'),
# no packages, no engines, no Windows build; ctest prints how long they took.
check:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DBINDWRIGHT_WERROR=$(WERROR)
	cmake --build $(BUILD_DIR) --parallel $(JOBS) --target quick_tests
	cd $(BUILD_DIR) && ctest --output-on-failure --parallel $(JOBS) -L quick

# The library tests, which read players' files byte by byte, under AddressSanitizer and
# UndefinedBehaviorSanitizer, each once. The engine test stays out: it spends its time in
# the engine, not in the program.
sanitize: test-deps
	cmake -S . -B $(ASAN_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBINDWRIGHT_SANITIZE=ON -DBINDWRIGHT_WERROR=$(WERROR)
	cmake --build $(ASAN_BUILD_DIR) --parallel $(JOBS) --target library_tests
	cd $(ASAN_BUILD_DIR) && ctest --output-on-failure --parallel $(JOBS) -L library

# build-win/bindwright.exe: one static file for 64-bit Windows.
# The parsers of players' files under libFuzzer, each for FUZZ_SECONDS. New inputs go to
# $(FUZZ_BUILD_DIR)/corpus, a crash's input to $(FUZZ_BUILD_DIR)/crash-*: copy one into
# tests/fuzz/corpus once it is mended, and every test run replays it.
fuzz: deps
	$(call install_missing,$(FUZZ_PACKAGES))
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBINDWRIGHT_FUZZ=ON
	cmake --build $(FUZZ_BUILD_DIR) --parallel $(JOBS) --target $(FUZZ_TARGETS)
	for target in $(FUZZ_TARGETS); do \
	    seeds=tests/fuzz/corpus/$${target#fuzz_}; mkdir -p $(FUZZ_BUILD_DIR)/corpus/$$target && \
	    $(FUZZ_BUILD_DIR)/tests/fuzz/$$target -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	        -artifact_prefix=$(FUZZ_BUILD_DIR)/crash-$$target- $(FUZZ_BUILD_DIR)/corpus/$$target $$seeds || exit 1; \
	done

windows: configure
	$(call install_missing,$(WIN_PACKAGES))
	BINDWRIGHT_WERROR=$(WERROR) tools/windows-build.sh $(BUILD_DIR) $(WIN_BUILD_DIR)

# bindwright-<version>-win64.zip: the .exe and a short text for players.
windows-package: windows
	cd $(WIN_BUILD_DIR) && cpack -G ZIP

windows-for-tests: configure
	$(call install_missing,$(WIN_PACKAGES) $(WINE_PACKAGES))
	BINDWRIGHT_WERROR=$(WERROR) tools/windows-build.sh $(BUILD_DIR) $(WIN_BUILD_DIR) --no-qt-build

bench: build
	cmake --build $(BUILD_DIR) --target run_benchmarks

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package: build
	$(call install_missing,dpkg-dev file)
	cd $(BUILD_DIR) && cpack -G DEB

screenshot: build
	$(call install_missing,imagemagick x11-apps x11-utils xdotool)
	tools/screenshot.sh $(BUILD_DIR)/bindwright "$$(cat $(BUILD_DIR)/caption.txt)" docs/main-window.png docs/chat-preview.png docs/binds-window.png docs/keys-window.png

clean:
	rm -rf $(BUILD_DIR) $(WIN_BUILD_DIR) $(ASAN_BUILD_DIR) $(FUZZ_BUILD_DIR)
