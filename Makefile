# SPDX-License-Identifier: GPL-3.0-or-later
# Everything starts here: `make run` and `make test` install what is missing, build and go.
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
IMAGE ?= data/sample.jpg
JOBS ?= 2
PREFIX ?= /usr/local
DESTDIR ?=

.PHONY: all deps build run test install package bench sanitize fuzz clean

all: build

deps:
	@tools/install-deps

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	$(BUILD_DIR)/src/app/quorvel "$(IMAGE)"

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The program, its desktop entry, icons and AppStream file under $(DESTDIR)$(PREFIX).
install: build
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix "$(PREFIX)"

# A Debian package (installing under /usr) in $(BUILD_DIR), named quorvel_<version>_<arch>.deb,
# checked by lintian: any error or warning fails the target; the informational tags are shown.
package: build
	cd $(BUILD_DIR) && cpack -G DEB
	lintian --info --display-info --fail-on error,warning $(BUILD_DIR)/quorvel_*.deb

# The figures of the README's "Benchmarks" section, from an optimised build; the output ends with
# one "<figure> <ratio> <target> PASS|FAIL" line per figure.
bench: deps $(BUILD_DIR)/build.ninja
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUORVEL_BUILD_BENCH=ON
	cmake --build $(BUILD_DIR) -j $(JOBS) --target quorvel_bench
	$(BUILD_DIR)/bench/quorvel_bench

# The test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUORVEL_SANITIZE=ON \
	    -DQUORVEL_BUILD_BENCH=OFF
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	cd $(SANITIZE_DIR) && QT_QPA_PLATFORM=offscreen \
	    ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS)

# The loader fed with mutated files for FUZZ_SECONDS seconds under libFuzzer (clang), one
# process on one core. Fails on a crash, a leak, sanitizer findings, an input taking over 10 s or
# more than 1 GiB; the input is then left in tests/data/fuzz/, where a test replays it.
fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	    -DCMAKE_CXX_COMPILER=clang++-14 -DQUORVEL_FUZZ=ON -DQUORVEL_BUILD_TESTS=OFF \
	    -DQUORVEL_BUILD_BENCH=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target quorvel_fuzz_load quorvel_fuzz_seeds
	rm -rf $(FUZZ_DIR)/seeds
	mkdir -p $(FUZZ_DIR)/seeds $(FUZZ_DIR)/corpus tests/data/fuzz
	$(FUZZ_DIR)/fuzz/quorvel_fuzz_seeds $(FUZZ_DIR)/seeds
	VIPS_CONCURRENCY=1 ASAN_OPTIONS=detect_leaks=1 \
	    LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    $(FUZZ_DIR)/fuzz/quorvel_fuzz_load -max_total_time=$(FUZZ_SECONDS) -timeout=10 \
	    -rss_limit_mb=1024 -artifact_prefix=$(CURDIR)/tests/data/fuzz/ \
	    $(FUZZ_DIR)/corpus $(FUZZ_DIR)/seeds

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
