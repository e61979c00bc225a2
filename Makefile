# make run / make test: install what Debian 12 is missing, configure, build, then start
# the program or run the tests.

BUILD_DIR ?= build
BUILD_TYPE ?= Release
PREFIX ?= /usr/local
JOBS ?= $(shell nproc 2>/dev/null || echo 2)

# Build, test and packaging needs, as Debian 12 names them.
PACKAGES := cmake make g++ qt6-base-dev libgl-dev fonts-liberation2 xvfb xauth x11-utils libx11-dev \
            dpkg-dev file ioquake3

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test bench install package screenshot clean

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

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

build: configure
	cmake --build $(BUILD_DIR) --parallel $(JOBS)

run: build
	./$(BUILD_DIR)/bindwright

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure --parallel $(JOBS)

bench: build
	cmake --build $(BUILD_DIR) --target run_benchmarks

install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

package: build
	cd $(BUILD_DIR) && cpack -G DEB

screenshot: build
	$(call install_missing,imagemagick x11-apps x11-utils)
	tools/screenshot.sh $(BUILD_DIR)/bindwright docs/main-window.png

clean:
	rm -rf $(BUILD_DIR)
