# Two set-up commands: `make run` and `make test`. Each installs what is missing, configures and builds.
BUILD ?= build
PREFIX ?= $(HOME)/.local/share/kalmeno
DEB_PACKAGES := build-essential cmake ninja-build qt6-base-dev libgtest-dev libgmock-dev \
                libbenchmark-dev libicu-dev fonts-nanum clang libclang-rt-14-dev python3 strace \
                pkg-config libfontconfig-dev libical-dev libnova-dev khal man-db dbus desktop-file-utils xvfb xdotool x11-apps x11-utils \
                ccache radicale vdirsyncer python3-caldav python3-icalendar curl nodejs
# ical.js (a web client's iCalendar reader) comes from npm, pinned, into tests/sync/node_modules; the sync's
# tests read objects with it. Nothing is fetched at test time.
ICALJS := ical.js@2.2.1
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: deps configure build run test bench install install-files uninstall test-sanitize fuzz fuzz-ci clean

deps:
	@missing=""; for p in $(DEB_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "Installing:$$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing >/dev/null; \
	fi
	@command -v npm >/dev/null || DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq npm >/dev/null
	@[ -f tests/sync/node_modules/ical.js/package.json ] || \
	  npm install --no-save --no-audit --no-fund --silent --prefix tests/sync $(ICALJS) >/dev/null

# ccache (one of the packages above) keeps compiled objects between builds and checkouts.
LAUNCHER := -DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache

configure: deps
	@[ -f $(BUILD)/build.ninja ] || cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD)

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# Every benchmark binary (each sub-folder of bench/ builds its own), five repetitions each; the
# medians are the figures to quote. A failing benchmark fails the target, and so does finding none.
bench: configure
	@cmake --build $(BUILD) --target benchmarks
	@found=0; for b in $(BUILD)/bench/*/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; found=1; echo "== $$b"; \
	  QT_QPA_PLATFORM=$${QT_QPA_PLATFORM:-offscreen} "$$b" --benchmark_repetitions=5 \
	    --benchmark_report_aggregates_only=true || exit 1; \
	done; [ $$found = 1 ] || { echo "no benchmark binaries under $(BUILD)/bench"; exit 1; }

# Installs into PREFIX, records the Today item in the registry, puts Kalmeno and the Today
# screen in the desktop's application menu (desktop entries and icons under $XDG_DATA_HOME, by
# default ~/.local/share) and links the tools into ~/.local/bin, their manuals into
# $XDG_DATA_HOME/man/man1. `kalmeno-install --autostart` (in PREFIX) then starts the Today screen
# at login.
install: build
	@$(MAKE) --no-print-directory install-files

install-files:
	@$(BUILD)/host/kalmeno-install --check "$(PREFIX)"
	@cmake --install $(BUILD) --prefix "$(PREFIX)" >/dev/null
	@$(BUILD)/host/kalmeno-install "$(PREFIX)" "$(BUILD)/install_manifest.txt"

# Removes every file the install wrote (PREFIX/install-manifest.txt lists them) that lies in
# PREFIX, the menu entries, icons and tool links (~/.local/bin, ~/.local/share/man/man1) and the
# Today item's registry key that name this PREFIX, the folders left empty, and the registry file
# once empty; the data file PREFIX/qmrv.dat stays.
uninstall:
	@inst="$(PREFIX)/kalmeno-install"; [ -x "$$inst" ] || inst="$(BUILD)/host/kalmeno-install"; \
	 "$$inst" --uninstall "$(PREFIX)"

# With a display: the Today screen (tap the item to start Kalmeno). Without one: a short headless
# demo that writes screenshots to $(BUILD)/screens/.
run: install
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then "$(PREFIX)/kalmeno-today"; \
	 else host/kalmeno-demo.sh "$(BUILD)"; fi

test-sanitize: deps
	@[ -f $(BUILD)-asan/build.ninja ] || cmake -S . -B $(BUILD)-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALMENO_SANITIZE=ON -DKALMENO_BUILD_BENCH=OFF $(LAUNCHER) >/dev/null
	@cmake --build $(BUILD)-asan
	@cd $(BUILD)-asan && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=0:strict_string_checks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
	  ctest --output-on-failure -j2

# Fuzzes (clang libFuzzer) the reading of schedule data files, the converter's command line, the
# Today item's occurrence lists, the Today item refreshed and painted by the plug-in, and the month
# view painted and tapped, each for FUZZ_SECONDS, 60 by default.
FUZZ_SECONDS ?= 60
fuzz: deps
	@tests/fuzz/run_fuzz.sh $(FUZZ_SECONDS) $(CURDIR)/$(BUILD)-fuzz

# The same for continuous integration: each target's run is bounded to at most 60 seconds, and a
# finding fails the run.
fuzz-ci: deps
	@s=$(FUZZ_SECONDS); [ $$s -le 60 ] || s=60; tests/fuzz/run_fuzz.sh $$s $(CURDIR)/$(BUILD)-fuzz

clean:
	rm -rf $(BUILD) $(BUILD)-asan $(BUILD)-fuzz
