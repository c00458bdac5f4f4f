# Thin wrappers: install what is missing, configure, build, run.
BUILD      ?= build
ASAN_BUILD ?= build-asan
JOBS       ?= $(shell nproc)
SUDO       := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

DEPS := cmake g++ make pkg-config qt6-base-dev qt6-qpa-plugins libpulse-dev libasound2-dev libpipewire-0.3-dev libgl-dev libxcb1-dev \
        qt6-tools-dev qt6-l10n-tools qt6-translations-l10n \
        fonts-liberation xvfb xauth x11-utils x11-xkb-utils xdotool pulseaudio pulseaudio-utils \
        desktop-file-utils appstream dpkg-dev debhelper lintian librsvg2-bin \
        at-spi2-core dbus-daemon python3-pyatspi

# What `make bench` loads the machine with; the PipeWire table (and the test that
# hears a game through PipeWire) runs when pipewire, pipewire-pulse and wireplumber
# are installed (not installed here: on a desktop they would take over from
# PulseAudio at the next login; CI installs them).
BENCH_DEPS := stress-ng

.PHONY: deps build run test test-asan package-test bench stress assets screenshot deb clean

deps:
	@missing=$$(for p in $(DEPS); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

run: build
	./$(BUILD)/tessaly

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS) -LE package
	$(MAKE) --no-print-directory test-asan

# The Debian package built, checked with lintian, installed, started and purged (root
# or sudo without a password); minutes of compiling, so apart from `make test`.
package-test: build
	ctest --test-dir $(BUILD) --output-on-failure -L package

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTESSALY_SANITIZE=ON >/dev/null
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/fixtures/lsan.supp \
	  ctest --test-dir $(ASAN_BUILD) --output-on-failure -j$(JOBS) -L unit

bench: build
	@dpkg -s $(BENCH_DEPS) >/dev/null 2>&1 || $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $(BENCH_DEPS)
	./bench/run.sh $(BUILD) pulseaudio
	@if command -v pipewire-pulse >/dev/null && command -v wireplumber >/dev/null; then \
	  ./bench/run.sh $(BUILD) pipewire; \
	else echo "bench: PipeWire not installed; apt-get install pipewire pipewire-pulse wireplumber to compare"; fi

stress: build
	./bench/stress.sh $(BUILD)

# The readers' fuzz harnesses (fuzz/), FUZZ_SECONDS each; they need clang's libFuzzer.
FUZZ_BUILD   ?= build-fuzz
FUZZ_SECONDS ?= 60
.PHONY: fuzz
fuzz: deps
	@dpkg -s clang libclang-rt-dev >/dev/null 2>&1 || \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends clang libclang-rt-dev
	CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(FUZZ_BUILD) -j$(JOBS)
	./fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

assets: build
	./tools/make_assets.sh $(BUILD)

screenshot: build
	@dpkg -s imagemagick optipng >/dev/null 2>&1 || $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq imagemagick optipng
	./tools/screenshot.sh $(BUILD) docs/board.png
	./tools/screenshots.sh $(BUILD) docs/screenshots

# The Debian package, built the Debian way from debian/ (build dependencies from there).
deb:
	@dpkg-checkbuilddeps >/dev/null 2>&1 || { \
	  echo "Installing the build dependencies of debian/control"; \
	  $(SUDO) apt-get update -qq && \
	  $(SUDO) env DEBIAN_FRONTEND=noninteractive apt-get build-dep -y -qq --no-install-recommends ./; }
	JOBS=$(JOBS) ./packaging/build-deb.sh . $(BUILD)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
