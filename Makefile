# Build, test and run the log viewer. Every target first installs the Debian
# packages the project needs (as root), so a fresh machine needs nothing else.

BUILD_DIR  ?= build
BUILD_TYPE ?= RelWithDebInfo
WERROR     ?= OFF
PACKAGES := g++ cmake ninja-build make qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev fonts-liberation fonts-dejavu-core fonts-wine \
            xvfb xauth x11-utils imagemagick

.PHONY: all deps configure build test run bench clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing: $$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	  else \
	    echo "Missing packages; run:"; echo "  sudo apt-get install -y $$missing"; exit 1; \
	  fi; \
	fi

$(BUILD_DIR)/build.ninja:
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DLOGVIEWER_WERROR=$(WERROR)

configure: deps $(BUILD_DIR)/build.ninja

build: configure
	cmake --build $(BUILD_DIR)

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

run: build
	@if [ -x $(BUILD_DIR)/app/logviewer ]; then $(BUILD_DIR)/app/logviewer; \
	else echo "The viewer window is not built yet. What exists: the number formatting"; \
	  echo "library (runtime/), its tests (make test) and benchmarks (make bench)."; fi

bench: build
	@for b in $(BUILD_DIR)/bench/*; do [ -x "$$b" ] && "$$b"; done

clean:
	rm -rf $(BUILD_DIR)
