# Build, test and run the log viewer. Every target first installs the Debian
# packages the project needs (as root), so a fresh machine needs nothing else.

BUILD_DIR  ?= build
BUILD_TYPE ?= RelWithDebInfo
WERROR     ?= OFF
PREFIX     ?= /usr/local
PACKAGES := g++ cmake ninja-build make qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
            libbenchmark-dev fonts-liberation fonts-dejavu-core fonts-wine \
            libx11-dev xvfb xauth x11-utils imagemagick xdotool xclip evilwm adwaita-qt6 qt6-gtk-platformtheme \
            dpkg-dev file lintian appstream desktop-file-utils man-db groff-base librsvg2-bin locales python3

FUZZ_PACKAGES := clang libclang-rt-14-dev
LINT_PACKAGES := clang-format clang-tidy
TSAN_PACKAGES := libtsan2
# The folders of our own code.
SOURCE_DIRS   := app bench chart fuzz gui log runtime tests tools
FUZZ_SECONDS  ?= 20
SANITIZE_DIR  := build-sanitize
TSAN_DIR      := build-tsan
# The tests whose code runs on several threads: loading and what it fills.
TSAN_TESTS    := ParallelLoad*:TLogSamples*:*LogLoader*:*SkippingLoads*:LeadingFields*:StampTimes*:ColumnLoader*:ColumnLog*
FUZZ_DIR      := build-fuzz

.PHONY: all deps install-packages install-locales configure build test run install package bench check-sanitize check-tsan fuzz lint clean

all: build

# The locales the tests of a user's locale run under, and a second run of
# the whole suite; made as root. Without root, deps names the commands that
# install what is missing and goes on: the tests that need it are skipped.
TEST_LOCALES := pl_PL de_DE
deps:
	@$(MAKE) --no-print-directory install-packages PKGS="$(PACKAGES)"
	@$(MAKE) --no-print-directory install-locales

install-packages:
	@missing=$$(for p in $(PKGS); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    echo "Installing: $$missing"; \
	    apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	  else \
	    echo "Missing packages (the tests that need them are skipped); to install them, run:"; \
	    echo "  sudo apt-get install -y" $$missing; \
	  fi; \
	fi

install-locales:
	@missing=$$(for l in $(TEST_LOCALES); do locale -a 2>/dev/null | grep -qix "$$l.utf-\?8" || echo $$l; done); \
	if [ -n "$$missing" ]; then \
	  if [ "$$(id -u)" = 0 ]; then \
	    for l in $$missing; do echo "Making the $$l.UTF-8 locale"; localedef -i $$l -f UTF-8 $$l.UTF-8 || exit 1; done; \
	  else \
	    echo "Missing locales (the tests under them are skipped); to make them, run:"; \
	    echo "  $$(for l in $$missing; do printf 'sudo localedef -i %s -f UTF-8 %s.UTF-8 && ' $$l $$l; done | sed 's/ && $$//')"; \
	  fi; \
	fi

# The build folder is configured again whenever options given to make (on
# the command line or in the environment) differ from the ones it was
# configured with, kept in CONFIGURE_STAMP: `make test WERROR=ON` on an
# existing folder builds with -Werror. A call that gives none, such as
# `make lint`, keeps the folder as it is rather than rebuild it.
CONFIGURE_OPTIONS := -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) -DLOGVIEWER_WERROR=$(WERROR)
CONFIGURE_STAMP   := $(BUILD_DIR)/configure-options
OPTIONS_GIVEN     := $(filter-out file,$(origin BUILD_TYPE) $(origin WERROR))

configure: deps
	@if [ ! -f $(BUILD_DIR)/build.ninja ] || { [ -n "$(OPTIONS_GIVEN)" ] && \
	    [ "$$(cat $(CONFIGURE_STAMP) 2>/dev/null)" != "$(CONFIGURE_OPTIONS)" ]; }; then \
	  cmake -S . -B $(BUILD_DIR) -G Ninja $(CONFIGURE_OPTIONS) && \
	  echo "$(CONFIGURE_OPTIONS)" > $(CONFIGURE_STAMP); \
	fi

build: configure
	cmake --build $(BUILD_DIR)

# The whole suite, in the caller's locale or in TEST_LANG (e.g. de_DE.UTF-8),
# ending with the count of the skipped tests and why each was skipped.
TEST_LANG ?=
test: build
	@tests/run-suite.sh $(BUILD_DIR) $(TEST_LANG)

# Starts the viewer; without a display, writes a picture of it with the four
# sample logs loaded instead.
SNAPSHOT := $(BUILD_DIR)/logviewer-samples.png
run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then $(BUILD_DIR)/app/logviewer; \
	else $(BUILD_DIR)/tools/logview-snapshot \
	    --log 0 samples/lambda.csv --log 1 samples/engine-speed.csv \
	    --log 2 samples/coolant-temperature.csv --log 3 samples/battery-voltage.csv \
	    --png $(SNAPSHOT) && \
	  echo "No display: the window with the four sample logs is in $(SNAPSHOT)"; fi

# The viewer, its desktop entry and icon under PREFIX (DESTDIR is honoured).
install: build
	cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# A Debian package of the same files, written to the build folder.
package: build
	cd $(BUILD_DIR) && cpack -G DEB

# Medians of three runs of every benchmark, then the goals beside them.
BENCH_OUT := $(BUILD_DIR)/bench.txt
bench: build
	@for b in $(BUILD_DIR)/bench/*; do [ -x "$$b" ] && "$$b" --benchmark_repetitions=3 \
	  --benchmark_report_aggregates_only=true; done | tee $(BENCH_OUT)
	@tools/bench-goals.sh $(BENCH_OUT)

# The whole test suite under AddressSanitizer and UBSan.
check-sanitize: deps
	@[ -f $(SANITIZE_DIR)/build.ninja ] || cmake -S . -B $(SANITIZE_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=Debug -DLOGVIEWER_SANITIZE=ON
	cmake --build $(SANITIZE_DIR)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j2

# The loader's tests under ThreadSanitizer; any report fails them.
check-tsan: deps
	@$(MAKE) --no-print-directory install-packages PKGS="$(TSAN_PACKAGES)"
	@[ -f $(TSAN_DIR)/build.ninja ] || cmake -S . -B $(TSAN_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOGVIEWER_TSAN=ON
	cmake --build $(TSAN_DIR) --target app_tests
	QT_QPA_PLATFORM=offscreen \
	  TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$(CURDIR)/tests/tsan.supp \
	  $(TSAN_DIR)/tests/app/app_tests --gtest_filter='$(TSAN_TESTS)'

# Every fuzz target for FUZZ_SECONDS, starting from its seeds in tests/fuzz-corpus.
# Each gets a configuration folder of its own, which must stay empty: the
# user's settings are never read or written.
fuzz: deps
	@$(MAKE) --no-print-directory install-packages PKGS="$(FUZZ_PACKAGES)"
	@[ -f $(FUZZ_DIR)/build.ninja ] || CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja \
	  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLOGVIEWER_FUZZ=ON
	cmake --build $(FUZZ_DIR)
	@for target in $$(find $(FUZZ_DIR)/fuzz -maxdepth 1 -type f -executable | sort); do \
	  name=$$(basename $$target); corpus=$$(mktemp -d); log=$$(mktemp); config=$$(mktemp -d); \
	  cp tests/fuzz-corpus/$$name/* $$corpus/ 2>/dev/null; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp XDG_CONFIG_HOME=$$config \
	    $$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=1 \
	    $$corpus > $$log 2>&1; status=$$?; \
	  grep -E '^(Done|stat::number|stat::average)' $$log; \
	  if [ $$status != 0 ]; then tail -n 40 $$log; exit 1; fi; \
	  written=$$(find $$config -mindepth 1); \
	  if [ -n "$$written" ]; then echo "$$name wrote the user's settings: $$written"; exit 1; fi; \
	  rm -rf $$corpus $$log $$config; \
	done

# The checked-in formatting and static checks; fails on any difference or
# finding. The static checks read the compile commands of the build.
lint: build
	@$(MAKE) --no-print-directory install-packages PKGS="$(LINT_PACKAGES)"
	find $(SOURCE_DIRS) -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run --Werror
	run-clang-tidy -p $(BUILD_DIR) -j 2 -quiet '$(CURDIR)/($(subst $() ,|,$(SOURCE_DIRS)))/'

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(TSAN_DIR) $(FUZZ_DIR)
