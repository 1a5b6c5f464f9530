# Front door: `make run`, `make test`, `make bench`. Installs missing Debian packages first.
PKGS := build-essential cmake ninja-build qt6-base-dev qt6-multimedia-dev libbenchmark-dev \
        fonts-dejavu-core xvfb xauth wmdocker faketime poppler-utils iproute2 clang \
        imagemagick x11-utils xdotool libclang-rt-14-dev qt6-translations-l10n \
        librsvg2-bin desktop-file-utils appstream lintian \
        dbus-daemon libtomlplusplus-dev ccache python3
BUILD ?= build
# ccache keys on paths relative to the checkout, so clones share compiled objects.
export CCACHE_BASEDIR ?= $(CURDIR)
JOBS ?= $(shell nproc)
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps configure build run test test-asan bench fuzz format clean deb

all: build

deps:
	@missing=$$(for p in $(PKGS); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/src/vatrimox

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

# The Debian package, $(BUILD)/vatrimox_<version>_<arch>.deb.
deb: build
	cd $(BUILD) && cpack -G DEB --config CPackConfig.cmake

# The unit tests under AddressSanitizer and UBSan (any finding fails the test); the end-to-end
# runs stay in `make test`.
test-asan: deps
	cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVATRIMOX_SANITIZE=ON
	cmake --build build-asan -j $(JOBS)
	ctest --test-dir build-asan --output-on-failure -j $(JOBS) -E '^(e2e_|paquete_)' 

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DVATRIMOX_BENCH=ON
	cmake --build build-bench -j $(JOBS) --target benchmarks
	for b in build-bench/bench/bench_*; do $$b --benchmark_min_time=0.2; done

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) build-asan build-bench

# Call-log reader and plan-file reader under libFuzzer (clang), each bounded in time.
fuzz: deps
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVATRIMOX_FUZZ=ON
	cmake --build build-fuzz -j $(JOBS) --target fuzz_lector fuzz_planes
	mkdir -p build-fuzz/corpus build-fuzz/corpus-planes
	build-fuzz/tests/fuzz_lector -max_total_time=$${FUZZ_SECONDS:-20} build-fuzz/corpus tests/fuzz/semillas
	build-fuzz/tests/fuzz_planes -max_total_time=$${FUZZ_SECONDS:-20} build-fuzz/corpus-planes docs/tarifas
